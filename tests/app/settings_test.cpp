// The two paths kept from one use of the program to the next: the file
// format, and what the dialog loads and saves in each situation.

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QTest>

#include "app_test_support.h"
#include "res/resource.h"
#include "settings_file.h"

namespace murkwell::testing {
namespace {

using namespace murkwell::res;

TEST(SettingsFile, EveryPathComesBackAsItWasWritten) {
    const SettingsValues values = {
        {"LogFilename", "C:\\q3\\games.log"},
        {"HTMLFilename", "/odd/ a=b #c\nd\\n\\\\e\\"},
        {"Empty", ""},
    };
    EXPECT_EQ(ParseSettings(FormatSettings(values)), values);
    EXPECT_EQ(ParseSettings("# note\n\nA=1\nA=2"), (SettingsValues{{"A", "2"}}));
}

TEST(SettingsFile, DamagedTextHoldsNoValues) {
    const std::string damaged[] = {"LogFilename\n", "=x\n", "A=\\t\n", "A=ends\\", std::string("A=x\0y\n", 6)};
    for (const std::string& text : damaged) {
        EXPECT_EQ(ParseSettings(text), std::nullopt) << text;
    }
}

TEST(SettingsFile, WritesReplaceTheFileWholeOrNotAtAll) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("a.conf").toStdString();
    WriteFile(folder.filePath("a.conf"), "Old=1\n");
    ASSERT_EQ(WriteSettingsFile(path, {{"New", "2"}}), 0);
    EXPECT_EQ(ReadSettingsFile(path), (SettingsValues{{"New", "2"}}));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"a.conf"});
    EXPECT_EQ(WriteSettingsFile(folder.filePath("gone/a.conf").toStdString(), {}), ENOENT);
}

// Opens the dialog as the program does, lets `use` work on it, closes it;
// returns the messages shown while it opened.
std::vector<std::string> OpenAndClose(const std::function<void(TestDialog&)>& use = {}) {
    TestDialog dialog;
    dialog.show();
    const std::vector<std::string> opening = dialog.messages;
    if (use) {
        use(dialog);
    }
    dialog.reject();
    return opening;
}

TEST_F(AppTest, FirstStartShowsOneBoxAndStoresBothDefaultsAtOnce) {
    TestDialog dialog;
    dialog.show();
    EXPECT_EQ(dialog.messages, std::vector<std::string>{std::strerror(ENOENT)});
    EXPECT_EQ(dialog.Box(IDC_LOG_FILE).text(), "games.log");
    EXPECT_EQ(dialog.Box(IDC_HTML_FILE).text(), "murkwells.html");
    EXPECT_EQ(ReadFile(SettingsFile()), "# Murkwell settings\nHTMLFilename=murkwells.html\nLogFilename=games.log\n");
}

// Only a log path that cannot be read says so; a damaged file counts as empty.
TEST_F(AppTest, ValuesThatCannotBeReadFallBackToTheirDefaults) {
    struct Case {
        std::string stored;
        std::vector<std::string> messages;
        QString log;
        QString page;
    };
    const Case cases[] = {
        {"LogFilename=/q3/games.log\n", {}, "/q3/games.log", "murkwells.html"},
        {"HTMLFilename=/www/q3.html\n", {std::strerror(ENOENT)}, "games.log", "/www/q3.html"},
        {"\x7f" "ELF\x01garbage\\", {std::strerror(ENOENT)}, "games.log", "murkwells.html"},
    };
    QDir().mkpath(m_config.filePath("Orvek"));
    for (const Case& start : cases) {
        WriteFile(SettingsFile(), start.stored);
        const auto messages = OpenAndClose([&](TestDialog& dialog) {
            EXPECT_EQ(dialog.Box(IDC_LOG_FILE).text(), start.log);
            EXPECT_EQ(dialog.Box(IDC_HTML_FILE).text(), start.page);
            EXPECT_EQ(*ParseSettings(ReadFile(SettingsFile())),
                      (SettingsValues{{"LogFilename", start.log.toStdString()},
                                      {"HTMLFilename", start.page.toStdString()}}));
        });
        EXPECT_EQ(messages, start.messages) << start.stored;
    }
}

TEST_F(AppTest, ABoxEmptiedByTheUserStaysEmpty) {
    OpenAndClose([](TestDialog& dialog) {
        dialog.Box(IDC_HTML_FILE).clear();
        dialog.Box(IDC_LOG_FILE).setText("C:\\q3\\a=b.log");
    });
    EXPECT_NE(ReadFile(SettingsFile()).find("HTMLFilename=\n"), std::string::npos);
    EXPECT_TRUE(OpenAndClose([](TestDialog& dialog) {
        EXPECT_EQ(dialog.Box(IDC_HTML_FILE).text(), "");
        EXPECT_EQ(dialog.Box(IDC_LOG_FILE).text(), "C:\\q3\\a=b.log");
    }).empty());
}

// Stored whole, but only loaded again while it fits 1024 bytes with its end mark.
TEST_F(AppTest, AnOverLongPathIsKeptButNotLoadedAgain) {
    const QString fits = "/" + QString(1022, 'f');
    const QString tooLong = "/" + QString(1023, 'x');
    OpenAndClose([&](TestDialog& dialog) { dialog.Box(IDC_LOG_FILE).setText(fits); });
    OpenAndClose([&](TestDialog& dialog) {
        EXPECT_EQ(dialog.Box(IDC_LOG_FILE).text(), fits);
        dialog.Box(IDC_LOG_FILE).setText(tooLong);
    });
    EXPECT_NE(ReadFile(SettingsFile()).find(tooLong.toStdString()), std::string::npos);
    EXPECT_EQ(OpenAndClose([](TestDialog& dialog) { EXPECT_EQ(dialog.Box(IDC_LOG_FILE).text(), "games.log"); }),
              std::vector<std::string>{std::strerror(EOVERFLOW)});
}

TEST_F(AppTest, EveryWayOfClosingSavesTheBoxes) {
    const std::function<void(TestDialog&)> closers[] = {
        [](TestDialog& dialog) { dialog.Button(IDOK).click(); },
        [](TestDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
        [](TestDialog& dialog) { dialog.close(); },
    };
    for (const auto& closeDialog : closers) {
        const QString typed = QString("typed after the last start %1").arg(&closeDialog - closers);
        TestDialog dialog;
        dialog.show();
        dialog.Box(IDC_LOG_FILE).setText(typed);
        closeDialog(dialog);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_NE(ReadFile(SettingsFile()).find("LogFilename=" + typed.toStdString() + "\n"), std::string::npos);
    }
}

// Nothing can be stored: every start says why and works with the defaults.
TEST_F(AppTest, AConfigurationFolderThatCannotBeUsedIsReportedOnly) {
    WriteFile(m_config.filePath("Orvek"), "a file where the folder belongs");
    for (int start = 0; start < 2; ++start) {
        const auto messages = OpenAndClose([](TestDialog& dialog) {
            EXPECT_EQ(dialog.Box(IDC_LOG_FILE).text(), "games.log");
            EXPECT_EQ(dialog.Box(IDC_HTML_FILE).text(), "murkwells.html");
        });
        EXPECT_EQ(messages, std::vector<std::string>{std::strerror(ENOTDIR)});
    }
    EXPECT_EQ(ReadFile(m_config.filePath("Orvek")), "a file where the folder belongs");
}

}  // namespace
}  // namespace murkwell::testing
