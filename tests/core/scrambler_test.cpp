#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "core/scrambler.h"

namespace {

TEST(Scrambler, KnownScrambles) {
  const struct {
    QString plain, scrambled;
  } cases[] = {
      {"", ""},
      {"A", "696274"},
      {"abc", "602558368114946992"},
      {QStringLiteral("가"), "901216"},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(EncodeSetting(c.plain), c.scrambled) << c.plain.toStdString();
    EXPECT_EQ(DecodeSetting(c.scrambled), c.plain) << c.scrambled.toStdString();
  }
}

bool AllDigits(const QString &s) {
  for (QChar c : s)
    if (c < QChar('0') || c > QChar('9')) return false;
  return true;
}

void ExpectRoundTrip(const QString &plain) {
  const QString s = EncodeSetting(plain);
  EXPECT_EQ(s.size(), plain.size() * 6) << plain.toStdString();
  EXPECT_TRUE(AllDigits(s)) << s.toStdString();
  EXPECT_EQ(DecodeSetting(s), plain) << plain.toStdString();
}

TEST(Scrambler, ConnectionTextsRoundTrip) {
  const QString texts[] = {
      "server=127.0.0.1,5432;driver={PostgreSQL};uid=postgres;pwd=p@ss;database=OrvPos",
      "server=(local);driver={SQLite};uid=;pwd=;database=/tmp/a b/pos.db",
      QStringLiteral("비밀번호 123!"),
      QStringLiteral("한글과 English, 漢字 ★※①"),
      QString(QChar(0)) + "\t\r\n\x7f",
      QStringLiteral("힣"),  // the last Hangul syllable
  };
  for (const auto &t : texts) ExpectRoundTrip(t);
}

TEST(Scrambler, RandomTextsRoundTrip) {
  QRandomGenerator rng(20240130);
  const QString extra = QStringLiteral("漢字★※①ⅰ㈜￦「」·");
  for (int i = 0; i < 300; ++i) {
    QString t;
    const int len = int(rng.bounded(40));
    for (int k = 0; k < len; ++k) {
      switch (rng.bounded(3)) {
        case 0: t.append(QChar(char16_t(rng.bounded(128)))); break;
        case 1: t.append(QChar(char16_t(0xAC00 + rng.bounded(11172)))); break;
        default: t.append(extra[rng.bounded(int(extra.size()))]); break;
      }
    }
    ExpectRoundTrip(t);
  }
}

TEST(Scrambler, CharactersOutsideTheCodePageComeBackAsQuestionMarks) {
  EXPECT_EQ(DecodeSetting(EncodeSetting(QStringLiteral("a\u0e01b"))), "a?b");
  // A surrogate pair is two units, each one a '?'.
  EXPECT_EQ(DecodeSetting(EncodeSetting(QString::fromUtf8("\xF0\x9F\x98\x80"))), "??");
}

TEST(Scrambler, StoredTextsItCannotHaveProducedDecodeToEmpty) {
  const QString bad[] = {"69627", "6962745", "69627a", " 696274", "６９６２７４"};
  for (const auto &b : bad) EXPECT_EQ(DecodeSetting(b), "") << b.toStdString();
  // Every six-digit group decodes to a character or to nothing; none crashes.
  QRandomGenerator rng(7);
  for (int i = 0; i < 2000; ++i) {
    QString s = QString::number(rng.bounded(1000000)).rightJustified(6, '0');
    QString p = DecodeSetting(s);
    EXPECT_LE(p.size(), 1);
    if (!p.isEmpty()) {
      EXPECT_EQ(EncodeSetting(p), s);
    }
  }
}

}  // namespace
