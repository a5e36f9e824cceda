#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/options.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "schema/tables.h"
#include "test_support.h"

using orv::db::Engine;

namespace {

// The working, POS and point-server connections on three databases of one engine, each
// with the option tables.
class OptionsTest : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    EngineTest::SetUp();
    if (IsSkipped()) return;
    goDbMain.Open(NewDatabase("main.db"));
    goDbPos.Open(NewDatabase("pos.db"));
    goDbTs.Open(NewDatabase("ts.db"));
    for (auto *c : {&goDbMain, &goDbPos, &goDbTs})
      for (const char *t : {"OrvRegistry", "OrvRegistryTs", "OrvEnvironment"})
        orv::schema::CreateTable(*c, t);
  }
  void TearDown() override { orv::state::ResetProgramState(); }

  // One OrvRegistry row as text: int|char|text|s1..s5.
  static QString RegRow(orv::db::Connection &c, const QString &key, const char *table = "OrvRegistry") {
    auto rs = c.OpenRecordset(QStringLiteral("SELECT * FROM %1 WHERE RegKey = ").arg(table) +
                              orv::db::SqlText(key));
    if (rs.RecordCount() != 1) return QStringLiteral("rows:%1").arg(rs.RecordCount());
    QStringList v;
    for (const char *col : {"RegInt", "RegChar", "RegText", "RegSss1", "RegSss2", "RegSss3",
                            "RegSss4", "RegSss5"})
      v << (rs.Field(col).isNull() ? QStringLiteral("null") : rs.Field(col).toString().trimmed());
    return v.join('|');
  }
  int RowCount(const char *table) {
    return goDbMain.OpenRecordset(QStringLiteral("SELECT * FROM %1").arg(table)).RecordCount();
  }

};

}  // namespace

TEST_P(OptionsTest, ReadersTakeTheirColumnAndGiveNeutralValues) {
  goDbMain.Execute(
      "INSERT INTO OrvRegistry (RegKey, RegInt, RegChar, RegText) VALUES "
      "('PosCstJumsu', 1500, '  머리말  ', '  긴 글 '), ('PosNull', NULL, NULL, NULL), "
      "('PosNeg', -7, 'it''s', '')");
  goDbPos.Execute("INSERT INTO OrvRegistryTs (RegKey, RegInt) VALUES ('PosCstPointUpSelt00', 2)");
  goDbTs.Execute("INSERT INTO OrvRegistry (RegKey, RegInt) VALUES ('PosCstPointUpSelt00', 3)");
  goDbMain.Execute("INSERT INTO OrvEnvironment (EnvID, EnvKey, EnvInt) VALUES ('kim', 'GdsHelpOrder', 2)");

  EXPECT_EQ(GetRegInt("PosCstJumsu"), 1500);
  EXPECT_EQ(GetRegCur("PosCstJumsu"), orv::Currency::Won(1500));
  EXPECT_EQ(GetRegChar("PosCstJumsu"), "머리말");
  EXPECT_EQ(GetRegText("PosCstJumsu"), "긴 글");
  EXPECT_EQ(GetRegInt("PosNeg"), -7);
  EXPECT_EQ(GetRegChar("PosNeg"), "it's");
  // Keys match as the shop databases compare them: letter case and trailing blanks aside.
  EXPECT_EQ(GetRegInt("poscstjumsu"), 1500);
  EXPECT_EQ(GetRegInt("PosCstJumsu  "), 1500);
  EXPECT_EQ(GetRegInt(" PosCstJumsu"), 0);
  // NULLs, missing rows, keys with quotes.
  EXPECT_EQ(GetRegInt("PosNull"), 0);
  EXPECT_EQ(GetRegChar("PosNull"), "");
  EXPECT_EQ(GetRegText("PosNull"), "");
  EXPECT_EQ(GetRegInt("Nope"), 0);
  EXPECT_TRUE(GetRegCur("Nope").IsZero());
  EXPECT_EQ(GetRegChar("Nope"), "");
  EXPECT_EQ(GetRegInt("x' OR '1'='1"), 0);
  EXPECT_EQ(gsSql.left(31), "Select * from OrvRegistry Where");
  // Each reader on its own table and connection.
  EXPECT_EQ(GetRegIntTs("PosCstPointUpSelt00"), 2);
  EXPECT_EQ(GetRegIntSvr("PosCstPointUpSelt00"), 3);
  EXPECT_EQ(GetRegInt("PosCstPointUpSelt00"), 0);
  EXPECT_EQ(GetEnvInt("kim", "GdsHelpOrder"), 2);
  EXPECT_EQ(GetEnvInt("lee", "GdsHelpOrder"), 0);
  EXPECT_TRUE(gsSql.contains("OrvEnvironment"));
}

