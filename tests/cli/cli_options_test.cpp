// The command line itself: help, version, and what is not understood.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run_process.h"

namespace murkwell::testing {
namespace {

namespace fs = std::filesystem;

ProcessResult RunCli(const std::vector<std::string>& arguments, const fs::path& folder) {
    return RunProcess(MURKWELL_CLI_PATH, arguments, folder);
}

TEST(CliOptions, HelpPrintsUsageAndConvertsNothing) {
    ScratchFolder folder;
    folder.Write("games.log", "");
    const ProcessResult result = RunCli({"--help"}, folder.Root());
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_TRUE(result.out.starts_with("Usage: murkwell-cli [LOG [PAGE]]\n")) << result.out;
    EXPECT_EQ(result.err, "");
    EXPECT_FALSE(fs::exists(folder.Path("murkwells.html")));
}

TEST(CliOptions, VersionIsTheProgramsVersionText) {
    ScratchFolder folder;
    const ProcessResult result = RunCli({"--version"}, folder.Root());
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "murkwell-cli 1.0 Build 4\n");
    EXPECT_EQ(result.err, "");
}

// A usage error prints the usage on standard error, exits 2 and touches no file.
TEST(CliOptions, UsageErrors) {
    ScratchFolder folder;
    folder.Write("games.log", "");
    const std::vector<std::vector<std::string>> mistakes = {
        {"--bogus"}, {"-x", "games.log"}, {"games.log", "page.html", "--verbose"}, {"a.log", "b.html", "c.html"}};
    for (const auto& arguments : mistakes) {
        const ProcessResult result = RunCli(arguments, folder.Root());
        EXPECT_EQ(result.exitStatus, 2) << arguments.front();
        EXPECT_EQ(result.out, "") << arguments.front();
        EXPECT_NE(result.err.find("Usage: murkwell-cli [LOG [PAGE]]\n"), std::string::npos) << arguments.front();
    }
    EXPECT_FALSE(fs::exists(folder.Path("murkwells.html")));
    EXPECT_FALSE(fs::exists(folder.Path("page.html")));
}

TEST(CliOptions, DoubleDashLetsPathsStartWithADash) {
    ScratchFolder folder;
    folder.Write("-games.log", "");
    const ProcessResult result = RunCli({"--", "-games.log", "-page.html"}, folder.Root());
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "Done!\n");
    EXPECT_TRUE(fs::exists(folder.Path("-page.html")));
}

}  // namespace
}  // namespace murkwell::testing
