// The send at an online login killed by SIGKILL at chosen points and at random moments,
// each next login sending the rest: in the end every row recorded offline is in the main
// database exactly once, customers grew once per chit, every POS row is marked or deleted
// and the member queue holds each member chit once. Also: two checkouts sending into one
// PostgreSQL main database at once never share a number.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <cstdio>
#include <random>
#include <thread>

#include "../chit/sale_fill.h"
#include "chit/pan_money.h"
#include "chit/pos_logs.h"
#include "chit/sale_savers.h"
#include "chit/tem_data.h"
#include "chit/ts_records.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "customer/cst_chit.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "schema/check_tables.h"
#include "schema/month_tables.h"
#include "schema/tables.h"
#include "sync/basSync.h"
#include "sync/code_copy.h"
#include "sync/send_units.h"
#include "test_support.h"

namespace {

QString Env(const char *name) { return qEnvironmentVariable(name); }

struct Db {
  QString pos, main;
};

void Open(const Db &db, bool online, int posNo) {
  goDbPos.Open(db.pos);
  goDbMain.Open(online ? db.main : db.pos);
  giOnLine = online ? 1 : 2;
  gsSetPosDB = db.pos;
  gsSetMainDB = db.main;
  giSetPosNo = int16_t(posNo);
  giSupTrsNo = 12;
  giWrkYear = 2024;
  giWrkMonth = 3;
  giWrkDay = 15;
  orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 0)));
}

void MakeTables(const Db &db, int posNo) {
  Open(db, true, posNo);
  CheckDBTables();
  orv::schema::EnsureBaseTables(goDbMain);
  CreateMonthTables(2403);
  for (auto *c : {&goDbMain, &goDbPos}) {
    c->Execute("Delete From OrvRegistry Where RegKey='PosChitNoSeq'");
    c->Execute("Insert Into OrvRegistry(RegKey, RegInt) Values('PosChitNoSeq', 1)");
    c->Execute("Delete From CstCode Where CcdKey=77");
    c->Execute("Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdTcnt, CcdCnt, CcdTzerdo, "
               "CcdZerdo, CcdTjumsu, CcdJumsu) Values(77, 77, 'Hong', 0, 0, 0, 0, 0, 0)");
  }
  orv::state::ResetProgramState();
}

// Sales recorded offline through the savers: every fourth a member's (with its member
// copy), a money row on every third, an event row each; then the cashier's closing.
void SellOffline(const Db &db, int posNo, int from, int count, const QString &closing) {
  Open(db, false, posNo);
  for (int i = from; i < from + count; ++i) {
    const QString tag = QString("P%1K%2").arg(posNo).arg(i, 3, 10, QChar('0'));
    chittest::FillSale(3, tag);
    gtPanChit.PctPosNo = int16_t(posNo);
    gtPanList.PclPosNo = int16_t(posNo);
    const bool member = i % 4 == 0;
    if (member) {
      gtPanChit.PctCstKey = orv::Currency::Won(77);
      gtPanList.PclGum01 = orv::Currency::Won(1000);
      gtPanList.PclGum02 = orv::Currency::Won(10);
    }
    const QString err = gsPanChitInsert(0, 0);
    ASSERT_TRUE(err.isEmpty()) << err.toStdString();
    const int32_t no = gtPanChit.PctChtNo;
    if (member) WriteCstChitOff(0);
    if (i % 3 == 0) {
      ClearPanMoneyRecord();
      gtPanMoney.PmoYear = 2024;
      gtPanMoney.PmoMon = 3;
      gtPanMoney.PmoDay = 15;
      gtPanMoney.PmoDate = "20240315";
      gtPanMoney.PmoChtNo = i % 2 == 0 ? no : 0;  // of the chit, or on its own
      gtPanMoney.PmoPosNo = int16_t(posNo);
      gtPanMoney.PmoPsnKey = orv::Currency::Won(5);
      gtPanMoney.PmoHab = orv::Currency::Won(100);
      gtPanMoney.PmoCmitNo = tag;
      InsertPanMoneyRow(2403);
    }
    WritePosLogsRow(goDbPos, no, 1, 8, tag, {}, {}, 1);
  }
  ClearTemDataRecord();
  gtTemData.TemYear = 2024;
  gtTemData.TemMon = 3;
  gtTemData.TemDay = 15;
  gtTemData.TemDate = "20240315";
  gtTemData.TemChtNo = 1;
  gtTemData.TemPosNo = int16_t(posNo);
  gtTemData.TemPsnKey = orv::Currency::Won(5);
  gtTemData.TemBigo = closing;
  SendTemData(goDbPos);
  orv::state::ResetProgramState();
}

