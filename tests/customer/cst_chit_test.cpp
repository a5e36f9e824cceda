#include <gtest/gtest.h>

#include "chit/name_readers.h"
#include "chit/ts_records.h"
#include "customer/cst_chit.h"
#include "customer/ts_tables.h"
#include "customer_fixture.h"
#include "platform/dialogs.h"
#include "sync/go_offline.h"

using customertest::CustomerFixture;
using orv::Currency;

namespace {

PanChitTsRec readChit(orv::db::Connection &c, const QString &table, int no) {
  auto rs = c.OpenRecordset("Select * From " + table + " Where PctChtNo=" + QString::number(no));
  EXPECT_EQ(rs.RecordCount(), 1) << table.toStdString();
  PanChitTsRec r;
  if (rs.RecordCount() == 1) ReadPanChitTsRecord(rs, r);
  return r;
}
PanListTsRec readList(orv::db::Connection &c, const QString &table, int no) {
  auto rs = c.OpenRecordset("Select * From " + table + " Where PclChtNo=" + QString::number(no));
  EXPECT_EQ(rs.RecordCount(), 1) << table.toStdString();
  PanListTsRec r;
  if (rs.RecordCount() == 1) ReadPanListTsRecord(rs, r);
  return r;
}

}  // namespace

class CstChit : public CustomerFixture {};

// Where a member chit goes by state and online/offline, and that a chit without a
// customer or in state 0 goes nowhere.
TEST_P(CstChit, EachStateWritesTheChitWhereItBelongs) {
  struct Case {
    int16_t mode;
    bool member;
    const char *queue;  // POS table that holds it, or nullptr
    bool onTs;
  };
  const bool on = online();
  const Case cases[] = {
      {2, true, on ? nullptr : "PanChitOff", on},
      {1, true, on ? "PanChitOn" : "PanChitOff", false},
      {0, true, nullptr, false},
      {2, false, nullptr, false},
  };
  orv::dialogs::Script script;
  int no = 1;
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " member " << c.member);
    giCstTsMode = c.mode;
    PrepareMemberChit(no);
    if (!c.member) gtCstCode.CcdKey = {};
    WriteCstChit(0);
    const QString w = "PctChtNo=" + QString::number(no);
    for (const char *q : {"PanChitOn", "PanChitOff"})
      EXPECT_EQ(Count(goDbPos, q, w), c.queue && QString(c.queue) == q ? 1 : 0) << q;
    const bool tsMade = TsTableExists("PanChitT2403") == 1;
    EXPECT_EQ(tsMade ? Count(goDbTs, "PanChitT2403", w) : 0, c.onTs ? 1 : 0);
    if (c.queue) {
      EXPECT_EQ(Count(goDbPos, QString(c.queue).replace("Chit", "List"),
                      "PclChtNo=" + QString::number(no)),
                1);
    }
    ++no;
  }
  EXPECT_TRUE(script.Texts().isEmpty());
}

// On the point server the totals are set from the sale, the rows read back equal to what
// was prepared (texts trimmed, quotes kept), and replace puts the new chit in place of the
// old one.
TEST_P(CstChit, PointServerCopyWithTotalsAndReplace) {
  giOnLine = 1;  // the point server copy is written online only
  PrepareMemberChit(8);
  WriteCstChitTs(0);
  EXPECT_EQ(readChit(goDbTs, "PanChitT2403", 8), gtPanChitTs);
  EXPECT_EQ(readList(goDbTs, "PanListT2403", 8), gtPanListTs);
  EXPECT_EQ(Count(goDbPos, "PanChitOn"), 0);
  EXPECT_EQ(Count(goDbPos, "PanListOn"), 0);
  auto c = goDbTs.OpenRecordset("Select * From CstCode Where CcdKey=7");
  EXPECT_EQ(NzCur(c.Field("CcdTcnt")), Currency::Won(2));
  EXPECT_EQ(NzCur(c.Field("CcdJumsu")), Currency::Won(22));
  EXPECT_EQ(NzStr(c.Field("CcdLpdate")), "20240315");

  PrepareMemberChit(8, "T2");
  gtPanChitTs.PctHab = Currency::Won(9000);
  WriteCstChitTs(1);
  EXPECT_EQ(Count(goDbTs, "PanChitT2403"), 1);
  EXPECT_EQ(readChit(goDbTs, "PanChitT2403", 8).PctHab, Currency::Won(9000));
  EXPECT_EQ(Count(goDbTs, "PanListT2403"), 1);

  // Another shop's chit of the same number stands beside it.
  giSupTrsNo = 13;
  PrepareMemberChit(8);
  WriteCstChitTs(0);
  EXPECT_EQ(Count(goDbTs, "PanChitT2403"), 2);
}

