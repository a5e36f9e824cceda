#include <gtest/gtest.h>

#include "chit/etc_chits.h"
#include "chit/records.h"
#include "chit/sale_savers.h"
#include "chit/saver_state.h"
#include "chit_fixture.h"
#include "platform/dialogs.h"
#include "sale_fill.h"

using chittest::ChitFixture;
using chittest::FillSale;
using orv::Currency;

class SaleSavers : public ChitFixture {};

TEST_P(SaleSavers, SaleChitAndItsCopyWriteEveryRowUnderTheirNumbers) {
  chittest::SetOption("PosChitNoSeq", 1);
  FillSale(0);
  FillSale(5);
  for (int i : {3, 4}) gtPanGods[i].PcgGdsKey = {};  // lines 1, 2 and 5
  gtPanGods[5].PcgMoneyGum = Currency::Won(700);
  gtPanGods[5].PcgCardGum = Currency::Won(300);
  gtPanChit.PctMoney = Currency::Won(100);
  gtPanList.PclJaSangPum = Currency::Won(50);
  gtPanList.PclTaSangPum = Currency::Won(20);
  gtPanCard[2].PcdMoney = Currency::Won(300);
  gtPanChit.PctCDComName = "O'Card";
  PlantChit(goDbMain, "PanChit2403", 1);
  orv::dialogs::Script script;
  EXPECT_EQ(gsPanChitInsert(0, 0), "");
  EXPECT_EQ(glSaveChtNo, 2);
  EXPECT_EQ(gtPanChit.PctChtNo, 2);
  EXPECT_EQ(gtPanChit.PctMoney, Currency::Won(170));
  EXPECT_EQ(Count(goDbMain, "PanGods2403", "PcgChtNo=2"), 3);
  EXPECT_EQ(Count(goDbMain, "PanCard2403", "PcdChtNo=2"), 1);
  EXPECT_EQ(Count(goDbMain, "PanList2403", "PclChtNo=2"), 1);
  auto rs = goDbMain.OpenRecordset("Select * From PanGods2403 Where PcgChtNo=2 Order By PcgSeqNo");
  rs.MoveLast();
  ClearPanGodsRecords();
  ReadPanGodsRecord(rs, 1);
  EXPECT_EQ(gtPanGods[1].PcgSeqNo, 5);
  EXPECT_EQ(gtPanGods[1].PcgMoneyGum, Currency::Won(700));
  EXPECT_EQ(gtPanGods[1].PcgCardGum, Currency::Won(300));
  auto head = goDbMain.OpenRecordset("Select * From PanChit2403 Where PctChtNo=2");
  ReadPanChitTRecord(head);
  EXPECT_EQ(gtPanChitT.PctMoney, Currency::Won(170));
  EXPECT_EQ(gtPanChitT.PctCDComName, "O'Card");

  // The copy counts the POS copies: it is chit 1 there.
  FillSale(3);
  gtPanChit.PctChtNo = 2;
  EXPECT_EQ(gsPanChitTInsert(0), "");
  EXPECT_EQ(glSaveChtNo, 1);
  EXPECT_EQ(Count(goDbPos, "PanChitT2403", "PctChtNo=1"), 1);
  EXPECT_EQ(Count(goDbPos, "PanGodsT2403", "PcgChtNo=1"), 3);
  EXPECT_TRUE(script.Texts().isEmpty());
}

TEST_P(SaleSavers, ClockNumbersAndTheCopyKeepsTheSaleNumberUnlessTaken) {
  FillSale(2);
  orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 0)));
  EXPECT_EQ(gsPanChitInsert(0, 1), "");
  EXPECT_EQ(gtPanChit.PctChtNo, 140530);
  PlantChit(goDbPos, "PanChitT2403", 140530);
  EXPECT_EQ(gsPanChitTInsert(0), "");
  EXPECT_EQ(gtPanChitT.PctChtNo, 140531);
  EXPECT_EQ(gtPanChit.PctChtNo, 140530);
}

TEST_P(SaleSavers, APickedCreditChitNumberTakenElsewhereIsChosenAgain) {
  if (!online()) GTEST_SKIP() << "offline a picked credit chit does not keep its number";
  chittest::SetOption("PosChitNoSeq", 1);
  PlantChit(goDbMain, "PanChit2403", 20003);
  FillSale(2);
  gtPanChit.PctOisang = Currency::Won(3000);
  giOisangPick = 1;
  glOisangChtNo = 20003;
  EXPECT_EQ(gsPanChitInsert(0, 0), "");
  EXPECT_EQ(gtPanChit.PctChtNo, 20004);
  EXPECT_EQ(Count(goDbMain, "PanGods2403", "PcgChtNo=20004"), 2);
}

struct FailCase {
  const char *name;
  const char *plant;   // statement on goDbMain that makes the step fail
  const char *prefix;  // the error text begins so
  const char *shown;   // the box begins so
  bool listNumbered;   // PclChtNo was written before the failure
};

