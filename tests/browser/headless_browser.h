#pragma once

#include <filesystem>
#include <string>

namespace murkwell::testing {

// Debian's Chromium, run headless: loads a local page, lets its scripts run,
// and returns the document as it stands after loading.
class HeadlessBrowser {
public:
    static bool IsInstalled();

    // Throws when the browser does not run to its end.
    static std::string DumpDom(const std::filesystem::path& page);
};

}  // namespace murkwell::testing
