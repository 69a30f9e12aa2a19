// Feeds saved inputs, files or folders of files, through the fuzz target's
// checks, so that with any compiler the seeds and every input that once broke
// the engine run as tests. With --large each input is also replayed grown to
// megabytes, because large logs are read in blocks ahead of the scanner and
// lines then straddle block boundaries.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Replay(const std::string& bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// The input over and over to 6 MiB, each copy followed by a line longer than
// the reader's spare room, and one of those that matter longer than a line may be.
std::string Grown(const std::string& bytes) {
    const std::string copy = bytes + "\n  0:00 say: " + std::string(70000, 'x') + "\n  0:00 score: " +
                             std::string((std::size_t{3} << 19), '7') + "\n";
    std::string grown;
    while (grown.size() < (std::size_t{6} << 20)) {
        grown += copy;
    }
    return grown;
}

std::vector<std::filesystem::path> InputsIn(const std::filesystem::path& argument) {
    if (!std::filesystem::is_directory(argument)) {
        return {argument};
    }
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(argument)) {
        if (entry.is_regular_file()) {
            inputs.push_back(entry.path());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

}  // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    const bool large = argc > 1 && std::string_view(argv[1]) == "--large";
    for (int i = large ? 2 : 1; i < argc; ++i) {
        for (const auto& input : InputsIn(argv[i])) {
            std::ifstream in(input, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "cannot read %s\n", input.string().c_str());
                return 1;
            }
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            std::printf("%s\n", input.string().c_str());
            std::fflush(stdout);
            Replay(bytes);
            if (large) {
                Replay(Grown(bytes));
            }
            ++replayed;
        }
    }
    std::printf("%d inputs replayed clean\n", replayed);
    return replayed > 0 ? 0 : 1;
}
