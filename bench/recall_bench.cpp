// 150-line chits recalled into the sale grid (offscreen), with 200,000 goods on file: a
// saved sale chit by number (ReadPanChitNo: every line replayed through the grid's Enter,
// code then quantity), a held chit replayed (RecallWatChit) and a held chit restored from
// its snapshot (RecallWatChitSpeed). Medians of 5 runs, wall-clock and CPU time.
// Embedded SQLite files, and the main database on the PostgreSQL of ORVPOS_TEST_PG.
// ORV_BENCH_GOODS sets the number of goods (default 200000), ORV_BENCH_RUNS the runs (5).
#include <QApplication>
#include <QDialog>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "bench_support.h"
#include "chit/etc_chits.h"
#include "chit/records.h"
#include "chit/sale_savers.h"
#include "chit/saver_state.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "sale/frmMain.h"

namespace {

using orvbench::GoodsBarcode;

double CpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

struct Times {
  double wall = 0, cpu = 0, worst = 0;
};

Times Median(int runs, const std::function<void()> &before, const std::function<void()> &timed) {
  std::vector<double> wall, cpu;
  for (int i = 0; i < runs; ++i) {
    before();
    QElapsedTimer t;
    t.start();
    const double c0 = CpuMs();
    timed();
    cpu.push_back(CpuMs() - c0);
    wall.push_back(double(t.nsecsElapsed()) / 1e6);
  }
  std::sort(wall.begin(), wall.end());
  std::sort(cpu.begin(), cpu.end());
  return {wall[wall.size() / 2], cpu[cpu.size() / 2], wall.back()};
}

int GoodsLines(orv::Grid &g) {
  int n = 0;
  for (int r = 1; r <= kSaleLines; ++r)
    if (!NzCur(g.CellValue(r, ColGdsKey).trimmed()).IsZero()) ++n;
  return n;
}

// The 150 lines on screen saved as sale chit `no` of the work date.
void SaveSaleChit(orv::Grid &g, int32_t no) {
  const QString date = FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0);
  ClearPanChitRecord();
  ClearPanGodsRecords();
  PanChitRec &h = gtPanChit;
  h.PctYear = giWrkYear;
  h.PctMon = giWrkMonth;
  h.PctDay = giWrkDay;
  h.PctDate = date;
  h.PctChtNo = no;
  h.PctPosNo = int16_t(giSetPosNo);
  h.PctPsnKey = orv::Currency::Won(1);
  h.PctWrtdate = date;
  h.PctWrttime = "101010";
  int64_t hab = 0;
  for (int r = 1; r <= kSaleLines; ++r) {
    PanGodsLine &l = gtPanGods[r];
    l.PcgYear = h.PctYear;
    l.PcgMon = h.PctMon;
    l.PcgDay = h.PctDay;
    l.PcgDate = date;
    l.PcgSeqNo = r;
    l.PcgGdsKey = NzCur(g.CellValue(r, ColGdsKey).trimmed());
    l.PcgSu = NzCur(g.CellValue(r, ColQty).trimmed());
    l.PcgDanga = NzCur(g.CellValue(r, ColPrice).trimmed());
    l.PcgGum = NzCur(g.CellValue(r, ColAmt).trimmed());
    hab += l.PcgGum.RoundToInt();
  }
  h.PctHab = orv::Currency::Won(hab);
  h.PctMoney = h.PctHab;
  glSaveChtNo = no;
  orv::db::Transaction tx(goDbMain);
  goDbMain.Execute(gsPanChitInsSql());
  for (int r = 1; r <= kSaleLines; ++r) goDbMain.Execute(gsPanGodsInsSql(r));
  tx.Commit();
  ClearPanChitRecord();
  ClearPanGodsRecords();
}

void RunSetUp(const char *title, bool pgMain, orvbench::Databases &dbs) {
  const int goods = orvbench::GoodsCount();
  const int runs = qEnvironmentVariableIntValue("ORV_BENCH_RUNS") > 0
                       ? qEnvironmentVariableIntValue("ORV_BENCH_RUNS")
                       : 5;
  orvbench::SaleScreen screen(title, pgMain, dbs, goods);
  frmMain *m = screen.main();
  if (!m) return;
  orv::Grid &g = *m->vaSpread1;

  // A 150-line sale, quantities 1 to 3.
  for (int i = 0; i < kSaleLines; ++i) {
    g.SetActiveCell(ColCode, i + 1);
    m->EnterScannedCode(GoodsBarcode(orvbench::kFirstGoods + (1000 + i * 131) % goods));
  }
  if (GoodsLines(g) != kSaleLines) {
    std::fprintf(stderr, "%s: the 150-line sale did not build (%d lines)\n", title, GoodsLines(g));
    return;
  }
  constexpr int32_t kChitNo = 777;
  SaveSaleChit(g, kChitNo);
  // The held chit as the held-chit list hands it over.
  if (!m->MakeWatChitHead() || !m->MakeWatGodsLines() || !m->MakeWatGodsSpeedLines()) {
    std::fprintf(stderr, "%s: the held chit was not built\n", title);
    return;
  }
  const EtcChitRec held = gtWatChit;
  const EtcGodsRec heldGods = gtWatGods;
  const EtcGodsSpeedRec heldSpeed = gtWatGodsSpeed;

  // A recall never hands the sale to the payment screen.
  int paid = 0;
  screen.script().OnForm("frmCash", [&](QWidget &f) {
    ++paid;
    static_cast<QDialog &>(f).reject();
  });
  int short_ = 0;
  auto fresh = [&] {
    m->ClearSaleScreen();
    m->ResetForRecall();
    gtWatChit = held;
    gtWatGods = heldGods;
    gtWatGodsSpeed = heldSpeed;
  };
  auto whole = [&] {
    if (GoodsLines(g) != kSaleLines) ++short_;
  };
  const Times byNo =
      Median(runs, fresh, [&] { m->ReadPanChitNo(QString::number(kChitNo)); });
  whole();
  const Times replay = Median(runs, fresh, [&] { m->RecallWatChit(); });
  whole();
  const Times snapshot = Median(runs, fresh, [&] { m->RecallWatChitSpeed(); });
  whole();

  std::printf("%s, 150-line chits, medians of %d runs\n", title, runs);
  if (paid > 0) std::printf("  !! the payment screen opened %d times\n", paid);
  if (short_ > 0) std::printf("  !! %d recalls did not bring back all 150 lines\n", short_);
  const int goal = pgMain ? 500 : 300;
  std::printf("  ReadPanChitNo (replay):       %8.1f ms wall, %8.1f ms CPU, worst %8.1f ms  (goal <= %d ms)\n",
              byNo.wall, byNo.cpu, byNo.worst, goal);
  std::printf("  RecallWatChit (replay):       %8.1f ms wall, %8.1f ms CPU, worst %8.1f ms  (goal <= %d ms)\n",
              replay.wall, replay.cpu, replay.worst, goal);
  std::printf("  RecallWatChitSpeed (snapshot):%8.1f ms wall, %8.1f ms CPU, worst %8.1f ms  (goal <= 100 ms)\n",
              snapshot.wall, snapshot.cpu, snapshot.worst);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char **argv) { return orvbench::RunSaleScreenBench(argc, argv, "recall", RunSetUp); }
