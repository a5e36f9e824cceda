// The definitions against the table lists, and the tables they make on each engine.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "schema/check_tables.h"
#include "schema/tables.h"
#include "schema_fixture.h"

using namespace orv::schema;
using orv::db::DbError;
using orv::db::Engine;
using schematest::SchemaFixture;

namespace {

struct Expected {
  const char *table;
  int columns;
  const char *primary;  // "" none
  const char *unique;   // "" none
};

// The login tables in the order of their probes, then the others.
const Expected kExpected[] = {
    {"GdsCode", 117, "PK_gdscode", "IX_gdscode"},  {"BarCode", 8, "PK_BarCode", ""},
    {"GdsName", 11, "PK_GdsName", ""},             {"GdsAbcd", 12, "PK_GdsAbcd", ""},
    {"PsnCode", 59, "PK_psncode", "IX_psncode"},   {"TrsCode", 76, "PK_trscode", "IX_trscode"},
    {"ExtCode", 24, "PK_extcode", "IX_extcode"},   {"TrsPris", 20, "PK_trspris", ""},
    {"TrsGods", 9, "PK_TrsGods", ""},              {"GdsLmip", 11, "PK_GdsLmip", ""},
    {"GdsLmch", 11, "PK_GdsLmch", ""},             {"MipChit", 45, "PK_mipchit", ""},
    {"ExtChit", 25, "PK_extchit", ""},             {"MipGods", 27, "PK_mipgods", ""},
    {"ExtGods", 15, "PK_extgods", ""},             {"GdsMast", 41, "PK_gdsmast", ""},
    {"TrsMast", 35, "PK_Trsmast", ""},             {"PsnMast", 35, "PK_psnmast", ""},
    {"BnkMast", 46, "PK_bnkmast", ""},             {"CarMast", 14, "PK_carmast", ""},
    {"ExtMast", 11, "PK_extmast", ""},             {"LogOn", 14, "PK_LogOn", ""},
    {"Manage", 17, "PK_Manage", ""},               {"ComCode", 22, "", ""},
    {"BoxCode", 8, "PK_BoxCode", ""},              {"KjeCode", 4, "PK_KjeCode", ""},
    {"BfnCode", 9, "PK_BfnCode", ""},              {"BfsCode", 10, "PK_BfsCode", ""},
    {"CmsCode", 2, "", ""},                        {"BsnCode", 27, "PK_bsnCode", ""},
    {"BssCode", 2, "", ""},                        {"SetupCode", 7, "", ""},
    {"CstWnjg", 24, "PK_Cstwnjg", ""},             {"CstCode", 41, "PK_Cstcode", "IX_Cstcode"},
    {"CstCodeTs", 41, "PK_CstCodeTs", "IX_CstCodeTs"},
    {"HanMeip", 32, "PK_HanMeip", ""},             {"OrvRegistry", 10, "PK_OrvReGistry", ""},
    {"OrvRegistryTs", 10, "PK_OrvRegistryTs", ""}, {"OrvEnvironment", 11, "PK_OrvEnvironment", ""},
    {"OmaGods", 11, "PK_OmaGods", ""},             {"SleDate", 12, "PK_SleDate", ""},
    {"PanChit", 41, "PK_PanChit", ""},             {"PanList", 25, "PK_PanList", ""},
    {"PanGods", 27, "PK_PanGods", ""},             {"PanChitT", 41, "PK_PanChitT", ""},
    {"PanListT", 25, "PK_PanListT", ""},           {"PanGodsT", 27, "PK_PanGodsT", ""},
    {"PanChitP", 41, "PK_PanChitP", ""},           {"PanGodsP", 27, "PK_PanGodsP", ""},
    {"WatChit", 24, "PK_WatChit", ""},             {"WatGods", 18, "PK_WatGods", ""},
    {"WatChitT", 24, "PK_WatChitT", ""},           {"WatGodsT", 18, "PK_WatGodsT", ""},
    {"BdlChit", 24, "PK_BdlChit", ""},             {"BdlGods", 18, "PK_BdlGods", ""},
    {"BdlGodsSpeed", 13, "PK_BdlGodsSpeed", ""},   {"InitGum", 9, "PK_InitGum", ""},
    {"InitGumLog", 20, "PK_InitGumLog", ""},       {"KeyCode", 14, "", "IX_KeyCode"},
    {"KeyCode2", 14, "", "IX_KeyCode2"},           {"XtsPris", 5, "", ""},
    {"XtsName", 7, "", ""},                        {"CardLog", 14, "PK_CardLog", ""},
    {"KzbCard", 7, "PK_KzbCard", ""},              {"TemChit", 10, "PK_TemChit", ""},
    {"TemDetail", 11, "PK_TemDetail", ""},         {"TemInitGum", 19, "PK_TemInitGum", ""},
    {"ColSize", 3, "PK_ColSize", ""},
    // not probed at login
    {"TemData", 130, "PK_TemData", ""},            {"PanCard", 26, "PK_PanCard", ""},
    {"PanCardT", 26, "PK_PanCardT", ""},           {"PanMoney", 24, "PK_PanMoney", ""},
    {"DlvChit", 35, "PK_DlvChit", ""},             {"PosLogs", 20, "PK_PosLogs", ""},
    {"WatGodsSpeed", 13, "PK_WatGodsSpeed", ""},   {"WatGodsTSpeed", 13, "PK_WatGodsTSpeed", ""},
    {"PanChitOn", 46, "PK_PanChitOn", ""},         {"PanChitOff", 46, "PK_PanChitOff", ""},
    {"PanListOn", 26, "PK_PanListOn", ""},         {"PanListOff", 26, "PK_PanListOff", ""},
    {"OrvPairJournal", 11, "PK_OrvPairJournal", ""}, {"OrvPairDone", 3, "PK_OrvPairDone", ""},
    {"OrvPairUnknown", 5, "PK_OrvPairUnknown", ""},
    {"OrvSendJournal", 7, "PK_OrvSendJournal", ""},
    {"OrvKorea", 9, "PK_OrvKorea", ""},
};

}  // namespace

