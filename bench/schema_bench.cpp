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

#include "core/globals.h"
#include "core/state.h"
#include "platform/db.h"
#include "schema/check_tables.h"
#include "schema/month_tables.h"

using orv::db::Connection;

namespace {

QTemporaryDir *g_tmp = nullptr;
int g_fileNo = 0;
QStringList g_pgDatabases;

QString NewDatabase(bool pg) {
  if (!pg) {
    QString path = QDir(g_tmp->path()).filePath(QString("schema%1.db").arg(++g_fileNo));
    QString text = orv::db::BuildConnectionText("", "SQLite", "", "", path);
    Connection::CreateDatabase(text);
    return text;
  }
  auto ct = orv::db::ParseConnectionText(qEnvironmentVariable("ORVPOS_TEST_PG"));
  QString name = "orvschema_" + QUuid::createUuid().toString(QUuid::Id128).left(12);
  QString text = orv::db::BuildConnectionText(ct.server, "PostgreSQL", ct.uid, ct.pwd, name);
  Connection::CreateDatabase(text);
  g_pgDatabases << name;
  return text;
}

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
  QTemporaryDir tmp;
  g_tmp = &tmp;
  Register("SQLite", false);
  if (!qEnvironmentVariableIsEmpty("ORVPOS_TEST_PG")) Register("PostgreSQL", true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!g_pgDatabases.isEmpty()) {
    orv::state::ResetProgramState();
    try {
      Connection admin;
      admin.Open(qEnvironmentVariable("ORVPOS_TEST_PG"));
      for (const QString &n : g_pgDatabases) admin.TryExecute("DROP DATABASE IF EXISTS " + n);
    } catch (const orv::db::DbError &e) {
      std::fprintf(stderr, "could not drop the benchmark databases: %s\n", e.what());
    }
  }
  return 0;
}
