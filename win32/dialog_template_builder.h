#pragma once

#include <vector>

#include "windows_api.h"

#include "res/dialog_template.h"

namespace murkwell {

// Window styles a dialog has besides those every dialog of the program has
// (a modal frame with a caption and a window menu, centred, in the template's font).
struct DialogFrame {
    DWORD style = 0;
    DWORD extendedStyle = 0;
};

// Writes a template of the resource tables as the extended dialog template
// that DialogBoxIndirectParamW takes, so that Windows itself lays the dialog
// out in dialog units of its font, keeps the Tab order of the table, and
// makes the default button and the first focus what they are in any dialog.
// The words are the template; its start is DWORD-aligned, as Windows needs.
std::vector<DWORD> BuildDialogTemplate(const res::DialogTemplate& dialog, DialogFrame frame);

}  // namespace murkwell
