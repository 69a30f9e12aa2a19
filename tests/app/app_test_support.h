#pragma once

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "murkwell_dlg.h"

namespace murkwell::testing {

std::string ReadFile(const QString& path);
void WriteFile(const QString& path, const std::string& bytes);

// Calls `attempt` every few milliseconds from the event loop, whichever loop
// runs, until it returns true. After five seconds it fails the test and closes
// whatever modal window is open, so a test never hangs.
void Poll(std::function<bool()> attempt);

// Runs `action` on the next modal window of type T, inside its own loop.
template <class T>
void WhenModal(std::function<void(T&)> action) {
    Poll([action] {
        T* window = dynamic_cast<T*>(QApplication::activeModalWidget());
        if (window) {
            action(*window);
        }
        return window != nullptr;
    });
}

// Types `name` into a file chooser's name box, as a user would.
void TypeFileName(QFileDialog& chooser, const QString& name);

// The main dialog with its message boxes recorded instead of shown.
class TestDialog : public CMurkwellDlg {
public:
    using CReportRun::m_strHtmlEdit;
    using CReportRun::m_strHtmlPath;
    using CReportRun::m_strLogEdit;
    using CReportRun::m_strLogPath;

    std::vector<std::string> messages;
    std::vector<Qt::CursorShape> runCursors;  // the cursor as each run took the paths

    QLineEdit& Box(int id) { return *static_cast<QLineEdit*>(GetDlgItem(id)); }
    QPushButton& Button(int id) { return *static_cast<QPushButton*>(GetDlgItem(id)); }
    // Shows the window and waits until it has the keyboard.
    void ShowActive();

protected:
    void ShowMessageBox(const QString& text) override;
    void ReadPathBoxes() override;
};

// Every test gets a configuration folder of its own and a scratch folder.
class AppTest : public ::testing::Test {
protected:
    AppTest();

    QString SettingsFile() const { return m_config.filePath("Orvek/Murkwell.conf"); }
    QString Scratch(const QString& name) const { return m_scratch.filePath(name); }

    QTemporaryDir m_config;
    QTemporaryDir m_scratch;
};

}  // namespace murkwell::testing
