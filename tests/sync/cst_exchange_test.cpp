// The exchange with the point server: queued member chits go there once, the queue empties
// only behind them, and the members' copy comes down whole or not at all.
#include <gtest/gtest.h>

#include "../customer/customer_fixture.h"
#include "customer/ts_tables.h"
#include "platform/dialogs.h"
#include "sync/basCC.h"
#include "sync/cst_exchange.h"
#include "sync/frmMsgRecvCst.h"
#include "sync/frmMsgSendCst.h"

#include <QLabel>
#include <QProgressBar>

using customertest::CustomerFixture;
using orv::Currency;

class CstExchange : public CustomerFixture {
 protected:
  // A member chit in the queue with its settlement rows (gum01, gum02 each).
  void Queue(int16_t mon, int32_t no, int cstKey,
             std::vector<std::pair<int, int>> lists = {{15000, 150}}) {
    PrepareMemberChit(no);
    gtPanChitTs.PctMon = mon;
    gtPanChitTs.PctDate = QString::asprintf("2024%02d15", int(mon));
    gtPanChitTs.PctCstKey = Currency::Won(cstKey);
    orv::db::Transaction tx(goDbPos);
    orv::chit::WritePanChitTsRow(goDbPos, "PanChitOn", gtPanChitTs, false);
    int16_t pos = 3;
    for (auto [g1, g2] : lists) {
      PanListTsRec l = gtPanListTs;
      l.PclMon = mon;
      l.PclDate = gtPanChitTs.PctDate;
      l.PclPosNo = pos++;
      l.PclGum01 = Currency::Won(g1);
      l.PclGum02 = Currency::Won(g2);
      orv::chit::WritePanListTsRow(goDbPos, "PanListOn", l, false);
    }
    tx.Commit();
  }
  QString Totals() {
    auto rs = goDbTs.OpenRecordset(
        "Select CcdTcnt, CcdCnt, CcdTzerdo, CcdZerdo, CcdTjumsu, CcdJumsu From CstCode Where "
        "CcdKey=7");
    QStringList out;
    for (int i = 0; i < 6; ++i) out << NzCur(rs.Field(i)).ToPlainText();
    return out.join(",");
  }
  std::vector<int> months_;
  orv::sync::TsMonthMaker maker_ = [this](int16_t yymm) {
    months_.push_back(yymm);
    CreateTsTables(yymm);
  };
};

TEST_P(CstExchange, QueuedChitsReachThePointServerOnceOldestFirst) {
  goDbTs.Execute("Update CstCode Set CcdCnt=0, CcdZerdo=0, CcdTzerdo=0, CcdTjumsu=0");
  Queue(3, 21, 7, {{15000, 150}, {500, 5}});  // two rows of one chit
  Queue(2, 40, 7);
  Queue(3, 22, 0);  // no member: nothing to raise
  std::vector<int> shown;
  orv::sync::SendCstPoints(maker_, [&](int v) { shown.push_back(v); });
  EXPECT_EQ(months_, (std::vector<int>{2402, 2403})) << "each month made once, in order";
  EXPECT_EQ(shown, (std::vector<int>{0, 33, 66, 100, 100}));
  EXPECT_EQ(Count(goDbTs, "PanChitT2402", "PctChtNo=40 And PctComNo=12"), 1);
  EXPECT_EQ(Count(goDbTs, "PanChitT2403"), 2);
  EXPECT_EQ(Count(goDbTs, "PanListT2403", "PclChtNo=21 And PclGum01=15500 And PclGum02=155"), 1);
  EXPECT_EQ(Totals(), "3,2,30500,30500,305,315") << "one visit per member chit, every row";
  EXPECT_EQ(Count(goDbPos, "PanChitOn"), 0);
  EXPECT_EQ(Count(goDbPos, "PanListOn"), 0);
}

TEST_P(CstExchange, AChitThePointServerHoldsAsQueuedOnlyLeavesTheQueue) {
  Queue(3, 21, 7);
  orv::sync::SendCstPoints(maker_);
  const QString once = Totals();
  // The queue delete was lost: the same chit is queued again.
  Queue(3, 21, 7);
  orv::sync::SendCstPoints(maker_);
  EXPECT_EQ(Totals(), once) << "not added twice";
  EXPECT_EQ(Count(goDbPos, "PanChitOn"), 0);
  // A chit under the same number that differs replaces the old one and counts.
  goDbTs.Execute("Update PanChitT2403 Set PctHab=1");
  Queue(3, 21, 7);
  orv::sync::SendCstPoints(maker_);
  EXPECT_NE(Totals(), once);
  EXPECT_EQ(Count(goDbTs, "PanChitT2403", "PctHab=12000"), 1);
}

