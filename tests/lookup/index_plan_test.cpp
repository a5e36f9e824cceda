#include <gtest/gtest.h>

#include "lookup/GdsHelpFrm.h"
#include "lookup/frmGdsHelp.h"
#include "lookup/paged_reader.h"
#include "lookup_fixture.h"
#include "schema/tables.h"

using namespace orv;
using namespace orv::lookup;

namespace {

// The plan of a page statement, its values written in (EXPLAIN takes no bound values).
class IndexPlanTest : public lookuptest::LookupDb {
 protected:
  QString Plan(const PagedQuery &q) {
    QVariantList args;
    QString sql = PageSql(goDbMain.engine(), q, {}, args);
    for (const QVariant &v : args) {
      const int at = int(sql.indexOf('?'));
      const QString lit = v.typeId() == QMetaType::QString ? db::SqlText(v.toString())
                                                           : v.toString();
      sql.replace(at, 1, lit);
    }
    QString plan;
    if (Pg()) {
      goDbMain.Execute("SET enable_seqscan = off");
      auto rs = goDbMain.OpenRecordset("EXPLAIN " + sql);
      for (; !rs.Eof(); rs.MoveNext()) plan += rs.Field(0).toString() + "\n";
    } else {
      auto rs = goDbMain.OpenRecordset("EXPLAIN QUERY PLAN " + sql);
      for (; !rs.Eof(); rs.MoveNext()) plan += rs.Field("detail").toString() + "\n";
    }
    return plan;
  }
};

TEST_P(IndexPlanTest, IndexServedPathsUseTheirIndexes) {
  if (IsSkipped()) return;
  const db::Dialect d = goDbMain.dialect();
  // The condition panel's name field with the start-of-name option.
  GdsQueryState s;
  s.OptStName = true;
  s.Cond.SetGname = QString::fromUtf8("라면");
  EXPECT_TRUE(Plan(BuildGdsSql(d, s)).contains("ix_gdscodename", Qt::CaseInsensitive))
      << Plan(BuildGdsSql(d, s)).toStdString();
  // The pop-up's range list.
  EXPECT_TRUE(Plan(GdsPopupQuery(d, "5")).contains("ix_gdscodename", Qt::CaseInsensitive))
      << Plan(GdsPopupQuery(d, "5")).toStdString();
  // The name sort's first page of the whole list.
  GdsQueryState all;
  all.SortMode = 1;
  EXPECT_TRUE(Plan(BuildGdsSql(d, all)).contains("ix_gdscodename", Qt::CaseInsensitive))
      << Plan(BuildGdsSql(d, all)).toStdString();
}

TEST_P(IndexPlanTest, TheCheckAddsIndexesToAnOlderDatabase) {
  if (IsSkipped()) return;
  for (const char *ix : {"IX_GdsCodeName", "IX_TrsCodeName", "IX_CstCodeName"})
    goDbMain.Execute(QString("DROP INDEX ") + ix);
  schema::EnsureLookupIndexes(goDbMain);
  schema::EnsureLookupIndexes(goDbMain);  // twice is harmless
  const QString probe = Pg() ? "SELECT 1 FROM pg_indexes WHERE lower(indexname) = 'ix_trscodename'"
                             : "SELECT 1 FROM sqlite_master WHERE name = 'IX_TrsCodeName'";
  EXPECT_EQ(Count(probe), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, IndexPlanTest, ORV_BOTH_ENGINES);

}  // namespace
