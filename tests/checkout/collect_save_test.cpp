#include <gtest/gtest.h>

#include <QFile>

#include "../chit/chit_fixture.h"
#include "../chit/sale_fill.h"
#include "checkout/collect_save.h"
#include "chit/pair_commit.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "core/card_ret.h"
#include "platform/dialogs.h"
#include "print/receipt_text.h"
#include "sale/sale_globals.h"

using orv::Currency;
using orv::checkout::CollectEntry;
using orv::checkout::CollectPointOptions;
using orv::checkout::CollectPointsOf;
using orv::checkout::CollectResult;
using orv::checkout::SaveCollectChit;

TEST(CollectPoints, ByTheShopsOptions) {
  struct Case {
    int cash, card, cashBase, cardBase, perUnit, cstCard, bnsNot, irt;
    bool counts;
    int points;
  } cases[] = {
      {50000, 0, 1000, 0, 0, 0, 1, 0, true, 50},     // perUnit 0 counts as 1
      {12345, 0, 1000, 0, 1, 0, 1, 0, true, 13},     // 12.345 + 0.9
      {12345, 0, 1000, 0, 1, 0, 1, 1, true, 12},     // + 0.5
      {12345, 0, 1000, 0, 1, 0, 1, 2, true, 12},     // no addend
      {12345, 0, 1000, 0, 3, 0, 1, 0, true, 39},     // times the points per unit
      {0, 20000, 1000, 500, 1, 0, 1, 0, true, 40},   // card base
      {0, 20000, 1000, 500, 1, 1, 1, 0, false, 0},   // card with PosCstCard 1
      {50000, 0, 1000, 0, 1, 0, 0, 0, false, 0},     // PosBnsOisangNot 0
      {50000, 0, 0, 0, 1, 0, 1, 0, true, 0},         // no base: counts, no points
      {-12345, 0, 1000, 0, 1, 0, 1, 0, true, -11},   // F4: -12.345 + 0.9, cut toward zero
  };
  for (const Case &c : cases) {
    CollectPointOptions o;
    o.cashBase = c.cashBase;
    o.cardBase = c.cardBase;
    o.perUnit = c.perUnit;
    o.cstCard = c.cstCard;
    o.bnsOisangNot = c.bnsNot;
    o.cstIrt = int16_t(c.irt);
    const auto p = CollectPointsOf(Currency::Won(c.cash), Currency::Won(c.card), o);
    EXPECT_EQ(p.counts, c.counts) << c.cash << "/" << c.card;
    EXPECT_EQ(p.points, Currency::Won(c.points)) << c.cash << "/" << c.card << " irt " << c.irt;
  }
  // A sum out of the money range is an error, never 0 points from nothing.
  CollectPointOptions o;
  o.cashBase = o.cardBase = 1000;
  o.bnsOisangNot = 1;
  const Currency huge = *Currency::FromWhole(900000000000000);
  EXPECT_THROW(CollectPointsOf(huge, huge, o), std::overflow_error);
}

class Collect : public chittest::ChitFixture {
 protected:
  void SetUp() override {
    ChitFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    chittest::SetOption("PosChitNoSeq", 1);
    chittest::SetOption("PosBnsOisangNot", 1);
    chittest::SetOption("PosCstJumsu", 1000);
    orv::chit::EnsurePairTables();
    gcLogPsnKey = Currency::Won(5);
    gcTcdKey = Currency::Won(88001);
    gsTcdName = "Partner";
  }
  void TearDown() override {
    orv::chit::SetPairStepHook({});
    orv::chit::ForgetUnknownPairSave();
    ChitFixture::TearDown();
  }
  // A member on the sale, as the sale screen read it before points were booked elsewhere.
  void PutCustomer(int jumsuInDb) {
    goDbMain.Execute(
        "Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdTcnt, CcdTzerdo, CcdTjumsu, CcdCnt, "
        "CcdZerdo, CcdJumsu) Values(77, '77', 'Kim', 1, 1000, " + QString::number(jumsuInDb) +
        ", 1, 1000, " + QString::number(jumsuInDb) + ")");
    gtCstCode.CcdKey = Currency::Won(77);
    gtCstCode.CcdNo = Currency::Won(77);
    gtCstCode.CcdCnt = Currency::Won(1);
    gtCstCode.CcdZerdo = Currency::Won(1000);
    gtCstCode.CcdJumsu = Currency::Won(1);  // stale: the database has more
  }
  static CollectEntry Cash(int won) {
    CollectEntry e;
    e.cash = Currency::Won(won);
    e.partnerName = "Partner";
    e.fromCashBox = true;
    return e;
  }
  int Rows(orv::db::Connection &c, const QString &table, const QString &where = {}) {
    return Count(c, table, where);
  }
  QString One(orv::db::Connection &c, const QString &sql) {
    auto rs = c.OpenRecordset(sql);
    return rs.RecordCount() ? rs.Field(0).toString() : QString("<none>");
  }
};

