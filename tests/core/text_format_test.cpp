#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <cmath>
#include <limits>
#include <QStringList>

#include "core/state.h"
#include "core/text_format.h"
#include "test_print.h"

using orv::Currency;

TEST(Formatters, MasksAndTheBlankOnZeroFlag) {
  struct Case {
    const char *value;
    const char *amt, *amt2, *amtDec, *zeroPad, *curStr;
  } cases[] = {
      {"0", "0", "0.00", "0", "0000000000", "0"},
      {"1234567", "1,234,567", "1,234,567.00", "1,234,567", "0001234567", "1234567"},
      {"1234.5", "1,235", "1,234.50", "1,234.50", "0000001234.5", "1234.5"},
      {"-1234", "-1,234", "-1,234.00", "-1,234", "00000-1234", "-1234"},
      {"999.5", "1,000", "999.50", "999.50", "00000999.5", "999.5"},
      {"2.5", "3", "2.50", "2.50", "00000002.5", "2.5"},
      {"-2.5", "-3", "-2.50", "-2.50", "0000000-2.5", "-2.5"},
      {"1.005", "1", "1.01", "1.01", "0000001.005", "1.005"},
      {"10.05", "10", "10.05", "10.05", "0000010.05", "10.05"},
      {"-0.004", "0", "0.00", "0", "000000-0.004", "-0.004"},
      {"12345678901", "12,345,678,901", "12,345,678,901.00", "12,345,678,901", "2345678901",
       "12345678901"},
      {"922337203685477.5807", "922,337,203,685,478", "922,337,203,685,477.58",
       "922,337,203,685,477.58", "85477.5807", "922337203685477.5807"},
  };
  for (const auto &c : cases) {
    const Currency v = M(c.value);
    EXPECT_EQ(FmtAmt(v, 0), c.amt) << c.value;
    EXPECT_EQ(FmtAmt2(v, 0), c.amt2) << c.value;
    EXPECT_EQ(FmtAmtDec(v, 0), c.amtDec) << c.value;
    EXPECT_EQ(ZeroPad10(v, 0), QString(c.zeroPad).right(10)) << c.value;
    EXPECT_EQ(CurStr(v, 0), c.curStr) << c.value;
  }
  EXPECT_EQ(FmtAmt(Currency::FromRaw(INT64_MIN), 0), "-922,337,203,685,478");

  // Only exactly 1 blanks a zero; it blanks nothing else.
  for (int16_t flag : {0, 2, -1}) {
    EXPECT_EQ(FmtAmt(M("0"), flag), "0");
    EXPECT_EQ(FmtLng(0, flag), "0");
  }
  const Currency zero;
  for (const QString &s : {FmtAmt(zero, 1), FmtAmt2(zero, 1), FmtAmtDec(zero, 1),
                           ZeroPad10(zero, 1), CurStr(zero, 1), FmtLng(0, 1), FmtLng2(0, 1)})
    EXPECT_EQ(s, "");
  EXPECT_EQ(FmtAmt(M("0.4"), 1), "0");  // the value is not 0, only its rounding
  EXPECT_EQ(FmtLng(1234, 1), "1234");
  EXPECT_EQ(FmtLng2(-5, 0), "-5");
}

TEST(Parsers, KeepCapAndRead) {
  struct LngCase {
    const char *text;
    int32_t value;
  } lngs[] = {
      {"", 0},           {"abc", 0},       {"1,234", 1234},          {"-1.5", 2},
      {"12.34.56", 12},  {"1234567890", 123456789}, {"-1.000001", 2}, {"+-3", 0},
      {"1e5", 15},       {"-999999999", 99999999},
  };
  for (const auto &c : lngs) EXPECT_EQ(ValAbsLng(QString::fromUtf8(c.text)), c.value) << c.text;

  struct CurCase {
    const char *text;
    const char *cur, *curDec;
  } curs[] = {
      {"", "0", "0"},
      {"₩1,234.56", "1234", "1234.56"},
      {"-5,000", "-5000", "-5000"},
      {"5-3", "5", "5"},
      {".5", "0", "0.5"},
      {"1,234.567", "1234", "1234.56"},
      {"1.2.3", "1", "1.2"},
      {"-0.5", "0", "-0.5"},
      {"12345678901234567890", "12345678901234", "12345678901234"},
      {"1 2 3", "123", "123"},
      {"99999999999999.99", "99999999999999", "99999999999999"},
      {"1234567890123.45", "1234567890123", "1234567890123"},  // the "." is the 14th
      {"12.3-4", "12", "12.3"},
  };
  for (const auto &c : curs) {
    EXPECT_EQ(ValCur(QString::fromUtf8(c.text)), M(c.cur)) << c.text;
    EXPECT_EQ(ValCurDec(QString::fromUtf8(c.text)), M(c.curDec)) << c.text;
  }
}

