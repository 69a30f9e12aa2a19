#include "log_conversion.h"
#include "scan_state.h"
#include "text_scan.h"

namespace murkwell {

namespace {

constexpr std::size_t kPlayerFieldWidth = 254;

struct InfoFields {
    std::optional<std::string_view> name;
    std::optional<std::string_view> team;
};

// The info string of a user-info line is a list of key\value pairs. Reading
// it as pairs, rather than searching for "n\" and "t\", keeps a name that
// ends in "t" whole and its team right.
InfoFields ReadInfoString(std::string_view info) {
    if (info.starts_with('\\')) {
        info.remove_prefix(1);
    }
    InfoFields fields;
    std::size_t keyStart = 0;
    while (!(fields.name && fields.team)) {
        const std::size_t keyEnd = info.find('\\', keyStart);
        if (keyEnd == std::string_view::npos) {
            break;  // no more pairs; a trailing key without a value counts for nothing
        }
        const std::string_view key = info.substr(keyStart, keyEnd - keyStart);
        const std::size_t valueEnd = info.find('\\', keyEnd + 1);
        const std::string_view value = info.substr(keyEnd + 1, valueEnd - (keyEnd + 1));
        if (key == "n" && !fields.name) {
            fields.name = value;
        } else if (key == "t" && !fields.team) {
            fields.team = value;
        }
        if (valueEnd == std::string_view::npos) {
            break;
        }
        keyStart = valueEnd + 1;
    }
    return fields;
}

// The info string is what follows the client number and the white space after it.
std::string_view InfoStringOf(std::string_view line) {
    TokenCursor words(line);
    for (int word = 0; word < 3; ++word) {
        if (!words.Word()) {
            return {};
        }
    }
    std::string_view rest = words.Rest();
    while (!rest.empty() && IsSpace(rest.front())) {
        rest.remove_prefix(1);
    }
    return rest;
}

}  // namespace

void LogConversion::OnUserInfo(std::string_view line, ScanState& scan) {
    TokenCursor words(line);
    if (words.Word() && words.Word()) {
        if (const auto client = words.Int()) {
            scan.client = *client;
        }
    }

    // A key the line lacks leaves its buffer as the last line left it.
    const InfoFields fields = ReadInfoString(InfoStringOf(line));
    if (fields.name) {
        AssignBounded(scan.nameBuffer, *fields.name, ScanState::kNameWidth);
    }
    if (fields.team) {
        AssignBounded(scan.teamBuffer, *fields.team, ScanState::kTeamWidth);
    }

    CPlayer* player = m_Players.Find(scan.client);
    if (player == nullptr) {
        player = &m_Players.AddTail(scan.client);
    }
    player->m_szName.assign(scan.nameBuffer);
    RemoveColorCodes(player->m_szName);
    if (player->m_szName.size() > kPlayerFieldWidth) {
        player->m_szName.resize(kPlayerFieldWidth);
    }
    AssignBounded(player->m_szTeam, scan.teamBuffer, kPlayerFieldWidth);
}

// "  9:58 score: 15  ping: 50  client: 2 Ranger". Reading stops at the first
// word that does not fit; what was not read keeps the last line's value.
void LogConversion::OnPlayerScore(std::string_view line, ScanState& scan) {
    [&] {
        TokenCursor words(line);
        if (!words.Word() || !words.Word()) return;
        const auto score = words.Int();
        if (!score) return;
        scan.score = *score;
        if (!words.Word()) return;
        const auto ping = words.Int();
        if (!ping) return;
        scan.ping = *ping;
        if (!words.Word()) return;
        const auto client = words.Int();
        if (!client) return;
        scan.client = *client;
        const auto name = words.Word();
        if (!name) return;
        AssignBounded(scan.nameBuffer, *name, ScanState::kNameWidth);
    }();

    // A score line never announces a player: an unknown client's score is dropped.
    CPlayer* player = m_Players.Find(scan.client);
    if (player == nullptr) {
        return;
    }
    player->m_nPing = scan.ping;
    player->m_nRank = scan.nextRank++;
    player->m_nScore = scan.score;
    player->m_bScored = true;
}

// Each of ^1 to ^9 is removed in its own left-to-right pass, in digit order,
// so "^^12" loses "^1" and then the "^2" that leaves, while "^^11" keeps "^1".
std::string LogConversion::StripColorCodes(std::string name) {
    RemoveColorCodes(name);
    return name;
}

void LogConversion::RemoveColorCodes(std::string& name) {
    // Most names carry no code at all, and a removal never makes a new '^'.
    if (name.find('^') == std::string::npos) {
        return;
    }
    for (char digit = '1'; digit <= '9'; ++digit) {
        // A pass with nothing to remove leaves the name as it is; most names hold few codes.
        const char code[] = {'^', digit};
        std::size_t kept = name.find(code, 0, sizeof code);
        if (kept == std::string::npos) {
            continue;
        }
        for (std::size_t i = kept; i < name.size(); ++i) {
            if (name[i] == '^' && i + 1 < name.size() && name[i + 1] == digit) {
                ++i;
                continue;
            }
            name[kept++] = name[i];
        }
        name.resize(kept);
    }
}

}  // namespace murkwell