TEST_P(Collect, CashWithAMemberSavesAKind9ChitInBothBooksThePointsAndLogs107) {
  PutCustomer(300);
  orv::dialogs::Script script;
  ASSERT_EQ(SaveCollectChit(Cash(50000)), CollectResult::Saved) << script.Texts().join("|").toStdString();
  EXPECT_EQ(Rows(goDbMain, "PanChit2403", "PctSss2=9 AND PctMoney=50000 AND PctRGum=50000 "
                                          "AND PctCard=0 AND PctTrsKey=88001 AND PctCstKey=77"),
            1);
  EXPECT_EQ(Rows(goDbMain, "PanGods2403"), 0);
  EXPECT_EQ(One(goDbMain, "Select PctJunsong From PanChit2403").toInt(), online() ? 1 : 0);
  EXPECT_EQ(Rows(goDbPos, "PanChitT2403", "PctSss2=9"), 1);
  // Re-read first: the 300 points booked elsewhere stay, 50 are added.
  EXPECT_EQ(One(goDbMain, "Select CcdJumsu From CstCode Where CcdKey=77").toDouble(), 350);
  EXPECT_EQ(One(goDbMain, "Select CcdCnt From CstCode Where CcdKey=77").toDouble(), 2);
  EXPECT_EQ(One(goDbMain, "Select PclGum02 From PanList2403").toDouble(), 50);
  const QString no = One(goDbMain, "Select PctChtNo From PanChit2403");
  EXPECT_EQ(One(goDbMain, "Select PlgText1 From PosLogs2403 Where PlgSel=107"),
            no + ",0,Partner");
  EXPECT_TRUE(QFile::exists(orv::print::ReceiptFilePath("20240315", no.toInt())));
  // Everything cleared for the next sale.
  EXPECT_TRUE(gtCstCode.CcdKey.IsZero());
  EXPECT_EQ(gtPanChit.PctChtNo, 0);
  EXPECT_TRUE(script.Texts().isEmpty()) << script.Texts().join("|").toStdString();
}

TEST_P(Collect, ACardCollectionWritesNoEventAndKeepsTheApproval) {
  gtCardRet.CmitNo = "A123";
  gtCardRet.CardNo = "1234-****";
  gtCardRet.Halbu = 3;
  CollectEntry e;
  e.card = Currency::Won(20000);
  e.signFlag = 1;
  orv::dialogs::Script script;
  ASSERT_EQ(SaveCollectChit(e), CollectResult::Saved);
  EXPECT_EQ(Rows(goDbMain, "PanChit2403",
                 "PctCard=20000 AND PctCmitNo='A123' AND PctCDGubun='03' AND PctSss2=9"),
            1);
  EXPECT_EQ(One(goDbMain, "Select PclSss2 From PanList2403").toInt(), 1);
  EXPECT_EQ(Rows(goDbMain, "PosLogs2403", "PlgSel=107"), 0);
  EXPECT_TRUE(gtCardRet.CmitNo.isEmpty());
}

TEST_P(Collect, APickedCreditChitDoesNotLendItsNumber) {
  PlantChit(goDbMain, "PanChit2403", 4);
  PlantChit(goDbPos, "PanChitT2403", 4);
  giOisangPick = 1;
  glOisangChtNo = 4;
  orv::dialogs::Script script;
  ASSERT_EQ(SaveCollectChit(Cash(1000)), CollectResult::Saved)
      << script.Texts().join("|").toStdString();
  EXPECT_EQ(Rows(goDbMain, "PanChit2403", "PctSss2=9 AND PctChtNo<>4"), 1);
  EXPECT_EQ(giOisangPick, 0);
}

