#include <gtest/gtest.h>

#include "core/dates.h"
#include "test_print.h"

TEST(Dates, FmtYmdStylesAndBlankFlag) {
  struct Case {
    int16_t y, m, d, style, flag;
    const char *text;
  } cases[] = {
      {2024, 1, 5, 0, 0, "20240105"},  {2024, 1, 5, 1, 0, "2024.01.05"},
      {2024, 1, 5, 2, 0, "2024-01-05"}, {2024, 1, 5, 3, 0, ""},
      {2024, 1, 5, -1, 0, ""},          {2024, 0, 5, 0, 1, ""},
      {2024, 0, 5, 0, 0, "20240005"},   {2024, 1, 0, 2, 1, ""},
      {24, 1, 5, 0, 0, "00240105"},     {-2024, -1, -5, 0, 0, "20240105"},
      {12345, 123, 45, 0, 0, "23452345"}, {2024, 12, 31, 0, 2, "20241231"},
      {-32768, 1, 1, 0, 0, "27680101"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(FmtYmd(c.y, c.m, c.d, c.style, c.flag), c.text)
        << c.y << "," << c.m << "," << c.d << " style " << c.style << " flag " << c.flag;
}

TEST(Dates, MonthSuffixes) {
  struct Case {
    int16_t y, m;
    const char *suffix;
    int16_t number;
  } cases[] = {
      {2024, 1, "2401", 2401},  {2024, 12, "2412", 2412}, {2000, 0, "9912", 0},
      {2024, 13, "2501", 2413}, {2024, 0, "2312", 2400},  {2024, 14, "2414", 2414},
      {24, 1, "2401", 2401},    {2000, 1, "0001", 1},     {2005, 5, "0505", 505},
      {1999, 13, "0001", 9913},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(FmtYyMm(c.y, c.m), c.suffix) << c.y << "," << c.m;
    EXPECT_EQ(YyMmNum(c.y, c.m), c.number) << c.y << "," << c.m;
  }
  EXPECT_EQ(Pad4(0), "");
  EXPECT_EQ(Pad4(-3), "");
  EXPECT_EQ(Pad4(5), "0005");
  EXPECT_EQ(Pad4(505), "0505");
  EXPECT_EQ(Pad4(12345), "2345");
}
