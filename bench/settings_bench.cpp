// The settings screens: opening the full screen, the per-PC copy's save (55 rows, each its
// own transaction) and load, and the card-company table of network 2 (50 rows); the main
// database on SQLite and, with ORVPOS_TEST_PG, on PostgreSQL.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "bench_support.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/settings_store.h"
#include "schema/tables.h"
#include "settings/card_com_table.h"
#include "settings/frmSetup.h"
#include "settings/pc_snapshot.h"

using namespace orv;

namespace {

orvbench::Databases *g_dbs = nullptr;
QString g_main[2];

// The main database of the engine, holding ExtCode and a saved copy of PC 3.
db::Connection &Main(bool pg, db::Connection &c) {
  c.Open(g_main[pg]);
  return c;
}

bool Skip(benchmark::State &state) {
  if (state.range(0) == 1 && g_main[1].isEmpty()) {
    state.SkipWithError("no PostgreSQL server (ORVPOS_TEST_PG)");
    return true;
  }
  return false;
}

void BM_OpenSetup(benchmark::State &state) {
  if (Skip(state)) return;
  for (auto _ : state) {
    frmSetup f;
    f.Form_Load();
    benchmark::DoNotOptimize(f.txtPosNo->text());
  }
}

void BM_SnapshotSave(benchmark::State &state) {
  if (Skip(state)) return;
  db::Connection c;
  Main(state.range(0), c);
  const settings::PcSetRec rec = settings::LoadPcSetFromReg();
  for (auto _ : state) benchmark::DoNotOptimize(settings::SavePcSetToDb(c, 3, rec));
}

void BM_SnapshotLoad(benchmark::State &state) {
  if (Skip(state)) return;
  db::Connection c;
  Main(state.range(0), c);
  for (auto _ : state) benchmark::DoNotOptimize(settings::LoadPcSetFromDb(c, 3));
}

void BM_CardTableNetwork2(benchmark::State &state) {
  if (Skip(state)) return;
  db::Connection c;
  Main(state.range(0), c);
  for (auto _ : state) settings::MakeCardComTable(c, 2, 2401301530);
}

void Runs(benchmark::internal::Benchmark *b) {
  b->ArgName("pg")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);
}

BENCHMARK(BM_OpenSetup)->Apply(Runs);
BENCHMARK(BM_SnapshotSave)->Apply(Runs);
BENCHMARK(BM_SnapshotLoad)->Apply(Runs);
BENCHMARK(BM_CardTableNetwork2)->Apply(Runs);

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir ini;
  settings_store::SetFilePath(ini.filePath("OrvZerdo.ini"));
  orvbench::Databases dbs("settings");
  g_dbs = &dbs;
  for (bool pg : {false, true}) {
    if (pg && !orvbench::HavePg()) continue;
    g_main[pg] = dbs.New(pg);
    db::Connection c;
    c.Open(g_main[pg]);
    schema::CreateTable(c, QStringLiteral("ExtCode"));
    schema::CreateTable(c, QStringLiteral("OrvKorea"));
  }
  gsSetMainDB = g_main[0];
  giSetPosNo = 3;
  SavePosSettings();
  for (bool pg : {false, true}) {
    if (g_main[pg].isEmpty()) continue;
    db::Connection c;
    c.Open(g_main[pg]);
    const auto report = settings::SavePcSetToDb(c, 3, settings::LoadPcSetFromReg());
    std::fprintf(stderr, "%s: %d rows not written\n", pg ? "PostgreSQL" : "SQLite",
                 int(report.failed.size()));
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  dbs.DropPg();
  settings_store::SetFilePath({});
  return 0;
}
