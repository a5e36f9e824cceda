// Speed of the sales receipt: a 30-line member sale in points mode (a discounted and a
// tax-free line, one copy) with the demo shop's ComCode and 30 goods, from the call to the
// bytes in a capture sink, the goods and shop rows read inside the measured time.
//   Print_Zerdo from the records in memory (readChit 0) and read back (readChit 1),
//   Print_File of it (no fsync) and PrintReceiptFile of that file;
// on one SQLite file, and readChit 1 with the main database on PostgreSQL when
// ORVPOS_TEST_PG names a server. Goal: Print_Zerdo readChit 0 median at most 1 ms.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_support.h"
#include "chit/records.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "platform/printer_port.h"
#include "print/receipt.h"
#include "print/receipt_reprint.h"
#include "print/receipt_text.h"
#include "schema/check_tables.h"
#include "schema/month_tables.h"
#include "schema/tables.h"
#include "sale/sale_globals.h"

using orv::Currency;

namespace {

orvbench::Databases *g_dbs = nullptr;
constexpr int kChit = 57;
constexpr int kLines = 30;

void Exec(const QString &sql) { goDbMain.Execute(sql); }

void Plant() {
  Exec(QStringLiteral("INSERT INTO ComCode (ComNo, ComName, ComPsn, ComSaupNo, ComUptae, ComJongmok, ComAddr, ComTel, "
                      "ComPrtName) VALUES (1, '한빛마트', '이한빛', '1234567890', '소매', '식료품', "
                      "'서울시 중구 한빛로 1', '02-555-0100', '한빛마트')"));
  for (int g = 1; g <= kLines; ++g)
    Exec(QStringLiteral("INSERT INTO GdsCode (GcdKey, GcdNo, GcdName, GcdKyg, GcdBarcode, GcdMech, GcdPSel3) VALUES "
                        "(%1, %1, '상품%1', '%1개입', '880000000%2', %3, 0)")
             .arg(g)
             .arg(1000 + g)
             .arg(g == 1 ? 2000 : 1500));
  Exec(QStringLiteral("INSERT INTO CstCode (CcdKey, CcdNo, CcdName, CcdBarcode, CcdJumsu, CcdZerdo, CcdTjumsu) VALUES "
                      "(3, 1003, '홍길동', 'C1003', 2500, 0, 12000)"));
  Exec(QStringLiteral("INSERT INTO TrsCode (TcdKey, TcdNo, TcdName, TcdPsn) VALUES (88000, 88000, '일반소매', '일반고객')"));
  Exec(QStringLiteral("INSERT INTO PsnCode (PcdKey, PcdNo, PcdName) VALUES (1, 1, '김계산')"));
  for (const char *row : {"'PosCstPanPrt', 1, NULL", "'PosGdsBnsPoint', 1, NULL", "'PosPrnHead1', 0, '어서오세요'",
                          "'PosPrnMsg1', 0, '감사합니다'", "'PosPrnMsg2', 0, '또 오세요'"})
    Exec(QStringLiteral("INSERT INTO OrvRegistry (RegKey, RegInt, RegChar) VALUES (") + QString::fromUtf8(row) + ")");
  // The same sale stored, for the read-back.
  Exec(QStringLiteral("INSERT INTO PanChit2412 (PctYear, PctMon, PctDay, PctDate, PctChtNo, PctPosNo, PctPsnKey, "
                      "PctTrsKey, PctHab, PctGum, PctBuga, PctNtx, PctRGum, PctCGum, PctMoney, PctCard, PctOisang, "
                      "PctCSobi, PctCSTKey, PctWrtdate, PctWrttime, PctJunsong, PctSss2, PctSss4, PctSss5) VALUES "
                      "(2024, 12, 5, '20241205', %1, 1, 1, 88000, 44500, 39091, 3909, 1500, 50000, 5500, 44500, 0, "
                      "0, 0, 3, '20241205', '143005', 1, 0, 500, 0)")
           .arg(kChit));
  for (int l = 1; l <= kLines; ++l)
    Exec(QStringLiteral("INSERT INTO PanGods2412 (PcgYear, PcgMon, PcgDay, PcgDate, PcgChtNo, PcgSeqNo, PcgGdsKey, "
                        "PcgSu, PcgDanga, PcgGum, PcgTax) VALUES (2024, 12, 5, '20241205', %1, %2, %2, 1, 1500, "
                        "1500, %3)")
             .arg(kChit)
             .arg(l)
             .arg(l == 2 ? 1 : 0));
  Exec(QStringLiteral("INSERT INTO PanList2412 (PclYear, PclMon, PclDay, PclDate, PclChtNo, PclPosNo, PclPsnKey, "
                      "PclSel, PclGum02, PclGum04, PclGum09, PclSss2) VALUES (2024, 12, 5, '20241205', %1, 1, 1, 0, "
                      "445, 2945, 30, 0)")
           .arg(kChit));
}

// The sale in memory, as the payment save leaves it.
void FillRecords() {
  ClearPanChitRecord();
  ClearPanGodsRecords();
  ClearPanListRecord();
  gtPanChit.PctYear = 2024;
  gtPanChit.PctMon = 12;
  gtPanChit.PctDay = 5;
  gtPanChit.PctDate = "20241205";
  gtPanChit.PctChtNo = kChit;
  gtPanChit.PctTrsKey = Currency::Won(88000);
  gtPanChit.PctCstKey = Currency::Won(3);
  gtPanChit.PctHab = Currency::Won(44500);
  gtPanChit.PctGum = Currency::Won(39091);
  gtPanChit.PctBuga = Currency::Won(3909);
  gtPanChit.PctNtx = Currency::Won(1500);
  gtPanChit.PctRGum = Currency::Won(50000);
  gtPanChit.PctCGum = Currency::Won(5500);
  gtPanChit.PctMoney = Currency::Won(44500);
  gtPanChit.PctSss4 = Currency::Won(500);
  gtPanChit.PctWrtdate = "20241205";
  gtPanChit.PctWrttime = "143005";
  for (int l = 1; l <= kLines; ++l) {
    PanGodsLine &g = gtPanGods[l];
    g.PcgSeqNo = l;
    g.PcgGdsKey = Currency::Won(l);
    g.PcgSu = Currency::Won(1);
    g.PcgDanga = Currency::Won(l == 1 ? 1000 : 1500);
    g.PcgGum = g.PcgDanga;
    g.PcgTax = Currency::Won(l == 2 ? 1 : 0);
  }
  gtPanList.PclGum02 = Currency::Won(445);
  gtPanList.PclGum04 = Currency::Won(2945);
  gtPanList.PclGum09 = Currency::Won(30);
  ClearCstRecord();
  gtCstCode.CcdKey = Currency::Won(3);
  gtCstCode.CcdNo = Currency::Won(1003);
  gtCstCode.CcdName = QStringLiteral("홍길동");
  gtCstCode.CcdBarcode = "C1003";
  gtCstCode.CcdJumsu = Currency::Won(2945);
  gcTcdNo = Currency::Won(88000);
  gsTcdName = QStringLiteral("일반소매");
}

void Open(bool pg) {
  static QString pos, main[2];
  static bool made[2] = {false, false};
  orv::state::ResetProgramState();
  if (pos.isEmpty()) pos = g_dbs->New(false);
  if (!made[pg]) {
    main[pg] = pg ? g_dbs->New(true) : pos;
  }
  goDbPos.Open(pos);
  goDbMain.Open(main[pg]);
  giOnLine = pg ? 1 : 2;
  giSetPosNo = 1;
  giSetPrint = 2;
  giSetVan = 3;
  gsSetPrnPort = "COM1";
  gcPcdNo = Currency::Won(1);
  gsPcdName = QStringLiteral("김계산");
  orv::clock::SetFixed(QDateTime(QDate(2024, 12, 5), QTime(14, 30, 5)));
  if (made[pg]) return;
  made[pg] = true;
  if (!pg) CheckDBTables();
  if (pg)
    for (const auto &def : orv::schema::AllTables())
      if (!orv::schema::ExistsTable(goDbMain, QLatin1String(def.name)))
        orv::schema::CreateTable(goDbMain, def, orv::schema::NamesFor(def));
  CreateMonthTables(2412);
  Plant();
}

void Report(benchmark::State &state, std::vector<double> &ms) {
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
  state.counters["p90_ms"] = ms[ms.size() * 9 / 10];
}

// kind 0: Print_Zerdo readChit 0; 1: readChit 1; 2: Print_File; 3: PrintReceiptFile.
void BM_Receipt(benchmark::State &state, bool pg, int kind) {
  Open(pg);
  orv::dialogs::Script script;
  script.ExpectAllUsed(false);
  qint64 bytes = 0;
  int jobs = 0;
  orv::printer_port::SetCaptureSink([&](orv::printer_port::Kind, const QString &, const QByteArray &b) {
    bytes += b.size();
    ++jobs;
  });
  const QString file = orv::print::ReceiptFilePath("20241205", kChit);
  if (kind == 3) {
    FillRecords();
    Print_File("20241205", kChit, 0, 0);
  }
  std::vector<double> ms;
  for (auto _ : state) {
    if (kind == 0 || kind == 2) FillRecords();
    jobs = 0;
    QElapsedTimer t;
    t.start();
    switch (kind) {
      case 0: Print_Zerdo("20241205", kChit, 0, 0); break;
      case 1: Print_Zerdo("20241205", kChit, 0, 1); break;
      case 2: Print_File("20241205", kChit, 0, 0); break;
      default: PrintReceiptFile(file, 0); break;
    }
    const double elapsed = t.nsecsElapsed() / 1e6;
    state.SetIterationTime(elapsed / 1000.0);
    ms.push_back(elapsed);
    if (kind != 2 && jobs != 1) state.SkipWithError("not one job");
    if (!script.Log().isEmpty()) state.SkipWithError(script.Log().back().text.toStdString().c_str());
  }
  orv::printer_port::SetCaptureSink({});
  state.counters["bytes"] = double(bytes) / double(std::max<size_t>(1, ms.size()));
  Report(state, ms);
}

void Register(const char *name, bool pg, int kind) {
  benchmark::RegisterBenchmark(name, BM_Receipt, pg, kind)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(500)
      ->UseManualTime();
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  orv::dialogs::EnterTestMode([](const QString &) {});
  QTemporaryDir data;
  orv::datafolder::SetRoot(data.path());
  orvbench::Databases dbs("print");
  g_dbs = &dbs;
  benchmark::Initialize(&argc, argv);
  Register("Print_Zerdo30Lines/ReadChit0/SQLite", false, 0);
  Register("Print_Zerdo30Lines/ReadChit1/SQLite", false, 1);
  Register("Print_File30Lines/SQLite", false, 2);
  Register("PrintReceiptFile30Lines", false, 3);
  if (orvbench::HavePg())
    Register("Print_Zerdo30Lines/ReadChit1/MainOnPostgreSQL", true, 1);
  else
    std::fprintf(stderr, "ORVPOS_TEST_PG is not set: the PostgreSQL set-up is skipped\n");
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  orv::printer_port::SetCaptureSink({});
  goDbMain.Close();
  goDbPos.Close();
  orv::state::ResetProgramState();
  dbs.DropPg();
  return 0;
}