TEST_P(CstExchange, AFailingChitStaysQueuedWithEveryLaterOne) {
  Queue(2, 40, 0);
  Queue(3, 21, 7);
  Queue(3, 22, 7);
  CreateTsTables(2402);
  CreateTsTables(2403);
  goDbTs.Execute("Drop Table CstCode");  // the member update fails on the second chit
  frmMsgSendCst *seen = nullptr;
  orv::dialogs::Script script;
  script.OnForm("frmMsgSendCst", [&](QWidget &w) {
    seen = static_cast<frmMsgSendCst *>(&w);
    seen->SendCstPoints();
    EXPECT_FALSE(seen->Failure().isEmpty());
    EXPECT_EQ(seen->DspTitleLbl->text(), QStringLiteral("* 고객통합 포인트 전송 중 *"));
  });
  ShowMsgSendCst(maker_);
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(goDbTs.TransLevel(), 0);
  EXPECT_EQ(goDbPos.TransLevel(), 0);
  EXPECT_EQ(Count(goDbTs, "PanChitT2402"), 1);
  EXPECT_EQ(Count(goDbTs, "PanChitT2403"), 0) << "rolled back on the point server";
  EXPECT_EQ(Count(goDbPos, "PanChitOn"), 2);
  EXPECT_EQ(Count(goDbPos, "PanListOn"), 2);
}

TEST_P(CstExchange, MembersComeDownWithTotalsAtZeroAllOrNothing) {
  goDbTs.Execute("Update CstCode Set CcdSss1=12, CcdZerdo=900");
  goDbTs.Execute("Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdSss1) Values(8, 80, 'O''Neil', 13)");
  orv::schema::CreateTable(goDbTs, "OrvRegistry");
  goDbTs.Execute("Insert Into OrvRegistry(RegKey, RegInt) Values('SupTrsNo', 12)");
  goDbPos.Execute("Insert Into CstCodeTs(CcdKey, CcdNo, CcdName) Values(99, 99, 'old')");

  struct Case {
    int all;
    QString keys;
  };
  for (const Case &c : {Case{0, "7"}, Case{1, "7,8"}}) {
    giSetCstAll = int16_t(c.all);
    QStringList tables;
    orv::sync::ReceiveCstTables([&](const QString &t, int v) {
      tables << t + ":" + QString::number(v);
    });
    EXPECT_EQ(tables, QStringList({"CstCodeTs:100", "OrvRegistryTs:100"}));
    auto rs = goDbPos.OpenRecordset("Select CcdKey, CcdZerdo, CcdTcnt From CstCodeTs Order By CcdKey");
    QStringList keys;
    for (; !rs.Eof(); rs.MoveNext()) {
      keys << NzStr(rs.Field(0));
      EXPECT_TRUE(NzCur(rs.Field(1)).IsZero() && NzCur(rs.Field(2)).IsZero());
    }
    EXPECT_EQ(keys.join(","), c.keys) << "giSetCstAll " << c.all;
    EXPECT_EQ(Count(goDbPos, "OrvRegistryTs", "RegKey='SupTrsNo'"), 1);
  }

  goDbTs.Execute("Drop Table OrvRegistry");
  giSetCstAll = 0;
  orv::dialogs::Script script;
  script.OnForm("frmMsgRecvCst",
                [](QWidget &w) { static_cast<frmMsgRecvCst &>(w).ReceiveCstTables(); });
  EXPECT_FALSE(ShowMsgRecvCst());
  EXPECT_EQ(Count(goDbPos, "CstCodeTs"), 2) << "the copy of before, whole";
  EXPECT_EQ(Count(goDbPos, "OrvRegistryTs"), 1);
}

INSTANTIATE_TEST_SUITE_P(Setups, CstExchange,
                         ::testing::Values(chittest::Setup{orv::db::Engine::SQLite, true},
                                           chittest::Setup{orv::db::Engine::PostgreSQL, true}),
                         chittest::SetupName);
