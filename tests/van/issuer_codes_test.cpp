// The issuer-code lists: the lookup by typed code and the prompt laid out in code-page bytes.
#include <gtest/gtest.h>

#include "core/byte_text.h"
#include "core/pos_settings.h"
#include "van/issuer_codes.h"

using orv::van::CardComName;
using orv::van::IssuerCodePrompt;

namespace {

QStringList Lines(const QString &prompt) {
  QStringList lines = prompt.split(QStringLiteral("\r\n"));
  EXPECT_TRUE(lines.last().isEmpty()) << "every line ends in CR LF";
  lines.removeLast();
  return lines;
}

TEST(IssuerCodes, NamesByExactCode) {
  const struct {
    int van;
    const char *code, *name;
  } cases[] = {
      {1, "0028", "JCB"},      {1, "0001", ""},          {1, "0006", "하나카드"},
      {9, "0006", "삼성카드"}, {4, "0001", "비씨"},      {9, "0001", "비씨카드"},
      {4, "0044", "카카오페이"}, {4, "0076", "제로페이"}, {5, "3900", "카카오페이"},
      {10, "3900", "카카오페이"}, {5, "7700", "제로페이"}, {10, "7700", "제로페이"},
      {1, "6", ""},            {1, "06", ""},            {1, " 0006", ""},
      {3, "0006", ""},         {2, "0001", ""},
  };
  for (const auto &c : cases)
    EXPECT_EQ(CardComName(int16_t(c.van), c.code), QString::fromUtf8(c.name)) << c.van << " " << c.code;
  giSetVan = 1;
  EXPECT_EQ(GetCardComName("0031"), "삼성카드");
  giSetVan = 0;
}

TEST(IssuerCodes, PromptLinesAreFortyEightBytes) {
  const struct {
    int van, lines;
    const char *first, *last;
  } cases[] = {
      {1, 7, "0006 하나카드         0007 신한카드             ", nullptr},
      {4, 12, nullptr, nullptr},
      {5, 21, nullptr, "9400 KTF"},
      {9, 12, nullptr, "0039 신세계(한미)"},
      {10, 10, nullptr, nullptr},
  };
  for (const auto &c : cases) {
    const QStringList lines = Lines(IssuerCodePrompt(int16_t(c.van)));
    ASSERT_EQ(lines.size(), c.lines) << c.van;
    for (const QString &l : lines) EXPECT_EQ(LenAnsi(l), 48) << c.van << " " << l.toStdString();
    if (c.first) {
      EXPECT_EQ(lines.first(), QString::fromUtf8(c.first)) << c.van;
    }
    if (c.last) {
      EXPECT_EQ(lines.last().trimmed(), QString::fromUtf8(c.last)) << c.van;
    }
  }
  EXPECT_TRUE(Lines(IssuerCodePrompt(5)).contains(
      QStringLiteral("0521 하나SK은행       0522 산은캐피탈           ")));
  EXPECT_TRUE(IssuerCodePrompt(3).isEmpty());
  EXPECT_TRUE(IssuerCodePrompt(2).isEmpty());
}

}  // namespace
