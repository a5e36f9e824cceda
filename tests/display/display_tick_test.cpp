// What the customer display shows for what the sale and the open forms hold.
#include <gtest/gtest.h>

#include "display/display_tick.h"

using orv::Currency;
using orv::display::DisplayInputs;
using orv::display::DisplayTick;
using orv::display::DisplayView;

namespace {
Currency W(int v) { return Currency::Won(v); }
}  // namespace

TEST(DisplayTick, MirrorsTheSaleLinesAndTotals) {
  DisplayInputs in;
  in.now = " 2024-01-31 ";
  in.time = "09:30:00";
  in.lines = {{" 새우깡 90g ", "2", "1200", "2400"}, {"콜라", "0", "1500", "0"},
              {"계란", "1.5", "3,000", "4500"}};
  in.lines.resize(150);  // the sale grid's rows
  in.hab = W(0);
  in.rGum = W(10000);
  in.cGum = W(3100);
  in.pclGum06 = W(100);
  const DisplayView v = DisplayTick(in);
  EXPECT_EQ(v.now, "2024-01-31");
  ASSERT_EQ(v.rows.size(), 150);
  EXPECT_EQ(v.rows[0], (std::array<QString, 4>{QStringLiteral("새우깡 90g"), "2", "1,200", "2,400"}));
  EXPECT_EQ(v.rows[1][1], "");  // a quantity of 0 shows nothing
  EXPECT_EQ(v.rows[2][1], "1.50");
  EXPECT_EQ(v.rows[2][2], "3");  // a cell with a separator reads up to it
  EXPECT_EQ(v.activeRow, 4);
  EXPECT_EQ(v.habGum, "0");  // the totals show zero
  EXPECT_EQ(v.rGum, "10,000");
  EXPECT_EQ(v.cGum, "3,000");

  in.lines.fill({"x", "1", "1", "1"});
  EXPECT_EQ(DisplayTick(in).activeRow, 0);  // all 150 rows filled
}

TEST(DisplayTick, ShowsTheCustomerCard) {
  DisplayInputs in;
  in.customer.key = W(7);
  in.customer.no = W(1002);
  in.customer.name = QStringLiteral("김영희");
  in.customer.barcode = "2900000010026";
  in.customer.tel = "010-1234-5678";
  in.customer.hp = "   ";
  in.customer.lpDate = "20240131";
  in.customer.zerdo = W(1234567);
  in.customer.jumsu = W(0);
  struct Case {
    int16_t degree;
    const char *shown;
  } degrees[] = {{4, "VIP고객"}, {1, "우대고객"}, {0, ""}, {5, ""}};
  for (const Case &c : degrees) {
    in.customer.degree = c.degree;
    EXPECT_EQ(DisplayTick(in).customer[2], QString::fromUtf8(c.shown)) << c.degree;
  }
  DisplayView v = DisplayTick(in);
  EXPECT_EQ(v.customer[0], "1002");
  EXPECT_EQ(v.customer[3], "290 0000 01002 6");
  EXPECT_EQ(v.customer[4], "010-1234-5678");
  EXPECT_EQ(v.customer[8], "1,234,567");
  EXPECT_EQ(v.customer[9], "");  // no points: empty
  EXPECT_EQ(v.customer[10], "2024.01.31");

  in.cstDisplayNot = 1;
  v = DisplayTick(in);
  EXPECT_EQ(v.customer[4], QStringLiteral("010-1 ********** "));
  EXPECT_EQ(v.customer[5], "");  // a blank contact stays empty

  in.customer.key = {};
  v = DisplayTick(in);
  for (const QString &s : v.customer) EXPECT_EQ(s, "");
}

TEST(DisplayTick, FramesFollowTheOpenFormsAndClosedOnesClearTheirMirrors) {
  DisplayInputs in;
  DisplayView v = DisplayTick(in);
  EXPECT_FALSE(v.cashShown || v.cardShown || v.disCardShown || v.moneyShown || v.signShown);
  EXPECT_TRUE(v.clearCash && v.clearCard && v.clearDisCard && v.clearMoney);
  EXPECT_FALSE(v.newSaleSeen);

  in.cash = 1;
  in.cashFields[0] = W(4500);
  in.cashFields[2] = W(0);
  in.cardChk = 1;
  in.card[0] = "9410-****";
  in.cardGum = W(4500);
  in.disCard = 1;
  in.disCardTexts[2] = "12345678";
  in.moneyChk = 1;
  in.moneyCard = "01012345678";
  in.moneyGum = W(4500);
  in.moneySaup = 1;
  in.signPlease = 1;
  in.newSale = 1;
  v = DisplayTick(in);
  EXPECT_TRUE(v.cashShown && v.cardShown && v.disCardShown && v.moneyShown && v.signShown);
  EXPECT_FALSE(v.clearCash || v.clearCard || v.clearDisCard || v.clearMoney);
  EXPECT_EQ(v.cash[0], "4,500");
  EXPECT_EQ(v.cash[2], "");  // a payment-frame zero shows nothing
  EXPECT_EQ(v.card[0], "9410-****");
  EXPECT_EQ(v.card[12], "4,500");
  EXPECT_EQ(v.disCard[2], "12345678");
  EXPECT_EQ(v.moneyGum, "4,500");
  EXPECT_TRUE(v.moneySaup);
  EXPECT_TRUE(v.newSaleSeen);

  in.signPlease = 2;  // the reply is in
  EXPECT_FALSE(DisplayTick(in).signShown);
}

TEST(DisplayTick, OneMoaLine) {
  DisplayInputs in;
  EXPECT_EQ(DisplayTick(in).oneMoa, " ");
  in.oneMoaClient = "C1";
  EXPECT_EQ(DisplayTick(in).oneMoa, QStringLiteral("원모아포인트: "));
  in.oneMoaPerson = "P9";
  in.oneMoaName = QStringLiteral("홍길동");
  EXPECT_EQ(DisplayTick(in).oneMoa, QStringLiteral("원모아포인트: 홍길동 0"));
  EXPECT_EQ(DisplayTick(in).oneMoaColor, QColor(0, 0, 0));
  in.oneMoaCardKey = 1;
  in.oneMoaPoint = W(1500);
  const DisplayView v = DisplayTick(in);
  EXPECT_EQ(v.oneMoa, QStringLiteral("원모아포인트: 홍길동 1,500"));
  EXPECT_EQ(v.oneMoaColor, QColor(0, 0, 255));
}
