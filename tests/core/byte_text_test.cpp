#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "core/byte_text.h"
#include "platform/codepage.h"
#include "test_print.h"

namespace {
QString U(const char *s) { return QString::fromUtf8(s); }
}  // namespace

TEST(CharCode, CodePageValueAsSigned16Bit) {
  EXPECT_EQ(CharCode(u'A'), 65);
  EXPECT_EQ(CharCode(u'\0'), 0);
  EXPECT_EQ(CharCode(QChar(0xAC00)), -20319);  // 가: B0 A1
  EXPECT_EQ(CharCode(QChar(0xD79D)), int16_t(0xC8FE - 65536));  // 힝
  EXPECT_EQ(CharCode(QChar(0xD7A3)), int16_t(0xC652 - 65536));  // 힣, an extended syllable
  EXPECT_EQ(CharCode(QChar(0x6F22)), int16_t(0xF9D3 - 65536));  // 漢
  EXPECT_EQ(CharCode(QChar(0x0E01)), 63);  // Thai: not in the code page
  EXPECT_EQ(CharCode(QChar(0xD83D)), 63);  // half of a surrogate pair
  // Every character agrees with the code-page layer about its width.
  for (char16_t u : {u'a', u'\x80', u'\xA9', u'\x3000', u'\x3131', u'\xFF01', u'\xFFFD'})
    EXPECT_EQ(CharByteWidth(QChar(u)), orv::codepage::ByteLength(QString(QChar(u)))) << int(u);
}

TEST(ByteText, WholeCharacterCuts) {
  struct Case {
    const char *text;
    int width;
    const char *left, *padded;
  } cases[] = {
      {"가나다", 5, "가나", "가나 "}, {"가", 1, "", " "},      {"가", 2, "가", "가"},
      {"", 3, "", "   "},            {"abc", 0, "", ""},      {"abc", -1, "", ""},
      {"a가b", 3, "a가", "a가"},     {"abc", 10, "abc", "abc       "},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(LeftByte(U(c.text), c.width), U(c.left)) << c.text << " " << c.width;
    EXPECT_EQ(PadByte(U(c.text), c.width), U(c.padded)) << c.text << " " << c.width;
  }
}

TEST(ByteText, ByteCutsKeepTheExactWidth) {
  EXPECT_EQ(LeftAnsi(U("가나다"), 5), U("가나 "));
  EXPECT_EQ(LeftH(U("가나다"), 5), U("가나 "));
  EXPECT_EQ(LeftAnsi("ABC", 0), "");
  EXPECT_EQ(LeftAnsi("ABC", 10), "ABC");
  EXPECT_EQ(LeftAnsi("   ", 2), "  ");
  EXPECT_EQ(LeftAnsi("", 2), "");
  EXPECT_EQ(LeftAnsi("ABC", -1), "");
  EXPECT_EQ(LeftAnsi(QString("a") + QChar(0) + "b", 3), "a b");

  EXPECT_EQ(MidAnsi(U("AB가C"), 3, 2), U("가"));
  EXPECT_EQ(MidAnsi(U("AB가C"), 3), U("가C"));
  EXPECT_EQ(MidAnsi(U("AB가C"), 4, 2), U(" C"));  // begins on the second half
  EXPECT_EQ(MidAnsi(U("가나"), 2, 2), U("  "));    // both ends cut a character
  EXPECT_EQ(MidAnsi(U("AB가C"), 4), U(" C"));
  EXPECT_EQ(MidAnsi("ABC", 9), "");
  EXPECT_EQ(MidAnsi("ABC", 0), "");
  EXPECT_EQ(MidAnsi("ABC", 1, -1), "");
  EXPECT_EQ(MidAnsi("   ", 2, 1), " ");

  EXPECT_EQ(LeftH(U("가나다"), QString("x")), "");
  EXPECT_EQ(LeftH(U("가나다"), QVariant()), "");
  EXPECT_EQ(LeftH(U("가나다"), QString(" 4 ")), U("가나"));
  EXPECT_EQ(LeftH(U("가나다"), 2.5), U("가"));  // 2.5 to the even 2
  EXPECT_EQ(LeftH("   ", 2), "");
  EXPECT_EQ(LeftH("  ab", 3), "  a");
  EXPECT_EQ(RightH(U("가나"), 2), U("나"));
  EXPECT_EQ(RightH(U("가나"), 3), U(" 나"));
  EXPECT_EQ(RightH("abc", 10), "abc");
  EXPECT_EQ(RightH("abc", "z"), "");
  EXPECT_EQ(MidH("ABCDE", 2, QString("x")), "BCDE");
  EXPECT_EQ(MidH("ABCDE", 2), "BCDE");
  EXPECT_EQ(MidH("ABCDE", 2, 2), "BC");
  EXPECT_EQ(MidH("ABCDE", 2, QString("3")), "BCD");
  EXPECT_EQ(MidH("     ", 2, 2), "");
  EXPECT_EQ(MidH("ABCDE", 0, 2), "");

  // A character outside the code page counts one byte and is not split.
  const QString smile = QString::fromUtf8("a\xF0\x9F\x98\x80" "b");
  EXPECT_EQ(LenAnsi(smile), 3);
  EXPECT_EQ(LeftAnsi(smile, 2), smile.left(3));
}

TEST(ByteText, Lengths) {
  EXPECT_EQ(LenAnsi(""), 0);
  EXPECT_EQ(LenH(""), 0);
  EXPECT_EQ(LenAnsi(U("A가")), 3);
  EXPECT_EQ(LenH(U("A가")), 3);
  EXPECT_EQ(LenAnsi("   "), 3);
  EXPECT_EQ(LenH("   "), 0);
  EXPECT_EQ(LenH(" a "), 3);
  EXPECT_EQ(LenAnsi(QString(20000, QChar(0xAC00))), 40000);  // beyond a 16-bit count
}

TEST(ByteText, CutsAgreeWithTheCodePageBytes) {
  // Cutting by bytes gives the bytes of the range, with blanks for cut halves.
  QRandomGenerator rng(7);
  const QString alphabet = U("ab 1가나漢★");
  for (int round = 0; round < 2000; ++round) {
    QString text;
    for (int i = 0, n = int(rng.bounded(12)); i < n; ++i)
      text += alphabet[int(rng.bounded(alphabet.size()))];
    const int start = int(rng.bounded(1, 20)), len = int(rng.bounded(0, 20));
    const QString mid = MidAnsi(text, start, len);
    const QByteArray bytes = orv::codepage::Encode(text);
    const QByteArray range = bytes.mid(start - 1, len);
    if (text.isEmpty()) continue;
    ASSERT_EQ(LenAnsi(mid), range.size()) << text.toStdString() << " " << start << " " << len;
    // Whole characters inside the range come back as they were.
    const QByteArray back = orv::codepage::Encode(mid);
    for (int i = 0; i < range.size(); ++i)
      if (back[i] != ' ') {
        ASSERT_EQ(back[i], range[i]);
      }
    ASSERT_EQ(LeftByte(text, len).size() <= text.size(), true);
    ASSERT_LE(LenAnsi(LeftByte(text, len)), len);
  }
}
