// Composition of the keyboard's key sequence and the key table file.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include "display/hangul.h"
#include "platform/codepage.h"

using orv::display::HangulComposer;

namespace {

QString Fixture() { return QStringLiteral(ORVPOS_TEST_FIXTURES) + "/hangul_small.txt"; }
QString Shipped() { return QStringLiteral(ORVPOS_SOURCE_DATA) + "/HanGeul.txt"; }

QString Compose(HangulComposer &h, const QString &keys) {
  h.HanKeySeq = keys;
  return h.ComposeHangul();
}

void WriteFile(const QString &path, const QByteArray &bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

}  // namespace

TEST(Hangul, ComposesTheSequenceChunkByChunk) {
  HangulComposer h;
  h.LoadHangulTable(Fixture());
  struct Case {
    const char *keys, *shown;
  } cases[] = {
      {"ㅎㅏㄴㄱㅡㄹ", "한글"},    // cut before ㄱ, which a vowel follows
      {"ㄱㅏㄴㅏ", "가나"},        // the ㄴ begins the next syllable
      {"ㄱㅏㄴ", "간"},
      {"ㄱㅏ", "가"},
      {"ㄱ", "ㄱ"},
      {"ㄱㅗㅏ", "과"},            // a compound vowel as two keys
      {"ㄷㅏㄹㄱ", "닭"},          // a final cluster as two keys
      {"ㅏㄴㅏ", "ㅏ나"},          // a leading vowel stays bare
      {"ㄱㅏㄴㄴㄴㄴ", "간ㄴㄴㄴ"},  // six keys: the longest known prefix, then the rest
      {"1ㄱㅏ", "1가"},
      {"ㄱㅏ1ㄴㅏ", "가1나"},       // the digit rides at the end of the first chunk
      {"abc", "abc"},
      {"", ""},
      {"ㅁㅏ", "마"},              // the entry of bytes that are not CP949 never matches
      {"ㅇㅏㄹㅁㅁㅁ", "아ㄹㅁㅁㅁ"},  // a key string of six is never matched
  };
  for (const Case &c : cases)
    EXPECT_EQ(Compose(h, QString::fromUtf8(c.keys)), QString::fromUtf8(c.shown)) << c.keys;
  Compose(h, QStringLiteral("ㄱㅏ1"));
  EXPECT_EQ(h.HanKeyKind, "01 ");
}

TEST(Hangul, LoadsEntriesAsTheFileWritesThem) {
  HangulComposer h;
  h.LoadHangulTable(Fixture());
  // Blank and padded lines are skipped or trimmed; keys after commas or a blank alike.
  ASSERT_EQ(h.HanTblCnt, 12);
  EXPECT_EQ(h.HanSylTbl[1], QStringLiteral("가"));
  EXPECT_EQ(h.HanKeyTbl[1], QStringLiteral("ㄱㅏ"));
  EXPECT_EQ(h.HanSylTbl[2], QStringLiteral("나"));
  EXPECT_EQ(h.HanKeyTbl[3], QStringLiteral("ㄱㅏㄴ"));
  // Two entries with the same keys: the one nearer the top wins.
  EXPECT_EQ(h.LookupHangul(QStringLiteral("ㄱㅏ")), QStringLiteral("가"));
  EXPECT_EQ(h.LookupHangul(QStringLiteral("ㄴㄴ")), QString());
}

TEST(Hangul, WithoutATableTheKeysStayAsTyped) {
  HangulComposer h;
  h.LoadHangulTable(QStringLiteral("/nonexistent/HanGeul.txt"));
  EXPECT_EQ(h.HanTblCnt, 0);
  EXPECT_EQ(Compose(h, QStringLiteral("ㅎㅏㄴ1")), QStringLiteral("ㅎㅏㄴ1"));

  QTemporaryDir dir;
  WriteFile(dir.filePath("empty.txt"), {});
  h.LoadHangulTable(dir.filePath("empty.txt"));
  EXPECT_EQ(h.HanTblCnt, 0);
  EXPECT_EQ(Compose(h, QStringLiteral("ㄱㅏ")), QStringLiteral("ㄱㅏ"));
}

TEST(Hangul, StopsAtFiveThousandEntries) {
  QTemporaryDir dir;
  QByteArray bytes = orv::codepage::Encode(QStringLiteral("가,ㄱㅏ\r\n")).repeated(5000);
  bytes += orv::codepage::Encode(QStringLiteral("\r\n나,ㄴㅏ\r\n"));  // the 5,001st
  WriteFile(dir.filePath("big.txt"), bytes);
  HangulComposer h;
  h.LoadHangulTable(dir.filePath("big.txt"));
  EXPECT_EQ(h.HanTblCnt, 5000);
  EXPECT_EQ(h.LookupHangul(QStringLiteral("ㄴㅏ")), QString());
}

TEST(Hangul, ShippedTableIsTheGeneratorsAndEveryKeyStringIsUnique) {
  QTemporaryDir dir;
  const QString made = dir.filePath("HanGeul.txt");
  QProcess p;
  p.start(QStringLiteral(ORVPOS_HANGEUL_TOOL), {made});
  ASSERT_TRUE(p.waitForFinished(10000));
  ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  QFile a(made), b(Shipped());
  ASSERT_TRUE(a.open(QIODevice::ReadOnly));
  ASSERT_TRUE(b.open(QIODevice::ReadOnly));
  EXPECT_TRUE(a.readAll() == b.readAll()) << "data/HanGeul.txt differs from the generator's";

  HangulComposer h;
  h.LoadHangulTable(Shipped());
  ASSERT_EQ(h.HanTblCnt, 2350);
  QSet<QString> seen;
  for (int i = 1; i <= h.HanTblCnt; ++i) {
    EXPECT_LE(h.HanKeyTbl[size_t(i)].size(), 5) << i;
    EXPECT_FALSE(seen.contains(h.HanKeyTbl[size_t(i)])) << i;
    seen.insert(h.HanKeyTbl[size_t(i)]);
  }
  EXPECT_EQ(h.LookupHangul(QStringLiteral("ㅎㅏㄴ")), QStringLiteral("한"));
  EXPECT_EQ(h.LookupHangul(QStringLiteral("ㄷㅏㄹㄱ")), QStringLiteral("닭"));
  EXPECT_EQ(Compose(h, QStringLiteral("ㄱㅘ")), QStringLiteral("ㄱㅘ"));  // no key of its own
  EXPECT_EQ(Compose(h, QStringLiteral("ㅆㅑ")), QStringLiteral("ㅆㅑ"));  // 쌰 is outside the range
}
