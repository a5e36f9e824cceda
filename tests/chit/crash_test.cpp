// Sales saved by a child process that is killed at chosen points and at random moments:
// after each kill, a start settles the journal, and every sale reported done must be whole
// in both databases, and every chit in one place must have its copy in the other.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <csignal>
#include <cstdio>
#include <random>
#include <thread>

#include "chit/etc_chits.h"
#include "chit/pair_commit.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "schema/check_tables.h"
#include "schema/month_tables.h"
#include "schema/tables.h"
#include "sale_fill.h"
#include "test_support.h"

namespace {

constexpr int kLines = 30;

QString Env(const char *name) { return qEnvironmentVariable(name); }

void OpenAsAStart(const QString &pos, const QString &main, int posNo) {
  goDbPos.Open(pos);
  goDbMain.Open(main);
  giOnLine = goDbMain.SharesSessionWith(goDbPos) ? 2 : 1;
  giSetPosNo = int16_t(posNo);
  giWrkYear = 2024;
  giWrkMonth = 3;
  giWrkDay = 15;
  orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 0)));
}

// One sale of the child: some recalled from a held chit, some on credit.
QString SaveOneSale(int i, const QString &tag, int &heldNo) {
  heldNo = 0;
  const int64_t hab = 1500LL * kLines;
  if (i % 3 == 1) {
    gtWatChit = {};
    ClearWatGodsRecords();
    ClearWatGodsSpeedRecords();
    gtWatChit.Year = 2024;
    gtWatChit.Mon = 3;
    gtWatChit.Day = 15;
    gtWatChit.Date = "20240315";
    gtWatChit.PosNo = giSetPosNo;
    gtWatChit.Hab = *orv::Currency::FromWhole(hab);
    gtWatChit.WrtDate = "20240315";
    gtWatChit.WrtTime = tag.right(6);
    for (int r = 1; r <= 3; ++r) {
      gtWatGods.Year[r] = 2024;
      gtWatGods.Mon[r] = 3;
      gtWatGods.Day[r] = 15;
      gtWatGods.Date[r] = "20240315";
      gtWatGods.SeqNo[r] = int16_t(r);
      gtWatGods.GdsKey[r] = orv::Currency::Won(r);
    }
    const QString err = gsWatChitTInsert(0);
    if (!err.isEmpty()) return err;
    gtWatChit = gtWatChitT;
    heldNo = gtWatChitT.ChtNo;
  } else {
    gtWatChit = {};
  }
  chittest::FillSale(kLines, tag);
  gtPanChit.PctPosNo = giSetPosNo;
  gtPanList.PclPosNo = giSetPosNo;
  if (i % 4 == 2) gtPanChit.PctOisang = gtPanChit.PctHab;
  const auto out = orv::chit::PairCommit([&] {
    QString err = gsPanChitInsert(1, 0);
    if (err.isEmpty() && Env("ORV_CRASH_KILL") == "work:" + QString::number(i)) raise(SIGKILL);
    if (err.isEmpty()) err = gsPanChitTInsert(1);
    return err;
  });
  return out.saved() ? QString() : (out.error.isEmpty() ? QString("unknown") : out.error);
}

struct Db {
  QString pos, main;
};

void MakeTables(const Db &db) {
  OpenAsAStart(db.pos, db.main, 1);
  CheckDBTables();
  if (!goDbMain.SharesSessionWith(goDbPos)) {
    orv::schema::InOneCommit({&goDbMain}, [] {
      for (const auto &def : orv::schema::LoginTables())
        if (!orv::schema::ExistsTable(goDbMain, QLatin1String(def.name)))
          orv::schema::CreateTable(goDbMain, def, orv::schema::NamesFor(def));
    });
  }
  CreateMonthTables(2403);
  orv::chit::EnsurePairTables();
  goDbMain.Execute("Insert Into OrvRegistry(RegKey, RegInt) Values('PosChitNoSeq', 1)");
  orv::state::ResetProgramState();
}

