#pragma once
// A saved chit asked for at the sale screen: the number typed, the receipt's
// identification number or a screen-printed list's number, and the code a recalled line
// is entered with. Pure.
#include <QString>

#include "core/currency.h"
#include "sale/sale_codes.h"

namespace orv::sale {

struct ChitNumberRef {
  enum class Source { None, PanChit, PanChitP };
  Source source = Source::None;
  QString date;     // yyyymmdd; its yymm names the month's tables
  Currency number;  // PctChtNo, 1 to 999999
};

// "yymmdd-n", "n" (up to six bytes, on the work date), the receipt's 14 digits (yymmdd,
// six-digit number, two check digits) or a screen list's 13 (PanChitP). A date part
// that is not six digits finds nothing: it would name a table.
ChitNumberRef ParseChitNumber(const QString &text, const QString &workDate);

// The code a recalled line is entered with: the goods number when there is no barcode;
// a wide-layout scale barcode as identifier, its item and a zero amount; else the
// barcode as stored.
QString RecallCode(const QString &gcdBarcode, Currency gcdNo, const ScaleIds &ids);

}  // namespace orv::sale
