#include "core/currency.h"

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

}  // namespace orv
