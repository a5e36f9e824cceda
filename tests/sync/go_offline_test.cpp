// The offline switch when the main database stops answering mid-sale.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "../chit/chit_fixture.h"
#include "core/application.h"
#include "freezing_proxy.h"
#include "platform/dialogs.h"
#include "sync/go_offline.h"

using chittest::ChitFixture;

class FrozenMain : public ChitFixture {
 protected:
  void TearDown() override {
    orv::db::SetServerLimits(before_);
    ChitFixture::TearDown();
  }
  orv::db::ServerLimits before_ = orv::db::GetServerLimits();
};

TEST_P(FrozenMain, AServerThatStopsAnsweringSwitchesOfflineWithinTheLimit) {
  orv::db::ServerLimits small;  // other statements keep their long limit: the probe's alone is short
  small.graceMs = 300;
  orv::db::SetServerLimits(small);
  SetProbeLimitMs(300);
  orvtest::FreezingProxy proxy(mainText_);
  gsSetPosDB = posText_;
  gsSetMainDB = proxy.Text();
  goDbMain.Open(proxy.Text());
  giOnLine = 1;
  orv::dialogs::Script script;
  GoOffline();  // answering: nothing happens
  EXPECT_EQ(giOnLine, 1);
  EXPECT_TRUE(script.Log().isEmpty());

  proxy.Freeze();
  QElapsedTimer t;
  t.start();
  GoOffline();
  EXPECT_LT(t.elapsed(), 3000);
  EXPECT_EQ(script.Texts(), QStringList{"오프라인으로 전환합니다 !"});
  EXPECT_EQ(giOnLine, 2);
  EXPECT_TRUE(goDbMain.SharesSessionWith(goDbPos));
}

TEST_P(FrozenMain, APointServerThatStopsAnsweringGoesOfflineWithinTheLimit) {
  orv::db::ServerLimits small;
  small.graceMs = 300;
  orv::db::SetServerLimits(small);
  SetProbeLimitMs(300);
  orvtest::FreezingProxy proxy(orvtest::NewPgDatabase());
  goDbTs.Open(proxy.Text());
  giCstTsMode = 2;
  orv::dialogs::Script script;
  GoTsOffline();
  EXPECT_EQ(giCstTsMode, 2);
  EXPECT_TRUE(script.Log().isEmpty());

  proxy.Freeze();
  QElapsedTimer t;
  t.start();
  GoTsOffline();
  EXPECT_LT(t.elapsed(), 3000);
  EXPECT_EQ(script.Texts(), QStringList{"통합고객 오프라인으로 전환합니다 !"});
  EXPECT_EQ(giCstTsMode, 1);
  goDbTs.Close();
}

using Probe = ChitFixture;

TEST_P(Probe, CountsComCodeAndSpoilsNoOpenTransaction) {
  goDbMain.Execute("Delete From ComCode");
  EXPECT_EQ(ProbeMainDb(), orv::Currency::Won(0)) << "an empty table answers";
  {
    orv::db::Transaction tx(goDbMain);
    goDbMain.Execute("Insert Into ComCode(ComNo, ComName) Values(1, 'x')");
    EXPECT_EQ(ProbeMainDb(), orv::Currency::Won(1));
    goDbMain.Execute("Drop Table ComCode");
    EXPECT_EQ(ProbeMainDb(), orv::Currency::Won(-1));
    goDbMain.Execute("Create Table KeptRow (a int)");  // the transaction still takes work
    tx.Commit();
  }
  EXPECT_TRUE(goDbMain.TableExists("KeptRow"));
  EXPECT_EQ(goDbMain.StatementLimit(), 0) << "the session's own limit is back";
}

TEST_P(Probe, WithoutThePosDatabaseTheProgramEnds) {
  goDbMain.Close();  // the main database is gone
  gsSetPosDB = "driver={SQLite};database=/nonexistent/folder/pos.db";
  giOnLine = 1;
  int endedWith = -1;
  const auto before = orv::SetEndProgramHook([&](int code) { endedWith = code; });
  orv::dialogs::Script script;
  EXPECT_THROW(GoOffline(), orv::ProgramEnding);
  orv::SetEndProgramHook(before);
  EXPECT_EQ(endedWith, 1);
  ASSERT_EQ(script.Log().size(), 2);
  EXPECT_EQ(script.Log()[1].title, QStringLiteral("DB연결실패"));
  EXPECT_EQ(giOnLine, 1) << "nothing switched";
}

INSTANTIATE_TEST_SUITE_P(Setups, Probe,
                         ::testing::Values(chittest::Setup{orv::db::Engine::SQLite, true},
                                           chittest::Setup{orv::db::Engine::PostgreSQL, true}),
                         chittest::SetupName);

INSTANTIATE_TEST_SUITE_P(Setups, FrozenMain,
                         ::testing::Values(chittest::Setup{orv::db::Engine::PostgreSQL, true}),
                         chittest::SetupName);
