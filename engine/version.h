#pragma once

namespace murkwell {

// Shown in the window caption and in the footer of every page.
inline constexpr const char* kVersionText = "1.0 Build 4";

}  // namespace murkwell
