#include "chit/chit_numbers.h"

#include "chit/field_list.h"

#include "core/dates.h"
#include "core/globals.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "schema/month_tables.h"
#include "platform/clock.h"

using orv::db::Connection;
using orv::db::Recordset;
using orv::db::SqlText;

namespace orv::chit {

namespace {
constexpr int32_t kTopChitNo = 999999;

int32_t WholeOf(const Recordset &rs, const QString &column) {
  if (rs.RecordCount() == 0) return 0;
  return NarrowWhole<int32_t>(NzCur(rs.Field(column)), "ChtNo");
}
}  // namespace

QString DateWhere(const QString &prefix, const QString &date) {
  bool ok = date.size() == 8;
  for (QChar c : date) ok = ok && c.isDigit();
  const QString byDate = prefix + "Date=" + SqlText(date);
  if (!ok) return byDate;
  return prefix + "Year=" + QString::number(date.left(4).toInt()) + " And " + prefix +
         "Mon=" + QString::number(date.mid(4, 2).toInt()) + " And " + prefix +
         "Day=" + QString::number(date.mid(6, 2).toInt()) + " And " + byDate;
}

int32_t FirstFreeChitNo(Connection &conn, const QString &table, const QString &prefix,
                        const QString &date, int32_t n) {
  if (n > kTopChitNo || n < 1) n = 1;
  const QString col = prefix + "ChtNo";
  const QString where = " Where " + DateWhere(prefix, date) + " And " + col + ">=";
  // The taken numbers from n on, in order: the first gap is the answer. Usually none.
  for (int pass = 0; pass < 2; ++pass) {
    Recordset rs = conn.OpenRecordset("Select " + col + " From " + table + where +
                                      QString::number(n) + " Order By " + col);
    for (; !rs.Eof(); rs.MoveNext()) {
      const int64_t taken = NzCur(rs.Field(0)).RoundToInt();
      if (taken > n) break;
      if (taken == n) ++n;
    }
    if (n <= kTopChitNo) return n;
    n = 1;  // every number up to the top is taken: start again at 1
  }
  throw orv::db::DbError(orv::db::kErrGeneric,
                         QStringLiteral("빈 전표번호가 없습니다: ") + table + " " + date);
}

int32_t NextPanChtNoFor(const QString &date, int16_t source, int16_t yymm, bool credit) {
  Connection &conn = source == 0 ? goDbMain : goDbPos;
  const QString table =
      (source == 0 ? QStringLiteral("PanChit") : QStringLiteral("PanChitT")) +
      orv::schema::MonthSuffix(yymm);
  const QString range = credit ? " And PctChtNo>=20001 And PctChtNo<=29999"
                               : " And PctChtNo>=1 And PctChtNo<=20000";
  Recordset rs = conn.OpenRecordset("Select Max(PctChtNo) As PctChtNo From " + table +
                                    " Where " + DateWhere("Pct", date) + range);
  const int32_t max = WholeOf(rs, "PctChtNo");
  const int32_t n = max == 0 ? (credit ? 20001 : 1) : max + 1;
  return FirstFreeChitNo(conn, table, "Pct", date, n);
}

}  // namespace orv::chit

using namespace orv::chit;

int32_t NextWatChtNo(const QString &date, int16_t source) {
  Connection &conn = source == 0 ? goDbMain : goDbPos;
  const QString table = source == 0 ? QStringLiteral("WatChit") : QStringLiteral("WatChitT");
  Recordset rs = conn.OpenRecordset("Select Max(WctChtNo) As WctChtNo From " + table +
                                    " Where " + DateWhere("Wct", date));
  return FirstFreeChitNo(conn, table, "Wct", date, WholeOf(rs, "WctChtNo") + 1);
}

int32_t NextBdlChtNo(const QString &date) {
  Recordset rs = goDbPos.OpenRecordset("Select Max(BctChtNo) As BctChtNo From BdlChit Where " +
                                       DateWhere("Bct", date));
  return FirstFreeChitNo(goDbPos, "BdlChit", "Bct", date, WholeOf(rs, "BctChtNo") + 1);
}

namespace {
int32_t FreeIn(Connection &conn, const QString &base, int32_t number) {
  const QString table = base + FmtYyMm(giWrkYear, giWrkMonth);
  const QString date = FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0);
  return FirstFreeChitNo(conn, table, "Pct", date, number);
}
}  // namespace

int32_t FreeChitNoInPanChit(int32_t number) { return FreeIn(goDbMain, "PanChit", number); }
int32_t FreeChitNoInPanChitT(int32_t number) { return FreeIn(goDbPos, "PanChitT", number); }

int32_t NewChitNo(int16_t kind) {
  // Hour 0 counts as 24, as the clock split of the data exchange stores it, so numbers
  // just after midnight never begin with a zero hour.
  const QTime now = orv::clock::Now().time();
  const int32_t hour = now.hour() == 0 ? 24 : now.hour();
  const int32_t n =
      hour * 10000 + int32_t(now.minute()) * 100 + (qAbs(int32_t(giSetPosNo)) % 10) * 10;
  if (kind == 1) return FreeChitNoInPanChit(n);
  if (kind == 2) return FreeChitNoInPanChitT(n);
  return n;
}

int32_t ChitBarCheckDigitsFor(orv::Currency amount, int32_t bandOption) {
  if (bandOption == 1) {
    static const int64_t kBands[] = {50000, 40000, 30000, 20000, 10000};
    for (int64_t b : kBands)
      if (amount.raw() >= b * orv::Currency::kScale) return int32_t(b / 1000);
    return 0;
  }
  const QString text = amount.ToPlainText();
  int64_t sum = 0;
  int weight = 1;
  for (qsizetype i = text.size() - 1; i >= 0; --i) {
    const QChar c = text.at(i);
    if (c.isDigit()) sum += int64_t(c.digitValue()) * weight;
    weight = weight == 9 ? 1 : weight + 1;
  }
  return int32_t(sum % 100);
}

int32_t ChitBarCheckDigits(orv::Currency amount) {
  return ChitBarCheckDigitsFor(amount, GetRegInt("PosChitBar1M"));
}
