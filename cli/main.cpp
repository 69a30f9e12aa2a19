// murkwell-cli: converts a server log into the statistics page from a shell
// or a cron job, through the same run as the desktop program's "&Start".

#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "messages.h"
#include "report_run.h"
#include "version.h"

namespace {

constexpr const char* kUsage =
    "Usage: murkwell-cli [LOG [PAGE]]\n"
    "Turn a Quake 3 Arena server log into an HTML statistics page.\n"
    "\n"
    "  LOG    the server log to read (default: games.log)\n"
    "  PAGE   the page to write, replaced if it exists (default: murkwells.html)\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "Prints \"Done!\" and exits 0 when the page is written; otherwise prints\n"
    "what went wrong on standard error and exits 1. Exits 2 on a usage error.\n";

// The two path boxes are the command's arguments; the message box is the terminal.
class CommandLineRun : public murkwell::CReportRun {
public:
    CommandLineRun(std::string logPath, std::string htmlPath)
        : m_logArgument(std::move(logPath)), m_htmlArgument(std::move(htmlPath)) {}

    bool Succeeded() const { return m_succeeded; }

protected:
    void ReadPathBoxes() override {
        m_strLogEdit = m_logArgument;
        m_strHtmlEdit = m_htmlArgument;
    }

    void ShowMessage(const std::string& text) override {
        m_succeeded = text == murkwell::kMsgDone;
        std::FILE* stream = m_succeeded ? stdout : stderr;
        // "Done!" that cannot be printed is no success to whoever reads it.
        if (std::fprintf(stream, "%s\n", text.c_str()) < 0 || std::fflush(stream) != 0) {
            m_succeeded = false;
        }
    }

private:
    std::string m_logArgument;
    std::string m_htmlArgument;
    bool m_succeeded = false;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> paths;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
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
                std::fprintf(stderr, "murkwell-cli: unknown option '%s'\n\n%s", argv[i], kUsage);
                return 2;
            }
            continue;
        }
        paths.emplace_back(argument);
    }
    if (paths.size() > 2) {
        std::fprintf(stderr, "murkwell-cli: too many arguments\n\n%s", kUsage);
        return 2;
    }

    CommandLineRun run(paths.size() > 0 ? paths[0] : "games.log",
                       paths.size() > 1 ? paths[1] : "murkwells.html");
    run.OnStart();
    return run.Succeeded() ? 0 : 1;
}
