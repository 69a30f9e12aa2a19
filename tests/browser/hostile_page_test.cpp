// A page made from a log full of mark-up and script, opened in a real
// browser: the document must hold exactly the tables and rows of the games,
// every name must be plain text, and nothing from the log may run.

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dom_tree.h"
#include "headless_browser.h"
#include "run_process.h"

namespace murkwell::testing {
namespace {

namespace fs = std::filesystem;

// Every piece of mark-up below would, if it reached the page unescaped, run
// a script that renames the page or adds an element, or would break the tables.
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

struct Row {
    std::string score;
    std::string ping;
    std::string name;
    bool coloured;  // red or blue team in a team game
};

struct Table {
    std::string caption;
    bool teamGame;
    std::vector<Row> rows;
};

// What a reader of the page sees: the log's text, colour codes removed, as text.
const std::vector<Table> kExpectedTables = {
    {"DeathMatch - Map: <script>document.title='map'</script>",
     false,
     {{"20", "48", "<script>document.title='owned'</script>", false},
      {"17", "31", "<img src=x onerror=\"document.body.appendChild(document.createElement('mark'))\">", false},
      {"-1", "112", "</td></tr></table><b>broken out</b>", false}}},
    {"Team DeathMatch - Map: </caption></table><img src=x onerror=\"document.title='map'\">"
     "red:</font><!-- - blue:\"&amp;<b>",
     true,
     {{"31", "40", "<!-- the rest is a comment", true},
      {"27", "55", "Tom & Jerry &amp; \"quotes\" 'single'", true},
      {"12", "22", "Red<i>Italic</i>", true}}},
    {"Capture the Flag - Map: q3ctf1&quot;\"red:8 - blue:6",
     true,
     {{"41", "35", "<svg onload=\"document.title='svg'\"></svg>", false},
      {"37", "44", "Ren\xC3\xA9" "e </font>", true}}},
};

std::map<std::string, int> CountElements(const DomNode& document) {
    std::map<std::string, int> counts;
    for (const DomNode* element : document.Elements()) {
        ++counts[element->name];
    }
    return counts;
}

// The elements the tables add to the page's frame.
std::map<std::string, int> ElementsOfTables(const std::vector<Table>& tables) {
    std::map<std::string, int> counts;
    for (const Table& table : tables) {
        counts["table"] += 1;
        counts["caption"] += 1;
        counts["tbody"] += 1;
        counts["p"] += 1;
        counts["th"] += 3;
        counts["tr"] += 1 + static_cast<int>(table.rows.size());
        counts["td"] += 3 * static_cast<int>(table.rows.size());
        counts["font"] += 1;
        if (table.teamGame) {
            counts["br"] += 1;
            counts["font"] += 2;
        }
        for (const Row& row : table.rows) {
            counts["font"] += row.coloured ? 1 : 0;
        }
    }
    return counts;
}

class HostilePage : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HeadlessBrowser::IsInstalled()) {
            GTEST_SKIP() << "chromium is not installed";
        }
    }

    // Converts the log with the command-line program and loads the page in the browser.
    std::unique_ptr<DomNode> Load(const std::string& log) {
        const fs::path logPath = folder.Write("games-" + std::to_string(++m_pages) + ".log", log);
        const fs::path page = folder.Path("page-" + std::to_string(m_pages) + ".html");
        const ProcessResult converted = RunProcess(MURKWELL_CLI_PATH, {logPath.string(), page.string()}, folder.Root());
        EXPECT_EQ(converted.out, "Done!\n") << converted.err;
        return ReadDom(HeadlessBrowser::DumpDom(page));
    }

    ScratchFolder folder;

private:
    int m_pages = 0;
};

// Without this the other tests could pass merely because the browser never ran anything.
TEST_F(HostilePage, BrowserRunsTheScriptsOfAPageThatHasThem) {
    const fs::path page = folder.Write(
        "control.html",
        "<html><head><title>Murkwell Results</title></head><body>"
        "<script>document.title='owned'</script>"
        "<img src=x onerror=\"document.body.appendChild(document.createElement('mark'))\">"
        "</body></html>");
    const auto document = ReadDom(HeadlessBrowser::DumpDom(page));
    ASSERT_EQ(document->ElementsNamed("title").size(), 1u);
    EXPECT_EQ(document->ElementsNamed("title")[0]->TextContent(), "owned");
    EXPECT_EQ(document->ElementsNamed("mark").size(), 1u);
}

TEST_F(HostilePage, NothingFromTheLogRuns) {
    const auto document = Load(kHostileLog);
    const auto titles = document->ElementsNamed("title");
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0]->TextContent(), "Murkwell Results");
    EXPECT_TRUE(document->ElementsNamed("mark").empty());
    EXPECT_TRUE(document->Comments().empty());
    for (const DomNode* element : document->Elements()) {
        for (const auto& [attribute, value] : element->attributes) {
            EXPECT_FALSE(attribute.starts_with("on")) << "<" << element->name << " " << attribute << "=\"" << value << "\">";
        }
    }
}

TEST_F(HostilePage, DocumentHoldsExactlyTheFrameAndTheGameTables) {
    const auto frame = CountElements(*Load(""));
    auto expected = frame;
    for (const auto& [name, count] : ElementsOfTables(kExpectedTables)) {
        expected[name] += count;
    }
    EXPECT_EQ(CountElements(*Load(kHostileLog)), expected);
}

TEST_F(HostilePage, CaptionsAndNamesAreText) {
    const auto document = Load(kHostileLog);
    const auto tables = document->ElementsNamed("table");
    ASSERT_EQ(tables.size(), kExpectedTables.size());
    for (std::size_t t = 0; t < tables.size(); ++t) {
        SCOPED_TRACE("table " + std::to_string(t + 1));
        const Table& expected = kExpectedTables[t];
        const auto captions = tables[t]->ElementsNamed("caption");
        ASSERT_EQ(captions.size(), 1u);
        EXPECT_EQ(captions[0]->TextContent(), expected.caption);

        const auto rows = tables[t]->ElementsNamed("tr");
        ASSERT_EQ(rows.size(), expected.rows.size() + 1);
        std::vector<std::string> headings;
        for (const DomNode* heading : rows[0]->ElementsNamed("th")) {
            headings.push_back(heading->TextContent());
        }
        EXPECT_EQ(headings, (std::vector<std::string>{"SCORE", "PING", "NAME"}));
        for (std::size_t r = 0; r < expected.rows.size(); ++r) {
            SCOPED_TRACE("row " + std::to_string(r + 1));
            const auto cells = rows[r + 1]->ElementsNamed("td");
            ASSERT_EQ(cells.size(), 3u);
            EXPECT_EQ(cells[0]->TextContent(), expected.rows[r].score);
            EXPECT_EQ(cells[1]->TextContent(), expected.rows[r].ping);
            EXPECT_EQ(cells[2]->TextContent(), expected.rows[r].name);
            EXPECT_EQ(cells[2]->ElementsNamed("font").size(), expected.rows[r].coloured ? 1u : 0u);
        }
    }
}

}  // namespace
}  // namespace murkwell::testing
