#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "scratch_folder.h"

namespace murkwell::testing {

struct ProcessResult {
    int exitStatus = -1;  // -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// Keeps other programs from opening the file while it lives: on Windows by
// holding it open without sharing, elsewhere by taking every permission away.
class HeldLocked {
public:
    explicit HeldLocked(const std::filesystem::path& path);
    ~HeldLocked();
    HeldLocked(const HeldLocked&) = delete;
    HeldLocked& operator=(const HeldLocked&) = delete;

    // Whether a lock keeps this process's children out: root ignores permissions.
    static bool Holds();

private:
    std::filesystem::path m_path;
    void* m_handle = nullptr;
};

// Runs the program in the folder and waits for it. Input is the system's
// empty device unless inPath names a file. Output goes to files, so a chatty
// child never blocks; outPath sends standard output elsewhere.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder, const std::string& outPath = "",
                         const std::string& inPath = "");

}  // namespace murkwell::testing
