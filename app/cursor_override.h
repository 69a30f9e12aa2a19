#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace murkwell {

// Shows one mouse cursor over the whole program while it exists; the cursor
// before it comes back when it ends. They nest.
class CursorOverride {
public:
    explicit CursorOverride(Qt::CursorShape shape) { QGuiApplication::setOverrideCursor(QCursor(shape)); }
    ~CursorOverride() { QGuiApplication::restoreOverrideCursor(); }
    CursorOverride(const CursorOverride&) = delete;
    CursorOverride& operator=(const CursorOverride&) = delete;
};

}  // namespace murkwell
