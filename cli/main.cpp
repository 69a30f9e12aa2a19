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
    "Usage: murkwell-cli [-q] [LOG [PAGE]]\n"
    "Turn a Quake 3 Arena server log into an HTML statistics page.\n"
    "\n"
    "  LOG    the server log to read, also compressed with gzip, bzip2, xz or zstd\n"
    "         (default: games.log; - reads standard input)\n"
    "  PAGE   the page to write, replaced once the whole page is written\n"
    "         (default: murkwells.html; - writes standard output)\n"
    "\n"
    "  -q, --quiet  print nothing when the page is written\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n"
    "  --           end the options: every later argument is a path\n"
    "\n"
    "Prints \"Done!\" and exits 0 when the page is written (nothing when the\n"
    "page goes to standard output); otherwise prints what went wrong on\n"
    "standard error and exits 1. Exits 2 on a usage error.\n";

// The command line's name for a standard stream, in place of a path.
constexpr std::string_view kStandardStream = "-";

// The outcome goes where a shell user looks for it: success on standard
// output, a failure on standard error with the path and reason below it.
// "Done!" that cannot be printed is no success to whoever reads it.
bool Report(const murkwell::Outcome& outcome, bool quiet) {
    const bool succeeded = outcome.Succeeded();
    if (succeeded && quiet) {
        return true;
    }
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
    bool quiet = false;
    for (const std::string& argument : murkwell::CommandLineArguments(argc, argv)) {
        if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
            if (argument == "--") {
                optionsEnded = true;
            } else if (argument == "--help" || argument == "-h") {
                std::fputs(kUsage, stdout);
                return 0;
            } else if (argument == "-q" || argument == "--quiet") {
                quiet = true;
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

    murkwell::ConversionRequest request{paths.size() > 0 ? paths[0] : murkwell::kDefaultLogName,
                                        paths.size() > 1 ? paths[1] : murkwell::kDefaultHtmlName};
    request.logFromStandardInput = request.logPath == kStandardStream;
    request.pageToStandardOutput = request.htmlPath == kStandardStream;
    // "Done!" must not end up inside the page.
    return Report(murkwell::ConvertLog(request), quiet || request.pageToStandardOutput) ? 0 : 1;
}
