// Closing summaries, event rows and money rows sent as units: numbering in the main
// database, marks and deletes on the POS side, and no row twice after a lost POS commit.
#include <gtest/gtest.h>

#include "../chit/chit_fixture.h"
#include "chit/pan_money.h"
#include "chit/pos_logs.h"
#include "chit/tem_data.h"
#include "sync/basSync.h"
#include "sync/send_units.h"

using chittest::ChitFixture;
using orv::Currency;

namespace {

void FillTem(int16_t day, int32_t no, const QString &memo = "마감") {
  ClearTemDataRecord();
  gtTemData.TemYear = 2024;
  gtTemData.TemMon = 3;
  gtTemData.TemDay = day;
  gtTemData.TemDate = QString::asprintf("202403%02d", int(day));
  gtTemData.TemChtNo = no;
  gtTemData.TemPosNo = 3;
  gtTemData.TemPsnKey = Currency::Won(5);
  gtTemData.TemHab = *Currency::FromText(u"12345.5");
  gtTemData.TemBigo = memo;
}

struct ThrowAt {
  explicit ThrowAt(const char *step) {
    orv::sync::SetSendStepHook([step](const char *s) {
      if (qstrcmp(s, step) == 0) throw orv::db::DbError(-1, "killed at " + QString(step));
    });
  }
  ~ThrowAt() { orv::sync::SetSendStepHook({}); }
};

}  // namespace

class SendRows : public ChitFixture {
 protected:
  void SetUp() override {
    ChitFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gsSetPosDB = posText_;
    gsSetMainDB = mainText_;
  }
  void TearDown() override {
    orv::sync::SetSendStepHook({});
    ChitFixture::TearDown();
  }
  QList<int> MainTemNos(int day) {
    QList<int> out;
    auto rs = goDbMain.OpenRecordset("Select TemChtNo From TemData Where TemDay=" +
                                     QString::number(day) + " Order By TemChtNo");
    for (; !rs.Eof(); rs.MoveNext()) out << rs.Field(0).toInt();
    return out;
  }
  PosLogsRec WriteLog(int32_t chtNo, const QString &text) {
    WritePosLogsRow(goDbPos, chtNo, 1, 8, text, {}, {}, 1);
    return gtPosLogs;
  }
};

TEST_P(SendRows, TheSummaryTakesTheFirstFreeNumberOfItsDay) {
  struct Case {
    const char *name;
    QList<int> taken;  // numbers of day 15 already in the receiving database
    int start;
    int expected;
  };
  const Case cases[] = {
      {"first of the day", {}, 1, 1},
      {"after 1 and 2", {1, 2}, 1, 3},
      {"gap at 2", {1, 3}, 1, 2},
      {"own number free", {}, 2, 2},
  };
  for (const Case &c : cases) {
    goDbMain.Execute("Delete From TemData");
    for (int n : c.taken) {
      FillTem(15, n);
      SendTemData(goDbMain);
    }
    FillTem(14, c.start);  // another day of the month holds the same numbers
    SendTemData(goDbMain);
    FillTem(15, c.start, "it's O'Neil's");
    EXPECT_EQ(SendTemData(goDbMain), c.expected) << c.name;
    EXPECT_EQ(gtTemData.TemChtNo, c.start) << c.name;
  }
  auto rs = goDbMain.OpenRecordset(
      "Select TemBigo, TemHab From TemData Where TemDay=15 And TemChtNo=2");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(NzStr(rs.Field(0)), "it's O'Neil's");
  EXPECT_EQ(NzCur(rs.Field(1)).ToPlainText(), "12345.5");
}

TEST_P(SendRows, ClosingRowsGoOnceAndOnlyTheNamedOnes) {
  if (!online()) {
    FillTem(15, 1);
    SendTemData(goDbPos);
    ClosingRowKeys keys;
    keys.temYear = 2024, keys.temMon = 3, keys.temDay = 15, keys.temChtNo = 1;
    EXPECT_FALSE(SendClosingRows(keys));
    EXPECT_EQ(Count(goDbPos, "TemData"), 1) << "offline nothing is sent";
    return;
  }
  // The main database already holds closing 1 of the day and an event row with the key.
  FillTem(15, 1);
  SendTemData(goDbMain);
  const PosLogsRec a = WriteLog(8001, "a'b");
  goDbMain.Execute(gsPosLogsInsSql(2403));
  const PosLogsRec b = WriteLog(8002, "b");
  WriteLog(8003, "not named");

  FillTem(15, 1, "offline");
  SendTemData(goDbPos);
  ClosingRowKeys keys;
  keys.temYear = 2024, keys.temMon = 3, keys.temDay = 15, keys.temChtNo = 1;
  keys.logs = {LogKeyOf(a), LogKeyOf(b)};

  {
    ThrowAt kill("pos-commit");  // the main half of the summary commits, its POS half not
    const auto err = SendClosingRows(keys);
    ASSERT_TRUE(err);
    EXPECT_EQ(err->Description, "killed at pos-commit");
  }
  EXPECT_EQ(MainTemNos(15), QList<int>({1, 2}));
  EXPECT_EQ(Count(goDbPos, "TemData"), 1);

  EXPECT_FALSE(SendClosingRows(keys));
  EXPECT_EQ(MainTemNos(15), QList<int>({1, 2})) << "the summary is not sent twice";
  EXPECT_EQ(Count(goDbPos, "TemData"), 0);
  EXPECT_EQ(Count(goDbMain, "PosLogs2403", "PlgChtNo=8001"), 2);
  EXPECT_EQ(Count(goDbMain, "PosLogs2403", "PlgChtNo=8001 And PlgSeq=2 And PlgText1='a''b'"), 1);
  EXPECT_EQ(Count(goDbMain, "PosLogs2403", "PlgChtNo=8003"), 0);
  EXPECT_EQ(Count(goDbPos, "PosLogs2403", "PlgSss1=1"), 2);
  EXPECT_EQ(Count(goDbPos, "PosLogs2403", "PlgSss1=0 And PlgChtNo=8003"), 1);
  EXPECT_EQ(Count(goDbMain, "OrvSendJournal"), 0) << "settled units leave the journal";

  // A later closing of the day, number 1 again on the POS side, is a new unit.
  FillTem(15, 1, "second");
  SendTemData(goDbPos);
  EXPECT_FALSE(SendClosingRows(keys));
  EXPECT_EQ(MainTemNos(15), QList<int>({1, 2, 3}));
}

