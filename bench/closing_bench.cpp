// Speed of the day-end closing screen over three months of 100,000 chits each (a list row and
// four goods lines per chit, ten cashiers), the logged-in cashier's 2,000 open chits among
// them, an opening cash, three deposits, and a saved closing of 2,000 TemDetail rows. The POS
// database on SQLite (WAL) and on PostgreSQL when ORVPOS_TEST_PG names a server.
// Goals: the activation (four refreshes, grid filled) and loading the saved closing ≤ 500 ms;
// the deposit dialog's load, a month of the cash log and the saved-closing list ≤ 100 ms.
// Reported: the reset, and the activation and reset with 30,000 open chits (a cashier who
// never closes). ORV_BENCH_CHITS sets the chits per month (default 100,000).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>

#include "closing/closing_reset.h"
#include "closing/frmInitLog.h"
#include "closing/frmMidInput.h"
#include "closing/frmTemSave.h"
#include "closing/frmTerminate.h"
#include "closing_bench_data.h"
#include "platform/dialogs.h"

using namespace orv::closing;
namespace ss = orv::settings_store;

namespace {

orvbench::Databases *g_dbs = nullptr;
struct Filled {
  bool pg = false;
  int open = 0;
  bool clean = false;
} g_filled;

int ChitsPerMonth() {
  const int n = qEnvironmentVariableIntValue("ORV_BENCH_CHITS");
  return n > 0 ? n : 100000;
}

// Fills only when the engine or the open chits change, or a reset has closed them.
void Ensure(bool pg, int open) {
  if (g_filled.clean && g_filled.pg == pg && g_filled.open == open) return;
  QElapsedTimer t;
  t.start();
  closingbench::SetUp(*g_dbs, pg, ChitsPerMonth(), open);
  std::fprintf(stderr, "filled %s with %d open chits in %.1f s\n", pg ? "PostgreSQL" : "SQLite",
               open, double(t.elapsed()) / 1000);
  g_filled = {pg, open, true};
}

template <class Fn>
void Timed(benchmark::State &state, Fn fn) {
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    fn();
    state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
  }
}

void BM_Activate(benchmark::State &state, bool pg, int open) {
  Ensure(pg, open);
  frmTerminate f;
  Timed(state, [&] { f.Form_Activate(); });
  state.counters["rows"] = double(f.vaSpread1->MaxRows());
}

void BM_LoadSaved(benchmark::State &state, bool pg) {
  Ensure(pg, 2000);
  frmTerminate f;
  orv::dialogs::Script script;
  script.OnForm("frmTemLoad", [](QWidget &w) {
    ss::SaveSettings({{"TemChitLoad", "1"}, {"TemDate", "20250116"}, {"TemChtNo", "1"}});
    w.close();
  });
  Timed(state, [&] { f.cmdLoad_Click(); });
}

void BM_MidInput(benchmark::State &state, bool pg) {
  Ensure(pg, 2000);
  frmMidInput d;
  Timed(state, [&] { d.LoadMidDeposits(); });
}

void BM_InitLog(benchmark::State &state, bool pg) {
  Ensure(pg, 2000);
  frmInitLog d;
  d.dtpDate->setDate(QDate(2025, 1, 15));
  Timed(state, [&] { d.fcInitLogSerch(); });
}

void BM_TemList(benchmark::State &state, bool pg) {
  Ensure(pg, 2000);
  frmTemLoad d;
  d.dtpWrkDate->setDate(QDate(2025, 1, 15));
  Timed(state, [&] { d.fcTemChitSerch(); });
  state.counters["rows"] = double(d.vaSpread1->MaxRows());
}

// Closes the cashier's chits once: the data must be filled again afterwards.
void BM_Reset(benchmark::State &state, bool pg, int open) {
  Ensure(pg, open);
  ClosingContext ctx = WorkDateContext();
  ProbeClosingContext(ctx);
  const ClosingFigures f = ReadOpenFigures(ctx);
  Timed(state, [&] {
    if (!CloseCashierChits(f, ctx)) state.SkipWithError("the reset failed");
  });
  g_filled.clean = false;
}

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orv::dialogs::EnterTestMode([](const QString &what) {
    std::fprintf(stderr, "unexpected box: %s\n", qUtf8Printable(what));
  });
  QTemporaryDir ini;
  ss::SetFilePath(ini.path() + "/OrvZerdo.ini");
  orvbench::Databases dbs("closing");
  g_dbs = &dbs;
  benchmark::Initialize(&argc, argv);
  for (bool pg : {false, true}) {
    if (pg && !orvbench::HavePg()) {
      std::fprintf(stderr, "ORVPOS_TEST_PG is not set: the PostgreSQL set-up is skipped\n");
      break;
    }
    const std::string e = pg ? "/PostgreSQL" : "/SQLite";
    auto reg = [&](const std::string &name, auto fn, int iterations) {
      benchmark::RegisterBenchmark((name + e).c_str(), fn)
          ->Unit(benchmark::kMillisecond)
          ->Iterations(iterations)
          ->UseManualTime();
    };
    reg("Activate", [pg](benchmark::State &s) { BM_Activate(s, pg, 2000); }, 9);
    reg("LoadSavedClosing", [pg](benchmark::State &s) { BM_LoadSaved(s, pg); }, 9);
    reg("MidInputLoad", [pg](benchmark::State &s) { BM_MidInput(s, pg); }, 15);
    reg("InitLogMonth", [pg](benchmark::State &s) { BM_InitLog(s, pg); }, 15);
    reg("TemLoadList", [pg](benchmark::State &s) { BM_TemList(s, pg); }, 15);
    reg("Reset", [pg](benchmark::State &s) { BM_Reset(s, pg, 2000); }, 1);
    reg("Activate30000Open", [pg](benchmark::State &s) { BM_Activate(s, pg, 30000); }, 3);
    reg("Reset30000Open", [pg](benchmark::State &s) { BM_Reset(s, pg, 30000); }, 1);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  goDbPos.Close();
  goDbMain.Close();
  orv::state::ResetProgramState();
  dbs.DropPg();
}
