#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace murkwell {

// The settings file holds one value a line, "Name=value", in any order:
//
//     # Murkwell settings
//     HTMLFilename=murkwells.html
//     LogFilename=/srv/q3/games.log
//
// Inside a value a backslash is written "\\" and a line feed "\n"; every
// other byte stands for itself, so any path is read back exactly as it was
// written. Empty lines and lines that start with "#" are skipped. Anything
// else (a line without "=", an empty name, another escape, a zero byte, a
// file over 1 MiB) makes the file damaged, and a damaged file holds no values.
using SettingsValues = std::map<std::string, std::string, std::less<>>;

std::optional<SettingsValues> ParseSettings(std::string_view text);
std::string FormatSettings(const SettingsValues& values);

// The values in the file; none when it is missing, unreadable or damaged.
SettingsValues ReadSettingsFile(const std::string& path);

// Replaces the file as a whole: the new text goes to a temporary file beside
// it, which then takes the file's name, so readers see the old file or the
// new one and never a part of either. Returns 0 or the error number.
int WriteSettingsFile(const std::string& path, const SettingsValues& values);

}  // namespace murkwell