// A point server that fails inside its transaction keeps nothing of the chit, the chit
// waits in the queue, the state turns to 1 without a box, and the error reaches the caller.
TEST_P(CstChit, AFailingPointServerLeavesTheChitQueued) {
  giOnLine = 1;
  CreateTsTables(2403);
  goDbTs.Execute("Insert Into PanListT2403(PclYear, PclMon, PclDay, PclDate, PclComNo, "
                 "PclChtNo, PclPosNo, PclPsnKey, PclSel) Values(2024,3,15,'20240315',12,9,1,1,0)");
  PrepareMemberChit(9);
  QString label;
  auto old = SetPointLabelHook([&](const QString &caption, long) { label = caption; });
  orv::dialogs::Script script;
  EXPECT_THROW(WriteCstChitTs(0), orv::db::DbError);
  EXPECT_TRUE(script.Texts().isEmpty());
  EXPECT_EQ(giCstTsMode, 1);
  EXPECT_EQ(label, "통합포인트오프라인");
  EXPECT_EQ(Count(goDbTs, "PanChitT2403"), 0);
  EXPECT_EQ(readChit(goDbPos, "PanChitOn", 9), gtPanChitTs);
  EXPECT_EQ(readList(goDbPos, "PanListOn", 9), gtPanListTs);
  EXPECT_EQ(goDbTs.TransLevel(), 0);
  EXPECT_EQ(goDbPos.TransLevel(), 0);

  // A closed point server: the probe finds it gone, the box tells, the chit is queued.
  giCstTsMode = 2;
  goDbTs.Close();
  PrepareMemberChit(10);
  script.ClearLog();
  WriteCstChitTs(0);
  EXPECT_EQ(script.Texts(), QStringList{"통합고객 오프라인으로 전환합니다 !"});
  EXPECT_EQ(giCstTsMode, 1);
  EXPECT_EQ(Count(goDbPos, "PanChitOn", "PctChtNo=10"), 1);
  SetPointLabelHook(old);
}

// A queue writer that fails half-way leaves neither row and tells the caller.
TEST_P(CstChit, AQueueWriteFailingHalfWayLeavesNothing) {
  giCstTsMode = 1;
  goDbPos.Execute("Insert Into PanListOff(PclYear, PclMon, PclDay, PclDate, PclComNo, "
                  "PclChtNo, PclPosNo, PclPsnKey, PclSel) Values(2024,3,15,'20240315',12,4,3,5,0)");
  PrepareMemberChit(4);
  EXPECT_THROW(WriteCstChitOff(0), orv::db::DbError);
  EXPECT_EQ(Count(goDbPos, "PanChitOff"), 0);
  EXPECT_EQ(goDbPos.TransLevel(), 0);
  // With replace the old rows go first, so the same chit can be queued again.
  WriteCstChitOff(1);
  EXPECT_EQ(Count(goDbPos, "PanChitOff"), 1);
  EXPECT_EQ(Count(goDbPos, "PanListOff"), 1);
}

