// The purge of old months from the POS database.
#include <gtest/gtest.h>

#include "schema/check_tables.h"
#include "schema/month_tables.h"
#include "schema/purge.h"
#include "schema/tables.h"
#include "schema_fixture.h"

using namespace orv::schema;
using orv::db::Connection;
using orv::db::DbError;
using orv::db::Engine;
using schematest::SchemaFixture;

namespace {

const schematest::Setup kOnline[] = {{Engine::SQLite, true}, {Engine::PostgreSQL, true}};

void chit(Connection &c, const QString &table, int y, int m, int no, const QString &flag) {
  const QString date = QString::number(y) + QString::number(m).rightJustified(2, '0') + "01";
  c.Execute("INSERT INTO " + table +
            " (PctYear, PctMon, PctDay, PctDate, PctChtNo, PctPosNo, PctPsnKey, PctJunsong) "
            "VALUES (" + QString::number(y) + ", " + QString::number(m) + ", 1, '" + date +
            "', " + QString::number(no) + ", 1, 1, " + flag + ")");
}

}  // namespace

class Purge : public SchemaFixture {
 protected:
  void SetUp() override {
    SchemaFixture::SetUp();
    if (IsSkipped()) return;
    orv::clock::SetFixed(QDateTime(QDate(2024, 6, 15), QTime(12, 0)));
    // As the login leaves the databases.
    CheckDBTables();
    CreateMonthTables(2406);
    CreateTable(goDbMain, "OrvRegistry");
  }

  void Options(int year, int month) {
    goDbMain.Execute("DELETE FROM OrvRegistry");
    goDbMain.Execute(QString("INSERT INTO OrvRegistry (RegKey, RegInt) VALUES "
                             "('PosZerdoDelYear', %1), ('PosZerdoDelMon', %2)")
                         .arg(year)
                         .arg(month));
  }

  bool Has(const QString &table) { return ExistsTable(goDbPos, table) == 1; }
};

TEST_P(Purge, RemovesOldMonthsUpToTheCutOffAndNothingElse) {
  for (int16_t yymm : {2212, 2305, 2306, 2307}) CreateMonthTables(yymm);
  goDbPos.Execute("CREATE TABLE PanChit23A6 (x integer)");
  for (auto [y, m] : {std::pair{2022, 12}, {2023, 6}, {2023, 7}}) {
    chit(goDbPos, "PanChit", y, m, 1, "1");
    goDbPos.Execute(QString("INSERT INTO BdlChit (BctYear, BctMon, BctDay, BctDate, BctChtNo, "
                            "BctPosNo, BctPsnKey, BctCommit) VALUES (%1, %2, 1, 'x', 1, 1, 1, 0)")
                        .arg(y)
                        .arg(m));
    goDbPos.Execute(QString("INSERT INTO TrsMast (TmsYear, TmsMon, TmsTrsKey, TmsDay, TmsDate) "
                            "VALUES (%1, %2, 1, 1, 'x')")
                        .arg(y)
                        .arg(m));
  }
  for (const char *d : {"20230630", "20230701", "2023063"}) {
    goDbPos.Execute(QString("INSERT INTO CardLog (ClgDate, ClgTime, ClgPosNo, ClgPsnKey, "
                            "ClgChtNo, ClgData, ClgGbn, ClgDanID, ClgVanGbn) VALUES "
                            "('%1', '120000', 1, 1, 1, 'x', 0, 'T', 1)")
                        .arg(d));
  }
  Options(2023, 6);
  const auto mainBefore = Tables(goDbMain);

  PurgeOldMonths();

  for (const char *gone : {"PanChit2212", "PanChit2305", "PanChit2306", "PanChitT2306",
                           "PanList2305", "PanListT2305", "PanGods2306", "PanGodsT2212",
                           "PanCard2306", "PanCardT2306", "PanMoney2305", "PosLogs2306",
                           "TrsMast2306"})
    EXPECT_FALSE(Has(gone)) << gone;
  for (const char *kept : {"PanChit2307", "PanChitT2307", "PanCardT2307", "TrsMast2307",
                           "DlvChit2305", "PanChit23A6", "PanChitOn", "PanChitP", "PanChit",
                           "WatGodsTSpeed"})
    EXPECT_TRUE(Has(kept)) << kept;
  EXPECT_EQ(Tables(goDbMain), mainBefore);  // the main database is not touched

  for (const char *t : {"PanChit", "BdlChit", "TrsMast"}) EXPECT_EQ(Count(goDbPos, t), 1) << t;
  EXPECT_EQ(Count(goDbPos, "PanChit", "PctMon = 7"), 1);
  // Dates compare as text: '2023063' sorts before '20230631' and goes too.
  auto rs = goDbPos.OpenRecordset("SELECT ClgDate FROM CardLog");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field(0).toString(), "20230701");

  // A second run finds nothing left to do.
  const auto after = Tables(goDbPos);
  PurgeOldMonths();
  EXPECT_EQ(Tables(goDbPos), after);
}