struct ChildRun {
  bool killed = false;
  bool sent = false;
  QString failure;
};

ChildRun RunSend(const Db &db, int posNo, const QString &kill, int killAfterMs = -1,
                 const char *child = "SendChild.Sends") {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("ORV_SEND_CHILD", "1");
  env.insert("ORV_SEND_POS", db.pos);
  env.insert("ORV_SEND_MAIN", db.main);
  env.insert("ORV_SEND_POSNO", QString::number(posNo));
  env.insert("ORV_SEND_KILL", kill);
  p.setProcessEnvironment(env);
  p.start(QCoreApplication::applicationFilePath(),
          {QString("--gtest_filter=") + child, "--gtest_brief=1"});
  EXPECT_TRUE(p.waitForStarted(10000));
  if (killAfterMs >= 0 && !p.waitForFinished(killAfterMs)) ::kill(pid_t(p.processId()), SIGKILL);
  p.waitForFinished(600000);
  ChildRun r;
  r.killed = p.exitStatus() == QProcess::CrashExit;
  for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
    const QString l = QString::fromUtf8(line).trimmed();
    if (l == "SENT") r.sent = true;
    if (l.startsWith("FAIL ")) r.failure = l;
  }
  return r;
}

int CountOf(orv::db::Connection &c, const QString &sql) {
  return c.OpenRecordset(sql).Field(0).toInt();
}

// Tags of a table's rows that appear other than exactly once.
QStringList NotOnce(orv::db::Connection &c, const QString &table, const QString &tagColumn,
                    const QStringList &tags) {
  QHash<QString, int> seen;
  auto rs = c.OpenRecordset("Select " + tagColumn + " From " + table);
  for (; !rs.Eof(); rs.MoveNext()) ++seen[rs.Field(0).toString().trimmed()];
  QStringList out;
  for (const QString &t : tags)
    if (seen.value(t) != 1) out << t + "x" + QString::number(seen.value(t));
  return out;
}

// After the last send: everything once, nothing left unsent.
void CheckAllSentOnce(const Db &db, int posNo, int sales, const QStringList &closings) {
  Open(db, true, posNo);
  QStringList tags, moneyTags;
  int members = 0;
  for (int i = 0; i < sales; ++i) {
    const QString tag = QString("P%1K%2").arg(posNo).arg(i, 3, 10, QChar('0'));
    tags << tag;
    if (i % 3 == 0) moneyTags << tag;
    if (i % 4 == 0) ++members;
  }
  const QString mine = " Where PctPosNo=" + QString::number(posNo);
  EXPECT_EQ(NotOnce(goDbMain, "PanChit2403" + mine, "PctCmitNo", tags), QStringList());
  EXPECT_EQ(CountOf(goDbMain, "Select Count(*) From PanGods2403 G Join PanChit2403 C On "
                              "C.PctDate=G.PcgDate And C.PctChtNo=G.PcgChtNo" + mine),
            3 * sales);
  EXPECT_EQ(NotOnce(goDbMain, "PanMoney2403 Where PmoPosNo=" + QString::number(posNo),
                    "PmoCmitNo", moneyTags),
            QStringList());
  EXPECT_EQ(NotOnce(goDbMain, "PosLogs2403 Where PlgPosNo=" + QString::number(posNo),
                    "PlgText1", tags),
            QStringList());
  EXPECT_EQ(NotOnce(goDbMain, "TemData Where TemPosNo=" + QString::number(posNo), "TemBigo",
                    closings),
            QStringList());
  EXPECT_EQ(CountOf(goDbMain, "Select Count(*) From OrvSendJournal Where SjnPosNo=" +
                                  QString::number(posNo)),
            0);
  EXPECT_EQ(CountOf(goDbPos, "Select Count(*) From PanChit2403 Where PctJunsong=0"), 0);
  EXPECT_EQ(CountOf(goDbPos, "Select Count(*) From PanMoney2403 Where PmoJunsong=0"), 0);
  EXPECT_EQ(CountOf(goDbPos, "Select Count(*) From PosLogs2403 Where PlgSss1=0"), 0);
  EXPECT_EQ(CountOf(goDbPos, "Select Count(*) From TemData"), 0);
  EXPECT_EQ(CountOf(goDbPos, "Select Count(*) From PanChitOff"), 0);
  EXPECT_EQ(CountOf(goDbPos, "Select Count(*) From PanChitOn"), members);
  EXPECT_EQ(CountOf(goDbPos, "Select Count(Distinct PctChtNo) From PanChitOn"), members);
  orv::state::ResetProgramState();
}

}  // namespace

