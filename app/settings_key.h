#pragma once

#include <cerrno>
#include <cstddef>
#include <optional>
#include <string>

namespace murkwell {

// The per-user folder for configuration: $XDG_CONFIG_HOME, or ~/.config when
// that is unset or not an absolute path. Empty when there is no home folder.
std::string UserConfigFolder();

// An open settings key. The key "Orvek/Murkwell" under a root folder is the
// file Orvek/Murkwell.conf in that folder (format in settings_file.h); the
// object holds the file's path while the key is open.
class CSettingsKey {
public:
    CSettingsKey() = default;
    ~CSettingsKey() { Close(); }
    CSettingsKey(const CSettingsKey&) = delete;
    CSettingsKey& operator=(const CSettingsKey&) = delete;

    // Opens the key, making its folders and file when they are missing.
    // Fails when the file cannot be opened for reading and writing; the key
    // held before, if any, is then kept.
    bool Create(const std::string& root, const std::string& subKey);
    // Reads value `name` into `text`, if it fits a buffer of `bufferSize`
    // bytes with its terminating zero byte. Returns 0, ENOENT for a missing
    // value, EOVERFLOW for one too long, or, with no key open, the error that
    // kept Create from opening one.
    int QueryValue(std::string& text, const char* name, std::size_t bufferSize) const;
    // Stores `text` (up to a zero byte, if it holds one) as value `name`.
    // Returns 0 or the error number.
    int SetValue(const std::string& text, const char* name);
    void Close();

private:
    std::optional<std::string> m_path;
    int m_nNoKeyError = EBADF;
};

}  // namespace murkwell
