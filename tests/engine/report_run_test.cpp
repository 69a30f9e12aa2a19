// The run as a whole: the page frame, and what one run leaves for the next.
// Every outcome message is checked through murkwell-cli (tests/cli).

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "murkwell/conversion.h"
#include "murkwell/version.h"
#include "page_reading.h"

namespace murkwell::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

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
    const std::string page = PageOf(next);
    EXPECT_THAT(Captions(page), ElementsAre("<font color=\"#FFFF33\">Map: </font>"));
    EXPECT_THAT(Rows(page), ElementsAre("1|2|Fresh"));
}

}  // namespace
}  // namespace murkwell::testing
