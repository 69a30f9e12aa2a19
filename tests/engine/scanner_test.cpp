// How the scanner follows games through a log: which lines count as events,
// and what game start, game end and team-score lines set.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "page_reading.h"

namespace murkwell::testing {
namespace {

using ::testing::ElementsAre;

std::string Start(const std::string& settings) { return "  0:00 InitGame: " + settings + "\n"; }
std::string Player(int client, const std::string& name, const std::string& team = "0") {
    return "  0:01 ClientUserinfoChanged: " + std::to_string(client) + " n\\" + name + "\\t\\" + team +
           "\\model\\sarge\\hmodel\\sarge\n";
}
std::string Score(int client, int score, const std::string& name = "x") {
    return "  9:58 score: " + std::to_string(score) + "  ping: 5  client: " + std::to_string(client) + " " +
           name + "\n";
}
const std::string kEnd = "  9:59 ShutdownGame:\n";

TEST(Scanner, ChatAndNamesCannotForgeEvents) {
    const std::string page = PageOf(
        Start("\\g_gametype\\4\\mapname\\q3ctf1\\sv_hostname\\ShutdownGame: server") +
        Player(1, "InitGame:", "1") + Player(2, "score:", "2") +
        "  1:00 say: InitGame: ShutdownGame: \\g_gametype\\1\\mapname\\fake\\\n"
        "  1:01 say: score: 99  ping: 1  client: 1 forged\n"
        "  1:02 red:1 say: blue:2\n"
        "  1:03 Kill: 1 2 3: ShutdownGame: killed score: by red:9 blue:9\n"
        "  1:04 ClientUserinfoChanged:2 n\\Glued\\t\\1\n"
        "ShutdownGame:\n"
        "  9:00 red:8  blue:6\n" +
        Score(1, 10) + Score(2, 7) + kEnd);
    EXPECT_THAT(Captions(page), ElementsAre("<font color=\"#FFFF33\">Capture the Flag - Map: q3ctf1</font>"
                                            "<br><font color=\"red\">red:8</font> - "
                                            "<font color=\"blue\">blue:6</font>"));
    EXPECT_THAT(Rows(page), ElementsAre("10|5|<font color=\"red\">InitGame:</font>",
                                        "7|5|<font color=\"blue\">score:</font>"));
}

TEST(Scanner, MapName) {
    const std::string page = PageOf(
        Start("\\g_gametype\\0") + Player(1, "A") + Score(1, 1) + kEnd +                // none yet
        Start("\\mapname\\q3dm17\\g_gametype\\0") + Player(1, "A") + Score(1, 1) + kEnd +
        Start("\\g_gametype\\0") + Player(1, "A") + Score(1, 1) + kEnd +               // keeps q3dm17
        Start("\\g_gametype\\0\\mapname\\last") + Player(1, "A") + Score(1, 1) + kEnd +  // no closing backslash
        Start("\\g_gametype\\0\\mapname\\" + std::string(300, 'm') + "\\") + Player(1, "A") + Score(1, 1) +
        kEnd);
    EXPECT_THAT(Captions(page),
                ElementsAre("<font color=\"#FFFF33\">DeathMatch - Map: </font>",
                            "<font color=\"#FFFF33\">DeathMatch - Map: q3dm17</font>",
                            "<font color=\"#FFFF33\">DeathMatch - Map: q3dm17</font>",
                            "<font color=\"#FFFF33\">DeathMatch - Map: </font>",
                            "<font color=\"#FFFF33\">DeathMatch - Map: " + std::string(254, 'm') + "</font>"));
}

TEST(Scanner, GameTypeSetsAtMostOneFlag) {
    const std::string game = Player(1, "A") + Score(1, 1) + kEnd;
    const std::string page = PageOf(
        Start("\\mapname\\a\\g_gametype\\\\") + game +        // unreadable first: falls back on 0
        Start("\\mapname\\b\\g_gametype\\3\\") + game +
        Start("\\mapname\\c\\g_gametype\\= 0\\") + game +     // unreadable: the last number read, 3
        Start("\\mapname\\d\\g_gametype\\4") + game +         // last value of the line: empty, still 3
        Start("\\mapname\\e\\g_gametype\\1\\") + game +
        Start("\\mapname\\f\\g_gametype\\2\\") + game +
        Start("\\mapname\\g\\g_gametype\\4ctf\\") + game +    // a number followed by letters is read
        Start("\\mapname\\h\\g_gametype\\+0\\") + game +
        Start("\\mapname\\i\\g_gametype\\99999999999\\") + game +  // out of range: still 0
        Start("\\mapname\\j\\") + game);                        // no type at all: no flag
    const std::string yellow = "<font color=\"#FFFF33\">";
    const std::string teams = "<br><font color=\"red\"></font> - <font color=\"blue\"></font>";
    EXPECT_THAT(Captions(page), ElementsAre(yellow + "DeathMatch - Map: a</font>",
                                            yellow + "Team DeathMatch - Map: b</font>" + teams,
                                            yellow + "Team DeathMatch - Map: c</font>" + teams,
                                            yellow + "Team DeathMatch - Map: d</font>" + teams,
                                            yellow + "Map: e</font>",
                                            yellow + "Map: f</font>",
                                            yellow + "Capture the Flag - Map: g</font>" + teams,
                                            yellow + "DeathMatch - Map: h</font>",
                                            yellow + "DeathMatch - Map: i</font>",
                                            yellow + "Map: j</font>"));
}

TEST(Scanner, TeamScoresAreWholeTokensThatOutliveTheirGame) {
    const std::string game = Player(1, "A", "1") + Score(1, 1) + kEnd;
    const std::string page = PageOf(
        "  0:00 red:3 blue:4 before any game\n" +
        Start("\\g_gametype\\4\\") + game +
        Start("\\g_gametype\\3\\") + "  9:00 red:" + std::string(30, '7') + "  blue:x\tred:9\n" + game +
        Start("\\g_gametype\\4\\") + game);
    const std::string red19 = "red:" + std::string(15, '7');
    EXPECT_THAT(Captions(page),
                ElementsAre(::testing::EndsWith("<font color=\"red\">red:3</font> - <font color=\"blue\">blue:4</font>"),
                            ::testing::EndsWith(red19 + "</font> - <font color=\"blue\">blue:x</font>"),
                            ::testing::EndsWith(red19 + "</font> - <font color=\"blue\">blue:x</font>")));
}

TEST(Scanner, OnlyAGameEndInsideAGameWritesATable) {
    const std::string page = PageOf(
        kEnd +                                                  // nothing to end
        Player(1, "Early") + Score(1, 5) + kEnd +               // outside a game: no table, roster emptied
        Start("\\g_gametype\\0\\mapname\\one\\") + Score(1, 6) +  // client 1 is gone: no row
        Player(2, "Two") + Score(2, 7) + kEnd + kEnd +          // the second end writes nothing
        Start("\\g_gametype\\0\\mapname\\unfinished\\") + Player(3, "Three") + Score(3, 8));
    EXPECT_THAT(Captions(page), ElementsAre(::testing::HasSubstr("Map: one")));
    EXPECT_THAT(Rows(page), ElementsAre("7|5|Two"));
}

TEST(Scanner, GameRestartedWithoutAnEnd) {
    // Score lines before the second start keep their ranks and rows; the
    // caption takes the second start's settings.
    const std::string page = PageOf(
        Start("\\g_gametype\\4\\mapname\\first\\") + Player(1, "One", "1") + Player(2, "Two", "2") +
        Score(2, 20) +
        Start("\\g_gametype\\0\\mapname\\second\\") + Score(1, 10) + kEnd);
    EXPECT_THAT(Captions(page), ElementsAre("<font color=\"#FFFF33\">DeathMatch - Map: second</font>"));
    EXPECT_THAT(Rows(page), ElementsAre("20|5|Two", "10|5|One"));
}

TEST(Scanner, ScoresBetweenGamesCountForTheNextGame) {
    const std::string page = PageOf(
        Player(4, "Four") + Player(1, "One") + Score(1, 1) + Score(4, 4) +
        Start("\\g_gametype\\0\\mapname\\m\\") + kEnd);
    EXPECT_THAT(Rows(page), ElementsAre("1|5|One", "4|5|Four"));
}

}  // namespace
}  // namespace murkwell::testing