// The saver's copy: shop number, cashier's and partner's numbers and names (none for a key
// without a row), the widened fields, and only the totals of the customer.
TEST_P(CstChit, TheSaverStampsTheCopy) {
  goDbMain.Execute("Insert Into PsnCode(PcdKey, PcdNo, PcdName) Values(5, 105, '김판매')");
  goDbMain.Execute("Insert Into TrsCode(TcdKey, TcdNo, TcdName) Values(6, 0, '무번호')");
  gtPanChit = {};
  gtPanChit.PctChtNo = 77;
  gtPanChit.PctPsnKey = Currency::Won(5);
  gtPanChit.PctTrsKey = Currency::Won(6);
  gtPanChit.PctSss4 = Currency::FromRaw(25000);
  gtPanChit.PctWrttime = "101010";
  gtMovePanChitTs();
  EXPECT_EQ(gtPanChitTs.PctComNo, 12);
  EXPECT_EQ(gtPanChitTs.PctPsnNo, Currency::Won(105));
  EXPECT_EQ(gtPanChitTs.PctPsnName, "김판매");
  EXPECT_EQ(gtPanChitTs.PctTrsNo, Currency{});
  EXPECT_EQ(gtPanChitTs.PctTrsName, "");
  EXPECT_EQ(gtPanChitTs.PctSss4, 2);
  EXPECT_EQ(gtPanChitTs.PctWrtTime, "101010");
  gtPanChit.PctPsnKey = Currency::Won(99);
  gtMovePanChitTs();
  EXPECT_EQ(gtPanChitTs.PctPsnNo, Currency{});
  EXPECT_EQ(gtPanChitTs.PctPsnName, "");

  gtCstCode = {};
  gtCstCode.CcdKey = Currency::Won(7);
  gtCstCode.CcdName = "홍길동";
  gtCstCode.CcdJumsu = Currency::Won(3);
  gtMoveCstCodeTs();
  EXPECT_EQ(gtCstCodeTs.CcdJumsu, Currency::Won(3));
  EXPECT_EQ(gtCstCodeTs.CcdName, "");

  UpdateCstBank(Currency::Won(7), "");
  UpdateCstBankTs(Currency::Won(7), "01012345678");
  auto rs = goDbTs.OpenRecordset("Select CcdBank From CstCode Where CcdKey=7");
  EXPECT_EQ(NzStr(rs.Field(0)), "01012345678");
}

INSTANTIATE_TEST_SUITE_P(Engines, CstChit, testing::ValuesIn(chittest::kAllSetups),
                         chittest::SetupName);

class TsTables : public CustomerFixture {};

TEST_P(TsTables, MonthTablesAreMadeOnceAndOnlyWhereMissing) {
  CreateTsTables(0);
  CreateTsTables(-5);
  EXPECT_EQ(TsTableExists("PanChitT0000"), 0);
  CreateTsTables(105);
  for (const char *t : {"PanChitT0105", "PanListT0105", "CstWnjgT0105", "PosLogs0105"})
    EXPECT_EQ(TsTableExists(t), 1) << t;
  EXPECT_TRUE(HasKey(goDbTs, "PanChitT0105", "PK_PanChitT0105"));
  goDbTs.Execute("Drop Table CstWnjgT0105");
  goDbTs.Execute("Insert Into PanChitT0105(PctYear, PctMon, PctDay, PctDate, PctComNo, "
                 "PctChtNo, PctPosNo, PctPsnKey) Values(2001,5,1,'20010501',1,1,1,1)");
  CreateTsTables(105);
  EXPECT_EQ(TsTableExists("CstWnjgT0105"), 1);
  EXPECT_EQ(Count(goDbTs, "PanChitT0105"), 1);
  EXPECT_EQ(BuildTsCstWnjgTTable(2401).join(" ").count("CstWnjgT2401"), 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, TsTables,
                         testing::Values(chittest::Setup{orv::db::Engine::SQLite, true},
                                         chittest::Setup{orv::db::Engine::PostgreSQL, true}),
                         chittest::SetupName);
