#include <gtest/gtest.h>

#include <QDate>
#include <QVariant>
#include <limits>

#include "core/leading_number.h"
#include "core/values.h"
#include "test_print.h"

using orv::Currency;

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfATextOnly) {
  struct Case {
    const char *text;
    const char *money;
  } cases[] = {
      {"", "0"},          {"abc", "0"},         {"  ", "0"},          {"1,234", "1"},
      {"  12.5kg", "12.5"}, {"-12.34567", "-12.3457"}, {"1 000", "1000"}, {"\t1\n2", "12"},
      {"- 5", "-5"},      {"+7", "7"},          {"+-1", "0"},         {".5", "0.5"},
      {".", "0"},         {"-", "0"},           {"1.2.3", "1.2"},     {"5-3", "5"},
      {"1e3", "1000"},    {"1D2", "100"},       {"2.5E-1", "0.25"},   {"1e", "1"},
      {"1e+", "1"},       {"e5", "0"},          {"&H1F", "31"},       {"&o17", "15"},
      {"&HZ", "0"},       {"&12", "0"},         {"\r5", "0"},         {"0.00005", "0"},
      {"0.00015", "0.0002"}, {"0.000050001", "0.0001"}, {"-0.00005", "0"},
      {"00000000000000000000000000000000000000000000000123.4", "123.4"},
      {"922337203685477.5807", "922337203685477.5807"},
      {"-922337203685477.5808", "-922337203685477.5808"},
      {"1e-400", "0"},
  };
  for (const auto &c : cases) {
    auto v = Currency::FromText(QString::fromUtf8(c.text));
    ASSERT_TRUE(v.has_value()) << c.text;
    EXPECT_EQ(v->ToPlainText(), c.money) << "text '" << c.text << "'";
  }
}

TEST(LeadingNumber, NumbersOutsideTheMoneyRangeAreReported) {
  for (const char *text : {"922337203685477.58075", "-922337203685477.58086", "1e15", "1e400",
                           "99999999999999999999", "&HFFFFFFFFFFFFFFFFFF",
                           "1e99999999999999999999999"}) {
    EXPECT_FALSE(Currency::FromText(QString::fromUtf8(text)).has_value()) << text;
  }
  // Just inside: rounding down to the largest value.
  EXPECT_EQ(Currency::FromText(u"922337203685477.58074"), Currency::FromRaw(INT64_MAX));
  EXPECT_EQ(Currency::FromText(u"-922337203685477.58085"), Currency::FromRaw(INT64_MIN));
  EXPECT_EQ(orv::ReadLeadingNumber(QStringView(u"1.5e3x")).ToDouble(), 1500.0);
}

TEST(Currency, FromDoubleRoundsHalvesToEvenAndReportsOverflow) {
  struct Case {
    double value;
    const char *money;
  } cases[] = {
      {0.0, "0"},        {0.1, "0.1"},      {10.0 / 3, "3.3333"}, {-10.0 / 3, "-3.3333"},
      {2.00005, "2"},    {2.00015, "2.0002"}, {0.00005, "0"},     {1.0 / 8, "0.125"},
      {-2.5, "-2.5"},    {1e14, "100000000000000"}, {1e-300, "0"},
  };
  for (const auto &c : cases) {
    auto v = Currency::FromDouble(c.value);
    ASSERT_TRUE(v.has_value()) << c.value;
    EXPECT_EQ(v->ToPlainText(), c.money) << c.value;
  }
  for (double bad : {1e16, -1e16, std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()})
    EXPECT_FALSE(Currency::FromDouble(bad).has_value()) << bad;
}

