#include "customer/cst_points.h"

#include <cmath>

#include "core/byte_text.h"
#include "core/globals.h"
#include "core/options.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/clock.h"

using orv::Currency;

PointRule ReadPointRule() {
  PointRule r;
  r.base = GetRegInt(QStringLiteral("PosCstJumsu"));
  if (r.base == 0) r.base = 1000;
  r.unit = GetRegInt(QStringLiteral("PosCstJumsuPoint"));
  if (r.unit == 0) r.unit = 1;
  if (giOrvSetCstIrt == 0) r.offset = Currency::FromRaw(9000);
  if (giOrvSetCstIrt == 1) r.offset = Currency::FromRaw(5000);
  return r;
}

namespace {
Currency negate(Currency v) { return Currency::FromRaw(-v.raw()); }
Currency abs(Currency v) { return v.raw() < 0 ? negate(v) : v; }
}  // namespace

Currency PointsToAmount(Currency points, const PointRule &rule) {
  const Currency whole = CurMul(points, *Currency::FromWhole(rule.base), 0);
  const Currency v = CurDiv(abs(whole), *Currency::FromWhole(rule.unit), 2);
  return points > Currency{} ? v : negate(v);
}

Currency AmountToPoints(Currency amount, const PointRule &rule) {
  const double q = abs(amount).ToDouble() / double(rule.base) * double(rule.unit);
  const auto raw = Currency::FromDouble(q);
  if (!raw) return {};
  const auto sum = Currency::Add(*raw, rule.offset);
  if (!sum) return {};
  const Currency v = *Currency::FromWhole(sum->raw() / Currency::kScale);
  return amount > Currency{} ? v : negate(v);
}

int32_t FirstLedgerGap(const QList<int32_t> &sortedNumbers) {
  int32_t n = 1;
  for (int32_t v : sortedNumbers) {
    if (v != n) break;
    ++n;
  }
  return n;
}

QString LedgerPsnText() {
  return LeftByte(TrimBlanks(LeftByte(gsLogID, 10)) + "(" + TrimBlanks(LeftByte(gsPcdName, 10)) +
                      ")",
                  30);
}

int32_t InsertLedgerRow(orv::db::Connection &conn, const QString &table, const LedgerRow &row,
                        bool withComNo) {
  const QDateTime now = orv::clock::Now();
  const QDate d = now.date();
  const QString date = d.toString(QStringLiteral("yyyyMMdd"));
  const QString time = now.toString(QStringLiteral("HHmmss"));
  const Currency nZerdo = Currency::Add(row.yZerdo, row.zerdo).value_or(Currency{});
  const Currency nJumsu = Currency::Add(row.yJumsu, row.jumsu).value_or(Currency{});
  orv::db::Statement nos = conn.Prepare("Select CwjChtNo From " + table +
                                        " Where CwjKey=? And CwjDate=? Order By CwjChtNo");
  orv::db::Statement ins = conn.Prepare(
      " Insert into " + table + " (CwjKey,CwjYear,CwjMon,CwjDay,CwjDate," +
      (withComNo ? "CwjComNo," : "") +
      "CwjChtNo,CwjGdsKey,CwjGods,CwjPsn,CwjYzerdo,CwjYJumsu,CwjRZerdo,CwjZerdo,CwjJumsu,"
      "CwjNzerdo,CwjNJumsu,CwjWrtdate,CwjWrtTime,CwjBigo,CwjSss1,CwjSss2,CwjSss3,CwjSss4,"
      "CwjSss5) Values (?,?,?,?,?," +
      (withComNo ? "?," : "") + "?,0,?,?,?,?,0,?,?,?,?,?,?,?,?,0,0,0,0) ");
  for (int attempt = 1;; ++attempt) {
    nos.Bind(0, BindCur(row.key));
    nos.Bind(1, date);
    orv::db::Recordset rs = nos.Query();
    QList<int32_t> taken;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) taken << int32_t(NzCur(rs.Field(0)).RoundToInt());
    const int32_t no = FirstLedgerGap(taken);
    int i = 0;
    for (const QVariant &v :
         {BindCur(row.key), QVariant(d.year()), QVariant(d.month()), QVariant(d.day()),
          QVariant(date)})
      ins.Bind(i++, v);
    if (withComNo) ins.Bind(i++, int(giSupTrsNo));
    ins.Bind(i++, no);
    ins.Bind(i++, LeftByte(row.goods, 30));
    ins.Bind(i++, LedgerPsnText());
    for (Currency v : {row.yZerdo, row.yJumsu, row.zerdo, row.jumsu, nZerdo, nJumsu})
      ins.Bind(i++, BindCur(v));
    ins.Bind(i++, date);
    ins.Bind(i++, time);
    ins.Bind(i++, LeftByte(row.bigo, 30));
    ins.Bind(i++, int(row.kind));
    const std::optional<orv::db::DbError> e = conn.TryBatch([&] { ins.Execute(); });
    if (!e) return no;
    if (!e->IsUniqueViolation() || attempt >= 5) throw *e;
  }
}
