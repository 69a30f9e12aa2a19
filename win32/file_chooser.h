#pragma once

#include <optional>
#include <string>

#include "windows_api.h"

namespace murkwell {

// What a "Browse.." button's chooser offers: the kind of file it is for
// (then all files), the extension a typed name without one gets, and the
// chooser's flags.
struct FileChooser {
    const char* filterName;
    const wchar_t* pattern;
    const wchar_t* defaultExtension;
    DWORD flags;
};

// The log chooser takes any name, existing or not, without a question.
extern const FileChooser kLogChooser;
// The page chooser asks before it names a file that does not exist yet.
extern const FileChooser kHtmlChooser;

// Shows Windows' open-file chooser, starting from `initialName`. The full
// path chosen, or nothing when the user cancelled or the chooser could not open.
std::optional<std::string> ChooseFile(HWND owner, const FileChooser& chooser, const std::string& initialName);

}  // namespace murkwell
