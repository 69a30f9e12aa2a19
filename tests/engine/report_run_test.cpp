// The run as a whole: the page frame around the game tables.
// Every outcome message is checked through murkwell-cli (tests/cli).

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "murkwell/conversion.h"
#include "murkwell/version.h"
#include "page_reading.h"

namespace murkwell::testing {
namespace {

using ::testing::ElementsAre;

TEST(ReportRun, LogWithoutFinishedGamesGivesTheBareFrame) {
    const std::string page = PageOf(
        "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm6\n"
        "  0:01 ClientUserinfoChanged: 2 n\\Ranger\\t\\0\n"
        "  0:02 score: 15  ping: 50  client: 2 Ranger\n");
    EXPECT_EQ(TablesOf(page), "");
    EXPECT_TRUE(page.starts_with("<html>\r\n<head>\r\n<title>Murkwell Results</title>\r\n"));
    EXPECT_TRUE(page.ends_with("</font>\r\n</div>\r\n</body>\r\n</html>\r\n"));
    // Every line of the frame in its place, each by the tag it opens with.
    std::vector<std::string> tags;
    for (std::size_t at = 0, end; (end = page.find("\r\n", at)) != std::string::npos; at = end + 2) {
        tags.push_back(page.substr(at, page.find_first_of(" >", at) - at));
    }
    EXPECT_THAT(tags, ElementsAre("<html", "<head", "<title", "<meta", "</head", "<body", "<p", "<div", "<font",
                                  "</div", "</body", "</html"));
    EXPECT_NE(page.find(std::string("<font face=\"Arial\" size=\"1\">Content generated with Murkwell v") + kVersionText + " - "),
              std::string::npos);
    EXPECT_EQ(PageOf(""), page);
}

}  // namespace
}  // namespace murkwell::testing
