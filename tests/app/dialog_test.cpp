// The main dialog and the About box as their templates build them, and what
// the main dialog does: first start, runs, file choosers, the About box.

#include "about_dlg.h"
#include "app_test_support.h"
#include "dialog_builder.h"
#include "dialog_units.h"
#include "file_dialog.h"
#include "murkwell/version.h"
#include "murkwell_app.h"
#include "res/dialogs.h"
#include "res/resource.h"

namespace murkwell::testing {
namespace {

using namespace murkwell::res;

const QString kSampleLog = MURKWELL_SOURCE_DIR "/examples/games.log";

TEST(DialogUnits, RoundLikeTheWindowsDialogManager) {
    const DialogBaseUnits classic{6, 13};  // the classic 8-point dialog font
    // 7 * 13 / 8 = 11.4 and 135 * 6 / 4 = 202.5: nearest pixel, halves up.
    EXPECT_EQ(MapDialogRect(classic, 7, 7, 135, 175), QRect(11, 11, 203, 284));
    EXPECT_EQ(MapDialogRect({7, 13}, 317, 25, 50, 14), QRect(555, 41, 88, 23));
}

int Order(int a, int b) { return (a > b) - (a < b); }

// Each row becomes one control of its kind, in row order, with the row's id
// and text. Pixels depend on the font, so places are checked as relations:
// any two controls lie across and down as their rows do, inside the client
// area, without overlapping. A picture shows at its own size.
TEST_F(AppTest, DialogsAreBuiltFromTheirTemplates) {
    TestDialog main;
    CAboutDlg about;
    struct Case { QDialog& dialog; const DialogTemplate& rows; QString caption; QSize picture; };
    for (const Case& built : {Case{main, kMurkwellDialog, QString("Murkwell v") + kVersionText, {200, 283}},
                              Case{about, kAboutBox, "About Murkwell", {32, 32}}}) {
        QList<QWidget*> controls = built.dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        controls.removeIf([](QWidget* child) { return !child->property(kControlIdProperty).isValid(); });
        ASSERT_EQ(std::size_t(controls.size()), built.rows.controls.size());
        for (qsizetype i = 0; i < controls.size(); ++i) {
            const ControlTemplate& row = built.rows.controls[i];
            const QRect place = controls[i]->geometry();
            SCOPED_TRACE(row.text);
            EXPECT_EQ(controls[i]->property(kControlIdProperty).toInt(), row.id);
            EXPECT_TRUE(built.dialog.rect().contains(place));
            if (row.kind == ControlKind::Picture) {
                EXPECT_EQ(static_cast<QLabel*>(controls[i])->contentsRect().size(), built.picture);
            } else {
                EXPECT_EQ(controls[i]->property("text").toString(), QString::fromUtf8(row.text));
            }
            for (qsizetype j = 0; j < i; ++j) {
                const ControlTemplate& other = built.rows.controls[j];
                const QRect there = controls[j]->geometry();
                EXPECT_EQ(Order(row.x, other.x), Order(place.x(), there.x())) << other.text;
                EXPECT_EQ(Order(row.y, other.y), Order(place.y(), there.y())) << other.text;
                EXPECT_FALSE(place.intersects(there)) << other.text;
            }
        }
        built.dialog.show();
        EXPECT_EQ(built.dialog.windowTitle(), built.caption);
    }
    EXPECT_EQ(main.windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
}

// The real program on a first start: one warning box (a second one would keep
// the dialog from coming), wide enough for a window manager to show its
// caption whole beside its buttons, then the dialog with both defaults already
// stored. "&Help" opens the help window, and Escape closes it.
TEST_F(AppTest, FirstStartShowsOneBoxThenTheDialog) {
    CMurkwellApp application;
    WhenModal<QMessageBox>([&](QMessageBox& box) {
        EXPECT_EQ(box.text(), "No log path has been stored yet (No such file or directory); using games.log.");
        EXPECT_EQ(box.windowTitle(), "Murkwell");
        EXPECT_GE(box.width(), 3 * box.fontMetrics().horizontalAdvance(box.windowTitle()));
        EXPECT_EQ(box.icon(), QMessageBox::Warning);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        box.accept();
    });
    WhenModal<CMurkwellDlg>([&](CMurkwellDlg& dialog) {
        EXPECT_EQ(ReadBytes(SettingsFile()), "HTMLFilename=murkwells.html\nLogFilename=games.log\n");
        static_cast<QPushButton*>(dialog.GetDlgItem(ID_HELP))->click();
        QTextBrowser* help = dialog.findChild<QTextBrowser*>();
        EXPECT_TRUE(help && help->isVisible());
        if (help) {
            QTest::keyClick(help, Qt::Key_Escape);
            EXPECT_FALSE(help->isVisible());
        }
        dialog.close();
    });
    EXPECT_FALSE(application.InitInstance());
}

// A run's detail stands below its message, and neither is read as markup; the
// short "Done!" gets the same room for the caption as any box.
TEST_F(AppTest, MessageBoxesShowTheRunsDetail) {
    TestDialog dialog;
    ShowActive(dialog);
    dialog.showBoxes = true;
    for (const Outcome& outcome : {Outcome{"Done!", ""}, Outcome{"Unable to open Log File.", "<b>x</b>: No such file"}}) {
        WhenModal<QMessageBox>([&](QMessageBox& box) {
            EXPECT_EQ(box.text(), QString::fromStdString(outcome.message));
            EXPECT_EQ(box.informativeText(), QString::fromStdString(outcome.detail));
            EXPECT_GE(box.width(), 3 * box.fontMetrics().horizontalAdvance(box.windowTitle()));
            for (const QLabel* label : box.findChildren<QLabel*>()) {
                EXPECT_TRUE(label->text().isEmpty() || label->textFormat() == Qt::PlainText) << label->text().toStdString();
            }
            box.accept();
        });
        dialog.ShowMessage(outcome);
    }
}

// Enter in a box presses "&Start", the default button, and the run takes the
// boxes' texts. Each run says one thing and leaves no busy cursor; a failed
// run neither creates nor truncates a page, and the log is never touched.
// Every outcome of the conversion itself is the command-line tests' business.
TEST_F(AppTest, StartReportsEachOutcome) {
    const QString log = Scratch("games.log");
    QFile::copy(kSampleLog, log);
    m_scratch.Write("old.html", "an earlier page");
    struct Case { QString log, page; std::string message; };
    const Case cases[] = {
        {"", "", "Log Filename missing."},
        {log, "", "HTML Filename missing."},
        {Scratch("missing.log"), Scratch("old.html"), "Unable to open Log File."},
        {Q(m_scratch.Root()), Scratch("new.html"), "Unable to open Log File."},
        {log, log, "The HTML File would overwrite the Log File."},
        {log, Scratch("b.html"), "Done!"},
    };
    TestDialog dialog;
    ShowActive(dialog);
    dialog.Box(IDC_HTML_FILE).setFocus();
    for (const Case& run : cases) {
        dialog.messages.clear();
        dialog.Box(IDC_LOG_FILE).setText(run.log);
        dialog.Box(IDC_HTML_FILE).setText(run.page);
        QTest::keyClick(&dialog.Box(IDC_HTML_FILE), Qt::Key_Return);
        EXPECT_EQ(dialog.messages, std::vector<std::string>{run.message}) << run.page.toStdString();
        EXPECT_EQ(ReadBytes(log.toStdString()), ReadBytes(kSampleLog.toStdString()));
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(ReadBytes(m_scratch.Path("old.html")), "an earlier page");
    EXPECT_FALSE(QFileInfo::exists(Scratch("new.html")));
    EXPECT_NE(ReadBytes(m_scratch.Path("b.html")).find("Murkwell Results"), std::string::npos);
}

// A chooser opens on the box's name, and on OK the box takes the full name.
// About a new page, "No" keeps the chooser open and "Yes" closes it with the
// name, creating nothing.
TEST_F(AppTest, ChoosersTakeTheFileOnlyOnOk) {
    TestDialog dialog;
    dialog.show();
    dialog.Box(IDC_LOG_FILE).setText(kSampleLog);
    dialog.Box(IDC_HTML_FILE).setText("typed.html");
    WhenModal<CFileDialog>([&](CFileDialog& chooser) {
        EXPECT_EQ(chooser.GetPathName(), QFileInfo(kSampleLog).absoluteFilePath());
        TypeFileName(chooser, Scratch("server"));  // not there, and without a suffix
        chooser.accept();
    });
    dialog.Button(IDC_BROWSE_LOG).click();
    EXPECT_EQ(dialog.Box(IDC_LOG_FILE).text(), Scratch("server.log"));

    const auto choosePage = [&](QMessageBox::StandardButton answer) {
        WhenModal<CFileDialog>([&, answer](CFileDialog& chooser) {
            TypeFileName(chooser, Scratch("new"));
            WhenModal<QMessageBox>([answer](QMessageBox& question) {
                EXPECT_TRUE(question.text().startsWith("new.html\n"));
                question.button(answer)->click();
            });
            chooser.accept();
            if (chooser.isVisible()) {
                QTest::keyClick(&chooser, Qt::Key_Escape);
            }
        });
        dialog.Button(IDC_BROWSE_HTML).click();
    };
    choosePage(QMessageBox::No);
    EXPECT_EQ(dialog.Box(IDC_HTML_FILE).text(), "typed.html");
    choosePage(QMessageBox::Yes);
    EXPECT_EQ(dialog.Box(IDC_HTML_FILE).text(), Scratch("new.html"));
    EXPECT_FALSE(QFileInfo::exists(Scratch("new.html")));
}

// Focus starts on "&Exit" and Tab follows the template. The About box opens
// from its button and from the last entry of the window menu, which Shift+F10
// opens (it asks the focused control for its context menu, as a right click).
TEST_F(AppTest, KeyboardOrderAndTheAboutBox) {
    TestDialog dialog;
    ShowActive(dialog);
    EXPECT_EQ(QApplication::focusWidget(), dialog.GetDlgItem(IDOK));
    for (int id : {ID_HELP, IDC_LOG_FILE, IDC_HTML_FILE, IDC_BROWSE_LOG, IDC_BROWSE_HTML, IDC_START, IDC_ABOUT, IDOK}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), dialog.GetDlgItem(id)) << id;
    }
    QMenu& menu = *dialog.GetSystemMenu();
    const auto closeAbout = [](CAboutDlg& about) { QTest::keyClick(&about, Qt::Key_Escape); };
    WhenModal<CAboutDlg>(closeAbout);
    dialog.Button(IDC_ABOUT).click();
    Poll([&] {
        if (QApplication::activePopupWidget() != &menu) {
            return false;
        }
        const QList<QAction*> entries = menu.actions();
        EXPECT_EQ(entries.back()->text(), "&About Murkwell...");
        WhenModal<CAboutDlg>(closeAbout);
        menu.setActiveAction(entries.back());
        QTest::keyClick(&menu, Qt::Key_Return);
        return true;
    });
    QTest::keyClick(&dialog.Button(IDOK), Qt::Key_F10, Qt::ShiftModifier);
}

}  // namespace
}  // namespace murkwell::testing
