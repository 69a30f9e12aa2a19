// A page path that leads back to the log, however it is spelled, must be
// refused before the page is opened: opening it would empty the log.

#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "run_process.h"

namespace murkwell::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// Bytes a careless rewrite would change: CR LF, a NUL, 0x1A, a byte above 0x7F, no final line feed.
const std::string kLog =
    "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm6\\\r\n"
    "  0:01 ClientUserinfoChanged: 2 n\\Ran\0ger\\t\\0\\model\\ranger\n"
    "\x1a  9:58 score: 15  ping: 50  client: 2 R\xe9nger\n"
    "  9:59 ShutdownGame:"s;

struct PageSpelling {
    const char* name;
    void (*prepare)(const ScratchFolder& folder);
    const char* pagePath;
};

// Names the case in the test log instead of dumping the struct's bytes.
void PrintTo(const PageSpelling& spelling, std::ostream* out) { *out << '"' << spelling.pagePath << '"'; }

void Nothing(const ScratchFolder&) {}
void SubFolder(const ScratchFolder& folder) { fs::create_directory(folder.Path("sub")); }
void SymbolicLink(const ScratchFolder& folder) { fs::create_symlink("games.log", folder.Path("link.html")); }
void HardLink(const ScratchFolder& folder) { fs::create_hard_link(folder.Path("games.log"), folder.Path("hard.html")); }
void LinkedFolder(const ScratchFolder& folder) { fs::create_directory_symlink(".", folder.Path("here")); }

class PageNamesTheLog : public ::testing::TestWithParam<PageSpelling> {};

TEST_P(PageNamesTheLog, LogIsLeftByteForByte) {
    ScratchFolder folder;
    folder.Write("games.log", kLog);
    GetParam().prepare(folder);

    const ProcessResult result = RunProcess(MURKWELL_CLI_PATH, {"games.log", GetParam().pagePath}, folder.Root());
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "The HTML File would overwrite the Log File.\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(ReadBytes(folder.Path("games.log")), kLog);
}

INSTANTIATE_TEST_SUITE_P(
    CliSameFile, PageNamesTheLog,
    ::testing::Values(PageSpelling{"SamePath", Nothing, "games.log"},
                      PageSpelling{"OtherSpelling", SubFolder, "./sub/../games.log"},
                      PageSpelling{"SymbolicLink", SymbolicLink, "link.html"},
                      PageSpelling{"HardLink", HardLink, "hard.html"},
                      PageSpelling{"ThroughLinkedFolder", LinkedFolder, "here/games.log"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace murkwell::testing
