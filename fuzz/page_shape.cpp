#include "page_shape.h"

#include <array>
#include <cstdint>
#include <limits>

namespace murkwell::fuzz {

namespace {

// Walks a game table piece by piece; each step either consumes what it
// expects or leaves a description of the first thing that did not fit.
class TableReader {
public:
    explicit TableReader(std::string_view text) : m_text(text) {}

    bool AtEnd() const { return m_pos == m_text.size(); }
    const std::string& Fault() const { return m_fault; }

    bool Literal(std::string_view expected) {
        if (m_text.substr(m_pos).starts_with(expected)) {
            m_pos += expected.size();
            return true;
        }
        return Fail("expected \"" + std::string(expected) + "\"");
    }

    bool Optional(std::string_view expected) {
        if (!m_text.substr(m_pos).starts_with(expected)) {
            return false;
        }
        m_pos += expected.size();
        return true;
    }

    bool Peek(std::string_view expected) const { return m_text.substr(m_pos).starts_with(expected); }

    // Text from the log: runs to the next '<'. It may hold no '>' or '"' and
    // no line feed, and an '&' only as the start of one of the four entities.
    bool EscapedText(std::string_view* text = nullptr) {
        static constexpr std::array<std::string_view, 4> kEntities = {"&amp;", "&lt;", "&gt;", "&quot;"};
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != '<') {
            const char c = m_text[m_pos];
            if (c == '>' || c == '"' || c == '\n') {
                return Fail("unescaped byte in text from the log");
            }
            if (c == '&') {
                bool known = false;
                for (std::string_view entity : kEntities) {
                    known = known || m_text.substr(m_pos).starts_with(entity);
                }
                if (!known) {
                    return Fail("bare '&' in text from the log");
                }
            }
            ++m_pos;
        }
        if (text != nullptr) {
            *text = m_text.substr(start, m_pos - start);
        }
        return true;
    }

    // A decimal number as the page prints a 32-bit signed value.
    bool Number() {
        std::size_t pos = m_pos;
        const bool negative = pos < m_text.size() && m_text[pos] == '-';
        if (negative) {
            ++pos;
        }
        const std::size_t digits = pos;
        std::int64_t magnitude = 0;
        while (pos < m_text.size() && m_text[pos] >= '0' && m_text[pos] <= '9' && pos - digits <= 10) {
            magnitude = magnitude * 10 + (m_text[pos] - '0');
            ++pos;
        }
        const std::int64_t value = negative ? -magnitude : magnitude;
        if (pos == digits || pos - digits > 10 || value < std::numeric_limits<std::int32_t>::min() ||
            value > std::numeric_limits<std::int32_t>::max() ||
            (m_text[digits] == '0' && pos - digits > 1) || (negative && magnitude == 0)) {
            return Fail("expected a 32-bit number");
        }
        m_pos = pos;
        return true;
    }

    bool Fail(const std::string& what) {
        if (m_fault.empty()) {
            m_fault = what + " at table byte " + std::to_string(m_pos);
        }
        return false;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string m_fault;
};

bool ReadCaption(TableReader& in, bool& teamGame) {
    if (!in.Literal("    <caption><font color=\"#FFFF33\">")) {
        return false;
    }
    teamGame = false;
    if (!in.Optional("DeathMatch - ")) {
        teamGame = in.Optional("Team DeathMatch - ") || in.Optional("Capture the Flag - ");
    }
    if (!in.Literal("Map: ") || !in.EscapedText() || !in.Literal("</font>")) {
        return false;
    }
    if (teamGame) {
        std::string_view red;
        std::string_view blue;
        if (!in.Literal("<br><font color=\"red\">") || !in.EscapedText(&red) ||
            !in.Literal("</font> - <font color=\"blue\">") || !in.EscapedText(&blue) ||
            !in.Literal("</font>")) {
            return false;
        }
        // A score token is the whole word of a team-score line, or nothing before the first one.
        if (!(red.empty() || red.starts_with("red:")) || !(blue.empty() || blue.starts_with("blue:"))) {
            return in.Fail("team score token without its label");
        }
    }
    return in.Literal("</caption>\r\n");
}

bool ReadRow(TableReader& in, bool teamGame) {
    if (!in.Literal("    <tr>\r\n") || !in.Literal("      <td>") || !in.Number() || !in.Literal("</td>\r\n") ||
        !in.Literal("      <td>") || !in.Number() || !in.Literal("</td>\r\n") || !in.Literal("      <td>")) {
        return false;
    }
    if (teamGame && !in.Optional("<font color=\"red\">")) {
        in.Optional("<font color=\"blue\">");
    }
    if (!in.EscapedText()) {
        return false;
    }
    if (teamGame && !in.Literal("</font>")) {
        return false;
    }
    return in.Literal("</td>\r\n") && in.Literal("    </tr>\r\n");
}

bool ReadTable(TableReader& in) {
    bool teamGame = false;
    if (!in.Literal("<table border=\"0\" cellpadding=\"0\" cellspacing=\"1\" width=\"80%\" bgcolor=\"#18187B\">\r\n") ||
        !ReadCaption(in, teamGame) || !in.Literal("    <tr bgcolor=\"#6cbcce\"> \r\n") ||
        !in.Literal("      <th>SCORE</th>\r\n") || !in.Literal("      <th>PING</th>\r\n") ||
        !in.Literal("      <th>NAME</th>\r\n") || !in.Literal("    </tr>\r\n")) {
        return false;
    }
    if (!in.Peek("    <tr>\r\n")) {
        return in.Fail("a table without rows");
    }
    while (in.Peek("    <tr>\r\n")) {
        if (!ReadRow(in, teamGame)) {
            return false;
        }
    }
    return in.Literal("  </table>\r\n") && in.Literal("<p>&nbsp;</p>\r\n");
}

// Where the head ends: the last line end that the page and the empty log's page share.
std::size_t HeadLength(std::string_view page, std::string_view frame) {
    std::size_t same = 0;
    while (same < page.size() && same < frame.size() && page[same] == frame[same]) {
        ++same;
    }
    const std::size_t lineEnd = frame.substr(0, same).rfind("\r\n");
    return lineEnd == std::string_view::npos ? 0 : lineEnd + 2;
}

}  // namespace

std::string PageShapeFault(std::string_view page, std::string_view emptyLogPage) {
    if (page == emptyLogPage) {
        return {};
    }
    const std::size_t headLength = HeadLength(page, emptyLogPage);
    const std::string_view foot = emptyLogPage.substr(headLength);
    if (headLength == 0 || page.size() < headLength + foot.size() || !page.ends_with(foot)) {
        return "the page lacks the head or the foot of the empty log's page";
    }
    TableReader tables(page.substr(headLength, page.size() - headLength - foot.size()));
    while (!tables.AtEnd()) {
        if (!ReadTable(tables)) {
            return tables.Fault();
        }
    }
    return {};
}

}  // namespace murkwell::fuzz
