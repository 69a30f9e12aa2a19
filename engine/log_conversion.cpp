#include "log_conversion.h"

#include "murkwell/messages.h"
#include "murkwell/version.h"

namespace murkwell {

namespace {

// Names whoever made this page possible; it stands inside the footer's credit
// line. Plain text: the project has no web site for it to link to.
constexpr std::string_view kAuthorCredit = "the Murkwell developers";

bool SameFile(const std::string& path, const LogFile& log) {
    system::FileStatus status;
    return system::StatusOfPath(path, status) && status.identity == log.Identity();
}

}  // namespace

bool Outcome::Succeeded() const { return message == kMsgDone; }

Outcome ConvertLog(const std::string& logPath, const std::string& htmlPath) {
    return LogConversion().Run(logPath, htmlPath);
}

Outcome LogConversion::Run(const std::string& logPath, const std::string& htmlPath) {
    if (logPath.empty()) {
        return {kMsgLogMissing, {}};
    }
    if (htmlPath.empty()) {
        return {kMsgHtmlMissing, {}};
    }
    m_pLogFile = std::make_unique<LogFile>();
    if (!m_pLogFile->Open(logPath)) {
        m_pLogFile.reset();
        return {kMsgCannotOpenLog, {}};
    }
    // Checked before the page is opened, because opening it would empty the log.
    if (SameFile(htmlPath, *m_pLogFile)) {
        m_pLogFile.reset();
        return {kMsgHtmlWouldOverwriteLog, {}};
    }
    m_pHtmlFile = std::make_unique<PageFile>();
    if (!m_pHtmlFile->Create(htmlPath)) {
        m_pHtmlFile.reset();
        m_pLogFile.reset();
        return {kMsgCannotCreateHtml, {}};
    }

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
        return {kMsgCannotReadLog, {}};
    }
    return {written ? kMsgDone : kMsgCannotWriteHtml, {}};
}

void LogConversion::WritePageHead() {
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

void LogConversion::WritePageFoot() {
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
