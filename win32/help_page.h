#pragma once

#include "windows_api.h"

namespace murkwell {

// Opens the help page compiled into the program in the user's browser. The
// page is written to the user's temporary folder first, since a browser
// opens files, not resources. A failure is shown with the path and the reason.
void OpenHelpPage(HINSTANCE instance, HWND owner);

}  // namespace murkwell
