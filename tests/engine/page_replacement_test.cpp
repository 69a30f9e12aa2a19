// What a run leaves where the page stands: the previous page whole after any
// failure or a second run at the same time, and what the page's users
// rely on kept as it was.

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "murkwell/conversion.h"
#include "murkwell/messages.h"
#include "log_pipe.h"
#include "page_reading.h"

namespace murkwell::testing {
namespace {

namespace fs = std::filesystem;

const std::string kOldPage = "<html>the page of the last good run</html>\r\n";

#ifndef _WIN32
// A small file system of its own, so that the disk can run full; root only.
class SmallDisk {
public:
    explicit SmallDisk(const fs::path& where) : m_where(where) {
        fs::create_directory(where);
        m_mounted = ::mount("tmpfs", where.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (m_mounted) {
            ::umount(m_where.c_str());
        }
    }
    bool Mounted() const { return m_mounted; }
    void MakeReadOnly() const {
        ASSERT_EQ(::mount("tmpfs", m_where.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    }

private:
    fs::path m_where;
    bool m_mounted = false;
};

TEST(PageReplacement, AFailedRunLeavesThePreviousPageAndNothingElse) {
    const ScratchFolder dir;
    const SmallDisk disk(dir.Path("small"));
    const SmallDisk readOnly(dir.Path("read-only"));
    if (!disk.Mounted() || !readOnly.Mounted()) {
        GTEST_SKIP() << "cannot mount a small file system here (needs root)";
    }
    std::ofstream(dir.Path("read-only/page.html"), std::ios::binary) << kOldPage;
    readOnly.MakeReadOnly();
    dir.Write("many.log", SampleLog(100));
    struct Fault {
        std::string log;
        std::string page;
        std::string message;
    };
    const Fault faults[] = {
        {"/proc/self/mem", "page.html", kMsgCannotReadLog},                // fails on its first read
        {dir.Path("many.log").string(), "small/page.html", kMsgCannotWriteHtml},  // the disk runs full
        {dir.Path("many.log").string(), "read-only/page.html", kMsgCannotCreateHtml},  // no room for a new file
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.log + " -> " + fault.page);
        const fs::path page = dir.Path(fault.page);
        if (ReadBytes(page) != kOldPage) {
            std::ofstream(page, std::ios::binary) << kOldPage;
        }
        const std::set<std::string> before = NamesIn(page.parent_path());
        EXPECT_EQ(ConvertLog(fault.log, page.string()).message, fault.message);
        EXPECT_EQ(ReadBytes(page), kOldPage);
        EXPECT_EQ(NamesIn(page.parent_path()), before);
    }
}

TEST(PageReplacement, KeepsThePermissionsAndSymbolicLinksOfThePage) {
    const ScratchFolder dir;
    const fs::path log = dir.Write("games.log", SampleLog());
    const std::string page = PageOf(ReadBytes(log));
    fs::create_directory(dir.Path("pages"));
    const fs::path target = dir.Write("pages/real.html", kOldPage);
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("pages/real.html", dir.Path("link.html"));
    fs::create_symlink("pages/missing.html", dir.Path("dangling.html"));

    for (const char* name : {"link.html", "dangling.html"}) {
        EXPECT_TRUE(ConvertLog(log.string(), dir.Path(name).string()).Succeeded()) << name;
    }
    EXPECT_EQ(fs::read_symlink(dir.Path("link.html")), "pages/real.html");
    EXPECT_EQ(ReadBytes(target), page);
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(fs::read_symlink(dir.Path("dangling.html")), "pages/missing.html");
    EXPECT_EQ(ReadBytes(dir.Path("pages/missing.html")), page);
    EXPECT_EQ(NamesIn(dir.Path("pages")), (std::set<std::string>{"missing.html", "real.html"}));
    EXPECT_EQ(NamesIn(dir.Root()), (std::set<std::string>{"dangling.html", "games.log", "link.html", "pages"}));
}
#endif

TEST(PageReplacement, WritesAPageOfSeveralNamesInPlace) {
    const ScratchFolder dir;
    const fs::path log = dir.Write("games.log", SampleLog());
    const std::string page = PageOf(ReadBytes(log));
    const fs::path hard = dir.Write("hard.html", kOldPage + std::string(page.size(), '~'));  // longer than the page
    fs::create_directory(dir.Path("pages"));
    fs::create_hard_link(hard, dir.Path("pages/other-name.html"));

    EXPECT_TRUE(ConvertLog(log.string(), hard.string()).Succeeded());
    // Every name of the file shows the new page.
    EXPECT_EQ(ReadBytes(dir.Path("pages/other-name.html")), page);
    EXPECT_EQ(NamesIn(dir.Path("pages")), (std::set<std::string>{"other-name.html"}));
    EXPECT_EQ(NamesIn(dir.Root()), (std::set<std::string>{"games.log", "hard.html", "pages"}));
}

// Waits until `count` files of the folder other than `page` have bytes: the
// pages the runs are writing.
void AwaitPagesBeingWritten(const fs::path& folder, const std::string& page, std::size_t count) {
    for (int waited = 0; waited < 2000; ++waited) {
        std::size_t written = 0;
        for (const auto& entry : fs::directory_iterator(folder)) {
            written += entry.path().filename() != page && entry.is_regular_file() && entry.file_size() > 0;
        }
        if (written >= count) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    FAIL() << "the runs never started writing";
}

// Gives more than a megabyte of page, so that a part of it is on the disk.
const std::string& FirstPart() {
    static const std::string log = SampleLog(600);
    return log;
}

TEST(PageReplacement, TwoRunsAtOnceLeaveOneWholePage) {
    const ScratchFolder dir;
    const fs::path page = dir.Write("page.html", kOldPage);
    LogPipe first(dir.Path("first.log"));
    LogPipe second(dir.Path("second.log"));
    Outcome firstOutcome;
    Outcome secondOutcome;
    std::thread firstRun([&] { firstOutcome = ConvertLog(first.Path(), page.string()); });
    std::thread secondRun([&] { secondOutcome = ConvertLog(second.Path(), page.string()); });
    EXPECT_TRUE(first.Send(FirstPart()));
    EXPECT_TRUE(second.Send(FirstPart() + SampleLog()));
    AwaitPagesBeingWritten(dir.Root(), "page.html", 2);
    // What a visitor sees meanwhile, and what a run killed now would leave.
    EXPECT_EQ(ReadBytes(page), kOldPage);

    first.End();
    firstRun.join();
    EXPECT_EQ(ReadBytes(page), PageOf(FirstPart()));
    second.End();
    secondRun.join();
    EXPECT_EQ(ReadBytes(page), PageOf(FirstPart() + SampleLog()));
    EXPECT_TRUE(firstOutcome.Succeeded());
    EXPECT_TRUE(secondOutcome.Succeeded());
}

#ifndef _WIN32
TEST(PageReplacement, APipeWhoseReaderGoesAwayFailsTheWriteWithoutEndingTheProgram) {
    const ScratchFolder dir;
    const fs::path log = dir.Write("games.log", SampleLog(40));
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    std::thread reader([&] {
        char first[16];
        EXPECT_GT(::read(ends[0], first, sizeof first), 0);
        ::close(ends[0]);
    });
    const std::string page = "/dev/fd/" + std::to_string(ends[1]);
    const Outcome outcome = ConvertLog(log.string(), page);
    reader.join();
    ::close(ends[1]);
    EXPECT_EQ(outcome.message, kMsgCannotWriteHtml);
    EXPECT_EQ(outcome.detail, page + ": Broken pipe");
}
#else
// There is no signal to end the program here; the write must still fail.
TEST(PageReplacement, APipeWhoseReaderGoesAwayFailsTheWrite) {
    const ScratchFolder dir;
    const fs::path log = dir.Write("games.log", SampleLog(40));
    const std::string page = PipePath("page.html");
    const HANDLE pipe = CreateNamedPipeA(page.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 4096, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    std::thread reader([&] {
        char first[16];
        DWORD got = 0;
        EXPECT_TRUE(ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED);
        EXPECT_TRUE(ReadFile(pipe, first, sizeof first, &got, nullptr));
        CloseHandle(pipe);
    });
    const Outcome outcome = ConvertLog(log.string(), page);
    reader.join();
    EXPECT_EQ(outcome.message, kMsgCannotWriteHtml);
    EXPECT_EQ(outcome.detail, page + ": Broken pipe");
}
#endif

}  // namespace
}  // namespace murkwell::testing
