// Settings files as a crash, a full disk, another program or a careless
// hand may leave them. Every start works with the defaults for whatever
// cannot be read, says at most one thing (about the log path), never falls
// over, and the next clean close writes a good file again.

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app_test_support.h"
#include "res/resource.h"
#include "settings_file.h"

namespace murkwell::testing {
namespace {

using namespace murkwell::res;

struct Opened {
    std::vector<std::string> messages;
    QString log;
    QString page;
};

// Opens the dialog as the program does and closes it again.
Opened OpenAndClose() {
    TestDialog dialog;
    dialog.show();
    Opened opened{dialog.messages, dialog.Box(IDC_LOG_FILE).text(), dialog.Box(IDC_HTML_FILE).text()};
    dialog.reject();
    return opened;
}

bool RunningAsRoot() { return ::geteuid() == 0; }

const std::vector<std::string> kSaysLogIsMissing = {std::strerror(ENOENT)};

TEST_F(AppTest, DamagedSettingsFileGivesDefaultsAndIsWrittenAnew) {
    std::string garbage;
    for (int i = 0; i < 1024; ++i) {
        garbage += static_cast<char>((i * 37) & 0xFF);
    }
    const std::string damaged[] = {
        "",
        "# Murkwell settings\nHTMLFilename=/www/q3.html\nLogFilen",
        "# Murkwell settings\nLogFilename=C:\\\\q3\\",
        garbage,
    };
    QDir().mkpath(m_config.filePath("Orvek"));
    for (const std::string& stored : damaged) {
        SCOPED_TRACE(stored.substr(0, 60));
        WriteFile(SettingsFile(), stored);
        const Opened opened = OpenAndClose();
        EXPECT_EQ(opened.messages, kSaysLogIsMissing);
        EXPECT_EQ(opened.log, "games.log");
        EXPECT_EQ(opened.page, "murkwells.html");
        EXPECT_EQ(ParseSettings(ReadFile(SettingsFile())),
                  (SettingsValues{{"HTMLFilename", "murkwells.html"}, {"LogFilename", "games.log"}}));
    }
}

TEST_F(AppTest, SettingsFileThatIsAFolderIsReportedAndLeftAlone) {
    QDir().mkpath(SettingsFile() + "/inside");
    for (int start = 0; start < 2; ++start) {
        const Opened opened = OpenAndClose();
        EXPECT_EQ(opened.messages, std::vector<std::string>{std::strerror(EISDIR)});
        EXPECT_EQ(opened.log, "games.log");
        EXPECT_EQ(opened.page, "murkwells.html");
    }
    EXPECT_TRUE(QFileInfo(SettingsFile() + "/inside").isDir());
    EXPECT_EQ(QDir(m_config.filePath("Orvek")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"Murkwell.conf"});

    // Once the folder is gone, the next close stores the paths again.
    QDir(SettingsFile()).removeRecursively();
    EXPECT_EQ(OpenAndClose().messages, kSaysLogIsMissing);
    EXPECT_EQ(OpenAndClose().messages, std::vector<std::string>{});
}

TEST_F(AppTest, SettingsFileWithoutPermissionsIsReportedAndLeftAlone) {
    if (RunningAsRoot()) {
        GTEST_SKIP() << "root reads and writes any file";
    }
    QDir().mkpath(m_config.filePath("Orvek"));
    const std::string stored = "LogFilename=/q3/games.log\n";
    WriteFile(SettingsFile(), stored);
    QFile::setPermissions(SettingsFile(), {});
    const Opened opened = OpenAndClose();
    QFile::setPermissions(SettingsFile(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(opened.messages, std::vector<std::string>{std::strerror(EACCES)});
    EXPECT_EQ(opened.log, "games.log");
    EXPECT_EQ(ReadFile(SettingsFile()), stored);
}

// The configuration folder cannot be made: a name longer than any folder may
// have (which holds for root too), and a folder without write permission.
TEST_F(AppTest, ConfigurationFolderThatCannotBeMadeIsReportedOnly) {
    const QString tooLong = m_config.filePath(QString(300, 'x'));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(tooLong));
    Opened opened = OpenAndClose();
    EXPECT_EQ(opened.messages, std::vector<std::string>{std::strerror(ENAMETOOLONG)});
    EXPECT_EQ(opened.log, "games.log");
    EXPECT_EQ(opened.page, "murkwells.html");

    if (RunningAsRoot()) {
        return;
    }
    const QString locked = m_config.filePath("locked");
    QDir().mkpath(locked);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(locked));
    opened = OpenAndClose();
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(opened.messages, std::vector<std::string>{std::strerror(EACCES)});
    EXPECT_EQ(opened.log, "games.log");
    EXPECT_TRUE(QDir(locked).isEmpty());
}

}  // namespace
}  // namespace murkwell::testing
