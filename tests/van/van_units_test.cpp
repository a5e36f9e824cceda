// The card layer's plain rules: request numbers, frames, reply codes, log texts, VAT.
#include <gtest/gtest.h>

#include "core/currency.h"
#include "core/helpers.h"
#include "van/card_log.h"
#include "van/van_approval.h"
#include "van/van_wire.h"

using orv::Currency;

TEST(CardCount, RaisesAndWrapsAfter999999) {
  const struct { int64_t last, next; } cases[] = {{0, 1}, {-5, 1}, {41, 42}, {999998, 999999}, {999999, 1}};
  for (auto c : cases) EXPECT_EQ(NextCardCount(Currency::Won(c.last)), Currency::Won(c.next)) << c.last;
}

TEST(FdkReply, OnlyAZeroCodeOfDigitsApproves) {
  const struct { const char *code; bool ok; } cases[] = {
      {"0000", true}, {"00", true}, {" 0000 ", true}, {"", false}, {"A000", false},
      {"0A", false},  {"8099", false}, {"9999", false}, {"-0", false}};
  for (auto c : cases) EXPECT_EQ(FdkCodeApproves(c.code), c.ok) << c.code;
}

TEST(FdkRequest, KindDecidesTheBarcodeField) {
  auto keys = [](int16_t kind) {
    QStringList k;
    for (const auto &p : FdkApprovalInputs(kind, Currency::Won(15000), Currency::Won(1363), "03", "B1"))
      k << p.first + "=" + p.second;
    return k;
  };
  EXPECT_EQ(keys(0).first(), "거래구분=CRD");
  EXPECT_TRUE(keys(0).contains("요청금액=15000"));
  EXPECT_TRUE(keys(0).contains("세금=1363"));
  EXPECT_TRUE(keys(0).contains("할부=03"));
  EXPECT_EQ(keys(0).size(), 7);
  EXPECT_EQ(keys(1).first(), "거래구분=KAO");
  EXPECT_EQ(keys(1).last(), "거래고유번호=B1");
  EXPECT_EQ(keys(2).first(), "거래구분=ZRO");
  EXPECT_EQ(keys(2).last(), "바코드번호=B1");
}

TEST(CardLogText, RequestRowKeepsTheLastEightDigits) {
  EXPECT_EQ(CardLogRequestText("KIS_Approval", "123,456,789"), "KIS_Approval : 23456789");
  EXPECT_EQ(CardLogRequestText("KIS_Approval", "500"), "KIS_Approval : 00000500");
  EXPECT_EQ(CardLogRequestText("FDK_WIN4POS", "15,000"), "FDK_WIN4POS : 00015000");
}

TEST(CardTax, ByTheCardTaxSetting) {
  // 0 none, 1 the VAT inside the amount, 2 half of it.
  EXPECT_EQ(CalcVat(Currency::Won(11000), 0), Currency::Won(1000));
  EXPECT_EQ(CalcVat(Currency::Won(11000), 1), Currency::Won(500));
  EXPECT_EQ(CalcVat(Currency::Won(10000), 0), Currency::Won(909));
  EXPECT_EQ(CalcVat(Currency::Won(10000), 1), Currency::Won(454));
}

TEST(VanFrame, RoundTripsAndRefusesWhatDoesNotParse) {
  QString error;
  QByteArray buf = orv::van::EncodeFrame({"INPUT", "3", "할부", "03"}, &error);
  EXPECT_EQ(buf.left(4), QByteArray("0015"));
  buf += "00";  // the start of the next frame stays
  auto t = orv::van::TakeFrame(buf);
  ASSERT_TRUE(t.ok);
  EXPECT_EQ(t.fields, (QStringList{"INPUT", "3", "할부", "03"}));
  EXPECT_EQ(buf, "00");
  EXPECT_FALSE(orv::van::TakeFrame(buf).complete);

  EXPECT_TRUE(orv::van::EncodeFrame({QString(10000, 'x')}, &error).isEmpty());
  EXPECT_FALSE(error.isEmpty());

  QByteArray bad = "0002\xff\xff";
  t = orv::van::TakeFrame(bad);
  EXPECT_TRUE(t.complete);
  EXPECT_FALSE(t.ok);
  QByteArray junk = "12ab";
  EXPECT_FALSE(orv::van::TakeFrame(junk).ok);
}