TEST(SqlCleaners, QuotesBecomeBackQuotesAndWidthsCutWholeCharacters) {
  EXPECT_EQ(SqlQuoteFix(" O'Brien \"X\" "), " O`Brien `X` ");
  EXPECT_EQ(SqlStr("  O'Brien  "), "O`Brien");
  EXPECT_EQ(SqlStr(" ' "), "`");
  EXPECT_EQ(SqlStrCut("", 5), "");
  EXPECT_EQ(SqlStrCut(QStringLiteral("가나다라"), 5), QStringLiteral("가나"));
  EXPECT_EQ(SqlStrCut(QStringLiteral("  가'나  "), 3), QStringLiteral("가`"));
  EXPECT_EQ(SqlStrCut("ab c", 3), "ab");  // cut, then trimmed again
  EXPECT_EQ(SqlStrCut("abc", 0), "");

  EXPECT_EQ(SqlText(QVariant(), 0), "");
  EXPECT_EQ(SqlText(QVariant(), 10), "");
  EXPECT_EQ(SqlText(QVariant(QMetaType::fromType<QString>()), 10), "");
  EXPECT_EQ(SqlText(QString("say \"hi\""), 0), "say `hi`");
  EXPECT_EQ(SqlText(QString("say \"hi\""), 5), "say `");
  EXPECT_EQ(SqlText(QString(" a b c "), 3), "a b");
  EXPECT_EQ(SqlText(QString("ab cd"), 3), "ab");
  EXPECT_EQ(SqlText(QVariant(qlonglong(12345)), 3), "123");
  EXPECT_EQ(SqlText(QStringLiteral("상품명"), 5), QStringLiteral("상품"));
}

namespace {
QStringList Words(int n) {
  QStringList out;
  for (int i = 1; i <= n; ++i) out << gsSplitWord[size_t(i)];
  return out;
}
QStringList Items(int n) {
  QStringList out;
  for (int i = 1; i <= n; ++i) out << gsSplitItem[size_t(i)];
  return out;
}
}  // namespace

class Splitters : public ::testing::Test {
 protected:
  void SetUp() override { orv::state::ResetProgramState(); }
};

TEST_F(Splitters, PartsByDelimiterCode) {
  struct Case {
    const char *text;
    int16_t code, keep;
    QStringList parts;
  } cases[] = {
      {"1,2,3", 1, 0, {"1", "2", "3"}},
      {" a ; b ", 5, 0, {"a", "b"}},
      {" a ; b ", 5, 1, {" a ", " b "}},
      {"x", 9, 0, {"x"}},
      {"a'b", 0, 0, {"a", "b"}},
      {"a,,b", 1, 0, {"a", "", "b"}},
      {"a,", 1, 0, {"a", ""}},
      {",", 1, 0, {"", ""}},
      {"a  b", 3, 0, {"a", "", "b"}},
      {"a\tb", 2, 0, {"a", "b"}},
      {"a\nb\n", 4, 0, {"a", "b", ""}},
      {"a\r\nb", 6, 0, {"a", "\nb"}},
      {"  ", 1, 1, {"  "}},
  };
  for (const auto &c : cases) {
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(SplitText(text, c.code, c.keep), c.parts.size()) << c.text;
    EXPECT_EQ(Words(int(c.parts.size())), c.parts) << c.text;
    EXPECT_EQ(glSplitWordCount, c.parts.size());
    EXPECT_EQ(SplitText2(text, c.code, c.keep), c.parts.size()) << c.text;
    EXPECT_EQ(Items(int(c.parts.size())), c.parts) << c.text;
  }
}

TEST_F(Splitters, EmptyTextLeavesTheArrayAndHigherSlotsStay) {
  ASSERT_EQ(SplitText("a,b,c", 1, 0), 3);
  EXPECT_EQ(SplitText("", 1, 0), 0);
  EXPECT_EQ(SplitText("   ", 1, 0), 0);  // trimmed to empty
  EXPECT_EQ(glSplitWordCount, 0);
  EXPECT_EQ(Words(3), QStringList({"a", "b", "c"}));
  EXPECT_EQ(SplitText("x", 1, 0), 1);
  EXPECT_EQ(Words(3), QStringList({"x", "b", "c"}));
  EXPECT_EQ(gsSplitWord[0], "");
  orv::state::ResetProgramState();
  EXPECT_EQ(gsSplitWord[2], "");
}