TEST(TableDefs, MatchTheTableListsInOrderCountAndKeys) {
  ASSERT_EQ(AllTables().size(), std::size(kExpected));
  ASSERT_EQ(LoginTables().size(), 68u);
  for (std::size_t i = 0; i < std::size(kExpected); ++i) {
    const Expected &e = kExpected[i];
    const TableDef &d = AllTables()[i];
    SCOPED_TRACE(e.table);
    EXPECT_STREQ(d.name, e.table);
    EXPECT_EQ(int(d.columns.size()), e.columns);
    EXPECT_STREQ(d.primary.name ? d.primary.name : "", e.primary);
    EXPECT_STREQ(d.unique.name ? d.unique.name : "", e.unique);

    // Column names are distinct; every key column is a column, and primary key columns
    // are NOT NULL.
    QSet<QString> names;
    for (const ColumnDef &c : d.columns) names.insert(QString(c.name).toLower());
    EXPECT_EQ(names.size(), int(d.columns.size()));
    for (const KeyDef *k : {&d.primary, &d.unique}) {
      for (const QString &col : k->columnList()) {
        EXPECT_TRUE(names.contains(col.toLower())) << col.toStdString();
        if (k == &d.primary)
          for (const ColumnDef &c : d.columns)
            if (col.compare(c.name, Qt::CaseInsensitive) == 0) {
              EXPECT_TRUE(c.notNull) << c.name;
            }
      }
    }
  }
}

