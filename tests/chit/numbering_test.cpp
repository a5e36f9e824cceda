#include <gtest/gtest.h>

#include "chit/chit_numbers.h"
#include "chit/pan_money.h"
#include "chit/unique_key.h"
#include "chit_fixture.h"

using chittest::ChitFixture;
using orv::Currency;

class Numbering : public ChitFixture {};

TEST_P(Numbering, SaleChitRangesAndTheSearchPastATakenTop) {
  using orv::chit::NextPanChtNoFor;
  const QString d = "20240315";
  EXPECT_EQ(NextPanChtNoFor(d, 0, 2403, false), 1);
  EXPECT_EQ(NextPanChtNoFor(d, 0, 2403, true), 20001);
  for (int n : {1, 2, 3, 4, 5, 6, 7}) PlantChit(goDbMain, "PanChit2403", n);
  PlantChit(goDbMain, "PanChit2403", 40);
  PlantChit(goDbMain, "PanChit2403", 20005);
  PlantChit(goDbMain, "PanChit2403", 3, "20240314");  // another date counts for nothing
  EXPECT_EQ(NextPanChtNoFor(d, 0, 2403, false), 41);
  EXPECT_EQ(NextPanChtNoFor(d, 0, 2403, true), 20006);
  // The top of the ordinary range taken: the rule's 20001 is a credit chit's number.
  PlantChit(goDbMain, "PanChit2403", 20000);
  PlantChit(goDbMain, "PanChit2403", 20001);
  PlantChit(goDbMain, "PanChit2403", 20002);
  EXPECT_EQ(NextPanChtNoFor(d, 0, 2403, false), 20003);
  PlantChit(goDbMain, "PanChit2403", 29999);
  PlantChit(goDbMain, "PanChit2403", 30000);
  EXPECT_EQ(NextPanChtNoFor(d, 0, 2403, true), 30001);
  // Source 1 counts only the POS copies.
  PlantChit(goDbPos, "PanChitT2403", 9);
  EXPECT_EQ(NextPanChtNoFor(d, 1, 2403, false), 10);
}

TEST_P(Numbering, HeldAndDeliveryChitsWrapPastTheTopToAFreeNumber) {
  const QString d = "20240315";
  EXPECT_EQ(NextWatChtNo(d, 1), 1);
  EXPECT_EQ(NextBdlChtNo(d), 1);
  PlantChit(goDbPos, "WatChitT", 999999, d, "Wct");
  PlantChit(goDbPos, "WatChitT", 1, d, "Wct");
  EXPECT_EQ(NextWatChtNo(d, 1), 2);
  PlantChit(goDbPos, "BdlChit", 4, d, "Bct");
  EXPECT_EQ(NextBdlChtNo(d), 5);
  PlantChit(goDbMain, "WatChit", 7, d, "Wct");
  EXPECT_EQ(NextWatChtNo(d, 0), 8);
}

TEST_P(Numbering, ClockNumbersMoveUpPastTakenOnes) {
  struct Case {
    QTime time;
    int16_t pos;
    int32_t number;
  };
  const Case cases[] = {{QTime(14, 5, 20), 3, 140530},
                        {QTime(0, 7, 0), 12, 240720},
                        {QTime(1, 0, 0), 0, 10000},
                        {QTime(9, 59, 59), 20, 95900}};
  for (const Case &c : cases) {
    orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), c.time));
    giSetPosNo = c.pos;
    EXPECT_EQ(NewChitNo(3), c.number) << c.time.toString().toStdString();
  }
  // The clock set back after a restart: the numbers of that minute are taken already.
  orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 0)));
  giSetPosNo = 3;
  PlantChit(goDbMain, "PanChit2403", 140530);
  PlantChit(goDbMain, "PanChit2403", 140531);
  PlantChit(goDbMain, "PanChit2403", 140532, "20240316");
  EXPECT_EQ(NewChitNo(1), 140532);
  PlantChit(goDbPos, "PanChitT2403", 140530);
  EXPECT_EQ(NewChitNo(2), 140531);
  EXPECT_EQ(FreePanChtNoT(140530), NewChitNo(2));
}