TEST(Currency, MulRoundsToFourDecimalsHalvesToEven) {
  EXPECT_EQ(Currency::Mul(M("1.5"), M("3")), M("4.5"));
  EXPECT_EQ(Currency::Mul(M("0.0001"), M("0.5")), M("0"));       // 0.00005 -> even 0
  EXPECT_EQ(Currency::Mul(M("0.0003"), M("0.5")), M("0.0002"));  // 0.00015 -> even 0.0002
  EXPECT_EQ(Currency::Mul(M("-0.0003"), M("0.5")), M("-0.0002"));
  EXPECT_EQ(Currency::Mul(M("-1234.5678"), M("-2")), M("2469.1356"));
  EXPECT_FALSE(Currency::Mul(M("922337203685477"), M("2")).has_value());
  EXPECT_EQ(Currency::Mul(Currency::FromRaw(INT64_MIN), M("1")), Currency::FromRaw(INT64_MIN));
  EXPECT_FALSE(Currency::Mul(Currency::FromRaw(INT64_MIN), M("-1")).has_value());
}

TEST(NzCur, StoredAndTypedValues) {
  struct Case {
    QVariant value;
    const char *money;
  } cases[] = {
      {QVariant(), "0"},
      {QVariant(QMetaType::fromType<QString>()), "0"},  // a database NULL
      {QString(""), "0"},
      {QString("abc"), "0"},
      {QString("  "), "0"},
      {QString("1,234"), "1"},
      {QString("-12.34567"), "-12.3457"},
      {QString("1 000"), "1000"},
      {QString("1234.5000"), "1234.5"},  // PostgreSQL numeric text
      {QVariant(qlonglong(88000)), "88000"},
      {QVariant(int(-5)), "-5"},
      {QVariant(0.1 + 0.2), "0.3"},
      {QVariant(true), "1"},
      {QString("99999999999999999999"), "0"},  // outside the money range
      {QVariant(qlonglong(INT64_MAX)), "0"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(NzCur(c.value).ToPlainText(), c.money) << c.value.toString().toStdString();
  EXPECT_EQ(NzCur(QString(" 12.5kg")), M("12.5"));
  EXPECT_EQ(NzCur("7"), M("7"));
  EXPECT_EQ(NzCur(int16_t(3)), M("3"));
  EXPECT_EQ(NzCur(2.5), M("2.5"));
  EXPECT_EQ(NzCur(M("4.25")), M("4.25"));
  EXPECT_FALSE(NzCurChecked(QString("1e20")).has_value());
  EXPECT_EQ(NzCurChecked(QString("1e10")), M("10000000000"));
}

TEST(NzStr, TrimsBlanksOnly) {
  EXPECT_EQ(NzStr(QVariant()), "");
  EXPECT_EQ(NzStr(QVariant(QMetaType::fromType<QString>())), "");
  EXPECT_EQ(NzStr(QVariant(QString("  a b  "))), "a b");
  EXPECT_EQ(NzStr(QString("\ta ")), "\ta");
  EXPECT_EQ(NzStr(QVariant(qlonglong(-42))), "-42");
  EXPECT_EQ(NzStr(QVariant(1.5)), "1.5");
  EXPECT_EQ(NzStr(QVariant(QDate(2024, 1, 5))), "2024-01-05");
  EXPECT_EQ(NzStr2(QString(" x ")), "x");
  EXPECT_EQ(NzStr(12), "12");
}

TEST(MoneyArithmetic, FailuresGiveZeroThenTheRoundingMode) {
  const Currency max = Currency::FromRaw(INT64_MAX), min = Currency::FromRaw(INT64_MIN);
  EXPECT_EQ(CurAdd(max, M("1"), -1), M("0"));
  EXPECT_EQ(CurSub(min, M("1"), -1), M("0"));
  EXPECT_EQ(CurMul(max, M("2"), -1), M("0"));
  EXPECT_EQ(CurDiv(M("1"), M("0"), -1), M("0"));
  EXPECT_EQ(CurDiv(M("0"), M("0"), 9), M("0"));
  EXPECT_EQ(CurDiv(max, M("0.0001"), -1), M("0"));

  struct Case {
    const char *a, *b;
    int16_t mode;
    const char *add, *sub, *mul, *div;
  } cases[] = {
      {"10", "3", 2, "13", "7", "30", "3.33"},
      {"10", "3", 0, "13", "7", "30", "3"},
      {"10", "3", 9, "13", "7", "30", "3"},
      {"10", "3", 1, "13", "7", "30", "3.3333"},
      {"0", "2.5", 0, "2", "-3", "0", "0"},
      {"0", "2.5", 9, "2", "-2", "0", "0"},
      {"2.7", "0.8", 0, "3", "1", "2", "3"},         // 3.5, 1.9, 2.16, 3.375
      {"2.7", "0.8", 9, "4", "2", "2", "3"},
      {"2.7", "0.8", 2, "3.5", "1.9", "2.16", "3.37"},
      {"-2.3", "1", 0, "-2", "-4", "-3", "-3"},      // -1.3, -3.3, -2.3, -2.3
      {"-2.5", "1", 9, "-2", "-4", "-2", "-2"},      // -1.5, -3.5, -2.5, -2.5
      {"1.2399", "-1", 2, "0.23", "2.23", "-1.23", "-1.23"},
  };
  for (const auto &c : cases) {
    const Currency a = M(c.a), b = M(c.b);
    EXPECT_EQ(CurAdd(a, b, c.mode), M(c.add)) << c.a << " + " << c.b << " mode " << c.mode;
    EXPECT_EQ(CurSub(a, b, c.mode), M(c.sub)) << c.a << " - " << c.b << " mode " << c.mode;
    EXPECT_EQ(CurMul(a, b, c.mode), M(c.mul)) << c.a << " * " << c.b << " mode " << c.mode;
    EXPECT_EQ(CurDiv(a, b, c.mode), M(c.div)) << c.a << " / " << c.b << " mode " << c.mode;
  }
  // Rounding the extremes to whole numbers cannot leave the money range.
  EXPECT_EQ(CurAdd(min, M("0"), 0), M("0"));
  EXPECT_EQ(CurAdd(min, M("0"), 9), M("0"));
  EXPECT_EQ(CurAdd(max, M("0"), 0), M("922337203685477"));
}

TEST(CurCutDec, CutsTowardZeroToTwoDecimalsWithinFourteenCharacters) {
  struct Case {
    const char *value, *cut;
  } cases[] = {
      {"0", "0"},         {"5", "5"},           {"0.999", "0.99"},   {"1.2399", "1.23"},
      {"-1.2399", "-1.23"}, {"0.0099", "0"},    {"123.4", "123.4"},
      {"-12345678901.2345", "-12345678901.2"}, {"123456789012.34", "123456789012.3"},
      {"922337203685477.5807", "92233720368547"},
  };
  for (const auto &c : cases) EXPECT_EQ(CurCutDec(M(c.value)), M(c.cut)) << c.value;
}

TEST(ValCode334, DigitGroupsToTenDigitCodes) {
  struct Case {
    const char *text;
    int16_t flag;
    const char *code;
  } cases[] = {
      {"", 0, "0"},
      {"-123-456", 0, "0"},  // group 1 empty
      {"-123-456", 1, "0"},
      {"12-345-6789", 0, "123456789"},
      {"12-345-6789", 1, "123456789"},
      {"12-345", 0, "123450000"},
      {"12-345", 1, "10120345"},
      {"5", 0, "50000000"},
      {"5", 1, "0"},
      {"1234", 0, "1234000000"},
      {"123456789012345", 0, "1234567890"},
      {"123-456-7890-99", 0, "1234567890"},
      {"12  34", 0, "120340000"},  // runs of separators count once
      {"1234-56789-123456", 0, "2347893456"},  // long groups keep their last digits
      {"가1나2다3", 0, "0"},
      {"1가2나3", 0, "10020003"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(ValCode334(QString::fromUtf8(c.text), c.flag), M(c.code))
        << c.text << " flag " << c.flag;
}

TEST(Codes, FmtCode334AndMaskText) {
  EXPECT_EQ(FmtCode334(1, 2, 3, 0), "0010020003");
  EXPECT_EQ(FmtCode334(0, 0, 0, 1), "");
  EXPECT_EQ(FmtCode334(0, 0, 0, 0), "0000000000");
  EXPECT_EQ(FmtCode334(0, 0, 0, 2), "0000000000");
  EXPECT_EQ(FmtCode334(1234, 5, 12345, 1), "2340052345");

  EXPECT_EQ(MaskText("1234567890123456"), "123****890123456");
  EXPECT_EQ(MaskText("1234567"), "123****");
  EXPECT_EQ(MaskText("12"), "12****");
  EXPECT_EQ(MaskText(""), "****");
  EXPECT_EQ(MaskText("12345678"), "123****8");
}

TEST(Ean, CheckDigitAndValidation) {
  struct Case {
    const char *text, *check;
  } digits[] = {
      {"4006381333931", "1"}, {"880123456789", "3"}, {"8801234567890", "3"},
      {"1234567", "0"},       {"1234", "X"},         {"", "X"},
      {" 880123456789 ", "3"}, {"12345670", "0"},    {"96385074", "4"},
      {"88012345678A", "0"},  // a non-digit counts 0
  };
  for (const auto &c : digits) EXPECT_EQ(EanCheckDigit(c.text), c.check) << c.text;

  struct VCase {
    const char *text, *result;
  } valid[] = {
      {"8801234567893", "AO"}, {"8801234567890", "AX"}, {"12345670", "BO"},
      {"12345671", "BX"},      {"880123456789", "?X"},  {"", "?X"},
      {" 96385074 ", "BO"},
  };
  for (const auto &c : valid) EXPECT_EQ(EanValidate(c.text), c.result) << c.text;
}

TEST(CompareCodeOrder, LookupGridOrder) {
  struct Case {
    const char *a, *b;
    int16_t order;
  } cases[] = {
      {"abc", "ABC", 0},   {"A", "가", 1},     {"1", "가", -1},    {"12", "123", -1},
      {"12-34", "1234", 0}, {"", "", 0},       {"", "a", -1},      {"-", "", 0},
      {" ", "0", -1},      {"9", "가", -1},    {"가", "나", -1},   {"Z", "a", 1},
      {"z", "가", 1},      {"[", "a", -1},     {"a1", "A2", -1},   {"漢", "가", 1},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(CompareCodeOrder(QString::fromUtf8(c.a), QString::fromUtf8(c.b)), c.order)
        << c.a << " vs " << c.b;
    EXPECT_EQ(CompareCodeOrder(QString::fromUtf8(c.b), QString::fromUtf8(c.a)), -c.order)
        << c.b << " vs " << c.a;
  }
}

TEST(CharacterFilters, KeepDeleteAndTest) {
  EXPECT_EQ(IsDigits(""), 0);
  EXPECT_EQ(IsDigits("0123"), 1);
  EXPECT_EQ(IsDigits("12.3"), 0);
  EXPECT_EQ(IsDigits(" 1"), 0);
  EXPECT_EQ(IsDigits(QStringLiteral("１２")), 0);  // full-width digits are not "0" to "9"

  EXPECT_EQ(KeepDigits(QStringLiteral("1,234.5원"), 0), "12345");
  EXPECT_EQ(KeepDigits(QStringLiteral("1,234.5원"), 1), "1234.5");
  EXPECT_EQ(KeepDigits(QStringLiteral("1.2"), 2), "12");
  EXPECT_EQ(KeepDigits("", 1), "");

  EXPECT_EQ(DelChar(" 1,234,567 ", ","), "1234567");
  EXPECT_EQ(DelChar(" 1,234,567 ", QChar(',')), "1234567");
  EXPECT_EQ(DelChar("\t1,2 ", ","), "\t12");
  EXPECT_EQ(DelChar(" a b ", ""), "a b");

  EXPECT_EQ(DelSpace(" a b\tc "), "ab\tc");
}
