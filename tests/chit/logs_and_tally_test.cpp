#include <gtest/gtest.h>

#include "chit/pos_logs.h"
#include "chit/tem_data.h"
#include "chit_fixture.h"

using chittest::ChitFixture;
using orv::Currency;

class LogsAndTally : public ChitFixture {};

TEST_P(LogsAndTally, EventRowsGoToTheGivenConnectionAndCountTheirSecond) {
  gcLogPsnKey = Currency::Won(77);
  orv::db::Connection &conn = goDbPos;
  orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 20, 100)));
  WritePosLogsRow(conn, 8012, 1, 7, "1,2,O'Neil", "", "", 0);
  WritePosLogsRow(conn, 8012, 1, 7, "second", "", "", 0);
  auto rs = conn.OpenRecordset("Select * From PosLogs2403 Order By PlgSeq");
  ASSERT_EQ(rs.RecordCount(), 2);
  ClearPosLogsRecord();
  ReadPosLogsRecord(rs);
  EXPECT_EQ(gtPosLogs.PlgChtNo, 8012);
  EXPECT_EQ(gtPosLogs.PlgSeq, 0);
  EXPECT_EQ(gtPosLogs.PlgText1, "1,2,O'Neil");
  EXPECT_EQ(gtPosLogs.PlgTime, "140520");
  EXPECT_EQ(gtPosLogs.PlgPsnKey, Currency::Won(77));
  rs.MoveNext();
  ReadPosLogsRecord(rs);
  EXPECT_EQ(gtPosLogs.PlgSeq, 1);
  if (online()) {
    EXPECT_EQ(Count(goDbMain, "PosLogs2403"), 0);
  }
  ClearPosLogsRecord();
  EXPECT_EQ(gtPosLogs.PlgSeq, 0);
  EXPECT_TRUE(gtPosLogs.PlgText1.isEmpty());
}

TEST_P(LogsAndTally, TallyRowReadsNullsAsZeroAndTrimsTexts) {
  EXPECT_EQ(TemDataFieldCount(), 130);
  goDbPos.Execute(
      "Insert Into TemData(TemYear,TemMon,TemDay,TemDate,TemChtNo,TemPosNo,TemPsnKey,TemHab,"
      "TemMnyDps5ChtNo,TemMnyDps5WrtTime,TemBigo,TemSss10) Values(2024,3,15,'20240315',2,3,9,"
      "12345.5,77,'235959','note  ',1)");
  gtTemData.TemSss1 = 5;
  gtTemData.TemText3 = "old";
  auto rs = goDbPos.OpenRecordset("Select * From TemData");
  ReadTemDataRecord(rs);
  EXPECT_EQ(gtTemData.TemChtNo, 2);
  EXPECT_EQ(gtTemData.TemHab, *Currency::FromText(u"12345.5"));
  EXPECT_EQ(gtTemData.TemMnyDps5ChtNo, 77);
  EXPECT_EQ(gtTemData.TemMnyDps5WrtTime, "235959");
  EXPECT_EQ(gtTemData.TemBigo, "note");
  EXPECT_EQ(gtTemData.TemSss10, 1);
  EXPECT_EQ(gtTemData.TemSss1, 0);
  EXPECT_TRUE(gtTemData.TemText3.isEmpty());
  ClearTemDataRecord();
  EXPECT_EQ(gtTemData.TemHab, Currency());
  EXPECT_EQ(gtTemData.TemMnyDps5ChtNo, 0);
  EXPECT_TRUE(gtTemData.TemBigo.isEmpty());
}

TEST_P(LogsAndTally, ANumberTooWideForItsFieldIsAnError) {
  goDbPos.Execute(
      "Insert Into TemData(TemYear,TemMon,TemDay,TemDate,TemChtNo,TemPosNo,TemPsnKey) "
      "Values(70000,3,15,'20240315',2,3,9)");
  auto rs = goDbPos.OpenRecordset("Select * From TemData");
  EXPECT_THROW(ReadTemDataRecord(rs), orv::db::DbError);
}

INSTANTIATE_TEST_SUITE_P(Setups, LogsAndTally, ::testing::ValuesIn(chittest::kAllSetups),
                         chittest::SetupName);
