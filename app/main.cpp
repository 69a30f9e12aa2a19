// murkwell: the desktop program. One dialog turns a server log into the
// statistics page; the program ends when the dialog closes.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QApplication>

#include "main_icon.h"
#include "murkwell_app.h"
#include "res/strings.h"

namespace {

QtMessageHandler g_pQtMessages = nullptr;

// When Qt cannot reach the display it explains in several lines what its
// platform plugins tried and then aborts. A user needs one line and an exit
// status: the plugins' own lines are dropped, and the fatal one becomes ours.
void OnStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const char* display = std::getenv("DISPLAY");
        if (display && *display) {
            std::fprintf(stderr, murkwell::res::kDisplayUnreachable, display);
        } else {
            std::fputs(murkwell::res::kNoDisplay, stderr);
        }
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (context.category && std::strncmp(context.category, "qt.qpa.", 7) == 0) {
        return;
    }
    g_pQtMessages(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    // The command line is accepted and ignored, Qt's own options included.
    int qtArgc = argc > 0 ? 1 : 0;
    g_pQtMessages = qInstallMessageHandler(OnStartupMessage);
    QApplication application(qtArgc, argv);
    qInstallMessageHandler(g_pQtMessages);
    QApplication::setWindowIcon(murkwell::LoadMainIcon());

    murkwell::CMurkwellApp theApp;
    theApp.InitInstance();
    return 0;
}
