#pragma once

#include <QDialog>

#include "res/dialog_template.h"

namespace murkwell {

// Name of the property that carries each built control's template id.
inline constexpr const char* kControlIdProperty = "controlId";

// Turns a template into the dialog's caption, font, fixed client size and
// child widgets, created in template order, which also becomes the Tab order.
void BuildDialog(QDialog& dialog, const res::DialogTemplate& dialogTemplate);

}  // namespace murkwell
