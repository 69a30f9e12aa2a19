// murkwell-cli as a shell or a cron job sees it: which message each outcome
// prints, on which stream, with which exit status, and what is left on disk.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run_process.h"

namespace murkwell::testing {
namespace {

namespace fs = std::filesystem;

const std::string kOneGame =
    "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm6\\\n"
    "  0:01 ClientUserinfoChanged: 2 n\\Ranger\\t\\0\\model\\ranger\n"
    "  9:58 score: 15  ping: 50  client: 2 Ranger\n"
    "  9:59 ShutdownGame:\n";

ProcessResult RunCli(const std::vector<std::string>& arguments, const fs::path& folder) {
    return RunProcess(MURKWELL_CLI_PATH, arguments, folder);
}

// Every failure is one line on standard error and exit status 1, nothing on standard output.
void ExpectFailure(const ProcessResult& result, const std::string& message) {
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, message + "\n");
    EXPECT_EQ(result.out, "");
}

bool RunningAsRoot() { return geteuid() == 0; }

TEST(CliOutcome, DoneOnStandardOutputWithStatusZero) {
    ScratchFolder folder;
    folder.Write("server.log", kOneGame);
    const ProcessResult result = RunCli({"server.log", "stats.html"}, folder.Root());
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "Done!\n");
    EXPECT_EQ(result.err, "");
    const std::string page = ReadBytes(folder.Path("stats.html"));
    EXPECT_TRUE(page.starts_with("<html>\r\n"));
    EXPECT_TRUE(page.ends_with("</html>\r\n"));
    EXPECT_NE(page.find("<td>Ranger</td>"), std::string::npos);
}

TEST(CliOutcome, PathsDefaultToGamesLogAndMurkwellsHtml) {
    ScratchFolder folder;
    folder.Write("games.log", kOneGame);
    EXPECT_EQ(RunCli({}, folder.Root()).out, "Done!\n");
    EXPECT_TRUE(fs::exists(folder.Path("murkwells.html")));

    folder.Write("other.log", "");
    fs::remove(folder.Path("murkwells.html"));
    EXPECT_EQ(RunCli({"other.log"}, folder.Root()).out, "Done!\n");
    EXPECT_TRUE(fs::exists(folder.Path("murkwells.html")));
}

TEST(CliOutcome, EmptyArgumentsAreEmptyPathBoxes) {
    ScratchFolder folder;
    folder.Write("games.log", kOneGame);
    ExpectFailure(RunCli({""}, folder.Root()), "Log Filename missing.");
    ExpectFailure(RunCli({"", ""}, folder.Root()), "Log Filename missing.");
    ExpectFailure(RunCli({"", "page.html"}, folder.Root()), "Log Filename missing.");
    ExpectFailure(RunCli({"games.log", ""}, folder.Root()), "HTML Filename missing.");
    EXPECT_FALSE(fs::exists(folder.Path("page.html")));
    EXPECT_FALSE(fs::exists(folder.Path("murkwells.html")));
}

// A log that cannot be read must not cost the user the page of an earlier run.
class UnreadableLog : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        folder.Write("old.html", "the page of an earlier run");
        fs::create_directory(folder.Path("a folder"));
        folder.Write("locked.log", kOneGame);
        fs::permissions(folder.Path("locked.log"), fs::perms::none);
    }
    ScratchFolder folder;
};

TEST_P(UnreadableLog, LeavesThePageUntouchedAndCreatesNone) {
    if (GetParam() == "locked.log" && RunningAsRoot()) {
        GTEST_SKIP() << "root can read a file without read permission";
    }
    ExpectFailure(RunCli({GetParam(), "old.html"}, folder.Root()), "Unable to open Log File.");
    EXPECT_EQ(ReadBytes(folder.Path("old.html")), "the page of an earlier run");

    ExpectFailure(RunCli({GetParam(), "new.html"}, folder.Root()), "Unable to open Log File.");
    EXPECT_FALSE(fs::exists(folder.Path("new.html")));
}

INSTANTIATE_TEST_SUITE_P(CliOutcome, UnreadableLog, ::testing::Values("missing.log", "a folder", "locked.log"),
                         [](const auto& info) {
                             return info.index == 0 ? "Missing" : info.index == 1 ? "Folder" : "NoReadPermission";
                         });

TEST(CliOutcome, ReadErrorInTheMiddleOfTheLog) {
    // Reading the process's own memory at offset 0 opens fine and fails on the first read.
    if (!fs::exists("/proc/self/mem")) {
        GTEST_SKIP() << "no /proc here";
    }
    ScratchFolder folder;
    ExpectFailure(RunCli({"/proc/self/mem", "page.html"}, folder.Root()), "Unable to read the Log File.");
}

TEST(CliOutcome, PageThatCannotBeCreatedLeavesTheLogAlone) {
    ScratchFolder folder;
    folder.Write("games.log", kOneGame);
    fs::create_directory(folder.Path("a folder"));
    ExpectFailure(RunCli({"games.log", "no such folder/page.html"}, folder.Root()), "Unable to Create the HTML File.");
    ExpectFailure(RunCli({"games.log", "a folder"}, folder.Root()), "Unable to Create the HTML File.");
    EXPECT_FALSE(fs::exists(folder.Path("no such folder")));
    EXPECT_EQ(ReadBytes(folder.Path("games.log")), kOneGame);
}

TEST(CliOutcome, PageInAFolderWithoutWritePermission) {
    if (RunningAsRoot()) {
        GTEST_SKIP() << "root can write into any folder";
    }
    ScratchFolder folder;
    folder.Write("games.log", kOneGame);
    fs::create_directory(folder.Path("locked"));
    fs::permissions(folder.Path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    ExpectFailure(RunCli({"games.log", "locked/page.html"}, folder.Root()), "Unable to Create the HTML File.");
    EXPECT_FALSE(fs::exists(folder.Path("locked/page.html")));
}

TEST(CliOutcome, FullDiskIsAFailureNotDone) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    ScratchFolder folder;
    folder.Write("games.log", kOneGame);
    ExpectFailure(RunCli({"games.log", "/dev/full"}, folder.Root()), "Unable to write the HTML File.");
    EXPECT_EQ(ReadBytes(folder.Path("games.log")), kOneGame);
}

}  // namespace
}  // namespace murkwell::testing
