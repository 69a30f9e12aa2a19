#include "help_window.h"

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
    return browser;
}

}  // namespace murkwell
