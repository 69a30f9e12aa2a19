// Fuzz target: any bytes are a log. Whatever a log holds, a run must end with
// "Done!", give a page whose tables hold no mark-up from the log, and give the
// very same page when run again on the same object: nothing of one run leaks
// into the next. Only a log that starts as a compressed one may fail, as a
// damaged file does, and then the page of the input before must be left whole.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "log_source.h"
#include "murkwell/conversion.h"
#include "murkwell/messages.h"
#include "page_shape.h"
#include "scratch_folder.h"

namespace {

[[noreturn]] void Fault(const std::string& what) {
    std::fprintf(stderr, "engine fault: %s\n", what.c_str());
    std::abort();
}

murkwell::Outcome Run(const std::filesystem::path& folder) {
    return murkwell::ConvertLog((folder / "games.log").string(), (folder / "page.html").string());
}

// Converts the log in the folder and returns the page; a readable log must say "Done!".
std::string Convert(const std::filesystem::path& folder) {
    const murkwell::Outcome outcome = Run(folder);
    if (!outcome.Succeeded()) {
        Fault("a readable log ended with \"" + outcome.message + "\"");
    }
    return murkwell::testing::ReadBytes(folder / "page.html");
}

void WriteLog(const std::filesystem::path& folder, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(folder / "games.log", std::ios::binary | std::ios::trunc);
    if (!out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size)).flush()) {
        Fault("cannot write the log");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One folder for the whole process, removed when it exits normally.
    static const murkwell::testing::ScratchFolder workspace;
    static const std::string emptyLogPage = [] {
        WriteLog(workspace.Root(), nullptr, 0);
        return Convert(workspace.Root());
    }();

    WriteLog(workspace.Root(), data, size);
    const murkwell::Outcome outcome = Run(workspace.Root());
    const std::string page = murkwell::testing::ReadBytes(workspace.Path("page.html"));
    if (!outcome.Succeeded()) {
        const std::string_view head(reinterpret_cast<const char*>(data), size);
        if (murkwell::CompressionOf(head) == murkwell::Compression::None ||
            outcome.message != murkwell::kMsgCannotReadLog) {
            Fault("a log ended with \"" + outcome.message + "\"");
        }
    }
    // After a failed run this is the page of an earlier input, and must be as whole.
    if (const std::string fault = murkwell::fuzz::PageShapeFault(page, emptyLogPage); !fault.empty()) {
        Fault("malformed page: " + fault);
    }
    if (!outcome.Succeeded()) {
        return 0;
    }
    if (Convert(workspace.Root()) != page) {
        Fault("a second run of the same log gave a different page");
    }
    return 0;
}
