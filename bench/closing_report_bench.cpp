// Speed of the closing report: three months of chits (100,000 in all), the cashier's 2,000
// open chits of four goods lines each among them, 2,000 goods in departments and suppliers,
// every section on and the denomination table, printed into a capture sink. The POS
// database on SQLite (WAL) and on PostgreSQL when ORVPOS_TEST_PG names a server. Goals:
// PrintTerminate and the reprint over a 2,000-row TemDetail ≤ 500 ms, the layout alone ≤ 1 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include "bench_support.h"
#include "closing/closing_layout.h"
#include "closing/closing_reports.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "platform/printer_port.h"
#include "platform/settings_store.h"
#include "print/basPrinter.h"
#include "schema/check_tables.h"
#include "schema/month_tables.h"

using namespace orv::closing;

namespace {

orvbench::Databases *g_dbs = nullptr;
QTemporaryDir *g_ini = nullptr;
constexpr int kChits = 100000;
constexpr int kOpen = 2000;
constexpr int kGoods = 2000;
const char *const kMonths[] = {"2412", "2501", "2502"};

void Fill(orv::db::Connection &c) {
  orv::db::Transaction tx(c);
  auto trs = c.Prepare("INSERT INTO TrsCode (TcdKey,TcdNo,TcdName) VALUES (?,?,?)");
  for (int t = 1; t <= 50; ++t) {
    trs.Bind(0, 500 + t);
    trs.Bind(1, t);
    trs.Bind(2, QString("매입처 %1").arg(t));
    trs.Execute();
  }
  auto ext = c.Prepare("INSERT INTO ExtCode (EcdKey,EcdIO,EcdNo,EcdName) VALUES (?,?,?,?)");
  for (int io = 101; io <= 103; ++io)
    for (int e = 1; e <= 20; ++e) {
      ext.Bind(0, io * 100 + e);
      ext.Bind(1, io);
      ext.Bind(2, e);
      ext.Bind(3, QString("부문 %1-%2").arg(io).arg(e));
      ext.Execute();
    }
  auto gds = c.Prepare(
      "INSERT INTO GdsCode (GcdKey,GcdNo,GcdName,GcdSel1,GcdMeipKey,GcdBmn1Key,GcdBmn2Key,"
      "GcdBmn3Key) VALUES (?,?,?,?,?,?,?,?)");
  for (int g = 1; g <= kGoods; ++g) {
    gds.Bind(0, g);
    gds.Bind(1, g);
    gds.Bind(2, QString("상품 %1").arg(g));
    gds.Bind(3, g % 50 == 0 ? 9 : 0);
    gds.Bind(4, 501 + g % 50);
    gds.Bind(5, 10101 + g % 20);
    gds.Bind(6, 10201 + g % 20);
    gds.Bind(7, 10301 + g % 20);
    gds.Execute();
  }
  int open = 0;
  for (int m = 0; m < 3; ++m) {
    const QString yymm = kMonths[m];
    const QString date = "20" + yymm + "15";
    auto chit = c.Prepare("INSERT INTO PanChitT" + yymm +
                          " (PctYear,PctMon,PctDay,PctDate,PctChtNo,PctPosNo,PctPsnKey,PctTrsKey,"
                          "PctHab,PctCard,PctOiSang,PctRGum,PctCdComNo,PctCdComName,PctSss2,"
                          "PctSss3) VALUES (2025,1,15,?,?,3,?,?,?,?,?,?,?,?,?,?)");
    auto line = c.Prepare("INSERT INTO PanGodsT" + yymm +
                          " (PcgYear,PcgMon,PcgDay,PcgDate,PcgChtNo,PcgSeqNo,PcgGdsKey,PcgSu,"
                          "PcgGum) VALUES (2025,1,15,?,?,?,?,?,?)");
    for (int n = 1; n <= kChits / 3; ++n) {
      const bool mine = open < kOpen && n % 16 == 0 && n / 16 <= kOpen / 3 + 1;
      if (mine) ++open;
      chit.Bind(0, date);
      chit.Bind(1, n);
      chit.Bind(2, mine ? 15 : 16 + n % 5);
      chit.Bind(3, 501 + n % 60);
      chit.Bind(4, 10000);
      chit.Bind(5, n % 3 == 0 ? 10000 : 0);
      chit.Bind(6, n % 7 == 0 ? 5000 : 0);
      chit.Bind(7, n % 11 == 0 ? 3000 : 0);
      chit.Bind(8, QString("%1").arg(n % 12, 4, 10, QChar('0')));
      chit.Bind(9, QString("카드사 %1").arg(n % 12));
      chit.Bind(10, n % 11 == 0 ? 9 : 0);
      chit.Bind(11, mine ? 0 : 1);
      chit.Execute();
      for (int s = 1; s <= 4; ++s) {
        line.Bind(0, date);
        line.Bind(1, n);
        line.Bind(2, s);
        line.Bind(3, 1 + (n * 4 + s) % kGoods);
        line.Bind(4, s == 4 ? -1 : 1);
        line.Bind(5, s == 4 ? -2500 : 2500);
        line.Execute();
      }
    }
  }
  // A saved closing listing the cashier's open chits.
  for (int m = 0; m < 3; ++m) {
    auto det = c.Prepare(QString("INSERT INTO TemDetail (TmdDate,TmdChtNo,TmdPsnKey,TmdSeq,"
                                 "TmdPctDate,TmdPctChtNo) SELECT '20250116',1,15,PctChtNo+%2,PctDate,"
                                 "PctChtNo FROM PanChitT%1 WHERE PctPsnKey=15")
                             .arg(kMonths[m]).arg(m * 100000));
    det.Execute();
  }
  tx.Commit();
}

void SetUp(bool pg) {
  orv::state::ResetProgramState();
  goDbPos.Close();
  const QString text = g_dbs->New(pg);
  goDbPos.Open(text);
  goDbMain.Open(text);
  CheckDBTables();
  for (const char *m : kMonths) {
    CreatePanChitTTable({}, int16_t(QString(m).toInt()));
    CreatePanListTTable({}, int16_t(QString(m).toInt()));
    CreatePanGodsTTable({}, int16_t(QString(m).toInt()));
  }
  Fill(goDbPos);
  giWrkYear = 2025;
  giWrkMonth = 1;
  giWrkDay = 15;
  gcLogPsnKey = orv::Currency::Won(15);
  giSetVan = 4;
  gsSetPrnPort = "LPT1";
  InitPrnCodes();
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
