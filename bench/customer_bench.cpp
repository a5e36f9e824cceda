// Customers and points: one member chit through WriteCstChitTs (queue, point-server
// transaction, queue delete) with the point server on an SQLite file and on PostgreSQL (the
// POS database an SQLite file, WAL, synchronous FULL); a "/1234" customer search over 30,000
// customers (statement built, run, every row read); one OneMoa request to the simulator on
// loopback (built, sent, parsed, logged).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <chrono>
#include <cstdio>

#include "../tests/customer/member_chit.h"
#include "bench_support.h"
#include "chit/records.h"
#include "chit/ts_records.h"
#include "core/globals.h"
#include "core/state.h"
#include "customer/cst_chit.h"
#include "customer/onemoa.h"
#include "lookup/cst_find.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "schema/tables.h"

namespace {

orvbench::Databases *g_dbs = nullptr;

void BM_WriteCstChitTs(benchmark::State &state, bool tsOnPg) {
  orv::state::ResetProgramState();
  goDbPos.Open(g_dbs->New(false));
  for (const char *t : {"PanChitOn", "PanListOn"}) orv::schema::CreateTable(goDbPos, t);
  goDbMain.Open(g_dbs->New(false));
  goDbTs.Open(g_dbs->New(tsOnPg));
  orv::schema::CreateTable(goDbTs, "CstCode");
  goDbTs.Execute("Insert Into CstCode(CcdKey, CcdNo, CcdName) Values(7, 70, 'Hong')");
  giOnLine = 1;
  giCstTsMode = 2;
  giSupTrsNo = 12;
  giWrkYear = 2024;
  giWrkMonth = 3;
  giWrkDay = 15;
  int32_t no = 0;
  for (auto _ : state) {
    ++no;
    customertest::PrepareMemberChit(no, "B" + QString::number(no));
    const auto t0 = std::chrono::steady_clock::now();
    WriteCstChitTs(0);
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  if (giCstTsMode != 2) state.SkipWithError("the point server went offline");
  goDbTs.Close();
  goDbMain.Close();
  goDbPos.Close();
}

void BM_CstSearch(benchmark::State &state, bool pg) {
  orv::state::ResetProgramState();
  goDbMain.Open(g_dbs->New(pg));
  orv::schema::CreateTable(goDbMain, "CstCode");
  {
    orv::db::Transaction tx(goDbMain);
    orv::db::Statement ins = goDbMain.Prepare(
        "Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdBarcode, CcdTel, CcdHp, CcdEMail) "
        "Values(?, ?, ?, ?, ?, ?, ?)");
    for (int i = 1; i <= 30000; ++i) {
      ins.Bind(0, i);
      ins.Bind(1, i);
      ins.Bind(2, QStringLiteral("고객%1").arg(i));
      ins.Bind(3, QStringLiteral("29%1").arg(i, 11, 10, QChar('0')));
      ins.Bind(4, QStringLiteral("02-%1-%2").arg(i % 900 + 100).arg(i % 10000, 4, 10, QChar('0')));
      ins.Bind(5, QStringLiteral("010-%1-%2").arg(i % 9000 + 1000).arg((i * 7) % 10000, 4, 10, QChar('0')));
      ins.Bind(6, QStringLiteral("c%1@mail.kr").arg(i));
      ins.Execute();
    }
    tx.Commit();
  }
  size_t rows = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    const auto found = orv::lookup::BuildCstFindSql("/1234", goDbMain.dialect(), "CstCode",
                                                    orv::lookup::CstFindVariant::CstEdit);
    orv::db::Statement st = goDbMain.Prepare(found->sql);
    for (int i = 0; i < found->values.size(); ++i) st.Bind(i, found->values[i]);
    orv::db::Recordset rs = st.Query();
    rows = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) rows += rs.Field(0).isNull() ? 0 : 1;
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  state.counters["rows"] = double(rows);
  goDbMain.Close();
}

void BM_OneMoaRequest(benchmark::State &state) {
  QProcess sim;
  const QString exe = QDir(QCoreApplication::applicationDirPath()).filePath("../orvonemoasim");
  sim.start(exe, {"--port", "0", "--members",
                  QStringLiteral(ORVPOS_SOURCE_DATA) + "/demo/onemoa.txt"});
  if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
    state.SkipWithError("orvonemoasim did not start");
    return;
  }
  const QString server = "http://127.0.0.1:" + QString::fromLatin1(sim.readLine()).trimmed().mid(5);
  QTemporaryDir home;
  orv::datafolder::SetRoot(home.path());
  QDir().mkpath(orv::datafolder::Path("OrvBackup"));
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    const QString url = orv::onemoa::FindQuery(server, "010-1111-2222", "C1");
    const orv::onemoa::SendOutcome o = orv::onemoa::SendOneMoaChit(url);
    orv::onemoa::LogOneMoaOk("20240315", "140520", "1", "WriteChit", url, o.message);
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    if (o.fail) state.SkipWithError("the request failed");
  }
  sim.kill();
  sim.waitForFinished(5000);
}

}  // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);  // the dialogs watchdog needs one
  orv::dialogs::EnterTestMode([](const QString &) {});
  orvbench::Databases dbs("cst");
  g_dbs = &dbs;
  benchmark::Initialize(&argc, argv);
  auto reg = [](const char *name, auto fn, auto... args) {
    benchmark::RegisterBenchmark(name, fn, args...)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(200)
        ->UseManualTime();
  };
  reg("WriteCstChitTs/PointServerOnSQLite", BM_WriteCstChitTs, false);
  reg("CstEditSearch30000/SQLite", BM_CstSearch, false);
  if (orvbench::HavePg()) {
    reg("WriteCstChitTs/PointServerOnPostgreSQL", BM_WriteCstChitTs, true);
    reg("CstEditSearch30000/PostgreSQL", BM_CstSearch, true);
  } else {
    std::fprintf(stderr, "ORVPOS_TEST_PG is not set: the PostgreSQL set-ups are skipped\n");
  }
  reg("OneMoaRequest/Loopback", BM_OneMoaRequest);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  orv::state::ResetProgramState();
  dbs.DropPg();
  return 0;
}
