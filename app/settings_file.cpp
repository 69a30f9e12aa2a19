#include "settings_file.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace murkwell {

namespace {

constexpr std::size_t kLargestFile = 1 << 20;
constexpr std::string_view kHeader = "# Murkwell settings\n";

std::optional<std::string> Unescape(std::string_view text) {
    std::string value;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            value += text[i];
            continue;
        }
        if (++i == text.size()) {
            return std::nullopt;
        }
        if (text[i] == '\\') {
            value += '\\';
        } else if (text[i] == 'n') {
            value += '\n';
        } else {
            return std::nullopt;
        }
    }
    return value;
}

std::string Escape(std::string_view value) {
    std::string text;
    for (const char c : value) {
        if (c == '\\') {
            text += "\\\\";
        } else if (c == '\n') {
            text += "\\n";
        } else {
            text += c;
        }
    }
    return text;
}

int WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

std::optional<std::string> ReadAll(int fd) {
    std::string text;
    char block[4096];
    for (;;) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 || text.size() + static_cast<std::size_t>(got) > kLargestFile) {
            return std::nullopt;
        }
        if (got == 0) {
            return text;
        }
        text.append(block, static_cast<std::size_t>(got));
    }
}

}  // namespace

std::optional<SettingsValues> ParseSettings(std::string_view text) {
    if (text.size() > kLargestFile || text.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    SettingsValues values;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == 0 || equals == std::string_view::npos) {
            return std::nullopt;
        }
        std::optional<std::string> value = Unescape(line.substr(equals + 1));
        if (!value) {
            return std::nullopt;
        }
        values.insert_or_assign(std::string(line.substr(0, equals)), std::move(*value));
    }
    return values;
}

std::string FormatSettings(const SettingsValues& values) {
    std::string text(kHeader);
    for (const auto& [name, value] : values) {
        text += name + '=' + Escape(value) + '\n';
    }
    return text;
}

SettingsValues ReadSettingsFile(const std::string& path) {
    // Not blocking: a named pipe in the file's place must not hold up the start.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    struct stat info {};
    std::optional<std::string> text;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        text = ReadAll(fd);
    }
    ::close(fd);
    if (!text) {
        return {};
    }
    return ParseSettings(*text).value_or(SettingsValues{});
}

int WriteSettingsFile(const std::string& path, const SettingsValues& values) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int error = WriteAll(fd, FormatSettings(values));
    // On disk before it takes the name, so a crash cannot leave an empty file behind.
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
    }
    return error;
}

}  // namespace murkwell
