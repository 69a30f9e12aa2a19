// What the main dialog does: runs, message boxes, file choosers, the About
// box from both places, the help window and the program's start-up.

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTextBrowser>

#include "about_dlg.h"
#include "app_test_support.h"
#include "cursor_override.h"
#include "file_dialog.h"
#include "murkwell_app.h"
#include "res/resource.h"

namespace murkwell::testing {
namespace {

using namespace murkwell::res;

const QString kSampleLog = MURKWELL_SOURCE_DIR "/examples/games.log";

TEST_F(AppTest, StartReportsEachOutcomeUnderABusyCursor) {
    struct Case {
        QString log;
        QString page;
        std::string message;
    };
    const Case cases[] = {
        {"", "", "Log Filename missing."},
        {kSampleLog, "", "HTML Filename missing."},
        {Scratch("missing.log"), Scratch("a.html"), "Unable to open Log File."},
        {kSampleLog, Scratch("no/such/folder/a.html"), "Unable to Create the HTML File."},
        {kSampleLog, Scratch("b.html"), "Done!"},
    };
    TestDialog dialog;
    dialog.show();
    for (const Case& run : cases) {
        dialog.messages.clear();
        dialog.Box(IDC_LOG_FILE).setText(run.log);
        dialog.Box(IDC_HTML_FILE).setText(run.page);
        dialog.Button(IDC_START).click();
        EXPECT_EQ(dialog.messages, std::vector<std::string>{run.message});
        EXPECT_EQ(dialog.m_strLogPath, run.log.toStdString());
    }
    EXPECT_FALSE(QFileInfo::exists(Scratch("a.html")));
    EXPECT_NE(ReadFile(Scratch("b.html")).find("Murkwell Results"), std::string::npos);
    EXPECT_EQ(dialog.runCursors, std::vector<Qt::CursorShape>(std::size(cases), Qt::WaitCursor));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The box itself, as the user sees it, with the normal cursor over it.
TEST_F(AppTest, MessagesShowInAWarningBoxWithOneOkButton) {
    struct Shows : CMurkwellDlg {
        using CMurkwellDlg::ShowMessage;
    } dialog;
    bool seen = false;
    WhenModal<QMessageBox>([&](QMessageBox& box) {
        seen = true;
        EXPECT_EQ(box.windowTitle(), "Murkwell");
        EXPECT_EQ(box.text(), "Done!");
        EXPECT_EQ(box.icon(), QMessageBox::Warning);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        box.button(QMessageBox::Ok)->click();
    });
    const CursorOverride busy(Qt::WaitCursor);
    dialog.ShowMessage("Done!");
    EXPECT_TRUE(seen);
}

TEST_F(AppTest, LogChooserSetsTheBoxAndTheRunPathOnOk) {
    TestDialog dialog;
    dialog.show();
    dialog.Box(IDC_LOG_FILE).setText(kSampleLog);
    dialog.Box(IDC_HTML_FILE).setText("typed.html");
    WhenModal<CFileDialog>([&](CFileDialog& chooser) {
        EXPECT_EQ(chooser.GetPathName(), QFileInfo(kSampleLog).absoluteFilePath());
        EXPECT_EQ(chooser.nameFilters(), (QStringList{"Quake 3 Arena Log Files (*.log)", "All Files (*)"}));
        TypeFileName(chooser, Scratch("server"));  // not there, and without a suffix
        chooser.accept();
    });
    dialog.Button(IDC_BROWSE_LOG).click();
    const std::string chosen = Scratch("server.log").toStdString();
    EXPECT_EQ(dialog.Box(IDC_LOG_FILE).text().toStdString(), chosen);
    EXPECT_EQ(dialog.m_strLogEdit, chosen);
    EXPECT_EQ(dialog.m_strLogPath, chosen);
    EXPECT_EQ(dialog.m_strHtmlEdit, "typed.html");
    EXPECT_EQ(dialog.m_strHtmlPath, "");
}

TEST_F(AppTest, CancellingAChooserOnlyTakesTheBoxesIntoTheMembers) {
    TestDialog dialog;
    dialog.show();
    dialog.Box(IDC_LOG_FILE).setText("mine.log");
    dialog.Box(IDC_HTML_FILE).setText("");
    WhenModal<CFileDialog>([](CFileDialog& chooser) {
        EXPECT_EQ(chooser.defaultSuffix(), "html");
        TypeFileName(chooser, "elsewhere.html");
        QTest::keyClick(&chooser, Qt::Key_Escape);
    });
    dialog.Button(IDC_BROWSE_HTML).click();
    EXPECT_EQ(dialog.Box(IDC_LOG_FILE).text(), "mine.log");
    EXPECT_EQ(dialog.Box(IDC_HTML_FILE).text(), "");
    EXPECT_EQ(dialog.m_strLogEdit, "mine.log");
    EXPECT_EQ(dialog.m_strHtmlPath, "");
}

// "No" keeps the chooser open; "Yes" closes it with the name and creates nothing.
TEST_F(AppTest, PageChooserAsksBeforeTakingANewFile) {
    TestDialog dialog;
    dialog.show();
    int questions = 0;
    WhenModal<CFileDialog>([&](CFileDialog& chooser) {
        TypeFileName(chooser, Scratch("new"));
        for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            WhenModal<QMessageBox>([&, answer](QMessageBox& question) {
                ++questions;
                EXPECT_TRUE(question.text().startsWith("new.html\n"));
                question.button(answer)->click();
            });
            chooser.accept();
            EXPECT_EQ(chooser.isVisible(), answer == QMessageBox::No);
        }
    });
    dialog.Button(IDC_BROWSE_HTML).click();
    EXPECT_EQ(questions, 2);
    EXPECT_EQ(dialog.m_strHtmlPath, Scratch("new.html").toStdString());
    EXPECT_FALSE(QFileInfo::exists(Scratch("new.html")));

    // An existing page is taken without a question.
    WhenModal<CFileDialog>([&](CFileDialog& chooser) {
        TypeFileName(chooser, kSampleLog);
        chooser.accept();
    });
    dialog.Button(IDC_BROWSE_HTML).click();
    EXPECT_EQ(questions, 2);
    EXPECT_EQ(dialog.Box(IDC_HTML_FILE).text(), QFileInfo(kSampleLog).absoluteFilePath());
}

// The button, the window menu's last entry, and the ways that open the menu.
TEST_F(AppTest, AboutBoxOpensFromTheButtonAndTheWindowMenu) {
    TestDialog dialog;
    dialog.ShowActive();
    const QList<QAction*> entries = dialog.GetSystemMenu()->actions();
    ASSERT_GE(entries.size(), 2);
    EXPECT_TRUE(entries[entries.size() - 2]->isSeparator());
    EXPECT_EQ(entries.back()->text(), "&About Murkwell...");

    int shown = 0;
    const auto closeAbout = [&](CAboutDlg& about) {
        ++shown;
        EXPECT_EQ(QApplication::focusWidget(), about.GetDlgItem(IDOK));
        QTest::keyClick(&about, Qt::Key_Escape);
    };
    WhenModal<CAboutDlg>(closeAbout);
    dialog.Button(IDC_ABOUT).click();
    WhenModal<CAboutDlg>(closeAbout);
    entries.back()->trigger();
    EXPECT_EQ(shown, 2);

    int menus = 0;
    const auto openedMenu = [&] {
        const bool open = QApplication::activePopupWidget() == dialog.GetSystemMenu();
        menus += open;
        if (open) {
            dialog.GetSystemMenu()->close();
        }
        return open;
    };
    Poll(openedMenu);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5), dialog.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&dialog.Button(IDC_START), &rightClick);
    Poll(openedMenu);
    QTest::keyClick(&dialog.Button(IDOK), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(menus, 2);
}

TEST_F(AppTest, HelpOpensOurPageAndClosesWithTheDialog) {
    CMurkwellApp application;
    TestDialog dialog;
    application.m_pMainWnd = &dialog;
    dialog.show();
    dialog.Button(ID_HELP).click();
    QPointer<QTextBrowser> help = dialog.findChild<QTextBrowser*>();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), "Murkwell Help");
    EXPECT_TRUE(help->toPlainText().contains("murkwell-cli [LOG [PAGE]]"));
    dialog.reject();
    EXPECT_FALSE(help);
}

// The real program's path: one box on a first start, then the dialog; the
// settings are stored when it closes.
TEST_F(AppTest, InitInstanceRunsTheDialogUntilItCloses) {
    CMurkwellApp application;
    int boxes = 0;
    WhenModal<QMessageBox>([&](QMessageBox& box) {
        ++boxes;
        box.accept();
    });
    WhenModal<CMurkwellDlg>([&](CMurkwellDlg& dialog) {
        EXPECT_EQ(application.m_pMainWnd, &dialog);
        dialog.close();
    });
    EXPECT_FALSE(application.InitInstance());
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(application.m_pMainWnd, nullptr);
    EXPECT_NE(ReadFile(SettingsFile()).find("LogFilename=games.log\n"), std::string::npos);
}

}  // namespace
}  // namespace murkwell::testing
