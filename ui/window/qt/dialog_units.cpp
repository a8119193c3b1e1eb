#include "ui/window/qt/dialog_units.h"

#include <QFontMetrics>
#include <QStringList>
#include <cstdint>

namespace vf::ui {

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t p = product < 0 ? -product : product;
  const std::int64_t d = denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator;
  const std::int64_t q = (p + d / 2) / d;
  return static_cast<int>(negative ? -q : q);
}

QFont DialogFont(const char *face, int pointSize) {
  QFont font;
  // Arial is usually absent on Linux; Liberation Sans has the same metrics.
  font.setFamilies({QString::fromUtf8(face), QStringLiteral("Liberation Sans")});
  font.setPixelSize(MulDiv(pointSize, 96, 72));
  font.setStyleHint(QFont::SansSerif);
  return font;
}

DialogBaseUnits BaseUnitsOf(const QFont &font) {
  const QFontMetrics metrics(font);
  const int alphabet = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(alphabet / 26 + 1) / 2, metrics.height()};
}

QRect DialogUnitsToPixels(const QRect &rect, DialogBaseUnits units) {
  return {MulDiv(rect.x(), units.x, 4), MulDiv(rect.y(), units.y, 8),
          MulDiv(rect.width(), units.x, 4), MulDiv(rect.height(), units.y, 8)};
}

QSize DialogUnitsToPixels(const QSize &size, DialogBaseUnits units) {
  return {MulDiv(size.width(), units.x, 4), MulDiv(size.height(), units.y, 8)};
}

}  // namespace vf::ui
