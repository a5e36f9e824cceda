// Speed of the chit store in a busy month (150,000 chits of ten checkouts in PanChit, this
// checkout's 15,000 copies in PanChitT, ten lines each): a 30-line sale with its POS copy
// through the pair commit, journal included, with PosChitNoSeq 1 and 0; and ReadPanChit of
// a 30-line chit. Offline (one SQLite file), the main database on a second SQLite file,
// and the main database on PostgreSQL when ORVPOS_TEST_PG names a server.
// ORV_BENCH_CHITS sets the month's size (default 150000).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_support.h"
#include "chit/pair_commit.h"
#include "chit/read_back.h"
#include "chit/records.h"
#include "chit/sale_savers.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "schema/check_tables.h"
#include "schema/month_tables.h"
#include "schema/tables.h"

using orv::Currency;
using orv::db::Connection;

namespace {

orvbench::Databases *g_dbs = nullptr;

int MonthChits() {
  const int n = qEnvironmentVariableIntValue("ORV_BENCH_CHITS");
  return n > 0 ? n : 150000;
}

struct Setup {
  QString pos, main;
};

void Fill(Connection &c, const QString &chitTable, const QString &godsTable, int chits,
          int everyNth, int posNo) {
  orv::db::Transaction tx(c);
  auto head = c.Prepare("Insert Into " + chitTable +
                        "(PctYear,PctMon,PctDay,PctDate,PctChtNo,PctPosNo,PctPsnKey,PctHab) "
                        "Values(2024,3,?,?,?,?,5,15000)");
  auto line = c.Prepare("Insert Into " + godsTable +
                        "(PcgYear,PcgMon,PcgDay,PcgDate,PcgChtNo,PcgSeqNo,PcgGdsKey,PcgSu,"
                        "PcgDanga,PcgGum) Values(2024,3,?,?,?,?,?,1,1500,1500)");
  const int perDay = std::max(1, chits / 30);
  for (int i = 0; i < perDay * 30; ++i) {
    if (everyNth > 1 && i % everyNth != 0) continue;
    const int day = 1 + i / perDay % 30;
    const int no = 1 + i % perDay;
    const QString date = QString("202403%1").arg(day, 2, 10, QChar('0'));
    head.Bind(0, day);
    head.Bind(1, date);
    head.Bind(2, no);
    head.Bind(3, posNo > 0 ? posNo : 1 + i % 10);
    head.Execute();
    for (int s = 1; s <= 10; ++s) {
      line.Bind(0, day);
      line.Bind(1, date);
      line.Bind(2, no);
      line.Bind(3, s);
      line.Bind(4, 1000 + s);
      line.Execute();
    }
  }
  tx.Commit();
}

void Open(const Setup &s) {
  goDbPos.Open(s.pos);
  goDbMain.Open(s.main);
  giOnLine = goDbMain.SharesSessionWith(goDbPos) ? 2 : 1;
  giSetPosNo = 3;
  giWrkYear = 2024;
  giWrkMonth = 3;
  giWrkDay = 15;
  orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 0)));
}

Setup Make(int kind) {
  Setup s;
  s.pos = g_dbs->New(false);
  s.main = kind == 0 ? s.pos : g_dbs->New(kind == 2);
  Open(s);
  CheckDBTables();
  if (kind != 0) {
    orv::schema::InOneCommit({&goDbMain}, [] {
      for (const auto &def : orv::schema::LoginTables())
        if (!orv::schema::ExistsTable(goDbMain, QLatin1String(def.name)))
          orv::schema::CreateTable(goDbMain, def, orv::schema::NamesFor(def));
    });
  }
  CreateMonthTables(2403);
  orv::chit::EnsurePairTables();
  const int chits = MonthChits();
  QElapsedTimer t;
  t.start();
  Fill(goDbMain, "PanChit2403", "PanGods2403", chits, 1, 0);
  Fill(goDbPos, "PanChitT2403", "PanGodsT2403", chits, 10, 3);
  std::fprintf(stderr, "month filled in %.1f s\n", t.elapsed() / 1000.0);
  goDbMain.Execute("Insert Into OrvRegistry(RegKey, RegInt) Values('PosChitNoSeq', 1)");
  orv::state::ResetProgramState();
  return s;
}

Setup &SetupOf(int kind) {
  static Setup setups[3];
  static bool made[3] = {false, false, false};
  if (!made[kind]) {
    setups[kind] = Make(kind);
    made[kind] = true;
  }
  return setups[kind];
}

