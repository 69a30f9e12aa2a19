#pragma once

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "murkwell_dlg.h"
#include "scratch_folder.h"

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace murkwell::testing {

inline QString Q(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

// Polls still waiting for their window; a test that ends with one fails.
inline int pendingPolls = 0;

// Calls `attempt` from whichever event loop runs until it returns true; after
// five seconds it fails and closes the modal window, so no test hangs.
inline void Poll(std::function<bool()> attempt) {
    ++pendingPolls;
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, attempt, deadline = QDeadlineTimer(5000)] {
        timer->stop();  // first: the attempt may open a loop of its own
        const bool done = attempt();
        if (!done && !deadline.hasExpired()) {
            return timer->start();
        }
        timer->deleteLater();
        --pendingPolls;
        EXPECT_TRUE(done) << "the expected window did not come";
        if (!done && QApplication::activeModalWidget()) {
            QApplication::activeModalWidget()->close();
        }
    });
    timer->start(10);
}

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

// Drops the file list's selection, which would win over the typed name.
inline void TypeFileName(QFileDialog& chooser, const QString& name) {
    chooser.findChild<QAbstractItemView*>("listView")->clearSelection();
    chooser.findChild<QLineEdit*>("fileNameEdit")->setText(name);
}

inline void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// The main dialog with its messages recorded instead of shown, unless the
// test wants to see the real boxes.
class TestDialog : public CMurkwellDlg {
public:
    using CMurkwellDlg::ShowMessage;

    std::vector<std::string> messages;
    bool showBoxes = false;

    QLineEdit& Box(int id) { return *static_cast<QLineEdit*>(GetDlgItem(id)); }
    QPushButton& Button(int id) { return *static_cast<QPushButton*>(GetDlgItem(id)); }

protected:
    void ShowMessageBox(const QString& text, const QString& detail) override {
        if (showBoxes) {
            return CMurkwellDlg::ShowMessageBox(text, detail);
        }
        messages.push_back(text.toStdString());
    }
};

// Every test gets a configuration folder of its own and a scratch folder.
class AppTest : public ::testing::Test {
protected:
    AppTest() { qputenv("XDG_CONFIG_HOME", m_config.Root().c_str()); }
    void TearDown() override { EXPECT_EQ(pendingPolls, 0) << "an expected window never came"; }

    std::filesystem::path SettingsFile() const { return m_config.Path("Orvek/Murkwell.conf"); }
    QString Scratch(const QString& name) const { return Q(m_scratch.Path(name.toStdString())); }

    ScratchFolder m_config;
    ScratchFolder m_scratch;
};

}  // namespace murkwell::testing
