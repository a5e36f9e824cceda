#include "checkout/accrual.h"

#include <QDate>

#include "checkout/money_ops.h"
#include "chit/records.h"
#include "core/globals.h"
#include "core/options.h"
#include "core/values.h"
#include "platform/db.h"

namespace orv::checkout {

namespace {

// n / d to the nearest whole number, halves to even.
__int128 DivEven(__int128 n, __int128 d) {
  if (d < 0) n = -n, d = -d;
  __int128 q = n / d, r = n % d;
  if (r < 0) r += d, --q;
  if (2 * r > d || (2 * r == d && (q & 1) != 0)) ++q;
  return q;
}
Currency Raw(__int128 raw) {
  if (raw > INT64_MAX || raw < INT64_MIN) throw std::overflow_error("money out of range");
  return Currency::FromRaw(int64_t(raw));
}
// Cut toward zero to a whole number.
Currency Fix(Currency v) { return Currency::FromRaw(v.raw() / Currency::kScale * Currency::kScale); }
Currency RoundEvenWhole(__int128 raw) { return Raw(DivEven(raw, Currency::kScale) * Currency::kScale); }

int64_t Val(const QString &text) { return NzCur(text).RoundToInt(); }

int16_t Int16Option(const char *key) { return Narrow16(GetRegInt(QLatin1String(key))); }
Currency CurOption(const QString &key) { return Currency::Won(GetRegInt(key)); }

// The member's or the working figures of a sale without a member.
struct Figures {
  CstCodeRec *cst;
  bool member;
};

void ReadPanListGum(AccrualContext &c) {
  const QString yymm = c.wrkDate.mid(2, 4);
  for (QChar ch : yymm)
    if (!ch.isDigit()) return;
  orv::db::Recordset rs = goDbMain.OpenRecordset(
      " Select *  From   PanList" + yymm + "  Where  PclDate=" + orv::db::SqlText(c.wrkDate) +
      "    And  PclChtNo=" + QString::number(c.oisangChtNo) + " ");
  if (rs.RecordCount() > 0) {
    c.oisangGum01 = NzCur(rs.Field("PclGum01"));
    c.oisangGum02 = NzCur(rs.Field("PclGum02"));
  }
}

struct Gate {
  bool noPoint = false;
  int32_t rate = 0;
};

Gate Gates(AccrualContext &c, const AccrualOptions &o) {
  const PanChitRec &h = gtPanChit;
  const PanListRec &l = gtPanList;
  Gate g;
  g.noPoint = (!h.PctCard.IsZero() && o.cstCard == 1) ||
              (!l.PclJaSangPum.IsZero() && o.sangpumJa == 1) ||
              (!l.PclTaSangPum.IsZero() && o.sangpumTa == 1);
  if (!g.noPoint) {
    c.oisangGum01 = c.oisangGum02 = {};
    if (!h.PctOisang.IsZero() && o.oisangNot == 1)
      g.noPoint = true;
    else if (h.PctOisang.IsZero() && c.oisangPay == 1 && o.oisangNot != 1)
      ReadPanListGum(c);
  }
  const bool second = (!h.PctOisang.IsZero() && o.oisangCard == 1) ||
                      (o.moneyCard == 1 && h.PctSss5 == 1) || !h.PctCard.IsZero();
  g.rate = second ? o.rate2 : o.rate1;
  return g;
}

void SetRound(AccrualContext &c) {
  switch (c.irt) {
    case 0: c.jumsuRound = Currency::FromRaw(9000); break;
    case 1: c.jumsuRound = Currency::FromRaw(5000); break;
    case 2: c.jumsuRound = {}; break;
    default: break;
  }
}

// Points before grade and goods points: R × F, times M when M is 2 or more.
Currency EventPoints(const AccrualContext &c, const AccrualOptions &o, Currency base, int32_t rate) {
  const Currency s = RawPoints(base, rate, c.jumsuRound) * Currency::Won(o.factor);
  const int16_t m = EventMultiplier(o, c.wrkDate, gtPanChit.PctHab, c.now.time());
  return m >= 2 ? s * Currency::Won(m) : s;
}

}  // namespace

int16_t Narrow16(int64_t v) { return v < -32768 || v > 32767 ? 0 : int16_t(v); }

AccrualOptions ReadAccrualOptions() {
  AccrualOptions o;
  o.rate1 = Int16Option("PosCstJumsu");
  o.rate2 = Int16Option("PosCstJumsu2");
  o.factor = Int16Option("PosCstJumsuPoint");
  if (o.factor == 0) o.factor = 1;
  o.cstCard = Int16Option("PosCstCard");
  o.sangpumJa = Int16Option("PosBnsSangpumJa");
  o.sangpumTa = Int16Option("PosBnsSangpumTa");
  o.oisangNot = Int16Option("PosBnsOisangNot");
  o.oisangCard = Int16Option("PosBnsOisangCard");
  o.moneyCard = Int16Option("PosBnsMoneyCard");
  o.jumSel = Int16Option("PosCstJumSel");
  o.jumDate = GetRegChar("PosCstJumDate");
  o.jumYoil = GetRegChar("PosCstJumYoil");
  o.jumMul = Int16Option("PosCstJumMul");
  for (int t = 0; t < 3; ++t) {
    const QString n = QString::number(t + 1);
    o.gumD[t] = CurOption("PosCstJumGumD" + n);
    o.mulD[t] = CurOption("PosCstJumMulD" + n);
    o.time[t] = GetRegChar("PosCstJumTime" + n);
    o.mul[t] = Narrow16(GetRegInt("PosCstJumMul" + n));
    for (int u = 0; u < 3; ++u) {
      const QString wt = n + QString::number(u + 1);
      o.gumT[t][u] = CurOption("PosCstJumGumT" + wt);
      o.mulT[t][u] = CurOption("PosCstJumMulT" + wt);
    }
  }
  o.cstPanPrt = Int16Option("PosCstPanPrt");
  o.moneyPoint = NzCur(GetRegChar("PosBnsMoneyPoint"));
  return o;
}

int16_t EventMultiplier(const AccrualOptions &o, const QString &wrkDate, Currency total,
                        QTime now) {
  if (o.jumSel != 1) return 0;
  const int64_t day = Val(wrkDate);
  if (!(Val(o.jumDate.left(8)) <= day && day <= Val(o.jumDate.right(8)))) return 0;
  const QDate date = QDate::fromString(wrkDate, "yyyyMMdd");
  if (!date.isValid()) return 0;
  const int k = date.dayOfWeek() % 7 + 1;  // 1 Sunday .. 7 Saturday
  if (k <= o.jumYoil.size() && Val(o.jumYoil.mid(k - 1, 1)) != 0) return 0;
  int16_t m = o.jumMul;
  auto tiers = [&](const std::array<Currency, 3> &gum, const std::array<Currency, 3> &mul) {
    for (int t = 0; t < 3; ++t)
      if (mul[t] > Currency() && gum[t] > Currency() && total > gum[t])
        m = Narrow16(mul[t].RoundToInt());
  };
  tiers(o.gumD, o.mulD);
  const int64_t hhmm = now.hour() * 100 + now.minute();
  for (int w = 0; w < 3; ++w) {
    const QString &h = o.time[w];
    if (Val(h.left(4)) <= hhmm && hhmm <= Val(h.right(4))) {
      m = o.mul[w];
      tiers(o.gumT[w], o.mulT[w]);
    }
  }
  return m;
}

Currency RawPoints(Currency base, int32_t rate, Currency round) {
  if (rate == 0 || base.IsZero()) return {};
  const Currency q = Raw(DivEven(base.raw(), rate));
  return base > Currency() ? Fix(q + round) : Fix(q - round);
}

QString VisitUpdateSql(const VisitWrite &w) {
  return " Update CstCode Set CcdSss2=" + QString::number(w.value) +
         " Where CcdKey=" + w.key.ToPlainText() + " ";
}

bool CountCstVisit(AccrualContext &c, int16_t count, bool onPointServer) {
  const QString key = QString::number(c.wrkMonth).rightJustified(2, '0').right(2) +
                      QString::number(c.wrkDay).rightJustified(2, '0').right(2);
  const int32_t stored = c.readVisit ? c.readVisit(onPointServer, gtCstCode.CcdKey) : 0;
  const QString s = ("000000" + QString::number(stored)).right(6);
  bool refused = false;
  int64_t n = 1;
  if (s.left(4) == key) {
    const int64_t e = Val(s.right(2));
    refused = e >= count;
    n = std::min<int64_t>(e + 1, 99);
  }
  c.visit.pending = true;
  c.visit.onPointServer = onPointServer;
  c.visit.key = gtCstCode.CcdKey;
  c.visit.value = int32_t(Val(key + QString::number(n).rightJustified(2, '0')));
  return refused;
}

Currency AddGradeJumsu(AccrualContext &c, Currency v) {
  const int16_t g = gtCstCode.CcdDegree;
  int16_t pct = 0, add = 0, cnt = 0;
  for (int k = 0; k < 5; ++k)
    if (c.gradeSelt[k] == 1 && g == k) {
      pct = c.gradeMulti[k];
      add = c.gradeAdd[k];
      cnt = c.gradeCnt[k];
    }
  Currency x;
  if (pct != 0) {
    const Currency q = Raw(DivEven(__int128(v.raw()) * pct, 100));
    if (v > Currency()) x = Fix(q + c.jumsuRound);
    else if (v < Currency()) x = Fix(q - c.jumsuRound);
    gtPanList.PclGum08 = x;
  }
  Currency y;
  if (add != 0) {
    // A return earns no fixed bonus and counts no visit.
    if (v >= Currency()) {
      y = Currency::Won(add);
      bool refused = false;
      if (cnt > 0) {
        if (c.cstTsMode == 0 && c.onLine == 1) refused = CountCstVisit(c, cnt, false);
        else if (c.cstTsMode == 2) refused = CountCstVisit(c, cnt, true);
      }
      if (refused) y = {};
    }
    gtPanList.PclGum10 = y;
  }
  return v + x + y;
}

void CalcCstJumsu(AccrualContext &c, const AccrualOptions &o) {
  SetRound(c);
  CstCodeRec &cst = gtCstCode;
  PanListRec &l = gtPanList;
  const QString today = c.now.toString("yyyyMMdd");
  const Gate g = Gates(c, o);
  if (!g.noPoint) {
    const Currency b = gtPanChit.PctHab - c.jumsuGum;
    cst.CcdTzerdo += b;
    cst.CcdTcnt += Currency::Won(1);
    cst.CcdZerdo += b;
    cst.CcdCnt += Currency::Won(1);
    cst.CcdLpdate = today;
    Currency t;
    if (g.rate != 0) {
      t = AddGradeJumsu(c, EventPoints(c, o, b, g.rate)) + c.gdsJumsu;
      cst.CcdTjumsu += t;
      cst.CcdJumsu += t;
    }
    l.PclGum01 = b;
    l.PclGum02 = t;
    l.PclGum03 = cst.CcdZerdo;
    l.PclGum04 = cst.CcdJumsu;
    if (!c.gdsJumsu.IsZero()) l.PclGum09 = c.gdsJumsu;
  } else {
    if (c.oisangPay == 0) {
      cst.CcdTcnt += Currency::Won(1);
      cst.CcdCnt += Currency::Won(1);
    }
    cst.CcdLpdate = today;
    l.PclGum03 = cst.CcdZerdo;
    l.PclGum04 = cst.CcdJumsu;
  }

  // The paid-off credit chit's figures give way to those of its payment.
  cst.CcdTzerdo -= c.oisangGum01;
  cst.CcdZerdo -= c.oisangGum01;
  cst.CcdTjumsu -= c.oisangGum02;
  cst.CcdJumsu -= c.oisangGum02;
  l.PclGum01 -= c.oisangGum01;
  l.PclGum02 -= c.oisangGum02;
  l.PclGum03 = cst.CcdZerdo;
  l.PclGum04 = cst.CcdJumsu;

  // Customer money taken.
  if (c.onLine == 1 && c.bnsMnySel != 0 && !c.bnsGum.IsZero() && !c.bnsJumsu.IsZero() &&
      !c.bnsMoney.IsZero()) {
    const Currency money = c.custMoney;
    Currency at, pt;
    if (o.cstPanPrt != 0) {
      pt = RoundEvenWhole(DivEven(__int128(money.raw()) * c.bnsJumsu.raw(), c.bnsMoney.raw()));
      at = Raw(DivEven(__int128(pt.raw()) * o.rate1, o.factor));
    } else {
      at = RoundEvenWhole(DivEven(__int128(money.raw()) * c.bnsGum.raw(), c.bnsMoney.raw()));
      // Without a first rate no points stand behind the money.
      if (o.rate1 != 0) pt = Raw(DivEven(at.raw(), o.rate1));
    }
    l.PclGum01 -= at;
    l.PclGum02 -= pt;
    cst.CcdZerdo -= at;
    cst.CcdJumsu -= pt;
    l.PclGum03 = cst.CcdZerdo;
    l.PclGum04 = cst.CcdJumsu;
    if (!c.gdsJumsu.IsZero()) l.PclGum09 = c.gdsJumsu;
  }

  // Change turned into points.
  if (c.coinPointAdd != 0 && !o.moneyPoint.IsZero()) {
    Currency v;
    if (c.due > Currency())
      v = NzCur(NzCur(c.changeText).ToPlainText().right(2));
    else if (c.due < Currency())
      v = -NzCur(c.cashText.right(2));
    const Currency w = RoundEvenWhole((v * o.moneyPoint).raw());
    if (!v.IsZero()) {
      l.PclGum01 += v;
      l.PclGum02 += w;
      l.PclGum03 += v;
      l.PclGum04 += w;
      l.PclGum06 += v;
      l.PclGum07 += w;
      cst.CcdZerdo += v;
      cst.CcdJumsu += w;
      cst.CcdTzerdo += v;
      cst.CcdTjumsu += w;
    }
  }
}

void CalcNoCstJumsu(AccrualContext &c, const AccrualOptions &o) {
  SetRound(c);
  c.noCstJumsu = {};
  const Gate g = Gates(c, o);
  if (g.noPoint) return;
  const Currency b = gtPanChit.PctHab - c.jumsuGum;
  Currency t;
  if (g.rate != 0) t = EventPoints(c, o, b, g.rate) + c.gdsJumsu;
  c.noCstJumsu = t;
  CstCodeRec &cst = gtCstCode;
  cst.CcdTzerdo -= c.oisangGum01;
  cst.CcdZerdo -= c.oisangGum01;
  cst.CcdTjumsu -= c.oisangGum02;
  cst.CcdJumsu -= c.oisangGum02;
  gtPanList.PclGum01 -= c.oisangGum01;
  gtPanList.PclGum02 -= c.oisangGum02;
  gtPanList.PclGum03 = cst.CcdZerdo;
  gtPanList.PclGum04 = cst.CcdJumsu;
}

}  // namespace orv::checkout
