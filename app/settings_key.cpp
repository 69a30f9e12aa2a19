#include "settings_key.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include "settings_file.h"

namespace murkwell {

namespace {

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    const passwd* user = ::getpwuid(::getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

// Makes the key's folders and file and returns the file's path with links
// resolved, so that replacing the file keeps a linked settings file linked.
int OpenKeyFile(const std::string& root, const std::string& subKey, std::string& path) {
    if (root.empty()) {
        return ENOENT;
    }
    const std::filesystem::path file = std::filesystem::path(root) / (subKey + ".conf");
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error) {
        return error.value();
    }
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno;
    }
    ::close(fd);
    const std::filesystem::path resolved = std::filesystem::canonical(file, error);
    path = error ? file.string() : resolved.string();
    return 0;
}

}  // namespace

std::string UserConfigFolder() {
    if (const char* folder = std::getenv("XDG_CONFIG_HOME"); folder && *folder == '/') {
        return folder;
    }
    const std::string home = HomeFolder();
    return home.empty() ? "" : home + "/.config";
}

bool CSettingsKey::Create(const std::string& root, const std::string& subKey) {
    std::string path;
    if (const int error = OpenKeyFile(root, subKey, path); error != 0) {
        if (!m_path) {
            m_nNoKeyError = error;
        }
        return false;
    }
    Close();
    m_path = std::move(path);
    return true;
}

int CSettingsKey::QueryValue(std::string& text, const char* name, std::size_t bufferSize) const {
    if (!m_path) {
        return m_nNoKeyError;
    }
    const SettingsValues values = ReadSettingsFile(*m_path);
    const auto found = values.find(name);
    if (found == values.end()) {
        return ENOENT;
    }
    if (found->second.size() + 1 > bufferSize) {
        return EOVERFLOW;
    }
    text = found->second;
    return 0;
}

int CSettingsKey::SetValue(const std::string& text, const char* name) {
    if (!m_path) {
        return m_nNoKeyError;
    }
    SettingsValues values = ReadSettingsFile(*m_path);
    values.insert_or_assign(name, std::string(text.c_str()));
    return WriteSettingsFile(*m_path, values);
}

void CSettingsKey::Close() {
    m_path.reset();
    m_nNoKeyError = EBADF;
}

}  // namespace murkwell
