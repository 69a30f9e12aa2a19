#pragma once

#include <string>
#include <string_view>

namespace murkwell::fuzz {

// Checks that a page has the one shape every log must give: the frame of the
// page of an empty log, with zero or more game tables between its head and
// its foot, each table well formed and every text taken from the log written
// with & < > " as entities. Returns an empty string for a good page, else
// what is wrong and where.
std::string PageShapeFault(std::string_view page, std::string_view emptyLogPage);

}  // namespace murkwell::fuzz
