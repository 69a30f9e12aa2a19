#pragma once

#include <string>
#include <vector>

#include "scratch_folder.h"

namespace murkwell::testing {

// Converts the given log text and returns the page; fails the test unless the run says "Done!".
std::string PageOf(const std::string& log);

// The page between its fixed head and foot: the game tables alone.
std::string TablesOf(const std::string& page);

// The inside of every <caption> of the page, in order.
std::vector<std::string> Captions(const std::string& page);

// Every player row of the page as "score|ping|name cell", in order.
std::vector<std::string> Rows(const std::string& page);

}  // namespace murkwell::testing
