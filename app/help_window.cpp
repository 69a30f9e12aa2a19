#include "help_window.h"

#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

#include "res/embedded_files.h"
#include "res/strings.h"

namespace murkwell {

QWidget* CreateHelpWindow(QWidget* owner) {
    auto* browser = new QTextBrowser(owner);
    browser->setWindowFlags(Qt::Window);
    browser->setWindowTitle(QString::fromUtf8(res::kHelpCaption));
    browser->setOpenExternalLinks(true);
    browser->setSource(QUrl(QString::fromUtf8(res::kHelpPage)));
    browser->resize(600, 560);
    // A window of its own has no Cancel button; Escape closes it all the same.
    QObject::connect(new QShortcut(QKeySequence::Cancel, browser), &QShortcut::activated, browser, &QWidget::close);
    return browser;
}

}  // namespace murkwell
