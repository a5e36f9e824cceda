#pragma once
// What a code typed or scanned into the code column is: a scale barcode carrying an
// amount, a 13-character goods or customer barcode, a goods number, a short barcode or a
// special code. Pure: the caller reads the shop options and does the lookups.
#include <QString>
#include <array>
#include <cstdint>

#include "core/currency.h"

namespace orv::sale {

// The scale identifiers of PosJulBarcode (characters 1-2, 3-4, ..., 9-10 and the last
// two) with their PosJulGumSize1..6 switches (1: wide layout).
struct ScaleIds {
  std::array<QString, 6> ids;
  std::array<bool, 6> wide{};
};
ScaleIds MakeScaleIds(const QString &julBarcode, const std::array<int, 6> &gumSize);

// The index (0 to 5) of the identifier the code starts with, -1 for none. A code that
// starts with "00" is never a scale code.
int MatchScaleId(const QString &code, const ScaleIds &ids);

enum class CodePath {
  Scale,         // 13-character scale barcode: lookupKey and amount
  Barcode13,     // goods, else a customer's card
  GoodsNo,       // 10 characters
  ShortBarcode,  // 5, 8, 9 or 11 characters
  Special,       // 1 to 4, 6 or 7 characters
  Empty,
};

struct NormalCode {
  QString code;  // what the code cell is to hold
  CodePath path = CodePath::Empty;
  bool wide = false;
  bool badScale = false;  // wrong check digit with a non-zero item/amount part
  QString lookupKey;      // scale barcodes only
  Currency amount;        // scale barcodes only: the line's unit price
};

// The trimmed cell text normalised: scale dash form to the barcode, 12 characters get a
// leading "0", longer than 13 cut to 13, twelve digits and "-" get their check digit.
NormalCode NormaliseCode(const QString &code, const ScaleIds &ids);

}  // namespace orv::sale
