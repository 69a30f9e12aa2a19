// murkwell-loggen: writes a made-up but realistic server log for the
// benchmark, the same bytes for the same arguments on every machine.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "log_sink.h"
#include "server_games.h"

namespace {

constexpr const char* kUsage =
    "Usage: murkwell-loggen [--size SIZE | --clients N] [--seed N] OUTPUT\n"
    "  --size SIZE   write whole games until the log holds SIZE bytes (suffix K, M or G; default 1G)\n"
    "  --clients N   write one game in which N distinct clients are announced and scored\n"
    "  --seed N      start the pseudo-random sequence at N (default 1)\n";

// "512M" and the like; 0 when the text is not a size.
unsigned long long ParseSize(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long number = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str()) {
        return 0;
    }
    const std::string_view suffix = end;
    if (suffix.empty()) return number;
    if (suffix == "K") return number << 10;
    if (suffix == "M") return number << 20;
    if (suffix == "G") return number << 30;
    return 0;
}

int UsageError() {
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    unsigned long long size = 1ULL << 30;
    long clients = 0;
    unsigned long long seed = 1;
    const char* output = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--size" && hasValue) {
            size = ParseSize(argv[++i]);
            if (size == 0) return UsageError();
        } else if (option == "--clients" && hasValue) {
            clients = std::strtol(argv[++i], nullptr, 10);
            if (clients <= 0 || clients > 10'000'000) return UsageError();
        } else if (option == "--seed" && hasValue) {
            seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (option.starts_with("-") || output != nullptr) {
            return UsageError();
        } else {
            output = argv[i];
        }
    }
    if (output == nullptr) {
        return UsageError();
    }

    std::FILE* file = std::fopen(output, "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "murkwell-loggen: cannot create %s: %s\n", output, std::strerror(errno));
        return 1;
    }
    bool written = false;
    {
        murkwell::bench::LogSink log(file);
        murkwell::bench::Random random(seed);
        if (clients > 0) {
            murkwell::bench::WriteCrowdedGame(log, random, static_cast<int>(clients));
        } else {
            while (log.BytesWritten() < size && !log.Failed()) {
                murkwell::bench::WriteServerGame(log, random);
            }
        }
        log.Flush();
        written = !log.Failed();
    }
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "murkwell-loggen: cannot write %s\n", output);
        return 1;
    }
    return 0;
}
