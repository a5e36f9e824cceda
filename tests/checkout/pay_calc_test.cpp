#include <gtest/gtest.h>

#include "checkout/pay_calc.h"
#include "checkout/pay_out.h"
#include "chit/records.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/coin_changer.h"
#include "platform/dialogs.h"
#include "sale/sale_globals.h"

using orv::Currency;
using namespace orv::checkout;

namespace {

Currency W(int64_t v) { return *Currency::FromWhole(v); }

TEST(DueOf, RoundsTheLastDigitByTheThreshold) {
  struct Case {
    int64_t total;
    int16_t julsa;
    int64_t due;
  } cases[] = {{12346, 5, 12350}, {12345, 5, 12340}, {12346, 10, 12340}, {12345, 10, 12340},
               {12340, 5, 12340}, {-1234, 5, -1230}, {-1237, 5, -1240}, {0, 5, 0}};
  for (const Case &c : cases)
    EXPECT_EQ(DueOf(W(c.total), c.julsa), W(c.due)) << c.total << " with " << c.julsa;
}

TEST(DiscountOf, TensOfTheRateAndRefusesRatesOutsideAHundred) {
  EXPECT_EQ(DiscountOf(W(12250), W(10)), W(1220));  // 122.5 tens: to the even 122
  EXPECT_EQ(DiscountOf(W(12345), W(10)), W(1230));
  EXPECT_EQ(DiscountOf(W(12350), W(10)), W(1240));  // 123.5 tens: to the even 124
  EXPECT_EQ(DiscountOf(W(12345), W(0)), W(0));
  EXPECT_EQ(DiscountOf(W(12345), W(100)), W(12340));
  EXPECT_FALSE(DiscountOf(W(12345), W(101)));
  EXPECT_FALSE(DiscountOf(W(12345), W(-5)));
}

TEST(SplitCardShare, SharesByTheCardRatioOnGoodsLinesOnly) {
  orv::state::ResetProgramState();
  gtPanChit.PctHab = W(10000);
  gtPanChit.PctCard = W(3333);
  gtPanGods[1].PcgGdsKey = W(1);
  gtPanGods[1].PcgSu = W(3);
  gtPanGods[1].PcgGum = W(6000);
  gtPanGods[2].PcgChtNo = 77;  // no goods: left alone
  SplitCardShare(5);
  const PanGodsLine &g = gtPanGods[1];
  EXPECT_EQ(g.PcgChtNo, 5);
  EXPECT_EQ(g.PcgMoneySu, Currency::FromRaw(20100));
  EXPECT_EQ(g.PcgCardSu, Currency::FromRaw(9900));
  EXPECT_EQ(g.PcgMoneyGum, W(4020));
  EXPECT_EQ(g.PcgCardGum, W(1980));
  EXPECT_EQ(gtPanGods[2].PcgChtNo, 77);

  gtPanChit.PctHab = W(0);  // a zero sale: all cash whatever the card amount
  SplitCardShare(5);
  EXPECT_EQ(g.PcgMoneyGum, W(6000));
  EXPECT_EQ(g.PcgCardGum, W(0));

  gtPanChit.PctHab = W(-6000);  // a return by card keeps a positive ratio
  gtPanChit.PctCard = W(-6000);
  SplitCardShare(5);
  EXPECT_EQ(g.PcgMoneyGum, W(0));
  EXPECT_EQ(g.PcgCardGum, W(6000));
  orv::state::ResetProgramState();
}

TEST(CoinPayoutAmount, TensAndHundredsOfAPositiveChange) {
  struct Case {
    const char *change;
    bool rule;
    int expected;  // -1: nothing paid
  } cases[] = {{"1,234", false, 230}, {"1,234", true, 200}, {"45", false, 40},
               {"45", true, -1},      {"1,050", false, 50}, {"1,050", true, 0},
               {"1,000", false, -1},  {"9", false, -1},     {"", false, -1},
               {"-1234", false, -1},  {"-50", false, -1},   {"0", false, -1}};
  for (const Case &c : cases) {
    const auto got = CoinPayoutAmount(QString::fromUtf8(c.change), c.rule);
    EXPECT_EQ(got ? int(*got) : -1, c.expected) << c.change << " rule " << c.rule;
  }
}

class PayOutCoinsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    orv::coin::ResetCoinSimulator();
    giCoinOn = 1;
    giSetPos = 1;
    giSetCoin = 2;
  }
  void TearDown() override {
    orv::coin::ResetCoinSimulator();
    orv::state::ResetProgramState();
  }
};

