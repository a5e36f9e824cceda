#include "core/currency.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "core/leading_number.h"

namespace orv {

std::optional<Currency> Currency::FromWhole(int64_t whole) {
  int64_t r;
  if (__builtin_mul_overflow(whole, kScale, &r)) return std::nullopt;
  return FromRaw(r);
}

std::optional<Currency> Currency::Add(Currency a, Currency b) {
  int64_t r;
  if (__builtin_add_overflow(a.raw_, b.raw_, &r)) return std::nullopt;
  return FromRaw(r);
}

std::optional<Currency> Currency::Sub(Currency a, Currency b) {
  int64_t r;
  if (__builtin_sub_overflow(a.raw_, b.raw_, &r)) return std::nullopt;
  return FromRaw(r);
}

std::optional<Currency> Currency::FromDouble(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  if (r.ec != std::errc()) return std::nullopt;
  return ReadLeadingNumber(std::string_view(buf, size_t(r.ptr - buf))).ToCurrency();
}

std::optional<Currency> Currency::FromText(QStringView text) {
  return ReadLeadingNumber(text).ToCurrency();
}

std::optional<Currency> Currency::Mul(Currency a, Currency b) {
  __int128 p = __int128(a.raw_) * __int128(b.raw_);
  const bool neg = p < 0;
  unsigned __int128 mag = neg ? (unsigned __int128)(-(p + 1)) + 1 : (unsigned __int128)p;
  unsigned __int128 q = mag / kScale, rem = mag % kScale;
  if (rem * 2 > kScale || (rem * 2 == kScale && (q & 1))) ++q;
  const unsigned __int128 limit = neg ? (unsigned __int128)1 << 63 : ((unsigned __int128)1 << 63) - 1;
  if (q > limit) return std::nullopt;
  return FromRaw(neg ? int64_t(0 - uint64_t(q)) : int64_t(uint64_t(q)));
}

QString Currency::ToPlainText() const {
  const bool neg = raw_ < 0;
  // Work in unsigned so that the most negative value has a magnitude too.
  uint64_t mag = neg ? uint64_t(0) - uint64_t(raw_) : uint64_t(raw_);
  uint64_t whole = mag / kScale, frac = mag % kScale;
  QString s = neg ? QStringLiteral("-") : QString();
  s += QString::number(whole);
  if (frac) {
    QString f = QString::number(frac).rightJustified(4, '0');
    while (f.endsWith('0')) f.chop(1);
    s += '.' + f;
  }
  return s;
}

int64_t Currency::RoundToInt() const {
  int64_t whole = raw_ / kScale;
  const int64_t rest = raw_ % kScale, half = kScale / 2;
  if (rest > half || (rest == half && (whole & 1))) ++whole;
  if (rest < -half || (rest == -half && (whole & 1))) --whole;
  return whole;
}

}  // namespace orv
