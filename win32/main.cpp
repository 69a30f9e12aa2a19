// Murkwell.exe: the Windows dialog. It starts the socket layer, shows the main
// dialog, and ends when the dialog closes; it runs no message loop of its own.

#include "windows_api.h"
#include <commctrl.h>
#include <winsock2.h>

#include <string>

#include "message_box.h"
#include "murkwell_dlg.h"
#include "res/strings.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WSADATA sockets;
    if (WSAStartup(MAKEWORD(2, 2), &sockets) != 0) {
        murkwell::ShowMessageBox(nullptr, std::string(murkwell::res::LoadString(murkwell::res::IDP_SOCKETS_INIT_FAILED)));
        return 1;
    }
    // The manifest asks for the common controls of the current look; they
    // are there once the library is loaded.
    const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    murkwell::CMurkwellDlg(instance).DoModal();
    WSACleanup();
    return 0;
}
