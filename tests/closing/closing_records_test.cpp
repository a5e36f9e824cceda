#include <gtest/gtest.h>

#include <QRegularExpression>

#include "closing/closing_records.h"
#include "closing_fixture.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/values.h"

using closingtest::ClosingFixture;
using orv::Currency;

namespace {
QString Squeezed(QString s) { return s.replace(QRegularExpression(" +"), " ").trimmed(); }
Currency W(int64_t v) { return *Currency::FromWhole(v); }
}  // namespace

TEST(ClosingRecordsTest, BuildersWriteTheExamples) {
  orv::state::ResetProgramState();
  giSetPosNo = 2;
  gcLogPsnKey = W(15);
  EXPECT_EQ(gsInitGumDelSql(), "Delete From InitGum Where IntPosNo=2 And IntPsnKey=15");

  EXPECT_TRUE(Squeezed(gsInitGumInsSql()).endsWith("Values(0,0,'','',0,0,0,0,0)"));
  gtInitGum = {2, W(15), "20240105", "093015", W(100000), W(0), W(250000), W(250000), W(0)};
  EXPECT_EQ(Squeezed(gsInitGumInsSql()),
            "Insert Into InitGum(IntPosNo, IntPsnKey, IntDate, IntTime, IntInitGum, IntHab, "
            "IntNGum, IntBGum, IntMidGum) Values(2,15,'20240105','093015',100000,0,250000,"
            "250000,0)");

  gtInitGumLog = {2024, 1, 5, "20240105", 3, 2, W(15), W(100000), W(0), W(250000), W(250000),
                  W(0), W(0), W(0), W(0), W(0), "20240105", "093015", 0, 1};
  EXPECT_TRUE(Squeezed(gsInitGumLogInsSql())
                  .endsWith("Values(2024,1,5,'20240105',3,2,15,100000,0,250000,250000,0,0,0,"
                            "0,0,'20240105','093015',0,1)"));

  gtTemChit = {"20240105", "183020", W(15), 2, "O'Neil's \"count\"", 0, 0, 0, 0, 0};
  EXPECT_TRUE(Squeezed(gsTemChitInsSql())
                  .endsWith("Values('20240105','183020',15,2,'O''Neil''s \"count\"',0,0,0,0,0)"));

  gtTemDetail = {"20240105", W(15), 2, 1, "20240105", 20013, 0, 0, 0, 0, 0};
  EXPECT_TRUE(Squeezed(gsTemDetailInsSql())
                  .endsWith("Values('20240105',15,2,1,'20240105',20013,0,0,0,0,0)"));

  ClearTemInitGumRecord();
  gtTemInitGum.TmiDate = "20240105";
  gtTemInitGum.TmiPsnKey = W(15);
  gtTemInitGum.TmiChtNo = 2;
  gtTemInitGum.TmiIntDate = "20240105";
  gtTemInitGum.TmiIntTime = "090000";
  gtTemInitGum.TmiInitGum = W(100000);
  gtTemInitGum.TmiMidGum = W(30000);
  EXPECT_TRUE(Squeezed(gsTemInitGumInsSql())
                  .endsWith("Values('20240105',15,2,'20240105','090000',100000,0,0,0,30000,0,"
                            "0,0,0,0,0,0,0,0)"));
  EXPECT_EQ(gsTemInitGumInsSql(), gsTemInitGumInsSql()) << "building changes nothing";

  // Money: sign kept, a fraction up to four decimals, whole amounts without a point.
  gtInitGum.IntInitGum = Currency::FromRaw(-12345000);
  gtInitGum.IntHab = Currency::FromRaw(12345);
  EXPECT_TRUE(Squeezed(gsInitGumInsSql()).contains("'093015',-1234.5,1.2345,"));
  orv::state::ResetProgramState();
  EXPECT_TRUE(gtTemChit.TemBigo.isEmpty());
  EXPECT_TRUE(gtInitGum.IntDate.isEmpty());
}

class ClosingRecords_ : public ClosingFixture {};

TEST_P(ClosingRecords_, SavedClosingRowsStoreTheMemoAsTyped) {
  gtTemChit = {"20250115", "183020", W(15), 1, "O'Neil \"A\" 마감", 0, 0, 0, 0, 0};
  goDbPos.Execute(gsTemChitInsSql());
  gtTemDetail = {"20250115", W(15), 1, 1, "20250115", 7, 0, 0, 0, 0, 0};
  goDbPos.Execute(gsTemDetailInsSql());
  ClearTemInitGumRecord();
  gtTemInitGum.TmiDate = "20250115";
  gtTemInitGum.TmiPsnKey = W(15);
  gtTemInitGum.TmiChtNo = 1;
  gtTemInitGum.TmiMidGum = Currency::FromRaw(12345);
  goDbPos.Execute(gsTemInitGumInsSql());
  gtInitGumLog.IntDate = "20250115";
  gtInitGumLog.IntSeqNo = 1;
  goDbPos.Execute(gsInitGumLogInsSql());
  giSetPosNo = 3;
  gcLogPsnKey = W(15);
  gtInitGum = {3, W(15), "20250115", "090000", W(1), W(0), W(0), W(0), W(0)};
  goDbPos.Execute(gsInitGumInsSql());
  EXPECT_EQ(goDbPos.Execute(gsInitGumDelSql()), 1);

  auto rs = goDbPos.OpenRecordset("Select TemBigo From TemChit");
  EXPECT_EQ(rs.Field(0).toString().trimmed(), "O'Neil \"A\" 마감");
  rs = goDbPos.OpenRecordset("Select TmiMidGum From TemInitGum");
  EXPECT_EQ(NzCur(rs.Field(0)), Currency::FromRaw(12345));
  EXPECT_EQ(Count(goDbPos, "TemDetail"), 1);
  EXPECT_EQ(Count(goDbPos, "InitGumLog"), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, ClosingRecords_, ::testing::ValuesIn(closingtest::kOffline),
                         closingtest::SetupName);
