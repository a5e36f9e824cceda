// The plain indexes that the goods lookups read by: made with their tables, and made at
// the schema check where an older database lacks them.
#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/state.h"
#include "schema/check_tables.h"
#include "schema/tables.h"
#include "test_support.h"

namespace {

bool hasIndex(orv::db::Connection &c, const QString &name) {
  const QString sql =
      c.engine() == orv::db::Engine::PostgreSQL
          ? "SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() AND indexname = " +
                orv::db::SqlText(name.toLower())
          : "SELECT 1 FROM sqlite_master WHERE type = 'index' AND lower(name) = " +
                orv::db::SqlText(name.toLower());
  return c.OpenRecordset(sql).RecordCount() == 1;
}

class LookupIndexes : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    EngineTest::SetUp();
  }
  void TearDown() override { orv::state::ResetProgramState(); }
};

TEST_P(LookupIndexes, MadeWithTheTableAndWhereMissingAtTheCheck) {
  const QString text = NewDatabase();
  goDbPos.Open(text);
  goDbMain.Open(text);
  CheckDBTables();
  const char *indexes[] = {"IX_GdsCodeBarcode", "IX_CmsCodeNo2", "IX_BssCodeNo2"};
  for (const char *ix : indexes) EXPECT_TRUE(hasIndex(goDbPos, ix)) << ix;

  // An older database without them gets them at the next check, and the check runs again.
  for (const char *ix : indexes) goDbPos.Execute(QString("DROP INDEX ") + ix);
  CheckDBTables();
  CheckDBTables();
  for (const char *ix : indexes) EXPECT_TRUE(hasIndex(goDbPos, ix)) << ix;
}

INSTANTIATE_TEST_SUITE_P(Engines, LookupIndexes, ORV_BOTH_ENGINES);

}  // namespace