TEST(TableDefs, KeyNamesAreUniqueInOneSchema) {
  // PostgreSQL keeps index names beside table names; a month's names must not clash either.
  QSet<QString> seen;
  auto add = [&](const QString &n) {
    if (n.isEmpty()) return;
    EXPECT_FALSE(seen.contains(n.toLower())) << n.toStdString();
    seen.insert(n.toLower());
  };
  for (const TableDef &d : AllTables()) {
    for (const QString &suffix : {QString(), QString("2401")}) {
      const TableNames n = NamesFor(d, {}, suffix);
      add(n.table);
      add(n.primary);
      add(n.unique);
    }
  }
}

TEST(TableDefs, SharedColumnSetsAndSpotChecks) {
  // The T and P copies, the month-only copies and the queues share their sets exactly.
  for (auto [a, b] : {std::pair{"PanChit", "PanChitT"}, {"PanChit", "PanChitP"},
                      {"PanGods", "PanGodsP"}, {"PanCard", "PanCardT"},
                      {"OrvRegistry", "OrvRegistryTs"}, {"PanChitOn", "PanChitOff"},
                      {"WatGodsSpeed", "WatGodsTSpeed"}}) {
    EXPECT_EQ(FindTable(a)->columns.data(), FindTable(b)->columns.data()) << a << " " << b;
  }
  auto col = [](const char *table, int i) { return FindTable(table)->columns[i]; };
  EXPECT_STREQ(col("PanChit", 36).name, "pctSss1");
  EXPECT_STREQ(col("MipChit", 23).type, "smallmoney");
  EXPECT_STREQ(col("HanMeip", 3).name, "HscBarCdChk");
  EXPECT_STREQ(col("BdlGodsSpeed", 4).name, "BcgSChtNo");
  EXPECT_STREQ(col("CstCodeTs", 25).name, "CcdLpDate");
  EXPECT_STREQ(col("KeyCode", 1).type, "decimal(5,0)");
  EXPECT_STREQ(col("GdsCode", 116).name, "GcdSss10");
  EXPECT_STREQ(col("TemData", 110).type, "text");
  EXPECT_STREQ(col("PanListOn", 4).name, "PclComNo");
  EXPECT_FALSE(col("ExtCode", 2).notNull);  // EcdNo
  EXPECT_TRUE(col("CardLog", 5).notNull);  // ClgData
  EXPECT_EQ(FindTable("gdscode"), FindTable("GdsCode"));
  EXPECT_EQ(FindTable("GdsCode2401"), nullptr);
}

TEST(TableDefs, NamesForAMonthAndRefusedNames) {
  TableNames n = NamesFor(*FindTable("PanChit"), " ", "2401");
  EXPECT_EQ(n.table, "PanChit2401");
  EXPECT_EQ(n.primary, "PK_PanChit2401");
  EXPECT_EQ(NamesFor(*FindTable("TrsMast"), "", "0505").primary, "PK_Trsmast0505");
  EXPECT_EQ(NamesFor(*FindTable("PanChitT"), " Xx ", "").table, "XxPanChitT");
  EXPECT_EQ(NamesFor(*FindTable("PanChitT"), " Xx ", "").primary, "PK_XxPanChitT");
  for (auto [prefix, suffix] : {std::pair{"a'b", ""}, {"a b", ""}, {"", "24"}, {"", "24a1"},
                                {"", "-001"}, {"x;", "2401"}}) {
    EXPECT_THROW(NamesFor(*FindTable("PanChit"), prefix, suffix), DbError)
        << prefix << "|" << suffix;
  }
}

class CheckTables : public SchemaFixture {};

