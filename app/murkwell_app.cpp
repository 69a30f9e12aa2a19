#include "murkwell_app.h"

#include "murkwell_dlg.h"
#include "res/resource.h"

namespace murkwell {

bool CMurkwellApp::InitInstance() {
    CMurkwellDlg dialog;
    m_pMainWnd = &dialog;
    dialog.ConnectButton(res::ID_HELP, [this] { OnHelp(); });
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return false;
}

// The help belongs to the main window, which closes it when it closes.
void CMurkwellApp::OnHelp() {
    if (m_pMainWnd) {
        m_pMainWnd->WinHelp(HelpCommand::Contents);
    }
}

}  // namespace murkwell
