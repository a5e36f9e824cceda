#include <gtest/gtest.h>

#include "core/money_ops.h"

using orv::Currency;
using orv::money::FloorMulDiv;

namespace {
Currency M(const char16_t *text) { return *Currency::FromText(text); }
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
