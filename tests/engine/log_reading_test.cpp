// How the bytes of a log become lines: line ends, long lines and special bytes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "page_reading.h"

namespace murkwell::testing {
namespace {

using ::testing::ElementsAre;

const std::string kStart = "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm6\\\n";

TEST(LogReading, LastLineNeedsNoLineFeed) {
    const std::string game = kStart + "  0:01 ClientUserinfoChanged: 2 n\\A\\t\\0\n"
                                      "  9:58 score: 1  ping: 1  client: 2 A\n";
    EXPECT_THAT(Rows(PageOf(game + "  9:59 ShutdownGame:")), ElementsAre("1|1|A"));
    EXPECT_THAT(Rows(PageOf(game + "  9:59 ShutdownGame:\n")), ElementsAre("1|1|A"));
    EXPECT_THAT(Rows(PageOf(game + "  9:59 ShutdownGame:\n\n")), ElementsAre("1|1|A"));
}

TEST(LogReading, OnlyTheCarriageReturnBeforeALineFeedIsDropped) {
    const std::string page = PageOf(
        "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm6\\\r\n"
        "  0:01 ClientUserinfoChanged: 2 t\\0\\n\\Cr\r\r\n"   // one CR is the name's own
        "  0:02 ClientUserinfoChanged: 3 t\\0\\n\\Crlf\r\n"
        "  9:58 score: 1  ping: 1  client: 2 A\r\n"
        "  9:58 score: 2  ping: 2  client: 3 B\r\n"
        "  9:59 ShutdownGame:\r\n");
    EXPECT_THAT(Rows(page), ElementsAre("1|1|Cr\r", "2|2|Crlf"));
}

TEST(LogReading, NulEndsTheTextOfItsLineOnly) {
    using namespace std::string_literals;
    const std::string page = PageOf(
        kStart +
        "  0:01 ClientUserinfoChanged: 2 n\\Nul\0led\\t\\0\n"s
        "  0:02 ClientUserinfoChanged: 3 n\\After\\t\\0\n"
        "  9:58 score: 1  ping: 1  client: 2 A\n"
        "  9:58 score: 2\0  ping: 9  client: 2 A\n"s    // the rest is gone: client 2 again
        "  9:58 score: 3  ping: 3  client: 3 B\n"
        "  9:59 ShutdownGame:\0 trailing\n"s
        "\0  9:59 ShutdownGame:\n"s);                    // an empty line
    EXPECT_THAT(Rows(page), ElementsAre("2|1|Nul", "3|3|After"));
}

TEST(LogReading, SubstituteByteDoesNotEndTheLog) {
    const std::string page = PageOf(kStart + "\x1a\n"
                                        "  0:01 ClientUserinfoChanged: 2 n\\A\x1a\\t\\0\n"
                                        "  9:58 score: 1  ping: 1  client: 2 A\n"
                                        "\x1a\n"
                                        "  9:59 ShutdownGame:\n");
    EXPECT_THAT(Rows(page), ElementsAre("1|1|A\x1a"));
}

TEST(LogReading, LinesKeepTheirFirstMebibyte) {
    const std::size_t longest = std::size_t{1} << 20;
    // Crosses the reader's block boundaries, and the start of a line stays within the bytes kept.
    const std::string padding(longest - 200, 'p');
    const std::string beyond(3 * longest, 'b');
    const std::string page = PageOf(
        "  0:00 InitGame: \\sv_motd\\" + padding + "\\g_gametype\\4\\mapname\\far\\\n"
        "  0:01 ClientUserinfoChanged: 2 pad\\" + padding + "\\n\\Far\\t\\2\\" + beyond + "\n"
        "  0:01 ClientUserinfoChanged: 3 n\\Near\\t\\1\\\n"
        "  0:02 ClientUserinfoChanged: 3 pad\\" + beyond + "\\n\\Lost\\t\\2\n"  // its name is past the cut
        "  9:58 say: " + beyond + "\n"
        "  9:58 red:1  blue:2 " + beyond + "\n"
        "  9:58 score: 1  ping: 1  client: 2 A" + beyond + "\n"
        "  9:58 score: 2  ping: 2  client: 3 B\n"
        "  9:59 ShutdownGame:\n");
    EXPECT_THAT(Captions(page), ElementsAre(::testing::HasSubstr("Capture the Flag - Map: far</font><br>")));
    EXPECT_THAT(Rows(page), ElementsAre("1|1|<font color=\"blue\">Far</font>", "2|2|<font color=\"red\">Near</font>"));
}

}  // namespace
}  // namespace murkwell::testing
