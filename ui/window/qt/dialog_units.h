// Dialog units to pixels, the way the window system's dialog manager does it:
// horizontal units are a quarter of the font's average character width,
// vertical units an eighth of its height.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace vf::ui {

struct DialogBaseUnits {
  int x = 0;
  int y = 0;
};

// number * numerator / denominator through 64 bits, rounded half away from
// zero; -1 when denominator is 0.
int MulDiv(int number, int numerator, int denominator);

// The dialog font: `pointSize` at 96 dpi as a pixel size, on `face` or its
// metric twin.
QFont DialogFont(const char *face, int pointSize);

DialogBaseUnits BaseUnitsOf(const QFont &font);

QRect DialogUnitsToPixels(const QRect &rect, DialogBaseUnits units);
QSize DialogUnitsToPixels(const QSize &size, DialogBaseUnits units);

}  // namespace vf::ui
