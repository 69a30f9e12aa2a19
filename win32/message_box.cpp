#include "message_box.h"

#include "murkwell/windows_text.h"
#include "res/strings.h"

namespace murkwell {

void ShowMessageBox(HWND owner, const std::string& text) {
    MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(res::kMessageCaption).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

std::string WithArguments(std::string text, std::initializer_list<std::string> arguments) {
    int number = 0;
    for (const std::string& argument : arguments) {
        const std::string mark = "%" + std::to_string(++number);
        if (const std::size_t at = text.find(mark); at != std::string::npos) {
            text.replace(at, mark.size(), argument);
        }
    }
    return text;
}

}  // namespace murkwell
