// Players: who they are from the user-info lines, and what the score lines give them.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "log_conversion.h"
#include "page_reading.h"

namespace murkwell::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kDmStart = "  0:00 InitGame: \\g_gametype\\0\\mapname\\q3dm6\\\n";
const std::string kCtfStart = "  0:00 InitGame: \\g_gametype\\4\\mapname\\q3ctf1\\\n";
const std::string kEnd = "  9:59 ShutdownGame:\n";

std::string Info(const std::string& rest) { return "  0:01 ClientUserinfoChanged: " + rest + "\n"; }
std::string ScoreLine(const std::string& rest) { return "  9:58 score: " + rest + "\n"; }

TEST(Roster, ColourCodesAreStrippedDigitByDigit) {
    EXPECT_EQ(LogConversion::StripColorCodes("^1Ra^7n^^12ger"), "Ranger");
    EXPECT_EQ(LogConversion::StripColorCodes("^0Zero^"), "^0Zero^");
    EXPECT_EQ(LogConversion::StripColorCodes("^^11"), "^1");
    EXPECT_EQ(LogConversion::StripColorCodes("^^21"), "^1");
    EXPECT_EQ(LogConversion::StripColorCodes("^a^9^^9^"), "^a^^");
    EXPECT_EQ(LogConversion::StripColorCodes(""), "");
}

TEST(Roster, UserInfoIsReadAsKeyValuePairs) {
    const std::string page = PageOf(
        kCtfStart +
        Info("1 n\\Scout\\t\\1\\model\\sarge") +                   // a name ending in t
        Info("2 \\n\\Slash\\t\\2\\model\\visor") +                 // one leading backslash
        Info("3 c1\\n\\n\\Real\\t\\t\\model\\x") +                 // a value that looks like a key
        Info("4 hn\\No\\nt\\No\\n\\^1Blue^7Moon\\t\\2\\n\\Second") +  // first exact key wins
        Info("5 n\\\\t\\1") +                                      // an empty name
        ScoreLine("1  ping: 1  client: 1 a") + ScoreLine("2  ping: 2  client: 2 b") +
        ScoreLine("3  ping: 3  client: 3 c") + ScoreLine("4  ping: 4  client: 4 d") +
        ScoreLine("5  ping: 5  client: 5 e") + kEnd);
    EXPECT_THAT(Rows(page), ElementsAre("1|1|<font color=\"red\">Scout</font>",
                                        "2|2|<font color=\"blue\">Slash</font>",
                                        "3|3|Real</font>",
                                        "4|4|<font color=\"blue\">BlueMoon</font>",
                                        "5|5|<font color=\"red\"></font>"));
}

TEST(Roster, MissingPartsFallBackOnWhatEarlierLinesLeft) {
    const std::string page = PageOf(
        kCtfStart +
        Info("1 n\\First\\t\\2") +
        ScoreLine("0  ping: 0  client: 9 Ghost") +   // client 9 is unknown, but its name is kept
        Info("5 t\\1\\model\\x") +                   // no name: takes "Ghost"
        Info("six n\\Sixth") +                       // no number: client 5 again; no team: red still
        Info("7 n\\Seventh\\t") +                    // a key without a value counts for nothing
        Info("") +                                   // nothing at all: client 7 keeps everything
        ScoreLine("10  ping: 1  client: 1 a") + ScoreLine("50  ping: 5  client: 5 b") +
        ScoreLine("70  ping: 7  client: 7 c") + kEnd);
    EXPECT_THAT(Rows(page), ElementsAre("10|1|<font color=\"blue\">First</font>",
                                        "50|5|<font color=\"red\">Sixth</font>",
                                        "70|7|<font color=\"red\">Seventh</font>"));
}

TEST(Roster, OverlongNamesAreCutBeforeAndAfterTheColoursGo) {
    // The line's value is cut to 255 characters, the colours are removed from
    // what is left, and the player keeps at most 254.
    const std::string colours = "^1^2^3^4^5^6^7^8^9^1";
    const std::string page = PageOf(
        kDmStart + Info("1 n\\" + colours + std::string(300, 'a') + "\\t\\0") +
        Info("2 n\\" + std::string(300, 'b') + "\\t\\0") +
        Info("3 n\\" + std::string(253, 'c') + "^1d\\t\\0") +
        ScoreLine("1  ping: 1  client: 1 x") + ScoreLine("2  ping: 2  client: 2 x") +
        ScoreLine("3  ping: 3  client: 3 x") + kEnd);
    EXPECT_THAT(Rows(page), ElementsAre("1|1|" + std::string(235, 'a'), "2|2|" + std::string(254, 'b'),
                                        "3|3|" + std::string(253, 'c')));
}

TEST(Roster, RowsFollowTheLastScoreLineOfEachPlayer) {
    const std::string players = Info("1 n\\One") + Info("4 n\\Four");
    EXPECT_THAT(Rows(PageOf(kDmStart + players + ScoreLine("40  ping: 4  client: 4 x") +
                                ScoreLine("10  ping: 1  client: 1 x") +
                                ScoreLine("41  ping: 5  client: 4 x") + kEnd)),
                ElementsAre("10|1|One", "41|5|Four"));
    EXPECT_THAT(Rows(PageOf(kDmStart + players + ScoreLine("40  ping: 4  client: 4 x") +
                                ScoreLine("90  ping: 9  client: 9 x") +
                                ScoreLine("10  ping: 1  client: 1 x") + kEnd)),
                ElementsAre("40|4|Four", "10|1|One"));
    // Low scores first when the server lists them first: rows are never sorted by score.
    EXPECT_THAT(Rows(PageOf(kDmStart + players + ScoreLine("-3  ping: 4  client: 4 x") +
                                ScoreLine("10  ping: 1  client: 1 x") + kEnd)),
                ElementsAre("-3|4|Four", "10|1|One"));
}

TEST(Roster, MalformedScoreLinesUseWhatWasReadBefore) {
    const std::string players = Info("2 n\\Two") + Info("3 n\\Three");
    // Reading stops at "x ping:" ("15" is the score); the client is still 3 from the last user-info line.
    EXPECT_THAT(Rows(PageOf(kDmStart + players + ScoreLine("15x  ping: 50  client: 2 Two") + kEnd)),
                ElementsAre("15|0|Three"));
    // An out-of-range number stops reading before it.
    EXPECT_THAT(Rows(PageOf(kDmStart + players + ScoreLine("7  ping: 9  client: 2 Two") +
                                ScoreLine("8  ping: 4294967296  client: 3 Three") + kEnd)),
                ElementsAre("8|9|Two"));
    EXPECT_THAT(Rows(PageOf(kDmStart + players +
                                ScoreLine("-2147483648  ping: 2147483647  client: 2 Two") + kEnd)),
                ElementsAre("-2147483648|2147483647|Two"));
    // A score line never announces a player.
    EXPECT_THAT(Rows(PageOf(kDmStart + ScoreLine("7  ping: 9  client: 2 Two") + kEnd)), IsEmpty());
}

}  // namespace
}  // namespace murkwell::testing
