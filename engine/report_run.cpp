#include "report_run.h"

#include <sys/stat.h>

#include "messages.h"
#include "version.h"

namespace murkwell {

namespace {

// Names whoever made this page possible; it stands inside the footer's credit line.
constexpr std::string_view kAuthorCredit =
    "<a href=\"https://murkwell.example.org/\">the Murkwell developers</a>";

bool SameFile(const std::string& path, const LogFile& log) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return false;
    }
    return info.st_dev == log.Device() && info.st_ino == log.Inode();
}

}  // namespace

void CReportRun::OnStart() {
    ReadPathBoxes();
    m_strLogPath = m_strLogEdit;
    m_strHtmlPath = m_strHtmlEdit;
    const std::string outcome(Convert());
    ShowMessage(outcome);
}

// Runs the conversion and returns the message that tells how it went. Both
// files are closed by the time it returns, whatever the outcome.
std::string_view CReportRun::Convert() {
    if (m_strLogPath.empty()) {
        return kMsgLogMissing;
    }
    if (m_strHtmlPath.empty()) {
        return kMsgHtmlMissing;
    }
    m_pLogFile = std::make_unique<LogFile>();
    if (!m_pLogFile->Open(m_strLogPath)) {
        m_pLogFile.reset();
        return kMsgCannotOpenLog;
    }
    // Checked before the page is opened, because opening it would empty the log.
    if (SameFile(m_strHtmlPath, *m_pLogFile)) {
        m_pLogFile.reset();
        return kMsgHtmlWouldOverwriteLog;
    }
    m_pHtmlFile = std::make_unique<PageFile>();
    if (!m_pHtmlFile->Create(m_strHtmlPath)) {
        m_pHtmlFile.reset();
        m_pLogFile.reset();
        return kMsgCannotCreateHtml;
    }

    ResetGameState();
    WritePageHead();
    ParseLog();
    const bool readFailed = m_pLogFile->ReadFailed();
    if (!readFailed) {
        WritePageFoot();
    }
    m_pLogFile.reset();
    const bool written = m_pHtmlFile->Close();
    m_pHtmlFile.reset();

    if (readFailed) {
        return kMsgCannotReadLog;
    }
    return written ? kMsgDone : kMsgCannotWriteHtml;
}

// Every run starts from a clean slate, so that nothing of an earlier log
// shows up on this log's page.
void CReportRun::ResetGameState() {
    m_Players.RemoveAllPlayers();
    m_szMapName.clear();
    m_bTeamGame = m_bCtfGame = m_bDmGame = false;
    m_szBlueScore.clear();
    m_szRedScore.clear();
}

void CReportRun::WritePageHead() {
    PageFile& page = *m_pHtmlFile;
    page.WriteLine("<html>");
    page.WriteLine("<head>");
    page.WriteLine("<title>Murkwell Results</title>");
    page.WriteLine("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">");
    page.WriteLine("</head>");
    page.WriteLine("<body bgcolor=\"#1A1A83\" text=\"#FFFFFF\" link=\"#FFFF83\">");
    page.WriteLine(
        "<p align=\"center\"><font face=\"Arial,Helvetica,Geneva,Swiss,SunSans-Regular\" size=\"5\" "
        "color=\"white\"><b>Murkwell&nbsp;Results</b></font> </p>");
    page.WriteLine("<div align=\"center\">");
}

void CReportRun::WritePageFoot() {
    PageFile& page = *m_pHtmlFile;
    page.Write("<font face=\"Arial\" size=\"1\">Content generated with Murkwell v");
    page.Write(kVersionText);
    page.Write(" - ");
    page.Write(kAuthorCredit);
    page.WriteLine("</font>");
    page.WriteLine("</div>");
    page.WriteLine("</body>");
    page.WriteLine("</html>");
}

}  // namespace murkwell
