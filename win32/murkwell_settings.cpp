// Where the main dialog keeps its two paths between uses: string values under
// one registry key of the current user. Every user may write there, whereas
// the local machine's key needs an administrator, without whom nothing would
// ever be stored and every start would report the missing value again.

#include "message_box.h"
#include "murkwell/conversion.h"
#include "murkwell/windows_text.h"
#include "murkwell_dlg.h"
#include "res/strings.h"

namespace murkwell {

namespace {

constexpr const wchar_t* kSettingsKey = L"SOFTWARE\\Orvek\\Murkwell";
constexpr const char* kSettingsKeyName = "HKEY_CURRENT_USER\\SOFTWARE\\Orvek\\Murkwell";
constexpr const wchar_t* kHtmlValue = L"HTMLFilename";
constexpr const wchar_t* kLogValue = L"LogFilename";

std::string LogPathMessage(LSTATUS error) {
    const char* text = error == ERROR_MORE_DATA ? res::kStoredLogPathTooLong : res::kNoLogPathStored;
    return WithArguments(text, {SystemErrorText(static_cast<DWORD>(error)), kDefaultLogName});
}

}  // namespace

// A value that cannot be read is replaced by its default, in the box and in
// the registry. Only the log path says so: the first start shows one box.
void CMurkwellDlg::LoadSettings() {
    m_SettingsKey.Create(HKEY_CURRENT_USER, kSettingsKey);

    if (m_SettingsKey.QueryValue(m_strHtmlEdit, kHtmlValue) == ERROR_SUCCESS) {
        UpdateData(false);
    } else {
        m_strHtmlEdit = kDefaultHtmlName;
        UpdateData(false);
        m_SettingsKey.SetValue(m_strHtmlEdit, kHtmlValue);
    }

    if (const LSTATUS result = m_SettingsKey.QueryValue(m_strLogEdit, kLogValue); result == ERROR_SUCCESS) {
        UpdateData(false);
    } else {
        ShowMessageBox(m_hWnd, LogPathMessage(result));
        m_strLogEdit = kDefaultLogName;
        UpdateData(false);
        m_SettingsKey.SetValue(m_strLogEdit, kLogValue);
    }
}

void CMurkwellDlg::SaveSettings() {
    UpdateData(true);
    LSTATUS result = m_SettingsKey.SetValue(m_strHtmlEdit, kHtmlValue);
    if (result == ERROR_SUCCESS) {
        result = m_SettingsKey.SetValue(m_strLogEdit, kLogValue);
    }
    m_SettingsKey.Close();
    if (result != ERROR_SUCCESS) {
        // The dialog is being destroyed, so the box stands on its own.
        const std::string reason = SystemErrorText(static_cast<DWORD>(result));
        ShowMessageBox(nullptr, WithArguments(res::kSettingsNotSaved, {kSettingsKeyName, reason}));
    }
}

}  // namespace murkwell
