// murkwell-cli as a shell or a cron job sees it: for each way of calling it,
// what it prints on which stream, its exit status, and what it leaves on disk.

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "murkwell/version.h"
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
const std::string kOldPage = "the page of an earlier run";
const std::string kUsage = "Usage: murkwell-cli [LOG [PAGE]]\n";  // expected anywhere in its stream

// Devices, /proc and symbolic links that Windows (or Wine) lacks; names that
// are one file only where names ignore letter case.
enum class Systems { kAll, kPosix, kWindows };
#ifdef _WIN32
constexpr Systems kThisSystem = Systems::kWindows;
#else
constexpr Systems kThisSystem = Systems::kPosix;
#endif

struct Call {
    std::vector<std::string> arguments;
    int exitStatus;
    std::string out;
    std::string err;
    std::string creates = "";   // the one new file the call leaves in the folder
    std::string stdoutTo = "";  // standard output redirected here instead of captured
    bool needsLock = false;     // relies on a locked file, which root can open anyway
    Systems systems = Systems::kAll;
};

const Call kCalls[] = {
    {{"games.log", "new.html"}, 0, "Done!\n", "", "new.html"},
    {{}, 0, "Done!\n", "", "murkwells.html"},
    {{"games.log"}, 0, "Done!\n", "", "murkwells.html"},
    {{"--", "games.log", "-new.html"}, 0, "Done!\n", "", "-new.html"},
    {{"games.log", "new.html"}, 1, "", "", "new.html", "/dev/full", false, Systems::kPosix},  // "Done!" nobody can read
    {{""}, 1, "", "Log Filename missing.\n"},
    {{"", "new.html"}, 1, "", "Log Filename missing.\n"},
    {{"games.log", ""}, 1, "", "HTML Filename missing.\n"},
    {{"missing.log", "old.html"}, 1, "", "Unable to open Log File.\n"},
    {{"missing.log", "new.html"}, 1, "", "Unable to open Log File.\n"},
    {{"dir", "old.html"}, 1, "", "Unable to open Log File.\n"},
    {{"dir", "new.html"}, 1, "", "Unable to open Log File.\n"},
    {{"locked.log", "new.html"}, 1, "", "Unable to open Log File.\n", "", "", true},
    // Opens, then EIO on the first read; the head already written stays behind.
    {{"/proc/self/mem", "new.html"}, 1, "", "Unable to read the Log File.\n", "new.html", "", false, Systems::kPosix},
    {{"games.log", "no such folder/new.html"}, 1, "", "Unable to Create the HTML File.\n"},
    {{"games.log", "dir"}, 1, "", "Unable to Create the HTML File.\n"},
    {{"games.log", "locked/new.html"}, 1, "", "Unable to Create the HTML File.\n", "", "", true, Systems::kPosix},
    {{"games.log", "locked.html"}, 1, "", "Unable to Create the HTML File.\n", "", "", true},
    {{"games.log", "games.log"}, 1, "", "The HTML File would overwrite the Log File.\n"},
    {{"games.log", "./dir/../games.log"}, 1, "", "The HTML File would overwrite the Log File.\n"},
    {{"games.log", "link.html"}, 1, "", "The HTML File would overwrite the Log File.\n", "", "", false, Systems::kPosix},
    {{"games.log", "hard.html"}, 1, "", "The HTML File would overwrite the Log File.\n"},
    {{"games.log", "here/games.log"}, 1, "", "The HTML File would overwrite the Log File.\n", "", "", false, Systems::kPosix},
    {{"games.log", "GAMES.LOG"}, 1, "", "The HTML File would overwrite the Log File.\n", "", "", false, Systems::kWindows},
    {{"games.log", "/dev/full"}, 1, "", "Unable to write the HTML File.\n", "", "", false, Systems::kPosix},
    {{"--help"}, 0, kUsage, ""},
    {{"--version"}, 0, "murkwell-cli "s + kVersionText + "\n", ""},
    {{"--bogus"}, 2, "", kUsage},
    {{"games.log", "new.html", "--verbose"}, 2, "", kUsage},
    {{"games.log", "new.html", "c.html"}, 2, "", kUsage},
};

std::set<std::string> NamesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

void ExpectStream(const std::string& actual, const std::string& expected) {
    const bool matches = expected == kUsage ? actual.find(kUsage) != std::string::npos : actual == expected;
    EXPECT_TRUE(matches) << "got \"" << actual << "\", expected \"" << expected << '"';
}

TEST(Cli, EachCallPrintsItsOutcomeAndLeavesTheLogAndEarlierPageAlone) {
    for (const Call& call : kCalls) {
        SCOPED_TRACE(::testing::PrintToString(call.arguments) + " >" + call.stdoutTo);
        if ((call.needsLock && !HeldLocked::Holds()) || (call.systems != Systems::kAll && call.systems != kThisSystem)) {
            continue;
        }
        const ScratchFolder folder;
        folder.Write("games.log", kLog);
        folder.Write("old.html", kOldPage);
        folder.Write("locked.log", kLog);
        folder.Write("locked.html", kOldPage);
        fs::create_directory(folder.Path("dir"));
        fs::create_hard_link(folder.Path("games.log"), folder.Path("hard.html"));
        if (kThisSystem == Systems::kPosix) {
            fs::create_directory(folder.Path("locked"));
            fs::permissions(folder.Path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
            fs::create_symlink("games.log", folder.Path("link.html"));
            fs::create_directory_symlink(".", folder.Path("here"));
        }
        std::set<std::string> names = NamesIn(folder.Root());
        const HeldLocked lockedLog(folder.Path("locked.log"));
        const HeldLocked lockedPage(folder.Path("locked.html"));

        const ProcessResult result = RunProcess(MURKWELL_CLI_PATH, call.arguments, folder.Root(), call.stdoutTo);
        EXPECT_EQ(result.exitStatus, call.exitStatus);
        ExpectStream(result.out, call.out);
        ExpectStream(result.err, call.err);
        EXPECT_EQ(ReadBytes(folder.Path("games.log")), kLog);
        EXPECT_EQ(ReadBytes(folder.Path("old.html")), kOldPage);
        if (!call.creates.empty()) {
            names.insert(call.creates);
            EXPECT_EQ(ReadBytes(folder.Path(call.creates)).ends_with("</html>\r\n"), call.err.empty());
        }
        EXPECT_EQ(NamesIn(folder.Root()), names);
    }
}

}  // namespace
}  // namespace murkwell::testing
