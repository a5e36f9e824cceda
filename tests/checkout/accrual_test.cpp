#include <gtest/gtest.h>

#include <QDateTime>

#include "checkout/accrual.h"
#include "chit/records.h"
#include "core/state.h"

using orv::Currency;
using namespace orv::checkout;

namespace {

Currency W(int64_t v) { return *Currency::FromWhole(v); }

class AccrualTest : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    o.rate1 = 1000;
    o.rate2 = 2000;
    c.wrkDate = "20240215";  // a Thursday
    c.wrkMonth = 2;
    c.wrkDay = 15;
    c.now = QDateTime(QDate(2024, 2, 15), QTime(14, 5, 20));
    c.irt = 0;
    c.readVisit = [this](bool, Currency) { return stored; };
    gtCstCode.CcdKey = W(7);
    gtCstCode.CcdZerdo = W(100000);
    gtCstCode.CcdJumsu = W(100);
  }
  void TearDown() override { orv::state::ResetProgramState(); }

  Currency Member(int64_t total) {
    gtPanChit.PctHab = W(total);
    CalcCstJumsu(c, o);
    return gtPanList.PclGum02;
  }
  Currency Walkin(int64_t total) {
    gtCstCode = {};
    gtPanChit.PctHab = W(total);
    CalcNoCstJumsu(c, o);
    return c.noCstJumsu;
  }

  AccrualOptions o;
  AccrualContext c;
  int32_t stored = 0;
};

TEST_F(AccrualTest, RoundingOfTheRawPoints) {
  struct Case {
    int16_t irt;
    int64_t base;
    int64_t points;
  } cases[] = {{0, 15100, 16}, {0, 15000, 15}, {1, 15500, 16}, {1, 15499, 15},
               {2, 15999, 15}, {2, 15000, 15}, {0, -15100, -16}};
  for (const Case &k : cases) {
    c.irt = k.irt;
    EXPECT_EQ(Walkin(k.base), W(k.points)) << k.base << " irt " << k.irt;
  }
}

TEST_F(AccrualTest, MemberTotalsVisitsAndDate) {
  EXPECT_EQ(Member(15100), W(16));
  EXPECT_EQ(gtPanList.PclGum01, W(15100));
  EXPECT_EQ(gtCstCode.CcdZerdo, W(115100));
  EXPECT_EQ(gtCstCode.CcdJumsu, W(116));
  EXPECT_EQ(gtCstCode.CcdCnt, W(1));
  EXPECT_EQ(gtCstCode.CcdLpdate, "20240215");
  EXPECT_EQ(gtPanList.PclGum03, W(115100));
  EXPECT_EQ(gtPanList.PclGum04, W(116));
}

TEST_F(AccrualTest, FactorMultiplierAndGradeOrder) {
  o.factor = 3;
  EXPECT_EQ(Walkin(15000), W(45));
  o.factor = 1;
  o.jumSel = 1;
  o.jumDate = "2024010120241231";
  o.jumMul = 2;
  EXPECT_EQ(Walkin(15000), W(30));
  o.jumMul = 1;
  EXPECT_EQ(Walkin(15000), W(15));
  // The grade percentage comes after the multiplier and is not multiplied.
  o.jumSel = 0;
  gtCstCode = {};
  gtCstCode.CcdKey = W(7);
  gtCstCode.CcdDegree = 2;
  c.gradeSelt[2] = 1;
  c.gradeMulti[2] = 10;
  EXPECT_EQ(Member(15100), W(18));  // 16 + Fix(1.6 + 0.9)
  EXPECT_EQ(gtPanList.PclGum08, W(2));
}

TEST_F(AccrualTest, EventDaysTiersHoursAndWeekdays) {
  o.jumSel = 1;
  o.jumDate = "2024020120240229";
  o.jumMul = 2;
  o.gumD[0] = W(50000);
  o.mulD[0] = W(3);
  const QTime noon(12, 0);
  EXPECT_EQ(EventMultiplier(o, "20240215", W(50000), noon), 2);
  EXPECT_EQ(EventMultiplier(o, "20240215", W(50001), noon), 3);
  EXPECT_EQ(EventMultiplier(o, "20240301", W(50001), noon), 0);  // outside the period
  o.time[0] = "09001000";
  o.mul[0] = 5;
  EXPECT_EQ(EventMultiplier(o, "20240215", W(100), QTime(10, 0, 59)), 5);
  EXPECT_EQ(EventMultiplier(o, "20240215", W(100), QTime(10, 1)), 2);
  o.time[0] = "22000200";  // across midnight: never
  EXPECT_EQ(EventMultiplier(o, "20240215", W(100), QTime(23, 0)), 2);
  o.time[1] = o.time[2] = "99999999";
  o.time[0].clear();  // empty: the minute 00:00 only
  EXPECT_EQ(EventMultiplier(o, "20240215", W(100), QTime(0, 0, 30)), 5);
  o.time[0] = "99999999";
  o.jumYoil = "1000000";  // Sundays out
  EXPECT_EQ(EventMultiplier(o, "20240218", W(100), noon), 0);
  EXPECT_EQ(EventMultiplier(o, "20240215", W(100), noon), 2);
  o.mulD[0] = W(40000);  // a multiplier outside 16 bits reads 0
  EXPECT_EQ(EventMultiplier(o, "20240215", W(50001), noon), 0);
}

