// The two paths the dialog keeps from one start to the next, also when a crash,
// another program, another copy or a careless hand spoiled where they are kept.

#include <map>
#include <tuple>

#include <sys/stat.h>
#include <unistd.h>

#include "app_test_support.h"
#include "res/resource.h"
#include "settings_text.h"

namespace murkwell::testing {
namespace {

using namespace murkwell::res;
namespace fs = std::filesystem;

// A dialog opened as the program does (it closes as it goes): its messages, its boxes.
using Opened = std::tuple<std::vector<std::string>, QString, QString>;

Opened OpenAndClose() {
    TestDialog dialog;
    dialog.show();
    return {dialog.messages, dialog.Box(IDC_LOG_FILE).text(), dialog.Box(IDC_HTML_FILE).text()};
}

using Values = std::pair<std::optional<std::string>, std::optional<std::string>>;

Values Stored(const fs::path& file) {
    const SettingsText text(ReadBytes(file));
    return {text.Find("LogFilename"), text.Find("HTMLFilename")};
}

const std::string kNotStored = "No log path has been stored yet (No such file or directory); using games.log.";

// What is typed is stored however the dialog closes ("&Exit", Escape, the close
// button) and comes back on the next start, an emptied box as empty, one with
// backslashes (which may look like escapes) as typed. A path is stored whole
// but loaded only while it fits 1024 bytes with its end mark; only the log
// path says so.
TEST_F(AppTest, TypedPathsComeBackOnTheNextStart) {
    const QString odd = "C:\\q3\\a=b #c.log", escapes = "\\\\srv\\new", fits = "/" + QString(1022, 'f'),
                  tooLong = "/" + QString(1023, 'x');
    struct Case { QString typed; std::function<void(TestDialog&)> close; Opened next; };
    const Case cases[] = {
        {"", [](TestDialog& dialog) { dialog.Button(IDOK).click(); }, {{}, "", ""}},
        {odd, [](TestDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }, {{}, odd, odd}},
        {escapes, [](TestDialog& dialog) { dialog.close(); }, {{}, escapes, escapes}},
        {fits, [](TestDialog& dialog) { dialog.close(); }, {{}, fits, fits}},
        {tooLong, [](TestDialog& dialog) { dialog.Button(IDOK).click(); },
         {{"The stored log path is too long (Value too large for defined data type); using games.log."},
          "games.log", "murkwells.html"}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.typed.left(20).toStdString());
        TestDialog dialog;
        dialog.show();
        dialog.Box(IDC_LOG_FILE).setText(row.typed);
        dialog.Box(IDC_HTML_FILE).setText(row.typed);
        row.close(dialog);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(Stored(SettingsFile()), Values(row.typed.toStdString(), row.typed.toStdString()));
        EXPECT_EQ(OpenAndClose(), row.next);
    }
}

// Files written by hand, by an earlier version or by accident: every value
// that can be read is, each of the others gets its default, and the file
// keeps every line it had, the part past its first MiB included.
TEST_F(AppTest, FilesByOtherHandsKeepWhatTheyHold) {
    const std::string big = "# " + std::string(2 << 20, 'x') + "\nHTMLFilename=/beyond.html\n";
    std::string garbage;
    for (int i = 0; i < 256; ++i) {
        garbage += static_cast<char>(i);
    }
    struct Case { const char* what; std::string stored; QString log, page; bool box; std::string after; };
    const Case cases[] = {
        {"CR LF", "# mine\r\nLogFilename=/q3/games.log\r\nHTMLFilename=/www/a.html\r\n", "/q3/games.log",
         "/www/a.html", false, "# mine\r\nLogFilename=/q3/games.log\r\nHTMLFilename=/www/a.html\r\n"},
        {"backslashes", "LogFilename=D:\\q3\\games.log\nHTMLFilename=C:\\\\www\\\\a.html\n", "D:\\q3\\games.log",
         "C:\\www\\a.html", false, "LogFilename=D:\\q3\\games.log\nHTMLFilename=C:\\\\www\\\\a.html\n"},
        {"odd lines", "not a value\n=no name\nOther=x\nLogFilename=/q3/games.log", "/q3/games.log", "murkwells.html",
         false, "not a value\n=no name\nOther=x\nLogFilename=/q3/games.log\nHTMLFilename=murkwells.html\n"},
        {"cut in a name", "HTMLFilename=/www/q3.html\nLogFilen", "games.log", "/www/q3.html", true,
         "HTMLFilename=/www/q3.html\nLogFilen\nLogFilename=games.log\n"},
        {"over 1 MiB", "LogFilename=/q3/games.log\n" + big, "/q3/games.log", "murkwells.html", false,
         "LogFilename=/q3/games.log\nHTMLFilename=murkwells.html\n" + big},
        {"binary garbage", garbage, "games.log", "murkwells.html", true,
         garbage + "\nHTMLFilename=murkwells.html\nLogFilename=games.log\n"},
    };
    fs::create_directories(SettingsFile().parent_path());
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        m_config.Write("Orvek/Murkwell.conf", row.stored);
        const auto says = row.box ? std::vector<std::string>{kNotStored} : std::vector<std::string>{};
        EXPECT_EQ(OpenAndClose(), Opened(says, row.log, row.page));
        EXPECT_TRUE(ReadBytes(SettingsFile()) == row.after);
        EXPECT_EQ(OpenAndClose(), Opened({}, row.log, row.page));
    }
}

// Every entry under `folder` with its type, permissions and bytes.
std::map<fs::path, std::string> Snapshot(const fs::path& folder) {
    std::map<fs::path, std::string> entries;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        const fs::file_status status = entry.symlink_status();
        entries[entry.path()] = std::to_string(int(status.type()) * 010000 + int(status.permissions())) +
                                (entry.is_regular_file() ? ReadBytes(entry.path()) : "");
    }
    return entries;
}

