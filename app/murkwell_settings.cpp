// The main dialog's two paths in the settings store: loaded as the window
// opens, saved as it closes.

#include <cstring>

#include "murkwell_dlg.h"
#include "res/strings.h"

namespace murkwell {

namespace {

constexpr const char* kSettingsKey = "Orvek/Murkwell";
constexpr const char* kHtmlValue = "HTMLFilename";
constexpr const char* kLogValue = "LogFilename";
// A stored path must fit this many bytes with a terminating zero byte;
// longer ones are stored whole but count as unreadable.
constexpr std::size_t kValueBufferSize = 1024;

}  // namespace

// A value that cannot be read is replaced by its default, in the box and in
// the store. Only the log path says so: on a first start that is the one box
// the user sees.
void CMurkwellDlg::LoadSettings() {
    m_SettingsKey.Create(UserConfigFolder(), kSettingsKey);

    std::string htmlPath;
    if (m_SettingsKey.QueryValue(htmlPath, kHtmlValue, kValueBufferSize) == 0) {
        m_strHtmlEdit = htmlPath;
        UpdateData(false);
    } else {
        m_strHtmlEdit = kDefaultHtmlName;
        UpdateData(false);
        m_SettingsKey.SetValue(kDefaultHtmlName, kHtmlValue);
    }

    std::string logPath;
    if (const int error = m_SettingsKey.QueryValue(logPath, kLogValue, kValueBufferSize); error == 0) {
        m_strLogEdit = logPath;
        UpdateData(false);
    } else {
        ShowMessageBox(QString::fromLocal8Bit(std::strerror(error)));
        m_strLogEdit = kDefaultLogName;
        UpdateData(false);
        m_SettingsKey.SetValue(kDefaultLogName, kLogValue);
    }
}

// Whatever the boxes hold is stored, changed or not, empty or not.
void CMurkwellDlg::SaveSettings() {
    UpdateData(true);
    m_SettingsKey.SetValue(m_strHtmlEdit, kHtmlValue);
    m_SettingsKey.SetValue(m_strLogEdit, kLogValue);
    m_SettingsKey.Close();
}

}  // namespace murkwell
