#include <gtest/gtest.h>

#include "chit/etc_chits.h"
#include "chit/tem_data.h"
#include "closing/closing_figures.h"
#include "closing/closing_reset.h"
#include "closing_fixture.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "schema/tables.h"
#include "sync/basSync.h"

using namespace orv::closing;
using closingtest::ClosingFixture;
using orv::Currency;

namespace {
Currency W(int64_t v) { return *Currency::FromWhole(v); }
}  // namespace

TEST(FillTemDataRecordTest, SummaryFromTheFigures) {
  orv::state::ResetProgramState();
  orv::clock::SetFixed(QDateTime(QDate(2025, 1, 16), QTime(0, 5, 9)));
  giSetPosNo = 3;
  gcLogPsnKey = W(15);
  ClosingFigures f;
  f.txtPctHab = W(33000);
  f.txtPctCard = W(10000);
  f.txtPctOiSang = W(2000);
  f.txtPctCSobi = W(1000);
  f.txtPclJa = W(1000);
  f.txtPclTa = W(3000);
  f.txtPclGum05 = W(500);
  f.txtPclGum06 = W(100);
  f.txtOiMoney = W(4000);
  f.txtOiCard = W(3000);
  f.txtInitGum = W(100000);
  f.txtMidGum = W(50000);
  f.txtBanGum = W(-5000);
  f.msIntDate = "20250115";
  f.msIntTime = "090000";
  ClearTemDataRecord();
  FillTemDataRecord(f);
  const TemDataRec &t = gtTemData;
  EXPECT_EQ(t.TemDate, "20250116");  // the clock's date, not the work date
  EXPECT_EQ(t.TemYear * 10000 + t.TemMon * 100 + t.TemDay, 20250116);
  EXPECT_EQ(t.TemChtNo, 1);
  EXPECT_EQ(t.TemPosNo, 3);
  EXPECT_EQ(t.TemMoney, W(20000));       // 33,000 − 10,000 − 2,000 − 1,000
  EXPECT_EQ(t.TemMnyInGum, W(19600));    // 20,000 + 4,000 − 1,000 − 3,000 + 100 − 500
  EXPECT_EQ(t.TemMnyNowGum, W(69600));   // 100,000 + 19,600 − 50,000
  EXPECT_EQ(t.TemSss6, 4000);
  EXPECT_EQ(t.TemSss7, 3000);
  EXPECT_EQ(t.TemSss8, 13000);
  EXPECT_EQ(t.TemMnsHab, W(-5000));
  EXPECT_EQ(t.TemStDate, "20250115");
  EXPECT_EQ(t.TemWrtTime, "000509");
  EXPECT_EQ(t.TemSss1, 0);
  f.txtOiMoney = Currency::FromRaw(int64_t(1) << 50);
  EXPECT_THROW(FillTemDataRecord(f), std::overflow_error);
  orv::clock::Reset();
}

class ClosingReset : public ClosingFixture {
 protected:
  ClosingFigures Figures() {
    ctx_ = WorkDateContext();
    ProbeClosingContext(ctx_);
    return ReadOpenFigures(ctx_);
  }
  int N(const QString &table, const QString &where = {}) { return Count(goDbPos, table, where); }
  ClosingContext ctx_;
};