TEST_F(Splitters, SplitSpaceTreatsRunsOfBlanksAsOneSeparator) {
  struct Case {
    const char *text;
    QStringList words;
  } cases[] = {
      {"  a   b ", {"a", "b"}}, {"", {}}, {"    ", {}}, {"one", {"one"}},
      {"a\tb c", {"a\tb", "c"}}, {"가 나  다", {"가", "나", "다"}},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(SplitSpace(QString::fromUtf8(c.text)), c.words.size()) << c.text;
    EXPECT_EQ(Words(int(c.words.size())), c.words) << c.text;
  }
}

TEST_F(Splitters, TooManyPartsIsARangeFailureWithTheFirstPartsFilled) {
  // 10000 parts fit, 10001 do not.
  EXPECT_EQ(SplitText(QString(9999, u','), 1, 0), 10000);
  EXPECT_EQ(SplitText("z" + QString(10000, u','), 1, 0), kSplitOverflow);
  EXPECT_EQ(glSplitWordCount, 0);
  EXPECT_EQ(gsSplitWord[1], "z");

  QString words;
  for (int i = 1; i <= 10001; ++i) words += QString::number(i) + "  ";
  EXPECT_EQ(SplitSpace(words), kSplitOverflow);
  EXPECT_EQ(glSplitWordCount, 0);
  EXPECT_EQ(gsSplitWord[10000], "10000");

  EXPECT_EQ(SplitText2(QString(999, u';'), 5, 0), 1000);
  EXPECT_EQ(SplitText2(QString(1000, u';'), 5, 0), kSplitOverflow);
  EXPECT_EQ(giSplitItemCount, 0);
}

TEST_F(Splitters, RandomAndTruncatedInputs) {
  // Every input returns; the parts put back together give the text again.
  QRandomGenerator rng(20240105);
  const QString alphabet = QStringLiteral(",;'\t\n\r  ab가\0");
  for (int round = 0; round < 3000; ++round) {
    const int len = int(rng.bounded(round % 100 == 0 ? 12000 : 60));
    QString text;
    for (int i = 0; i < len; ++i) text += alphabet[int(rng.bounded(alphabet.size()))];
    text.truncate(int(rng.bounded(len + 1)));
    const auto code = int16_t(rng.bounded(-1, 9));
    const QChar delim = QString(",\t \n;\r")[code >= 1 && code <= 6 ? code - 1 : 0];
    const QChar d = code >= 1 && code <= 6 ? delim : QChar(u'\'');

    const int32_t n = SplitText(text, code, 1);
    if (text.isEmpty()) {
      ASSERT_EQ(n, 0);
    } else if (text.count(d) >= 10000) {
      ASSERT_EQ(n, kSplitOverflow);
    } else {
      ASSERT_EQ(Words(n).join(d), text);
    }
    const int16_t n2 = SplitText2(text, code, 0);
    ASSERT_TRUE(n2 == kSplitOverflow || (n2 >= 0 && n2 <= 1000));
    const int16_t w = SplitSpace(text);
    ASSERT_TRUE(w == kSplitOverflow || (w >= 0 && w <= 10000));
    for (int i = 1; i <= w; ++i) ASSERT_FALSE(gsSplitWord[size_t(i)].contains(u' '));
  }
}

TEST(Formatters, AtMaskFillsFromTheRight) {
  struct Case {
    const char *text, *mask, *out;
  } cases[] = {
      {"20241205", "@@@@.@@.@@", "2024.12.05"},
      {"", "@@@@.@@.@@", "    .  .  "},
      {"1205", "@@@@.@@.@@", "    .12.05"},
      {"0920241205", "@@@@.@@.@@", "092024.12.05"},  // extra characters stand in front
      {"093015", "@@:@@:@@", "09:30:15"},
      {"123456", "@@@-@@@", "123-456"},
  };
  for (const auto &c : cases) EXPECT_EQ(FormatAt(c.text, c.mask), c.out) << c.text << " " << c.mask;
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  struct Case {
    double value;
    int64_t out;
  } cases[] = {
      {0.5, 0},     {1.5, 2},     {2.5, 2},         {-2.5, -2},  {-3.5, -4},
      {2.4999, 2},  {2.5001, 3},  {1000 * 1.1 + 0.5, 1100},    {1001 * 1.1 + 0.5, 1102},
      {1010 * 1.1 + 0.5, 1112},   {std::nan(""), 0},
      {1e300, INT64_MAX},         {-1e300, INT64_MIN},
      {-9223372036854775808.0, INT64_MIN},
  };
  for (const auto &c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.out) << c.value;
  EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::infinity()), INT64_MAX);
}
