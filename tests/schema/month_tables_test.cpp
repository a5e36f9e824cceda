// The tables of one month, on the working and the POS connection.
#include <gtest/gtest.h>

#include "schema/check_tables.h"
#include "schema/month_tables.h"
#include "schema/tables.h"
#include "schema_fixture.h"

using namespace orv::schema;
using orv::db::DbError;
using schematest::SchemaFixture;

namespace {

const QSet<QString> kMonthBoth = {"panchit2401", "panlist2401", "pangods2401", "pancard2401",
                                  "panmoney2401", "dlvchit2401", "poslogs2401", "trsmast2401"};
const QSet<QString> kMonthPosOnly = {"panchitt2401", "panlistt2401", "pangodst2401",
                                     "pancardt2401", "watgodstspeed", "panchiton",
                                     "panliston",    "panchitoff",   "panlistoff"};

}  // namespace

class MonthTables : public SchemaFixture {};

TEST_P(MonthTables, MakeTheMonthOnBothConnectionsWithKeysAndNoBaseTable) {
  CreateMonthTables(2401);

  QSet<QString> pos = kMonthBoth + kMonthPosOnly;
  QSet<QString> main = kMonthBoth + QSet<QString>{"watgodsspeed"};
  if (online()) {
    EXPECT_EQ(Tables(goDbPos), pos);
    EXPECT_EQ(Tables(goDbMain), main);  // never the T copies
  } else {
    EXPECT_EQ(Tables(goDbPos), pos + main);
  }

  // Same columns in the same order as the base definition, and the key named for the month.
  auto rs = goDbMain.OpenRecordset("SELECT * FROM PanChit2401 WHERE 1 = 0");
  ASSERT_EQ(rs.FieldCount(), 41);
  EXPECT_EQ(rs.FieldName(36).toLower(), "pctsss1");
  EXPECT_TRUE(HasKey(goDbMain, "PanChit2401", "PK_PanChit2401"));
  EXPECT_TRUE(HasKey(goDbMain, "TrsMast2401", "PK_Trsmast2401"));
  EXPECT_TRUE(HasKey(goDbPos, "PanChitT2401", "PK_PanChitT2401"));
  EXPECT_TRUE(HasKey(goDbPos, "PanListOff", "PK_PanListOff"));
  EXPECT_TRUE(HasKey(goDbMain, "WatGodsSpeed", "PK_WatGodsSpeed"));

  // The month's table is not the base table: the login check still makes PanChit.
  EXPECT_EQ(ExistsPanChitTable("", 0, 1), 0);
  EXPECT_EQ(ExistsPanChitTable("", 2401, 1), 1);
  CheckDBTables();
  EXPECT_EQ(ExistsPanChitTable("", 0, 1), 1);
  EXPECT_EQ(ExistsTable(goDbPos, "TrsMast"), 1);
  EXPECT_EQ(ExistsTable(goDbPos, "PanChitT"), 1);

  // A row of each goes in under its key.
  goDbMain.Execute("INSERT INTO PanChit2401 (PctYear, PctMon, PctDay, PctDate, PctChtNo, "
                   "PctPosNo, PctPsnKey, PctJunsong) VALUES (2024, 1, 5, '20240105', 1, 1, 1, 0)");
  EXPECT_TRUE(goDbMain
                  .TryExecute("INSERT INTO PanChit2401 (PctYear, PctMon, PctDay, PctDate, "
                              "PctChtNo, PctPosNo, PctPsnKey) VALUES (2024, 1, 5, '20240105', 1, "
                              "2, 1)")
                  .has_value());
}

