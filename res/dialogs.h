#pragma once

#include "res/dialog_template.h"

namespace murkwell::res {

extern const DialogTemplate kMurkwellDialog;  // IDD_MURKWELL_DIALOG
extern const DialogTemplate kAboutBox;        // IDD_ABOUTBOX

}  // namespace murkwell::res
