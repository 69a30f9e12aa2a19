#pragma once

class QWidget;

namespace murkwell {

// A window of its own that shows the help page compiled into the program.
// It belongs to `owner`, so it stays usable while the owner is modal and
// goes when the owner goes.
QWidget* CreateHelpWindow(QWidget* owner);

}  // namespace murkwell