TEST_P(Numbering, MoneyRowNumbersAndTheirInsert) {
  struct Case {
    std::vector<int> existing;
    int32_t next;
  };
  const Case cases[] = {{{}, 1}, {{1, 2}, 3}, {{5}, 6}};
  for (const Case &c : cases) {
    goDbMain.Execute("Delete From PanMoney2403");
    for (int n : c.existing)
      goDbMain.Execute(
          "Insert Into PanMoney2403(PmoYear,PmoMon,PmoDay,PmoDate,PmoNo,PmoChtNo,PmoPosNo,"
          "PmoPsnKey) Values(2024,3,15,'20240315'," + QString::number(n) + ",0,3,1)");
    ClearPanMoneyRecord();
    gtPanMoney.PmoYear = 2024;
    gtPanMoney.PmoMon = 3;
    gtPanMoney.PmoDay = 15;
    gtPanMoney.PmoDate = "20240315";
    gsPanMoneyInsSql(2403);
    EXPECT_EQ(gtPanMoney.PmoNo, c.next);
  }
  // The receipt outside a sale: split, written, record emptied.
  gtPanMoney.PmoYear = 2024;
  gtPanMoney.PmoMon = 3;
  gtPanMoney.PmoDay = 15;
  gtPanMoney.PmoDate = "20240315";
  gtPanMoney.PmoPosNo = 3;
  gtPanMoney.PmoHab = Currency::Won(11000);
  gtPanMoney.PmoCardNo = "010'1234";
  gtPanMoney.PmoCmitNo = "A1";
  gtPanMoney.PmoCmitDate = "240315";
  SaveCashReceiptMoneyRow(1);
  EXPECT_EQ(gtPanMoney.PmoNo, 0);
  auto rs = goDbMain.OpenRecordset("Select * From PanMoney2403 Where PmoNo=6");
  ASSERT_EQ(rs.RecordCount(), 1);
  ReadPanMoneyRecord(rs);
  EXPECT_EQ(gtPanMoney.PmoGum, Currency::Won(10000));
  EXPECT_EQ(gtPanMoney.PmoBuga, Currency::Won(1000));
  EXPECT_EQ(gtPanMoney.PmoTax, Currency::Won(11000));
  EXPECT_EQ(gtPanMoney.PmoCardNo, "010'1234");
  // Without an approval nothing is written, and the record is emptied all the same.
  ClearPanMoneyRecord();
  gtPanMoney.PmoHab = Currency::Won(500);
  SaveCashReceiptMoneyRow(1);
  EXPECT_EQ(Count(goDbMain, "PanMoney2403"), 2);
  EXPECT_TRUE(gtPanMoney.PmoHab.IsZero());
}

TEST_P(Numbering, KeyViolationsAreToldApartFromOtherErrors) {
  PlantChit(goDbMain, "PanChit2403", 1);
  try {
    PlantChit(goDbMain, "PanChit2403", 1);
    FAIL() << "a second chit 1 was stored";
  } catch (const orv::db::DbError &e) {
    EXPECT_TRUE(orv::chit::IsUniqueKeyError(e)) << e.SqlState.toStdString();
  }
  try {
    goDbMain.Execute("Insert Into PanChit2403(PctYear) Values(2024)");
    FAIL();
  } catch (const orv::db::DbError &e) {
    EXPECT_FALSE(orv::chit::IsUniqueKeyError(e));
  }
}

INSTANTIATE_TEST_SUITE_P(Setups, Numbering, ::testing::ValuesIn(chittest::kAllSetups),
                         chittest::SetupName);

TEST(ChitNumbers, BarcodeCheckDigits) {
  struct Case {
    int64_t amount;
    int32_t band;
    int32_t digits;
  };
  const Case cases[] = {{1234, 0, 20},  {143530, 0, 59}, {1234567890, 0, 1}, {7, 0, 7},
                        {0, 0, 0},      {-1234, 0, 20},  {-12345, 0, 35},    {9990, 1, 0},
                        {12500, 1, 10}, {250000, 1, 50}, {-5000, 1, 0}};
  for (const Case &c : cases)
    EXPECT_EQ(ChitBarCheckDigitsFor(*Currency::FromWhole(c.amount), c.band), c.digits)
        << c.amount;
}

TEST(ChitNumbers, SupplyValueRoundsHalvesUpExactly) {
  const std::pair<int, int> cases[] = {{11000, 10000}, {1000, 909}, {1, 1}, {0, 0},
                                       {-11000, -10000}, {55, 50}, {1155, 1050}};
  for (auto [hab, gum] : cases)
    EXPECT_EQ(SupplyValueOf(Currency::Won(hab)), Currency::Won(gum)) << hab;
}
