#include "text_scan.h"

#include <limits>

namespace murkwell {

void TokenCursor::SkipSpace() {
    while (m_pos < m_text.size() && IsSpace(m_text[m_pos])) {
        ++m_pos;
    }
}

std::optional<std::string_view> TokenCursor::Word() {
    SkipSpace();
    const std::size_t start = m_pos;
    while (m_pos < m_text.size() && !IsSpace(m_text[m_pos])) {
        ++m_pos;
    }
    if (m_pos == start) {
        return std::nullopt;
    }
    return m_text.substr(start, m_pos - start);
}

std::optional<std::int32_t> TokenCursor::Int() {
    SkipSpace();
    std::size_t pos = m_pos;
    bool negative = false;
    if (pos < m_text.size() && (m_text[pos] == '+' || m_text[pos] == '-')) {
        negative = m_text[pos] == '-';
        ++pos;
    }
    const std::size_t digitsStart = pos;
    // One past the largest magnitude: lets -2147483648 through and nothing beyond.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    bool outOfRange = false;
    while (pos < m_text.size() && m_text[pos] >= '0' && m_text[pos] <= '9') {
        if (!outOfRange) {
            magnitude = magnitude * 10 + (m_text[pos] - '0');
            outOfRange = magnitude > kLimit;
        }
        ++pos;
    }
    if (pos == digitsStart) {
        return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (outOfRange || value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    m_pos = pos;
    return static_cast<std::int32_t>(value);
}

}  // namespace murkwell
