#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "log_file.h"
#include "page_file.h"
#include "player_list.h"

namespace murkwell {

struct ScanState;

// One conversion of a server log into the statistics page, and the state it
// keeps while it reads. A front end derives from it and supplies the two
// things a run needs from the user: the two paths, and a way to show the
// outcome. Both front ends run the same OnStart.
class CReportRun {
public:
    CReportRun() = default;
    CReportRun(const CReportRun&) = delete;
    CReportRun& operator=(const CReportRun&) = delete;
    virtual ~CReportRun() = default;

    // What "&Start" does: take the paths, write the page, report the outcome.
    void OnStart();

    // The name without the game's colour codes ^1 to ^9.
    static std::string StripColorCodes(std::string name);

protected:
    // Copies the texts of the log and page path boxes into m_strLogEdit and m_strHtmlEdit.
    virtual void ReadPathBoxes() = 0;
    // Shows one message to the user and returns when it has been acknowledged.
    virtual void ShowMessage(const std::string& text) = 0;

    std::unique_ptr<PageFile> m_pHtmlFile;
    std::unique_ptr<LogFile> m_pLogFile;
    std::string m_strHtmlPath;
    std::string m_strLogPath;
    std::string m_szMapName;
    bool m_bTeamGame = false;
    bool m_bCtfGame = false;
    bool m_bDmGame = false;
    CPlayerList m_Players;
    std::string m_szBlueScore;
    std::string m_szRedScore;
    std::string m_strLogEdit;
    std::string m_strHtmlEdit;

private:
    std::string_view Convert();
    void ResetGameState();
    void WritePageHead();
    void WritePageFoot();

    void ParseLog();
    void OnGameStart(std::string_view line, ScanState& scan);
    void OnGameEnd(ScanState& scan);
    void OnUserInfo(std::string_view line, ScanState& scan);
    void OnTeamScores(std::string_view line, ScanState& scan);
    void OnPlayerScore(std::string_view line, ScanState& scan);

    void WriteGameTable();

    static void RemoveColorCodes(std::string& name);
};

}  // namespace murkwell
