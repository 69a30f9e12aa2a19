#include "headless_browser.h"

#include <unistd.h>

#include <stdexcept>

#include "run_process.h"

namespace murkwell::testing {

namespace {
constexpr const char* kChromium = "/usr/bin/chromium";
}

bool HeadlessBrowser::IsInstalled() { return ::access(kChromium, X_OK) == 0; }

std::string HeadlessBrowser::DumpDom(const std::filesystem::path& page) {
    // A fresh profile each time, and nothing that would reach out to the network.
    const ScratchFolder profile;
    const ProcessResult result = RunProcess(kChromium,
                                            {"--headless", "--no-sandbox", "--disable-gpu", "--dump-dom",
                                             "--disable-background-networking", "--disable-component-update",
                                             "--disable-sync", "--no-first-run", "--disable-quic",
                                             "--user-data-dir=" + profile.Root().string(),
                                             "file://" + std::filesystem::absolute(page).string()},
                                            profile.Root());
    if (result.exitStatus != 0 || result.out.empty()) {
        throw std::runtime_error("chromium failed (status " + std::to_string(result.exitStatus) + "): " + result.err);
    }
    return result.out;
}

}  // namespace murkwell::testing
