#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <stdexcept>

#include "core/daily_log.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "test_support.h"

namespace {

class DailyLog : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    dir_ = orvtest::MakeTempDir();
    local_ = dir_->filePath("c");
    shared_ = dir_->filePath("l");
    QDir().mkpath(local_);
    QDir().mkpath(shared_);
    orv::dailylog::SetDriveFolders(local_, shared_);
    giSetLog = 1;
    giSetPosNo = 3;
    gcLogPsnKey = orv::Currency::Won(12);
    orv::clock::SetFixed(QDateTime(QDate(2024, 1, 30), QTime(9, 5, 7)));
  }
  void TearDown() override {
    orv::clock::Reset();
    orv::state::ResetProgramState();
  }

  static QString Read(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return orv::codepage::Decode(f.readAll());
  }
  static bool Empty(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty();
  }

  std::unique_ptr<QTemporaryDir> dir_;
  QString local_, shared_;
};

TEST_F(DailyLog, LinesOfADayGoToOneFile) {
  WriteLog(12, "");
  const QString file = local_ + "/Pos/3/Log20240130.txt";
  EXPECT_EQ(Read(file), "20240130,090507,3,12,12,\r\n");
  orv::clock::SetFixed(QDateTime(QDate(2024, 1, 30), QTime(23, 59, 59)));
  WriteLog(13, QStringLiteral("보고서 출력, 완료"));
  EXPECT_EQ(Read(file), QStringLiteral("20240130,090507,3,12,12,\r\n"
                                       "20240130,235959,3,12,13,보고서 출력, 완료\r\n"));
  // The file holds CP949 bytes.
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.readAll().contains(orv::codepage::Encode(QStringLiteral("보고서"))));
  // A new day starts a new file.
  orv::clock::SetFixed(QDateTime(QDate(2024, 1, 31), QTime(0, 0, 1)));
  WriteLog(12, "x");
  EXPECT_EQ(Read(local_ + "/Pos/3/Log20240131.txt"), "20240131,000001,3,12,12,x\r\n");
  EXPECT_TRUE(Empty(shared_));
}

TEST_F(DailyLog, FieldsArePlainNumbers) {
  const struct {
    int16_t posNo;
    orv::Currency key;
    int16_t kind;
    QString line;
  } cases[] = {
      {1, orv::Currency::Won(1234567), 13, "20240130,090507,1,1234567,13,"},
      {12, orv::Currency(), -1, "20240130,090507,12,0,-1,"},
      {0, orv::Currency::FromRaw(15000), 0, "20240130,090507,0,1.5,0,"},
  };
  for (const auto &c : cases) {
    giSetPosNo = c.posNo;
    gcLogPsnKey = c.key;
    WriteLog(c.kind, "");
    const QString file = local_ + "/Pos/" + QString::number(c.posNo) + "/Log20240130.txt";
    EXPECT_EQ(Read(file), c.line + "\r\n");
  }
}

TEST_F(DailyLog, SharedDriveIsUsedWhenItHoldsAnything) {
  // An empty shared drive counts as absent.
  WriteLog(12, "a");
  EXPECT_TRUE(QFile::exists(local_ + "/Pos/3/Log20240130.txt"));
  EXPECT_TRUE(Empty(shared_));

  QFile marker(shared_ + "/anything");
  ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
  marker.close();
  WriteLog(12, "b");
  EXPECT_EQ(Read(shared_ + "/Pos/3/Log20240130.txt"), "20240130,090507,3,12,12,b\r\n");
  EXPECT_EQ(Read(local_ + "/Pos/3/Log20240130.txt"), "20240130,090507,3,12,12,a\r\n");
}

TEST_F(DailyLog, OffUnlessTheSettingIsOne) {
  for (int16_t v : {0, 2, -1}) {
    giSetLog = v;
    WriteLog(12, "x");
  }
  EXPECT_TRUE(Empty(local_));
  EXPECT_TRUE(Empty(shared_));
}

TEST_F(DailyLog, DefaultDrivesAreFoldersOfTheDataFolder) {
  orv::dailylog::SetDriveFolders({}, {});
  EXPECT_EQ(orv::dailylog::LocalDrive(), orv::datafolder::Path("C"));
  EXPECT_EQ(orv::dailylog::SharedDrive(), orv::datafolder::Path("L"));
  WriteLog(12, "d");
  EXPECT_TRUE(QFile::exists(orv::datafolder::Path("C/Pos/3/Log20240130.txt")));
  QDir(orv::datafolder::Path("C")).removeRecursively();
}

TEST_F(DailyLog, DatabaseFailuresThatCannotBeThrownAreLogged) {
  orv::dailylog::LogDatabaseFailures();
  orv::db::LogFailure(QStringLiteral("ROLLBACK 실패: 5 disk I/O error"));
  EXPECT_EQ(Read(local_ + "/Pos/3/Log20240130.txt"),
            QStringLiteral("20240130,090507,3,12,90,ROLLBACK 실패: 5 disk I/O error\r\n"));
  QDir(local_).removeRecursively();  // the log cannot be written: the line is lost quietly
  QFile blocker(local_);
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EXPECT_NO_THROW(orv::db::LogFailure("x"));
  orv::db::SetFailureLog({});
}

TEST_F(DailyLog, FailuresReachTheCaller) {
  // A file where the POS folder should be.
  QDir().mkpath(local_ + "/Pos");
  QFile blocker(local_ + "/Pos/3");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EXPECT_THROW(WriteLog(12, "x"), std::runtime_error);
  // A folder where the day's file should be.
  giSetPosNo = 4;
  QDir().mkpath(local_ + "/Pos/4/Log20240130.txt");
  EXPECT_THROW(WriteLog(12, "x"), std::runtime_error);
}

}  // namespace
