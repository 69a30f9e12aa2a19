#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>

#include <QString>

#include "settings_text.h"

namespace murkwell {

// The folder for configuration files: $XDG_CONFIG_HOME, or ~/.config when
// that is unset or not an absolute path.
QString UserConfigFolder();

// An open settings key: the key "Orvek/Murkwell" under a root folder is the
// file Orvek/Murkwell.conf in that folder (format in settings_text.h). The
// file is read once, when the key opens; values set afterwards stay with the
// key until Flush writes them back. Flush writes only the values that differ
// from what was read, into the file as it stands on disk then, under a lock:
// two copies of the program that change different values keep both changes.
class CSettingsKey {
public:
    CSettingsKey() = default;
    ~CSettingsKey() { Close(); }
    CSettingsKey(const CSettingsKey&) = delete;
    CSettingsKey& operator=(const CSettingsKey&) = delete;

    // Opens the key, making its folders when they are missing. Fails when the
    // folder cannot be made or the file is there but cannot be read (a
    // directory, a named pipe, a file without read access); ErrorString()
    // then says why. The key held before, if any, is then kept.
    bool Create(const QString& root, const QString& subKey);
    // Reads value `name` into `text`, if it fits a buffer of `bufferSize`
    // bytes with its terminating zero byte. Returns 0, ENOENT for a missing
    // value, EOVERFLOW for one too long, or EBADF with no key open.
    int QueryValue(std::string& text, const char* name, std::size_t bufferSize) const;
    // Does nothing with no key open.
    void SetValue(const std::string& text, const char* name);
    // Writes the values set since the key opened or was last flushed. On
    // failure the file is as it was, the values stay to be written, and
    // ErrorString() says why.
    bool Flush();
    // Forgets what has not been flushed.
    void Close();

    // The file, also when it could not be opened.
    const QString& FilePath() const { return m_strPath; }
    const QString& ErrorString() const { return m_strError; }

private:
    bool Fail(const QString& reason);

    QString m_strPath;
    QString m_strError;
    bool m_bOpen = false;
    SettingsText m_Stored;
    std::map<std::string, std::string, std::less<>> m_Changes;
};

}  // namespace murkwell
