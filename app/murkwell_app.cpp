#include "murkwell_app.h"

#include "murkwell_dlg.h"
#include "res/resource.h"

namespace murkwell {

namespace {

CMurkwellApp* g_pApplication = nullptr;

}  // namespace

CMurkwellApp::CMurkwellApp() {
    g_pApplication = this;
}

CMurkwellApp::~CMurkwellApp() {
    if (g_pApplication == this) {
        g_pApplication = nullptr;
    }
}

CMurkwellApp* CMurkwellApp::Instance() {
    return g_pApplication;
}

bool CMurkwellApp::InitInstance() {
    CMurkwellDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return false;
}

void CMurkwellApp::OnCmdMsg(int id) {
    struct Handler {
        int id;
        void (CMurkwellApp::*handle)();
    };
    static constexpr Handler kHandlers[] = {
        {res::ID_HELP, &CMurkwellApp::OnHelp},
    };
    for (const Handler& handler : kHandlers) {
        if (handler.id == id) {
            (this->*handler.handle)();
            return;
        }
    }
}

// The help belongs to the main window, which closes it when it closes.
void CMurkwellApp::OnHelp() {
    if (m_pMainWnd) {
        m_pMainWnd->WinHelp(HelpCommand::Contents);
    }
}

}  // namespace murkwell
