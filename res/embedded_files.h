#pragma once

// Resource paths of the files compiled into the program, so that it needs no
// files beside itself: the pictures res/make_pictures.py draws, and the help page.
namespace murkwell::res {

inline constexpr const char* kLogoPicture = ":/murkwell/logo.png";        // 200 x 283, 24-bit
inline constexpr const char* kIconPicture32 = ":/murkwell/icon-32.png";   // 16 colours
inline constexpr const char* kIconPicture16 = ":/murkwell/icon-16.png";   // 16 colours
inline constexpr const char* kHelpPage = "qrc:/murkwell/help.html";

}  // namespace murkwell::res
