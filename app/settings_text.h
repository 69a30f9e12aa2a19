#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace murkwell {

// The text of a settings file: one value a line, "Name=value", in any order,
// the last line of a name counting. Every other line (comments, empty lines,
// lines of other programs, odd ones) is kept as it stands, so are the line
// ends, LF or CR LF. A value stands as written up to the end of its line;
// a value that would not read back so (one with a line end in it, or with
// backslashes that read as escapes, below) is written with every backslash
// as "\\", a line feed as "\n" and a carriage return as "\r".
class SettingsText {
public:
    explicit SettingsText(std::string_view text = {});

    std::optional<std::string> Find(std::string_view name) const;
    // Replaces the value's line, where the value has one, or adds one at the end.
    void Set(std::string_view name, std::string_view value);
    std::string Text() const;

private:
    std::string LineEnd() const;

    std::vector<std::string> m_lines;  // each with the line end it came with
};

}  // namespace murkwell
