#pragma once

#include <string_view>

#include "res/resource.h"

// Every text the desktop program shows, besides the run's outcome messages
// (engine/messages.h) and the dialog texts that stand in their templates.
namespace murkwell::res {

// Numbered strings, looked up by id like any other resource.
struct StringResource {
    int id;
    const char* text;
};

inline constexpr StringResource kStringTable[] = {
    {IDS_ABOUTBOX, "&About Murkwell..."},
    {IDP_SOCKETS_INIT_FAILED, "Windows sockets initialization failed."},
};

// The text of string `id`, or an empty text when there is none.
constexpr std::string_view LoadString(int id) {
    for (const StringResource& entry : kStringTable) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return {};
}

// Window captions. Every message box carries the program's name.
inline constexpr const char* kCaptionPrefix = "Murkwell v";
inline constexpr const char* kMessageCaption = "Murkwell";
inline constexpr const char* kHelpCaption = "Murkwell Help";

// The window menu's own entries, before the program adds its About entry.
inline constexpr const char* kMoveMenuEntry = "&Move";
inline constexpr const char* kCloseMenuEntry = "&Close";

// The credit lines of the main dialog and the About box. The project has no
// mail address or web site of its own, so the About box's last line gives
// the copyright and the licence of LICENSE instead of where to reach us.
inline constexpr const char* kDialogCredit = "Made by the Murkwell developers";
inline constexpr const char* kAboutCredit = "Written by the Murkwell developers";
inline constexpr const char* kAboutCopyright = "Copyright (c) 2026";
inline constexpr const char* kAboutLicence = "Free software under the MIT licence";

// File choosers: the file kinds they offer, first one in force.
inline constexpr const char* kLogFilesFilter = "Quake 3 Arena Log Files (*.log)";
inline constexpr const char* kHtmlFilesFilter = "Murkwell HTML Results (*.html)";
inline constexpr const char* kAllFilesFilter = "All Files (*)";
// Windows' choosers name every file *.*.
inline constexpr const char* kWindowsAllFilesFilter = "All Files (*.*)";
// Asked by the page chooser about a name that does not exist; %1 is the name.
inline constexpr const char* kCreatePrompt = "%1\nThis file does not exist.\nDo you want to create it?";

// The Windows program's own messages. The first start finds no stored log
// path; when the system has no text for the reason, the second one stands in.
inline constexpr const char* kHelpPageFailed = "Unable to open the help page.";
inline constexpr const char* kSettingsUnreadable = "The stored log path could not be read: system error ";

// Printed by murkwell when there is no screen to open the window on.
inline constexpr const char* kNoDisplay =
    "murkwell: there is no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset).\n"
    "To convert a log without the window, use murkwell-cli [LOG [PAGE]].\n";

}  // namespace murkwell::res
