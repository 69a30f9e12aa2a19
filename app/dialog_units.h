#pragma once

#include <QFont>
#include <QRect>

namespace murkwell {

// A dialog's measure, taken from its font the way the Windows dialog manager
// takes it: one dialog unit across is a quarter of the average character
// width, one unit down is an eighth of the character height.
struct DialogBaseUnits {
    int cx;
    int cy;
};

DialogBaseUnits BaseUnitsOf(const QFont& font);

// Pixels of a rectangle given in dialog units, each value rounded to the
// nearest pixel on its own.
QRect MapDialogRect(const DialogBaseUnits& units, int x, int y, int width, int height);

// The font a dialog template asks for, at the screen's resolution, with the
// nearest faces this system has when the template's own face is missing.
QFont DialogFont(const char* face, int points, int dotsPerInchY);

}  // namespace murkwell
