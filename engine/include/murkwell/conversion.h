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

// Reads the server log at `logPath` and writes its statistics page to
// `htmlPath`: one table per finished game. Every conversion starts afresh;
// nothing of an earlier one carries over.
Outcome ConvertLog(const std::string& logPath, const std::string& htmlPath);

}  // namespace murkwell
