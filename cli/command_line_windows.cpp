#include "command_line.h"

#include <windows.h>
#include <shellapi.h>

#include "murkwell/windows_text.h"

namespace murkwell {

// argv is in the code page the program runs under, which cannot spell every
// file name on a system older than the UTF-8 code page of the manifest; the
// wide command line always can.
std::vector<std::string> CommandLineArguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        arguments.push_back(Utf8FromWide(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

}  // namespace murkwell
