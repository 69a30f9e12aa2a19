// The converter on our own sample log and on real server logs, when those are
// at hand next to the project.

#include <filesystem>

#include <gtest/gtest.h>

#include "page_reading.h"

namespace murkwell::testing {
namespace {

namespace fs = std::filesystem;

struct RealLog {
    fs::path log;
    std::size_t tables;
    std::string firstCaption;
    std::string firstRow;
};

void ExpectFirstTable(const RealLog& c) {
    SCOPED_TRACE(c.log.string());
    const std::string page = PageOf(ReadBytes(c.log));
    const auto captions = Captions(page);
    ASSERT_EQ(captions.size(), c.tables);
    EXPECT_EQ(captions.front(), c.firstCaption);
    EXPECT_EQ(Rows(page).front(), c.firstRow);
    EXPECT_EQ(page.find('^'), std::string::npos) << "colour codes left in a name";
}

TEST(RealLogs, OurSample) {
    ExpectFirstTable({ExamplesFolder() / "games.log", 3, "<font color=\"#FFFF33\">DeathMatch - Map: q3dm6</font>",
                      "20|48|BloodRaven"});
}

TEST(RealLogs, ServerLogs) {
    const fs::path corpus = CorpusFolder();
    if (corpus.empty()) {
        GTEST_SKIP() << "the real server logs are not beside the project";
    }
    ExpectFirstTable({corpus / "ioq3-dm-ctf.log", 7, "<font color=\"#FFFF33\">DeathMatch - Map: q3dm17</font>",
                      "20|4|Zeh"});
    ExpectFirstTable({corpus / "urt-tdm.log", 1,
                      "<font color=\"#FFFF33\">Team DeathMatch - Map: ut_scottbase</font><br><font "
                      "color=\"red\">red:22</font> - <font color=\"blue\">blue:23</font>",
                      "22|4|<font color=\"blue\">Landsraad</font>"});
}

}  // namespace
}  // namespace murkwell::testing
