#include <gtest/gtest.h>

#include "closing/closing_figures.h"
#include "closing/coin_counts.h"
#include "closing_fixture.h"
#include "core/values.h"
#include "platform/settings_store.h"

using namespace orv::closing;
using closingtest::ClosingFixture;
using orv::Currency;

namespace {
Currency W(int64_t v) { return *Currency::FromWhole(v); }
}  // namespace

TEST(ClosingContextTest, MonthWindowOfADate) {
  struct Case {
    int y, m, d;
    const char *date, *prev, *cur, *next;
  } cases[] = {
      {2025, 1, 15, "20250115", "2412", "2501", "2502"},
      {2024, 12, 31, "20241231", "2411", "2412", "2501"},
      {2024, 3, 31, "20240331", "2402", "2403", "2404"},
      {2000, 2, 29, "20000229", "0001", "0002", "0003"},
  };
  for (const Case &c : cases) {
    const ClosingContext ctx = MakeClosingContext(c.y, c.m, c.d);
    EXPECT_EQ(ctx.msWrkDate, c.date);
    EXPECT_EQ(ctx.msYyMmPrev, c.prev) << c.date;
    EXPECT_EQ(ctx.msYyMmCur, c.cur) << c.date;
    EXPECT_EQ(ctx.msYyMmNext, c.next) << c.date;
    EXPECT_EQ(ctx.miHasPrev + ctx.miHasCur + ctx.miHasNext, 0);
    EXPECT_EQ(MakeClosingContext(QString(c.date)).msYyMmPrev, c.prev);
  }
  for (const char *bad : {"abc", "", "2025011", "20251301", "20250230", "2025-1-1"})
    EXPECT_TRUE(MakeClosingContext(QString(bad)).msWrkDate.isEmpty()) << bad;
}

TEST(ClosingFiguresTest, ShownRoundsHalvesAwayFromZero) {
  EXPECT_EQ(Shown(Currency::FromRaw(12345000)), W(1235));  // 1234.5
  EXPECT_EQ(Shown(Currency::FromRaw(-12345000)), W(-1235));
  EXPECT_EQ(Shown(Currency::FromRaw(12344999)), W(1234));
  EXPECT_EQ(Shown(W(0)), W(0));
  EXPECT_THROW(Shown(Currency::FromRaw(INT64_MIN)), std::overflow_error);
  EXPECT_THROW(Shown(Currency::FromRaw(INT64_MAX - 5)), std::overflow_error);
}

TEST(ClosingFiguresTest, DerivedBoxes) {
  // Current balance: opening 100,000 + sales 50,000 + collections 10,000 − deposits 30,000
  // − credit 5,000 − in-house 2,000. Actual cash: opening 100,000 + cash 40,000 + collected
  // in cash 10,000 + change saved 1,000 − own 5,000 − other vouchers 3,000 − deposits 30,000.
  ClosingFigures f;
  f.txtInitGum = W(100000);
  f.txtMidGum = W(30000);
  f.txtOiReturn = W(10000);
  f.txtOiMoney = W(10000);
  f.txtOiCard = W(700);
  ChitSums s;
  s.PctHab = W(50000);
  s.PctRGum = W(50000);
  s.PctMoney = W(40000);
  s.PctOiSang = W(5000);
  s.PctCSobi = W(2000);
  s.PclGum06 = W(1000);
  s.PclJaSangPum = W(5000);
  s.PclTaSangPum = W(3000);
  s.PctCard = W(9000);
  s.PctSss4 = W(450);
  ApplyChitSums(s, f);
  EXPECT_EQ(f.txtNowMoney, W(123000));
  EXPECT_EQ(f.txtRealMoney, W(113000));
  EXPECT_EQ(f.txtPctMoney, W(40000));
  EXPECT_EQ(f.txtRealCard, W(9700));
  EXPECT_EQ(f.txtRealSang, W(8000));
  EXPECT_EQ(f.txtDcGum, W(450));

  s.PctHab = Currency::FromRaw(INT64_MAX - 5);
  EXPECT_THROW(ApplyChitSums(s, f), std::overflow_error);
  EXPECT_EQ(f.txtNowMoney, W(123000)) << "a failed computation leaves the figures";
}

TEST(CoinCountsTest, AmountsSubtotalsAndTotal) {
  std::array<Currency, kCoinKinds> counts{};
  counts[1] = W(3);  // 50,000
  counts[4] = W(7);  // 1,000
  counts[8] = W(2);  // 10
  const CoinTotals t = CountCoins(counts);
  EXPECT_EQ(t.amounts[1], W(150000));
  EXPECT_EQ(t.amounts[4], W(7000));
  EXPECT_EQ(t.total1, W(150000));
  EXPECT_EQ(t.total2, W(7020));
  EXPECT_EQ(t.total, W(157020));
  EXPECT_EQ(CoinKey(0), "giSetCoin100000");
  EXPECT_EQ(CoinKey(8), "giSetCoin10");
  counts[0] = Currency::FromRaw(INT64_MAX / 2);
  EXPECT_THROW(CountCoins(counts), std::overflow_error);
}

class ClosingFigures_ : public ClosingFixture {};

