#include "sync/code_copy.h"

#include <QSet>

#include "core/connections.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "schema/month_tables.h"
#include "schema/tables.h"

namespace orv::sync {

namespace {

constexpr const char *kTables[] = {
    "ComCode", "OrvRegistry", "OrvEnvironment", "LogOn",   "Manage",   "GdsCode",
    "BarCode", "GdsName",     "PsnCode",        "TrsCode", "ExtCode",  "TrsPris",
    "SleDate", "KeyCode",     "KeyCode2",       "CmsCode", "BsnCode",  "BssCode",
    "BfnCode", "BfsCode",     "OmaGods",        "CstCode", "TrsMast",
};
constexpr int kSteps = int(std::size(kTables));

const QSet<QString> &CustomerTotals() {
  static const QSet<QString> k = {"ccdtcnt", "ccdtzerdo", "ccdtjumsu",
                                  "ccdcnt",  "ccdzerdo",  "ccdjumsu"};
  return k;
}

}  // namespace

void CopyRows(db::Connection &src, const QString &srcTable, const QString &filter,
              const schema::TableDef &def, const QString &table, bool zeroTotals,
              const QString &attached) {
  QStringList cols, picks, marks;
  for (const schema::ColumnDef &c : def.columns) {
    const QString name = QLatin1String(c.name);
    cols << name;
    marks << QStringLiteral("?");
    picks << (zeroTotals && CustomerTotals().contains(name.toLower()) ? "0 As " + name : name);
  }
  goDbPos.Execute("Delete From " + table);
  if (!attached.isEmpty()) {
    goDbPos.Execute("Insert Into " + table + " (" + cols.join(", ") + ") Select " +
                    picks.join(", ") + " From " + attached + "." + srcTable + filter);
    return;
  }
  db::Statement insert = goDbPos.Prepare("Insert Into " + table + " (" + cols.join(", ") +
                                         ") Values (" + marks.join(",") + ")");
  // The rows stream in key order as text and go in as the engine reads them: no value is
  // converted on the way, and none of the table is held in memory.
  const QString order =
      def.primary.present() ? " Order By " + def.primary.columnList().join(", ") : QString();
  const int width = int(cols.size());
  src.StreamRows("Select " + picks.join(", ") + " From " + srcTable + filter + order,
                 [&](const db::TextRow &row) {
                   for (int c = 0; c < width; ++c) insert.BindText(c, row.Text(c));
                   insert.Execute();
                 });
}

std::span<const char *const> CodeCopyTables() { return kTables; }

int CodeCopyProgress(int step) { return step >= kSteps ? 100 : step * 100 / kSteps; }

void CopyCodesFromMain(CustomerCopy customers,
                       const std::function<void(int, const QString &)> &progress) {
  // A connection of the copy's own, opened as the login opens the main database.
  db::Connection src;
  src.Open(ResolveMainDbServer(gsSetMainDB));
  // Two texts naming the POS database itself: each table would be emptied before it is
  // read back, so there is nothing to copy.
  if (src.SharesSessionWith(goDbPos)) {
    db::LogFailure(QStringLiteral("코드 수신 생략: 메인 DB가 포스 DB와 같습니다"));
    return;
  }
  // The goods arrive as one read per table, longer than a statement's usual limit.
  db::LongStatements longer(src, 600);
  const QDate today = clock::Now().date();
  const int16_t yymm = YyMmNum(int16_t(today.year()), int16_t(today.month()));
  const QString month = schema::MonthSuffix(yymm);
  if (!ExistsTrsMastPosTable({}, yymm)) CreateTrsMastPosTable({}, yymm);

  // Both SQLite files: the POS database reads the main one itself, no row passes through
  // the program. Attached outside the transaction, detached after it.
  struct Attached {
    QString schema;
    ~Attached() {
      if (!schema.isEmpty()) goDbPos.TryExecute("DETACH DATABASE " + schema);
    }
  } attached;
  if (src.engine() == db::Engine::SQLite && goDbPos.engine() == db::Engine::SQLite &&
      goDbPos.TransLevel() == 0 && !src.SharesSessionWith(goDbPos)) {
    for (db::Recordset rs = src.OpenRecordset("PRAGMA database_list"); !rs.Eof(); rs.MoveNext())
      if (NzStr(rs.Field("name")) == QLatin1String("main") && !NzStr(rs.Field("file")).isEmpty()) {
        goDbPos.Execute("ATTACH DATABASE " + db::SqlText(NzStr(rs.Field("file"))) + " AS codesrc");
        attached.schema = QStringLiteral("codesrc");
      }
  }

  db::Transaction tx(goDbPos);
  for (int step = 1; step <= kSteps; ++step) {
    const QString base = QLatin1String(kTables[step - 1]);
    const bool ledger = step == kSteps;
    const QString table = ledger ? base + month : base;
    if (progress) progress(step, base);
    const schema::TableDef *def = schema::FindTable(base);
    try {
      if (ledger && !src.TableExists(table)) continue;  // not made on the main database yet
      const bool cst = base == QLatin1String("CstCode");
      if (cst && customers == CustomerCopy::WhenNoPosTotals &&
          NzCur(goDbPos
                    .OpenRecordset("Select Count(*) From CstCode Where CcdJumsu<>0 Or "
                                   "CcdZerdo<>0")
                    .Field(0))
                  .RoundToInt() > 0)
        continue;
      CopyRows(src, table, {}, *def, table, cst, attached.schema);
    } catch (const db::DbError &e) {
      throw db::DbError(e.Number, table + ": " + e.Description, e.SqlState);
    }
  }
  tx.Commit();
}

}  // namespace orv::sync
