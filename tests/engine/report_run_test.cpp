// The run as a whole: the page frame, and what one run leaves for the next.
// Every outcome message is checked through murkwell-cli (tests/cli).

#include <filesystem>

#include <gtest/gtest.h>

#include "murkwell/conversion.h"
#include "murkwell/version.h"
#include "page_reading.h"

namespace murkwell::testing {
namespace {

namespace fs = std::filesystem;

const std::string kOneGame =
    "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm6\\\n"
    "  0:01 ClientUserinfoChanged: 2 n\\Ranger\\t\\0\\model\\ranger\n"
    "  9:58 score: 15  ping: 50  client: 2 Ranger\n"
    "  9:59 ShutdownGame:\n";

TEST(ReportRun, LogWithoutFinishedGamesGivesTheBareFrame) {
    const std::string page = PageOf(
        "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm6\n"
        "  0:01 ClientUserinfoChanged: 2 n\\Ranger\\t\\0\n"
        "  0:02 score: 15  ping: 50  client: 2 Ranger\n");
    EXPECT_EQ(TablesOf(page), "");
    EXPECT_TRUE(page.starts_with("<html>\r\n<head>\r\n<title>Murkwell Results</title>\r\n"));
    EXPECT_TRUE(page.ends_with("</font>\r\n</div>\r\n</body>\r\n</html>\r\n"));
    EXPECT_NE(page.find(std::string("<font face=\"Arial\" size=\"1\">Content generated with Murkwell v") + kVersionText + " - "),
              std::string::npos);
    EXPECT_EQ(PageOf(""), page);
}

TEST(ReportRun, RunningAgainReplacesThePage) {
    const ScratchFolder dir;
    const fs::path log = dir.Write("games.log", kOneGame);
    const fs::path page = dir.Write("page.html", "<html>" + std::string(100000, '~'));
    ASSERT_TRUE(ConvertLog(log.string(), page.string()).Succeeded());
    const std::string first = ReadBytes(page);
    ASSERT_TRUE(ConvertLog(log.string(), page.string()).Succeeded());
    EXPECT_EQ(ReadBytes(page), first);
    EXPECT_EQ(first.find('~'), std::string::npos);
}

TEST(ReportRun, NothingOfOneRunShowsUpInTheNext) {
    const ScratchFolder dir;
    // Ends inside a game: its players, map, type and team scores are left over.
    const fs::path unfinished = dir.Write("a.log",
        "  0:00 InitGame: \\g_gametype\\4\\mapname\\q3ctf1\n"
        "  0:01 ClientUserinfoChanged: 7 n\\Leftover\\t\\1\n"
        "  9:00 red:8  blue:6\n"
        "  9:00 score: 3  ping: 9  client: 7 Leftover\n");
    // A game whose start line names neither map nor type, with a new player.
    const std::string next =
        "  0:00 InitGame: \\sv_hostname\\x\n"
        "  0:01 ClientUserinfoChanged: 2 n\\Fresh\\t\\2\n"
        "  9:00 score: 1  ping: 2  client: 2 Fresh\n"
        "  9:01 ShutdownGame:\n";
    ASSERT_TRUE(ConvertLog(unfinished.string(), dir.Path("a.html").string()).Succeeded());
    EXPECT_EQ(TablesOf(PageOf(next)),
              "<table border=\"0\" cellpadding=\"0\" cellspacing=\"1\" width=\"80%\" bgcolor=\"#18187B\">\r\n"
              "    <caption><font color=\"#FFFF33\">Map: </font></caption>\r\n"
              "    <tr bgcolor=\"#6cbcce\"> \r\n"
              "      <th>SCORE</th>\r\n"
              "      <th>PING</th>\r\n"
              "      <th>NAME</th>\r\n"
              "    </tr>\r\n"
              "    <tr>\r\n"
              "      <td>1</td>\r\n"
              "      <td>2</td>\r\n"
              "      <td>Fresh</td>\r\n"
              "    </tr>\r\n"
              "  </table>\r\n"
              "<p>&nbsp;</p>\r\n");
}

}  // namespace
}  // namespace murkwell::testing
