#pragma once
// The whole-chit discount (a rate off every barcoded line) and the percentage typed under
// a line. Pure: the caller reads the cells and writes the amounts.
#include <QString>
#include <optional>

#include "core/currency.h"

namespace orv::sale {

// Whole-chit rates run from 1 to 30; anything else is no rate.
bool IsChitDcRate(Currency rate);

struct ChitDcLine {
  QString code;  // ColCode, trimmed
  Currency qty, price, amount;
  Currency dcShown;  // ColDc: not 0 when the line already carries a discount
  QString kind;      // ColKind, trimmed
};

// Barcoded (13 or 8 characters, not starting "20" or "11" to "15"), an amount, and no
// bundle ("M") or no-points ("X") goods.
bool TakesChitDc(const ChitDcLine &line);

// The new amount of the line, nullopt when it keeps its amount (rate outside 1 to 30, or
// the line does not qualify). remove: the list amount back. Otherwise (100 - rate)% of the
// list amount (already discounted lines) or of the amount, cut down to tens, sign kept.
std::optional<Currency> ChitDcAmount(Currency rate, bool remove, const ChitDcLine &line);

// F7 with `typed` in the code cell under a goods line.
enum class LineDcAction {
  Nothing,  // 0 typed
  Wipe,     // below 0 or above 99: the typed row is deleted
  Apply,    // write `amount` to the line above
};
struct LineDcResult {
  LineDcAction action = LineDcAction::Nothing;
  Currency amount;
};
// The line above: quantity, price, amount, and its shown rate (not 0: the percentage
// starts from quantity x price). The size is cut down to tens and the sign kept, so a
// return refunds exactly what the same discount charged on a sale.
LineDcResult LineDcAmount(Currency typed, Currency qty, Currency price, Currency amount,
                          Currency dcShown);

}  // namespace orv::sale
