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

// The Windows program's own message.
inline constexpr const char* kHelpPageFailed = "Unable to open the help page.";

// The settings: the one box of a start that cannot load the log path, and
// the box of a close that cannot save the paths. Each names the system's
// reason in brackets, after the settings file where there is one, and then
// the default that is used instead.
inline constexpr const char* kNoLogPathStored = "No log path has been stored yet (%1); using %2.";
inline constexpr const char* kStoredLogPathTooLong = "The stored log path is too long (%1); using %2.";
inline constexpr const char* kSettingsUnusable =
    "The settings file %1 cannot be used (%2), so the paths will not be kept; using %3.";
inline constexpr const char* kSettingsNotSaved = "The paths could not be saved in %1 (%2).";
// Reasons of the settings store's own, where the system gives none.
inline constexpr const char* kNotAPlainFile = "Not a plain file";
inline constexpr const char* kSettingsLocked = "Locked by another program";
inline constexpr const char* kNoSettingsLock = "Its lock file cannot be made";

// Printed by murkwell when it cannot open its window: without a display, or
// on one (%s) that cannot be reached.
inline constexpr const char* kNoDisplay =
    "murkwell: no window can be opened: DISPLAY and WAYLAND_DISPLAY are unset; "
    "murkwell-cli [LOG [PAGE]] converts a log without one.\n";
inline constexpr const char* kDisplayUnreachable =
    "murkwell: no window can be opened on display %s; murkwell-cli [LOG [PAGE]] converts a log without one.\n";

}  // namespace murkwell::res
