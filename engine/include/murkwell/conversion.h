#pragma once

#include <string>

namespace murkwell {

// The paths a front end starts with when the user has given none.
inline constexpr const char* kDefaultLogName = "games.log";
inline constexpr const char* kDefaultHtmlName = "murkwells.html";

// How a conversion ended. `message` is one of the texts of messages.h, shown
// as it is; `detail` names the path concerned and the system's reason when
// there is one to name ("games.log: No such file or directory"), or is empty.
struct Outcome {
    std::string message;
    std::string detail;

    bool Succeeded() const;
};

// What to convert into what. A front end that offers the standard streams
// (the command line's "-") says so here; the paths are then not used.
struct ConversionRequest {
    std::string logPath;
    std::string htmlPath;
    bool logFromStandardInput = false;
    bool pageToStandardOutput = false;
};

// Reads the server log and writes its statistics page: one table per
// finished game. Every conversion starts afresh; nothing of an earlier one
// carries over. A run that fails leaves an earlier page at the page's path
// as it was.
Outcome ConvertLog(const ConversionRequest& request);
inline Outcome ConvertLog(const std::string& logPath, const std::string& htmlPath) {
    return ConvertLog(ConversionRequest{logPath, htmlPath});
}

}  // namespace murkwell