TEST_P(OptionsTest, SetRegistryInsertsThenUpdatesOnlyTheInteger) {
  SetRegistry("PosCstJumsu", 1000);
  EXPECT_EQ(RegRow(goDbMain, "PosCstJumsu"), "1000|||0|0|0|0|0");
  EXPECT_TRUE(gsSql.startsWith("Insert into OrvRegistry(regKey, regInt, regChar, regText"));

  goDbMain.Execute("UPDATE OrvRegistry SET RegChar = 'c', RegText = 'long', RegSss1 = 1, "
                   "RegSss5 = -5 WHERE RegKey = 'PosCstJumsu'");
  SetRegistry("PosCstJumsu", 500);
  EXPECT_EQ(RegRow(goDbMain, "PosCstJumsu"), "500|c|long|1|0|0|0|-5");
  EXPECT_TRUE(gsSql.startsWith("Update OrvRegistry Set regInt=500"));

  // The untrimmed key finds the row; the row keeps its trimmed key.
  SetRegistry("PosCstJumsu   ", -1);
  EXPECT_EQ(RegRow(goDbMain, "PosCstJumsu"), "-1|c|long|1|0|0|0|-5");
  SetRegistry("  PosCardTaxSelt  ", 2);
  EXPECT_EQ(RegRow(goDbMain, "PosCardTaxSelt"), "2|||0|0|0|0|0");
  EXPECT_EQ(RowCount("OrvRegistry"), 2);
  EXPECT_EQ(goDbMain.TransLevel(), 0);
}

TEST_P(OptionsTest, WritersKeepValuesWithQuotes) {
  // Stored texts with apostrophes are written back as they were, and keys may hold them.
  goDbMain.Execute("INSERT INTO OrvRegistry (RegKey, RegInt, RegChar, RegText) "
                   "VALUES ('PosPrnHead1', 0, 'Kim''s Mart', 'it''s ''quoted''')");
  SetRegistry("PosPrnHead1", 9);
  EXPECT_EQ(RegRow(goDbMain, "PosPrnHead1"), "9|Kim's Mart|it's 'quoted'|0|0|0|0|0");

  SetRegistry("O'Key", 4);
  EXPECT_EQ(GetRegInt("O'Key"), 4);
  SetRegistry("O'Key", 5);
  EXPECT_EQ(GetRegInt("O'Key"), 5);

  SetEnvironment("o'brien", "GdsHelpOrder", 3);
  goDbMain.Execute("UPDATE OrvEnvironment SET EnvChar = 'a''b', EnvText = '''' "
                   "WHERE EnvKey = 'GdsHelpOrder'");
  SetEnvironment("o'brien", "GdsHelpOrder", 1);
  EXPECT_EQ(GetEnvInt("o'brien", "GdsHelpOrder"), 1);
  auto rs = goDbMain.OpenRecordset("SELECT EnvChar, EnvText FROM OrvEnvironment");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field("EnvChar").toString(), "a'b");
  EXPECT_EQ(rs.Field("EnvText").toString(), "'");
}

