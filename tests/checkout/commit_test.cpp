// The sale commit on both engines: online (two databases) and offline (one).
#include <gtest/gtest.h>

#include "../chit/chit_fixture.h"
#include "../chit/sale_fill.h"
#include "checkout/checkout_globals.h"
#include "checkout/sale_commit.h"
#include "chit/pair_commit.h"
#include "chit/pan_money.h"
#include "chit/pos_logs.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "core/pos_settings.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"

using orv::Currency;
using orv::db::DbError;
using namespace orv::checkout;

namespace {

Currency W(int64_t v) { return *Currency::FromWhole(v); }

class CommitTest : public chittest::ChitFixture {
 protected:
  void SetUp() override {
    ChitFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gcLogPsnKey = W(5);
    gsLogID = "kim";
    gsPcdName = "O'Neil";
    orv::settings_store::SetFilePath(dir_ ? dir_->path() + "/pos.ini" : QString());
    req.wrkDate = "20240315";
  }
  void TearDown() override {
    orv::chit::SetPairStepHook({});
    orv::settings_store::SetFilePath({});
    ChitFixture::TearDown();
  }
  int Main(const QString &t, const QString &w = {}) { return Count(goDbMain, t, w); }
  int Pos(const QString &t, const QString &w = {}) { return Count(goDbPos, t, w); }

  // A saved credit chit of the work date, number 41, on both sides.
  void PlantCreditChit(bool withPosCopy = true, Currency customer = {}) {
    chittest::FillSale(2, "OLD");
    gtPanChit.PctCstKey = customer;
    gtPanChit.PctOisang = gtPanChit.PctHab;
    gtPanChit.PctMoney = {};
    orv::dialogs::Script s;
    ASSERT_TRUE(orv::chit::PairCommit([] {
                  glOisangChtNo = 0;
                  QString e = gsPanChitInsert(1, 0);
                  return e.isEmpty() ? gsPanChitTInsert(1) : e;
                }).saved());
    const int no = gtPanChit.PctChtNo;
    goDbMain.Execute("Update PanChit2403 Set PctChtNo=41 Where PctChtNo=" + QString::number(no));
    goDbMain.Execute("Update PanGods2403 Set PcgChtNo=41 Where PcgChtNo=" + QString::number(no));
    goDbMain.Execute("Update PanList2403 Set PclChtNo=41 Where PclChtNo=" + QString::number(no));
    if (withPosCopy) {
      goDbPos.Execute("Update PanChitT2403 Set PctChtNo=41 Where PctChtNo=" + QString::number(no));
      goDbPos.Execute("Update PanListT2403 Set PclChtNo=41 Where PclChtNo=" + QString::number(no));
      goDbPos.Execute("Update PanGodsT2403 Set PcgChtNo=41 Where PcgChtNo=" + QString::number(no));
    } else {
      goDbPos.Execute("Delete From PanChitT2403");
      goDbPos.Execute("Delete From PanListT2403");
      goDbPos.Execute("Delete From PanGodsT2403");
    }
  }

