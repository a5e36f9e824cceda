#pragma once
// Checked money arithmetic: an overflow throws std::overflow_error, never a wrapped number
// or a silent 0 on a screen, a receipt or a closing.
#include <cstdint>
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

// The whole part, toward minus infinity, of a * b / c, exactly (no floating point between):
// points worth an amount, how many whole units a balance holds. c must not be 0.
inline Currency FloorMulDiv(Currency a, Currency b, Currency c) {
  if (c.IsZero()) throw std::domain_error("money divided by zero");
  const __int128 n = __int128(a.raw()) * b.raw();
  const __int128 d = __int128(c.raw()) * Currency::kScale;
  __int128 q = n / d;
  if (n % d != 0 && ((n < 0) != (d < 0))) --q;
  if (q > INT64_MAX / Currency::kScale || q < INT64_MIN / Currency::kScale)
    throw std::overflow_error("money out of range");
  return Currency::FromRaw(int64_t(q) * Currency::kScale);
}

// Nearest whole number, halves to even, as money.
inline Currency RoundWhole(Currency value) {
  return Currency::FromRaw(value.RoundToInt() * Currency::kScale);
}

// To whole won first (halves to even), then to tens by the last digit k: 0 stays; above
// the threshold (giSetJulsa: 5 or 10) away from zero; otherwise toward zero.
// 1236 -> 1240, 1235 -> 1230, -1236 -> -1240, 499.5 -> 500 (threshold 5).
inline Currency RoundTens(Currency amount, int16_t threshold) {
  const int64_t whole = amount.RoundToInt();
  const int64_t mag = whole < 0 ? -whole : whole;
  const int64_t k = mag % 10;
  int64_t out = mag;
  if (k != 0) out = k > threshold ? mag + 10 - k : mag - k;
  return Currency::FromRaw((whole < 0 ? -out : out) * Currency::kScale);
}

}  // namespace orv::money
