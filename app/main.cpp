// murkwell: the desktop program. One dialog turns a server log into the
// statistics page; the program ends when the dialog closes.

#include <cstdio>
#include <cstdlib>

#include <QApplication>

#include "main_icon.h"
#include "murkwell_app.h"
#include "res/strings.h"

namespace {

// Without a display Qt would stop the program with a message of its own;
// whoever picked a platform plugin by name knows what they are doing.
bool HasDisplay() {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (const char* value = std::getenv(name); value && *value) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fputs(murkwell::res::kNoDisplay, stderr);
        return 1;
    }
    // The command line is accepted and ignored, Qt's own options included.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    QApplication::setWindowIcon(murkwell::LoadMainIcon());

    murkwell::CMurkwellApp theApp;
    theApp.InitInstance();
    return 0;
}
