// Scan to priced line with totals on the sale screen (offscreen): a code entered through
// the hand-scanner box (EnterScannedCode) onto line 31 of a 30-line sale, to the end of the
// key's tail, with 200,000 goods on file: a goods in no bundle, and a goods of a bundle
// rule over 20 goods, four of which are already on the sale, so that the bundle's lines are
// priced again. The line's kind-1 event row (insert and commit) is timed apart.
// Embedded SQLite files, and the main database on the PostgreSQL of ORVPOS_TEST_PG.
// ORV_BENCH_GOODS sets the number of goods (default 200000), ORV_BENCH_RUNS the runs (300).
#include <QApplication>
#include <algorithm>
#include <cstdio>

#include "bench_support.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "sale/frmMain.h"
#include "chit/pos_event.h"
#include "sale/sale_globals.h"

namespace {

using orvbench::Figures;
using orvbench::GoodsBarcode;
using orvbench::Measure;

constexpr qlonglong kBundleNo = 9001;
constexpr int kMembers = 20;

// The bundle's members: goods the plain runs never reach.
qlonglong Member(int goods, int j) { return orvbench::kFirstGoods + goods / 2 + j * 11; }

void RunSetUp(const char *title, bool pgMain, orvbench::Databases &dbs) {
  const int goods = orvbench::GoodsCount();
  const int runs = std::max(1, qEnvironmentVariableIntValue("ORV_BENCH_RUNS") > 0
                                   ? qEnvironmentVariableIntValue("ORV_BENCH_RUNS")
                                   : 300);
  orvbench::SaleScreen screen(title, pgMain, dbs, goods);
  frmMain *m = screen.main();
  if (!m) return;
  orv::Grid &grid = *m->vaSpread1;

  // Three for 2,000 won, every day, for everyone.
  {
    orv::db::Transaction tx(goDbMain);
    goDbMain.Execute(
        "INSERT INTO BsnCode (bsnNo,bsnSu,bsnMech,bsnSaleSel,bsnYoil,bsnSaleGbn1,bsnSaleGbn2,"
        "bsnBigo) VALUES (" +
        QString::number(kBundleNo) + ",3,2000,0,0,0,0," + orv::db::SqlText("벤치 묶음") + ")");
    auto bss = goDbMain.Prepare("INSERT INTO BssCode (bssNo,bssNo2) VALUES (?,?)");
    for (int j = 0; j < kMembers; ++j) {
      bss.Bind(0, kBundleNo);
      bss.Bind(1, Member(goods, j));
      bss.Execute();
    }
    tx.Commit();
  }

  // A 30-line sale, lines 5, 12, 19 and 26 of the bundle.
  for (int i = 0; i < 30; ++i) {
    grid.SetActiveCell(ColCode, i + 1);
    const bool member = i % 7 == 4;
    m->EnterScannedCode(GoodsBarcode(member ? Member(goods, i % kMembers)
                                            : orvbench::kFirstGoods + 100 + i * 97));
  }
  if (m->FirstFreeRow() != 31) {
    std::fprintf(stderr, "%s: the 30-line sale did not build (first free line %d)\n", title,
                 m->FirstFreeRow());
    return;
  }
  auto clearLine31 = [&] { orvbench::ClearSaleLine(grid, 31); };
  int misses = 0;
  auto enter = [&](qlonglong key, bool bundle) {
    m->EnterScannedCode(GoodsBarcode(key));
    const bool inBundle = !NzCur(grid.CellValue(31, ColBssNo).trimmed()).IsZero();
    if (m->FirstFreeRow() != 32 || inBundle != bundle) ++misses;
  };

  qlonglong next = orvbench::kFirstGoods + goods / 4;
  const Figures plain = Measure(runs, clearLine31, [&] { enter(next += 7, false); });
  int j = 0;
  const Figures bundle =
      Measure(runs, clearLine31, [&] { enter(Member(goods, j++ % kMembers), true); });
  // The bundle really priced its lines as a group: five members on the sale now.
  const QString amt5 = grid.CellValue(5, ColAmt).trimmed();
  const QString amt31 = grid.CellValue(31, ColAmt).trimmed();
  const Figures event = Measure(runs, [] {}, [&] { LogPosEvent(31, 1, "100007,1,1000,1000", {}, {}); });

  std::printf("%s  (bundle lines priced: line 5 %s, line 31 %s won; glHalSel %d)\n", title,
              qPrintable(amt5), qPrintable(amt31), int(glHalSel));
  if (misses > 0) std::printf("  !! %d runs did not put the goods onto line 31 as meant\n", misses);
  const char *goal = pgMain ? "<= 5 ms" : "<= 2 ms";
  std::printf("  goods in no bundle, event row included: median %.3f ms, p95 %.3f ms\n",
              plain.median, plain.p95);
  std::printf("  bundle goods, event row included:       median %.3f ms, p95 %.3f ms\n",
              bundle.median, bundle.p95);
  std::printf("  kind-1 event row (insert and commit):   median %.3f ms, p95 %.3f ms\n",
              event.median, event.p95);
  std::printf("  goods in no bundle without the event row: median %.3f ms\n",
              std::max(0.0, plain.median - event.median));
  std::printf("  bundle goods without the event row:       median %.3f ms  (goal %s)\n",
              std::max(0.0, bundle.median - event.median), goal);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char **argv) { return orvbench::RunSaleScreenBench(argc, argv, "keys", RunSetUp); }