TEST_P(ClosingFigures_, OpenFiguresOfTheCashiersDay) {
  PlantDay();
  ClosingContext ctx = WorkDateContext();
  ProbeClosingContext(ctx);
  EXPECT_EQ(ctx.Months(), QStringList({"2412", "2501"}));
  const ClosingFigures f = ReadOpenFigures(ctx);

  // Goods: the missing goods first, then by folded name; sold before returned; the same
  // goods of two months merged; a zero line nowhere; the coupon green in its own boxes.
  ASSERT_EQ(f.goods.size(), 4u);
  EXPECT_EQ(f.goods[0].PcgGdsKey, W(99));
  EXPECT_TRUE(f.goods[0].BarcodeText().isEmpty());
  EXPECT_TRUE(f.goods[0].NameText().isEmpty());
  EXPECT_EQ(f.goods[0].PcgGum, W(26000));
  EXPECT_EQ(f.goods[1].NameText(), "banana[1kg]");
  EXPECT_EQ(f.goods[1].BarcodeText(), "8801");
  EXPECT_EQ(f.goods[1].Ord, 0);
  EXPECT_EQ(f.goods[1].PcgSu, W(3));
  EXPECT_EQ(f.goods[1].PcgGum, W(15000));
  EXPECT_EQ(f.goods[2].Ord, 1);
  EXPECT_EQ(f.goods[2].PcgSu, W(-1));
  EXPECT_EQ(f.goods[2].PcgGum, W(-5000));
  EXPECT_EQ(f.goods[3].NameText(), "Coupon");
  EXPECT_EQ(f.goods[3].BarcodeText(), "1002");
  EXPECT_TRUE(f.goods[3].IsCoupon());
  EXPECT_EQ(f.txtBanSu, 2);
  EXPECT_EQ(f.txtBanGum, W(-5000));
  EXPECT_EQ(f.txtCmsSu, W(1));
  EXPECT_EQ(f.txtCmsGum, W(-1000));

  // Cash: this POS's opening cash; open deposits of any POS, by write time.
  EXPECT_EQ(f.txtInitGum, W(100000));
  EXPECT_EQ(f.msIntDate, "20250115");
  EXPECT_EQ(f.msIntTime, "090000");
  EXPECT_EQ(f.txtMidGum, W(50000));
  ASSERT_EQ(f.deposits.size(), 2u);
  EXPECT_EQ(f.deposits[0].msMidTime, "120000");
  EXPECT_EQ(f.deposits[1].mcMidGum, W(20000));

  EXPECT_EQ(f.txtOiReturn, W(7000));
  EXPECT_EQ(f.txtOiMoney, W(4000));
  EXPECT_EQ(f.txtOiCard, W(3000));

  EXPECT_EQ(f.txtPctHab, W(33000));
  EXPECT_EQ(f.txtPctMoney, W(16000));  // 23,000 + (33,000 − 40,000)
  EXPECT_EQ(f.txtPclJa, W(1000));
  EXPECT_EQ(f.txtPclTa, W(3000));
  EXPECT_EQ(f.txtPctCard, W(10000));
  EXPECT_EQ(f.txtPctOiSang, W(2000));
  EXPECT_EQ(f.txtPctCSobi, W(1000));
  EXPECT_EQ(f.txtPclGum05, W(500));
  EXPECT_EQ(f.txtPclGum06, W(100));
  EXPECT_EQ(f.txtPctGum, W(27273));
  EXPECT_EQ(f.txtPctBuga, W(2727));
  EXPECT_EQ(f.txtPctNtx, W(0));
  EXPECT_EQ(f.txtDcGum, W(300));
  EXPECT_EQ(f.txtNowMoney, W(87000));
  EXPECT_EQ(f.txtRealMoney, W(66100));
  EXPECT_EQ(f.txtRealCard, W(13000));
  EXPECT_EQ(f.txtRealSang, W(4000));
}

TEST_P(ClosingFigures_, NoFlaggedMonthGivesZerosAndAnEmptyGrid) {
  PlantDay();
  ClosingContext ctx = MakeClosingContext(2023, 6, 1);
  ProbeClosingContext(ctx);
  EXPECT_TRUE(ctx.Months().isEmpty());
  const ClosingFigures f = ReadOpenFigures(ctx);
  EXPECT_TRUE(f.goods.empty());
  EXPECT_EQ(f.txtBanSu, 0);
  EXPECT_EQ(f.txtPctHab, W(0));
  EXPECT_EQ(f.txtOiReturn, W(0));
  // The cash does not depend on the months.
  EXPECT_EQ(f.txtInitGum, W(100000));
  EXPECT_EQ(f.txtNowMoney, W(50000));
}

TEST_P(ClosingFigures_, AFailingReadLeavesItsFigures) {
  PlantDay();
  ClosingContext ctx = WorkDateContext();
  ProbeClosingContext(ctx);
  ClosingFigures f = ReadOpenFigures(ctx);
  goDbPos.Execute("Drop Table PanGodsT2501");
  EXPECT_THROW(ReadGoodsFigures(ctx, f), orv::db::DbError);
  EXPECT_EQ(f.goods.size(), 4u);
  EXPECT_EQ(f.txtBanSu, 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, ClosingFigures_, ::testing::ValuesIn(closingtest::kOffline),
                         closingtest::SetupName);