TEST_P(Collect, AFailedSaverLeavesNothingAndARetryBooksTheCustomerOnce) {
  PutCustomer(300);
  giOisangPick = 1;  // a picked credit chit of the sale stays picked after a failure
  glOisangChtNo = 4;
  gtCardRet.CmitNo = "A123";
  gtCardRet.Gum = Currency::Won(20000);
  goDbPos.Execute("Alter Table PanListT2403 Rename To PanListTGone");
  CollectEntry e = Cash(1000);
  e.card = Currency::Won(20000);
  orv::dialogs::Script script;
  EXPECT_EQ(SaveCollectChit(e), CollectResult::Failed);
  EXPECT_EQ(Rows(goDbMain, "PanChit2403"), 0);
  EXPECT_EQ(Rows(goDbPos, "PanChitT2403"), 0);
  EXPECT_EQ(Rows(goDbMain, "PosLogs2403"), 0);
  ASSERT_FALSE(script.Texts().isEmpty());
  EXPECT_TRUE(script.Texts().last().contains("A123")) << script.Texts().last().toStdString();
  EXPECT_TRUE(script.Texts().last().contains("20000"));
  EXPECT_EQ(gtCardRet.CmitNo, "A123");  // kept for the retry
  EXPECT_EQ(giOisangPick, 1);
  EXPECT_EQ(gtCstCode.CcdCnt, Currency::Won(1));
  EXPECT_EQ(gtCstCode.CcdJumsu, Currency::Won(300));  // the re-read copy, unbooked

  goDbPos.Execute("Alter Table PanListTGone Rename To PanListT2403");
  script.ClearLog();
  EXPECT_EQ(SaveCollectChit(Cash(1000)), CollectResult::Saved)
      << script.Texts().join("|").toStdString();
  EXPECT_EQ(One(goDbMain, "Select CcdCnt From CstCode Where CcdKey=77").toDouble(), 2);
  EXPECT_EQ(One(goDbMain, "Select CcdJumsu From CstCode Where CcdKey=77").toDouble(), 301);
}

TEST_P(Collect, ARefusedMainCommitIsAFailedSaveThatKeepsTheApproval) {
  PutCustomer(0);
  gtCardRet.CmitNo = "A9";
  gtCardRet.Gum = Currency::Won(3000);
  orv::chit::SetPairStepHook([](const char *step) {
    if (QString(step) == "main-commit") throw orv::db::DbError(1, "commit refused");
  });
  orv::dialogs::Script script;
  CollectEntry e = Cash(1000);
  e.card = Currency::Won(3000);
  EXPECT_EQ(SaveCollectChit(e), CollectResult::Failed);
  EXPECT_EQ(Rows(goDbMain, "PanChit2403"), 0);
  EXPECT_EQ(Rows(goDbPos, "PanChitT2403"), 0);
  EXPECT_EQ(Rows(goDbMain, "PosLogs2403"), 0);
  ASSERT_EQ(script.Texts().size(), 1);
  EXPECT_TRUE(script.Texts()[0].contains("commit refused"));
  EXPECT_TRUE(script.Texts()[0].contains("A9"));
  EXPECT_EQ(gtCardRet.CmitNo, "A9");
  EXPECT_EQ(gtCstCode.CcdCnt, Currency::Won(1));
  EXPECT_EQ(goDbMain.TransLevel(), 0);
  EXPECT_EQ(goDbPos.TransLevel(), 0);
}

TEST_P(Collect, CommitsThatFailAreNeverReportedAsSaved) {
  if (!online()) GTEST_SKIP() << "offline the two halves are one transaction";
  PutCustomer(0);
  const QString mainText = mainText_;
  orv::chit::SetPairStepHook([&](const char *step) {
    if (QString(step) == "main-commit") goDbMain.Close();
  });
  orv::dialogs::Script script;
  EXPECT_EQ(SaveCollectChit(Cash(1000)), CollectResult::Failed);
  EXPECT_EQ(gtCstCode.CcdCnt, Currency::Won(1));  // not booked in memory either
  orv::chit::SetPairStepHook({});
  goDbMain.Open(mainText);
  EXPECT_EQ(Rows(goDbMain, "PanChit2403"), 0);
  EXPECT_EQ(Rows(goDbPos, "PanChitT2403"), 0);

  // The POS copy failing after a good main commit: saved, the copy written later.
  const QString posText = posText_;
  orv::chit::SetPairStepHook([&](const char *step) {
    if (QString(step) == "pos-commit") goDbPos.Close();
  });
  script.ClearLog();
  EXPECT_EQ(SaveCollectChit(Cash(1000)), CollectResult::Saved);
  EXPECT_TRUE(script.Texts().contains("판매는 저장되었습니다. POS 사본은 다음 저장 때 다시 씁니다"));
  orv::chit::SetPairStepHook({});
  goDbPos.Open(posText);
  EXPECT_EQ(Rows(goDbMain, "PanChit2403", "PctSss2=9"), 1);
  EXPECT_EQ(orv::chit::SettlePairJournal(), 1);
  EXPECT_EQ(Rows(goDbPos, "PanChitT2403", "PctSss2=9"), 1);
}

INSTANTIATE_TEST_SUITE_P(Setups, Collect, ::testing::ValuesIn(chittest::kAllSetups),
                         chittest::SetupName);
