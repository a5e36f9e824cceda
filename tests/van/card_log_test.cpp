// The card log and the barcode record on both engines.
#include <gtest/gtest.h>

#include "chit/records.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "schema/tables.h"
#include "test_support.h"
#include "van/card_log.h"

namespace {

class CardLogDb : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    EngineTest::SetUp();
    if (IsSkipped()) return;
    goDbPos.Open(NewDatabase());
    for (const char *t : {"CardLog", "KzbCard"}) orv::schema::CreateTable(goDbPos, t);
  }
  void TearDown() override {
    orv::clock::Reset();
    orv::state::ResetProgramState();
  }
  QString Data(int no) {
    auto rs = goDbPos.OpenRecordset("Select ClgData From CardLog Where ClgChtNo = " + QString::number(no));
    return rs.Eof() ? QString("<none>") : rs.Field("ClgData").toString().trimmed();
  }
};

TEST_P(CardLogDb, RowsNumberWithinTheirDayAndKeepTheTextTrimmed) {
  giSetPosNo = 3;
  giSetVan = 4;
  gsSetDanId = "DAN1";
  orv::clock::SetFixed(QDateTime(QDate(2024, 1, 4), QTime(23, 59, 59)));
  CardLogRow("yesterday", 0);
  CardLogRow("yesterday 2", 0);
  orv::clock::SetFixed(QDateTime(QDate(2024, 1, 5), QTime(9, 0, 0)));
  CardLogRow(QString(" KIS_Approval_OutRet ") + QChar(0), 1);
  EXPECT_EQ(gtCardLog.ClgChtNo, 1);  // a new day starts at 1
  CardLogRow(QString("it's") + QChar(0) + "quoted", 2);
  EXPECT_EQ(gtCardLog.ClgChtNo, 2);
  auto rs = goDbPos.OpenRecordset(
      "Select ClgData, ClgGbn, ClgPosNo, ClgDanID, ClgVanGbn, ClgTime From CardLog "
      "Where ClgDate = '20240105' Order By ClgChtNo");
  ASSERT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.Field("ClgData").toString().trimmed(), "KIS_Approval_OutRet");
  EXPECT_EQ(rs.Field("ClgDanID").toString().trimmed(), "DAN1");
  EXPECT_EQ(rs.Field("ClgPosNo").toInt(), 3);
  EXPECT_EQ(rs.Field("ClgVanGbn").toInt(), 4);
  rs.MoveNext();
  EXPECT_EQ(rs.Field("ClgData").toString().trimmed(), "it'squoted");
  EXPECT_EQ(rs.Field("ClgGbn").toInt(), 2);
}

TEST_P(CardLogDb, ALongTextIsCutAtAWholeCharacter) {
  CardLogRow("a" + QString(600, QChar(0xAC00)), 0);  // 1 + 1200 bytes
  const QString kept = Data(1);
  EXPECT_EQ(kept.size(), 1 + 511);
}

TEST_P(CardLogDb, BarcodeRecordTrimsKeepsApostrophesAndRefusesASecondRow) {
  QString barcode = "  8000123456789012345  ";
  WriteKzbBars(2, " 20240105", "12345678 ", barcode);
  EXPECT_EQ(barcode, "8000123456789012345");
  EXPECT_EQ(ReadKzbBars(2, "20240105", "12345678"), "8000123456789012345");
  EXPECT_EQ(ReadKzbBars(1, "20240105", "12345678"), "?");
  QString odd = "AB'CD";
  WriteKzbBars(1, "20240105", "1", odd);
  EXPECT_EQ(ReadKzbBars(1, "20240105", "1"), "AB'CD");
  QString again = "X";
  EXPECT_THROW(WriteKzbBars(2, "20240105", "12345678", again), orv::db::DbError);
}

INSTANTIATE_TEST_SUITE_P(Engines, CardLogDb, ORV_BOTH_ENGINES);

}  // namespace
