// The two paths the dialog keeps from one start to the next, also when a crash,
// another program or a careless hand spoiled where they are kept.

#include <cerrno>
#include <cstring>
#include <map>
#include <tuple>

#include <unistd.h>

#include "app_test_support.h"
#include "res/resource.h"
#include "settings_file.h"

namespace murkwell::testing {
namespace {

using namespace murkwell::res;

// A dialog opened as the program does (it closes as it goes): its messages, its boxes.
using Opened = std::tuple<std::vector<std::string>, QString, QString>;

Opened OpenAndClose() {
    TestDialog dialog;
    dialog.show();
    return {dialog.messages, dialog.Box(IDC_LOG_FILE).text(), dialog.Box(IDC_HTML_FILE).text()};
}

SettingsValues Stored(const QString& file) { return ReadSettingsFile(file.toStdString()); }

// What is typed is stored however the dialog closes ("&Exit", Escape, the close
// button) and comes back on the next start, an emptied box as empty. A path is
// stored whole but loaded only while it fits 1024 bytes with its end mark;
// only the log path says so.
TEST_F(AppTest, TypedPathsComeBackOnTheNextStart) {
    const QString odd = "C:\\q3\\a=b #c.log", fits = "/" + QString(1022, 'f'), tooLong = "/" + QString(1023, 'x');
    struct Case { QString typed; std::function<void(TestDialog&)> close; Opened next; };
    const Case cases[] = {
        {"", [](TestDialog& dialog) { dialog.Button(IDOK).click(); }, {{}, "", ""}},
        {odd, [](TestDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }, {{}, odd, odd}},
        {fits, [](TestDialog& dialog) { dialog.close(); }, {{}, fits, fits}},
        {tooLong, [](TestDialog& dialog) { dialog.Button(IDOK).click(); },
         {{std::strerror(EOVERFLOW)}, "games.log", "murkwells.html"}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.typed.left(20).toStdString());
        TestDialog dialog;
        dialog.show();
        dialog.Box(IDC_LOG_FILE).setText(row.typed);
        dialog.Box(IDC_HTML_FILE).setText(row.typed);
        row.close(dialog);
        EXPECT_FALSE(dialog.isVisible());
        const std::string typed = row.typed.toStdString();
        EXPECT_EQ(Stored(SettingsFile()), (SettingsValues{{"HTMLFilename", typed}, {"LogFilename", typed}}));
        EXPECT_EQ(OpenAndClose(), row.next);
    }
}

// Every entry under `folder` with its permissions and bytes.
std::map<QString, std::string> Snapshot(const QString& folder) {
    std::map<QString, std::string> entries;
    QDirIterator entry(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (entry.hasNext()) {
        const QString path = entry.next();
        entries[path] = std::to_string(entry.fileInfo().permissions().toInt()) + ":" + ReadFile(path);
    }
    return entries;
}

// Whatever stands where the settings belong, the dialog opens with the
// defaults and says at most one thing, about the log path. A file that opens
// is written anew on closing, with the defaults and without a temporary file
// left beside it; whatever keeps the file from opening is left as it was.
TEST(SettingsFaults, ValuesThatCannotBeReadGiveTheDefaults) {
    const QString file = "Orvek/Murkwell.conf";
    const auto stored = [file](std::string bytes, QFile::Permissions access = QFile::ReadOwner | QFile::WriteOwner) {
        return [=](const QDir& home) {
            home.mkpath("Orvek");
            WriteFile(home.filePath(file), bytes);
            QFile::setPermissions(home.filePath(file), access);
        };
    };
    struct Case { const char* what; std::function<void(const QDir&)> spoil; int error; bool rootGetsThrough = false; };
    const Case cases[] = {
        {"only the log path", stored("LogFilename=games.log\n"), 0},
        {"empty", stored(""), ENOENT},
        {"cut in a name", stored("# Murkwell settings\nHTMLFilename=/www/q3.html\nLogFilen"), ENOENT},
        {"binary garbage", stored(ReadFile(MURKWELL_SOURCE_DIR "/res/icon-16.png")), ENOENT},
        {"a directory", [file](const QDir& home) { home.mkpath(file + "/inside"); }, EISDIR},
        {"unreadable", stored("LogFilename=/q3/games.log\n", {}), EACCES, true},
        {"folder is a file", [](const QDir& home) { WriteFile(home.filePath("Orvek"), "not a folder"); }, ENOTDIR},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        if (row.rootGetsThrough && ::geteuid() == 0) {
            continue;
        }
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        row.spoil(QDir(home.path()));
        const auto before = Snapshot(home.path());
        const auto says = row.error ? std::vector<std::string>{std::strerror(row.error)} : std::vector<std::string>();
        EXPECT_EQ(OpenAndClose(), Opened(says, "games.log", "murkwells.html"));
        if (row.error == 0 || row.error == ENOENT) {
            EXPECT_EQ(Stored(home.filePath(file)),
                      (SettingsValues{{"HTMLFilename", "murkwells.html"}, {"LogFilename", "games.log"}}));
            EXPECT_EQ(QDir(home.filePath("Orvek")).entryList(QDir::Files | QDir::Hidden), QStringList{"Murkwell.conf"});
        } else {
            EXPECT_EQ(Snapshot(home.path()), before);
        }
    }
}

}  // namespace
}  // namespace murkwell::testing
