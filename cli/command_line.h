#pragma once

#include <string>
#include <vector>

namespace murkwell {

// The program's arguments after its own name, as UTF-8 on every system.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace murkwell
