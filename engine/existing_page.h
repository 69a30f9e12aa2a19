#pragma once

#include <string>

namespace murkwell {

enum class ExistingPage {
    Replaceable,  // nothing there, an empty file, an HTML page, or no plain file at all
    NotHtml,      // a file with something else in it: a log given in the wrong place, most likely
    Unreadable,   // a file that cannot be looked at, so that nobody can tell
};

// What stands at the page's path, told before anything is opened for writing
// there. An HTML page starts with "<" after an optional byte order mark and
// white space. Devices and pipes are never read. On Unreadable, `error` holds
// the system's code.
ExistingPage CheckExistingPage(const std::string& path, int& error);

}  // namespace murkwell
