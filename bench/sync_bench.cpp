// Speed of the data exchange. The POS database is an SQLite file (WAL, synchronous FULL);
// the main database a second SQLite file, or PostgreSQL when ORVPOS_TEST_PG names a server
// (the test server runs with fsync off).
// - Send: 2,000 chits recorded offline through the saver (ten lines, a list row each, a money
//   row on every third, a member copy on every fourth) and 500 event rows. Goal: >= 500
//   chits/s into PostgreSQL.
// - Code copy: a main database of 200,000 goods (all 117 columns filled), 200,000 barcodes,
//   200,000 goods names and 20,000 customers into the POS database in one transaction.
//   Goals: <= 5 s from SQLite, <= 10 s from PostgreSQL. ORV_BENCH_GOODS sets the size.
// - GoOffline on a live main database. Goal: median <= 1 ms.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "../tests/chit/sale_fill.h"
#include "bench_support.h"
#include "chit/pan_money.h"
#include "chit/pos_logs.h"
#include "chit/sale_savers.h"
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
#include "sync/go_offline.h"

using orv::Currency;
using orv::db::Connection;

namespace {

orvbench::Databases *g_dbs = nullptr;

constexpr int kChits = 2000;
constexpr int kEvents = 500;

int Goods() {
  const int n = qEnvironmentVariableIntValue("ORV_BENCH_GOODS");
  return n > 0 ? n : 200000;
}

void Open(const QString &pos, const QString &main, bool online) {
  goDbPos.Open(pos);
  goDbMain.Open(online ? main : pos);
  giOnLine = online ? 1 : 2;
  gsSetPosDB = pos;
  gsSetMainDB = main;
  giSetPosNo = 3;
  giSupTrsNo = 12;
  giWrkYear = 2024;
  giWrkMonth = 3;
  giWrkDay = 15;
  orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 0)));
}

void MakeTables(const QString &pos, const QString &main) {
  Open(pos, main, true);
  CheckDBTables();
  orv::schema::EnsureBaseTables(goDbMain);
  CreateMonthTables(2403);
  for (Connection *c : {&goDbMain, &goDbPos}) {
    c->Execute("Insert Into OrvRegistry(RegKey, RegInt) Values('PosChitNoSeq', 1)");
    c->Execute("Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdTcnt, CcdCnt, CcdTzerdo, "
               "CcdZerdo, CcdTjumsu, CcdJumsu) Values(77, 77, 'Hong', 0, 0, 0, 0, 0, 0)");
  }
}

void SellOffline(const QString &pos, const QString &main) {
  Open(pos, main, false);
  for (int i = 0; i < kChits; ++i) {
    chittest::FillSale(10, QString("B%1").arg(i));
    const bool member = i % 4 == 0;
    if (member) {
      gtPanChit.PctCstKey = Currency::Won(77);
      gtPanList.PclGum01 = Currency::Won(1000);
    }
    if (!gsPanChitInsert(0, 0).isEmpty()) std::abort();
    if (member) WriteCstChitOff(0);
    if (i % 3 == 0) {
      ClearPanMoneyRecord();
      gtPanMoney.PmoYear = 2024;
      gtPanMoney.PmoMon = 3;
      gtPanMoney.PmoDay = 15;
      gtPanMoney.PmoDate = "20240315";
      gtPanMoney.PmoChtNo = gtPanChit.PctChtNo;
      gtPanMoney.PmoPosNo = 3;
      gtPanMoney.PmoHab = Currency::Won(100);
      InsertPanMoneyRow(2403);
    }
  }
  for (int i = 0; i < kEvents; ++i) WritePosLogsRow(goDbPos, 9000 + i, 1, 8, "event", {}, {}, 1);
}

void BM_SendOfflineChits(benchmark::State &state) {
  const bool pg = state.range(0) != 0;
  for (auto _ : state) {
    const QString pos = g_dbs->New(false), main = g_dbs->New(pg);
    MakeTables(pos, main);
    SellOffline(pos, main);
    Open(pos, main, true);
    orv::dialogs::Script script;
    script.ExpectAllUsed(false);
    QElapsedTimer t;
    t.start();
    SendUnsentData(SendProgress{});
    state.SetIterationTime(t.nsecsElapsed() / 1e9);
    if (goDbMain.OpenRecordset("Select Count(*) From PanChit2403").Field(0).toInt() != kChits)
      state.SkipWithError("not every chit arrived");
    orv::state::ResetProgramState();
  }
  state.counters["chits/s"] =
      benchmark::Counter(double(kChits) * double(state.iterations()), benchmark::Counter::kIsRate);
}