int CountOf(orv::db::Connection &c, const QString &sql) {
  return c.OpenRecordset(sql).Field(0).toInt();
}

struct ChildRun {
  QStringList done;       // tags reported saved
  QHash<QString, int> held;  // tag -> held chit number it was recalled from
  QStringList failed;
  bool killed = false;
  int pgPid = 0;  // the child's session on a PostgreSQL main database
};

// A killed child's session can still be finishing a commit it had sent: a start that reads
// before the server ends that session misses the sale, which the next save would settle.
void WaitForSessionEnd(const QString &main, int pid) {
  if (pid == 0) return;
  orv::db::Connection c;
  c.Open(main);
  for (int i = 0; i < 1500; ++i) {
    if (CountOf(c, "Select Count(*) From pg_stat_activity Where pid=" + QString::number(pid)) == 0)
      break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  c.Close();
}

// dataRoot: the child's data folder, which the caller removes (a killed child cannot).
ChildRun RunChild(const Db &db, const QString &dataRoot, int posNo, int start, int count,
                  const QString &kill, int killAfterMs = -1) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("ORVPOS_TEST_DATA_ROOT", dataRoot);
  env.insert("ORV_CRASH_CHILD", "1");
  env.insert("ORV_CRASH_POS", db.pos);
  env.insert("ORV_CRASH_MAIN", db.main);
  env.insert("ORV_CRASH_POSNO", QString::number(posNo));
  env.insert("ORV_CRASH_START", QString::number(start));
  env.insert("ORV_CRASH_COUNT", QString::number(count));
  env.insert("ORV_CRASH_KILL", kill);
  p.setProcessEnvironment(env);
  p.start(QCoreApplication::applicationFilePath(),
          {"--gtest_filter=CrashChild.SavesSales", "--gtest_brief=1"});
  EXPECT_TRUE(p.waitForStarted(10000));
  if (killAfterMs >= 0) {
    if (!p.waitForFinished(killAfterMs)) {
      ::kill(pid_t(p.processId()), SIGKILL);
    }
  }
  p.waitForFinished(600000);
  ChildRun r;
  r.killed = p.exitStatus() == QProcess::CrashExit;
  for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
    const QString l = QString::fromUtf8(line).trimmed();
    if (l.startsWith("DONE ")) {
      const QStringList parts = l.split(' ');
      r.done << parts.value(1);
      if (parts.value(2).toInt() != 0) r.held.insert(parts.value(1), parts.value(2).toInt());
    } else if (l.startsWith("FAIL ")) {
      r.failed << l;
    } else if (l.startsWith("PGPID ")) {
      r.pgPid = l.mid(6).toInt();
    }
  }
  return r;
}

QSet<QString> Tags(orv::db::Connection &c, const QString &table) {
  QSet<QString> out;
  auto rs = c.OpenRecordset("Select PctCmitNo From " + table);
  for (; !rs.Eof(); rs.MoveNext()) out.insert(rs.Field(0).toString().trimmed());
  return out;
}

