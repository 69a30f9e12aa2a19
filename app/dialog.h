#pragma once

#include <functional>
#include <string>

#include <QDialog>
#include <QPointer>

#include "res/dialog_template.h"

class QMenu;

namespace murkwell {

enum class HelpCommand { Contents, Quit };

// A modal dialog built from a template, with the life of a classic dialog
// window: OnInitDialog runs once each time the window opens, before it is
// first shown; OnDestroy runs once when it closes, however it closes ("OK",
// Escape, the close button) or, failing that, when the object ends. "OK" and
// "Cancel" buttons end the dialog; other buttons do what ConnectButton gives
// them. The window menu reports its entries to OnSysCommand.
class CDialog : public QDialog {
public:
    explicit CDialog(const res::DialogTemplate& dialogTemplate, QWidget* parent = nullptr);

    // Runs the dialog until it ends; IDOK when it ended by "OK", IDCANCEL otherwise.
    int DoModal();

    QWidget* GetDlgItem(int id) const;
    // Calls `handler` whenever button `id` is clicked.
    void ConnectButton(int id, std::function<void()> handler);
    // The window menu, opened by a right click, the Menu key or Shift+F10.
    QMenu* GetSystemMenu() const { return m_pSystemMenu; }
    // true copies the controls into the members, false the members into the controls.
    void UpdateData(bool saveAndValidate);
    // Opens the help window (owned by this dialog) or closes it.
    void WinHelp(HelpCommand command);

    void setVisible(bool visible) override;
    void accept() override;
    void done(int result) override;

protected:
    // Returns true to put the focus on the first Tab stop.
    virtual bool OnInitDialog();
    virtual void OnDestroy() {}
    virtual void DoDataExchange(bool /*saveAndValidate*/) {}
    virtual void OnSysCommand(unsigned command);

    // Exchanges the text of edit box `id` with `value`, in the direction given.
    void ExchangeText(bool saveAndValidate, int id, std::string& value);
    // Runs OnDestroy if the window is still open; for destructors of derived
    // classes, whose OnDestroy is gone by the time this class's destructor runs.
    void DestroyWindow();

    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ResetSystemMenu();
    void FocusFirstTabStop();

    QMenu* m_pSystemMenu = nullptr;
    QPointer<QWidget> m_pHelpWindow;
    bool m_bWindowOpen = false;
};

}  // namespace murkwell
