#include <gtest/gtest.h>

#include "core/money_ops.h"

using orv::Currency;
using orv::money::FloorMulDiv;
using orv::money::RoundTens;

namespace {
Currency M(const char16_t *text) { return *Currency::FromText(text); }
Currency T(const char *text) { return *Currency::FromText(QString::fromLatin1(text)); }
}  // namespace

TEST(FloorMulDiv, WholePartTowardMinusInfinityWithoutFloatingPoint) {
  struct Case {
    const char *name;
    Currency a, b, c, whole;
  };
  const Case cases[] = {
      {"exact", M(u"2500"), M(u"300"), M(u"1000"), M(u"750")},
      {"rounded down", M(u"999"), M(u"1"), M(u"1000"), M(u"0")},
      // 0.3 / 0.1 is 2.999… as a double
      {"a quotient a double misses", M(u"0.3"), M(u"1"), M(u"0.1"), M(u"3")},
      {"negative, toward minus infinity", M(u"-7"), M(u"1"), M(u"2"), M(u"-4")},
      {"negative divisor", M(u"7"), M(u"1"), M(u"-2"), M(u"-4")},
      {"a product beyond 64 bits", M(u"900000000000000"), M(u"1000"), M(u"1000"),
       M(u"900000000000000")},
  };
  for (const Case &c : cases) EXPECT_EQ(FloorMulDiv(c.a, c.b, c.c), c.whole) << c.name;
  EXPECT_THROW(FloorMulDiv(M(u"1"), M(u"1"), Currency()), std::domain_error);
  EXPECT_THROW(FloorMulDiv(M(u"900000000000000"), M(u"1000"), M(u"1")), std::overflow_error);
}

TEST(MoneyRounding, RoundTensGoesToWholeWonFirst) {
  const struct {
    const char *in;
    int16_t threshold;
    const char *out;
  } cases[] = {
      {"1236", 5, "1240"},   {"1235", 5, "1230"},  {"-1236", 5, "-1240"},
      {"-1235", 5, "-1230"}, {"-1237", 5, "-1240"}, {"1239", 10, "1230"},
      {"-1239", 10, "-1230"}, {"1230", 5, "1230"},  {"0", 5, "0"},
      // Whole won first, halves to even: the last digit of "499.5" is not a 5.
      {"499.5", 5, "500"},   {"494.5", 5, "490"},  {"1235.5", 5, "1240"},
      {"-499.5", 5, "-500"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(RoundTens(T(c.in), c.threshold), T(c.out)) << c.in << " / " << c.threshold;
}
