// murkwell-cli as a shell or a cron job sees it: for each way of calling it,
// what it prints on which stream, its exit status, and what it leaves on disk.

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <set>
#include <string>
#include <utility>
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
const std::string kOldPage = "the page of an earlier run";       // no HTML: never replaced
const std::string kHtmlPage = "\xef\xbb\xbf \r\n<html>an earlier page</html>";  // replaced
const std::string kUsage = "Usage: murkwell-cli [-q] [LOG [PAGE]]\n";  // expected anywhere in its stream

// What a call needs of the system or the build. Windows (and Wine) lacks the
// devices, /proc, named pipes in folders and symbolic links; names that differ
// only in letter case are one file there. The Windows build reads no
// compressed logs.
#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif
constexpr bool kPosix = !kWindows;
constexpr bool kCompression = MURKWELL_COMPRESSED_LOGS;
constexpr bool kNoCompression = !kCompression;

struct Call {
    std::vector<std::string> arguments;
    int exitStatus;
    std::string out;
    std::string err;
    std::string creates = "";    // the one file the call writes, new or replaced
    std::string stdoutTo = "";   // standard output redirected here instead of captured
    bool needsLock = false;      // relies on a lock or a permission, which root ignores
    std::string stdinFrom = "";  // a file of the folder as standard input
    bool runsHere = true;        // false where the system or the build lacks what the call needs
};

