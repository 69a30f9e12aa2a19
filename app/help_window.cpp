#include "help_window.h"

#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>

#include "res/embedded_files.h"
#include "res/strings.h"

namespace murkwell {

namespace {

// A window of its own has no Cancel button; Escape closes it all the same.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) {
            close();
            return;
        }
        QTextBrowser::keyPressEvent(event);
    }
};

}  // namespace

QWidget* CreateHelpWindow(QWidget* owner) {
    auto* browser = new HelpBrowser(owner);
    browser->setWindowFlags(Qt::Window);
    browser->setWindowTitle(QString::fromUtf8(res::kHelpCaption));
    browser->setOpenExternalLinks(true);
    browser->setSource(QUrl(QString::fromUtf8(res::kHelpPage)));
    browser->resize(600, 560);
    return browser;
}

}  // namespace murkwell
