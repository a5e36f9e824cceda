// Speed of the schema check at login: CheckDBTables and CreateMonthTables on an empty
// database (every table made) and on a complete one (probes only). Offline, so both
// connections name one database. SQLite always; PostgreSQL when ORVPOS_TEST_PG names a
// server.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QUuid>
#include <cstdio>

#include "bench_support.h"
#include "core/globals.h"
#include "core/state.h"
#include "platform/db.h"
#include "schema/check_tables.h"
#include "schema/month_tables.h"

using orv::db::Connection;

namespace {

orvbench::Databases *g_dbs = nullptr;

QString NewDatabase(bool pg) { return g_dbs->New(pg); }

void OpenOffline(const QString &text) {
  orv::state::ResetProgramState();
  goDbPos.Open(text);
  goDbMain.Open(text);
  giOnLine = 2;
}

void Login() {
  CheckDBTables();
  CreateMonthTables(2401);
}

// Every base table, TemData and one month's tables made from nothing.
void BM_CreateEverything(benchmark::State &state, bool pg) {
  for (auto _ : state) {
    state.PauseTiming();
    OpenOffline(NewDatabase(pg));
    state.ResumeTiming();
    Login();
  }
  orv::state::ResetProgramState();
}

// The same on a complete database: 70 probes of the login check and 26 of the month.
void BM_ProbesOnly(benchmark::State &state, bool pg) {
  OpenOffline(NewDatabase(pg));
  Login();
  for (auto _ : state) Login();
  orv::state::ResetProgramState();
}

void Register(const char *engine, bool pg) {
  auto name = [engine](const char *what) { return std::string(what) + "/" + engine; };
  benchmark::RegisterBenchmark(name("CreateEverything").c_str(), BM_CreateEverything, pg)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(pg ? 3 : 10);
  benchmark::RegisterBenchmark(name("ProbesOnly").c_str(), BM_ProbesOnly, pg)
      ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  orvbench::Databases dbs("schema");
  g_dbs = &dbs;
  Register("SQLite", false);
  if (orvbench::HavePg()) Register("PostgreSQL", true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  orv::state::ResetProgramState();
  dbs.DropPg();
  return 0;
}