TEST_P(CheckTables, FirstRunMakesEveryTableWithItsColumnsKeysAndSeed) {
  CheckDBTables();

  const auto pos = Tables(goDbPos);
  for (const TableDef &d : LoginTables()) {
    SCOPED_TRACE(d.name);
    ASSERT_TRUE(pos.contains(QString(d.name).toLower()));
    // Columns by position, as the code copy relies on.
    auto rs = goDbPos.OpenRecordset(QString("SELECT * FROM %1 WHERE 1 = 0").arg(d.name));
    ASSERT_EQ(rs.FieldCount(), int(d.columns.size()));
    for (int i = 0; i < rs.FieldCount(); ++i)
      EXPECT_EQ(rs.FieldName(i).toLower(), QString(d.columns[i].name).toLower());
    if (d.primary.present()) {
      EXPECT_TRUE(HasKey(goDbPos, d.name, d.primary.name));
    }
    if (d.unique.present()) {
      EXPECT_TRUE(HasKey(goDbPos, d.name, d.unique.name));
    }
  }
  EXPECT_EQ(pos.size(), 69);  // and TemData
  EXPECT_TRUE(pos.contains("temdata"));
  EXPECT_TRUE(HasKey(goDbPos, "TemData", "PK_TemData"));

  // Online, TemData is the only table made in the main database.
  if (online()) {
    EXPECT_EQ(Tables(goDbMain), QSet<QString>{"temdata"});
  }

  auto rs = goDbPos.OpenRecordset("SELECT cms, bundle, s1, s2, s3, s4, s5 FROM SetupCode");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field("cms").toInt(), 2);
  for (const char *c : {"bundle", "s1", "s2", "s3", "s4", "s5"}) EXPECT_EQ(rs.Field(c).toInt(), 1);
}

TEST_P(CheckTables, SecondRunChangesNothingAndDroppedTableComesBackEmptyWithKeys) {
  CheckDBTables();
  goDbPos.Execute("INSERT INTO GdsCode (GcdKey, GcdNo, GcdName) VALUES (1, 100, 'a')");
  goDbPos.Execute("INSERT INTO TrsCode (TcdKey, TcdNo) VALUES (7, 88000)");
  const auto before = Tables(goDbPos);

  CheckDBTables();
  EXPECT_EQ(Tables(goDbPos), before);
  EXPECT_EQ(Count(goDbPos, "SetupCode"), 1);
  EXPECT_EQ(Count(goDbPos, "GdsCode"), 1);

  goDbPos.Execute("Drop Table GdsCode");
  EXPECT_EQ(ExistsTable(goDbPos, "GdsCode"), 0);
  CheckDBTables();
  EXPECT_EQ(Tables(goDbPos), before);
  EXPECT_EQ(Count(goDbPos, "GdsCode"), 0);
  EXPECT_EQ(Count(goDbPos, "TrsCode"), 1);
  EXPECT_TRUE(HasKey(goDbPos, "GdsCode", "PK_gdscode"));
  EXPECT_TRUE(HasKey(goDbPos, "GdsCode", "IX_gdscode"));
  // Only the key columns need a value.
  goDbPos.Execute("INSERT INTO GdsCode (GcdKey, GcdNo) VALUES (1, 100)");
  EXPECT_TRUE(goDbPos.OpenRecordset("SELECT GcdName, GcdMech FROM GdsCode").Field(0).isNull());
}