  CommitRequest req;
};

TEST_P(CommitTest, SavesTheChitItsCopyAndTheMoneyRow) {
  chittest::FillSale(3);
  gtPanMoney.PmoCmitNo = "C123";
  gtPanMoney.PmoCmitDate = "20240315";
  gtPanMoney.PmoCardNo = "01012345678";
  gtPanMoney.PmoDate = "20240315";
  gtPanMoney.PmoYear = 2024;
  gtPanMoney.PmoMon = 3;
  gtPanMoney.PmoDay = 15;
  orv::dialogs::Script s;
  const CommitResult r = CommitSaleChit(req);
  ASSERT_TRUE(r.saved) << r.error.toStdString();
  EXPECT_EQ(Main("PanChit2403"), 1);
  EXPECT_EQ(Main("PanGods2403"), 3);
  EXPECT_EQ(Pos("PanChitT2403"), 1);
  EXPECT_EQ(Main("PanMoney2403", "PmoChtNo=" + QString::number(gtPanChit.PctChtNo) +
                                     " And PmoHab=4500"),
            1);
  EXPECT_NE(gtPanChit.PctChtNo, 0);
  // Without a cash receipt no money row.
  chittest::FillSale(1, "T2");
  ClearPanMoneyRecord();
  ASSERT_TRUE(CommitSaleChit(req).saved);
  EXPECT_EQ(Main("PanMoney2403"), 1);
}

TEST_P(CommitTest, AFailureBeforeTheCommitKeepsNothingAndRestoresTheRecords) {
  chittest::FillSale(3);
  gtPanMoney.PmoCmitNo = "C123";
  gtPanMoney.PmoCmitDate = "20240315";
  goDbMain.Execute("Drop Table PanMoney2403");  // the money row fails after both savers
  const PanChitRec before = gtPanChit;
  orv::dialogs::Script s;
  s.ExpectAllUsed(false);
  const CommitResult r = CommitSaleChit(req);
  EXPECT_FALSE(r.saved);
  EXPECT_TRUE(r.error.startsWith(QStringLiteral("[저장오류:"))) << r.error.toStdString();
  EXPECT_EQ(Main("PanChit2403"), 0);
  EXPECT_EQ(Main("PanGods2403"), 0);
  EXPECT_EQ(Pos("PanChitT2403"), 0);
  EXPECT_EQ(gtPanChit.PctChtNo, before.PctChtNo);
  EXPECT_EQ(gtPanChit.PctCmitNo, before.PctCmitNo);
}

TEST_P(CommitTest, AFailingMainCommitSavesNothing) {
  chittest::FillSale(3);
  req.visit = {true, false, W(7), 31501};
  goDbMain.Execute("Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdSss2) Values(7, 7, 'A', 0)");
  orv::chit::SetPairStepHook([](const char *step) {
    if (QLatin1String(step) == QLatin1String("main-commit"))
      throw DbError(orv::db::kErrGeneric, "commit refused");
  });
  orv::dialogs::Script s;
  s.ExpectAllUsed(false);
  const CommitResult r = CommitSaleChit(req);
  EXPECT_FALSE(r.saved);
  EXPECT_EQ(Main("PanChit2403"), 0);
  EXPECT_EQ(Pos("PanChitT2403"), 0);
  // The visit goes with the chit.
  EXPECT_EQ(Main("CstCode", "CcdSss2=0"), 1);
  orv::chit::SetPairStepHook({});
  ASSERT_TRUE(CommitSaleChit(req).saved);
  EXPECT_EQ(Main("CstCode", "CcdSss2=31501"), 1);
}

TEST_P(CommitTest, SettlesAPickedCreditChit) {
  if (!online()) GTEST_SKIP() << "credit sales are online only";
  PlantCreditChit();
  chittest::FillSale(2, "NEW");
  gtPanChit.PctCstKey = {};
  giOisangPick = 1;
  glOisangChtNo = 41;
  req.oisangPay = true;
  req.oisangChtNo = 41;
  orv::dialogs::Script s;
  const CommitResult r = CommitSaleChit(req);
  ASSERT_TRUE(r.saved) << r.error.toStdString();
  EXPECT_EQ(Main("PanChit2403"), 1);
  EXPECT_EQ(Main("PanChit2403", "PctChtNo=41 And PctCmitNo='NEW'"), 1);
  EXPECT_EQ(Main("PanGods2403", "PcgChtNo=41"), 2);
  EXPECT_EQ(Pos("PanChitT2403", "PctCmitNo='OLD'"), 0);
  EXPECT_EQ(Pos("PanChitT2403", "PctCmitNo='NEW'"), 1);
}

// The ledger's read fails inside the commit: the sale is saved without the ledger line.
TEST_P(CommitTest, ACreditChitIsPaidOffWhenTheCustomerLedgerCannotBeRead) {
  if (!online()) GTEST_SKIP() << "credit sales are online only";
  PlantCreditChit(true, W(7));
  ASSERT_EQ(Main("PanList2403", "PclChtNo=41"), 1);
  goDbMain.Execute("Drop Table CstWnjg");
  chittest::FillSale(2, "NEW");
  giOisangPick = 1;
  glOisangChtNo = 41;
  req.oisangPay = true;
  req.oisangChtNo = 41;
  orv::dialogs::Script s;
  const CommitResult r = CommitSaleChit(req);
  ASSERT_TRUE(r.saved) << r.error.toStdString();
  EXPECT_EQ(s.Texts(), QStringList{"기록중 오류발생...... !"});
  EXPECT_EQ(Main("PanChit2403", "PctChtNo=41 And PctCmitNo='NEW'"), 1);
  EXPECT_EQ(Main("PanChit2403", "PctCmitNo='OLD'"), 0);
  EXPECT_EQ(Pos("PanChitT2403", "PctCmitNo='NEW'"), 1);
}

TEST_P(CommitTest, AMissingCreditChitCopyRollsTheDeletesBack) {
  if (!online()) GTEST_SKIP() << "credit sales are online only";
  PlantCreditChit(false);
  chittest::FillSale(2, "NEW");
  req.oisangPay = true;
  req.oisangChtNo = 41;
  orv::dialogs::Script s;
  s.ExpectAllUsed(false);
  const CommitResult r = CommitSaleChit(req);
  EXPECT_FALSE(r.saved);
  EXPECT_TRUE(r.creditChitMissing);
  EXPECT_EQ(r.error, QStringLiteral("외상전표를 찾을수없습니다."));
  EXPECT_EQ(Main("PanChit2403", "PctChtNo=41 And PctCmitNo='OLD'"), 1);
  EXPECT_EQ(Main("PanGods2403", "PcgChtNo=41"), 2);
  EXPECT_EQ(gtPanChit.PctCmitNo, "NEW");
}

TEST_P(CommitTest, ReceivablesOfTheWorkMonth) {
  goDbMain.Execute("Insert Into TrsCode(TcdKey, TcdNo, TcdName, TcdSss5, TcdZerdo) "
                   "Values(9, 900, 'P', 1, 1000000)");
  auto ledger = [](const QString &date, int raised, int paid) {
    goDbMain.Execute("Insert Into TrsMast2403(TmsYear, TmsMon, TmsTrsKey, TmsDay, TmsDate, "
                     "TmsMcMisu, TmsMiMiji) Values(" + date.left(4) + "," +
                     QString::number(date.mid(4, 2).toInt()) + ",9," +
                     QString::number(date.mid(6, 2).toInt()) + ",'" + date + "'," +
                     QString::number(raised) + "," + QString::number(paid) + ")");
  };
  ledger("20240301", 700000, 0);
  ledger("20240310", 300000, 100000);
  ledger("20240229", 50000, 0);  // the month before, in the same table
  ReadTrsMisuLimit(W(9));
  EXPECT_EQ(giTrsMisuCheck, 1);
  EXPECT_EQ(gcTrsMisuLimit, W(1000000));
  EXPECT_EQ(GetTrsMisu(W(9)), W(900000));
  ReadTrsMisuLimit(W(10));
  EXPECT_EQ(giTrsMisuCheck, 0);
  EXPECT_EQ(gcTrsMisuLimit, W(0));
  EXPECT_EQ(GetTrsMisu(W(10)), W(0));
}

TEST_P(CommitTest, LedgerLineTakesTheFirstGapAndQuotesTheCashier) {
  gtPanChit.PctCstKey = W(7);
  gtPanChit.PctWrtdate = "20240315";
  gtPanChit.PctWrttime = "101010";
  gtPanList.PclGum01 = W(1000);
  gtPanList.PclGum02 = W(1);
  gtPanList.PclGum03 = W(5000);
  gtPanList.PclGum04 = W(50);
  for (int n : {1, 3})
    goDbMain.Execute("Insert Into CstWnjg(CwjKey, CwjYear, CwjMon, CwjDay, CwjDate, CwjChtno, "
                     "CwjWrtdate, CwjWrttime) Values(7, 2024, 3, 15, '20240315', " +
                     QString::number(n) + ", '20240315', '090000')");
  orv::dialogs::Script s;
  orv::db::Transaction tx(goDbMain);
  WriteOiIpgumWnjg();
  tx.Commit();
  EXPECT_TRUE(s.Log().isEmpty());
  auto rs = goDbMain.OpenRecordset("Select CwjPsn, CwjYzerdo, CwjBigo From CstWnjg Where CwjChtno=2");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field(0).toString().trimmed(), "kim(O'Neil)");
  EXPECT_EQ(NzCur(rs.Field(1)), W(4000));
  EXPECT_EQ(rs.Field(2).toString().trimmed(), "POS[3]");
}

TEST_P(CommitTest, EventRowAndLastChitSettings) {
  ASSERT_TRUE(SaveLastChitSettings("20240315", 12));
  EXPECT_EQ(orv::settings_store::GetSetting("goSetBFChtNo"), "12");
  EXPECT_EQ(orv::settings_store::GetSetting("giSetWavEnd"), "1");
  EXPECT_EQ(orv::settings_store::GetSetting("giSetWavCard"), "0");
  QString empty;
  WriteCashLog(1, 9, "12500,20000", {}, empty);
  auto rs = goDbMain.OpenRecordset("Select PlgSel, PlgNo, PlgSeq, PlgChtNo, PlgText1 From PosLogs2403");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field(0).toInt(), 9);
  EXPECT_EQ(rs.Field(1).toInt(), 1);
  EXPECT_EQ(rs.Field(2).toInt(), 0);
  EXPECT_EQ(rs.Field(3).toInt(), 12);
  EXPECT_EQ(rs.Field(4).toString().trimmed(), "12500,20000");
}

INSTANTIATE_TEST_SUITE_P(Setups, CommitTest, ::testing::ValuesIn(chittest::kAllSetups),
                         chittest::SetupName);

}  // namespace
