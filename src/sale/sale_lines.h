#pragma once
// The cells a goods line colours for its kinds; the letters themselves are sale::KindLetters.
#include <cstdint>

#include "core/currency.h"

inline constexpr long kMarkYellow = 0x0080FFFF;
inline constexpr long kMarkPink = 0x00FFC0FF;

struct LineMarks {
  bool code = false, qty = false, name = false, price = false;  // light yellow
  bool amount = false;                                          // pink
};

// tax 1: tax-free; bundle and freeGoods: the numbers found with the goods; noPoints: the
// goods' no-points switch; bonus: points (> 0) or a rate (< 0).
LineMarks MarksFor(int16_t tax, orv::Currency bundle, orv::Currency freeGoods, int16_t noPoints,
                   int16_t bonus);