TEST_P(CheckTables, KeysRefuseWhatTheyShouldAndOnlyThat) {
  CheckDBTables();
  struct Case {
    const char *first;
    const char *second;
    bool refused;
  };
  const Case cases[] = {
      {"INSERT INTO GdsCode (GcdKey, GcdNo) VALUES (1, 100)",
       "INSERT INTO GdsCode (GcdKey, GcdNo) VALUES (2, 100)", true},
      {"INSERT INTO GdsCode (GcdKey, GcdNo) VALUES (3, 300)",
       "INSERT INTO GdsCode (GcdKey, GcdNo) VALUES (3, 301)", true},
      {"INSERT INTO ExtCode (EcdIO, EcdKey, EcdNo) VALUES (101, 1, 5)",
       "INSERT INTO ExtCode (EcdIO, EcdKey, EcdNo) VALUES (101, 2, 5)", true},
      {"INSERT INTO ExtCode (EcdIO, EcdKey, EcdNo) VALUES (102, 1, 5)",
       "INSERT INTO ExtCode (EcdIO, EcdKey, EcdNo) VALUES (103, 1, 5)", false},
      // The unique keys hold nulls equal.
      {"INSERT INTO ExtCode (EcdIO, EcdKey) VALUES (401, 1)",
       "INSERT INTO ExtCode (EcdIO, EcdKey) VALUES (401, 2)", true},
      {"INSERT INTO KeyCode (KeySel, KeyNo, KeyValue, KeyGcdKey) VALUES (1, 1, 10, 1)",
       "INSERT INTO KeyCode (KeySel, KeyNo, KeyValue, KeyGcdKey) VALUES (1, 1, 11, 1)", false},
      {"INSERT INTO KeyCode (KeySel, KeyNo, KeyGcdKey) VALUES (2, 1, 1)",
       "INSERT INTO KeyCode (KeySel, KeyNo, KeyGcdKey) VALUES (2, 1, 1)", true},
      {"INSERT INTO CmsCode (CmsNo, CmsNo2) VALUES (1, 2)",
       "INSERT INTO CmsCode (CmsNo, CmsNo2) VALUES (1, 2)", false},
      {"INSERT INTO BarCode (BarBarCode, BarGubun, BarGdsKey) VALUES ('880', 0, 1)",
       "INSERT INTO BarCode (BarBarCode, BarGubun, BarGdsKey) VALUES ('880', 0, 2)", false},
      {"INSERT INTO PanChit (PctYear, PctMon, PctDay, PctDate, PctChtNo, PctPosNo, PctPsnKey) "
       "VALUES (2024, 1, 5, '20240105', 1, 1, 1)",
       "INSERT INTO PanChit (PctYear, PctMon, PctDay, PctDate, PctChtNo, PctPosNo, PctPsnKey) "
       "VALUES (2024, 1, 5, '20240105', 1, 2, 1)", true},
      {"INSERT INTO PanList (PclYear, PclMon, PclDay, PclDate, PclChtNo, PclPosNo, PclPsnKey, "
       "PclSel) VALUES (2024, 1, 5, '20240105', 1, 1, 1, 0)",
       "INSERT INTO PanList (PclYear, PclMon, PclDay, PclDate, PclChtNo, PclPosNo, PclPsnKey, "
       "PclSel) VALUES (2024, 1, 5, '20240105', 1, 1, 1, 1)", false},
      {"INSERT INTO KjeCode (KjeDate) VALUES ('20240105')",
       "INSERT INTO KjeCode (KjeDate) VALUES ('20240105')", true},
      {"INSERT INTO CstCode (ccdKey, ccdNo, ccdName) VALUES (1, 1, 'kim')",
       "INSERT INTO CstCode (ccdKey, ccdNo, ccdName) VALUES (2, 2, 'kim')", false},
      {"INSERT INTO CstCodeTs (CcdKey, CcdNo, CcdName) VALUES (1, 1, 'kim')",
       "INSERT INTO CstCodeTs (CcdKey, CcdNo, CcdName) VALUES (2, 1, 'lee')", true},
      // NOT NULL columns besides the keys.
      {"INSERT INTO ComCode (ComNo, ComName) VALUES (1, 'shop')",
       "INSERT INTO ComCode (ComNo) VALUES (2)", true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.second);
    goDbPos.Execute(c.first);
    auto err = goDbPos.TryExecute(c.second);
    EXPECT_EQ(err.has_value(), c.refused);
  }
  // Names are matched without regard to case: PctSss1 finds the column made as pctSss1.
  EXPECT_EQ(Count(goDbPos, "PanChit", "PctSss1 IS NULL"), 1);
}