TEST_P(OptionsTest, EnvironmentRowsPerUserAndKey) {
  SetEnvironment("kim", "PosCstFrm", 3);
  SetEnvironment("lee", "PosCstFrm", 5);
  SetEnvironment("kim ", "PosCstFrm ", 4);  // trailing blanks find kim's row
  EXPECT_EQ(GetEnvInt("kim", "PosCstFrm"), 4);
  EXPECT_EQ(GetEnvInt("lee", "PosCstFrm"), 5);
  EXPECT_EQ(GetEnvInt("KIM", "poscstfrm"), 4);
  EXPECT_EQ(RowCount("OrvEnvironment"), 2);
  auto rs = goDbMain.OpenRecordset("SELECT * FROM OrvEnvironment WHERE EnvID = 'kim'");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field("EnvKey").toString().trimmed(), "PosCstFrm");
  EXPECT_EQ(rs.Field("EnvSss3").toInt(), 0);
  EXPECT_EQ(goDbMain.TransLevel(), 0);
}

TEST_P(OptionsTest, FailuresAreSilentAndChangeNothing) {
  orv::dialogs::Script script;  // any box would be logged
  // A failing insert (a NOT NULL column the writer does not fill) is rolled back.
  goDbMain.Execute("DROP TABLE OrvEnvironment");
  goDbMain.Execute("CREATE TABLE OrvEnvironment (EnvID varchar(10), EnvKey varchar(50), "
                   "EnvInt int, EnvChar varchar(50), EnvText text, EnvSss1 int, EnvSss2 int, "
                   "EnvSss3 int, EnvSss4 int, EnvSss5 int, Extra int NOT NULL)");
  SetEnvironment("kim", "PosCstFrm", 3);
  EXPECT_EQ(RowCount("OrvEnvironment"), 0);
  EXPECT_EQ(goDbMain.TransLevel(), 0);
  // The connection's transaction is usable afterwards.
  SetRegistry("PosCstJumsu", 1000);
  EXPECT_EQ(GetRegInt("PosCstJumsu"), 1000);

  // Missing tables and closed connections read as 0 and write nothing.
  goDbMain.Execute("DROP TABLE OrvRegistry");
  EXPECT_EQ(GetRegInt("PosCstJumsu"), 0);
  SetRegistry("PosCstJumsu", 1);
  EXPECT_EQ(goDbMain.TransLevel(), 0);
  goDbTs.Close();
  EXPECT_EQ(GetRegIntSvr("PosCstPointUpSelt00"), 0);
  goDbMain.Close();
  EXPECT_EQ(GetRegChar("PosPrnHead1"), "");
  EXPECT_EQ(GetEnvInt("kim", "PosCstFrm"), 0);
  SetRegistry("PosCstJumsu", 1);
  SetEnvironment("kim", "PosCstFrm", 1);
  EXPECT_TRUE(script.Log().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Engines, OptionsTest, ORV_BOTH_ENGINES);

// Under OptionReadsOnce an option is read once; a write through SetRegistry forgets what
// was read, and so does the guard's end.
TEST_P(OptionsTest, AReadOnceScopeKeepsWhatItReadUntilAWriteOrItsEnd) {
  goDbMain.Execute("INSERT INTO OrvRegistry (RegKey, RegInt) VALUES ('PosA', 1)");
  {
    OptionReadsOnce once;
    EXPECT_NE(OptionReadsScope(), 0u);
    EXPECT_EQ(GetRegInt("PosA"), 1);
    goDbMain.Execute("UPDATE OrvRegistry SET RegInt = 2 WHERE RegKey = 'PosA'");
    {
      OptionReadsOnce inner;
      EXPECT_EQ(GetRegInt("PosA"), 1);  // kept
    }
    EXPECT_EQ(GetRegInt("PosA"), 1);  // the inner guard's end keeps it too
    SetRegistry("PosB", 5);
    EXPECT_EQ(GetRegInt("PosA"), 2);
    goDbMain.Execute("UPDATE OrvRegistry SET RegInt = 3 WHERE RegKey = 'PosA'");
  }
  EXPECT_EQ(OptionReadsScope(), 0u);
  EXPECT_EQ(GetRegInt("PosA"), 3);
}
