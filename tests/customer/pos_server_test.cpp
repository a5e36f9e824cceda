#include <gtest/gtest.h>

#include <QFile>

#include "core/scrambler.h"
#include "customer/pos_server.h"
#include "customer_fixture.h"
#include "../chit/sale_fill.h"
#include "platform/datafolder.h"

using customertest::CustomerFixture;

namespace {

void setText(const QString &key, const QString &plain, bool scramble = true) {
  goDbMain.Execute("Delete From OrvRegistry Where RegKey=" + orv::db::SqlText(key));
  goDbMain.Execute("Insert Into OrvRegistry(RegKey, RegText) Values(" + orv::db::SqlText(key) +
                   "," + orv::db::SqlText(scramble ? EncodeSetting(plain) : plain) + ")");
}

}  // namespace

class PosServer : public CustomerFixture {};

// The state the settings give: every text but the port, and a shop number above 0 that
// fits 16 bits; a text that is not scrambled reads as missing.
TEST_P(PosServer, SettingsDecideTheState) {
  struct Case {
    const char *name;
    int sup;
    QString server, port;
    bool plainPass;
    int16_t mode;
  };
  const Case cases[] = {
      {"complete without port", 3, "sqlite", "", false, 1},
      {"with port", 3, "10.0.0.1", "5432", false, 1},
      {"shop number 0", 0, "sqlite", "", false, 0},
      {"shop number negative", -1, "sqlite", "", false, 0},
      {"shop number beyond 16 bits", 70000, "sqlite", "", false, 0},
      {"no server", 3, "", "", false, 0},
      {"password stored plain", 3, "sqlite", "", true, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    chittest::SetOption("SupTrsNo", c.sup);
    setText("PosServerName", c.server);
    setText("PosServerDB", "ts.db");
    setText("PosServerID", "orv");
    setText("PosServerPass", "pw", !c.plainPass);
    setText("PosServerPort", c.port);
    LoadPosServerSettings();
    EXPECT_EQ(giCstTsMode, c.mode);
  }
  EXPECT_EQ(gsPosServerDB, "ts.db");
  EXPECT_EQ(gsPosServerPass, "");
}

TEST_P(PosServer, ConnectionTextByServerAndPort) {
  gsPosServerDB = "points";
  gsPosServerID = "orv";
  gsPosServerPass = "p;w";
  gsPosServerPort = "";
  auto ct = orv::db::ParseConnectionText(TsConnectionText("10.0.0.9"));
  EXPECT_EQ(ct.engine(), orv::db::Engine::PostgreSQL);
  EXPECT_EQ(ct.server, "10.0.0.9");
  EXPECT_EQ(ct.pwd, "p;w");
  EXPECT_EQ(ct.database, "points");
  gsPosServerPort = "5433";
  ct = orv::db::ParseConnectionText(TsConnectionText("10.0.0.9"));
  EXPECT_EQ(ct.host(), "10.0.0.9");
  EXPECT_EQ(ct.port(), 5433);
  ct = orv::db::ParseConnectionText(TsConnectionText("SQLite"));
  EXPECT_EQ(ct.engine(), orv::db::Engine::SQLite);
  EXPECT_EQ(ct.database, orv::datafolder::Path("points"));
}

// A missing file is a server not there: state 1 stays, nothing is made; once the file is
// there a retry connects.
TEST_P(PosServer, OpenFailsQuietlyAndARetryConnects) {
  goDbTs.Close();
  giCstTsMode = 1;
  gsPosServerName = "sqlite";
  gsPosServerDB = "absent-ts.db";
  gsPosServerID = "orv";
  gsPosServerPass = "pw";
  const QString path = orv::datafolder::Path(gsPosServerDB);
  QFile::remove(path);
  OpenTsConnection(goDbTs);
  EXPECT_EQ(giCstTsMode, 1);
  EXPECT_FALSE(goDbTs.IsOpen());
  EXPECT_FALSE(QFile::exists(path));

  orv::db::Connection maker;
  maker.Open(orvtest::NewSqliteDatabase(orvtest::DataRoot(), "absent-ts.db"));
  maker.Execute("Create Table Marker(x int)");
  maker.Close();
  OpenTsConnection(goDbTs);
  EXPECT_EQ(giCstTsMode, 2);
  ASSERT_TRUE(goDbTs.IsOpen());
  EXPECT_TRUE(goDbTs.TableExists("Marker"));
  CloseTsConnection(goDbTs);
  CloseTsConnection(goDbTs);
  EXPECT_FALSE(goDbTs.IsOpen());
  QFile::remove(path);
}

INSTANTIATE_TEST_SUITE_P(Engines, PosServer,
                         testing::Values(chittest::Setup{orv::db::Engine::SQLite, true}),
                         chittest::SetupName);
