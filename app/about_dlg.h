#pragma once

#include "dialog.h"

namespace murkwell {

// Names the program and its version beside the icon, with one "OK" button.
// Everything it does is the dialog's default behaviour.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(QWidget* owner = nullptr);
};

}  // namespace murkwell