const Call kCalls[] = {
    {{"games.log", "new.html"}, 0, "Done!\n", "", "new.html"},
    {{}, 0, "Done!\n", "", "murkwells.html"},
    {{"games.log"}, 0, "Done!\n", "", "murkwells.html"},
    {{"--", "games.log", "-new.html"}, 0, "Done!\n", "", "-new.html"},
    {{"games.log", "page.html"}, 0, "Done!\n", "", "page.html"},
    {{"games.log.gz", "page.html"}, 0, "Done!\n", "", "page.html", "", false, "", kCompression},
    {{"-q", "games.log", "new.html"}, 0, "", "", "new.html"},
    {{"games.log", "--quiet", "page.html"}, 0, "", "", "page.html"},
    {{"-", "new.html"}, 0, "Done!\n", "", "new.html", "", false, "games.log"},
    {{"-", "new.html"}, 0, "Done!\n", "", "new.html", "", false, "games.log.gz", kCompression},
    {{"games.log", "-"}, 0, "", "", "new.html", "new.html"},  // the page alone on standard output
    {{"-", "-"}, 0, "", "", "new.html", "new.html", false, "games.log"},
    {{"games.log", "new.html"}, 1, "", "", "new.html", "/dev/full", false, "", kPosix},  // "Done!" nobody can read
    {{""}, 1, "", "Log Filename missing.\n"},
    {{"", "new.html"}, 1, "", "Log Filename missing.\n"},
    {{"games.log", ""}, 1, "", "HTML Filename missing.\n"},
    {{"missing.log", "page.html"}, 1, "", "Unable to open Log File.\nmurkwell-cli: missing.log: No such file or directory\n"},
    {{"missing.log", "new.html"}, 1, "", "Unable to open Log File.\nmurkwell-cli: missing.log: No such file or directory\n"},
    {{"dir", "page.html"}, 1, "", "Unable to open Log File.\nmurkwell-cli: dir: Is a directory\n"},
    {{"locked.log", "new.html"}, 1, "", "Unable to open Log File.\nmurkwell-cli: locked.log: Permission denied\n", "", "", true},
    // Opens, then EIO on the first read: the earlier page stays as it was.
    {{"/proc/self/mem", "page.html"}, 1, "", "Unable to read the Log File.\nmurkwell-cli: /proc/self/mem: Input/output error\n", "", "", false, "", kPosix},
    {{"damaged.gz", "page.html"}, 1, "", "Unable to read the Log File.\nmurkwell-cli: damaged.gz: unexpected end of file\n", "", "", false, "", kCompression},
    {{"games.log.gz", "page.html"}, 1, "", "Unable to read the Log File.\nmurkwell-cli: games.log.gz: this build reads only uncompressed logs\n", "", "", false, "", kNoCompression},
    {{"games.log", "no such folder/new.html"}, 1, "",
     "Unable to Create the HTML File.\nmurkwell-cli: no such folder/new.html: No such file or directory\n"},
    {{"games.log", "dir"}, 1, "", "Unable to Create the HTML File.\nmurkwell-cli: dir: Is a directory\n"},
    {{"games.log", "locked/new.html"}, 1, "", "Unable to Create the HTML File.\nmurkwell-cli: locked/new.html: Permission denied\n", "", "", true, "", kPosix},
    {{"games.log", "read-only.html"}, 1, "", "Unable to Create the HTML File.\nmurkwell-cli: read-only.html: Permission denied\n", "", "", true},
    {{"games.log", "locked.html"}, 1, "", "Unable to Create the HTML File.\nmurkwell-cli: locked.html: Permission denied\n", "", "", true},
    // A named pipe nobody reads: the run must not wait for a reader.
    {{"games.log", "fifo.html"}, 1, "", "Unable to Create the HTML File.\nmurkwell-cli: fifo.html: No such device or address\n", "", "", false, "", kPosix},
    {{"games.log", "games.log"}, 1, "", "The HTML File would overwrite the Log File.\nmurkwell-cli: games.log: the same file as games.log\n"},
    {{"games.log", "./dir/../games.log"}, 1, "", "The HTML File would overwrite the Log File.\nmurkwell-cli: ./dir/../games.log: the same file as games.log\n"},
    {{"games.log", "link.html"}, 1, "", "The HTML File would overwrite the Log File.\nmurkwell-cli: link.html: the same file as games.log\n", "", "", false, "", kPosix},
    {{"games.log", "hard.html"}, 1, "", "The HTML File would overwrite the Log File.\nmurkwell-cli: hard.html: the same file as games.log\n"},
    {{"games.log", "here/games.log"}, 1, "", "The HTML File would overwrite the Log File.\nmurkwell-cli: here/games.log: the same file as games.log\n", "", "", false, "", kPosix},
    {{"games.log", "GAMES.LOG"}, 1, "", "The HTML File would overwrite the Log File.\nmurkwell-cli: GAMES.LOG: the same file as games.log\n", "", "", false, "", kWindows},
    {{"-", "games.log"}, 1, "", "The HTML File would overwrite the Log File.\nmurkwell-cli: games.log: the same file as standard input\n", "", "", false, "games.log"},
    // The arguments swapped: the log is no page and must survive.
    {{"page.html", "games.log"}, 1, "", "The HTML File is not an HTML page and was left as it is.\nmurkwell-cli: games.log: its text does not begin with \"<\"\n"},
    {{"games.log", "old.html"}, 1, "", "The HTML File is not an HTML page and was left as it is.\nmurkwell-cli: old.html: its text does not begin with \"<\"\n"},
    {{"games.log", "/dev/full"}, 1, "", "Unable to write the HTML File.\nmurkwell-cli: /dev/full: No space left on device\n", "", "", false, "", kPosix},
    {{"--help"}, 0, kUsage, ""},
    {{"--version"}, 0, "murkwell-cli "s + kVersionText + "\n", ""},
    {{"--bogus"}, 2, "", kUsage},
    {{"games.log", "new.html", "--verbose"}, 2, "", kUsage},
    {{"games.log", "new.html", "c.html"}, 2, "", kUsage},
};

void ExpectStream(const std::string& actual, const std::string& expected) {
    const bool matches = expected == kUsage ? actual.find(kUsage) != std::string::npos : actual == expected;
    EXPECT_TRUE(matches) << "got \"" << actual << "\", expected \"" << expected << '"';
}

// The log compressed by gzip itself. A build that reads no compressed logs
// tells them by their first bytes alone, and has no gzip to run.
const std::string& GzippedLog() {
    static const std::string bytes = [] {
        if (!kCompression) {
            return "\x1f\x8b\x08"s + kLog;
        }
        const ScratchFolder folder;
        folder.Write("games.log", kLog);
        RunProcess("/bin/gzip", {"-c", "games.log"}, folder.Root(), folder.Path("games.log.gz").string());
        return ReadBytes(folder.Path("games.log.gz"));
    }();
    return bytes;
}

fs::path InFolder(const ScratchFolder& folder, const std::string& name) {
    return name.starts_with('/') ? fs::path(name) : folder.Path(name);
}

