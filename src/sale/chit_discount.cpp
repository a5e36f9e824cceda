#include "sale/chit_discount.h"

#include "core/values.h"

namespace orv::sale {

namespace {

constexpr int64_t kScale = Currency::kScale;

// |value| cut to whole won, then down to tens, with the value's sign.
Currency TensTowardZero(Currency value) {
  const int64_t raw = value.raw();
  const int64_t whole = (raw < 0 ? -raw : raw) / kScale;
  const int64_t tens = whole / 10 * 10;
  return Currency::FromRaw((raw < 0 ? -tens : tens) * kScale);
}

Currency WholeProduct(Currency a, Currency b) {
  const auto p = Currency::Mul(a, b);
  if (!p) return Currency();
  return Currency::FromRaw(p->raw() / kScale * kScale);
}

}  // namespace

bool IsChitDcRate(Currency rate) { return rate >= Currency::Won(1) && rate <= Currency::Won(30); }

bool TakesChitDc(const ChitDcLine &line) {
  if (line.code.size() != 13 && line.code.size() != 8) return false;
  static const char *const kNoDc[] = {"20", "11", "12", "13", "14", "15"};
  for (const char *p : kNoDc)
    if (line.code.startsWith(QLatin1String(p))) return false;
  if (line.amount.IsZero()) return false;
  return !line.kind.contains(QLatin1Char('M')) && !line.kind.contains(QLatin1Char('X'));
}

std::optional<Currency> ChitDcAmount(Currency rate, bool remove, const ChitDcLine &line) {
  if (!IsChitDcRate(rate) || !TakesChitDc(line)) return std::nullopt;
  const Currency list = WholeProduct(line.qty, line.price);
  if (remove) return list;
  const Currency factor = CurDiv(CurSub(Currency::Won(100), rate, 2), Currency::Won(100), 2);
  const Currency base = line.dcShown.IsZero() ? line.amount : list;
  const auto cut = Currency::Mul(base, factor);
  return cut ? TensTowardZero(*cut) : Currency();
}

LineDcResult LineDcAmount(Currency typed, Currency qty, Currency price, Currency amount,
                          Currency dcShown) {
  if (typed.IsZero()) return {};
  if (typed < Currency() || typed > Currency::Won(99)) return {LineDcAction::Wipe, {}};
  const Currency rate = CurDiv(CurSub(Currency::Won(100), typed, 1), Currency::Won(100), 1);
  Currency base = amount;
  if (!dcShown.IsZero()) base = Currency::Mul(qty, price).value_or(Currency());
  const auto cut = Currency::Mul(base, rate);
  return {LineDcAction::Apply, cut ? TensTowardZero(*cut) : Currency()};
}

}  // namespace orv::sale
