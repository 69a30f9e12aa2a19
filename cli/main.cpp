// murkwell-cli: converts a server log into the statistics page from a shell
// or a cron job, through the same conversion as the desktop program's "&Start".

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "murkwell/conversion.h"
#include "murkwell/version.h"

namespace {

constexpr const char* kUsage =
    "Usage: murkwell-cli [LOG [PAGE]]\n"
    "Turn a Quake 3 Arena server log into an HTML statistics page.\n"
    "\n"
    "  LOG    the server log to read (default: games.log)\n"
    "  PAGE   the page to write, replaced if it exists (default: murkwells.html)\n"
    "\n"
    "  -h, --help  show this help and exit\n"
    "  --version   show the version and exit\n"
    "  --          end the options: every later argument is a path\n"
    "\n"
    "Prints \"Done!\" and exits 0 when the page is written; otherwise prints\n"
    "what went wrong on standard error and exits 1. Exits 2 on a usage error.\n";

// The outcome goes where a shell user looks for it: success on standard
// output, a failure on standard error with the path and reason below it.
// "Done!" that cannot be printed is no success to whoever reads it.
bool Report(const murkwell::Outcome& outcome) {
    const bool succeeded = outcome.Succeeded();
    std::FILE* stream = succeeded ? stdout : stderr;
    bool printed = std::fprintf(stream, "%s\n", outcome.message.c_str()) >= 0;
    if (!outcome.detail.empty()) {
        printed = std::fprintf(stream, "murkwell-cli: %s\n", outcome.detail.c_str()) >= 0 && printed;
    }
    return std::fflush(stream) == 0 && printed && succeeded;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> paths;
    bool optionsEnded = false;
    for (const std::string& argument : murkwell::CommandLineArguments(argc, argv)) {
        if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
            if (argument == "--") {
                optionsEnded = true;
            } else if (argument == "--help" || argument == "-h") {
                std::fputs(kUsage, stdout);
                return 0;
            } else if (argument == "--version") {
                std::printf("murkwell-cli %s\n", murkwell::kVersionText);
                return 0;
            } else {
                std::fprintf(stderr, "murkwell-cli: unknown option '%s'\n\n%s", argument.c_str(), kUsage);
                return 2;
            }
            continue;
        }
        paths.push_back(argument);
    }
    if (paths.size() > 2) {
        std::fprintf(stderr, "murkwell-cli: too many arguments\n\n%s", kUsage);
        return 2;
    }

    const murkwell::Outcome outcome = murkwell::ConvertLog(paths.size() > 0 ? paths[0] : murkwell::kDefaultLogName,
                                                           paths.size() > 1 ? paths[1] : murkwell::kDefaultHtmlName);
    return Report(outcome) ? 0 : 1;
}
