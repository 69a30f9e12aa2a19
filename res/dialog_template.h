#pragma once

#include <span>

namespace murkwell::res {

// What a control is; the builder picks the widget from it.
enum class ControlKind { PushButton, Edit, Label, Picture };

// Styles the builder honours, combined with |.
enum ControlStyle : unsigned {
    kNoStyle = 0,
    kTabStop = 1u << 0,        // reached with Tab; otherwise only by clicking
    kBorder = 1u << 1,         // edit box drawn with a frame
    kDefPushButton = 1u << 2,  // the button Enter presses when no other button has the focus
    kSunken = 1u << 3,         // picture drawn in a sunken frame
};

// One control of a dialog template. Positions and sizes are in dialog units:
// a quarter of the dialog font's average character width across, an eighth
// of its character height down. A picture names the picture resource it
// shows (IDB_LOGO, IDR_MAINFRAME), at the picture's own size; each front end
// finds that picture among its own resources.
struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text;
    int x;
    int y;
    int width;
    int height;
    unsigned styles;
    int picture = 0;
};

// A whole dialog: its caption, client size in dialog units, font, and its
// controls in creation order, which is also the Tab order.
struct DialogTemplate {
    int id;
    const char* caption;
    int width;
    int height;
    const char* fontFace;
    int fontPoints;
    std::span<const ControlTemplate> controls;
};

}  // namespace murkwell::res