// The child: an online login's send; killed where ORV_SEND_KILL ("step:unit") says.
TEST(SendChild, Sends) {
  if (Env("ORV_SEND_CHILD") != "1") GTEST_SKIP() << "runs only as the send kill test's child";
  Open({Env("ORV_SEND_POS"), Env("ORV_SEND_MAIN")}, true, Env("ORV_SEND_POSNO").toInt());
  orv::dialogs::Script script;
  script.ExpectAllUsed(false);
  const QString kill = Env("ORV_SEND_KILL");
  int unit = 0;
  orv::sync::SetSendStepHook([&](const char *step) {
    if (qstrcmp(step, "main-half") == 0) ++unit;
    if (kill == QString(step) + ":" + QString::number(unit)) raise(SIGKILL);
  });
  try {
    SendUnsentData(SendProgress{});
    std::printf("SENT\n");
  } catch (const orv::db::DbError &e) {
    std::printf("FAIL %s\n", qPrintable(e.Description));
  }
  std::fflush(stdout);
}

// The child of the code copy: killed as the copy reaches step ORV_SEND_KILL (0: never).
TEST(SendChild, CopiesCodes) {
  if (Env("ORV_SEND_CHILD") != "1") GTEST_SKIP() << "runs only as the send kill test's child";
  Open({Env("ORV_SEND_POS"), Env("ORV_SEND_MAIN")}, true, Env("ORV_SEND_POSNO").toInt());
  const int killAt = Env("ORV_SEND_KILL").toInt();
  orv::sync::CopyCodesFromMain(orv::sync::CustomerCopy::Always, [&](int step, const QString &) {
    if (step == killAt) raise(SIGKILL);
  });
  std::printf("SENT\n");
  std::fflush(stdout);
}

class SendKill : public ::testing::TestWithParam<bool> {  // main on PostgreSQL?
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    dir_ = orvtest::MakeTempDir();
    db_.pos = orvtest::NewSqliteDatabase(dir_->path(), "pos.db");
    if (GetParam()) {
      ORV_REQUIRE_PG();
      db_.main = orvtest::NewPgDatabase();
    } else {
      db_.main = orvtest::NewSqliteDatabase(dir_->path(), "main.db");
    }
    MakeTables(db_, 3);
  }
  void TearDown() override {
    orv::state::ResetProgramState();
    orv::clock::Reset();
  }
  std::unique_ptr<QTemporaryDir> dir_;
  Db db_;
};

TEST_P(SendKill, KilledAnywhereEachNextLoginSendsTheRestOnce) {
  SellOffline(db_, 3, 0, 8, "closing A");
  // Units in order: the 8 chits (with their money rows), the loose money row, the 8 event
  // rows, the summary; each next login counts from its first unit, and a unit found in the
  // journal gets its POS half without a main half. So these kill: chit 1 in its main half,
  // chit 2 before the main commit, chit 4 between the commits, chit 8 after both; the
  // money row between the commits; event 4 before the main commit; the summary between.
  for (const char *kill : {"main-half:1", "main-commit:2", "pos-commit:3", "pos-done:4",
                           "pos-commit:1", "main-commit:4", "pos-commit:6"}) {
    const ChildRun r = RunSend(db_, 3, kill);
    EXPECT_TRUE(r.killed) << kill << " " << r.failure.toStdString();
    EXPECT_TRUE(r.failure.isEmpty()) << r.failure.toStdString();
  }
  // The second closing of the day takes number 1 again once the first has gone.
  SellOffline(db_, 3, 8, 8, "closing B");
  std::mt19937 rng(20240315);
  std::uniform_int_distribution<int> wait(20, 400);
  for (int i = 0; i < 6; ++i) {
    const ChildRun r = RunSend(db_, 3, {}, wait(rng));
    EXPECT_TRUE(r.failure.isEmpty()) << r.failure.toStdString();
  }
  const ChildRun last = RunSend(db_, 3, {});
  EXPECT_TRUE(last.sent) << last.failure.toStdString();
  CheckAllSentOnce(db_, 3, 16, {"closing A", "closing B"});
  Open(db_, true, 3);
  EXPECT_EQ(CountOf(goDbMain, "Select Count(*) From CstCode Where CcdKey=77 And CcdTcnt=4 "
                              "And CcdCnt=4 And CcdTzerdo=4000 And CcdJumsu=40"),
            1)
      << "each member chit counted once";
}

