#include "closing/closing_figures.h"

#include <QDate>
#include <functional>

#include "core/bound_sql.h"
#include "core/globals.h"
#include "core/money_ops.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "schema/month_tables.h"

namespace orv::closing {

using namespace orv::money;

QStringList ClosingContext::Months() const {
  QStringList out;
  if (miHasPrev) out << msYyMmPrev;
  if (miHasCur) out << msYyMmCur;
  if (miHasNext) out << msYyMmNext;
  return out;
}

ClosingContext MakeClosingContext(int year, int month, int day) {
  ClosingContext c;
  const QDate d(year, month, day);
  if (!d.isValid()) return c;
  c.msWrkDate = d.toString(QStringLiteral("yyyyMMdd"));
  // Day 1 of the month, so 31 March minus a month is February, not 3 March.
  const QDate first(year, month, 1);
  c.msYyMmPrev = first.addMonths(-1).toString(QStringLiteral("yyMM"));
  c.msYyMmCur = first.toString(QStringLiteral("yyMM"));
  c.msYyMmNext = first.addMonths(1).toString(QStringLiteral("yyMM"));
  return c;
}

ClosingContext MakeClosingContext(const QString &yyyymmdd) {
  const QString t = yyyymmdd.trimmed();
  if (t.size() != 8 || IsDigits(t) != 1) return {};
  return MakeClosingContext(t.left(4).toInt(), t.mid(4, 2).toInt(), t.mid(6, 2).toInt());
}

ClosingContext WorkDateContext() { return MakeClosingContext(giWrkYear, giWrkMonth, giWrkDay); }

void ProbeClosingContext(ClosingContext &ctx) {
  if (ctx.msWrkDate.isEmpty()) {
    ctx.miHasPrev = ctx.miHasCur = ctx.miHasNext = 0;
    return;
  }
  ctx.miHasPrev = ExistsPanChitTTable({}, int16_t(ctx.msYyMmPrev.toInt()));
  ctx.miHasCur = ExistsPanChitTTable({}, int16_t(ctx.msYyMmCur.toInt()));
  ctx.miHasNext = ExistsPanChitTTable({}, int16_t(ctx.msYyMmNext.toInt()));
}

QString ClosingGoodsRow::BarcodeText() const { return GcdBarCode.isEmpty() ? GcdNo : GcdBarCode; }

QString ClosingGoodsRow::NameText() const {
  return GcdKyg.isEmpty() ? GcdName : GcdName + "[" + GcdKyg + "]";
}

Currency Shown(Currency value) {
  int64_t whole = value.raw() / Currency::kScale;
  const int64_t rest = value.raw() % Currency::kScale;
  if (rest * 2 >= Currency::kScale) ++whole;
  if (rest * 2 <= -Currency::kScale) --whole;
  return orv::money::Whole(whole);  // the top won rounds out of range: an error, not a wrap
}

namespace {

// Which chits count: the cashier's open ones, or the ones a saved closing lists.
struct ChitFilter {
  QString join;        // joined to PanChitT A
  QString where;       // conditions on A (and the join)
  QVariantList args;   // the values of one month's part
};

ChitFilter OpenChits() {
  return {QString(), QStringLiteral("A.PctSss3 = 0 AND A.PctPsnKey = ?"), {BindCur(gcLogPsnKey)}};
}

ChitFilter SavedChits(const SavedClosing &saved) {
  return {QStringLiteral(" JOIN TemDetail D ON A.PctDate = D.TmdPctDate AND "
                         "A.PctChtNo = D.TmdPctChtNo AND A.PctPsnKey = D.TmdPsnKey"),
          QStringLiteral("D.TmdDate = ? AND D.TmdChtNo = ? AND A.PctPsnKey = ?"),
          {saved.date, saved.no, BindCur(gcLogPsnKey)}};
}

// One part per flagged month joined by UNION ALL; each part binds the filter's values
// once per use.
QString UnionOf(const QStringList &months, const ChitFilter &filter,
                const std::function<QString(const QString &)> &part, QVariantList &args,
                int usesPerPart = 1) {
  QStringList parts;
  for (const QString &m : months) {
    parts << part(schema::MonthSuffix(m.toInt()));
    for (int i = 0; i < usesPerPart; ++i) args << filter.args;
  }
  return parts.join(QStringLiteral(" UNION ALL "));
}

Currency Sum(const db::Recordset &rs, const char *field) { return NzCur(rs.Field(QLatin1String(field))); }

void GoodsFigures(const ClosingContext &ctx, const ChitFilter &filter, ClosingFigures &f) {
  const QStringList months = ctx.Months();
  std::vector<ClosingGoodsRow> goods;
  Currency banGum, cmsSu, cmsGum;
  int64_t banSu = 0;
  if (!months.isEmpty()) {
    const db::Dialect d = goDbPos.dialect();
    QVariantList args;
    auto half = [&](const QString &s, int ord) {
      return QStringLiteral(
                 "SELECT %1 AS Ord, C.GcdNo, C.GcdBarCode, C.GcdName, C.GcdKyg, C.GcdSel1, "
                 "B.PcgGdsKey, SUM(B.PcgSu) AS PcgSu, SUM(B.PcgGum) AS PcgGum "
                 "FROM PanChitT%2 A JOIN PanGodsT%2 B ON A.PctDate = B.PcgDate "
                 "AND A.PctChtNo = B.PcgChtNo%3 LEFT JOIN GdsCode C ON B.PcgGdsKey = C.GcdKey "
                 "WHERE %4 AND B.PcgGum %5 0 "
                 "GROUP BY C.GcdNo, C.GcdBarCode, C.GcdName, C.GcdKyg, C.GcdSel1, B.PcgGdsKey")
          .arg(ord)
          .arg(s, filter.join, filter.where, ord == 0 ? QStringLiteral(">") : QStringLiteral("<"));
    };
    const QString inner = UnionOf(
        months, filter, [&](const QString &s) { return half(s, 0) + " UNION ALL " + half(s, 1); },
        args, 2);
    const QString nullsFirst =
        d.engine() == db::Engine::PostgreSQL ? QStringLiteral(" NULLS FIRST") : QString();
    const QString sql =
        "SELECT A.Ord, A.GcdNo, A.GcdBarCode, A.GcdName, A.GcdKyg, A.GcdSel1, A.PcgGdsKey, "
        "SUM(A.PcgSu) AS PcgSu, SUM(A.PcgGum) AS PcgGum FROM (" + inner + ") A "
        "GROUP BY A.Ord, A.GcdNo, A.GcdBarCode, A.GcdName, A.GcdKyg, A.GcdSel1, A.PcgGdsKey "
        "ORDER BY " + d.Fold("A.GcdName") + nullsFirst + ", A.Ord, A.PcgGdsKey";
    db::Recordset rs = QueryBound(goDbPos, sql, args);
    goods.reserve(size_t(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext()) {
      ClosingGoodsRow r;
      r.Ord = int(NzCur(rs.Field("Ord")).RoundToInt());
      r.GcdNo = NzStr(rs.Field("GcdNo"));
      r.GcdBarCode = NzStr(rs.Field("GcdBarCode"));
      r.GcdName = NzStr(rs.Field("GcdName"));
      r.GcdKyg = NzStr(rs.Field("GcdKyg"));
      r.GcdSel1 = int(NzCur(rs.Field("GcdSel1")).RoundToInt());
      r.PcgGdsKey = NzCur(rs.Field("PcgGdsKey"));
      r.PcgSu = NzCur(rs.Field("PcgSu"));
      r.PcgGum = NzCur(rs.Field("PcgGum"));
      if (r.IsCoupon()) {
        cmsSu += r.PcgSu;
        cmsGum += r.PcgGum;
      } else if (r.Ord == 1) {
        banGum += r.PcgGum;
      }
      goods.push_back(std::move(r));
    }

    QVariantList cargs;
    const QString count = UnionOf(
        months, filter,
        [&](const QString &s) {
          return "SELECT COUNT(A.PctChtNo) AS Bansu FROM PanChitT" + s + " A" + filter.join +
                 " WHERE " + filter.where + " AND A.PctHab < 0";
        },
        cargs);
    for (db::Recordset c = QueryBound(goDbPos, count, cargs); !c.Eof(); c.MoveNext())
      banSu += NzCur(c.Field("Bansu")).RoundToInt();
  }
  f.goods = std::move(goods);
  f.txtBanSu = banSu;
  f.txtBanGum = Shown(banGum);
  f.txtCmsSu = cmsSu;
  f.txtCmsGum = Shown(cmsGum);
}

void OiReturnFigures(const ClosingContext &ctx, const ChitFilter &filter, ClosingFigures &f) {
  Currency rGum, money, card;
  const QStringList months = ctx.Months();
  if (!months.isEmpty()) {
    QVariantList args;
    const QString sql = UnionOf(
        months, filter,
        [&](const QString &s) {
          return "SELECT SUM(A.PctRGum) AS PctRGum, SUM(A.PctMoney) AS PctMoney, "
                 "SUM(A.PctCard) AS PctCard FROM PanChitT" + s + " A" + filter.join +
                 " WHERE " + filter.where + " AND A.PctSss2 = 9";
        },
        args);
    for (db::Recordset rs = QueryBound(goDbPos, sql, args); !rs.Eof(); rs.MoveNext()) {
      rGum += Sum(rs, "PctRGum");
      money += Sum(rs, "PctMoney");
      card += Sum(rs, "PctCard");
    }
  }
  f.txtOiReturn = Shown(rGum);
  f.txtOiMoney = Shown(money);
  f.txtOiCard = Shown(card);
}

ChitSums PanChitSums(const ClosingContext &ctx, const ChitFilter &filter) {
  ChitSums s;
  const QStringList months = ctx.Months();
  if (months.isEmpty()) return s;
  QVariantList args;
  const QString sql = UnionOf(
      months, filter,
      [&](const QString &m) {
        return "SELECT SUM(A.PctHab) AS PctHab, SUM(A.PctRGum) AS PctRGum, "
               "SUM(A.PctMoney) AS PctMoney, SUM(A.PctCard) AS PctCard, "
               "SUM(A.PctOiSang) AS PctOiSang, SUM(A.PctCSobi) AS PctCSobi, "
               "SUM(A.PctSss4) AS PctSss4, SUM(A.PctGum) AS PctGum, "
               "SUM(A.PctBuga) AS PctBuga, SUM(A.PctNtx) AS PctNtx, "
               "SUM(B.PclJaSangPum) AS PclJaSangPum, SUM(B.PclTaSangPum) AS PclTaSangPum, "
               "SUM(B.PclGum05) AS PclGum05, SUM(B.PclGum06) AS PclGum06 "
               "FROM PanChitT" + m + " A" + filter.join + " LEFT JOIN PanListT" + m +
               " B ON A.PctDate = B.PclDate AND A.PctChtNo = B.PclChtNo "
               "WHERE " + filter.where + " AND A.PctSss2 <> 9";
      },
      args);
  for (db::Recordset rs = QueryBound(goDbPos, sql, args); !rs.Eof(); rs.MoveNext()) {
    s.PctHab += Sum(rs, "PctHab");
    s.PctRGum += Sum(rs, "PctRGum");
    s.PctMoney += Sum(rs, "PctMoney");
    s.PclJaSangPum += Sum(rs, "PclJaSangPum");
    s.PclTaSangPum += Sum(rs, "PclTaSangPum");
    s.PclGum05 += Sum(rs, "PclGum05");
    s.PclGum06 += Sum(rs, "PclGum06");
    s.PctCard += Sum(rs, "PctCard");
    s.PctOiSang += Sum(rs, "PctOiSang");
    s.PctCSobi += Sum(rs, "PctCSobi");
    s.PctGum += Sum(rs, "PctGum");
    s.PctBuga += Sum(rs, "PctBuga");
    s.PctNtx += Sum(rs, "PctNtx");
    s.PctSss4 += Sum(rs, "PctSss4");
  }
  return s;
}

}  // namespace

void ReadGoodsFigures(const ClosingContext &ctx, ClosingFigures &f) {
  GoodsFigures(ctx, OpenChits(), f);
}

void ReadInitGumFigures(ClosingFigures &f) {
  const QString sql = QStringLiteral(
      "SELECT 0 AS Ord, IntWrtdate AS IntDate, IntWrttime AS IntTime, IntSeqNo AS Seq, "
      "0 AS IntInitGum, IntMidGum FROM InitGumLog WHERE IntPsnKey = ? AND IntGuBun1 = 2 "
      "UNION ALL "
      "SELECT 1 AS Ord, IntDate, IntTime, 0 AS Seq, IntInitGum, IntMidGum FROM InitGum "
      "WHERE IntPsnKey = ? AND IntPosNo = ? ORDER BY 1, 2, 3, 4");
  db::Recordset rs =
      QueryBound(goDbPos, sql, {BindCur(gcLogPsnKey), BindCur(gcLogPsnKey), int(giSetPosNo)});
  Currency mid, init;
  QString intDate, intTime;
  std::vector<MidDeposit> deposits;
  for (; !rs.Eof(); rs.MoveNext()) {
    if (NzCur(rs.Field("Ord")).IsZero()) {
      const Currency gum = NzCur(rs.Field("IntMidGum"));
      mid += gum;
      deposits.push_back({NzStr(rs.Field("IntDate")), NzStr(rs.Field("IntTime")), gum});
    } else {
      init = NzCur(rs.Field("IntInitGum"));
      intDate = NzStr(rs.Field("IntDate"));
      intTime = NzStr(rs.Field("IntTime"));
    }
  }
  f.txtInitGum = Shown(init);
  f.txtMidGum = Shown(mid);
  f.msIntDate = intDate;
  f.msIntTime = intTime;
  f.deposits = std::move(deposits);
}

void ReadOiReturnFigures(const ClosingContext &ctx, ClosingFigures &f) {
  OiReturnFigures(ctx, OpenChits(), f);
}

void ApplyChitSums(const ChitSums &s, ClosingFigures &f, bool withDiscount) {
  ClosingFigures n = f;
  const Currency cash = s.PctMoney + (s.PctHab - s.PctRGum);
  n.txtPctHab = Shown(s.PctHab);
  n.txtPctMoney = Shown(cash);
  n.txtPclJa = Shown(s.PclJaSangPum);
  n.txtPclTa = Shown(s.PclTaSangPum);
  n.txtPctCard = Shown(s.PctCard);
  n.txtPctOiSang = Shown(s.PctOiSang);
  n.txtPctCSobi = Shown(s.PctCSobi);
  n.txtPclGum05 = Shown(s.PclGum05);
  n.txtPclGum06 = Shown(s.PclGum06);
  n.txtPctGum = Shown(s.PctGum);
  n.txtPctBuga = Shown(s.PctBuga);
  n.txtPctNtx = Shown(s.PctNtx);
  n.txtNowMoney = Shown(n.txtInitGum + n.txtPctHab + n.txtOiReturn - n.txtMidGum -
                        n.txtPctOiSang - n.txtPctCSobi);
  n.txtRealMoney = Shown(n.txtInitGum + cash + n.txtOiMoney + n.txtPclGum06 - s.PclJaSangPum -
                         s.PclTaSangPum - n.txtMidGum);
  n.txtRealCard = Shown(n.txtPctCard + n.txtOiCard);
  n.txtRealSang = Shown(n.txtPclJa + n.txtPclTa);
  if (withDiscount) n.txtDcGum = Shown(s.PctSss4);
  f = std::move(n);
}

void ReadPanChitFigures(const ClosingContext &ctx, ClosingFigures &f) {
  ApplyChitSums(PanChitSums(ctx, OpenChits()), f);
}

void ReadSavedGoodsFigures(const ClosingContext &ctx, const SavedClosing &saved,
                           ClosingFigures &f) {
  GoodsFigures(ctx, SavedChits(saved), f);
}

void ReadSavedInitGumFigures(const SavedClosing &saved, ClosingFigures &f) {
  const db::Recordset rs = QueryBound(
      goDbPos,
      "SELECT TmiIntDate, TmiIntTime, TmiInitGum, TmiMidGum FROM TemInitGum "
      "WHERE TmiDate = ? AND TmiChtNo = ? AND TmiPsnKey = ?",
      {saved.date, saved.no, BindCur(gcLogPsnKey)});
  Currency init, mid;
  QString date, time;
  for (db::Recordset r = rs; !r.Eof(); r.MoveNext()) {
    mid = NzCur(r.Field("TmiMidGum"));
    init = NzCur(r.Field("TmiInitGum"));
    date = NzStr(r.Field("TmiIntDate"));
    time = NzStr(r.Field("TmiIntTime"));
  }
  f.txtMidGum = Shown(mid);
  f.txtInitGum = Shown(init);
  f.msIntDate = date;
  f.msIntTime = time;
}

void ReadSavedOiReturnFigures(const ClosingContext &ctx, const SavedClosing &saved,
                              ClosingFigures &f) {
  OiReturnFigures(ctx, SavedChits(saved), f);
}

void ReadSavedPanChitFigures(const ClosingContext &ctx, const SavedClosing &saved,
                             ClosingFigures &f) {
  ApplyChitSums(PanChitSums(ctx, SavedChits(saved)), f, false);
}

ClosingFigures ReadOpenFigures(const ClosingContext &ctx) {
  ClosingFigures f;
  ReadGoodsFigures(ctx, f);
  ReadInitGumFigures(f);
  ReadOiReturnFigures(ctx, f);
  ReadPanChitFigures(ctx, f);
  return f;
}

}  // namespace orv::closing