// A value for a column of that type, different per row.
QVariant Filler(const orv::schema::ColumnDef &c, int row) {
  const QString type = QLatin1String(c.type);
  if (type.startsWith("char")) {
    const int width = type.mid(5).chopped(1).toInt();
    return QString("%1%2").arg(QLatin1String(c.name).left(3)).arg(row).left(width);
  }
  if (type == "text") return QString("memo %1").arg(row);
  if (type == "money" || type == "smallmoney") return QString::number(row % 100000) + ".5";
  if (type == "bit") return row % 2;
  return row;  // int, decimal
}

void FillTable(Connection &c, const char *name, int rows) {
  const orv::schema::TableDef *def = orv::schema::FindTable(QLatin1String(name));
  QStringList cols, marks;
  for (const auto &col : def->columns) {
    cols << QLatin1String(col.name);
    marks << "?";
  }
  // Multi-row inserts: one round trip per 200 rows on PostgreSQL.
  constexpr int kBatch = 200;
  QStringList rowMarks;
  for (int i = 0; i < kBatch; ++i) rowMarks << "(" + marks.join(',') + ")";
  orv::db::Transaction tx(c);
  auto batch = c.Prepare("Insert Into " + QLatin1String(name) + " (" + cols.join(',') +
                         ") Values " + rowMarks.join(','));
  auto single = c.Prepare("Insert Into " + QLatin1String(name) + " (" + cols.join(',') +
                          ") Values (" + marks.join(',') + ")");
  int row = 1;
  for (; row + kBatch - 1 <= rows; row += kBatch) {
    int at = 0;
    for (int r = row; r < row + kBatch; ++r)
      for (const auto &col : def->columns) batch.Bind(at++, Filler(col, r));
    batch.Execute();
  }
  for (; row <= rows; ++row) {
    int at = 0;
    for (const auto &col : def->columns) single.Bind(at++, Filler(col, row));
    single.Execute();
  }
  tx.Commit();
}

void BM_CodeCopy(benchmark::State &state) {
  const bool pg = state.range(0) != 0;
  const int goods = Goods();
  const QString pos = g_dbs->New(false), main = g_dbs->New(pg);
  MakeTables(pos, main);
  for (const char *t : {"GdsCode", "BarCode", "GdsName"}) FillTable(goDbMain, t, goods);
  goDbMain.Execute("Delete From CstCode");
  FillTable(goDbMain, "CstCode", goods / 10);
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    orv::sync::CopyCodesFromMain(orv::sync::CustomerCopy::Always);
    state.SetIterationTime(t.nsecsElapsed() / 1e9);
  }
  const double rows = 3.0 * goods + goods / 10;
  state.counters["rows/s"] =
      benchmark::Counter(rows * double(state.iterations()), benchmark::Counter::kIsRate);
  orv::state::ResetProgramState();
}

void BM_GoOffline(benchmark::State &state) {
  const bool pg = state.range(0) != 0;
  const QString pos = g_dbs->New(false), main = g_dbs->New(pg);
  MakeTables(pos, main);
  for (int i = 1; i <= 50; ++i)
    goDbMain.Execute(QString("Insert Into ComCode(ComNo, ComName) Values(%1, 'c')").arg(i));
  for (auto _ : state) {
    GoOffline();
    if (giOnLine != 1) state.SkipWithError("went offline");
  }
  orv::state::ResetProgramState();
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  orv::dialogs::EnterTestMode([](const QString &) {});
  orvbench::Databases dbs("sync");
  g_dbs = &dbs;
  benchmark::Initialize(&argc, argv);
  std::vector<int> mains = {0};
  if (orvbench::HavePg())
    mains.push_back(1);
  else
    std::fprintf(stderr, "ORVPOS_TEST_PG is not set: the PostgreSQL set-ups are skipped\n");
  for (int m : mains) {
    const std::string where = m ? "MainOnPostgreSQL" : "MainOnSQLite";
    benchmark::RegisterBenchmark(("Send2000Chits/" + where).c_str(), BM_SendOfflineChits)
        ->Arg(m)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->UseManualTime();
    benchmark::RegisterBenchmark(("CodeCopy/" + where).c_str(), BM_CodeCopy)
        ->Arg(m)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->UseManualTime();
    benchmark::RegisterBenchmark(("GoOffline/" + where).c_str(), BM_GoOffline)
        ->Arg(m)
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  orv::state::ResetProgramState();
  dbs.DropPg();
  return 0;
}
