#include "dialog_units.h"

#include <QFontMetrics>
#include <QStringList>

namespace murkwell {

namespace {

// value * numerator / denominator, rounded to the nearest integer, halves up.
int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    return static_cast<int>((2 * product + denominator) / (2 * denominator));
}

// Faces that stand in for the classic dialog face; the first one installed wins.
const QStringList kSubstituteFaces = {
    "Microsoft Sans Serif", "Liberation Sans", "Arimo", "Arial", "DejaVu Sans",
};

}  // namespace

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    // The average width of the 52 letters, in half pixels rounded up, halved.
    const QFontMetrics metrics(font);
    const int lettersWidth =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(lettersWidth / 26 + 1) / 2, metrics.height()};
}

QRect MapDialogRect(const DialogBaseUnits& units, int x, int y, int width, int height) {
    return QRect(MulDiv(x, units.cx, 4), MulDiv(y, units.cy, 8),
                 MulDiv(width, units.cx, 4), MulDiv(height, units.cy, 8));
}

QFont DialogFont(const char* face, int points, int dotsPerInchY) {
    QFont font;
    font.setFamilies(QStringList{QString::fromUtf8(face)} + kSubstituteFaces);
    font.setStyleHint(QFont::SansSerif);
    // Points become whole pixels before the font is chosen, as on Windows;
    // a fractional size would change the measure by a pixel here and there.
    font.setPixelSize(MulDiv(points, dotsPerInchY, 72));
    return font;
}

}  // namespace murkwell
