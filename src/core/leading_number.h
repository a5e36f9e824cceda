#pragma once
// The one reader of "the number at the start of a text" that every parser of the program
// uses: blanks, tabs and line feeds anywhere are skipped; then an optional sign, digits,
// at most one ".", an optional exponent (E or D, optional sign, digits); or "&H" / "&O"
// with a hexadecimal or octal whole number. The first character that cannot continue the
// number ends it; a text that does not begin with a number reads as 0. The decimal point
// is always ".", whatever the locale, so "1,234" reads as 1.
#include <QStringView>
#include <cstdint>
#include <optional>
#include <string_view>

namespace orv {

class Currency;

struct LeadingNumber {
  // The value is ±digits × 10^exponent (digits without leading zeros; empty for zero).
  // Digits beyond kMaxDigits are not kept: `sticky` tells whether any of them was not 0.
  static constexpr int kMaxDigits = 40;
  bool negative = false;
  char digits[kMaxDigits] = {};
  int count = 0;
  int64_t exponent = 0;
  bool sticky = false;

  bool IsZero() const { return count == 0 && !sticky; }
  // Rounded to four decimals, halves to the even neighbour; nullopt outside the money range.
  std::optional<Currency> ToCurrency() const;
  // The nearest double (infinite when beyond its range).
  double ToDouble() const;
};

LeadingNumber ReadLeadingNumber(QStringView text);
LeadingNumber ReadLeadingNumber(std::string_view text);

}  // namespace orv
