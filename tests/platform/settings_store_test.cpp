#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/datafolder.h"
#include "test_support.h"

namespace ss = orv::settings_store;

namespace {

class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = orvtest::MakeTempDir();
    ss::SetFilePath(Path("pos.ini"));
  }
  void TearDown() override { ss::SetFilePath({}); }
  QString Path(const QString &name) const { return QDir(dir_->path()).filePath(name); }
  void WriteFile(const QString &name, const QByteArray &bytes) const {
    QFile f(Path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  int SpellingsOf(const QString &key) const {
    int n = 0;
    for (const QString &k : ss::Keys()) n += k.compare(key, Qt::CaseInsensitive) == 0;
    return n;
  }
  std::unique_ptr<QTemporaryDir> dir_;
};

}  // namespace

TEST_F(SettingsStore, MissingKeyAndMissingFileReadEmpty) {
  EXPECT_EQ(ss::GetSetting("Update"), "");
  EXPECT_FALSE(ss::HasSetting("Update"));
  EXPECT_FALSE(QFile::exists(Path("pos.ini")));  // reading creates nothing
}

TEST_F(SettingsStore, KeysIgnoreCaseAndNeverDuplicate) {
  ASSERT_TRUE(ss::SaveSetting("Update", "20240130"));
  EXPECT_EQ(ss::GetSetting("update"), "20240130");
  EXPECT_EQ(ss::GetSetting("UPDATE"), "20240130");
  EXPECT_TRUE(ss::HasSetting("uPdAtE"));

  ASSERT_TRUE(ss::SaveSetting("UPDATE", "20240201"));
  EXPECT_EQ(ss::GetSetting("Update"), "20240201");
  EXPECT_EQ(SpellingsOf("update"), 1);
  EXPECT_TRUE(ss::Keys().contains("Update"));  // the first spelling stays
}

TEST_F(SettingsStore, AnyTextSurvivesSaveAndLoad) {
  const QString values[] = {
      "한글 설정값",
      "a;b;c",
      "key=value",
      "\"quoted\"",
      "it's",
      "   leading blanks",
      "trailing blanks   ",
      "a, b, c",
      "@Variant(junk)",
      "#not a comment",
      "C:\\OrvZerdo\\AutoUpdate.Exe",
      "[OrvPosSet]",
      "100%",
      "",
      "line1\r\nline2",
      "server=10.0.0.1;driver={SQLite};uid=sa;pwd=p;w=d;database=pos.db",
  };
  int i = 0;
  for (const QString &v : values) ASSERT_TRUE(ss::SaveSetting(QString("gsKey%1").arg(i++), v));
  // A second file name gives a reader that has to parse what was written.
  ASSERT_TRUE(QFile::copy(Path("pos.ini"), Path("copy.ini")));
  ss::SetFilePath(Path("copy.ini"));
  i = 0;
  for (const QString &v : values) {
    SCOPED_TRACE(v.toStdString());
    EXPECT_EQ(ss::GetSetting(QString("gsKey%1").arg(i++)), v);
  }
}

TEST_F(SettingsStore, FileIsAnIniSectionInTheDataFolderByDefault) {
  ss::SetFilePath({});
  EXPECT_EQ(ss::FilePath(), orv::datafolder::Path("OrvZerdo.ini"));
  ss::SetFilePath(Path("sub/dir/pos.ini"));  // missing folders are made
  ASSERT_TRUE(ss::SaveSetting("giSetPosNo", "3"));
  QFile f(Path("sub/dir/pos.ini"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(f.readAll());
  EXPECT_TRUE(text.contains("[OrvPosSet]"));
  EXPECT_TRUE(text.contains("giSetPosNo=3"));
}

TEST_F(SettingsStore, HandWrittenJunkDoesNotBreakIt) {
  WriteFile("junk.ini",
            "garbage line without equals\n"
            "[orvposset]\n"
            "Update=20240130\n"
            "UPDATE=19990101\n"
            "gsSetPrnPort = LPT1 \n"
            "list=a, b\n"
            "weird=@Variant(\\0\\0\\0\\x7f\\xff)\n"
            "=no key\n"
            "\xff\xfe\x01binary\x02=\x80\x81\n"
            "[Other]\n"
            "gsSetPrnPort=COM9\n"
            "[orvposset]\n"
            "unbalanced=\"open quote\n"
            "last=1\n");
  ss::SetFilePath(Path("junk.ini"));
  EXPECT_EQ(ss::GetSetting("gsSetPrnPort"), "LPT1");  // only our section counts
  EXPECT_EQ(ss::GetSetting("List"), "a,b");
  for (const char *k : {"unbalanced", "weird", "", "nothing"}) ss::GetSetting(k);
  EXPECT_EQ(SpellingsOf("update"), 2);

  ASSERT_TRUE(ss::SaveSetting("update", "20240201"));
  EXPECT_EQ(SpellingsOf("update"), 1);
  EXPECT_EQ(ss::GetSetting("Update"), "20240201");
  EXPECT_EQ(ss::GetSetting("gsSetPrnPort"), "LPT1");
}

TEST_F(SettingsStore, UnwritableFileIsReported) {
  WriteFile("blocker", "a file, not a folder");
  ss::SetFilePath(Path("blocker/pos.ini"));
  EXPECT_FALSE(ss::SaveSetting("Update", "1"));
  EXPECT_FALSE(ss::SaveSetting("", "1"));
}
