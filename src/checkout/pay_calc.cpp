#include "checkout/pay_calc.h"

#include "checkout/money_ops.h"
#include "chit/records.h"
#include "core/values.h"

namespace orv::checkout {

namespace {

// n / d rounded to the nearest whole number, halves to even.
int64_t DivEven(int64_t n, int64_t d) {
  if (d < 0) n = -n, d = -d;
  int64_t q = n / d, r = n % d;
  if (r < 0) r += d, --q;
  const int64_t twice = 2 * r;
  if (twice > d || (twice == d && (q & 1) != 0)) ++q;
  return q;
}

}  // namespace

Currency DueOf(Currency total, int16_t julsa) { return RoundTens(total, julsa); }

std::optional<Currency> DiscountOf(Currency total, Currency rate) {
  if (rate < Currency() || rate > Currency::Won(100)) return std::nullopt;
  // Int(total × rate / 100): the exact product in ten-thousandths, floored.
  const Currency prod = total * rate;
  int64_t base = prod.raw() / (Currency::kScale * 100);
  if (prod.raw() < 0 && prod.raw() % (Currency::kScale * 100) != 0) --base;
  return Whole(DivEven(base, 10) * 10);
}

void SplitCardShare(int32_t chtNo) {
  const Currency hab = gtPanChit.PctHab, card = gtPanChit.PctCard;
  // The card ratio in hundredths; the cash ratio is what is left of 100.
  int64_t r = 0;
  if (!hab.IsZero() && !card.IsZero()) r = DivEven(card.raw() * 100, hab.raw());
  const int64_t q = 100 - r;
  for (int i = 1; i <= kMaxChitLines; ++i) {
    PanGodsLine &g = gtPanGods[i];
    if (g.PcgGdsKey.IsZero()) continue;
    g.PcgChtNo = chtNo;
    // Quantities to two decimals; amounts to four.
    g.PcgMoneySu = Currency::FromRaw(DivEven(g.PcgSu.raw() * q, 10000) * 100);
    g.PcgCardSu = Currency::FromRaw(DivEven(g.PcgSu.raw() * r, 10000) * 100);
    g.PcgMoneyGum = Currency::FromRaw(DivEven(g.PcgGum.raw() * q, 100));
    g.PcgCardGum = Currency::FromRaw(DivEven(g.PcgGum.raw() * r, 100));
  }
}

std::optional<int16_t> CoinPayoutAmount(const QString &change, bool pointRule) {
  QString s = DelChar(change, ",").trimmed();
  if (s.isEmpty()) return std::nullopt;
  // Only change owed to the customer: a negative text would pay coins for nothing.
  if (NzCur(s) <= Currency()) return std::nullopt;
  if (s.size() > 3) s = s.right(3);
  s[s.size() - 1] = QLatin1Char('0');
  const int64_t n = NzCur(s).RoundToInt();
  if (n < 10) return std::nullopt;
  if (pointRule) {
    if (s.size() < 3) return std::nullopt;
    return int16_t(n - NzCur(s.right(2)).RoundToInt());
  }
  return int16_t(n);
}

bool TenderBoxesBlock(std::span<const Currency> amounts) {
  for (Currency a : amounts) {
    const Currency m = Abs(a);
    if (m > Currency() && m < Currency::Won(10)) return true;
  }
  return false;
}

CstMoneyRefusal CheckCstMoney(const CstMoneyInput &in) {
  const Currency c = in.typed;
  if (c.IsZero() || !in.disCoin.IsZero()) return CstMoneyRefusal::None;
  const bool refund = c < Currency() && in.total < Currency();
  if (in.fromPoints) {
    if (!refund && (c > in.usableJum || in.unit > c)) return CstMoneyRefusal::Points;
  } else if (refund) {
    if (Abs(c) > Abs(in.usableGum) || Abs(in.unit) > Abs(c)) return CstMoneyRefusal::Money;
  } else if (c > in.usableGum || in.unit > c) {
    return CstMoneyRefusal::Money;
  }
  // A unit of 0 cannot divide: the amount is refused rather than passed unchecked.
  const int64_t unit = in.unit.RoundToInt();
  if (unit == 0 || c.RoundToInt() % unit != 0) return CstMoneyRefusal::BadInput;
  if (Abs(c) > Abs(in.due)) return CstMoneyRefusal::BadInput;
  return CstMoneyRefusal::None;
}

QString CstMoneyText(CstMoneyRefusal r) {
  switch (r) {
    case CstMoneyRefusal::Points:
      return QStringLiteral("사용할수있는 점수가 부족합니다.");
    case CstMoneyRefusal::Money:
      return QStringLiteral("사용할수있는 금액이 부족합니다.");
    case CstMoneyRefusal::BadInput:
      return QStringLiteral("고객금액입력이 잘못되었습니다");
    case CstMoneyRefusal::None:
      break;
  }
  return {};
}

}  // namespace orv::checkout
