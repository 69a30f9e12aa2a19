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

// Runs the program in the folder with /dev/null as input and waits for it. Output goes
// to files, so a chatty child never blocks; outPath sends standard output elsewhere.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder, const std::string& outPath = "");

}  // namespace murkwell::testing