TEST_P(CheckTables, FailureStopsTheCheckAndLeavesNoTableWithoutItsKeys) {
  // An object already holding the unique key's name makes ExtCode's key fail.
  goDbPos.Execute("CREATE TABLE Blocker (a integer)");
  goDbPos.Execute("CREATE INDEX IX_extcode ON Blocker (a)");
  EXPECT_THROW(CheckDBTables(), DbError);
  // The tables before ExtCode were made; ExtCode is not there at all, nor any after it.
  EXPECT_EQ(ExistsTable(goDbPos, "TrsCode"), 1);
  EXPECT_EQ(ExistsTable(goDbPos, "ExtCode"), 0);
  EXPECT_EQ(ExistsTable(goDbPos, "TrsPris"), 0);

  // The next run probes normally and completes once the obstacle is gone.
  goDbPos.Execute("DROP INDEX IX_extcode");
  CheckDBTables();
  EXPECT_TRUE(HasKey(goDbPos, "ExtCode", "IX_extcode"));
  EXPECT_EQ(ExistsTable(goDbPos, "ColSize"), 1);
}

TEST_P(CheckTables, TableMadeMeanwhileByAnotherCheckoutIsNotAFailure) {
  CheckDBTables();
  goDbPos.Execute("INSERT INTO GdsCode (GcdKey, GcdNo) VALUES (1, 100)");
  // What the loser of the race does: its probe said missing, its CREATE finds the table.
  for (const char *name : {"SetupCode", "GdsCode", "KeyCode"}) {
    EXPECT_NO_THROW(CreateTable(goDbPos, name)) << name;
  }
  EXPECT_NO_THROW(CreateTemDataTable(0));
  EXPECT_EQ(Count(goDbPos, "SetupCode"), 1);
  EXPECT_EQ(Count(goDbPos, "GdsCode"), 1);
}

TEST_P(CheckTables, FailedCreateInsideTheCallersTransactionKeepsItsWork) {
  CreateTable(goDbPos, "ComCode");
  goDbPos.Execute("CREATE TABLE Blocker (a integer)");
  goDbPos.Execute("CREATE INDEX IX_extcode ON Blocker (a)");
  goDbPos.BeginTrans();
  goDbPos.Execute("INSERT INTO ComCode (ComName) VALUES ('shop')");
  EXPECT_THROW(CreateTable(goDbPos, "ExtCode"), DbError);
  goDbPos.CommitTrans();
  EXPECT_EQ(Count(goDbPos, "ComCode"), 1);
  EXPECT_EQ(ExistsTable(goDbPos, "ExtCode"), 0);
}

TEST_P(CheckTables, ClosedPosConnectionFailsAtTheFirstProbe) {
  goDbPos.Close();
  EXPECT_THROW(CheckDBTables(), DbError);
  EXPECT_THROW(CreateTable(goDbPos, "GdsCode"), DbError);
  EXPECT_THROW(CreateTable(goDbMain, "NoSuchTable"), DbError);
}

// The second database cannot begin (another program holds it): the first one must not
// stay inside the transaction it began.
TEST_P(CheckTables, OneCommitWhoseSecondBeginFailsLeavesNoTransactionOpen) {
  if (!online()) GTEST_SKIP() << "one database: one begin";
  sqlite3 *holder = nullptr;
  if (pg()) {
    const qlonglong pid = goDbPos.OpenRecordset("SELECT pg_backend_pid() AS p").Field("p").toLongLong();
    goDbMain.Execute(QString("SELECT pg_terminate_backend(%1)").arg(pid));
  } else {
    goDbPos.Open(posText_, 0);  // no waiting for the lock
    const QString file = orv::db::ParseConnectionText(posText_).database;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  }
  bool ran = false;
  EXPECT_THROW(InOneCommit({&goDbMain, &goDbPos}, [&] { ran = true; }), DbError);
  EXPECT_FALSE(ran);
  EXPECT_EQ(goDbMain.TransLevel(), 0);
  EXPECT_EQ(goDbPos.TransLevel(), 0);
  goDbMain.BeginTrans();  // a begin of its own reaches the engine again
  goDbMain.Execute("CREATE TABLE after_failure (a integer)");
  goDbMain.CommitTrans();
  sqlite3_close(holder);
}

INSTANTIATE_TEST_SUITE_P(Engines, CheckTables, ::testing::ValuesIn(schematest::kAllSetups),
                         schematest::SetupName);
