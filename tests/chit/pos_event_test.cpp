// Event rows of the sale screen on both engines: sequence numbers, the month table made
// past midnight, and the before-values of the logged line.
#include <gtest/gtest.h>

#include "chit/pos_event.h"
#include "chit/pos_logs.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "test_support.h"

using orv::Currency;

namespace {

class PosEvent : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    EngineTest::SetUp();
    if (IsSkipped()) return;
    const QString text = NewDatabase();
    goDbPos.Open(text);
    goDbMain.Open(text);
    giSetPosNo = 3;
    giWrkYear = 2024;
    giWrkMonth = 1;
    giWrkDay = 31;
  }
  void TearDown() override {
    orv::clock::Reset();
    orv::state::ResetProgramState();
  }
  static void at(const char *moment) {
    orv::clock::SetFixed(QDateTime::fromString(moment, "yyyyMMdd HHmmss"));
  }
  int rows(const QString &table, const QString &where) {
    return goDbMain.OpenRecordset("Select PlgSeq From " + table + " Where " + where)
        .RecordCount();
  }
};

TEST_P(PosEvent, SequenceFromZeroAndANewMonthGetsItsTable) {
  at("20240131 235959");
  LogPosEvent(1, 1, "11,1,1000,1000", "", "");
  LogPosEvent(1, 2, "11,2,1000,2000;1,1000,1000", "", "");
  EXPECT_EQ(gtPosLogs.PlgSeq, 1);
  LogPosEvent(2, 1, "12,1,900,900", "", "");
  EXPECT_EQ(gtPosLogs.PlgSeq, 0);  // another line
  EXPECT_EQ(rows("PosLogs2401", "PlgNo = 1"), 2);

  // Past midnight, nobody has made February's tables yet.
  at("20240201 000001");
  LogPosEvent(1, 1, "11,1,1000,1000", "", "");
  EXPECT_EQ(gtPosLogs.PlgSeq, 0);
  EXPECT_EQ(gtPosLogs.PlgSetDate, "20240131");  // the work date stays
  EXPECT_EQ(rows("PosLogs2402", "PlgSel = 1 And PlgPosNo = 3"), 1);
  LogPosEvent(1, 6, "", "", "");
  EXPECT_EQ(gtPosLogs.PlgSeq, 1);
}

TEST_P(PosEvent, BeforeValuesFollowTheLoggedLineUnlessTheWriteFails) {
  at("20240131 120000");
  gfnGridLineValues = [](int32_t row, Currency &q, Currency &p, Currency &a) {
    q = Currency::Won(row + 1);
    p = Currency::Won(1000);
    a = Currency::Won((row + 1) * 1000);
  };
  LogPosEvent(1, 1, "11,2,1000,2000", "", "");
  EXPECT_EQ(gcOldSu, Currency::Won(2));
  EXPECT_EQ(gcOldDanga, Currency::Won(1000));
  EXPECT_EQ(gcOldGum, Currency::Won(2000));

  goDbMain.Close();
  goDbPos.Close();
  EXPECT_THROW(LogPosEvent(4, 1, "x", "", ""), orv::db::DbError);
  EXPECT_EQ(gcOldSu, Currency::Won(2));
}

// A batch writes the rows it kept when it ends, as they would have gone one by one: the
// months of their clock, and sequence numbers that count the rows already there and
// those before them in the batch.
TEST_P(PosEvent, ABatchWritesItsRowsAtItsEndAsOneByOne) {
  const auto events = [] {
    at("20240131 235959");
    LogPosEvent(1, 1, "a", "", "");
    LogPosEvent(1, 2, "b", "", "");
    LogPosEvent(2, 1, "c", "", "");
    LogPosEvent(1, 3, "d", "", "");
    at("20240201 000001");
    LogPosEvent(1, 1, "e", "", "");
    LogPosEvent(1, 6, "f", "", "");
  };
  const auto read = [] {
    QStringList out;
    for (const char *t : {"PosLogs2401", "PosLogs2402"}) {
      auto rs = goDbMain.OpenRecordset(QString("Select PlgDate, PlgTime, PlgNo, PlgSeq, PlgSel, "
                                               "PlgText1 From ") +
                                       t + " Order By PlgDate, PlgTime, PlgNo, PlgSeq");
      for (; !rs.Eof(); rs.MoveNext()) {
        QStringList v;
        for (int i = 0; i < 6; ++i) v << rs.Field(i).toString().trimmed();
        out << v.join(',');
      }
    }
    return out;
  };
  const auto before = [] {
    at("20240131 235959");
    LogPosEvent(1, 9, "there", "", "");
  };
  before();
  events();
  const QStringList oneByOne = read();
  ASSERT_EQ(oneByOne.size(), 7);

  orv::state::ResetProgramState();
  const QString text = NewDatabase("batch.db");
  goDbPos.Open(text);
  goDbMain.Open(text);
  giSetPosNo = 3;
  giWrkYear = 2024;
  giWrkMonth = 1;
  giWrkDay = 31;
  before();
  {
    PosEventBatch batch;
    events();
    EXPECT_EQ(gtPosLogs.PlgText1, "f");
    EXPECT_EQ(rows("PosLogs2401", "PlgSel <> 9"), 0);  // nothing written yet
  }
  EXPECT_EQ(read(), oneByOne);
}

INSTANTIATE_TEST_SUITE_P(Engines, PosEvent, ORV_BOTH_ENGINES);

}  // namespace
