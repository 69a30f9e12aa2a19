// The converter on real server logs, when they are at hand next to the project.

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scripted_run.h"

namespace murkwell::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(MURKWELL_SOURCE_DIR) / ".." / "shared" / "corpus";

std::string ConvertFile(const fs::path& log) {
    if (!fs::exists(log)) {
        return {};
    }
    return ConvertLog(ReadFile(log));
}

TEST(RealLogs, DeathMatchAndCaptureTheFlagServer) {
    const std::string page = ConvertFile(kCorpus / "ioq3-dm-ctf.log");
    if (page.empty()) {
        GTEST_SKIP() << "no real logs at " << kCorpus;
    }
    const auto captions = Captions(page);
    ASSERT_FALSE(captions.empty());
    EXPECT_EQ(captions.front(), "<font color=\"#FFFF33\">DeathMatch - Map: q3dm17</font>");
    EXPECT_EQ(Rows(page).front(), "20|4|Zeh");
    EXPECT_NE(page.find("<font color=\"red\">red:8</font> - <font color=\"blue\">blue:6</font>"),
              std::string::npos);
}

TEST(RealLogs, UrbanTerrorTeamServer) {
    const std::string page = ConvertFile(kCorpus / "urt-tdm.log");
    if (page.empty()) {
        GTEST_SKIP() << "no real logs at " << kCorpus;
    }
    EXPECT_EQ(Captions(page).size(), 1u);
    EXPECT_EQ(Rows(page).front(), "22|4|<font color=\"blue\">Landsraad</font>");
}

TEST(RealLogs, OurSampleLog) {
    const std::string page = ConvertFile(fs::path(MURKWELL_SOURCE_DIR) / "examples" / "games.log");
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(Captions(page).size(), 3u);
    EXPECT_EQ(Rows(page).size(), 11u);
    EXPECT_EQ(page.find('^'), std::string::npos) << "colour codes left in a name";
}

}  // namespace
}  // namespace murkwell::testing
