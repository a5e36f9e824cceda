// A checkout killed while it copies member chits to the point server: every chit it reached
// is in the POS queue, on the point server, or in both and then equal, which the forwarder
// drops without adding the totals again.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>

#include "chit/ts_records.h"
#include "customer/cst_chit.h"
#include "customer_fixture.h"

namespace {

constexpr int kChits = 3;
constexpr int kKilledChit = 2;

// Runs the child below; true when it was killed.
bool RunWriter(const QString &pos, const QString &main, const QString &ts, const QString &kill) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("ORV_CSTCHIT_CHILD", "1");
  env.insert("ORV_CSTCHIT_POS", pos);
  env.insert("ORV_CSTCHIT_MAIN", main);
  env.insert("ORV_CSTCHIT_TS", ts);
  env.insert("ORV_CSTCHIT_KILL", kill);
  p.setProcessEnvironment(env);
  p.start(QCoreApplication::applicationFilePath(),
          {"--gtest_filter=CstChitChild.Writes", "--gtest_brief=1"});
  EXPECT_TRUE(p.waitForStarted(10000));
  EXPECT_TRUE(p.waitForFinished(120000));
  return p.exitStatus() == QProcess::CrashExit;
}

}  // namespace

// The child: writes chits 1 to 3 through WriteCstChitTs and kills itself at the named step
// of chit 2.
TEST(CstChitChild, Writes) {
  if (qgetenv("ORV_CSTCHIT_CHILD") != "1") GTEST_SKIP() << "run by CstChitKill";
  goDbPos.Open(QString::fromUtf8(qgetenv("ORV_CSTCHIT_POS")));
  goDbMain.Open(QString::fromUtf8(qgetenv("ORV_CSTCHIT_MAIN")));
  goDbTs.Open(QString::fromUtf8(qgetenv("ORV_CSTCHIT_TS")));
  giOnLine = 1;
  giCstTsMode = 2;
  giSupTrsNo = 12;
  giWrkYear = 2024;
  giWrkMonth = 3;
  giWrkDay = 15;
  const QByteArray kill = qgetenv("ORV_CSTCHIT_KILL");
  for (int no = 1; no <= kChits; ++no) {
    SetCstChitStepHook([&, no](const char *step) {
      if (no == kKilledChit && kill == step) std::raise(SIGKILL);
    });
    customertest::PrepareMemberChit(no, "K" + QString::number(no));
    WriteCstChitTs(0);
  }
  SetCstChitStepHook({});
}

class CstChitKill : public customertest::CustomerFixture {
 protected:
  // The chit as the one reader reads it from a table, or nothing.
  static std::optional<std::pair<PanChitTsRec, PanListTsRec>> Read(orv::db::Connection &c,
                                                                  const QString &chit,
                                                                  const QString &list, int no) {
    if (!c.TableExists(chit)) return std::nullopt;
    auto rs = c.OpenRecordset("Select * From " + chit + " Where PctChtNo=" + QString::number(no));
    if (rs.RecordCount() == 0) return std::nullopt;
    std::pair<PanChitTsRec, PanListTsRec> out;
    ReadPanChitTsRecord(rs, out.first);
    auto ls = c.OpenRecordset("Select * From " + list + " Where PclChtNo=" + QString::number(no));
    EXPECT_EQ(ls.RecordCount(), 1) << list.toStdString();
    if (ls.RecordCount() > 0) ReadPanListTsRecord(ls, out.second);
    return out;
  }
};

TEST_P(CstChitKill, EveryChitIsQueuedStoredOrBothAndEqual) {
  struct Case {
    const char *step;
    bool queued, stored;  // where chit 2 is afterwards
  } cases[] = {
      {"queued", true, false},
      {"ts-commit", true, false},
      {"ts-committed", true, true},
      {"dequeued", false, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.step);
    goDbPos.Execute("Delete From PanChitOn");
    goDbPos.Execute("Delete From PanListOn");
    if (goDbTs.TableExists("PanChitT2403")) {
      goDbTs.Execute("Delete From PanChitT2403");
      goDbTs.Execute("Delete From PanListT2403");
    }
    goDbPos.Close();
    goDbMain.Close();
    goDbTs.Close();
    EXPECT_TRUE(RunWriter(posText_, mainText_, tsText_, c.step));
    goDbPos.Open(posText_);
    goDbMain.Open(mainText_);
    goDbTs.Open(tsText_);
    for (int no = 1; no <= kChits; ++no) {
      SCOPED_TRACE(no);
      const auto queued = Read(goDbPos, "PanChitOn", "PanListOn", no);
      const auto stored = Read(goDbTs, "PanChitT2403", "PanListT2403", no);
      if (no > kKilledChit) {
        EXPECT_FALSE(queued || stored) << "never written";
        continue;
      }
      const bool wantQueued = no == kKilledChit && c.queued;
      const bool wantStored = no < kKilledChit || c.stored;
      EXPECT_EQ(bool(queued), wantQueued);
      EXPECT_EQ(bool(stored), wantStored);
      if (queued && stored) {
        EXPECT_EQ(queued->first, stored->first);
        EXPECT_EQ(queued->second, stored->second);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, CstChitKill,
                         testing::Values(chittest::Setup{orv::db::Engine::SQLite, true},
                                         chittest::Setup{orv::db::Engine::PostgreSQL, true}),
                         chittest::SetupName);