TEST_P(ClosingReset, ClosesTheDayInOneTransaction) {
  PlantDay();
  Held("20250114", 7, 15, 2);
  Held("20250115", 9, 15, 0);
  Held("20250115", 8, 16, 1);  // another cashier's
  const ClosingFigures f = Figures();
  orv::dialogs::Script script;
  const auto keys = CloseCashierChits(f, ctx_);
  ASSERT_TRUE(keys.has_value());

  EXPECT_EQ(N("InitGum", "IntPosNo = 3"), 0);
  EXPECT_EQ(N("InitGum", "IntPosNo = 4"), 1);
  EXPECT_EQ(N("PanChitT2412", "PctSss3 = 0"), 0);
  EXPECT_EQ(N("PanChitT2501", "PctSss3 = 0"), 1) << "the other cashier's chit stays open";
  EXPECT_EQ(N("PanListT2501", "PclSss1 = 1"), 1);
  // The closing row, and the cashier's open deposits of any POS closed; a deleted one stays.
  EXPECT_EQ(N("InitGumLog", "IntGuBun = 1 AND IntGuBun1 = 0 AND IntSeqNo = 6 AND IntNGum = 87000"),
            1);
  EXPECT_EQ(N("InitGumLog", "IntPsnKey = 15 AND IntGuBun1 = 2"), 0);
  EXPECT_EQ(N("InitGumLog", "IntPsnKey = 15 AND IntGuBun1 = 3"), 1);
  EXPECT_EQ(N("InitGumLog", "IntPsnKey = 16 AND IntGuBun1 = 2"), 1);
  // Held chits of this POS and cashier gone, every line in one kind-7 row.
  EXPECT_EQ(N("WatChitT"), 1);
  EXPECT_EQ(N("WatGodsT"), 1);
  EXPECT_EQ(N("WatGodsTSpeed"), 1);
  auto rs = goDbPos.OpenRecordset("SELECT PlgChtNo, PlgText1, PlgSss1 FROM PosLogs2501 "
                                  "WHERE PlgSel = 7");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field(0).toInt(), 8007);
  EXPECT_EQ(rs.Field(1).toString(), "1,11,1.5,1000,1500;2,12,1.5,1000,1500");
  rs = goDbPos.OpenRecordset("SELECT PlgChtNo, PlgText1 FROM PosLogs2501 WHERE PlgSel = 8");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field(0).toInt(), 8009) << "8000 + the last held chit dropped";
  EXPECT_EQ(rs.Field(1).toString(), "100000,33000,87000");
  // The summary waits unsent in the POS database.
  rs = goDbPos.OpenRecordset("SELECT TemChtNo, TemSss1, TemHab, TemMnyNowGum FROM TemData");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field(0).toInt(), 1);
  EXPECT_EQ(NzCur(rs.Field(1)), W(0));
  EXPECT_EQ(NzCur(rs.Field(2)), W(33000));
  EXPECT_EQ(keys->temChtNo, 1);
  EXPECT_EQ(keys->logs.size(), 2u);

  // Afterwards the open figures are zero; a second reset numbers its summary 2.
  const ClosingFigures after = Figures();
  EXPECT_TRUE(after.goods.empty());
  EXPECT_EQ(after.txtInitGum, W(0));
  EXPECT_EQ(after.txtMidGum, W(0));
  EXPECT_EQ(after.txtNowMoney, W(0));
  ClearWatChitRecord();
  const auto again = CloseCashierChits(after, ctx_);
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->temChtNo, 2);
  rs = goDbPos.OpenRecordset("SELECT PlgChtNo FROM PosLogs2501 WHERE PlgSel = 8 ORDER BY PlgChtNo");
  EXPECT_EQ(rs.Field(0).toInt(), 8000);
}

TEST_P(ClosingReset, AFailureAtAnyStepChangesNothing) {
  PlantDay();
  Held("20250114", 7, 15, 2);
  const ClosingFigures f = Figures();
  for (const char *at : {"InitGum", "Chits", "Log", "Deposits", "Held", "Kind8", "Summary",
                         "Commit"}) {
    SetResetStepHook([at](const char *step) {
      if (QByteArray(step) == at) throw orv::db::DbError(77, "fails here");
    });
    orv::dialogs::Script script;
    EXPECT_FALSE(CloseCashierChits(f, ctx_).has_value()) << at;
    ASSERT_EQ(script.Log().size(), 1) << at;
    EXPECT_EQ(script.Log()[0].title, "저장실패");
    EXPECT_EQ(script.Log()[0].text, "오류번호:77\r\n오류내용:fails here");
    EXPECT_EQ(N("InitGum"), 2) << at;
    EXPECT_EQ(N("PanChitT2501", "PctSss3 = 0"), 4) << at;
    EXPECT_EQ(N("InitGumLog"), 5) << at;
    EXPECT_EQ(N("WatChitT"), 1) << at;
    EXPECT_EQ(N("TemData"), 0) << at;
    EXPECT_FALSE(orv::schema::ExistsTable(goDbPos, "PosLogs2501") && N("PosLogs2501") > 0) << at;
  }
  SetResetStepHook(nullptr);
  // A failing statement of its own (the held chits' table gone) rolls back the same way.
  goDbPos.Execute("DROP TABLE WatGodsTSpeed");
  orv::dialogs::Script script;
  EXPECT_FALSE(CloseCashierChits(f, ctx_).has_value());
  EXPECT_EQ(N("InitGum"), 2);
  EXPECT_EQ(N("PanChitT2412", "PctSss3 = 0"), 2);
}

TEST_P(ClosingReset, SummaryTakesTheDaysFirstFreeNumber) {
  ClearTemDataRecord();
  gtTemData.TemYear = 2025;
  gtTemData.TemMon = 1;
  gtTemData.TemDay = 15;
  gtTemData.TemDate = "20250115";
  auto put = [](int no) {
    gtTemData.TemChtNo = no;
    return SendTemData(goDbPos);
  };
  EXPECT_EQ(put(1), 1);
  EXPECT_EQ(put(3), 3);
  EXPECT_EQ(put(1), 2) << "the gap at 2";
  EXPECT_EQ(put(1), 4);
  EXPECT_EQ(gtTemData.TemChtNo, 1) << "the record keeps its own number";
  gtTemData.TemDay = 16;
  gtTemData.TemDate = "20250116";
  EXPECT_EQ(put(1), 1) << "another day has its own numbers";
}

INSTANTIATE_TEST_SUITE_P(Engines, ClosingReset, ::testing::ValuesIn(closingtest::kOffline),
                         closingtest::SetupName);
