// The two paths the dialog keeps from one start to the next, also when a crash,
// another program, another copy or a careless hand spoiled where they are kept.

#include <map>
#include <numeric>
#include <tuple>

#include <sys/stat.h>

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
// backslashes (which may look like escapes) or line ends as typed. A path is stored whole
// but loaded only while it fits 1024 bytes with its end mark; only the log
// path says so.
TEST_F(AppTest, TypedPathsComeBackOnTheNextStart) {
    const QString odd = "C:\\q3\\a=b #c.log", escapes = "\\\\srv\\new\r\n", fits = "/" + QString(1022, 'f'),
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
        EXPECT_EQ(Stored(SettingsFile()), Values(row.typed.toStdString(), row.typed.toStdString()));
        EXPECT_EQ(OpenAndClose(), row.next);
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

// Whatever stands where the settings belong, written by hand, by an earlier
// version or by accident: every value that can be read is, each of the others
// gets its default, and the file keeps every line it had, the part past its
// first MiB included. What cannot be read at all is left as it was, with its
// folder, and the one box says which file and why.
TEST_F(AppTest, WhateverStandsWhereTheSettingsBelongIsKept) {
    const fs::path folder = m_config.Path("Orvek"), file = SettingsFile();
    const std::string old = "# mine\r\nLogFilename=D:\\q3\\games.log\r\nHTMLFilename=C:\\\\www\\\\a\\nb.html\r\n";
    const std::string odd = "not a value\n=no name\nOther=x\nHTMLFilename=/www/q3.html\nLogFilen";
    const std::string big = "LogFilename=/q3/games.log\n# " + std::string(2 << 20, 'x') + "\nHTMLFilename=/beyond.html\n";
    std::string garbage(256, '\0');
    std::iota(garbage.begin(), garbage.end(), '\0');
    const auto stored = [&](const std::string& bytes) { return [&, bytes] { m_config.Write("Orvek/Murkwell.conf", bytes); }; };
    const auto unusable = [&](const std::string& reason) {
        return "The settings file " + file.string() + " cannot be used (" + reason +
               "), so the paths will not be kept; using games.log.";
    };
    struct Case { const char* what; std::function<void()> spoil; Opened opened; std::optional<std::string> after; };
    const Case cases[] = {
        {"CR LF, old escapes and backslashes by hand", stored(old), {{}, "D:\\q3\\games.log", "C:\\www\\a\nb.html"}, old},
        {"odd lines, cut in a name", stored(odd), {{kNotStored}, "games.log", "/www/q3.html"},
         odd + "\nLogFilename=games.log\n"},
        {"over 1 MiB", stored(big), {{}, "/q3/games.log", "murkwells.html"},
         big.substr(0, 26) + "HTMLFilename=murkwells.html\n" + big.substr(26)},
        {"binary garbage", stored(garbage), {{kNotStored}, "games.log", "murkwells.html"},
         garbage + "\nHTMLFilename=murkwells.html\nLogFilename=games.log\n"},
        {"a directory", [&] { fs::create_directories(file / "inside"); },
         {{unusable("file to open is a directory")}, "games.log", "murkwells.html"}, std::nullopt},
        {"a named pipe", [&] { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); },
         {{unusable("Not a plain file")}, "games.log", "murkwells.html"}, std::nullopt},
        {"folder is a file", [&] { fs::remove(folder); m_config.Write("Orvek", "not a folder"); },
         {{unusable("Not a directory")}, "games.log", "murkwells.html"}, std::nullopt},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        fs::remove_all(folder);
        fs::create_directories(folder);
        row.spoil();
        const auto before = Snapshot(m_config.Root());
        EXPECT_EQ(OpenAndClose(), row.opened);
        if (!row.after) {
            EXPECT_EQ(Snapshot(m_config.Root()), before);
            continue;
        }
        EXPECT_TRUE(ReadBytes(file) == *row.after);
        EXPECT_EQ(OpenAndClose(), Opened({}, std::get<1>(row.opened), std::get<2>(row.opened)));
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
    EXPECT_EQ(std::distance(fs::directory_iterator(m_config.Path("kept")), {}), 1);  // no lock or new file left
}

}  // namespace
}  // namespace murkwell::testing