TEST_P(SendKill, ACodeCopyKilledLeavesThePosTablesAllOld) {
  Open(db_, true, 3);
  for (int k = 1; k <= 3; ++k)
    goDbMain.Execute(QString("Insert Into GdsCode(GcdKey, GcdNo, GcdName) Values(%1, %1, 'new')").arg(k));
  goDbPos.Execute("Insert Into GdsCode(GcdKey, GcdNo, GcdName) Values(99, 99, 'old')");
  auto names = [] {
    QStringList out;
    for (auto rs = goDbPos.OpenRecordset("Select GcdName From GdsCode"); !rs.Eof(); rs.MoveNext())
      out << rs.Field(0).toString().trimmed();
    out.removeDuplicates();
    return out.join(",");
  };
  orv::state::ResetProgramState();
  // Killed after the goods were replaced inside the copy's transaction, and at its last table.
  for (const char *step : {"7", "23"}) {
    const ChildRun r = RunSend(db_, 3, step, -1, "SendChild.CopiesCodes");
    EXPECT_TRUE(r.killed) << step;
    Open(db_, true, 3);
    EXPECT_EQ(names(), "old") << step;
    EXPECT_EQ(CountOf(goDbPos, "Select Count(*) From CstCode Where CcdKey=77 And CcdTcnt=0"), 1);
    orv::state::ResetProgramState();
  }
  EXPECT_TRUE(RunSend(db_, 3, "0", -1, "SendChild.CopiesCodes").sent);
  Open(db_, true, 3);
  EXPECT_EQ(names(), "new");
}

INSTANTIATE_TEST_SUITE_P(Setups, SendKill, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "MainOnPg" : "MainOnSqlite"; });

TEST(SendTwoCheckouts, SendingAtOnceIntoOnePgMainNeverSharesANumber) {
  ORV_REQUIRE_PG();
  auto dir = orvtest::MakeTempDir();
  const QString main = orvtest::NewPgDatabase();
  const Db a{orvtest::NewSqliteDatabase(dir->path(), "pos1.db"), main};
  const Db b{orvtest::NewSqliteDatabase(dir->path(), "pos2.db"), main};
  MakeTables(a, 1);
  MakeTables(b, 2);
  SellOffline(a, 1, 0, 40, "closing 1");
  SellOffline(b, 2, 0, 40, "closing 2");
  ChildRun ra, rb;
  std::thread other([&] { rb = RunSend(b, 2, {}); });
  ra = RunSend(a, 1, {});
  other.join();
  EXPECT_TRUE(ra.sent) << ra.failure.toStdString();
  EXPECT_TRUE(rb.sent) << rb.failure.toStdString();
  orv::db::Connection c;
  c.Open(main);
  EXPECT_EQ(CountOf(c, "Select Count(*) From PanChit2403"), 80);
  EXPECT_EQ(CountOf(c, "Select Count(Distinct PctChtNo) From PanChit2403"), 80);
  EXPECT_EQ(CountOf(c, "Select Count(Distinct PmoNo) From PanMoney2403"),
            CountOf(c, "Select Count(*) From PanMoney2403"));
  EXPECT_EQ(CountOf(c, "Select Count(Distinct TemChtNo) From TemData"), 2);
  c.Close();
  CheckAllSentOnce(a, 1, 40, {"closing 1"});
  CheckAllSentOnce(b, 2, 40, {"closing 2"});
}