TEST_P(SaleSavers, EachKindOfStepFailsWithItsLabelBoxRollbackAndRecordsRestored) {
  const FailCase cases[] = {
      // A table the choice of the number can read but the insert cannot fill.
      {"header",
       "Create Table PanChit2403x(PctYear int, PctMon int, PctDay int, PctDate char(8), "
       "PctChtNo int)",
       "[gsPanChitInsSql:", "Insert into PanChit2403(", false},
      {"list",
       "Insert Into PanList2403(PclYear,PclMon,PclDay,PclDate,PclChtNo,PclPosNo,PclPsnKey,PclSel)"
       " Values(2024,3,15,'20240315',1,3,5,0)",
       "[gsPanListInsSql:", "Insert into PanList2403(", true},
      {"card",
       "Insert Into PanCard2403(PcdYear,PcdMon,PcdDay,PcdDate,PcdChtNo,PcdPosNo,PcdSeqNo)"
       " Values(2024,3,15,'20240315',1,0,2)",
       "[gsPanCardInsSql(2):", "Insert into PanCard2403(", true},
      {"line",
       "Insert Into PanGods2403(PcgYear,PcgMon,PcgDay,PcgDate,PcgChtNo,PcgSeqNo,PcgGdsKey) "
       "Values(2024,3,15,'20240315',1,7,1)",
       "[gsPanGodsInsSql(7):", "Insert into PanGods2403(", true},
      {"deletes", "Drop Table WatGodsSpeed", "[gsWatChitDelSql:", "전표기록시 대기삭제중 오류", true},
  };
  for (const FailCase &c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    chittest::SetOption("PosChitNoSeq", 1);
    if (QString(c.name) == "header") goDbMain.Execute("Drop Table PanChit2403");
    goDbMain.Execute(QString(c.plant).replace("PanChit2403x", "PanChit2403"));
    FillSale(9);
    gtPanCard[2].PcdCardGum = Currency::Won(1000);
    gtPanCard[2].PcdSeqNo = 2;
    gtPanCard[2].PcdYear = 2024;
    gtPanCard[2].PcdMon = 3;
    gtPanCard[2].PcdDay = 15;
    gtPanCard[2].PcdDate = "20240315";
    gtWatChit.ChtNo = 12;
    gtWatChit.Date = "20240315";
    gtPanList.PclJaSangPum = Currency::Won(50);
    const PanChitRec entry = gtPanChit;
    orv::dialogs::Script script;
    const QString err = gsPanChitInsert(0, 0);
    EXPECT_TRUE(err.startsWith(c.prefix)) << err.toStdString();
    EXPECT_TRUE(err.endsWith("]"));
    ASSERT_EQ(script.Texts().size(), 1);
    EXPECT_TRUE(script.Texts()[0].startsWith(QString::fromUtf8(c.shown)))
        << script.Texts()[0].toStdString();
    EXPECT_EQ(gsSaveErr, err);
    EXPECT_EQ(glSaveChtNo, 0);
    EXPECT_EQ(gtPanChit.PctChtNo, entry.PctChtNo);
    EXPECT_EQ(gtPanChit.PctMoney, entry.PctMoney);
    EXPECT_EQ(gtPanGods[1].PcgChtNo, 0);
    EXPECT_EQ(gtPanList.PclChtNo, c.listNumbered ? 1 : 0);
    EXPECT_EQ(goDbMain.TransLevel(), 0);
    if (QString(c.name) != "header") {
      EXPECT_EQ(Count(goDbMain, "PanChit2403"), 0);
      EXPECT_EQ(Count(goDbMain, "PanGods2403", "PcgSeqNo<>7"), 0);
    }
  }
}

TEST_P(SaleSavers, TheCopyRemovesTheRecalledHeldAndDeliveryChitsAndFailsWhenTheLookUpFails) {
  // A held chit and a delivery chit on the POS database, recalled into the sale.
  auto plantEtc = [&](const QString &table, const QString &p, int no) {
    goDbPos.Execute("Insert Into " + table + "(" + p + "Year," + p + "Mon," + p + "Day," + p +
                    "Date," + p + "ChtNo," + p + "PosNo," + p + "PsnKey," + p + "Hab," + p +
                    "WrtDate," + p + "WrtTime," + p + "Commit) Values(2024,3,15,'20240315'," +
                    QString::number(no) + ",3,5,4500,'20240315','101010',0)");
  };
  plantEtc("WatChitT", "Wct", 4);
  plantEtc("BdlChit", "Bct", 6);
  goDbPos.Execute(
      "Insert Into WatGodsT(WcgYear,WcgMon,WcgDay,WcgDate,WcgChtNo,WcgSeqNo,WcgGdsKey,WcgCommit) "
      "Values(2024,3,15,'20240315',4,1,7,0)");
  FillSale(3);
  gtPanChit.PctChtNo = 50;
  gtWatChit = {};
  gtWatChit.ChtNo = 99;  // the number is not compared for a held chit
  gtWatChit.WrtDate = "20240315";
  gtWatChit.WrtTime = "101010";
  gtWatChit.Hab = Currency::Won(4500);
  gtBdlChit = gtWatChit;
  gtBdlChit.ChtNo = 6;
  EXPECT_EQ(gsPanChitTInsert(0), "");
  EXPECT_EQ(Count(goDbPos, "WatChitT"), 0);
  EXPECT_EQ(Count(goDbPos, "WatGodsT"), 0);
  EXPECT_EQ(Count(goDbPos, "BdlChit"), 0);
  EXPECT_EQ(Count(goDbPos, "PanChitT2403", "PctChtNo=50"), 1);

  // A look-up that fails is a failure, not a chit passed over.
  goDbPos.Execute("Drop Table WatChitT");
  FillSale(3, "T2");
  gtPanChit.PctChtNo = 51;
  orv::dialogs::Script script;
  const QString err = gsPanChitTInsert(0);
  EXPECT_TRUE(err.startsWith("[gsWatChitTDelSql:")) << err.toStdString();
  EXPECT_EQ(script.Texts(), QStringList{"전표기록시 대기삭제중 오류"});
  EXPECT_EQ(Count(goDbPos, "PanChitT2403", "PctChtNo=51"), 0);
  EXPECT_EQ(glSaveChtNo, 0);
}

INSTANTIATE_TEST_SUITE_P(Setups, SaleSavers, ::testing::ValuesIn(chittest::kAllSetups),
                         chittest::SetupName);
