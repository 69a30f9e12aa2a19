#include <algorithm>
#include <string>
#include <vector>

#include "log_conversion.h"

namespace murkwell {

// Appends the table of the game that just ended: one row per player with a
// score line, in the order of those lines, which is how the server lists the
// final standings. Rows are never re-sorted by score.
void LogConversion::WriteGameTable() {
    std::vector<CPlayer*> rows;
    for (const auto& player : m_Players) {
        if (player->m_bScored) {
            rows.push_back(player.get());
        }
    }
    if (rows.empty()) {
        return;
    }
    // Equal ranks can only come from a game restarted without an end; the
    // player announced first then comes first.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const CPlayer* a, const CPlayer* b) { return a->m_nRank < b->m_nRank; });

    m_pHtmlFile->WriteLine(
        "<table border=\"0\" cellpadding=\"0\" cellspacing=\"1\" width=\"80%\" bgcolor=\"#18187B\">");
    WriteCaption();
    WriteHeaderRow();
    for (CPlayer* player : rows) {
        WritePlayerRow(*player);
        player->m_bScored = false;
    }
    m_pHtmlFile->WriteLine("  </table>");
    m_pHtmlFile->WriteLine("<p>&nbsp;</p>");
}

// The game type and map, and the team scores of a team game.
void LogConversion::WriteCaption() {
    PageFile& page = *m_pHtmlFile;
    page.Write("    <caption><font color=\"#FFFF33\">");
    if (m_bDmGame) {
        page.Write("DeathMatch - ");
    }
    if (m_bTeamGame) {
        page.Write("Team DeathMatch - ");
    }
    if (m_bCtfGame) {
        page.Write("Capture the Flag - ");
    }
    page.Write("Map: ");
    page.WriteEscaped(m_szMapName);
    page.Write("</font>");
    if (IsTeamGame()) {
        page.Write("<br><font color=\"red\">");
        page.WriteEscaped(m_szRedScore);
        page.Write("</font> - <font color=\"blue\">");
        page.WriteEscaped(m_szBlueScore);
        page.Write("</font>");
    }
    page.WriteLine("</caption>");
}

void LogConversion::WriteHeaderRow() {
    PageFile& page = *m_pHtmlFile;
    page.WriteLine("    <tr bgcolor=\"#6cbcce\"> ");
    page.WriteLine("      <th>SCORE</th>");
    page.WriteLine("      <th>PING</th>");
    page.WriteLine("      <th>NAME</th>");
    page.WriteLine("    </tr>");
}

// In a team game the name takes its team's colour; a team other than red
// and blue gets no colour, but its cell is closed the same way.
void LogConversion::WritePlayerRow(const CPlayer& player) {
    PageFile& page = *m_pHtmlFile;
    page.WriteLine("    <tr>");
    page.Write("      <td>");
    page.Write(std::to_string(player.m_nScore));
    page.WriteLine("</td>");
    page.Write("      <td>");
    page.Write(std::to_string(player.m_nPing));
    page.WriteLine("</td>");
    page.Write("      <td>");
    if (IsTeamGame()) {
        if (player.m_szTeam == "1") {
            page.Write("<font color=\"red\">");
        }
        if (player.m_szTeam == "2") {
            page.Write("<font color=\"blue\">");
        }
    }
    page.WriteEscaped(player.m_szName);
    if (IsTeamGame()) {
        page.Write("</font>");
    }
    page.WriteLine("</td>");
    page.WriteLine("    </tr>");
}

}  // namespace murkwell
