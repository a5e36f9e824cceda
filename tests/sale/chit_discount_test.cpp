// The whole-chit discount and the percentage typed under a line, with signs.
#include <gtest/gtest.h>

#include "sale/chit_discount.h"

using orv::Currency;
using namespace orv::sale;

namespace {

Currency W(int64_t v) { return Currency::FromWhole(v).value(); }
Currency M(const char *t) { return Currency::FromText(QString::fromLatin1(t)).value(); }

ChitDcLine Line(const char *code, int qty, int price, int amount, int dc = 0, const char *kind = "") {
  return {QString::fromLatin1(code), W(qty), W(price), W(amount), W(dc), QString::fromLatin1(kind)};
}

TEST(ChitDiscount, AppliedAndRemoved) {
  const struct {
    const char *name;
    const char *rate;
    bool remove;
    ChitDcLine line;
    std::optional<int> want;
  } cases[] = {
      {"10% of 1234: 1110.6 cut to 1110", "10", false, Line("8801234567893", 1, 1234, 1234), 1110},
      {"return keeps its sign", "10", false, Line("8801234567893", -1, 1234, -1234), -1110},
      {"already discounted: from the list amount", "10", false,
       Line("8801234567893", 2, 1000, 1800, 10), 1800},
      {"EAN-8", "5", false, Line("88012345", 1, 999, 999), 940},
      // A rate of 1 is a discount too: 1% off 5000.
      {"rate 1 discounts", "1", false, Line("8801234567893", 1, 5000, 5000), 4950},
      {"rate 30", "30", false, Line("8801234567893", 1, 1000, 1000), 700},
      {"fraction cut to two decimals", "12.5", false, Line("8801234567893", 1, 1000, 1000), 870},
      {"remove: the list amount", "10", true, Line("8801234567893", 3, 1000, 2700, 10), 3000},
      {"rate 0: nothing, not even remove", "0", true, Line("8801234567893", 3, 1000, 2700, 10), {}},
      {"rate 31: nothing", "31", false, Line("8801234567893", 1, 1000, 1000), {}},
      {"goods number", "10", false, Line("123456", 1, 1000, 1000), {}},
      {"in-store scale code 20", "10", false, Line("2000123004505", 1, 450, 450), {}},
      {"in-store code 15", "10", false, Line("1500123004508", 1, 450, 450), {}},
      {"bundle line", "10", false, Line("8801234567893", 1, 1000, 1000, 0, "M"), {}},
      {"no-points goods", "10", false, Line("8801234567893", 1, 1000, 1000, 0, "TX"), {}},
      {"zero amount", "10", false, Line("8801234567893", 1, 1000, 0), {}},
  };
  for (const auto &c : cases) {
    const auto got = ChitDcAmount(M(c.rate), c.remove, c.line);
    if (c.want)
      EXPECT_EQ(got, std::optional<Currency>(W(*c.want))) << c.name;
    else
      EXPECT_FALSE(got.has_value()) << c.name;
  }
}

TEST(ChitDiscount, LinePercentage) {
  const struct {
    const char *typed;
    int qty, price, amount, dc;
    LineDcAction action;
    int want;
  } cases[] = {
      {"10", 3, 1250, 3750, 0, LineDcAction::Apply, 3370},
      // A return refunds what the same discount charged on a sale, not 3,380.
      {"10", -3, 1250, -3750, 0, LineDcAction::Apply, -3370},
      {"12.5", 3, 1250, 3750, 0, LineDcAction::Apply, 3280},
      {"99", 1, 1000, 1000, 0, LineDcAction::Apply, 10},
      // An already discounted line starts again from quantity x price.
      {"20", 2, 1000, 1800, 10, LineDcAction::Apply, 1600},
      {"20", -2, 1000, -1800, 10, LineDcAction::Apply, -1600},
      {"0", 3, 1250, 3750, 0, LineDcAction::Nothing, 0},
      {"abc", 3, 1250, 3750, 0, LineDcAction::Nothing, 0},
      {"100", 3, 1250, 3750, 0, LineDcAction::Wipe, 0},
      {"-5", 3, 1250, 3750, 0, LineDcAction::Wipe, 0},
  };
  for (const auto &c : cases) {
    const Currency typed = Currency::FromText(QString::fromLatin1(c.typed)).value();
    const LineDcResult r = LineDcAmount(typed, W(c.qty), W(c.price), W(c.amount), W(c.dc));
    EXPECT_EQ(r.action, c.action) << c.typed << " on " << c.amount;
    if (c.action == LineDcAction::Apply) {
      EXPECT_EQ(r.amount, W(c.want)) << c.typed << " on " << c.amount;
    }
  }
}

}  // namespace
