#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace murkwell {

// White space as the C library's isspace() sees it in the "C" locale.
constexpr bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads one line token by token with the rules of scanf's %s and %d, so that
// malformed server lines degrade exactly as the server's own tools expect:
// every conversion skips leading white space; a word is a run of non-white
// characters; a number is an optional sign and at least one digit, within the
// 32-bit signed range. A number that stops inside a word leaves the rest of
// that word for the next read. A failed read reports nothing and the caller
// stops reading the line.
class TokenCursor {
public:
    explicit TokenCursor(std::string_view text) : m_text(text) {}

    std::optional<std::string_view> Word();
    std::optional<std::int32_t> Int();

    // What follows the last token read, white space after it included.
    std::string_view Rest() const { return m_text.substr(m_pos); }

private:
    void SkipSpace();

    std::string_view m_text;
    std::size_t m_pos = 0;
};

// A value stored into a fixed-width field keeps at most `width` characters.
// The field's storage is reused: these stores happen on every event line.
inline void AssignBounded(std::string& field, std::string_view value, std::size_t width) {
    field.assign(value.substr(0, width));
}

}  // namespace murkwell
