#include <cstring>

#include "report_run.h"
#include "scan_state.h"
#include "text_scan.h"

namespace murkwell {

namespace {

constexpr std::size_t kMapNameWidth = 254;
constexpr std::size_t kTeamScoreWidth = 19;

enum class LineKind { Other, GameStart, GameEnd, UserInfo, TeamScores, PlayerScore };

// A line is known by its event word, the word after the time stamp. Looking
// anywhere else would let a player end the game by typing its keyword in chat.
LineKind Classify(std::string_view line) {
    TokenCursor words(line);
    if (!words.Word()) {
        return LineKind::Other;
    }
    const auto event = words.Word();
    if (!event) {
        return LineKind::Other;
    }
    if (*event == "InitGame:") {
        return LineKind::GameStart;
    }
    if (*event == "ShutdownGame:") {
        return LineKind::GameEnd;
    }
    if (*event == "ClientUserinfoChanged:") {
        return LineKind::UserInfo;
    }
    if (*event == "score:") {
        return LineKind::PlayerScore;
    }
    if (event->starts_with("red:")) {
        const auto blue = words.Word();
        if (blue && blue->starts_with("blue:")) {
            return LineKind::TeamScores;
        }
    }
    return LineKind::Other;
}

// Nothing after a NUL byte belongs to its line.
std::string_view TextOf(std::string_view line) {
    const void* nul = std::memchr(line.data(), '\0', line.size());
    if (nul == nullptr) {
        return line;
    }
    return line.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - line.data()));
}

// The value of a \key\value setting of a game start line: what stands between
// the key's closing backslash and the next backslash, or nothing when no
// backslash follows. No value when the key is absent.
std::optional<std::string_view> SettingValue(std::string_view line, std::string_view key) {
    const std::size_t found = line.find(key);
    if (found == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t valueStart = found + key.size();
    const std::size_t valueEnd = line.find('\\', valueStart);
    if (valueEnd == std::string_view::npos) {
        return std::string_view();
    }
    return line.substr(valueStart, valueEnd - valueStart);
}

}  // namespace

void CReportRun::ParseLog() {
    ScanState scan;
    std::string_view line;
    // A page that can no longer be written ends the run; reading on would gain nothing.
    while (!m_pHtmlFile->WriteFailed() && m_pLogFile->NextLine(line)) {
        line = TextOf(line);
        switch (Classify(line)) {
            case LineKind::GameStart: OnGameStart(line, scan); break;
            case LineKind::GameEnd: OnGameEnd(scan); break;
            case LineKind::UserInfo: OnUserInfo(line, scan); break;
            case LineKind::TeamScores: OnTeamScores(line, scan); break;
            case LineKind::PlayerScore: OnPlayerScore(line, scan); break;
            case LineKind::Other: break;
        }
    }
}

void CReportRun::OnGameStart(std::string_view line, ScanState& scan) {
    scan.inGame = true;
    m_bDmGame = m_bTeamGame = m_bCtfGame = false;

    if (const auto map = SettingValue(line, "\\mapname\\")) {
        m_szMapName = Bounded(*map, kMapNameWidth);
    }

    const auto type = SettingValue(line, "\\g_gametype\\");
    if (!type) {
        return;
    }
    scan.tokenBuffer = Bounded(*type, ScanState::kTokenWidth);
    if (const auto number = TokenCursor(scan.tokenBuffer).Int()) {
        scan.gameType = *number;
    }
    // An unreadable type falls back on the last one that could be read.
    switch (scan.gameType) {
        case 0: m_bDmGame = true; break;
        case 3: m_bTeamGame = true; break;
        case 4: m_bCtfGame = true; break;
        default: break;
    }
}

void CReportRun::OnGameEnd(ScanState& scan) {
    if (scan.inGame) {
        WriteGameTable();
    }
    scan.inGame = false;
    scan.nextRank = 1;
    if (!m_Players.IsEmpty()) {
        m_Players.RemoveAllPlayers();
    }
}

// The red and blue tokens are kept whole, labels included ("red:8").
void CReportRun::OnTeamScores(std::string_view line, ScanState& scan) {
    TokenCursor words(line);
    const auto stamp = words.Word();
    if (!stamp) {
        return;
    }
    scan.tokenBuffer = Bounded(*stamp, ScanState::kTokenWidth);
    const auto red = words.Word();
    if (!red) {
        return;
    }
    m_szRedScore = Bounded(*red, kTeamScoreWidth);
    const auto blue = words.Word();
    if (!blue) {
        return;
    }
    m_szBlueScore = Bounded(*blue, kTeamScoreWidth);
}

}  // namespace murkwell
