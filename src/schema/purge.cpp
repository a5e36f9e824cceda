#include "schema/purge.h"

#include <QDate>
#include <algorithm>

#include "core/dates.h"
#include "core/globals.h"
#include "core/options.h"
#include "platform/clock.h"
#include "schema/tables.h"

namespace {

// Only whole months before the current one go: a wrong option must not take this month's
// sales, nor (with a two-digit year, whose suffix looks recent) the tables of a recent one.
bool cutOffAllowed(int year, int month) {
  if (year < 1000 || year > 9999 || month < 1 || month > 32767) return false;
  int lastYear = year;
  int lastMonth = std::min(month, 12);
  if (month == 13) {
    lastYear = year + 1;
    lastMonth = 1;
  }
  const QDate today = orv::clock::Now().date();
  return lastYear * 100 + lastMonth < today.year() * 100 + today.month();
}

bool isFourDigits(const QString &s) {
  return s.size() == 4 && std::all_of(s.begin(), s.end(), [](QChar c) {
           return c >= QChar('0') && c <= QChar('9');
         });
}

bool isPlainName(const QString &s) {
  return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) {
    return (c >= QChar('A') && c <= QChar('Z')) || (c >= QChar('a') && c <= QChar('z')) ||
           (c >= QChar('0') && c <= QChar('9')) || c == QChar('_');
  });
}

// A month whose chits, cash receipts or events wait for the main database is kept whole.
bool monthHasUnsentRows(const QString &suffix) {
  static constexpr std::pair<const char *, const char *> kFlags[] = {
      {"PanChit", "PctJunsong"}, {"PanMoney", "PmoJunsong"}, {"PosLogs", "PlgSss1"}};
  for (const auto &[base, flag] : kFlags) {
    const QString table = QLatin1String(base) + suffix;
    if (!orv::schema::ExistsTable(goDbPos, table)) continue;
    gsSql = "SELECT 1 FROM " + table + " WHERE " + flag + " = 0 LIMIT 1";
    if (goDbPos.OpenRecordset(gsSql).RecordCount() > 0) return true;
  }
  return false;
}

void execute(const QString &sql) {
  gsSql = sql;
  goDbPos.Execute(gsSql);
}

// Rows of the cut-off month and before; rows with a sent flag of 0 are kept.
void deleteOld(const char *table, const char *yearCol, const char *monCol, int year, int month,
               const char *sentFlag = nullptr) {
  const QString y = QString::number(year);
  const QString m = QString::number(month);
  QString sql = QString(" Delete from %1 Where ((%2<%4) Or (%2=%4 And %3<=%5))")
                    .arg(QLatin1String(table), QLatin1String(yearCol), QLatin1String(monCol), y, m);
  if (sentFlag) sql += QString(" And (%1 Is Null Or %1<>0)").arg(QLatin1String(sentFlag));
  execute(sql + " ");
}

}  // namespace

void DropOldMonthTables(const QString &prefix, int16_t year, int16_t month) {
  if (!cutOffAllowed(year, month)) return;
  const QString p = prefix.trimmed();
  if (p.isEmpty()) return;  // every table would match
  const QString cut = FmtYyMm(year, month);
  for (const QString &found : goDbPos.TablesWithPrefix(p)) {
    const QString name = found.trimmed();
    const QString suffix = name.right(4);
    if (!isFourDigits(suffix) || suffix > cut || !isPlainName(name)) continue;
    if (monthHasUnsentRows(suffix)) continue;
    execute(" Drop Table " + name + " ");
  }
}

void PurgeOldMonths() {
  if (giOnLine != 1) return;
  const int y = GetRegInt("PosZerdoDelYear");
  const int m = GetRegInt("PosZerdoDelMon");
  if (y == 0 || m == 0 || !cutOffAllowed(y, m)) return;
  const auto y16 = int16_t(y);
  const auto m16 = int16_t(m);
  deleteOld("BdlChit", "BctYear", "BctMon", y, m);
  deleteOld("BdlGods", "BcgYear", "BcgMon", y, m);
  deleteOld("BdlGodsSpeed", "BcgSYear", "BcgSMon", y, m);
  // The date is text: compare it with text, day 31 standing after every day of the month.
  execute(" Delete from CardLog Where ClgDate<=" +
          orv::db::SqlText(FmtYmd(y16, m16, 31, 0, 0)) + " ");

  DropOldMonthTables(" PanCard ", y16, m16);
  DropOldMonthTables(" PanCardT ", y16, m16);

  struct Base {
    const char *table, *yearCol, *monCol, *sentFlag;
  };
  static constexpr Base kSale[] = {
      {"PanChit", "PctYear", "PctMon", "PctJunsong"}, {"PanChitT", "PctYear", "PctMon", nullptr},
      {"PanGods", "PcgYear", "PcgMon", "PcgJunsong"}, {"PanGodsT", "PcgYear", "PcgMon", nullptr},
      {"PanList", "PclYear", "PclMon", nullptr},      {"PanListT", "PclYear", "PclMon", nullptr},
  };
  for (const Base &b : kSale) {
    deleteOld(b.table, b.yearCol, b.monCol, y, m, b.sentFlag);
    DropOldMonthTables(" " + QLatin1String(b.table) + " ", y16, m16);
  }

  DropOldMonthTables(" PanMoney ", y16, m16);
  DropOldMonthTables(" PosLogs ", y16, m16);

  deleteOld("TrsMast", "TmsYear", "TmsMon", y, m);
  DropOldMonthTables(" TrsMast ", y16, m16);

  deleteOld("WatChit", "WctYear", "WctMon", y, m);
  deleteOld("WatChitT", "WctYear", "WctMon", y, m);
  deleteOld("WatGods", "WcgYear", "WcgMon", y, m);
  deleteOld("WatGodsT", "WcgYear", "WcgMon", y, m);
  deleteOld("WatGodsTSpeed", "WcgSYear", "WcgSMon", y, m);
}