TEST_P(SendRows, AFailingUnitStopsTheSendWithNothingHalfWritten) {
  if (!online()) GTEST_SKIP() << "offline nothing is sent";
  const PosLogsRec a = WriteLog(8001, "a");
  const PosLogsRec b = WriteLog(8002, "b");
  FillTem(15, 1);
  SendTemData(goDbPos);
  ClosingRowKeys keys;
  keys.temYear = 2024, keys.temMon = 3, keys.temDay = 15, keys.temChtNo = 1;
  keys.logs = {LogKeyOf(a), LogKeyOf(b)};
  {
    ThrowAt kill("main-commit");
    EXPECT_TRUE(SendClosingRows(keys));
  }
  EXPECT_EQ(Count(goDbMain, "TemData"), 0);
  EXPECT_EQ(Count(goDbMain, "OrvSendJournal"), 0);
  EXPECT_EQ(Count(goDbPos, "TemData"), 1);
  EXPECT_EQ(goDbMain.TransLevel(), 0);
  EXPECT_EQ(goDbPos.TransLevel(), 0);
  EXPECT_FALSE(SendClosingRows(keys));
  EXPECT_EQ(Count(goDbMain, "TemData"), 1);
  EXPECT_EQ(Count(goDbMain, "PosLogs2403"), 2);
}

TEST_P(SendRows, TheSendWalksMoneyEventAndSummaryRowsWithItsTexts) {
  std::vector<std::pair<int, QString>> shown;
  auto record = [&](int prs, const QString &text) { shown.push_back({prs, text}); };
  if (!online()) {
    SendUnsentData(record);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].second, "* 전송생략 (같은 DB) *");
    return;
  }
  // January: the second pass is December of the year before.
  orv::clock::SetFixed(QDateTime(QDate(2024, 1, 10), QTime(9, 0, 0)));
  CreateMonthTables(2401);
  const QString ins =
      "Insert Into PanMoney2401 (PmoYear,PmoMon,PmoDay,PmoDate,PmoNo,PmoChtNo,PmoPosNo,PmoPsnKey,PmoHab,"
      "PmoCmitNo,PmoJunsong) Values(2024,1,10,'20240110',%1,%2,3,5,%3,'%4',%5)";
  for (int n = 1; n <= 7; ++n) goDbMain.Execute(ins.arg(n).arg(0).arg(100).arg("M").arg(1));
  goDbPos.Execute(ins.arg(2).arg(0).arg("1100.25").arg("C''1").arg(0));
  goDbPos.Execute(ins.arg(3).arg(5).arg(500).arg("of a chit").arg(0));  // travels with its chit
  WriteLog(9001, "jan");
  FillTem(15, 1);
  SendTemData(goDbPos);

  SendUnsentData(record);
  auto rs = goDbMain.OpenRecordset(
      "Select PmoNo, PmoHab, PmoCmitNo From PanMoney2401 Where PmoCmitNo<>'M'");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field(0).toInt(), 8);
  EXPECT_EQ(NzCur(rs.Field(1)).ToPlainText(), "1100.25");
  EXPECT_EQ(NzStr(rs.Field(2)), "C'1");
  EXPECT_EQ(Count(goDbPos, "PanMoney2401", "PmoNo=2 And PmoJunsong=1"), 1);
  EXPECT_EQ(Count(goDbPos, "PanMoney2401", "PmoNo=3 And PmoJunsong=0"), 1);
  EXPECT_EQ(Count(goDbMain, "PosLogs2401", "PlgChtNo=9001"), 1);
  EXPECT_EQ(Count(goDbMain, "TemData"), 1);
  EXPECT_EQ(Count(goDbPos, "TemData"), 0);
  EXPECT_EQ(Count(goDbMain, "OrvSendJournal"), 0);
  EXPECT_TRUE(orv::schema::ExistsTable(goDbMain, "PanChit2312"));

  QStringList texts;
  for (const auto &[prs, text] : shown) texts << QString::number(prs) + " " + text;
  EXPECT_EQ(texts, QStringList({"-1 * Send Start *", "0 * 1/2 PanChit2401 *",
                                "50 * 1/2 PanMoney2401 *", "60 * 1/2 PanMoney2401 (1/1) *",
                                "60 * 1/2 PosLogs2401 *", "100 * 1/2 PosLogs2401 (1/1) *",
                                "100 * 1/2 Last *", "0 * 2/2 PanChit2312 *",
                                "50 * 2/2 PanMoney2312 *", "60 * 2/2 PosLogs2312 *",
                                "100 * 2/2 Last *", "100 * TemData *", "100 * Send End *"}));
}

INSTANTIATE_TEST_SUITE_P(Setups, SendRows, ::testing::ValuesIn(chittest::kAllSetups),
                         chittest::SetupName);