TEST_P(MonthTables, SecondCallChangesNothingAndADroppedTableComesBack) {
  CreateMonthTables(2401);
  goDbPos.Execute("INSERT INTO PanChitT2401 (PctYear, PctMon, PctDay, PctDate, PctChtNo, "
                  "PctPosNo, PctPsnKey) VALUES (2024, 1, 5, '20240105', 1, 1, 1)");
  const auto pos = Tables(goDbPos);
  const auto main = Tables(goDbMain);
  CreateMonthTables(2401);
  EXPECT_EQ(Tables(goDbPos), pos);
  EXPECT_EQ(Tables(goDbMain), main);
  EXPECT_EQ(Count(goDbPos, "PanChitT2401"), 1);

  goDbMain.Execute("DROP TABLE PosLogs2401");
  goDbPos.Execute("DROP TABLE PanListOff");
  CreateMonthTables(2401);
  EXPECT_EQ(Tables(goDbPos), pos);
  EXPECT_EQ(Tables(goDbMain), main);
  EXPECT_TRUE(HasKey(goDbMain, "PosLogs2401", "PK_PosLogs2401"));

  // A month table made otherwise is left as it is.
  goDbPos.Execute("CREATE TABLE PanChitT2402 (x integer)");
  CreateMonthTables(2402);
  EXPECT_EQ(goDbPos.OpenRecordset("SELECT * FROM PanChitT2402").FieldCount(), 1);
}

TEST_P(MonthTables, MonthNumbersAndPrefixesGiveTheRightNamesOrNothing) {
  CreateMonthTables(0);
  EXPECT_TRUE(Tables(goDbPos).isEmpty());

  CreateMonthTables(505);
  EXPECT_EQ(ExistsPanChitTable(" ", 505, 0), 1);
  EXPECT_TRUE(Tables(goDbMain).contains("panchit0505"));

  // The probes find a table whatever the letter case of its name.
  goDbPos.Execute("CREATE TABLE PANGODST0601 (x integer)");
  EXPECT_EQ(ExistsPanGodsTTable("", 601), 1);
  EXPECT_EQ(ExistsPanGodsTTable("", 602), 0);

  // Called directly with month 0, a creator makes the base name.
  CreatePanCardTable("", 0, 1);
  EXPECT_EQ(ExistsTable(goDbPos, "PanCard"), 1);
  EXPECT_TRUE(HasKey(goDbPos, "PanCard", "PK_PanCard"));

  // Kind 1 is the On queue, any other kind the Off queue.
  goDbPos.Execute("DROP TABLE PanChitOff");
  CreatePanChitOnOffTable(7);
  EXPECT_EQ(ExistsTable(goDbPos, "PanChitOff"), 1);

  const auto before = Tables(goDbPos);
  for (int16_t bad : {int16_t(-1), int16_t(10000), int16_t(-2401)}) {
    EXPECT_THROW(CreateMonthTables(bad), DbError) << bad;
    EXPECT_THROW(ExistsPanChitTable("", bad, 1), DbError) << bad;
  }
  EXPECT_THROW(CreatePanChitTable("x'; drop table PanCard; --", 2401, 1), DbError);
  EXPECT_THROW(ExistsPanChitTTable("a b", 2401), DbError);
  EXPECT_EQ(Tables(goDbPos), before);
}

TEST_P(MonthTables, FailureStopsThePassAndTheNextCallFinishesIt) {
  // A view holding the name is no table, yet no table of that name can be made.
  goDbPos.Execute("CREATE VIEW PanGodsT2401 AS SELECT 1 AS a");
  EXPECT_THROW(CreateMonthTables(2401), DbError);
  EXPECT_EQ(ExistsPanListTTable("", 2401), 1);
  EXPECT_EQ(ExistsPanGodsTTable("", 2401), 0);
  EXPECT_EQ(ExistsTrsMastPosTable("", 2401), 0);

  goDbPos.Execute("DROP VIEW PanGodsT2401");
  CreateMonthTables(2401);
  EXPECT_EQ(ExistsPanGodsTTable("", 2401), 1);
  EXPECT_EQ(ExistsTrsMastPosTable("", 2401), 1);
  EXPECT_EQ(ExistsTrsMastTable("", 2401), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, MonthTables, ::testing::ValuesIn(schematest::kAllSetups),
                         schematest::SetupName);
