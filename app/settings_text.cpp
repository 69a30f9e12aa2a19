#include "settings_text.h"

#include <algorithm>

namespace murkwell {

namespace {

struct Entry {
    std::string_view name;
    std::string_view stored;
};

std::string_view WithoutLineEnd(std::string_view line) {
    if (line.ends_with('\n')) {
        line.remove_suffix(1);
    }
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line;
}

// A line that holds a value; comments, lines without a name and lines with a
// zero byte (binary garbage) hold none.
std::optional<Entry> EntryOf(std::string_view line) {
    line = WithoutLineEnd(line);
    const std::size_t equals = line.find('=');
    if (line.starts_with('#') || equals == 0 || equals == std::string_view::npos ||
        line.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    return Entry{line.substr(0, equals), line.substr(equals + 1)};
}

// A backslash and a letter that stand for one byte of a value.
struct Escape {
    char letter;
    char byte;
};

constexpr Escape kEscapes[] = {{'\\', '\\'}, {'n', '\n'}, {'r', '\r'}};

// The escape whose `field` (its letter or its byte) is `c`, if there is one.
const Escape* FindEscape(char c, char Escape::*field) {
    const auto found = std::ranges::find(kEscapes, c, field);
    return found == std::ranges::end(kEscapes) ? nullptr : found;
}

// Earlier versions wrote every backslash of a value as "\\" and a line feed
// as "\n"; a path typed into the file by hand ("D:\q3\games.log") has
// backslashes of its own. A value is read with escapes only when each of its
// backslashes begins one.
std::string ValueOf(std::string_view stored) {
    std::string value;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] != '\\') {
            value += stored[i];
            continue;
        }
        const Escape* escape = i + 1 < stored.size() ? FindEscape(stored[++i], &Escape::letter) : nullptr;
        if (!escape) {
            return std::string(stored);
        }
        value += escape->byte;
    }
    return value;
}

std::string StoredFormOf(std::string_view value) {
    if (value.find_first_of("\r\n") == std::string_view::npos && ValueOf(value) == value) {
        return std::string(value);
    }
    std::string stored;
    for (const char c : value) {
        if (const Escape* escape = FindEscape(c, &Escape::byte)) {
            stored += '\\';
            stored += escape->letter;
        } else {
            stored += c;
        }
    }
    return stored;
}

}  // namespace

SettingsText::SettingsText(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
        m_lines.emplace_back(text.substr(0, length));
        text.remove_prefix(length);
    }
}

std::optional<std::string> SettingsText::Find(std::string_view name) const {
    for (auto line = m_lines.rbegin(); line != m_lines.rend(); ++line) {
        if (const std::optional<Entry> entry = EntryOf(*line); entry && entry->name == name) {
            return ValueOf(entry->stored);
        }
    }
    return std::nullopt;
}

void SettingsText::Set(std::string_view name, std::string_view value) {
    const std::string text = std::string(name) + '=' + StoredFormOf(value);
    for (auto line = m_lines.rbegin(); line != m_lines.rend(); ++line) {
        if (const std::optional<Entry> entry = EntryOf(*line); entry && entry->name == name) {
            *line = text + line->substr(WithoutLineEnd(*line).size());
            return;
        }
    }
    if (!m_lines.empty() && !m_lines.back().ends_with('\n')) {
        m_lines.back() += LineEnd();
    }
    m_lines.push_back(text + LineEnd());
}

std::string SettingsText::Text() const {
    std::string text;
    for (const std::string& line : m_lines) {
        text += line;
    }
    return text;
}

// New lines end as the file's first line does.
std::string SettingsText::LineEnd() const {
    return !m_lines.empty() && m_lines.front().ends_with("\r\n") ? "\r\n" : "\n";
}

}  // namespace murkwell
