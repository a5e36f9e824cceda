// Bundle promotions: when a rule applies and what its lines cost.
#include <gtest/gtest.h>

#include <vector>

#include "sale/bundle_price.h"

using orv::Currency;
using namespace orv::sale;

namespace {

Currency W(int64_t v) { return Currency::FromWhole(v).value(); }
Currency M(const char *t) { return Currency::FromText(QString::fromLatin1(t)).value(); }

BundleRule ThreeFor(int64_t mech) {
  BundleRule r;
  r.su = W(3);
  r.mech = W(mech);
  return r;
}

std::vector<BundleAmount> Price(const BundleRule &r, std::vector<BundleLine> lines) {
  return PriceBundle(r, lines);
}

TEST(BundlePrice, WorkedFiguresAndRounding) {
  const struct {
    const char *name;
    std::vector<BundleLine> lines;
    std::vector<BundleAmount> want;
  } cases[] = {
      {"one line of 3 at 4000: the dearest line takes the rounding",
       {{1, W(3), W(4000)}},
       {{1, W(10000)}}},
      {"2 at 4000 and 2 at 3500: remainder valued at the cheapest",
       {{1, W(2), W(4000)}, {2, W(2), W(3500)}},
       {{1, W(6750)}, {2, W(6750)}}},
      {"5000, 5000, 7000: sorted as rows 3, 2, 1; row 3 takes the rounding",
       {{1, W(1), W(5000)}, {2, W(1), W(5000)}, {3, W(1), W(7000)}},
       {{3, W(3334)}, {2, W(3333)}, {1, W(3333)}}},
      {"below one bundle: plain amounts back",
       {{1, W(2), W(4000)}},
       {{1, W(8000)}}},
      {"returns priced apart, negated",
       {{1, W(3), W(4000)}, {2, W(-3), W(4000)}, {3, W(-1), W(500)}},
       {{1, W(10000)}, {2, W(-7875)}, {3, W(-2625)}}},
      {"1.5 counts as 1, 0.5 is skipped",
       {{1, M("1.5"), W(4000)}, {2, M("0.5"), W(4000)}, {3, W(2), M("4000.9")}},
       {{1, W(3334)}, {3, W(6666)}}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Price(ThreeFor(10000), c.lines), c.want);
  }
}

TEST(BundlePrice, BundleCountByIntegerDivision) {
  // 39,999 pieces under a 20,000-piece rule: one bundle, not two (1.99995 rounded to four
  // decimals would give two, more pieces than the sale has).
  BundleRule r;
  r.su = W(20000);
  r.mech = W(10000);
  // Bundle 10,000 + remainder 19,999 x 2 = 49,998; average 1 a piece.
  EXPECT_EQ(Price(r, {{1, W(39999), W(2)}}), (std::vector<BundleAmount>{{1, W(49998)}}));
}

TEST(BundlePrice, OverTheLimitsLeavesTheListUnchanged) {
  BundleRule r = ThreeFor(10000);
  EXPECT_TRUE(Price(r, {{1, W(1000001), W(1)}}).empty());
  // The return list is still priced.
  EXPECT_EQ(Price(r, {{1, W(1000001), W(1)}, {2, W(-3), W(4000)}}),
            (std::vector<BundleAmount>{{2, W(-10000)}}));
  r.mech = W(100000001);
  EXPECT_TRUE(Price(r, {{1, W(3), W(1)}}).empty());
}

TEST(BundlePrice, CustomerCondition) {
  EXPECT_TRUE(CustomerCondition(0, 0, W(0), 0));
  EXPECT_FALSE(CustomerCondition(1, 2, W(0), 5));  // no customer
  EXPECT_FALSE(CustomerCondition(1, 2, W(7), 1));
  EXPECT_TRUE(CustomerCondition(1, 2, W(7), 2));
  EXPECT_TRUE(CustomerCondition(1, 2, W(7), 3));
  EXPECT_FALSE(CustomerCondition(0, 1, W(7), 9));
  EXPECT_FALSE(CustomerCondition(1, 5, W(7), 9));
  EXPECT_FALSE(CustomerCondition(2, 0, W(7), 9));
}

TEST(BundlePrice, WhenTheRuleApplies) {
  BundleContext now;
  now.halSel = 1;
  now.workDate = QStringLiteral("20261211");
  now.weekday = 5;
  now.clock = QStringLiteral("143000");
  const BundleRule base = ThreeFor(10000);
  const auto with = [&](auto change) {
    BundleRule r = base;
    change(r);
    return r;
  };
  const struct {
    const char *name;
    BundleRule rule;
    BundleContext ctx;
    bool applies;
  } cases[] = {
      {"plain rule", base, now, true},
      {"discount switch off", base, [&] { auto c = now; c.halSel = 0; return c; }(), false},
      {"switched off", with([](BundleRule &r) { r.saleSel = 9; }), now, false},
      {"no pieces", with([](BundleRule &r) { r.su = W(0); }), now, false},
      {"no price", with([](BundleRule &r) { r.mech = W(0); }), now, false},
      {"last day", with([](BundleRule &r) { r.stDate = "20261201"; r.edDate = "20261211"; }), now, true},
      {"first day", with([](BundleRule &r) { r.stDate = "20261211"; r.edDate = "20261231"; }), now, true},
      {"day after", with([](BundleRule &r) { r.stDate = "20261201"; r.edDate = "20261210"; }), now, false},
      {"start without end", with([](BundleRule &r) { r.stDate = "20260101"; }), now, false},
      {"end without start", with([](BundleRule &r) { r.edDate = "20261231"; }), now, true},
      {"grade 2 without customer", with([](BundleRule &r) { r.g1 = 1; r.g2 = 2; }), now, false},
      {"grade 2 customer of 3", with([](BundleRule &r) { r.g1 = 1; r.g2 = 2; }),
       [&] { auto c = now; c.customerKey = W(5); c.customerDegree = 3; return c; }(), true},
      {"Friday rule", with([](BundleRule &r) { r.yoil = 5; }), now, true},
      {"Monday rule", with([](BundleRule &r) { r.yoil = 1; }), now, false},
      {"clock at a window's end",
       with([](BundleRule &r) { r.windows[1] = {"090000", "143000", 0, 0}; }), now, true},
      {"window already closed",
       with([](BundleRule &r) { r.windows[0] = {"090000", "142959", 0, 0}; }), now, false},
      {"window without end", with([](BundleRule &r) { r.windows[0] = {"090000", "", 0, 0}; }), now, false},
      {"window without start", with([](BundleRule &r) { r.windows[2] = {"", "150000", 0, 0}; }), now, true},
      {"window over midnight", with([](BundleRule &r) { r.windows[0] = {"220000", "020000", 0, 0}; }),
       now, false},
      {"window for members only",
       with([](BundleRule &r) { r.windows[0] = {"090000", "180000", 1, 0}; }), now, false},
  };
  for (const auto &c : cases) EXPECT_EQ(BundleApplies(c.rule, c.ctx), c.applies) << c.name;
}

}  // namespace