// Whatever keeps the settings file from being read, the dialog opens with the
// defaults and says once, about the log path, which file cannot be used and
// why; the file and its folder are left as they were.
TEST_F(AppTest, SettingsThatCannotBeUsedAreLeftAlone) {
    const fs::path folder = m_config.Path("Orvek");
    struct Case { const char* what; std::function<void()> spoil; const char* reason; bool rootGetsThrough = false; };
    const Case cases[] = {
        {"a directory", [&] { fs::create_directories(folder / "Murkwell.conf/inside"); }, "file to open is a directory"},
        {"a named pipe", [&] { ASSERT_EQ(::mkfifo((folder / "Murkwell.conf").c_str(), 0600), 0); }, "Not a plain file"},
        {"unreadable", [&] { fs::permissions(m_config.Write("Orvek/Murkwell.conf", "LogFilename=/q3\n"), fs::perms::none); },
         "Permission denied", true},
        {"folder is a file", [&] { fs::remove_all(folder), m_config.Write("Orvek", "not a folder"); }, "Not a directory"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        if (row.rootGetsThrough && ::geteuid() == 0) {
            continue;
        }
        fs::remove_all(folder);
        fs::create_directories(folder);
        row.spoil();
        const auto before = Snapshot(m_config.Root());
        const std::string says = "The settings file " + SettingsFile().string() + " cannot be used (" + row.reason +
                                 "), so the paths will not be kept; using games.log.";
        EXPECT_EQ(OpenAndClose(), Opened({says}, "games.log", "murkwells.html"));
        EXPECT_EQ(Snapshot(m_config.Root()), before);
    }
}

// Two copies open at once that close in turn keep both changes; a copy whose
// change cannot be saved says where and why when it closes, and changes nothing.
TEST_F(AppTest, EachCopySavesItsOwnChanges) {
    OpenAndClose();
    TestDialog first, second;
    first.show();
    second.show();
    first.Box(IDC_LOG_FILE).setText("/first.log");
    second.Box(IDC_HTML_FILE).setText("/second.html");
    first.close();
    second.close();
    EXPECT_EQ(Stored(SettingsFile()), Values("/first.log", "/second.html"));

    TestDialog blocked;
    blocked.show();
    blocked.Box(IDC_LOG_FILE).setText("/blocked.log");
    fs::rename(m_config.Path("Orvek"), m_config.Path("kept"));
    m_config.Write("Orvek", "not a folder");
    blocked.close();
    EXPECT_EQ(blocked.messages,
              std::vector<std::string>{"The paths could not be saved in " + SettingsFile().string() + " (Not a directory)."});
    EXPECT_EQ(Stored(m_config.Path("kept/Murkwell.conf")), Values("/first.log", "/second.html"));
    EXPECT_EQ(fs::directory_iterator(m_config.Path("kept"))->path().filename(), "Murkwell.conf");
}

}  // namespace
}  // namespace murkwell::testing
