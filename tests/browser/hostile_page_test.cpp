// A page made from a log full of mark-up and script, opened in Debian's
// headless Chromium: the document must hold exactly the tables and rows of the
// games, the log's text must stay text, and nothing from the log may run.

#include <unistd.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run_process.h"

namespace murkwell::testing {
namespace {

namespace fs = std::filesystem;

// Each piece of mark-up would, reaching the page unescaped, rename the page,
// add an element or break the tables.
const std::string kHostileLog =
    "  0:00 InitGame: \\g_gametype\\0\\mapname\\<script>document.title='map'</script>\\\n"
    "  0:01 ClientUserinfoChanged: 0 n\\<script>document.title='owned'</script>\\t\\0\\model\\sarge\n"
    "  0:01 ClientUserinfoChanged: 1 n\\<img src=x onerror=\"document.body.appendChild("
    "document.createElement('mark'))\">\\t\\0\\model\\visor\n"
    "  0:01 ClientUserinfoChanged: 2 n\\</td></tr></table><b>broken out</b>\\t\\0\\model\\doom\n"
    "  9:58 score: 20  ping: 48  client: 0 a\n"
    "  9:58 score: 17  ping: 31  client: 1 b\n"
    "  9:58 score: -1  ping: 112  client: 2 c\n"
    " 10:00 ShutdownGame:\n"
    "  0:00 InitGame: \\g_gametype\\3\\mapname\\</caption></table><img src=x onerror=\"document.title='map'\">\\\n"
    "  0:01 ClientUserinfoChanged: 0 n\\Tom & Jerry &amp; \"quotes\" 'single'\\t\\1\\model\\sarge\n"
    "  0:01 ClientUserinfoChanged: 1 n\\<!-- the rest is a comment\\t\\2\\model\\visor\n"
    "  0:01 ClientUserinfoChanged: 3 n\\^1Red^7<i>Italic</i>\\t\\1\\model\\doom\n"
    " 19:59 red:</font><!--  blue:\"&amp;<b>\n"
    " 19:59 score: 31  ping: 40  client: 1 b\n"
    " 19:59 score: 27  ping: 55  client: 0 a\n"
    " 19:59 score: 12  ping: 22  client: 3 c\n"
    " 20:00 ShutdownGame:\n"
    "  0:00 InitGame: \\g_gametype\\4\\mapname\\q3ctf1&quot;\"\\\n"
    "  0:01 ClientUserinfoChanged: 0 n\\Ren\xe9" "e </font>\\t\\2\\model\\sarge\n"
    "  0:01 ClientUserinfoChanged: 1 n\\<svg onload=\"document.title='svg'\"></svg>\\t\\3\\model\\visor\n"
    " 24:59 red:8  blue:6\n"
    " 24:59 score: 41  ping: 35  client: 1 b\n"
    " 24:59 score: 37  ping: 44  client: 0 a\n"
    " 25:00 ShutdownGame:\n";

// What a reader sees, colour codes removed: each caption, then each cell in page order.
const std::vector<std::string> kCaptions = {
    "DeathMatch - Map: <script>document.title='map'</script>",
    "Team DeathMatch - Map: </caption></table><img src=x onerror=\"document.title='map'\">"
    "red:</font><!-- - blue:\"&amp;<b>",
    "Capture the Flag - Map: q3ctf1&quot;\"red:8 - blue:6"};
const std::vector<std::string> kCells = {
    "20", "48", "<script>document.title='owned'</script>",
    "17", "31", "<img src=x onerror=\"document.body.appendChild(document.createElement('mark'))\">",
    "-1", "112", "</td></tr></table><b>broken out</b>",
    "31", "40", "<!-- the rest is a comment",
    "27", "55", "Tom & Jerry &amp; \"quotes\" 'single'",
    "12", "22", "Red<i>Italic</i>",
    "41", "35", "<svg onload=\"document.title='svg'\"></svg>",
    "37", "44", "Ren\xC3\xA9" "e </font>"};
// Elements three tables with eight rows add to the empty log's page: a colour font per
// caption, two more per team game (2) for the scores, and one per team player's name (4).
const std::map<std::string, int> kTableElements = {{"table", 3}, {"caption", 3}, {"tbody", 3}, {"p", 3},
                                                  {"th", 9},    {"tr", 11},     {"td", 24},   {"font", 11},
                                                  {"br", 2}};

std::string DumpDom(const fs::path& page) {
    const ScratchFolder profile;  // fresh each time; the flags keep it off the network
    const ProcessResult result = RunProcess(
        "/usr/bin/chromium",
        {"--headless", "--no-sandbox", "--disable-gpu", "--dump-dom", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--no-first-run", "--disable-quic",
         "--user-data-dir=" + profile.Root().string(), "file://" + page.string()},
        profile.Root());
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    return result.out;
}

std::string DumpConverted(const ScratchFolder& folder, const std::string& name, const std::string& log) {
    const ProcessResult result = RunProcess(MURKWELL_CLI_PATH, {folder.Write(name + ".log", log), name + ".html"},
                                            folder.Root());
    EXPECT_EQ(result.out, "Done!\n") << result.err;
    return DumpDom(folder.Path(name + ".html"));
}

// Start tags and comments by name: an element the log smuggled in shows up here.
std::map<std::string, int> CountTags(const std::string& dom) {
    std::map<std::string, int> counts;
    const std::regex tag("<(!--|[a-zA-Z][a-zA-Z0-9]*)");
    for (auto it = std::sregex_iterator(dom.begin(), dom.end(), tag); it != std::sregex_iterator(); ++it) {
        ++counts[(*it)[1]];
    }
    return counts;
}

// The text inside each element of a kind, as the document serialises it: tags dropped,
// and & < > of text written as entities, so raw mark-up in here is a real element.
std::vector<std::string> TextOf(const std::string& dom, const std::string& element) {
    std::vector<std::string> texts;
    const std::regex inside("<" + element + ">(.*?)</" + element + ">");
    for (auto it = std::sregex_iterator(dom.begin(), dom.end(), inside); it != std::sregex_iterator(); ++it) {
        texts.push_back(std::regex_replace((*it)[1].str(), std::regex("<[^>]*>"), ""));
    }
    return texts;
}

std::vector<std::string> Serialised(std::vector<std::string> texts) {
    for (std::string& text : texts) {
        text = std::regex_replace(std::regex_replace(std::regex_replace(text, std::regex("&"), "&amp;"),
                                                     std::regex("<"), "&lt;"), std::regex(">"), "&gt;");
    }
    return texts;
}

class HostilePageInBrowser : public ::testing::Test {
protected:
    void SetUp() override {
        if (access("/usr/bin/chromium", X_OK) != 0) {
            GTEST_SKIP() << "chromium is not installed";
        }
    }
    ScratchFolder folder;
};

// Without this the other test could pass merely because the browser ran nothing.
TEST_F(HostilePageInBrowser, BrowserRunsTheScriptsOfAPageThatHasThem) {
    const std::string dom = DumpDom(folder.Write("control.html",
        "<html><head><title>Murkwell Results</title></head><body><script>document.title='owned'</script>"
        "<img src=x onerror=\"document.body.appendChild(document.createElement('mark'))\"></body></html>"));
    EXPECT_NE(dom.find("<title>owned</title>"), std::string::npos) << dom;
    EXPECT_EQ(CountTags(dom)["mark"], 1) << dom;
}

TEST_F(HostilePageInBrowser, LogTextStaysTextInExactlyTheGamesTables) {
    std::map<std::string, int> expected = CountTags(DumpConverted(folder, "empty", ""));
    for (const auto& [name, count] : kTableElements) {
        expected[name] += count;
    }
    const std::string dom = DumpConverted(folder, "hostile", kHostileLog);
    EXPECT_EQ(CountTags(dom), expected) << dom;
    EXPECT_EQ(TextOf(dom, "title"), std::vector<std::string>{"Murkwell Results"});
    EXPECT_EQ(TextOf(dom, "caption"), Serialised(kCaptions));
    EXPECT_EQ(TextOf(dom, "td"), Serialised(kCells));
}

}  // namespace
}  // namespace murkwell::testing
