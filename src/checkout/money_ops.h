#pragma once
// Money arithmetic for the checkout's rules. An overflow throws: a total that leaves the
// money range is a fault of the sale, never a wrapped number on a receipt.
#include <stdexcept>

#include "core/currency.h"

namespace orv::checkout {

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

}  // namespace orv::checkout
