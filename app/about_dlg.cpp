#include "about_dlg.h"

#include "res/dialogs.h"

namespace murkwell {

CAboutDlg::CAboutDlg(QWidget* owner) : CDialog(res::kAboutBox, owner) {}

}  // namespace murkwell
