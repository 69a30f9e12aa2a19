#include <algorithm>
#include <vector>

#include "report_run.h"

namespace murkwell {

// Appends the table of the game that just ended: one row per player with a
// score line, in the order of those lines, which is how the server lists the
// final standings. Rows are never re-sorted by score.
void CReportRun::WriteGameTable() {
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

    const bool teamGame = m_bTeamGame || m_bCtfGame;
    PageFile& page = *m_pHtmlFile;

    page.WriteLine(
        "<table border=\"0\" cellpadding=\"0\" cellspacing=\"1\" width=\"80%\" bgcolor=\"#18187B\">");
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
    if (teamGame) {
        page.Write("<br><font color=\"red\">");
        page.WriteEscaped(m_szRedScore);
        page.Write("</font> - <font color=\"blue\">");
        page.WriteEscaped(m_szBlueScore);
        page.Write("</font>");
    }
    page.WriteLine("</caption>");
    page.WriteLine("    <tr bgcolor=\"#6cbcce\"> ");
    page.WriteLine("      <th>SCORE</th>");
    page.WriteLine("      <th>PING</th>");
    page.WriteLine("      <th>NAME</th>");
    page.WriteLine("    </tr>");

    for (CPlayer* player : rows) {
        page.WriteLine("    <tr>");
        page.Write("      <td>");
        page.Write(std::to_string(player->m_nScore));
        page.WriteLine("</td>");
        page.Write("      <td>");
        page.Write(std::to_string(player->m_nPing));
        page.WriteLine("</td>");
        page.Write("      <td>");
        if (teamGame) {
            if (player->m_szTeam == "1") {
                page.Write("<font color=\"red\">");
            }
            if (player->m_szTeam == "2") {
                page.Write("<font color=\"blue\">");
            }
        }
        page.WriteEscaped(player->m_szName);
        if (teamGame) {
            page.Write("</font>");
        }
        page.WriteLine("</td>");
        page.WriteLine("    </tr>");
        player->m_bScored = false;
    }
    page.WriteLine("  </table>");
    page.WriteLine("<p>&nbsp;</p>");
}

}  // namespace murkwell
