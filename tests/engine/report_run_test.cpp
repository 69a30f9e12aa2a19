// The run as a whole: the page frame, and what one run leaves for the next.
// Every outcome message is checked through murkwell-cli (tests/cli).

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "messages.h"
#include "scripted_run.h"

namespace murkwell::testing {
namespace {

namespace fs = std::filesystem;

const std::string kOneGame =
    "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm6\\\n"
    "  0:01 ClientUserinfoChanged: 2 n\\Ranger\\t\\0\\model\\ranger\n"
    "  9:58 score: 15  ping: 50  client: 2 Ranger\n"
    "  9:59 ShutdownGame:\n";

TEST(ReportRun, LogWithoutFinishedGamesGivesTheBareFrame) {
    const std::string page = ConvertLog(
        "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm6\n"
        "  0:01 ClientUserinfoChanged: 2 n\\Ranger\\t\\0\n"
        "  0:02 score: 15  ping: 50  client: 2 Ranger\n");
    EXPECT_EQ(TablesOf(page), "");
    EXPECT_TRUE(page.starts_with(kPageHead));
    EXPECT_TRUE(page.ends_with(PageFoot()));
    EXPECT_NE(page.find("<font face=\"Arial\" size=\"1\">Content generated with Murkwell v1.0 Build 4 - "),
              std::string::npos);
    EXPECT_EQ(ConvertLog(""), page);
}

TEST(ReportRun, RunningAgainReplacesThePage) {
    TempDir dir;
    const fs::path log = dir.Write("games.log", kOneGame);
    const fs::path page = dir.Write("page.html", std::string(100000, '~'));
    ScriptedRun run;
    ASSERT_EQ(run.Start(log.string(), page.string()), kMsgDone);
    const std::string first = ReadFile(page);
    ASSERT_EQ(run.Start(log.string(), page.string()), kMsgDone);
    EXPECT_EQ(ReadFile(page), first);
    EXPECT_EQ(first.find('~'), std::string::npos);
}

TEST(ReportRun, NothingOfOneRunShowsUpInTheNext) {
    TempDir dir;
    // Ends inside a game: its players, map, type and team scores are left over.
    const fs::path unfinished = dir.Write("a.log",
        "  0:00 InitGame: \\g_gametype\\4\\mapname\\q3ctf1\n"
        "  0:01 ClientUserinfoChanged: 7 n\\Leftover\\t\\1\n"
        "  9:00 red:8  blue:6\n"
        "  9:00 score: 3  ping: 9  client: 7 Leftover\n");
    // A game whose start line names neither map nor type, with a new player.
    const fs::path next = dir.Write("b.log",
        "  0:00 InitGame: \\sv_hostname\\x\n"
        "  0:01 ClientUserinfoChanged: 2 n\\Fresh\\t\\2\n"
        "  9:00 score: 1  ping: 2  client: 2 Fresh\n"
        "  9:01 ShutdownGame:\n");
    ScriptedRun run;
    ASSERT_EQ(run.Start(unfinished.string(), dir.Path("a.html").string()), kMsgDone);
    ASSERT_EQ(run.Start(next.string(), dir.Path("b.html").string()), kMsgDone);
    EXPECT_EQ(ReadFile(dir.Path("b.html")), ConvertLog(ReadFile(next)));
}

}  // namespace
}  // namespace murkwell::testing
