#include "murkwell_dlg.h"

#include "about_dlg.h"
#include "dialog_template_builder.h"
#include "file_chooser.h"
#include "help_page.h"
#include "message_box.h"
#include "murkwell/version.h"
#include "murkwell/windows_text.h"
#include "res/dialogs.h"
#include "res/strings.h"

namespace murkwell {

namespace {

std::string ItemText(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return Utf8FromWide(text);
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextW(dialog, id, WideFromUtf8(text).c_str());
}

HICON LoadProgramIcon(HINSTANCE instance, int sizeMetric) {
    const int size = GetSystemMetrics(sizeMetric);
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(res::IDR_MAINFRAME), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

CMurkwellDlg::CMurkwellDlg(HINSTANCE instance)
    : m_hInstance(instance), m_hIcon(LoadProgramIcon(instance, SM_CXICON)),
      m_hSmallIcon(LoadProgramIcon(instance, SM_CXSMICON)) {}

INT_PTR CMurkwellDlg::DoModal() {
    // The main window has a taskbar button of its own.
    const std::vector<DWORD> dialog = BuildDialogTemplate(res::kMurkwellDialog, {WS_VISIBLE, WS_EX_APPWINDOW});
    return DialogBoxIndirectParamW(m_hInstance, reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), nullptr,
                                   DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CMurkwellDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CMurkwellDlg*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
    }
    auto* dialog = reinterpret_cast<CMurkwellDlg*>(GetWindowLongPtrW(window, DWLP_USER));
    return dialog != nullptr ? dialog->OnMessage(message, wParam, lParam) : FALSE;
}

// A dialog procedure returns FALSE for what Windows' own dialog handling is to do.
INT_PTR CMurkwellDlg::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_SYSCOMMAND:
        return OnSysCommand(wParam);
    case WM_PAINT:
        return OnPaint();
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(m_hIcon);
    case WM_COMMAND:
        return HIWORD(wParam) == BN_CLICKED && OnCommand(LOWORD(wParam));
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    }
    return FALSE;
}

BOOL CMurkwellDlg::OnInitDialog() {
    if (const HMENU systemMenu = GetSystemMenu(m_hWnd, FALSE)) {
        const std::string about(res::LoadString(res::IDS_ABOUTBOX));
        if (!about.empty()) {
            AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(systemMenu, MF_STRING, res::IDM_ABOUTBOX, WideFromUtf8(about).c_str());
        }
    }
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));
    SetWindowTextW(m_hWnd, WideFromUtf8(std::string(res::kCaptionPrefix) + kVersionText).c_str());
    LoadSettings();
    return TRUE;  // the focus goes to the first tab stop, "&Exit"
}

bool CMurkwellDlg::OnSysCommand(WPARAM command) {
    if ((command & res::kSysCommandMask) != res::IDM_ABOUTBOX) {
        return false;
    }
    OnAbout();
    return true;
}

// A minimized window shows the icon in the middle of what is left of it.
bool CMurkwellDlg::OnPaint() {
    if (!IsIconic(m_hWnd)) {
        return false;
    }
    PAINTSTRUCT paint;
    const HDC context = BeginPaint(m_hWnd, &paint);
    SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(context), 0);
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(context, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
    return true;
}

// The buttons' commands, and who handles each; "&Exit" and Escape end the dialog.
bool CMurkwellDlg::OnCommand(WORD id) {
    struct Command {
        int id;
        void (CMurkwellDlg::*handler)();
    };
    static constexpr Command kCommands[] = {
        {res::IDC_START, &CMurkwellDlg::OnStart},         {res::IDC_BROWSE_LOG, &CMurkwellDlg::OnBrowseLog},
        {res::IDC_BROWSE_HTML, &CMurkwellDlg::OnBrowseHtml}, {res::IDC_ABOUT, &CMurkwellDlg::OnAbout},
        {res::ID_HELP, &CMurkwellDlg::OnHelp},
    };
    if (id == res::IDOK || id == res::IDCANCEL) {
        EndDialog(m_hWnd, id);
        return true;
    }
    for (const Command& command : kCommands) {
        if (command.id == id) {
            (this->*command.handler)();
            return true;
        }
    }
    return false;
}

void CMurkwellDlg::OnBrowseLog() { Browse(kLogChooser, m_strLogEdit, m_strLogPath); }

void CMurkwellDlg::OnBrowseHtml() { Browse(kHtmlChooser, m_strHtmlEdit, m_strHtmlPath); }

// A chooser that is cancelled, or fails to open, changes nothing.
void CMurkwellDlg::Browse(const FileChooser& chooser, std::string& editText, std::string& runPath) {
    UpdateData(true);
    if (const auto chosen = ChooseFile(m_hWnd, chooser, editText)) {
        editText = *chosen;
        runPath = *chosen;
        UpdateData(false);
    }
}

void CMurkwellDlg::OnAbout() { CAboutDlg(m_hInstance).DoModal(m_hWnd); }

void CMurkwellDlg::OnHelp() { OpenHelpPage(m_hInstance, m_hWnd); }

// The boxes still exist here: Windows destroys a window before its children.
void CMurkwellDlg::OnDestroy() { SaveSettings(); }

void CMurkwellDlg::ShowMessage(const Outcome& outcome) {
    ShowMessageBox(m_hWnd, outcome.detail.empty() ? outcome.message : outcome.message + "\n\n" + outcome.detail);
}

void CMurkwellDlg::UpdateData(bool saveAndValidate) {
    if (saveAndValidate) {
        m_strLogEdit = ItemText(m_hWnd, res::IDC_LOG_FILE);
        m_strHtmlEdit = ItemText(m_hWnd, res::IDC_HTML_FILE);
        return;
    }
    SetItemText(m_hWnd, res::IDC_LOG_FILE, m_strLogEdit);
    SetItemText(m_hWnd, res::IDC_HTML_FILE, m_strHtmlEdit);
}

}  // namespace murkwell
