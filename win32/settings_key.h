#pragma once

#include <string>

#include "windows_api.h"

namespace murkwell {

// The registry key the dialog keeps its two paths under, open while the
// dialog is. Text goes in and out as UTF-8.
class CSettingsKey {
public:
    // A stored value is read into a buffer of this many characters, its
    // ending zero included; a longer one does not fit and fails to read.
    static constexpr DWORD kBufferCharacters = 1024;

    CSettingsKey() = default;
    CSettingsKey(const CSettingsKey&) = delete;
    CSettingsKey& operator=(const CSettingsKey&) = delete;
    ~CSettingsKey() { Close(); }

    // Opens the key, creating it when it is missing; on failure the key held before stays.
    bool Create(HKEY root, const wchar_t* subKey);
    // The system's result code: ERROR_SUCCESS, or why `text` is unchanged.
    LSTATUS QueryValue(std::string& text, const wchar_t* name) const;
    // The system's result code: ERROR_SUCCESS, or why nothing was stored.
    LSTATUS SetValue(const std::string& text, const wchar_t* name) const;
    void Close();

private:
    HKEY m_hKey = nullptr;
};

}  // namespace murkwell
