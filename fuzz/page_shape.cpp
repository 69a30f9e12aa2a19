#include "page_shape.h"

#include <algorithm>
#include <array>

namespace murkwell::fuzz {

namespace {

// Every tag a game table is made of; anything else between '<' and '>' came from the log.
constexpr std::array<std::string_view, 18> kTableTags = {
    "<table border=\"0\" cellpadding=\"0\" cellspacing=\"1\" width=\"80%\" bgcolor=\"#18187B\">", "</table>",
    "<caption>", "</caption>", "<font color=\"#FFFF33\">", "<font color=\"red\">", "<font color=\"blue\">",
    "</font>", "<br>", "<tr bgcolor=\"#6cbcce\">", "<tr>", "</tr>", "<th>", "</th>", "<td>", "</td>", "<p>", "</p>"};

// Where the tables go: after the last line end the page shares with the empty log's page.
std::size_t HeadLength(std::string_view page, std::string_view emptyLogPage) {
    const auto differ = std::mismatch(page.begin(), page.end(), emptyLogPage.begin(), emptyLogPage.end());
    const std::size_t lineEnd = emptyLogPage.substr(0, differ.second - emptyLogPage.begin()).rfind("\r\n");
    return lineEnd == std::string_view::npos ? 0 : lineEnd + 2;
}

}  // namespace

std::string PageShapeFault(std::string_view page, std::string_view emptyLogPage) {
    if (page == emptyLogPage) {
        return {};
    }
    const std::size_t head = HeadLength(page, emptyLogPage);
    const std::string_view foot = emptyLogPage.substr(head);
    if (head == 0 || page.size() < head + foot.size() || !page.ends_with(foot)) {
        return "the page lacks the head or the foot of the empty log's page";
    }
    const std::string_view tables = page.substr(head, page.size() - head - foot.size());
    for (std::size_t at = 0; at < tables.size(); ++at) {
        if (tables[at] == '>' || tables[at] == '"') {
            return "unescaped '" + std::string(1, tables[at]) + "' at table byte " + std::to_string(at);
        }
        if (tables[at] != '<') {
            continue;
        }
        const std::string_view tag = tables.substr(at, tables.find('>', at) + 1 - at);
        if (std::find(kTableTags.begin(), kTableTags.end(), tag) == kTableTags.end()) {
            return "mark-up from the log at table byte " + std::to_string(at) + ": " + std::string(tag.substr(0, 80));
        }
        at += tag.size() - 1;
    }
    return {};
}

}  // namespace murkwell::fuzz
