#pragma once

#include <initializer_list>
#include <string>

#include "windows_api.h"

namespace murkwell {

// A modal box with the text, one OK button and the exclamation icon, captioned
// with the program's name, as every message of the program is shown.
void ShowMessageBox(HWND owner, const std::string& text);

// The text with %1, %2, ... replaced by the arguments in turn, as the
// program's message strings are written.
std::string WithArguments(std::string text, std::initializer_list<std::string> arguments);

}  // namespace murkwell