// A start: open, settle; then every reported sale whole in both places, and both places
// holding the same chits, each whole.
void CheckBothWhole(const Db &db, const QStringList &done, const QHash<QString, int> &held,
                    int posNo) {
  OpenAsAStart(db.pos, db.main, posNo);
  {
    orv::dialogs::Script script;
    script.ExpectAllUsed(false);
    orv::chit::SettlePairJournal();
  }
  const QSet<QString> inMain = Tags(goDbMain, "PanChit2403 Where PctPosNo=" + QString::number(posNo));
  const QSet<QString> inPos = Tags(goDbPos, "PanChitT2403");
  for (const QString &tag : done) {
    EXPECT_TRUE(inMain.contains(tag)) << tag.toStdString();
    EXPECT_TRUE(inPos.contains(tag)) << tag.toStdString();
    if (held.contains(tag)) {
      // Held numbers come back once their chit is gone: the write time tells them apart.
      EXPECT_EQ(CountOf(goDbPos, "Select Count(*) From WatChitT Where WctWrtTime=" +
                                     orv::db::SqlText(tag.right(6))),
                0)
          << tag.toStdString();
    }
  }
  EXPECT_EQ(inMain, inPos);
  for (const QString &tag : inMain) {
    const QString w = "PctCmitNo=" + orv::db::SqlText(tag);
    auto m = goDbMain.OpenRecordset("Select PctChtNo From PanChit2403 Where " + w);
    ASSERT_EQ(m.RecordCount(), 1) << tag.toStdString();
    const QString no = m.Field(0).toString();
    EXPECT_EQ(CountOf(goDbMain, "Select Count(*) From PanGods2403 Where PcgChtNo=" + no), kLines)
        << tag.toStdString();
    EXPECT_EQ(CountOf(goDbMain, "Select Count(*) From PanList2403 Where PclChtNo=" + no), 1);
    auto t = goDbPos.OpenRecordset("Select PctChtNo From PanChitT2403 Where " + w);
    ASSERT_EQ(t.RecordCount(), 1) << tag.toStdString();
    const QString tno = t.Field(0).toString();
    EXPECT_EQ(CountOf(goDbPos, "Select Count(*) From PanGodsT2403 Where PcgChtNo=" + tno), kLines)
        << tag.toStdString();
    EXPECT_EQ(CountOf(goDbPos, "Select Count(*) From PanListT2403 Where PclChtNo=" + tno), 1);
  }
  orv::state::ResetProgramState();
}

}  // namespace

// The child: saves sales and says so after each; killed where ORV_CRASH_KILL says.
TEST(CrashChild, SavesSales) {
  if (Env("ORV_CRASH_CHILD") != "1") GTEST_SKIP() << "runs only as the crash test's child";
  const int posNo = Env("ORV_CRASH_POSNO").toInt();
  OpenAsAStart(Env("ORV_CRASH_POS"), Env("ORV_CRASH_MAIN"), posNo);
  orv::dialogs::Script script;
  script.ExpectAllUsed(false);
  orv::chit::SettlePairJournal();
  if (goDbMain.engine() == orv::db::Engine::PostgreSQL) {
    std::printf("PGPID %d\n", CountOf(goDbMain, "Select pg_backend_pid()"));
    std::fflush(stdout);
  }
  const QString kill = Env("ORV_CRASH_KILL");
  const int start = Env("ORV_CRASH_START").toInt();
  const int count = Env("ORV_CRASH_COUNT").toInt();
  int current = 0;
  orv::chit::SetPairStepHook([&](const char *step) {
    if (kill == QString(step) + ":" + QString::number(current)) raise(SIGKILL);
  });
  for (int i = start; i < start + count; ++i) {
    current = i;
    const QString tag = QString("P%1S%2").arg(posNo).arg(i, 6, 10, QChar('0'));
    int heldNo = 0;
    const QString err = SaveOneSale(i, tag, heldNo);
    if (kill == "after:" + QString::number(i)) raise(SIGKILL);
    if (err.isEmpty())
      std::printf("DONE %s %d\n", qPrintable(tag), heldNo);
    else
      std::printf("FAIL %s %s\n", qPrintable(tag), qPrintable(err));
    std::fflush(stdout);
  }
}

struct CrashSetup {
  const char *name;
  int kind;  // 0 one SQLite file, 1 two SQLite files, 2 main on PostgreSQL
};

