#include "dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QWindow>

#include "dialog_builder.h"
#include "help_window.h"
#include "res/resource.h"
#include "res/strings.h"

namespace murkwell {

namespace {

struct SystemMenuEntry {
    unsigned command;
    const char* text;
};

// The entries the window system offers for a fixed-size dialog.
constexpr SystemMenuEntry kSystemMenu[] = {
    {res::SC_MOVE, res::kMoveMenuEntry},
    {res::SC_CLOSE, res::kCloseMenuEntry},
};

}  // namespace

CDialog::CDialog(const res::DialogTemplate& dialogTemplate, QWidget* parent) : QDialog(parent) {
    // A fixed frame with a caption and a close button; no minimize, maximize or "?" button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    BuildDialog(*this, dialogTemplate);
    ConnectButton(res::IDOK, [this] { accept(); });
    ConnectButton(res::IDCANCEL, [this] { reject(); });
    m_pSystemMenu = new QMenu(this);
    connect(m_pSystemMenu, &QMenu::triggered, this,
            [this](QAction* entry) { OnSysCommand(entry->data().toUInt()); });
}

int CDialog::DoModal() {
    return exec() == QDialog::Accepted ? res::IDOK : res::IDCANCEL;
}

QWidget* CDialog::GetDlgItem(int id) const {
    for (QObject* child : children()) {
        const QVariant childId = child->property(kControlIdProperty);
        if (childId.isValid() && childId.toInt() == id) {
            return qobject_cast<QWidget*>(child);
        }
    }
    return nullptr;
}

void CDialog::ConnectButton(int id, std::function<void()> handler) {
    if (auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id))) {
        connect(button, &QAbstractButton::clicked, this, std::move(handler));
    }
}

void CDialog::UpdateData(bool saveAndValidate) {
    DoDataExchange(saveAndValidate);
}

void CDialog::ExchangeText(bool saveAndValidate, int id, std::string& value) {
    auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(id));
    if (!edit) {
        return;
    }
    if (saveAndValidate) {
        value = edit->text().toStdString();
    } else {
        edit->setText(QString::fromStdString(value));
    }
}

void CDialog::WinHelp(HelpCommand command) {
    if (command == HelpCommand::Quit) {
        delete m_pHelpWindow.data();
        return;
    }
    if (!m_pHelpWindow) {
        m_pHelpWindow = CreateHelpWindow(this);
    }
    m_pHelpWindow->show();
    m_pHelpWindow->raise();
    m_pHelpWindow->activateWindow();
}

void CDialog::setVisible(bool visible) {
    if (visible && !m_bWindowOpen) {
        m_bWindowOpen = true;
        ResetSystemMenu();
        if (OnInitDialog()) {
            FocusFirstTabStop();
        }
    }
    QDialog::setVisible(visible);
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

// "OK" takes what the controls hold before the dialog ends.
void CDialog::accept() {
    UpdateData(true);
    QDialog::accept();
}

void CDialog::done(int result) {
    DestroyWindow();
    QDialog::done(result);
}

void CDialog::DestroyWindow() {
    if (!m_bWindowOpen) {
        return;
    }
    m_bWindowOpen = false;
    OnDestroy();
}

void CDialog::OnSysCommand(unsigned command) {
    switch (command & res::kSysCommandMask) {
    case res::SC_MOVE:
        if (QWindow* window = windowHandle()) {
            window->startSystemMove();
        }
        return;
    case res::SC_CLOSE:
        close();
        return;
    default:
        return;
    }
}

void CDialog::contextMenuEvent(QContextMenuEvent* event) {
    m_pSystemMenu->exec(event->globalPos());
}

// Shift+F10 asks the focused control for its context menu, as the Menu key
// does; controls without one pass the request on to the dialog.
void CDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_F10 || event->modifiers() != Qt::ShiftModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    QWidget* target = focusWidget() ? focusWidget() : this;
    const QPoint at = target->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &request);
}

// The window menu belongs to the window: each opening starts from the
// window system's own entries.
void CDialog::ResetSystemMenu() {
    m_pSystemMenu->clear();
    for (const SystemMenuEntry& entry : kSystemMenu) {
        m_pSystemMenu->addAction(QString::fromUtf8(entry.text))->setData(entry.command);
    }
}

void CDialog::FocusFirstTabStop() {
    for (QWidget* widget = nextInFocusChain(); widget != this; widget = widget->nextInFocusChain()) {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && !widget->isHidden()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

}  // namespace murkwell
