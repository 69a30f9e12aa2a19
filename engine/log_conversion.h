#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "log_file.h"
#include "murkwell/conversion.h"
#include "page_file.h"
#include "player_list.h"

namespace murkwell {

struct ScanState;

// One conversion of a server log into the statistics page, with the state it
// keeps while it reads: the game being followed and its roster.
class LogConversion {
public:
    LogConversion() = default;
    LogConversion(const LogConversion&) = delete;
    LogConversion& operator=(const LogConversion&) = delete;

    // Both files are closed when the conversion ends, whatever the outcome.
    Outcome Run(const ConversionRequest& request);

    // The name without the game's colour codes ^1 to ^9.
    static std::string StripColorCodes(std::string name);

private:
    void WritePageHead();
    void WritePageFoot();

    void ParseLog();
    void OnGameStart(std::string_view line, ScanState& scan);
    void OnGameEnd(ScanState& scan);
    void OnUserInfo(std::string_view line, ScanState& scan);
    void OnTeamScores(std::string_view line, ScanState& scan);
    void OnPlayerScore(std::string_view line, ScanState& scan);

    void WriteGameTable();
    void WriteCaption();
    void WriteHeaderRow();
    void WritePlayerRow(const CPlayer& player);
    bool IsTeamGame() const { return m_bTeamGame || m_bCtfGame; }

    static void RemoveColorCodes(std::string& name);

    std::unique_ptr<PageFile> m_pHtmlFile;
    std::unique_ptr<LogFile> m_pLogFile;
    std::string m_szMapName;
    bool m_bTeamGame = false;
    bool m_bCtfGame = false;
    bool m_bDmGame = false;
    CPlayerList m_Players;
    std::string m_szBlueScore;
    std::string m_szRedScore;
};

}  // namespace murkwell
