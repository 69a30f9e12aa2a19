// Fuzz target: any bytes are a log. Whatever a log holds, a run must end with
// "Done!", give a page of the one shape a page has (no text from the log
// read as mark-up), and give the very same page when run again on the same
// object, so that nothing of one run leaks into the next.

#include <unistd.h>

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

// A run whose path boxes hold two fixed files and whose message box only keeps the text.
class FuzzRun : public murkwell::CReportRun {
public:
    FuzzRun(std::string logPath, std::string pagePath)
        : m_logPath(std::move(logPath)), m_pagePath(std::move(pagePath)) {}

    const std::string& Outcome() const { return m_outcome; }

protected:
    void ReadPathBoxes() override {
        m_strLogEdit = m_logPath;
        m_strHtmlEdit = m_pagePath;
    }
    void ShowMessage(const std::string& text) override { m_outcome = text; }

private:
    std::string m_logPath;
    std::string m_pagePath;
    std::string m_outcome;
};

[[noreturn]] void Fault(const std::string& what) {
    std::fprintf(stderr, "engine fault: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

// One folder for the whole process, removed when it exits normally.
class Workspace {
public:
    Workspace() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/murkwell-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            Fault("cannot make a temporary folder");
        }
        m_folder = pattern;
    }
    ~Workspace() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::string Path(const char* name) const { return (m_folder / name).string(); }

private:
    std::filesystem::path m_folder;
};

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out.flush()) {
        Fault("cannot write the log " + path);
    }
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Convert(FuzzRun& run, const std::string& pagePath) {
    run.OnStart();
    if (run.Outcome() != murkwell::kMsgDone) {
        Fault("a readable log ended with \"" + run.Outcome() + "\"");
    }
    return ReadFile(pagePath);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Workspace workspace;
    static const std::string logPath = workspace.Path("games.log");
    static const std::string pagePath = workspace.Path("murkwells.html");
    static const std::string emptyLogPage = [] {
        WriteFile(logPath, nullptr, 0);
        FuzzRun run(logPath, pagePath);
        return Convert(run, pagePath);
    }();

    WriteFile(logPath, data, size);
    FuzzRun run(logPath, pagePath);
    const std::string page = Convert(run, pagePath);
    if (const std::string fault = murkwell::fuzz::PageShapeFault(page, emptyLogPage); !fault.empty()) {
        Fault("malformed page: " + fault);
    }
    if (Convert(run, pagePath) != page) {
        Fault("a second run of the same log gave a different page");
    }
    return 0;
}
