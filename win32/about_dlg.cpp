#include "about_dlg.h"

#include "dialog_template_builder.h"
#include "res/dialogs.h"
#include "res/resource.h"

namespace murkwell {

namespace {

// Windows' own dialog handling does the rest: the focus goes to the only tab
// stop, OK, and OK and Escape both end the box.
INT_PTR CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == res::IDOK || LOWORD(wParam) == res::IDCANCEL)) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CAboutDlg::DoModal(HWND owner) {
    const std::vector<DWORD> dialog = BuildDialogTemplate(res::kAboutBox, {});
    return DialogBoxIndirectParamW(m_hInstance, reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), owner,
                                   AboutProc, 0);
}

}  // namespace murkwell
