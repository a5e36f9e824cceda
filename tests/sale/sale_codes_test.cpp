// What a code in the code column turns into before any lookup.
#include <gtest/gtest.h>

#include "sale/sale_codes.h"

using orv::Currency;
using namespace orv::sale;

namespace {

TEST(SaleCodes, ScaleIdentifiersFromTheOption) {
  const ScaleIds s = MakeScaleIds(QStringLiteral("2122"), {1, 0, 0, 0, 0, 1});
  EXPECT_EQ(s.ids[0], "21");
  EXPECT_EQ(s.ids[1], "22");
  EXPECT_EQ(s.ids[2], "");
  EXPECT_EQ(s.ids[5], "22");  // always the last two characters
  EXPECT_TRUE(s.wide[0]);
  EXPECT_FALSE(s.wide[1]);
  // The second identifier matches first, so its narrow layout holds.
  EXPECT_EQ(MatchScaleId(QStringLiteral("2212345"), s), 1);
  EXPECT_EQ(MatchScaleId(QStringLiteral("2312345"), s), -1);
  // "00" is never a scale code, even when configured.
  EXPECT_EQ(MatchScaleId(QStringLiteral("0012345"), MakeScaleIds(QStringLiteral("00"), {})), -1);
  // An odd tail gives no one-character identifier.
  EXPECT_EQ(MatchScaleId(QStringLiteral("2"), MakeScaleIds(QStringLiteral("212"), {})), -1);
}

TEST(SaleCodes, Normalise) {
  const struct {
    const char *in;
    int wide1;  // PosJulGumSize1 for identifier "21"
    const char *code;
    CodePath path;
    const char *key;
    int amount;
    bool bad;
  } cases[] = {
      // Scanned scale barcode, both layouts.
      {"2100123004508", 0, "2100123004508", CodePath::Scale, "2100123000000", 450, false},
      {"2100123004508", 1, "2100123004508", CodePath::Scale, "2100012000000", 300450, false},
      // Dash form: item and amount right-aligned in the identifier's layout, same key.
      {"21-123-450", 0, "2100123004508", CodePath::Scale, "2100123000000", 450, false},
      {"21-123-450", 1, "2101230004504", CodePath::Scale, "2100123000000", 450, false},
      {"21-123", 0, "2100123000005", CodePath::Scale, "2100123000000", 0, false},
      // The registered lookup key typed as it stands: wrong check digit, zero amount part.
      {"2100123000000", 0, "2100123000000", CodePath::Scale, "2100123000000", 0, false},
      {"2101230000000", 1, "2101230000000", CodePath::Scale, "2100123000000", 0, false},
      // Wrong check digit with an amount.
      {"2100123004500", 0, "2100123004500", CodePath::Scale, "", 0, true},
      // "8800000" with no identifier: narrow scale code.
      {"8800000123455", 0, "8800000123455", CodePath::Scale, "8800000000000", 12345, false},
      // Twelve digits and "-" complete the check digit; twelve digits get a leading 0.
      {"880123456789-", 0, "8801234567893", CodePath::Barcode13, "", 0, false},
      {"880123456789", 0, "0880123456789", CodePath::Barcode13, "", 0, false},
      {"036000291452-", 0, "0360002914522", CodePath::Barcode13, "", 0, false},
      {"88012345678931", 0, "8801234567893", CodePath::Barcode13, "", 0, false},
      {"0012345678905", 0, "0012345678905", CodePath::Barcode13, "", 0, false},
      {"  8801234567893 ", 0, "8801234567893", CodePath::Barcode13, "", 0, false},
      {"1234567890", 0, "1234567890", CodePath::GoodsNo, "", 0, false},
      {"12345", 0, "12345", CodePath::ShortBarcode, "", 0, false},
      {"12345678", 0, "12345678", CodePath::ShortBarcode, "", 0, false},
      {"123456789", 0, "123456789", CodePath::ShortBarcode, "", 0, false},
      {"12345678901", 0, "12345678901", CodePath::ShortBarcode, "", 0, false},
      {"7777", 0, "7777", CodePath::Special, "", 0, false},
      {"123456", 0, "123456", CodePath::Special, "", 0, false},
      {"1234567", 0, "1234567", CodePath::Special, "", 0, false},
      // A dash form without an identifier is left as typed.
      {"23-123-450", 0, "23-123-450", CodePath::GoodsNo, "", 0, false},
      {"   ", 0, "", CodePath::Empty, "", 0, false},
  };
  for (const auto &c : cases) {
    const ScaleIds ids = MakeScaleIds(QStringLiteral("2122"), {c.wide1, 0, 0, 0, 0, 0});
    const NormalCode n = NormaliseCode(QString::fromLatin1(c.in), ids);
    SCOPED_TRACE(std::string(c.in) + " wide " + std::to_string(c.wide1));
    EXPECT_EQ(n.code, QString::fromLatin1(c.code));
    EXPECT_EQ(n.path, c.path);
    EXPECT_EQ(n.badScale, c.bad);
    if (c.path == CodePath::Scale && !c.bad) {
      EXPECT_EQ(n.lookupKey, QString::fromLatin1(c.key));
      EXPECT_EQ(n.amount, Currency::Won(c.amount));
    }
  }
}

}  // namespace
