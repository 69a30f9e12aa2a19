#include "message_box.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStyle>

#include "res/strings.h"

namespace murkwell {

namespace {

// Window managers draw a caption in a face of their own, often bold, between
// buttons that may stand on both sides of it. QMessageBox sizes itself to
// its texts alone; a wide enough spacer below them keeps the caption whole.
void MakeRoomForCaption(QMessageBox& box) {
    QFont face = QApplication::font("QMdiSubWindowTitleBar");
    face.setBold(true);
    const int buttons = 3 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int width = QFontMetrics(face).horizontalAdvance(box.windowTitle()) + 2 * buttons;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) {
        return;
    }
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

void RunMessageBox(QWidget* owner, const QString& text, const QString& detail) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(res::kMessageCaption), text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(detail);
    // The text format above is not passed on to the informative text.
    if (auto* informative = box.findChild<QLabel*>("qt_msgbox_informativelabel")) {
        informative->setTextFormat(Qt::PlainText);
    }
    MakeRoomForCaption(box);
    box.exec();
}

}  // namespace murkwell
