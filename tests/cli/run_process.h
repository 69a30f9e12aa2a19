#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace murkwell::testing {

struct ProcessResult {
    int exitStatus = -1;  // -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// A scratch folder, removed with everything in it when it goes (a folder a test locks
// must stay empty, or it would be left behind).
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

std::string ReadBytes(const std::filesystem::path& path);

// Runs the program in the folder with /dev/null as input and waits for it. Output goes
// to files, so a chatty child never blocks; outPath sends standard output elsewhere.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder, const std::string& outPath = "");

}  // namespace murkwell::testing
