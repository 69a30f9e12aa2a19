#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace murkwell::testing {

// What a finished child process left behind.
struct ProcessResult {
    int exitStatus = -1;  // -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// Runs a program with the given arguments in the given folder and waits for it.
// Standard input is /dev/null; both output streams are collected in full.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& workingFolder);

// A scratch folder removed with everything in it when the test ends, folders
// a test made unreadable or unwritable included.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    std::filesystem::path Path(const std::string& name) const { return m_root / name; }
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path m_root;
};

std::string ReadBytes(const std::filesystem::path& path);

}  // namespace murkwell::testing
