// The offline switch when the main database stops answering mid-sale.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "../chit/chit_fixture.h"
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
  orv::db::ServerLimits small;
  small.statementMs = 300;
  small.graceMs = 300;
  orv::db::SetServerLimits(small);
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
  EXPECT_LT(t.elapsed(), 4000);
  EXPECT_EQ(script.Texts(), QStringList{"오프라인으로 전환합니다 !"});
  EXPECT_EQ(giOnLine, 2);
  EXPECT_TRUE(goDbMain.SharesSessionWith(goDbPos));
}

INSTANTIATE_TEST_SUITE_P(Setups, FrozenMain,
                         ::testing::Values(chittest::Setup{orv::db::Engine::PostgreSQL, true}),
                         chittest::SetupName);
