#include "scripted_run.h"

#include <fstream>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "messages.h"

namespace murkwell::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device random;
    m_root = fs::temp_directory_path() / ("murkwell-test-" + std::to_string(random()));
    fs::create_directories(m_root);
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

fs::path TempDir::Write(const std::string& name, const std::string& bytes) const {
    const fs::path path = Path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string ScriptedRun::Start(const std::string& logPath, const std::string& htmlPath) {
    logBox = logPath;
    htmlBox = htmlPath;
    const std::size_t shownBefore = messages.size();
    OnStart();
    EXPECT_EQ(messages.size(), shownBefore + 1) << "a run shows exactly one message";
    return messages.empty() ? std::string() : messages.back();
}

void ScriptedRun::ReadPathBoxes() {
    m_strLogEdit = logBox;
    m_strHtmlEdit = htmlBox;
}

void ScriptedRun::ShowMessage(const std::string& text) { messages.push_back(text); }

std::string ConvertLog(const std::string& log) {
    TempDir dir;
    ScriptedRun run;
    EXPECT_EQ(run.Start(dir.Write("games.log", log).string(), dir.Path("page.html").string()), kMsgDone);
    return ReadFile(dir.Path("page.html"));
}

const std::string kPageHead =
    "<html>\r\n"
    "<head>\r\n"
    "<title>Murkwell Results</title>\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\r\n"
    "</head>\r\n"
    "<body bgcolor=\"#1A1A83\" text=\"#FFFFFF\" link=\"#FFFF83\">\r\n"
    "<p align=\"center\"><font face=\"Arial,Helvetica,Geneva,Swiss,SunSans-Regular\" size=\"5\" "
    "color=\"white\"><b>Murkwell&nbsp;Results</b></font> </p>\r\n"
    "<div align=\"center\">\r\n";

std::string PageFoot() {
    return "</font>\r\n</div>\r\n</body>\r\n</html>\r\n";
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

std::string TablesOf(const std::string& page) {
    const std::string creditStart = "<font face=\"Arial\" size=\"1\">Content generated with Murkwell v";
    if (page.rfind(kPageHead, 0) != 0) {
        ADD_FAILURE() << "page does not start with the fixed head";
        return page;
    }
    const std::size_t foot = page.rfind(creditStart);
    if (foot == std::string::npos) {
        ADD_FAILURE() << "page has no credit line";
        return page;
    }
    return page.substr(kPageHead.size(), foot - kPageHead.size());
}

}  // namespace murkwell::testing
