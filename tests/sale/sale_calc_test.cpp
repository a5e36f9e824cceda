// Line prices, kind letters, free-goods quantities, rounding, discount rates and totals.
#include <gtest/gtest.h>

#include "sale/sale_calc.h"

using orv::Currency;
using namespace orv::sale;

namespace {

Currency W(int64_t v) { return Currency::FromWhole(v).value(); }
Currency M(const char *text) { return Currency::FromText(QString::fromLatin1(text)).value(); }

TEST(SaleCalc, SupplyValueAndVat) {
  const struct {
    int total, taxFree, supply, vat;
  } cases[] = {
      {11000, 1100, 9000, 900},  // Round(9000.5) is 9000
      {3300, 0, 3000, 300},
      {1000, 0, 910, 90},        // 909.09 + 0.5
      {0, 0, 0, 0},
      {-3300, 0, -3000, -300},
      {5000, 5000, 0, 0},
  };
  for (const auto &c : cases) {
    Currency supply, vat;
    SupplyAndVat(W(c.total), W(c.taxFree), supply, vat);
    EXPECT_EQ(supply, W(c.supply)) << c.total;
    EXPECT_EQ(vat, W(c.vat)) << c.total;
  }
}

TEST(SaleCalc, LineDiscountRateUsesTheExactQuantity) {
  EXPECT_EQ(LineDcText(W(1), W(1000), W(900)), "10");
  EXPECT_EQ(LineDcText(W(2), W(1000), W(2000)), "");
  EXPECT_EQ(LineDcText(W(1), W(1000), W(1100)), "-10");
  EXPECT_EQ(LineDcText(W(-1), W(1000), W(-900)), "10");
  EXPECT_EQ(LineDcText(W(1), W(0), W(500)), "");
  EXPECT_EQ(LineDcText(W(3), W(1000), W(0)), "");
  // 1.5 units at 1000 for 1500: no discount (a rounded quantity would show 25).
  EXPECT_EQ(LineDcText(M("1.5"), W(1000), W(1500)), "");
  EXPECT_EQ(LineDcText(W(8), W(1000), W(7980)), "0");  // 0.25 rounds to 0
}

SaleLine line(int key, const char *qty, int price, const char *amount, int bss = 0,
              int16_t cmsGbn = 0, int16_t taxFree = 0, int bottle = 0) {
  SaleLine l;
  l.gdsKey = W(key);
  l.qty = M(qty);
  l.price = W(price);
  l.amount = M(amount);
  l.bssNo = W(bss);
  l.cmsGbn = cmsGbn;
  l.taxFree = taxFree;
  l.bottle = W(bottle);
  return l;
}

TEST(SaleCalc, TotalsOfASale) {
  SaleLine lines[] = {
      line(11, "1", 1236, "1236"),                // rounds to 1240
      line(12, "2", 1000, "1800"),                // 10 % off
      line(13, "1", 1235, "1235", 5),             // bundle: kept
      line(14, "1", 1000, "1000", 0, 0, 1, 100),  // tax-free, bottle 100
      line(31, "-1", 500, "-500", 0, 9),          // free goods
      line(0, "", 0, "77"),                       // no goods: not counted
  };
  SaleTotals t = CalcSaleTotals(lines, 5, 1);
  EXPECT_EQ(lines[0].newAmount, W(1240));
  EXPECT_EQ(lines[2].newAmount, W(1235));
  EXPECT_EQ(lines[5].newAmount, W(77));
  EXPECT_EQ(lines[1].dc, "10");
  EXPECT_EQ(lines[0].dc, "0");  // 1240 for a list price of 1236: -0.3 % rounds to 0
  EXPECT_EQ(t.qty, W(4));
  EXPECT_EQ(t.shownQty(), W(5));
  EXPECT_EQ(t.freeAmt, W(-500));
  // 1240 + 1800 + 1235 + 1000 - 500 = 4775, rounded 4770.
  EXPECT_EQ(t.total, W(4770));
  // 1236 + 2000 + 1235 + 1000 - 500 = 4971, rounded 4970.
  EXPECT_EQ(t.listSum, W(4970));
  EXPECT_EQ(t.shownDc(), W(700));  // 4970 - 4770 + 500
  EXPECT_EQ(t.taxFree, W(1100));
  EXPECT_EQ(t.supply.raw() + t.vat.raw() + t.taxFree.raw(), t.total.raw());

  // Without write-back the cells keep their amounts; the totals are the same.
  SaleLine again[] = {line(11, "1", 1236, "1236")};
  SaleTotals u = CalcSaleTotals(again, 5, 0);
  EXPECT_EQ(again[0].newAmount, W(1236));
  EXPECT_EQ(u.total, W(1240));

  // Amounts whose sum leaves the money range are an error, never a total of 0.
  SaleLine huge[] = {line(11, "1", 1, "900000000000000"), line(12, "1", 1, "900000000000000")};
  EXPECT_THROW(CalcSaleTotals(huge, 5, 1), std::overflow_error);
}

TEST(SaleCalc, ListSumTakesTheExactQuantity) {
  SaleLine lines[] = {line(11, "1.5", 1000, "1500")};
  SaleTotals t = CalcSaleTotals(lines, 5, 1);
  EXPECT_EQ(t.listSum, W(1500));
  EXPECT_EQ(t.shownDc(), W(0));
  EXPECT_EQ(lines[0].dc, "");
}

GdsCodeRec goods() {
  GdsCodeRec g;
  g.GcdKey = W(11);
  g.GcdMech = W(1000);
  g.GcdMech2 = W(900);
  g.GcdMech3 = W(950);
  g.GcdSpmech = W(800);
  return g;
}

PriceInput input(const GdsCodeRec &g) {
  PriceInput in;
  in.goods = &g;
  in.period = {0, 20240101, 20240131};
  in.workDate = 20240215;
  in.clock = 1200;
  return in;
}

TEST(SaleCalc, PriceBySalePeriodAndTier) {
  GdsCodeRec g = goods();
  PriceInput in = input(g);
  const struct {
    int workDate, saleSel, tier, partner, price;
  } cases[] = {
      {20240215, 0, 0, 0, 1000},  // outside the period
      {20240115, 0, 0, 0, 900},   // inside: sale price B
      {20240131, 0, 0, 0, 900},   // its last day
      {20240115, 9, 0, 0, 1000},  // period switched off
      {20240115, 0, 1, 0, 1000},  // tier A overrides the period
      {20240215, 0, 2, 0, 900},
      {20240215, 0, 3, 0, 950},
      {20240215, 0, 4, 0, 800},   // special A below the price
      {20240215, 0, 7, 0, 1000},  // designated price without a partner price
      {20240215, 0, 7, 870, 870},
  };
  for (const auto &c : cases) {
    in.workDate = c.workDate;
    in.period.saleSel = int16_t(c.saleSel);
    in.tier = c.tier;
    in.partnerPrice = W(c.partner);
    EXPECT_EQ(GetGdsDanga(in).price, W(c.price)) << c.workDate << " tier " << c.tier;
  }
  // Special tiers never raise a price; without their own price they fall to price A.
  g.GcdSpmech = W(0);
  g.GcdMech2 = W(1200);
  in.workDate = 20240115;
  in.tier = 4;
  EXPECT_EQ(GetGdsDanga(in).price, W(1000));
  g.GcdSpmech = W(1300);
  EXPECT_EQ(GetGdsDanga(in).price, W(1200));
  g.GcdMech = g.GcdMech2 = W(0);
  EXPECT_EQ(GetGdsDanga(in).price, W(1300));  // no price at all: the special one
}

TEST(SaleCalc, OwnSpecialPriceWithCustomerAndTimeWindows) {
  GdsCodeRec g = goods();
  g.GcdSaleSel = 1;
  g.GcdStdtsale = "20240201";
  g.GcdEddtsale = "20240229";
  g.GcdSalega = W(700);
  g.GcdSaleGbn1 = 1;
  g.GcdSaleGbn2 = 3;
  g.GcdSttmsale1 = "0900";
  g.GcdEdtmsale1 = "1800";
  g.GcdSaleGbn11 = 0;
  g.GcdSaleGbn12 = 0;
  PriceInput in = input(g);

  // No customer: the line is marked, the price stays.
  PriceResult r = GetGdsDanga(in);
  EXPECT_EQ(r.price, W(1000));
  EXPECT_TRUE(r.setEventPrice);
  EXPECT_EQ(r.eventPrice, W(700));
  EXPECT_EQ(r.eventGbn, "1,3");

  // A customer of grade 3 gets it; one of grade 2 does not.
  in.customerKey = W(5);
  in.customerDegree = 3;
  EXPECT_EQ(GetGdsDanga(in).price, W(700));
  in.customerDegree = 2;
  EXPECT_EQ(GetGdsDanga(in).price, W(1000));
  in.customerDegree = 3;

  const struct {
    int clock;
    bool open;
  } times[] = {{900, true}, {1800, true}, {1801, false}, {859, false}};
  for (const auto &c : times) {
    in.clock = c.clock;
    r = GetGdsDanga(in);
    EXPECT_EQ(r.price, c.open ? W(700) : W(1000)) << c.clock;
    EXPECT_EQ(r.setEventPrice, c.open) << c.clock;
  }
  // A window across midnight is never open.
  g.GcdSttmsale1 = "2200";
  g.GcdEdtmsale1 = "0200";
  in.clock = 2300;
  EXPECT_EQ(GetGdsDanga(in).price, W(1000));

  // An empty last day: never on special.
  g.GcdSttmsale1 = g.GcdEdtmsale1 = "";
  g.GcdEddtsale = "";
  r = GetGdsDanga(in);
  EXPECT_EQ(r.price, W(1000));
  EXPECT_FALSE(r.setEventPrice);

  // A special price not below the price changes nothing.
  g.GcdEddtsale = "20240229";
  g.GcdSalega = W(1000);
  r = GetGdsDanga(in);
  EXPECT_EQ(r.price, W(1000));
  EXPECT_FALSE(r.setEventPrice);
}

TEST(SaleCalc, KindLetters) {
  GdsCodeRec g;
  EXPECT_EQ(KindLetters(g, W(0), W(0), false), "");
  g.GcdTax = 1;
  EXPECT_EQ(KindLetters(g, W(5), W(0), false), "TM");
  g.GcdPSel3 = 1;
  g.GcdSss5 = 10;
  EXPECT_EQ(KindLetters(g, W(5), W(31), true), "TMCXBO");
  g.GcdSss5 = -5;
  g.GcdTax = 0;
  EXPECT_EQ(KindLetters(g, W(0), W(0), false), "X%");
}

TEST(SaleCalc, FreeGoodsQuantity) {
  GdsCodeRec g;
  g.GcdKey = W(31);
  g.GcdStdate = "20240101";
  g.GcdEddate = "20241231";
  g.GcdCmsSu = 2;
  auto buy = [](int qty) { return FreeQtyLine{W(11), W(qty), W(31), 0}; };
  auto given = [](int qty) { return FreeQtyLine{W(31), W(qty), W(0), 9}; };
  const struct {
    std::vector<FreeQtyLine> lines;
    const char *date;
    int16_t cmsSu;
    int qty;
  } cases[] = {
      {{buy(4)}, "20240615", 2, -2},
      {{buy(3)}, "20240615", 2, -2},            // 1.5 rounds to 2 (even)
      {{buy(5)}, "20240615", 2, -2},            // 2.5 rounds to 2 (even)
      {{buy(4), given(-1)}, "20240615", 2, -1}, // one already given
      {{buy(4)}, "20250101", 2, 0},             // after the last day
      {{buy(4)}, "20240615", 0, 0},
      {{}, "20240615", 2, 0},
      {{buy(-4)}, "20240615", 2, 2},            // a return gives the free goods back
  };
  for (const auto &c : cases) {
    g.GcdCmsSu = c.cmsSu;
    EXPECT_EQ(CalcCmsFreeQty(g, c.date, c.lines), W(c.qty)) << c.date << " " << c.qty;
    EXPECT_EQ(CalcLinkedGdsQty(g, c.date, c.lines), W(c.qty));
  }
}

}  // namespace
