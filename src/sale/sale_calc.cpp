#include "sale/sale_calc.h"

#include "core/money_ops.h"
#include "core/values.h"

namespace orv::sale {

namespace {

constexpr int64_t kScale = Currency::kScale;

// num / den rounded to the nearest whole number, halves to even (den > 0).
int64_t divRoundEven(__int128 num, __int128 den) {
  const bool neg = num < 0;
  const __int128 mag = neg ? -num : num;
  __int128 q = mag / den;
  const __int128 rem = mag % den;
  if (rem * 2 > den || (rem * 2 == den && (q & 1))) ++q;
  return int64_t(neg ? -q : q);
}

// An overflow throws: a total shown as 0 would be a wrong sale, not a safe one.
Currency won(int64_t whole) { return money::Whole(whole); }
Currency add(Currency a, Currency b) { return money::Checked(Currency::Add(a, b)); }
Currency sub(Currency a, Currency b) { return money::Checked(Currency::Sub(a, b)); }
Currency mul(Currency a, Currency b) { return money::Checked(Currency::Mul(a, b)); }
Currency absolute(Currency a) { return a.raw() < 0 ? Currency::FromRaw(-a.raw()) : a; }

int64_t asNumber(const QString &text) { return NzCur(text).RoundToInt(); }

// A pair of condition columns: everybody (0, 0), or grade b and above (1, b).
bool shapeOk(int16_t a, int16_t b) { return (a == 0 && b == 0) || (a == 1 && b >= 0 && b <= 4); }

}  // namespace

PriceResult GetGdsDanga(const PriceInput &in) {
  const GdsCodeRec &g = *in.goods;
  const int32_t d = in.workDate;
  const int32_t t = in.clock;
  PriceResult r;

  // Base price: the sale price B inside the shop's sale period.
  Currency p = g.GcdMech;
  const bool inPeriod =
      in.period.saleSel != 9 && d >= in.period.stDate && d <= in.period.edDate;
  if (inPeriod && !g.GcdMech2.IsZero()) p = g.GcdMech2;

  auto customerOk = [&](int16_t a, int16_t b) {
    return (a == 0 && b == 0) ||
           (!in.customerKey.IsZero() && a == 1 && b >= 0 && b <= 4 && in.customerDegree >= b);
  };
  struct Window {
    const QString &st, &ed;
    int16_t a, b;
  };
  const Window windows[] = {{g.GcdSttmsale1, g.GcdEdtmsale1, g.GcdSaleGbn11, g.GcdSaleGbn12},
                            {g.GcdSttmsale2, g.GcdEdtmsale2, g.GcdSaleGbn21, g.GcdSaleGbn22},
                            {g.GcdSttmsale3, g.GcdEdtmsale3, g.GcdSaleGbn31, g.GcdSaleGbn32}};
  // No window times at all: any time. Otherwise one window must be open and its condition
  // met; a window across midnight is never open.
  auto timeOk = [&](auto cond) {
    bool none = true;
    for (const Window &w : windows)
      if (asNumber(w.st) != 0 || asNumber(w.ed) != 0) none = false;
    if (none) return true;
    for (const Window &w : windows)
      if (asNumber(w.st) <= t && t <= asNumber(w.ed) && cond(w.a, w.b)) return true;
    return false;
  };
  const bool ownSpecial =
      g.GcdSaleSel == 1 && asNumber(g.GcdStdtsale) <= d && d <= asNumber(g.GcdEddtsale);

  // Mark the line with the special price for whoever it may serve.
  if (ownSpecial && shapeOk(g.GcdSaleGbn1, g.GcdSaleGbn2) && timeOk(shapeOk) && !p.IsZero() &&
      !g.GcdSalega.IsZero() && g.GcdSalega < p) {
    r.setEventPrice = true;
    r.eventPrice = g.GcdSalega;
    r.setEventGbn = true;
    r.eventGbn = QString::number(g.GcdSaleGbn1) + "," + QString::number(g.GcdSaleGbn2);
  }
  // The special price for the customer on the sale.
  if (ownSpecial && customerOk(g.GcdSaleGbn1, g.GcdSaleGbn2) && timeOk(customerOk) &&
      !p.IsZero() && g.GcdSalega < p) {
    if (!g.GcdSalega.IsZero()) p = g.GcdSalega;
    r.setEventPrice = true;
    r.eventPrice = p;
  }

  auto special = [&](Currency x) {
    if (!p.IsZero()) {
      if (!x.IsZero() && p >= x) return x;
      if (x.IsZero() && p >= g.GcdMech) return g.GcdMech;
      return p;
    }
    return x.IsZero() ? g.GcdMech : x;
  };
  switch (in.tier) {
    case 1: p = g.GcdMech; break;
    case 2: p = g.GcdMech2.IsZero() ? g.GcdMech : g.GcdMech2; break;
    case 3: p = g.GcdMech3.IsZero() ? g.GcdMech : g.GcdMech3; break;
    case 4: p = special(g.GcdSpmech); break;
    case 5: p = special(g.GcdSpmech2); break;
    case 6: p = special(g.GcdSpmech3); break;
    case 7: p = in.partnerPrice.IsZero() ? g.GcdMech : in.partnerPrice; break;
    default: break;
  }
  r.price = p;
  return r;
}

QString KindLetters(const GdsCodeRec &g, Currency bssNo, Currency cmsNo, bool oneMoa) {
  QString s;
  if (g.GcdTax == 1) s += 'T';
  if (!bssNo.IsZero()) s += 'M';
  if (!cmsNo.IsZero()) s += 'C';
  if (g.GcdPSel3 != 0) s += 'X';
  if (g.GcdSss5 > 0) s += 'B';
  if (g.GcdSss5 < 0) s += '%';
  if (oneMoa) s += 'O';
  return s;
}

Currency CalcCmsFreeQty(const GdsCodeRec &g, const QString &workDate,
                        std::span<const FreeQtyLine> lines) {
  if (!(g.GcdStdate <= workDate && workDate <= g.GcdEddate) || g.GcdCmsSu == 0) return {};
  __int128 linked = 0, given = 0;
  for (const FreeQtyLine &l : lines) {
    if (l.gdsKey.IsZero()) continue;
    if (l.cmsNo == g.GcdKey) linked += l.qty.raw();
    if (l.cmsGbn == 9 && l.gdsKey == g.GcdKey) given += l.qty.raw();
  }
  if (linked == 0) return {};
  // (S / n + F) in ten-thousandths over n, rounded to whole units.
  __int128 num = linked + given * g.GcdCmsSu;
  __int128 den = __int128(g.GcdCmsSu) * kScale;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  return won(-divRoundEven(num, den));
}

QString LineDcText(Currency qty, Currency price, Currency amount) {
  const Currency list = absolute(mul(qty, price));
  const Currency a = absolute(amount);
  if (a.IsZero() || list.IsZero() || list == a) return {};
  const __int128 diff = __int128(list.raw()) - a.raw();
  return QString::number(divRoundEven(diff * 100, list.raw()));
}

Currency SaleTotals::shownQty() const { return sub(qty, freeQty); }
Currency SaleTotals::shownDc() const { return sub(sub(listSum, total), freeAmt); }

void SupplyAndVat(Currency total, Currency taxFree, Currency &supply, Currency &vat) {
  const double d = sub(total, taxFree).ToDouble() / 1.1 + 0.5;
  supply = RoundWhole(money::FromDbl(d));
  vat = sub(sub(total, supply), taxFree);
}

SaleTotals CalcSaleTotals(std::span<SaleLine> lines, int16_t threshold, int16_t writeBack) {
  SaleTotals s;
  for (SaleLine &l : lines) {
    l.newAmount = l.amount;
    l.dc.clear();
    if (!l.gdsKey.IsZero()) {
      if (l.cmsGbn == 9) {
        s.freeQty = add(s.freeQty, l.qty);
        s.freeAmt = add(s.freeAmt, l.amount);
      }
      s.qty = add(s.qty, l.qty);
      // The exact quantity: a line of 1.5 units lists 1.5 times its price.
      s.listSum = add(s.listSum, mul(l.qty, l.price));
      Currency a = l.amount;
      if (l.bssNo.IsZero()) {
        a = RoundTens(a, threshold);
        if (writeBack == 1) l.newAmount = a;
      }
      s.total = add(s.total, a);
      if (l.taxFree == 1) s.taxFree = add(s.taxFree, a);
      l.dc = LineDcText(l.qty, l.price, l.newAmount);
    }
    s.bottle = add(s.bottle, mul(l.bottle, l.qty));
  }
  s.total = RoundTens(s.total, threshold);
  s.listSum = RoundTens(s.listSum, threshold);
  s.taxFree = add(s.taxFree, s.bottle);
  SupplyAndVat(s.total, s.taxFree, s.supply, s.vat);
  return s;
}

}  // namespace orv::sale
