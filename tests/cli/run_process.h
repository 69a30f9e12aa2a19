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

// Runs the program in the folder and waits for it. Input is /dev/null unless
// inPath names a file. Output goes to files, so a chatty child never blocks;
// outPath sends standard output elsewhere.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder, const std::string& outPath = "",
                         const std::string& inPath = "/dev/null");

}  // namespace murkwell::testing