TEST_F(PayOutCoinsTest, PaysTheCoinPartAndRetriesABusyChanger) {
  PayOutCoins("1,234");
  EXPECT_EQ(orv::coin::CoinOutCalls(), QList<int16_t>{230});

  orv::coin::ResetCoinSimulator();
  for (int i = 0; i < 20; ++i) orv::coin::QueueCoinStatus(-1);
  orv::dialogs::Script script;
  PayOutCoins("1,234");
  EXPECT_EQ(orv::coin::CoinOutCalls().size(), 11);  // once and ten more, then silence
  EXPECT_TRUE(script.Log().isEmpty());
}

TEST_F(PayOutCoinsTest, StatusMessagesAndSwitchedOffChangers) {
  struct Case {
    int16_t status;
    QString message;
  } cases[] = {{-2, QStringLiteral("입력금액 Error")}, {3, QStringLiteral("인출 부족 금액")},
               {-3, {}}, {0, {}}};
  for (const Case &c : cases) {
    orv::coin::ResetCoinSimulator();
    orv::coin::QueueCoinStatus(c.status);
    orv::dialogs::Script script;
    PayOutCoins("560");
    ASSERT_EQ(script.Log().size(), c.message.isEmpty() ? 0 : 1) << c.status;
    if (!c.message.isEmpty()) {
      EXPECT_EQ(script.Log()[0].text, c.message);
      EXPECT_TRUE(script.Log()[0].title.isEmpty());
    }
  }
  orv::coin::ResetCoinSimulator();
  giSetCoin = 1;
  PayOutCoins("560");
  giSetCoin = 2;
  giCoinOn = 0;
  PayOutCoins("560");
  giCoinOn = 1;
  PayOutCoins("-560");  // a negative change pays nothing
  EXPECT_TRUE(orv::coin::CoinOutCalls().isEmpty());
}

TEST(TenderBoxesBlock, OneToNineWonEitherSign) {
  EXPECT_TRUE(TenderBoxesBlock(std::array{W(0), W(5)}));
  EXPECT_TRUE(TenderBoxesBlock(std::array{W(9)}));
  EXPECT_TRUE(TenderBoxesBlock(std::array{W(-5)}));
  EXPECT_FALSE(TenderBoxesBlock(std::array{W(0), W(10), W(10000), W(-10)}));
}

TEST(CheckCstMoney, BalanceUnitAndDue) {
  CstMoneyInput in;
  in.usableGum = W(5000);
  in.usableJum = W(5000);
  in.due = W(12000);
  in.unit = W(1000);
  in.total = W(12000);
  struct Case {
    int64_t typed;
    bool fromPoints;
    CstMoneyRefusal expected;
  } cases[] = {{3000, false, CstMoneyRefusal::None},  {3500, false, CstMoneyRefusal::BadInput},
               {6000, false, CstMoneyRefusal::Money}, {500, false, CstMoneyRefusal::Money},
               {6000, true, CstMoneyRefusal::Points}, {0, false, CstMoneyRefusal::None}};
  for (const Case &c : cases) {
    in.typed = W(c.typed);
    in.fromPoints = c.fromPoints;
    EXPECT_EQ(CheckCstMoney(in), c.expected) << c.typed << " points " << c.fromPoints;
  }
  // A refund in points mode skips the balance and goes on to the unit and due tests.
  in.total = W(-12000);
  in.due = W(-12000);
  in.fromPoints = true;
  in.typed = W(-9000);
  EXPECT_EQ(CheckCstMoney(in), CstMoneyRefusal::None);
  in.typed = W(-13000);
  EXPECT_EQ(CheckCstMoney(in), CstMoneyRefusal::BadInput);
  // The change deduction box holds an amount: nothing is tested.
  in.disCoin = W(45);
  in.typed = W(-13500);
  EXPECT_EQ(CheckCstMoney(in), CstMoneyRefusal::None);
  // A unit of 0 refuses instead of dividing.
  in = CstMoneyInput{};
  in.typed = W(1000);
  in.usableGum = W(5000);
  in.due = W(12000);
  in.total = W(12000);
  EXPECT_EQ(CheckCstMoney(in), CstMoneyRefusal::BadInput);
}

}  // namespace