class Crash : public ::testing::TestWithParam<CrashSetup> {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    dir_ = orvtest::MakeTempDir();
    db_.pos = orvtest::NewSqliteDatabase(dir_->path(), "pos.db");
    if (GetParam().kind == 0) {
      db_.main = db_.pos;
    } else if (GetParam().kind == 1) {
      db_.main = orvtest::NewSqliteDatabase(dir_->path(), "main.db");
    } else {
      ORV_REQUIRE_PG();
      db_.main = orvtest::NewPgDatabase();
    }
    MakeTables(db_);
  }
  void TearDown() override {
    orv::state::ResetProgramState();
    orv::clock::Reset();
  }
  std::unique_ptr<QTemporaryDir> dir_;
  Db db_;
};

TEST_P(Crash, KilledAtChosenPointsAndAtRandomEverySaleReportedIsWholeInBoth) {
  QStringList done;
  QHash<QString, int> held;
  int next = 0;
  auto run = [&](const QString &kill, int count, int killAfterMs = -1) {
    ChildRun r = RunChild(db_, dir_->filePath("child"), 1, next, count, kill, killAfterMs);
    next += count;
    if (r.killed) WaitForSessionEnd(db_.main, r.pgPid);
    EXPECT_TRUE(r.failed.isEmpty()) << r.failed.join("\n").toStdString();
    done << r.done;
    held.insert(r.held);
    CheckBothWhole(db_, done, held, 1);
    return r;
  };
  // Chosen points: inside the save, before the working commit, between the commits, after.
  for (const char *point : {"work", "main-commit", "pos-commit", "after"}) {
    SCOPED_TRACE(point);
    const int first = next;
    const ChildRun r = run(QString(point) + ":" + QString::number(first + 1), 4);
    EXPECT_TRUE(r.killed);
    // The sale before the killed one is reported; the killed one never is, not even when
    // it was killed after both commits.
    EXPECT_EQ(r.done, QStringList{QString("P1S%1").arg(first, 6, 10, QChar('0'))});
  }
  // Random moments, with a fixed seed, a fixed number of times.
  std::mt19937 rng(20240315);
  std::uniform_int_distribution<int> wait(30, 900);
  for (int k = 0; k < 16; ++k) run({}, 40, wait(rng));
  EXPECT_FALSE(done.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Setups, Crash,
                         ::testing::Values(CrashSetup{"OneFile", 0}, CrashSetup{"TwoFiles", 1},
                                           CrashSetup{"MainOnPg", 2}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CrashTwoCheckouts, TwoCheckoutsOnOneMainDatabaseNeverShareANumber) {
  ORV_REQUIRE_PG();
  auto dir = orvtest::MakeTempDir();
  const QString main = orvtest::NewPgDatabase();
  const Db a{orvtest::NewSqliteDatabase(dir->path(), "pos1.db"), main};
  const Db b{orvtest::NewSqliteDatabase(dir->path(), "pos2.db"), main};
  MakeTables(a);
  OpenAsAStart(b.pos, b.pos, 2);
  CheckDBTables();
  CreateMonthTables(2403);
  orv::chit::EnsurePairTables();
  orv::state::ResetProgramState();
  ChildRun ra, rb;
  std::thread other([&] { rb = RunChild(b, dir->filePath("child2"), 2, 0, 200, {}); });
  ra = RunChild(a, dir->filePath("child1"), 1, 0, 200, {});
  other.join();
  EXPECT_TRUE(ra.failed.isEmpty()) << ra.failed.join("\n").toStdString();
  EXPECT_TRUE(rb.failed.isEmpty()) << rb.failed.join("\n").toStdString();
  EXPECT_EQ(ra.done.size(), 200);
  EXPECT_EQ(rb.done.size(), 200);
  orv::db::Connection c;
  c.Open(main);
  EXPECT_EQ(CountOf(c, "Select Count(*) From PanChit2403"), 400);
  EXPECT_EQ(CountOf(c, "Select Count(Distinct PctChtNo) From PanChit2403"), 400);
  c.Close();
  CheckBothWhole(a, ra.done, ra.held, 1);
  CheckBothWhole(b, rb.done, rb.held, 2);
}
