#include <gtest/gtest.h>

#include "platform/codepage.h"

using namespace orv;

TEST(Codepage, RoundTripAndByteLengths) {
  struct Case {
    QString text;
    int bytes;
  } cases[] = {
      {"", 0}, {"abc 123", 7}, {QStringLiteral("가"), 2}, {QStringLiteral("상품명 A"), 8},
      {QStringLiteral("받은금액이 판매금액보다 작습니다 !"), 34},
  };
  for (const auto &c : cases) {
    QByteArray b = codepage::Encode(c.text);
    EXPECT_EQ(b.size(), c.bytes) << c.text.toStdString();
    EXPECT_EQ(codepage::ByteLength(c.text), c.bytes) << c.text.toStdString();
    EXPECT_EQ(codepage::Decode(b), c.text);
  }
  // The Korean code page of "가" is B0 A1.
  EXPECT_EQ(codepage::Encode(QStringLiteral("가")), QByteArray("\xB0\xA1"));
}

TEST(Codepage, UnencodableAndBrokenInputNeverCrash) {
  EXPECT_EQ(codepage::Encode(QString::fromUtf8("\xF0\x9F\x98\x80")), QByteArray("?"));
  EXPECT_EQ(codepage::ByteLength(QString::fromUtf8("\xF0\x9F\x98\x80")), 1);
  // A lead byte cut at the end, and an invalid pair.
  EXPECT_EQ(codepage::Decode(QByteArray("a\xB0")), QString("a") + QChar(0xFFFD));
  QString s = codepage::Decode(QByteArray("\xFF\xFF"));
  EXPECT_FALSE(s.isEmpty());
}
