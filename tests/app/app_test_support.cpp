#include "app_test_support.h"

#include <fstream>
#include <sstream>

#include <QAbstractItemView>
#include <QCursor>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>

namespace murkwell::testing {

std::string ReadFile(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const QString& path, const std::string& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

void Poll(std::function<bool()> attempt) {
    auto* timer = new QTimer(qApp);
    const QDeadlineTimer deadline(5000);
    QObject::connect(timer, &QTimer::timeout, [timer, attempt, deadline] {
        // Stopped first: the attempt may open a loop of its own.
        timer->stop();
        if (attempt()) {
            timer->deleteLater();
            return;
        }
        if (!deadline.hasExpired()) {
            timer->start();
            return;
        }
        timer->deleteLater();
        ADD_FAILURE() << "the expected window did not come";
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
    timer->start(10);
}

// Typing into the focused name box drops the file list's selection, which
// would otherwise win over the typed name; an offscreen chooser may not have
// the focus, so the selection is dropped here.
void TypeFileName(QFileDialog& chooser, const QString& name) {
    auto* box = chooser.findChild<QLineEdit*>("fileNameEdit");
    auto* files = chooser.findChild<QAbstractItemView*>("listView");
    ASSERT_TRUE(box && files);
    files->clearSelection();
    box->setText(name);
}

void TestDialog::ShowActive() {
    show();
    activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(this));
}

void TestDialog::ShowMessageBox(const QString& text) {
    messages.push_back(text.toStdString());
}

void TestDialog::ReadPathBoxes() {
    const QCursor* cursor = QApplication::overrideCursor();
    runCursors.push_back(cursor ? cursor->shape() : Qt::ArrowCursor);
    CMurkwellDlg::ReadPathBoxes();
}

AppTest::AppTest() {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
}

}  // namespace murkwell::testing
