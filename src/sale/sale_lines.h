#pragma once
// What a goods line shows besides its numbers: the kind letters and the cells they colour.
#include <QString>
#include <cstdint>

#include "core/currency.h"

inline constexpr long kMarkYellow = 0x0080FFFF;
inline constexpr long kMarkPink = 0x00FFC0FF;

struct LineMarks {
  QString letters;  // "T", "M", "C", "X", "B" or "%", "O", in that order
  bool code = false, qty = false, name = false, price = false;  // light yellow
  bool amount = false;                                          // pink
};

// tax 1: tax-free; bundle and freeGoods: the numbers found with the goods; noPoints: the
// goods' no-points switch; bonus: points (> 0) or a rate (< 0); oneMoa: a OneMoa goods.
LineMarks MarksFor(int16_t tax, orv::Currency bundle, orv::Currency freeGoods, int16_t noPoints,
                   int16_t bonus, bool oneMoa);
