#pragma once

#include "windows_api.h"

namespace murkwell {

// The About box: the program's name, version and icon, and one OK button.
class CAboutDlg {
public:
    explicit CAboutDlg(HINSTANCE instance) : m_hInstance(instance) {}

    // Shows the box over `owner` until OK, Enter, Escape or its close button ends it.
    INT_PTR DoModal(HWND owner);

private:
    HINSTANCE m_hInstance;
};

}  // namespace murkwell
