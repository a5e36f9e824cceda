// Chit numbers typed at the sale screen and the codes recalled lines are entered with.
#include <gtest/gtest.h>

#include "sale/chit_number.h"

using orv::Currency;
using namespace orv::sale;
using Source = ChitNumberRef::Source;

namespace {

TEST(ChitNumber, Forms) {
  const struct {
    const char *typed;
    Source source;
    const char *date;
    int number;
  } cases[] = {
      {"241203-15", Source::PanChit, "20241203", 15},
      {"241203-999999", Source::PanChit, "20241203", 999999},
      {"241203-0", Source::None, "", 0},
      {"241203-1000000", Source::None, "", 0},
      {"15", Source::PanChit, "20241211", 15},
      {" 999999 ", Source::PanChit, "20241211", 999999},
      {"0", Source::None, "", 0},
      {"-5", Source::None, "", 0},
      {"12.5", Source::None, "", 0},
      {"24120300001589", Source::PanChit, "20241203", 15},  // check digits not verified
      {"2412030000158", Source::PanChitP, "20241203", 15},
      {"1234567", Source::None, "", 0},
      {"123456789012", Source::None, "", 0},
      // A date part that is not six digits would name some other table.
      {"24'1;3-15", Source::None, "", 0},
      {"2412 3-15", Source::None, "", 0},
      {"24x203000015", Source::None, "", 0},
      {"24x2030000158", Source::None, "", 0},
      {"2412-3000015x9", Source::None, "", 0},
      // Two-byte characters count twice: 이 is two bytes, so "이1234" is six.
      {"이1234", Source::None, "", 0},
  };
  for (const auto &c : cases) {
    const ChitNumberRef r = ParseChitNumber(QString::fromUtf8(c.typed), QStringLiteral("20241211"));
    EXPECT_EQ(r.source, c.source) << c.typed;
    if (c.source == Source::None) continue;
    EXPECT_EQ(r.date, QString::fromLatin1(c.date)) << c.typed;
    EXPECT_EQ(r.number, Currency::Won(c.number)) << c.typed;
  }
}

TEST(ChitNumber, RecallCode) {
  // 21 wide, 22 narrow, "00" configured but never a scale identifier.
  const ScaleIds ids = MakeScaleIds(QStringLiteral("212200"), {1, 0, 1, 0, 0, 1});
  const struct {
    const char *barcode;
    int gcdNo;
    const char *code;
  } cases[] = {
      {"", 1234567890, "1234567890"},
      {"   ", 77, "77"},
      {"2100123000000", 0, "2101230000000"},  // character 3 left out, amount zeros
      {"2200123000000", 0, "2200123000000"},
      {"0012345678905", 0, "0012345678905"},
      {"8801234567893", 0, "8801234567893"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(RecallCode(QString::fromLatin1(c.barcode), Currency::Won(c.gcdNo), ids),
              QString::fromLatin1(c.code))
        << c.barcode;
}

}  // namespace
