#include "murkwell/windows_text.h"

#include <windows.h>

namespace murkwell {

std::wstring WideFromUtf8(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int length = static_cast<int>(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), needed);
    return wide;
}

std::string Utf8FromWide(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = static_cast<int>(wide.size());
    const int needed = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), needed, nullptr, nullptr);
    return utf8;
}

// The length FormatMessage returns is what counts: the zero after the text
// is not promised on every version of Windows.
std::string SystemErrorText(unsigned long error) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring_view words(text, length);
    while (!words.empty() && (words.back() == L'\r' || words.back() == L'\n' || words.back() == L' ')) {
        words.remove_suffix(1);
    }
    if (words.ends_with(L'.')) {
        words.remove_suffix(1);
    }
    std::string utf8 = Utf8FromWide(words);
    LocalFree(text);
    return utf8.empty() ? "system error " + std::to_string(error) : utf8;
}

}  // namespace murkwell