TEST(Cli, EachCallPrintsItsOutcomeAndLeavesTheLogAndEarlierPageAlone) {
    ASSERT_FALSE(GzippedLog().empty());
    for (const Call& call : kCalls) {
        SCOPED_TRACE(::testing::PrintToString(call.arguments) + " <" + call.stdinFrom + " >" + call.stdoutTo);
        if ((call.needsLock && !HeldLocked::Holds()) || !call.runsHere) {
            continue;
        }
        const ScratchFolder folder;
        // What no call may change, unless it is the page the call writes.
        const std::vector<std::pair<std::string, std::string>> kept = {
            {"games.log", kLog}, {"old.html", kOldPage}, {"page.html", kHtmlPage}};
        for (const auto& [name, bytes] : kept) {
            folder.Write(name, bytes);
        }
        folder.Write("games.log.gz", GzippedLog());
        folder.Write("damaged.gz", GzippedLog().substr(0, GzippedLog().size() / 2));
        folder.Write("locked.log", kLog);
        folder.Write("locked.html", kHtmlPage);
        folder.Write("read-only.html", kHtmlPage);
        fs::permissions(folder.Path("read-only.html"), fs::perms::owner_read);
        fs::create_directory(folder.Path("dir"));
        fs::create_hard_link(folder.Path("games.log"), folder.Path("hard.html"));
#ifndef _WIN32
        fs::create_directory(folder.Path("locked"));
        fs::permissions(folder.Path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
        fs::create_symlink("games.log", folder.Path("link.html"));
        fs::create_directory_symlink(".", folder.Path("here"));
        ASSERT_EQ(mkfifo(folder.Path("fifo.html").c_str(), 0644), 0);
#endif
        std::set<std::string> names = NamesIn(folder.Root());
        const HeldLocked lockedLog(folder.Path("locked.log"));
        const HeldLocked lockedPage(folder.Path("locked.html"));

        const std::string out = call.stdoutTo.empty() ? "" : InFolder(folder, call.stdoutTo).string();
        const std::string in = call.stdinFrom.empty() ? "" : folder.Path(call.stdinFrom).string();
        const ProcessResult result = RunProcess(MURKWELL_CLI_PATH, call.arguments, folder.Root(), out, in);
        EXPECT_EQ(result.exitStatus, call.exitStatus);
        ExpectStream(result.out, call.out);
        ExpectStream(result.err, call.err);
        for (const auto& [name, bytes] : kept) {
            if (name != call.creates) {
                EXPECT_EQ(ReadBytes(folder.Path(name)), bytes) << name;
            }
        }
        if (!call.creates.empty()) {
            names.insert(call.creates);
            EXPECT_EQ(ReadBytes(folder.Path(call.creates)).ends_with("</html>\r\n"), call.err.empty());
        }
        EXPECT_EQ(NamesIn(folder.Root()), names);
    }
}

// Memory that runs out ends the run with its message, not with an abort, and
// the earlier page stays. Half a million players of one game need far more
// than the address space the shell leaves the program.
TEST(Cli, MemoryRunningOutIsAFailedRead) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer cannot run within a small address space";
#elif defined(_WIN32)
    GTEST_SKIP() << "the address space is limited through a POSIX shell";
#endif
    const ScratchFolder folder;
    std::string log = "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm6\\\n";
    for (int client = 0; client < 400000; ++client) {
        log += "  0:01 ClientUserinfoChanged: " + std::to_string(client) + " n\\P\\t\\0\n";
    }
    folder.Write("crowd.log", log);
    folder.Write("page.html", kHtmlPage);
    const ProcessResult result = RunProcess(
        "/bin/sh", {"-c", "ulimit -v 40000 && exec \"$0\" crowd.log page.html", MURKWELL_CLI_PATH}, folder.Root());
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "Unable to read the Log File.\nmurkwell-cli: crowd.log: Cannot allocate memory\n");
    EXPECT_EQ(ReadBytes(folder.Path("page.html")), kHtmlPage);
    EXPECT_EQ(NamesIn(folder.Root()), (std::set<std::string>{"crowd.log", "page.html"}));
}

}  // namespace
}  // namespace murkwell::testing
