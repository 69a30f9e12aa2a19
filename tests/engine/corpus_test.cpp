// The converter on real server logs, when they are at hand next to the project,
// and on our own sample.

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scripted_run.h"

namespace murkwell::testing {
namespace {

namespace fs = std::filesystem;

TEST(RealLogs, FirstTableOfEachLog) {
    struct Case {
        fs::path log;
        std::size_t tables;
        std::string firstCaption;
        std::string firstRow;
    };
    const fs::path corpus = fs::path(MURKWELL_SOURCE_DIR) / ".." / "shared" / "corpus";
    const Case cases[] = {
        {fs::path(MURKWELL_SOURCE_DIR) / "examples" / "games.log", 3,
         "<font color=\"#FFFF33\">DeathMatch - Map: q3dm6</font>", "20|48|BloodRaven"},
        {corpus / "ioq3-dm-ctf.log", 7, "<font color=\"#FFFF33\">DeathMatch - Map: q3dm17</font>", "20|4|Zeh"},
        {corpus / "urt-tdm.log", 1,
         "<font color=\"#FFFF33\">Team DeathMatch - Map: ut_scottbase</font><br><font color=\"red\">red:22</font>"
         " - <font color=\"blue\">blue:23</font>",
         "22|4|<font color=\"blue\">Landsraad</font>"},
    };
    for (const Case& c : cases) {
        if (!fs::exists(c.log)) {
            continue;  // the real logs are not part of the project
        }
        const std::string page = ConvertLog(ReadFile(c.log));
        const auto captions = Captions(page);
        ASSERT_EQ(captions.size(), c.tables) << c.log;
        EXPECT_EQ(captions.front(), c.firstCaption) << c.log;
        EXPECT_EQ(Rows(page).front(), c.firstRow) << c.log;
        EXPECT_EQ(page.find('^'), std::string::npos) << c.log << ": colour codes left in a name";
    }
}

}  // namespace
}  // namespace murkwell::testing
