// Speed of the closing report: three months of chits (100,000 in all), the cashier's 2,000
// open chits of four goods lines each among them, 2,000 goods in departments and suppliers,
// every section on and the denomination table, printed into a capture sink. The POS
// database on SQLite (WAL) and on PostgreSQL when ORVPOS_TEST_PG names a server. Goals:
// PrintTerminate and the reprint over a 2,000-row TemDetail ≤ 500 ms, the layout alone ≤ 1 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include "closing_bench_data.h"
#include "closing/closing_layout.h"
#include "closing/closing_reports.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "platform/printer_port.h"
#include "platform/settings_store.h"

using namespace orv::closing;

namespace {

orvbench::Databases *g_dbs = nullptr;
QTemporaryDir *g_ini = nullptr;

void SetUp(bool pg) {
  closingbench::SetUp(*g_dbs, pg, 100000 / 3, 2000);
  for (int n = 1; n <= 9; ++n)
    orv::settings_store::SaveSetting(QString("PosSalePrn%1").arg(n), n == 8 ? "0" : "1");
  orv::settings_store::SaveSetting("TemDate", "20250116");
  orv::settings_store::SaveSetting("TemChtNo", "1");
}

void BM_Report(benchmark::State &state, bool pg, bool reprint) {
  SetUp(pg);
  ClosingContext ctx = WorkDateContext();
  ProbeClosingContext(ctx);
  qsizetype bytes = 0;
  orv::printer_port::SetCaptureSink(
      [&](orv::printer_port::Kind, const QString &, const QByteArray &b) { bytes = b.size(); });
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    reprint ? PrintTemTerminate({}, ctx) : PrintTerminate({}, ctx);
    state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
  }
  orv::printer_port::SetCaptureSink({});
  state.counters["bytes"] = double(bytes);
}

void BM_Layout(benchmark::State &state) {
  SetUp(false);
  ClosingContext ctx = WorkDateContext();
  ProbeClosingContext(ctx);
  const ReportInput in = ReadClosingReport(ReportKind::Standard, {}, ctx);
  size_t lines = 0;
  for (auto _ : state) lines = LayoutClosingReport(in).size();
  state.counters["lines"] = double(lines);
}

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orv::dialogs::EnterTestMode([](const QString &what) {
    std::fprintf(stderr, "unexpected box: %s\n", qUtf8Printable(what));
  });
  QTemporaryDir ini;
  g_ini = &ini;
  orv::settings_store::SetFilePath(ini.path() + "/OrvZerdo.ini");
  orvbench::Databases dbs("closing");
  g_dbs = &dbs;
  benchmark::Initialize(&argc, argv);
  benchmark::RegisterBenchmark("Layout", BM_Layout)->Unit(benchmark::kMillisecond);
  for (bool pg : {false, true}) {
    if (pg && !orvbench::HavePg()) {
      std::fprintf(stderr, "ORVPOS_TEST_PG is not set: the PostgreSQL set-up is skipped\n");
      break;
    }
    const std::string engine = pg ? "PostgreSQL" : "SQLite";
    benchmark::RegisterBenchmark(("PrintTerminate/" + engine).c_str(), BM_Report, pg, false)
        ->Unit(benchmark::kMillisecond)->Iterations(15)->UseManualTime();
    benchmark::RegisterBenchmark(("PrintTemTerminate/" + engine).c_str(), BM_Report, pg, true)
        ->Unit(benchmark::kMillisecond)->Iterations(15)->UseManualTime();
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  goDbPos.Close();
  goDbMain.Close();
  orv::state::ResetProgramState();
  dbs.DropPg();
  return 0;
}
