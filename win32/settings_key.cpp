#include "settings_key.h"

#include <cwchar>
#include <vector>

#include "murkwell/windows_text.h"

namespace murkwell {

bool CSettingsKey::Create(HKEY root, const wchar_t* subKey) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    Close();
    m_hKey = key;
    return true;
}

// A value of any type is taken as text. Windows does not promise a zero at
// the end of what it hands back (a value may have been stored without one),
// so the text ends at the first zero or at the bytes stored, whichever comes
// first, and never runs past the buffer.
LSTATUS CSettingsKey::QueryValue(std::string& text, const wchar_t* name) const {
    if (m_hKey == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    std::vector<wchar_t> buffer(kBufferCharacters, L'\0');
    DWORD type = 0;
    DWORD bytes = kBufferCharacters * sizeof(wchar_t);
    const LSTATUS result =
        RegQueryValueExW(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    if (result != ERROR_SUCCESS) {
        return result;
    }
    text = Utf8FromWide({buffer.data(), wcsnlen(buffer.data(), bytes / sizeof(wchar_t))});
    return ERROR_SUCCESS;
}

// Stored with its ending zero, as REG_SZ text should be.
LSTATUS CSettingsKey::SetValue(const std::string& text, const wchar_t* name) const {
    if (m_hKey == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    const std::wstring wide = WideFromUtf8(text);
    return RegSetValueExW(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                   static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

void CSettingsKey::Close() {
    if (m_hKey != nullptr) {
        RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}

}  // namespace murkwell
