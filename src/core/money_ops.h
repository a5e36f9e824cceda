#pragma once
// Checked money arithmetic: an overflow throws std::overflow_error, never a wrapped number
// or a silent 0 on a screen, a receipt or a closing.
#include <stdexcept>

#include "core/currency.h"

namespace orv::money {

inline Currency Checked(std::optional<Currency> v) {
  if (!v) throw std::overflow_error("money out of range");
  return *v;
}
inline Currency operator+(Currency a, Currency b) { return Checked(Currency::Add(a, b)); }
inline Currency operator-(Currency a, Currency b) { return Checked(Currency::Sub(a, b)); }
inline Currency operator-(Currency a) { return Checked(Currency::Sub(Currency(), a)); }
inline Currency &operator+=(Currency &a, Currency b) { return a = a + b; }
inline Currency &operator-=(Currency &a, Currency b) { return a = a - b; }
inline Currency operator*(Currency a, Currency b) { return Checked(Currency::Mul(a, b)); }
inline Currency Abs(Currency a) { return a < Currency() ? -a : a; }
inline Currency Whole(int64_t w) { return Checked(Currency::FromWhole(w)); }
inline Currency FromDbl(double d) { return Checked(Currency::FromDouble(d)); }

}  // namespace orv::money
