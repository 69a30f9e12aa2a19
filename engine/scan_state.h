#pragma once

#include <cstdint>
#include <string>

namespace murkwell {

// What the scanner carries from one log line to the next during one run.
// Malformed lines fall back on these values, so their start values matter.
struct ScanState {
    static constexpr std::size_t kTokenWidth = 254;
    static constexpr std::size_t kNameWidth = 255;
    static constexpr std::size_t kTeamWidth = 255;

    std::string tokenBuffer;  // the game type text of the last game start line
    std::string nameBuffer;   // name of the last user-info line, or the eighth word of a score line
    std::string teamBuffer;   // team of the last user-info line
    std::int32_t client = 0;
    std::int32_t score = 0;
    std::int32_t ping = 0;
    std::int32_t gameType = 0;  // the last game type that could be read as a number
    bool inGame = false;
    std::int64_t nextRank = 1;  // given to the next player that gets a score line
};

}  // namespace murkwell
