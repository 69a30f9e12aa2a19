#pragma once

// Every outcome a conversion can report to the user. A run ends with exactly one of these.
namespace murkwell {

inline constexpr const char* kMsgDone = "Done!";
inline constexpr const char* kMsgLogMissing = "Log Filename missing.";
inline constexpr const char* kMsgHtmlMissing = "HTML Filename missing.";
inline constexpr const char* kMsgCannotOpenLog = "Unable to open Log File.";
inline constexpr const char* kMsgCannotCreateHtml = "Unable to Create the HTML File.";
inline constexpr const char* kMsgHtmlWouldOverwriteLog = "The HTML File would overwrite the Log File.";
inline constexpr const char* kMsgHtmlNotAPage = "The HTML File is not an HTML page and was left as it is.";
inline constexpr const char* kMsgCannotReadLog = "Unable to read the Log File.";
inline constexpr const char* kMsgCannotWriteHtml = "Unable to write the HTML File.";

}  // namespace murkwell
