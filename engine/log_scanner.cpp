#include <array>
#include <cstdint>
#include <cstring>

#include "log_conversion.h"
#include "scan_state.h"
#include "text_scan.h"

namespace murkwell {

namespace {

constexpr std::size_t kMapNameWidth = 254;
constexpr std::size_t kTeamScoreWidth = 19;

enum class LineKind { Other, GameStart, GameEnd, UserInfo, TeamScores, PlayerScore };

// White space ends a word, as for TokenCursor; a NUL byte ends the line's text.
enum ByteClass : unsigned char { kWordByte, kSpaceByte, kTextEnd };

constexpr std::array<ByteClass, 256> MakeByteClasses() {
    std::array<ByteClass, 256> classes{};
    for (int c = 0; c < 256; ++c) {
        classes[c] = IsSpace(static_cast<char>(c)) ? kSpaceByte : kWordByte;
    }
    classes[0] = kTextEnd;
    return classes;
}
constexpr std::array<ByteClass, 256> kByteClasses = MakeByteClasses();

bool IsWordByte(const char* pos) { return kByteClasses[static_cast<unsigned char>(*pos)] == kWordByte; }
bool IsSpaceByte(const char* pos) { return kByteClasses[static_cast<unsigned char>(*pos)] == kSpaceByte; }

const char* SkipSpace(const char* pos, const char* end) {
    while (pos < end && IsSpaceByte(pos)) {
        ++pos;
    }
    return pos;
}

const char* SkipWord(const char* pos, const char* end) {
    while (pos < end && IsWordByte(pos)) {
        ++pos;
    }
    return pos;
}

// The keywords are literals, so that each comparison is a fixed-size one.
template <std::size_t N>
bool StartsWith(const char* pos, const char* end, const char (&prefix)[N]) {
    constexpr std::size_t size = N - 1;
    return static_cast<std::size_t>(end - pos) >= size && std::memcmp(pos, prefix, size) == 0;
}

// Whether the word at pos is exactly `word`.
template <std::size_t N>
bool IsWord(const char* pos, const char* end, const char (&word)[N]) {
    constexpr std::size_t size = N - 1;
    return StartsWith(pos, end, word) && (pos + size == end || !IsWordByte(pos + size));
}

// The first four bytes of a word, as one number, so that a word can be
// checked against all the event words at once.
std::uint32_t FirstFour(const char* pos) {
    std::uint32_t bytes = 0;
    std::memcpy(&bytes, pos, sizeof bytes);
    return bytes;
}

// A line is known by its event word, the word after the time stamp. Looking
// anywhere else would let a player end the game by typing its keyword in chat.
// Most lines are item pickups and kills; the first four bytes of their event
// word set them aside at once, without any of the tests below.
LineKind Classify(std::string_view line) {
    const char* const end = line.data() + line.size();
    const char* const stamp = SkipSpace(line.data(), end);
    const char* const event = SkipSpace(SkipWord(stamp, end), end);
    if (stamp == event || end - event < 4) {
        return LineKind::Other;  // no event word, or one shorter than all that matter
    }
    const std::uint32_t start = FirstFour(event);
    if (start != FirstFour("Init") && start != FirstFour("Shut") && start != FirstFour("Clie") &&
        start != FirstFour("scor") && start != FirstFour("red:")) {
        return LineKind::Other;
    }
    if (IsWord(event, end, "InitGame:")) {
        return LineKind::GameStart;
    }
    if (IsWord(event, end, "ShutdownGame:")) {
        return LineKind::GameEnd;
    }
    if (IsWord(event, end, "ClientUserinfoChanged:")) {
        return LineKind::UserInfo;
    }
    if (IsWord(event, end, "score:")) {
        return LineKind::PlayerScore;
    }
    if (!StartsWith(event, end, "red:")) {
        return LineKind::Other;
    }
    const char* const blue = SkipSpace(SkipWord(event, end), end);
    return StartsWith(blue, end, "blue:") ? LineKind::TeamScores : LineKind::Other;
}

// Whether a line that begins with `head` is of no interest however it goes
// on: its event word ends within `head` and, on its own, makes the line one
// of no interest. A team-score line also needs the word after it.
bool OfNoInterest(std::string_view head) {
    const char* const end = head.data() + head.size();
    const char* const stamp = SkipSpace(head.data(), end);
    const char* const event = SkipSpace(SkipWord(stamp, end), end);
    const char* const eventEnd = SkipWord(event, end);
    if (eventEnd == end || StartsWith(event, eventEnd, "red:")) {
        return false;
    }
    return Classify(std::string_view(head.data(), static_cast<std::size_t>(eventEnd - head.data()))) ==
           LineKind::Other;
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

void LogConversion::ParseLog() {
    ScanState scan;
    std::string_view line;
    m_pLogFile->SkipLongLinesWhen(OfNoInterest);
    // A page that can no longer be written ends the run; reading on would gain nothing.
    while (!m_pHtmlFile->WriteFailed() && m_pLogFile->NextLine(line)) {
        // Classify stops at a NUL byte by itself; only the few lines that
        // matter have their text cut there.
        const LineKind kind = Classify(line);
        if (kind == LineKind::Other) {
            continue;
        }
        line = TextOf(line);
        switch (kind) {
            case LineKind::GameStart: OnGameStart(line, scan); break;
            case LineKind::GameEnd: OnGameEnd(scan); break;
            case LineKind::UserInfo: OnUserInfo(line, scan); break;
            case LineKind::TeamScores: OnTeamScores(line, scan); break;
            case LineKind::PlayerScore: OnPlayerScore(line, scan); break;
            case LineKind::Other: break;
        }
    }
}

void LogConversion::OnGameStart(std::string_view line, ScanState& scan) {
    scan.inGame = true;
    m_bDmGame = m_bTeamGame = m_bCtfGame = false;

    if (const auto map = SettingValue(line, "\\mapname\\")) {
        AssignBounded(m_szMapName, *map, kMapNameWidth);
    }

    const auto type = SettingValue(line, "\\g_gametype\\");
    if (!type) {
        return;
    }
    AssignBounded(scan.tokenBuffer, *type, ScanState::kTokenWidth);
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

void LogConversion::OnGameEnd(ScanState& scan) {
    if (scan.inGame) {
        WriteGameTable();
    }
    scan.inGame = false;
    scan.nextRank = 1;
    m_Players.RemoveAllPlayers();
}

// The red and blue tokens are kept whole, labels included ("red:8").
void LogConversion::OnTeamScores(std::string_view line, ScanState& scan) {
    TokenCursor words(line);
    const auto stamp = words.Word();
    if (!stamp) {
        return;
    }
    AssignBounded(scan.tokenBuffer, *stamp, ScanState::kTokenWidth);
    const auto red = words.Word();
    if (!red) {
        return;
    }
    AssignBounded(m_szRedScore, *red, kTeamScoreWidth);
    const auto blue = words.Word();
    if (!blue) {
        return;
    }
    AssignBounded(m_szBlueScore, *blue, kTeamScoreWidth);
}

}  // namespace murkwell
