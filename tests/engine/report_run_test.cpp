// The run as a whole: its outcome messages, the page frame, and what one run
// leaves for the next.

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

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

TEST(ReportRun, MissingPathsAreReportedLogFirst) {
    ScriptedRun run;
    EXPECT_EQ(run.Start("", ""), kMsgLogMissing);
    EXPECT_EQ(run.Start("", "page.html"), kMsgLogMissing);
    EXPECT_EQ(run.Start("games.log", ""), kMsgHtmlMissing);
}

TEST(ReportRun, LogThatCannotBeOpenedLeavesThePageAlone) {
    TempDir dir;
    const fs::path page = dir.Write("page.html", "keep me");
    ScriptedRun run;
    EXPECT_EQ(run.Start(dir.Path("missing.log").string(), page.string()), kMsgCannotOpenLog);
    EXPECT_EQ(run.Start(dir.Path("").string(), page.string()), kMsgCannotOpenLog) << "a directory is no log";
    EXPECT_EQ(ReadFile(page), "keep me");
    EXPECT_FALSE(fs::exists(dir.Path("other.html")));
    EXPECT_EQ(run.Start(dir.Path("missing.log").string(), dir.Path("other.html").string()), kMsgCannotOpenLog);
    EXPECT_FALSE(fs::exists(dir.Path("other.html")));
}

TEST(ReportRun, PageThatCannotBeCreated) {
    TempDir dir;
    const fs::path log = dir.Write("games.log", kOneGame);
    ScriptedRun run;
    EXPECT_EQ(run.Start(log.string(), dir.Path("no/such/folder/page.html").string()), kMsgCannotCreateHtml);
    EXPECT_EQ(run.Start(log.string(), dir.Path("").string()), kMsgCannotCreateHtml);
}

TEST(ReportRun, NeverOverwritesTheLogWithThePage) {
    TempDir dir;
    const fs::path log = dir.Write("games.log", kOneGame);
    fs::create_symlink(log, dir.Path("link.html"));
    fs::create_hard_link(log, dir.Path("hard.html"));
    fs::create_directory(dir.Path("sub"));
    ScriptedRun run;
    for (const fs::path& page : {log, dir.Path("link.html"), dir.Path("hard.html"),
                                 dir.Path("sub/../games.log")}) {
        EXPECT_EQ(run.Start(log.string(), page.string()), kMsgHtmlWouldOverwriteLog) << page;
        EXPECT_EQ(ReadFile(log), kOneGame);
    }
}

TEST(ReportRun, FullDiskIsAFailureNotDone) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    TempDir dir;
    ScriptedRun run;
    EXPECT_EQ(run.Start(dir.Write("games.log", kOneGame).string(), "/dev/full"), kMsgCannotWriteHtml);
}

TEST(ReportRun, LogThatFailsWhileReadingIsReported) {
    // Reading a directory through a descriptor fails with EISDIR; /proc/self/mem
    // opens fine and fails on the first read at offset 0.
    if (!fs::exists("/proc/self/mem")) {
        GTEST_SKIP() << "no /proc here";
    }
    TempDir dir;
    ScriptedRun run;
    EXPECT_EQ(run.Start("/proc/self/mem", dir.Path("page.html").string()), kMsgCannotReadLog);
}

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
