#pragma once

#include <string>
#include <string_view>

namespace murkwell::fuzz {

// A page must be the empty log's page with game tables between its head and
// its foot, and every tag in those tables one the page itself writes: text from
// the log never becomes mark-up. Returns what is wrong, or "" for a good page.
std::string PageShapeFault(std::string_view page, std::string_view emptyLogPage);

}  // namespace murkwell::fuzz
