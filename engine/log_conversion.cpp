#include "log_conversion.h"

#include <new>
#include <system_error>

#include "existing_page.h"
#include "murkwell/messages.h"
#include "murkwell/version.h"

namespace murkwell {

namespace {

// Names whoever made this page possible; it stands inside the footer's credit
// line. Plain text: the project has no web site for it to link to.
constexpr std::string_view kAuthorCredit = "the Murkwell developers";

// How the details name the standard streams, which have no path.
constexpr const char* kStandardInputName = "standard input";
constexpr const char* kStandardOutputName = "standard output";

std::string LogNameOf(const ConversionRequest& request) {
    return request.logFromStandardInput ? kStandardInputName : request.logPath;
}

std::string PageNameOf(const ConversionRequest& request) {
    return request.pageToStandardOutput ? kStandardOutputName : request.htmlPath;
}

// "games.log: No such file or directory": which file, and why.
std::string Detail(const std::string& name, const std::string& reason) { return name + ": " + reason; }

bool SameFile(const ConversionRequest& request, const LogFile& log) {
    system::FileStatus status;
    const bool known = request.pageToStandardOutput ? system::StatusOfStandardOutput(status)
                                                    : system::StatusOfPath(request.htmlPath, status);
    return known && status.identity == log.Identity();
}

}  // namespace

bool Outcome::Succeeded() const { return message == kMsgDone; }

// Running out of memory, or of threads, ends the run as a failed read. The
// conversion's files are closed as the exception leaves it, and a page that
// was being written is discarded, so the previous page stays.
Outcome ConvertLog(const ConversionRequest& request) {
    try {
        return LogConversion().Run(request);
    } catch (const std::bad_alloc&) {
        return {kMsgCannotReadLog, Detail(LogNameOf(request), system::ErrorText(system::OutOfMemoryError()))};
    } catch (const std::system_error& error) {
        return {kMsgCannotReadLog, Detail(LogNameOf(request), error.code().message())};
    }
}

Outcome LogConversion::Run(const ConversionRequest& request) {
    const std::string logName = LogNameOf(request);
    const std::string pageName = PageNameOf(request);
    if (logName.empty()) {
        return {kMsgLogMissing, {}};
    }
    if (pageName.empty()) {
        return {kMsgHtmlMissing, {}};
    }
    m_pLogFile = std::make_unique<LogFile>();
    const bool opened =
        request.logFromStandardInput ? m_pLogFile->OpenStandardInput() : m_pLogFile->Open(request.logPath);
    if (!opened) {
        return {kMsgCannotOpenLog, Detail(logName, m_pLogFile->FailureReason())};
    }
    // Both checks come before the page is opened, because opening it would empty the file.
    if (SameFile(request, *m_pLogFile)) {
        return {kMsgHtmlWouldOverwriteLog, Detail(pageName, "the same file as " + logName)};
    }
    if (!request.pageToStandardOutput) {
        int error = 0;
        switch (CheckExistingPage(request.htmlPath, error)) {
            case ExistingPage::NotHtml:
                return {kMsgHtmlNotAPage, Detail(pageName, "its text does not begin with \"<\"")};
            case ExistingPage::Unreadable: return {kMsgCannotCreateHtml, Detail(pageName, system::ErrorText(error))};
            case ExistingPage::Replaceable: break;
        }
    }
    m_pHtmlFile = std::make_unique<PageFile>();
    const bool created =
        request.pageToStandardOutput ? m_pHtmlFile->CreateOnStandardOutput() : m_pHtmlFile->Create(request.htmlPath);
    if (!created) {
        return {kMsgCannotCreateHtml, Detail(pageName, system::ErrorText(m_pHtmlFile->Error()))};
    }

    WritePageHead();
    ParseLog();
    if (m_pLogFile->ReadFailed()) {
        m_pHtmlFile->Discard();
        return {kMsgCannotReadLog, Detail(logName, m_pLogFile->FailureReason())};
    }
    WritePageFoot();
    m_pLogFile.reset();
    if (!m_pHtmlFile->Close()) {
        return {kMsgCannotWriteHtml, Detail(pageName, system::ErrorText(m_pHtmlFile->Error()))};
    }
    return {kMsgDone, {}};
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