TEST_P(Purge, CutOffMustBeAWholeMonthBeforeTheCurrentOne) {
  // Today is 2024-06-15.
  struct Case {
    int year, month;
    const char *lastDropped;  // "" nothing dropped
  };
  const Case cases[] = {
      {2023, 0, ""},         {0, 6, ""},        {2024, 6, ""},        {2024, 7, ""},
      {2024, 5, "2405"},     {24, 5, ""},       {2023, 12, "2312"},   {2023, 13, "2401"},
      {2024, 13, ""},        {-2023, 6, ""},    {2023, 40000, ""},    {2023, 14, "2312"},
  };
  const int suffixes[] = {2312, 2401, 2402, 2405, 2406};
  for (const Case &c : cases) {
    SCOPED_TRACE(QString("%1/%2").arg(c.year).arg(c.month).toStdString());
    for (int s : suffixes) CreatePanChitTTable("", int16_t(s));
    Options(c.year, c.month);
    PurgeOldMonths();
    for (int s : suffixes) {
      const bool dropped = QString::number(s) <= QString(c.lastDropped);
      EXPECT_EQ(ExistsPanChitTTable("", int16_t(s)), dropped ? 0 : 1) << s;
    }
  }
}

TEST_P(Purge, RowsAndMonthsNotYetSentStay) {
  for (int16_t yymm : {2304, 2305, 2306}) CreateMonthTables(yymm);
  chit(goDbPos, "PanChit2305", 2023, 5, 1, "0");  // waits for the main database
  chit(goDbPos, "PanChit2304", 2023, 4, 1, "1");
  goDbPos.Execute("INSERT INTO PosLogs2306 (PlgYear, PlgMon, PlgDay, PlgDate, PlgChtNo, "
                  "PlgTime, PlgNo, PlgSeq, PlgPosNo, PlgPsnKey, PlgSss1) VALUES "
                  "(2023, 6, 1, '20230601', 0, '120000', 1, 1, 1, 1, 0)");
  chit(goDbPos, "PanChit", 2023, 5, 1, "0");
  chit(goDbPos, "PanChit", 2023, 5, 2, "1");
  chit(goDbPos, "PanChit", 2023, 5, 3, "NULL");
  Options(2023, 6);

  PurgeOldMonths();

  EXPECT_FALSE(Has("PanChit2304"));
  EXPECT_FALSE(Has("PanChitT2304"));
  for (const char *kept : {"PanChit2305", "PanList2305", "PanGods2305", "PanCard2305",
                           "PanChitT2305", "PanMoney2305", "PosLogs2305", "TrsMast2305",
                           "PosLogs2306", "PanChit2306"})
    EXPECT_TRUE(Has(kept)) << kept;
  EXPECT_EQ(Count(goDbPos, "PanChit2305"), 1);
  auto rs = goDbPos.OpenRecordset("SELECT PctChtNo FROM PanChit");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field(0).toInt(), 1);

  // Once sent, the month goes at the next run.
  goDbPos.Execute("UPDATE PanChit2305 SET PctJunsong = 1");
  PurgeOldMonths();
  EXPECT_FALSE(Has("PanChit2305"));
  EXPECT_TRUE(Has("PanChit2306"));
}

TEST_P(Purge, FailureInTheMiddleKeepsWhatWasDoneAndTheNextRunFinishes) {
  CreateMonthTables(2305);
  goDbPos.Execute("INSERT INTO BdlChit (BctYear, BctMon, BctDay, BctDate, BctChtNo, BctPosNo, "
                  "BctPsnKey, BctCommit) VALUES (2023, 5, 1, '20230501', 1, 1, 1, 0)");
  goDbPos.Execute("DROP TABLE BdlGods");
  Options(2023, 6);
  EXPECT_THROW(PurgeOldMonths(), DbError);
  EXPECT_EQ(Count(goDbPos, "BdlChit"), 0);
  EXPECT_TRUE(Has("PanChit2305"));

  CheckDBTables();
  PurgeOldMonths();
  EXPECT_FALSE(Has("PanChit2305"));
}

TEST_P(Purge, OfflineOrWithoutAPrefixNothingHappens) {
  CreateMonthTables(2305);
  chit(goDbPos, "PanChit", 2023, 5, 1, "1");
  Options(2023, 6);
  const auto before = Tables(goDbPos);

  giOnLine = 2;
  PurgeOldMonths();
  DropOldMonthTables("  ", 2023, 6);
  EXPECT_EQ(Tables(goDbPos), before);
  EXPECT_EQ(Count(goDbPos, "PanChit"), 1);

  DropOldMonthTables(" panchitt ", 2023, 6);  // blanks and letter case do not matter
  EXPECT_FALSE(Has("PanChitT2305"));
  EXPECT_TRUE(Has("PanChit2305"));
}

INSTANTIATE_TEST_SUITE_P(Engines, Purge, ::testing::ValuesIn(kOnline), schematest::SetupName);