void FillSale(int i) {
  ClearPanChitRecord();
  ClearPanGodsRecords();
  ClearPanListRecord();
  PanChitRec &h = gtPanChit;
  h.PctYear = 2024;
  h.PctMon = 3;
  h.PctDay = 15;
  h.PctDate = "20240315";
  h.PctPosNo = 3;
  h.PctPsnKey = Currency::Won(5);
  h.PctHab = Currency::Won(45000);
  h.PctMoney = Currency::Won(45000);
  h.PctCmitNo = QString("B%1").arg(i);
  h.PctWrtdate = "20240315";
  h.PctWrttime = "140500";
  gtPanList.PclYear = 2024;
  gtPanList.PclMon = 3;
  gtPanList.PclDay = 15;
  gtPanList.PclDate = "20240315";
  gtPanList.PclPosNo = 3;
  gtPanList.PclPsnKey = Currency::Won(5);
  for (int l = 1; l <= 30; ++l) {
    PanGodsLine &g = gtPanGods[l];
    g.PcgYear = 2024;
    g.PcgMon = 3;
    g.PcgDay = 15;
    g.PcgDate = "20240315";
    g.PcgSeqNo = l;
    g.PcgGdsKey = Currency::Won(1000 + l);
    g.PcgSu = Currency::Won(1);
    g.PcgDanga = Currency::Won(1500);
    g.PcgGum = Currency::Won(1500);
  }
}

void Report(benchmark::State &state, std::vector<double> &ms) {
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
  state.counters["p90_ms"] = ms[ms.size() * 9 / 10];
}

void BM_PairCommit(benchmark::State &state, int kind, int seq) {
  Open(SetupOf(kind));
  goDbMain.Execute("Update OrvRegistry Set RegInt=" + QString::number(seq) +
                   " Where RegKey='PosChitNoSeq'");
  orv::dialogs::Script script;
  script.ExpectAllUsed(false);
  static int sale = 0;
  std::vector<double> ms;
  for (auto _ : state) {
    FillSale(++sale);
    QElapsedTimer t;
    t.start();
    const auto out = orv::chit::PairCommit([] {
      QString err = gsPanChitInsert(1, 0);
      if (err.isEmpty()) err = gsPanChitTInsert(1);
      return err;
    });
    const double elapsed = t.nsecsElapsed() / 1e6;
    state.SetIterationTime(elapsed / 1000.0);
    ms.push_back(elapsed);
    if (!out.saved()) state.SkipWithError(out.error.toStdString().c_str());
  }
  Report(state, ms);
  orv::state::ResetProgramState();
}

void BM_ReadPanChit(benchmark::State &state, int kind) {
  Open(SetupOf(kind));
  // A 30-line chit of the month.
  FillSale(0);
  gtPanChit.PctChtNo = 0;
  orv::dialogs::Script script;
  script.ExpectAllUsed(false);
  const QString err = gsPanChitInsert(0, 1);
  if (!err.isEmpty()) state.SkipWithError(err.toStdString().c_str());
  const int32_t no = gtPanChit.PctChtNo;
  std::vector<double> ms;
  for (auto _ : state) {
    giOldChtYear = 2024;
    giOldChtMonth = 3;
    giOldChtDay = 15;
    glOldChtNo = no;
    QElapsedTimer t;
    t.start();
    ReadPanChit();
    const double elapsed = t.nsecsElapsed() / 1e6;
    state.SetIterationTime(elapsed / 1000.0);
    ms.push_back(elapsed);
    if (goReadGodsCnt != 30) state.SkipWithError("the chit did not come back whole");
  }
  Report(state, ms);
  orv::state::ResetProgramState();
}

void Register(const char *name, int kind) {
  for (int seq : {1, 0})
    benchmark::RegisterBenchmark(
        (std::string("PairCommit30Lines/") + name + "/PosChitNoSeq" + std::to_string(seq)).c_str(),
        BM_PairCommit, kind, seq)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(200)
        ->UseManualTime();
  benchmark::RegisterBenchmark((std::string("ReadPanChit30Lines/") + name).c_str(),
                               BM_ReadPanChit, kind)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(200)
      ->UseManualTime();
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  orv::dialogs::EnterTestMode([](const QString &) {});
  orvbench::Databases dbs("chit");
  g_dbs = &dbs;
  benchmark::Initialize(&argc, argv);
  Register("OneSQLiteFile", 0);
  Register("TwoSQLiteFiles", 1);
  if (orvbench::HavePg())
    Register("MainOnPostgreSQL", 2);
  else
    std::fprintf(stderr, "ORVPOS_TEST_PG is not set: the PostgreSQL set-up is skipped\n");
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  orv::state::ResetProgramState();
  dbs.DropPg();
  return 0;
}
