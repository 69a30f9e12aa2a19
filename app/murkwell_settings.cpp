// The main dialog's two paths in the settings store: loaded as the window
// opens, saved as it closes.

#include <cerrno>
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

QString LogPathMessage(int error) {
    const char* text = error == EOVERFLOW ? res::kStoredLogPathTooLong : res::kNoLogPathStored;
    return QString::fromUtf8(text).arg(QString::fromLocal8Bit(std::strerror(error)), QString::fromUtf8(kDefaultLogName));
}

QString SettingsUnusableMessage(const CSettingsKey& key) {
    return QString::fromUtf8(res::kSettingsUnusable)
        .arg(key.FilePath(), key.ErrorString(), QString::fromUtf8(kDefaultLogName));
}

}  // namespace

// A value that cannot be read is replaced by its default, in the box and in
// the store. Only the log path says so: on a first start that is the one box
// the user sees.
void CMurkwellDlg::LoadSettings() {
    const bool opened = m_SettingsKey.Create(UserConfigFolder(), kSettingsKey);

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
        ShowMessageBox(opened ? LogPathMessage(error) : SettingsUnusableMessage(m_SettingsKey), {});
        m_strLogEdit = kDefaultLogName;
        UpdateData(false);
        m_SettingsKey.SetValue(kDefaultLogName, kLogValue);
    }
    // The defaults are stored at once; what cannot be stored now is said when the window closes.
    m_SettingsKey.Flush();
}

// Only what differs from what was loaded is written, so another copy's
// change to the other path stays.
void CMurkwellDlg::SaveSettings() {
    UpdateData(true);
    m_SettingsKey.SetValue(m_strHtmlEdit, kHtmlValue);
    m_SettingsKey.SetValue(m_strLogEdit, kLogValue);
    if (!m_SettingsKey.Flush()) {
        ShowMessageBox(QString::fromUtf8(res::kSettingsNotSaved).arg(m_SettingsKey.FilePath(), m_SettingsKey.ErrorString()),
                       {});
    }
    m_SettingsKey.Close();
}

}  // namespace murkwell
