// The table written for each finished game.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "page_reading.h"

namespace murkwell::testing {
namespace {

using ::testing::ElementsAre;

TEST(GameTable, CaptureTheFlagTableByteForByte) {
    const std::string tables = TablesOf(PageOf(
        "  0:00 InitGame: \\sv_hostname\\My Server\\g_gametype\\4\\mapname\\q3ctf1\\version\\Q3 1.17\r\n"
        "  0:12 ClientUserinfoChanged: 2 n\\^1Ranger\\t\\1\\model\\ranger\\hmodel\\ranger\r\n"
        "  0:13 ClientUserinfoChanged: 3 n\\Visor\\t\\2\\model\\visor\r\n"
        "  0:14 ClientUserinfoChanged: 4 n\\Watcher\\t\\3\\model\\doom\r\n"
        "  9:58 red:8  blue:6\r\n"
        "  9:58 score: 15  ping: 50  client: 2 Ranger\r\n"
        "  9:58 score: 21  ping: 12  client: 3 Visor\r\n"
        "  9:58 score: 0  ping: 999  client: 4 Watcher\r\n"
        "  9:59 ShutdownGame:\r\n"));
    EXPECT_EQ(tables,
              "<table border=\"0\" cellpadding=\"0\" cellspacing=\"1\" width=\"80%\" bgcolor=\"#18187B\">\r\n"
              "    <caption><font color=\"#FFFF33\">Capture the Flag - Map: q3ctf1</font><br><font "
              "color=\"red\">red:8</font> - <font color=\"blue\">blue:6</font></caption>\r\n"
              "    <tr bgcolor=\"#6cbcce\"> \r\n"
              "      <th>SCORE</th>\r\n"
              "      <th>PING</th>\r\n"
              "      <th>NAME</th>\r\n"
              "    </tr>\r\n"
              "    <tr>\r\n"
              "      <td>15</td>\r\n"
              "      <td>50</td>\r\n"
              "      <td><font color=\"red\">Ranger</font></td>\r\n"
              "    </tr>\r\n"
              "    <tr>\r\n"
              "      <td>21</td>\r\n"
              "      <td>12</td>\r\n"
              "      <td><font color=\"blue\">Visor</font></td>\r\n"
              "    </tr>\r\n"
              "    <tr>\r\n"
              "      <td>0</td>\r\n"
              "      <td>999</td>\r\n"
              "      <td>Watcher</font></td>\r\n"
              "    </tr>\r\n"
              "  </table>\r\n"
              "<p>&nbsp;</p>\r\n");
}

TEST(GameTable, DeathMatchHasNoTeamsAndNoColours) {
    const std::string page = PageOf(
        "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm17\\\n"
        "  0:01 ClientUserinfoChanged: 2 n\\Red\\t\\1\n"
        "  0:02 red:1  blue:2\n"
        "  9:58 score: 3  ping: 4  client: 2 Red\n"
        "  9:59 ShutdownGame:\n");
    EXPECT_THAT(Captions(page), ElementsAre("<font color=\"#FFFF33\">DeathMatch - Map: q3dm17</font>"));
    EXPECT_THAT(Rows(page), ElementsAre("3|4|Red"));
}

TEST(GameTable, GameWithoutScoreLinesHasNoTable) {
    EXPECT_EQ(TablesOf(PageOf("  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm17\\\n"
                                  "  0:01 ClientUserinfoChanged: 2 n\\Quitter\\t\\0\n"
                                  "  1:00 ShutdownGame:\n")),
              "");
}

TEST(GameTable, TextFromTheLogCannotInjectMarkUp) {
    const std::string page = PageOf(
        "  0:00 InitGame: \\g_gametype\\3\\mapname\\<script>alert(1)</script>\\\n"
        "  0:01 ClientUserinfoChanged: 2 n\\<b>Bold</b> & \"Co\"\\t\\1\n"
        "  0:02 ClientUserinfoChanged: 3 n\\</table><img src=x onerror=alert(2)>\\t\\2\n"
        "  9:00 red:<i>&amp;  blue:\"><hr>\n"
        "  9:58 score: 1  ping: 1  client: 2 x\n"
        "  9:58 score: 2  ping: 2  client: 3 x\n"
        "  9:59 ShutdownGame:\n");
    EXPECT_THAT(Captions(page),
                ElementsAre("<font color=\"#FFFF33\">Team DeathMatch - Map: &lt;script&gt;alert(1)&lt;/script&gt;"
                            "</font><br><font color=\"red\">red:&lt;i&gt;&amp;amp;</font> - "
                            "<font color=\"blue\">blue:&quot;&gt;&lt;hr&gt;</font>"));
    EXPECT_THAT(Rows(page),
                ElementsAre("1|1|<font color=\"red\">&lt;b&gt;Bold&lt;/b&gt; &amp; &quot;Co&quot;</font>",
                            "2|2|<font color=\"blue\">&lt;/table&gt;&lt;img src=x onerror=alert(2)&gt;</font>"));
    EXPECT_EQ(page.find("<script"), std::string::npos);
}

TEST(GameTable, OtherBytesOfNamesPassThrough) {
    const std::string name = "caf\xe9\x1a\x7f'%s%d\r";
    const std::string page = PageOf(
        "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm17\\\n"
        "  0:01 ClientUserinfoChanged: 2 n\\" + name + "\\t\\0\n"
        "  9:58 score: 1  ping: 1  client: 2 x\n"
        "  9:59 ShutdownGame:\n");
    EXPECT_THAT(Rows(page), ElementsAre("1|1|" + name));
}

}  // namespace
}  // namespace murkwell::testing
