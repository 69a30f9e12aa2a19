#include "dialog_builder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "dialog_units.h"
#include "res/embedded_files.h"

namespace murkwell {

namespace {

using res::ControlKind;
using res::ControlTemplate;

QWidget* CreateButton(const ControlTemplate& control, QDialog& dialog) {
    auto* button = new QPushButton(QString::fromUtf8(control.text), &dialog);
    // Every button of a dialog takes Enter while it has the focus; the
    // default button takes it while an edit box has it.
    button->setAutoDefault(true);
    button->setDefault((control.styles & res::kDefPushButton) != 0);
    return button;
}

QWidget* CreateEdit(const ControlTemplate& control, QDialog& dialog) {
    auto* edit = new QLineEdit(QString::fromUtf8(control.text), &dialog);
    edit->setFrame((control.styles & res::kBorder) != 0);
    return edit;
}

QWidget* CreateLabel(const ControlTemplate& control, QDialog& dialog) {
    auto* label = new QLabel(QString::fromUtf8(control.text), &dialog);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* CreatePicture(const ControlTemplate& control, QDialog& dialog) {
    auto* picture = new QLabel(&dialog);
    picture->setPixmap(QPixmap(QString::fromUtf8(res::PicturePath(control.picture))));
    if (control.styles & res::kSunken) {
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    return picture;
}

QWidget* CreateControl(const ControlTemplate& control, QDialog& dialog) {
    switch (control.kind) {
    case ControlKind::PushButton:
        return CreateButton(control, dialog);
    case ControlKind::Edit:
        return CreateEdit(control, dialog);
    case ControlKind::Label:
        return CreateLabel(control, dialog);
    case ControlKind::Picture:
        return CreatePicture(control, dialog);
    }
    return CreateLabel(control, dialog);
}

bool TakesFocus(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::Edit;
}

// A picture shows the picture at its own size, whatever size the template
// gives; the frame, if any, goes around it.
QRect PlaceControl(const ControlTemplate& control, QWidget& widget, const DialogBaseUnits& units) {
    const QRect area = MapDialogRect(units, control.x, control.y, control.width, control.height);
    if (control.kind != ControlKind::Picture) {
        return area;
    }
    const auto& picture = static_cast<const QLabel&>(widget);
    const int frame = 2 * picture.frameWidth();
    return QRect(area.topLeft(), picture.pixmap().size() + QSize(frame, frame));
}

// The client area of the template, grown where a picture shown at its own
// size would stick out of it with this font's measure: the picture then keeps
// the margin it has at the top left on the bottom right as well.
QSize ClientSize(const res::DialogTemplate& dialogTemplate, const DialogBaseUnits& units, const QDialog& dialog) {
    QSize size = MapDialogRect(units, 0, 0, dialogTemplate.width, dialogTemplate.height).size();
    for (const QObject* child : dialog.children()) {
        const auto* picture = qobject_cast<const QLabel*>(child);
        if (picture && !picture->pixmap().isNull()) {
            const QRect area = picture->geometry();
            size = size.expandedTo(QSize(area.right() + 1 + area.left(), area.bottom() + 1 + area.top()));
        }
    }
    return size;
}

}  // namespace

void BuildDialog(QDialog& dialog, const res::DialogTemplate& dialogTemplate) {
    dialog.setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
    dialog.setFont(DialogFont(dialogTemplate.fontFace, dialogTemplate.fontPoints, dialog.logicalDpiY()));
    const DialogBaseUnits units = BaseUnitsOf(dialog.font());

    QWidget* previousTabStop = nullptr;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = CreateControl(control, dialog);
        widget->setProperty(kControlIdProperty, control.id);
        widget->setGeometry(PlaceControl(control, *widget, units));
        if (!TakesFocus(control.kind)) {
            continue;
        }
        if (!(control.styles & res::kTabStop)) {
            widget->setFocusPolicy(Qt::ClickFocus);
            continue;
        }
        widget->setFocusPolicy(Qt::StrongFocus);
        if (previousTabStop) {
            QWidget::setTabOrder(previousTabStop, widget);
        }
        previousTabStop = widget;
    }
    dialog.setFixedSize(ClientSize(dialogTemplate, units, dialog));
}

}  // namespace murkwell
