#include <gtest/gtest.h>

#include "closing_fixture.h"
#include "schema/tables.h"

using closingtest::ClosingFixture;

namespace {

class ClosingIndexes : public ClosingFixture {
 protected:
  QString Plan(const QString &sql) {
    QString plan;
    if (pg()) {
      goDbPos.Execute("SET enable_seqscan = off");
      for (auto rs = goDbPos.OpenRecordset("EXPLAIN " + sql); !rs.Eof(); rs.MoveNext())
        plan += rs.Field(0).toString() + "\n";
      goDbPos.Execute("SET enable_seqscan = on");
    } else {
      for (auto rs = goDbPos.OpenRecordset("EXPLAIN QUERY PLAN " + sql); !rs.Eof(); rs.MoveNext())
        plan += rs.Field("detail").toString() + "\n";
    }
    return plan.toLower();
  }
  bool HasIndex(const QString &name) {
    const QString probe =
        pg() ? "SELECT 1 FROM pg_indexes WHERE indexname = '" + name.toLower() + "'"
             : "SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = '" + name + "'";
    return goDbPos.OpenRecordset(probe).RecordCount() == 1;
  }
};

TEST_P(ClosingIndexes, EveryMonthGetsTheIndexesTheClosingReadsBy) {
  for (const char *ix : {"IX_PanChitT2501_Psn", "IX_PanChitT2412_Cht", "IX_PanListT2501_Cht",
                         "IX_PanGodsT2412_Cht"})
    EXPECT_TRUE(HasIndex(ix)) << ix;
  // A database made before the indexes: the login's check adds them to every month.
  goDbPos.Execute("DROP INDEX IX_PanChitT2412_Psn");
  goDbPos.Execute("DROP INDEX IX_PanGodsT2501_Cht");
  orv::schema::EnsureLookupIndexes(goDbPos);
  EXPECT_TRUE(HasIndex("IX_PanChitT2412_Psn"));
  EXPECT_TRUE(HasIndex("IX_PanGodsT2501_Cht"));
  EXPECT_TRUE(orv::schema::IndexStatements("PanChitT25011", goDbPos.engine()).isEmpty());
  EXPECT_TRUE(orv::schema::IndexStatements("PanChitTabcd", goDbPos.engine()).isEmpty());

  EXPECT_TRUE(Plan("SELECT SUM(PctHab) FROM PanChitT2501 WHERE PctPsnKey = 15 AND PctSss3 = 0")
                  .contains("ix_panchitt2501_psn"));
  EXPECT_TRUE(Plan("SELECT B.PcgGum FROM PanChitT2501 A JOIN PanGodsT2501 B ON "
                   "A.PctDate = B.PcgDate AND A.PctChtNo = B.PcgChtNo "
                   "WHERE A.PctPsnKey = 15 AND A.PctSss3 = 0")
                  .contains("ix_pangodst2501_cht"));
}

INSTANTIATE_TEST_SUITE_P(Engines, ClosingIndexes, ::testing::ValuesIn(closingtest::kOffline),
                         closingtest::SetupName);

}  // namespace
