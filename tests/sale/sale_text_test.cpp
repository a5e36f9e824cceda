#include <gtest/gtest.h>

#include "sale/sale_text.h"

TEST(SaleText, PatternLaysTextFromTheRight) {
  struct {
    const char *text, *pattern, *expected;
  } cases[] = {
      {"20240315", "@@@@.@@.@@", "2024.03.15"},
      {"", "@@@@.@@.@@", "    .  .  "},
      {"2401", "@@ @@ @@ @@ @@ @@", "            24 01"},
      {"123456789012345", "@@ @@", "23 45"},  // the places take the rightmost characters
  };
  for (const auto &c : cases)
    EXPECT_EQ(LayIntoPattern(c.text, c.pattern), QString::fromUtf8(c.expected)) << c.text;
}

TEST(SaleText, WorkDateBoundsAreOneCalendarMonthEachWayClamped) {
  struct {
    QDate today;
    int lower, upper;
  } cases[] = {
      {QDate(2024, 5, 15), 20240415, 20240615},
      {QDate(2024, 3, 31), 20240229, 20240430},  // leap February, 30-day April
      {QDate(2023, 3, 31), 20230228, 20230430},
      {QDate(2024, 1, 10), 20231210, 20240210},  // across the year
      {QDate(2024, 12, 31), 20241130, 20250131},
  };
  for (const auto &c : cases) {
    const WorkDateBounds b = WorkDateBoundsFor(c.today);
    EXPECT_EQ(b.lower, c.lower) << c.today.toString().toStdString();
    EXPECT_EQ(b.upper, c.upper) << c.today.toString().toStdString();
  }
  const WorkDateBounds b = WorkDateBoundsFor(QDate(2024, 5, 15));
  EXPECT_TRUE(b.Contains(20240415));
  EXPECT_TRUE(b.Contains(20240615));
  EXPECT_FALSE(b.Contains(20240414));
  EXPECT_FALSE(b.Contains(20240616));
}

TEST(SaleText, HelpTextHoldsTheKeyMapExactly) {
  const QStringList lines = HelpText("2401").split("\r\n");
  ASSERT_EQ(lines.size(), 43);  // heading, 41 lines, and the text ends with a line break
  EXPECT_EQ(lines[0], QStringLiteral("[ 단축 번호 설명서 ]"));
  EXPECT_EQ(lines[1], QStringLiteral("F1  -->상품 조회창 호출"));
  EXPECT_EQ(lines[6], QStringLiteral("    -->영수증 고객점수 추가"));
  EXPECT_EQ(lines[10], QStringLiteral("F11 -->신용취소 입력창 호출 (6000)"));
  EXPECT_EQ(lines[12], QStringLiteral("0??" "?-->동전계수기 동전 꺼내기"));
  EXPECT_EQ(lines[35], QStringLiteral("       할인율 해제 [1%] 또는 Home 키"));
  EXPECT_EQ(lines[38], QStringLiteral("[ 전자저울식별번호:             24 01 ]"));
  EXPECT_EQ(lines[39], QString::fromUtf16(u"바코드>바코드12자리\u2015 (자동완성)"));
  EXPECT_EQ(lines[41], QString::fromUtf16(u"저울-->식별2자리\u2015번호\u2015금액"));
  EXPECT_EQ(lines[42], "");
}

TEST(SaleText, SaleDateCaptionMarksAnActivePeriod) {
  bool red = true;
  EXPECT_EQ(SaleDateCaption(0, 0, 0, 20240315, &red), "");
  EXPECT_FALSE(red);
  EXPECT_EQ(SaleDateCaption(0, 20240301, 20240310, 20240305, &red),
            QStringLiteral("2024.03.01~2024.03.10(세일중임)"));
  EXPECT_TRUE(red);
  EXPECT_EQ(SaleDateCaption(9, 20240301, 20240310, 20240305, &red), "2024.03.01~2024.03.10");
  EXPECT_FALSE(red);
  EXPECT_EQ(SaleDateCaption(0, 20240301, 20240310, 20240311, &red), "2024.03.01~2024.03.10");
  EXPECT_FALSE(red);
}

#include "sale/sale_lines.h"

TEST(SaleLines, EachKindColoursItsCell) {
  using orv::Currency;
  const LineMarks all = MarksFor(1, Currency::Won(1), Currency::Won(1), 1, -1);
  EXPECT_TRUE(all.code && all.qty && all.name && all.price && all.amount);
  const LineMarks none = MarksFor(0, {}, {}, 0, 0);
  EXPECT_FALSE(none.code || none.qty || none.name || none.price || none.amount);
  const LineMarks some = MarksFor(0, Currency::Won(3), {}, 0, 5);
  EXPECT_TRUE(some.qty && some.amount);
  EXPECT_FALSE(some.code || some.name || some.price);
}
