#include "message_box.h"

#include "murkwell/windows_text.h"
#include "res/strings.h"

namespace murkwell {

void ShowMessageBox(HWND owner, const std::string& text) {
    MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(res::kMessageCaption).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

// The length FormatMessage returns is what counts: the zero after the text
// is not promised on every version of Windows.
std::string SystemErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text != nullptr ? text : L"", text != nullptr ? length : 0);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
        message.pop_back();
    }
    return Utf8FromWide(message);
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
