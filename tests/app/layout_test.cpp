// The two dialogs as their templates describe them: controls, measure,
// caption, keyboard order and first focus.

#include <QLabel>
#include <QTest>

#include "about_dlg.h"
#include "app_test_support.h"
#include "dialog_builder.h"
#include "dialog_units.h"
#include "res/dialogs.h"
#include "res/embedded_files.h"
#include "res/resource.h"

namespace murkwell::testing {
namespace {

using namespace murkwell::res;

TEST(DialogUnits, RoundLikeTheWindowsDialogManager) {
    const DialogBaseUnits classic{6, 13};  // the classic 8-point dialog font
    EXPECT_EQ(MapDialogRect(classic, 0, 0, 374, 190), QRect(0, 0, 561, 309));
    // 7 * 13 / 8 = 11.4 and 135 * 6 / 4 = 202.5: nearest pixel, halves up.
    EXPECT_EQ(MapDialogRect(classic, 7, 7, 135, 175), QRect(11, 11, 203, 284));
    EXPECT_EQ(MapDialogRect({7, 13}, 317, 25, 50, 14), QRect(555, 41, 88, 23));
}

QString TextOf(const QWidget& control) {
    if (auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        return button->text();
    }
    if (auto* edit = qobject_cast<const QLineEdit*>(&control)) {
        return edit->text();
    }
    return static_cast<const QLabel&>(control).text();
}

// Every row becomes one control, in row order, where the row puts it; a
// picture shows its whole picture from the row's corner. Nothing overlaps a
// picture and everything lies inside the client area, whatever the font.
void ExpectBuiltFrom(const QDialog& dialog, const DialogTemplate& rows) {
    const DialogBaseUnits units = BaseUnitsOf(dialog.font());
    EXPECT_TRUE(dialog.rect().contains(MapDialogRect(units, 0, 0, rows.width, rows.height)));
    std::vector<const QWidget*> controls;
    for (const QObject* child : dialog.children()) {
        if (child->property(kControlIdProperty).isValid()) {
            controls.push_back(static_cast<const QWidget*>(child));
        }
    }
    ASSERT_EQ(controls.size(), rows.controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlTemplate& row = rows.controls[i];
        const QWidget& control = *controls[i];
        SCOPED_TRACE(row.text);
        EXPECT_EQ(control.property(kControlIdProperty).toInt(), row.id);
        EXPECT_TRUE(dialog.rect().contains(control.geometry()));
        const QRect area = MapDialogRect(units, row.x, row.y, row.width, row.height);
        if (row.kind != ControlKind::Picture) {
            EXPECT_EQ(control.geometry(), area);
            EXPECT_EQ(TextOf(control), QString::fromUtf8(row.text));
            continue;
        }
        const auto& picture = static_cast<const QLabel&>(control);
        EXPECT_EQ(picture.pos(), area.topLeft());
        EXPECT_EQ(picture.contentsRect().size(), QPixmap(row.text).size());
        for (const QWidget* other : controls) {
            EXPECT_TRUE(other == &control || !other->geometry().intersects(control.geometry()));
        }
    }
}

TEST_F(AppTest, MainDialogIsBuiltFromItsTemplate) {
    TestDialog dialog;
    ExpectBuiltFrom(dialog, kMurkwellDialog);
    EXPECT_EQ(QPixmap(kLogoPicture).size(), QSize(200, 283));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Murkwell v1.0 Build 4");
    EXPECT_EQ(dialog.windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
}

TEST_F(AppTest, AboutBoxIsBuiltFromItsTemplate) {
    CAboutDlg about;
    ExpectBuiltFrom(about, kAboutBox);
    EXPECT_EQ(about.windowTitle(), "About Murkwell");
    EXPECT_EQ(QPixmap(kIconPicture32).size(), QSize(32, 32));
}

TEST_F(AppTest, FocusStartsOnExitAndTabFollowsTheTemplate) {
    TestDialog dialog;
    dialog.ShowActive();
    EXPECT_EQ(QApplication::focusWidget(), dialog.GetDlgItem(IDOK));
    for (int id : {ID_HELP, IDC_LOG_FILE, IDC_HTML_FILE, IDC_BROWSE_LOG, IDC_BROWSE_HTML, IDC_START, IDC_ABOUT, IDOK}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), dialog.GetDlgItem(id)) << id;
    }
    // A focused button is the default while it has the focus; away from buttons "&Start" is.
    dialog.Box(IDC_LOG_FILE).setFocus();
    EXPECT_TRUE(dialog.Button(IDC_START).isDefault());
    EXPECT_FALSE(dialog.Button(IDOK).isDefault());
}

TEST_F(AppTest, EnterPressesStartInABoxAndTheFocusedButtonElsewhere) {
    TestDialog dialog;
    dialog.ShowActive();
    dialog.messages.clear();
    dialog.Box(IDC_HTML_FILE).clear();
    dialog.Box(IDC_HTML_FILE).setFocus();
    QTest::keyClick(&dialog.Box(IDC_HTML_FILE), Qt::Key_Return);
    EXPECT_EQ(dialog.messages, std::vector<std::string>{"HTML Filename missing."});

    dialog.Button(IDOK).setFocus();
    QTest::keyClick(&dialog.Button(IDOK), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace murkwell::testing
