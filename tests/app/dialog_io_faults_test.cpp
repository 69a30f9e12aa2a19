// The run's file faults as the desktop user meets them: each gives its one
// message box, and neither the log nor an earlier page is ever damaged.

#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app_test_support.h"
#include "res/resource.h"

namespace murkwell::testing {
namespace {

using namespace murkwell::res;
namespace fs = std::filesystem;

const std::string kLog =
    "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm6\\\r\n"
    "  0:01 ClientUserinfoChanged: 2 n\\Ranger\\t\\0\\model\\ranger\r\n"
    "  9:58 score: 15  ping: 50  client: 2 Ranger\r\n"
    "  9:59 ShutdownGame:\r\n";

bool RunningAsRoot() { return ::geteuid() == 0; }

class DialogFaults : public AppTest {
protected:
    // Presses "&Start" with the two boxes set and returns the messages shown.
    std::vector<std::string> Start(const QString& log, const QString& page) {
        dialog.messages.clear();
        dialog.Box(IDC_LOG_FILE).setText(log);
        dialog.Box(IDC_HTML_FILE).setText(page);
        dialog.Button(IDC_START).click();
        return dialog.messages;
    }

    void SetUp() override {
        WriteFile(Scratch("games.log"), kLog);
        WriteFile(Scratch("old.html"), "the page of an earlier run");
        dialog.show();
        dialog.messages.clear();
    }

    TestDialog dialog;
};

TEST_F(DialogFaults, FullDiskIsAFailureNotDone) {
    if (!QFileInfo::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    EXPECT_EQ(Start(Scratch("games.log"), "/dev/full"), std::vector<std::string>{"Unable to write the HTML File."});
    EXPECT_EQ(ReadFile(Scratch("games.log")), kLog);
}

TEST_F(DialogFaults, LogThatCannotBeOpenedLeavesThePageAlone) {
    QDir().mkpath(Scratch("a folder"));
    QStringList logs = {Scratch("missing.log"), Scratch("a folder")};
    if (!RunningAsRoot()) {
        WriteFile(Scratch("locked.log"), kLog);
        QFile::setPermissions(Scratch("locked.log"), {});
        logs << Scratch("locked.log");
    }
    for (const QString& log : logs) {
        EXPECT_EQ(Start(log, Scratch("old.html")), std::vector<std::string>{"Unable to open Log File."}) << log.toStdString();
        EXPECT_EQ(Start(log, Scratch("new.html")), std::vector<std::string>{"Unable to open Log File."}) << log.toStdString();
    }
    EXPECT_EQ(ReadFile(Scratch("old.html")), "the page of an earlier run");
    EXPECT_FALSE(QFileInfo::exists(Scratch("new.html")));
}

TEST_F(DialogFaults, PageThatCannotBeCreated) {
    QDir().mkpath(Scratch("a folder"));
    QStringList pages = {Scratch("no such folder/page.html"), Scratch("a folder")};
    if (!RunningAsRoot()) {
        QDir().mkpath(Scratch("locked"));
        QFile::setPermissions(Scratch("locked"), QFile::ReadOwner | QFile::ExeOwner);
        pages << Scratch("locked/page.html");
    }
    for (const QString& page : pages) {
        EXPECT_EQ(Start(Scratch("games.log"), page), std::vector<std::string>{"Unable to Create the HTML File."})
            << page.toStdString();
    }
    QFile::setPermissions(Scratch("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadFile(Scratch("games.log")), kLog);
}

TEST_F(DialogFaults, PageThatLeadsBackToTheLogIsRefused) {
    fs::create_symlink("games.log", Scratch("link.html").toStdString());
    fs::create_hard_link(Scratch("games.log").toStdString(), Scratch("hard.html").toStdString());
    for (const QString& page : {Scratch("games.log"), Scratch("link.html"), Scratch("hard.html")}) {
        EXPECT_EQ(Start(Scratch("games.log"), page),
                  std::vector<std::string>{"The HTML File would overwrite the Log File."})
            << page.toStdString();
        EXPECT_EQ(ReadFile(Scratch("games.log")), kLog);
    }
}

}  // namespace
}  // namespace murkwell::testing
