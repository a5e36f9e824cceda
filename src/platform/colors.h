#pragma once
// Colours as the forms write them: whole numbers &HBBGGRR (blue in the high byte, red in
// the low byte). Every such number becomes a QColor here and nowhere else.
#include <QColor>

namespace orv::colors {

inline constexpr long kWhite = 0xFFFFFF;
inline constexpr long kBlack = 0x000000;

// Only the low 24 bits count.
inline QColor FromBgr(long bgr) {
  return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline long ToBgr(const QColor &c) {
  return long(c.red()) | (long(c.green()) << 8) | (long(c.blue()) << 16);
}

// The number for red, green and blue parts (each 0 to 255).
inline constexpr long Rgb(int red, int green, int blue) {
  return long(red & 0xFF) | (long(green & 0xFF) << 8) | (long(blue & 0xFF) << 16);
}

}  // namespace orv::colors
