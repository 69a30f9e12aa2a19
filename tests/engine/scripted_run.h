#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "report_run.h"

namespace murkwell::testing {

// A scratch folder that is removed with everything in it when the test ends.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::filesystem::path Path(const std::string& name) const { return m_root / name; }
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path m_root;
};

std::string ReadFile(const std::filesystem::path& path);

// Drives the engine through the same seam as the front ends: the two path
// boxes are set by the test, and every message shown is recorded.
class ScriptedRun : public CReportRun {
public:
    std::string logBox;
    std::string htmlBox;
    std::vector<std::string> messages;

    // Runs "&Start" once and returns the one message it showed.
    std::string Start(const std::string& logPath, const std::string& htmlPath);

protected:
    void ReadPathBoxes() override;
    void ShowMessage(const std::string& text) override;
};

// Converts the given log text and returns the page; fails the test unless the run says "Done!".
std::string ConvertLog(const std::string& log);

// The page between its fixed head and foot: the game tables alone.
std::string TablesOf(const std::string& page);

// The inside of every <caption> of the page, in order.
std::vector<std::string> Captions(const std::string& page);

// Every player row of the page as "score|ping|name cell", in order.
std::vector<std::string> Rows(const std::string& page);

// The eight head lines and four foot lines that frame every page.
extern const std::string kPageHead;
std::string PageFoot();

}  // namespace murkwell::testing
