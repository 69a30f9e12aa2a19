#pragma once

#include <cstddef>
#include <filesystem>
#include <set>
#include <string>

namespace murkwell::testing {

// A folder of the test's own, removed with everything in it when the test ends.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path Path(const std::string& name) const { return m_root / name; }
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const;
    const std::filesystem::path& Root() const { return m_root; }

private:
    std::filesystem::path m_root;
};

// The whole file, or "" when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);

// The names of the folder's entries.
std::set<std::string> NamesIn(const std::filesystem::path& folder);

// The project's sample logs, and the real server logs kept beside the project
// (empty when they are not there: they are not part of the project).
std::filesystem::path ExamplesFolder();
std::filesystem::path CorpusFolder();

// Our sample log of three games, `copies` times over.
std::string SampleLog(std::size_t copies = 1);

}  // namespace murkwell::testing
