#include "page_reading.h"

#include <gtest/gtest.h>

#include "murkwell/conversion.h"

namespace murkwell::testing {

std::string PageOf(const std::string& log) {
    const ScratchFolder folder;
    const Outcome outcome = ConvertLog(folder.Write("games.log", log).string(), folder.Path("page.html").string());
    EXPECT_EQ(outcome.message, "Done!");
    return ReadBytes(folder.Path("page.html"));
}

std::vector<std::string> Captions(const std::string& page) {
    std::vector<std::string> captions;
    const std::string open = "<caption>";
    const std::string close = "</caption>";
    for (std::size_t at = page.find(open); at != std::string::npos; at = page.find(open, at + 1)) {
        const std::size_t start = at + open.size();
        captions.push_back(page.substr(start, page.find(close, start) - start));
    }
    return captions;
}

std::vector<std::string> Rows(const std::string& page) {
    std::vector<std::string> rows;
    const std::string rowStart = "    <tr>\r\n";
    for (std::size_t at = page.find(rowStart); at != std::string::npos; at = page.find(rowStart, at + 1)) {
        std::string row;
        std::size_t cell = at;
        for (int column = 0; column < 3; ++column) {
            cell = page.find("<td>", cell) + 4;
            const std::size_t end = page.find("</td>\r\n", cell);
            row += (column ? "|" : "") + page.substr(cell, end - cell);
            cell = end;
        }
        rows.push_back(row);
    }
    return rows;
}

// The head ends with the centring <div>; the foot starts with the credit line.
std::string TablesOf(const std::string& page) {
    const std::string headEnd = "<div align=\"center\">\r\n";
    const std::size_t head = page.find(headEnd);
    const std::size_t foot = page.rfind("<font face=\"Arial\" size=\"1\">Content generated with Murkwell v");
    if (head == std::string::npos || foot == std::string::npos || foot < head) {
        ADD_FAILURE() << "page has no head or no foot";
        return page;
    }
    return page.substr(head + headEnd.size(), foot - head - headEnd.size());
}

}  // namespace murkwell::testing
