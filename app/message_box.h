#pragma once

#include <QString>

class QWidget;

namespace murkwell {

// Shows a warning box captioned with the program's name, with `text`, with
// `detail` below it when there is one, and one "OK" button; returns when it
// has been closed. Both texts are shown as plain text, never as markup.
void RunMessageBox(QWidget* owner, const QString& text, const QString& detail);

}  // namespace murkwell