TEST_F(AccrualTest, GatesAndRates) {
  gtPanChit.PctCard = W(5000);
  EXPECT_EQ(Walkin(15000), W(8));  // the second rate for card sales: 7.5 + 0.9
  o.cstCard = 1;
  EXPECT_EQ(Walkin(15000), W(0));
  // A member still counts the visit without points.
  gtCstCode.CcdKey = W(7);
  EXPECT_EQ(Member(15000), W(0));
  EXPECT_EQ(gtCstCode.CcdCnt, W(1));
  EXPECT_EQ(gtCstCode.CcdZerdo, W(0));
  o.cstCard = 0;
  o.rate2 = 0;  // no second rate: no points, but the base is counted
  gtCstCode = {};
  gtCstCode.CcdKey = W(7);
  gtPanList = {};
  EXPECT_EQ(Member(15000), W(0));
  EXPECT_EQ(gtPanList.PclGum01, W(15000));
}

TEST_F(AccrualTest, FixedBonusAndTheVisitCounter) {
  gtCstCode.CcdDegree = 1;
  c.gradeSelt[1] = 1;
  c.gradeAdd[1] = 5;
  c.gradeCnt[1] = 1;
  stored = 0;
  EXPECT_EQ(Member(15000), W(20));
  EXPECT_TRUE(c.visit.pending);
  EXPECT_EQ(c.visit.value, 21501);
  stored = 21501;  // the second visit of the day: no bonus
  EXPECT_EQ(Member(15000), W(15));
  EXPECT_EQ(c.visit.value, 21502);
  stored = 21599;
  EXPECT_EQ(Member(15000), W(15));
  EXPECT_EQ(c.visit.value, 21599);
  stored = 1;  // the OneMoa mark reads as another day
  EXPECT_EQ(Member(15000), W(20));
  EXPECT_EQ(c.visit.value, 21501);
}

TEST_F(AccrualTest, AReturnEarnsNoFixedBonusAndCountsNoVisit) {
  gtCstCode.CcdDegree = 1;
  c.gradeSelt[1] = 1;
  c.gradeAdd[1] = 5;
  c.gradeCnt[1] = 1;
  EXPECT_EQ(Member(-15100), W(-16));
  EXPECT_EQ(gtPanList.PclGum10, W(0));
  EXPECT_FALSE(c.visit.pending);
}

TEST_F(AccrualTest, CustomerMoneyAndChangeToPoints) {
  c.bnsMnySel = 1;
  c.bnsJumsu = W(100);
  c.bnsGum = W(10000);
  c.bnsMoney = W(1000);
  c.custMoney = W(2000);
  o.cstPanPrt = 0;
  Member(15000);  // 15 points; 20,000 of the sales total taken, 20 points with it
  EXPECT_EQ(gtPanList.PclGum01, W(15000 - 20000));
  EXPECT_EQ(gtPanList.PclGum02, W(15 - 20));
  // Without a first rate no points stand behind the money: none taken, no division.
  gtCstCode = {};
  gtCstCode.CcdKey = W(7);
  gtPanList = {};
  o.rate1 = 0;
  Member(15000);
  EXPECT_EQ(gtPanList.PclGum02, W(0));
  EXPECT_EQ(gtPanList.PclGum01, W(15000 - 20000));

  // Change to points: the coins below 100 won.
  o.rate1 = 1000;
  c.custMoney = {};
  c.bnsMnySel = 0;
  c.coinPointAdd = 1;
  o.moneyPoint = W(1);
  c.due = W(8650);
  c.changeText = "1350";
  gtPanList = {};
  Member(8650);
  EXPECT_EQ(gtPanList.PclGum06, W(50));
  EXPECT_EQ(gtPanList.PclGum07, W(50));
  c.changeText = "1300";
  gtPanList = {};
  Member(8650);
  EXPECT_EQ(gtPanList.PclGum06, W(0));
}

}  // namespace
