// Fuzz target: any bytes are a log. Whatever a log holds, a run must end with
// "Done!", give a page whose tables hold no mark-up from the log, and give the
// very same page when run again on the same object: nothing of one run leaks
// into the next.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "messages.h"
#include "page_shape.h"
#include "report_run.h"

namespace {

[[noreturn]] void Fault(const std::string& what) {
    std::fprintf(stderr, "engine fault: %s\n", what.c_str());
    std::abort();
}

// A run on two fixed files that keeps the message it would show.
class FuzzRun : public murkwell::CReportRun {
public:
    explicit FuzzRun(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    std::string Convert() {
        OnStart();
        if (m_outcome != murkwell::kMsgDone) {
            Fault("a readable log ended with \"" + m_outcome + "\"");
        }
        std::ifstream in(m_folder / "page.html", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

protected:
    void ReadPathBoxes() override {
        m_strLogEdit = (m_folder / "games.log").string();
        m_strHtmlEdit = (m_folder / "page.html").string();
    }
    void ShowMessage(const std::string& text) override { m_outcome = text; }

private:
    std::filesystem::path m_folder;
    std::string m_outcome;
};

// One folder for the whole process, removed when it exits normally.
struct Workspace {
    Workspace() {
        std::string pattern = (std::filesystem::temp_directory_path() / "murkwell-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            Fault("cannot make a temporary folder");
        }
        folder = pattern;
    }
    ~Workspace() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::filesystem::path folder;
};

void WriteLog(const std::filesystem::path& folder, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(folder / "games.log", std::ios::binary | std::ios::trunc);
    if (!out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size)).flush()) {
        Fault("cannot write the log");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Workspace workspace;
    static const std::string emptyLogPage = [] {
        WriteLog(workspace.folder, nullptr, 0);
        return FuzzRun(workspace.folder).Convert();
    }();

    WriteLog(workspace.folder, data, size);
    FuzzRun run(workspace.folder);
    const std::string page = run.Convert();
    if (const std::string fault = murkwell::fuzz::PageShapeFault(page, emptyLogPage); !fault.empty()) {
        Fault("malformed page: " + fault);
    }
    if (run.Convert() != page) {
        Fault("a second run of the same log gave a different page");
    }
    return 0;
}
