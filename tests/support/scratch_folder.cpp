#include "scratch_folder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

namespace murkwell::testing {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = fs::temp_directory_path() / ("murkwell-test-" + std::to_string(random()));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            m_root = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a scratch folder");
}

// Windows will not delete a read-only file: a test that made one gets it
// back writable first.
ScratchFolder::~ScratchFolder() {
    std::error_code error;
    if (fs::remove_all(m_root, error) != static_cast<std::uintmax_t>(-1)) {
        return;
    }
    for (const auto& entry : fs::recursive_directory_iterator(m_root, error)) {
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, error);
    }
    fs::remove_all(m_root, error);
}

fs::path ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::set<std::string> NamesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

fs::path ExamplesFolder() { return fs::path(MURKWELL_SOURCE_DIR) / "examples"; }

fs::path CorpusFolder() {
    const fs::path corpus = fs::path(MURKWELL_SOURCE_DIR) / ".." / "shared" / "corpus";
    return fs::is_directory(corpus) ? corpus : fs::path();
}

std::string SampleLog(std::size_t copies) {
    const std::string sample = ReadBytes(ExamplesFolder() / "games.log");
    std::string log;
    for (std::size_t i = 0; i < copies; ++i) {
        log += sample;
    }
    return log;
}

}  // namespace murkwell::testing
