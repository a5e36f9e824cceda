// Scan to priced line on the sale screen at a shop's size: 200,000 goods with 13-digit
// barcodes (GdsCode and BarCode), some thousand free-goods and bundle rows, the demo's sale
// period, a 30-line sale on screen. Times TakeScanCode onto line 31 up to the new totals,
// and apart from it the kind-1 event row (its insert and commit) that the line writes.
// Embedded SQLite files, and the main database on the PostgreSQL of ORVPOS_TEST_PG.
// ORV_BENCH_GOODS sets the number of goods (default 200000).
#include <QApplication>
#include <algorithm>
#include <cstdio>

#include "bench_support.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "sale/frmMain.h"
#include "chit/pos_event.h"

namespace {

using orvbench::Figures;
using orvbench::GoodsBarcode;
using orvbench::Measure;

// One set-up: a fresh data folder, the demo shop, the goods, the login.
void RunSetUp(const char *title, bool pgMain, orvbench::Databases &dbs) {
  const int goods = orvbench::GoodsCount();
  orvbench::SaleScreen screen(title, pgMain, dbs, goods);
  frmMain *main = screen.main();
  if (!main) return;
  orv::Grid &grid = *main->vaSpread1;

  // A 30-line sale.
  for (int i = 0; i < 30; ++i) main->TakeScanCode(GoodsBarcode(orvbench::kFirstGoods + 100 + i * 97));
  if (main->FirstFreeRow() != 31) {
    std::fprintf(stderr, "%s: the 30-line sale did not build (first free line %d)\n", title,
                 main->FirstFreeRow());
    return;
  }
  auto clearLine31 = [&] { orvbench::ClearSaleLine(grid, 31); };
  auto check = [&](const QString &code) {
    if (main->FirstFreeRow() != 32)
      std::fprintf(stderr, "%s: %s did not become line 31\n", title, qPrintable(code));
  };
  qlonglong next = orvbench::kFirstGoods + goods / 4;
  auto scan = [&](const QString &code) {
    main->TakeScanCode(code);
    check(code);
  };

  constexpr int kRuns = 300;
  const Figures full = Measure(kRuns, clearLine31, [&] { scan(GoodsBarcode(next += 7)); });
  // The kind-1 row alone, on the connection the line writes to.
  const QString text = "100007,1,1000,1000";
  const Figures event = Measure(kRuns, [] {}, [&] { LogPosEvent(31, 1, text, {}, {}); });
  // Short forms the scanner completes or the lookup reads by prefix: the 12 digits of a
  // 13-digit barcode, and 6 digits.
  const Figures twelve =
      Measure(50, clearLine31, [&] { scan(GoodsBarcode(next += 7).mid(1)); });
  const Figures six = Measure(20, clearLine31, [&] { main->TakeScanCode("123456"); });

  const double without = std::max(0.0, full.median - event.median);
  std::printf("%s\n", title);
  std::printf("  scan to priced line 31 with totals, event row included: median %.3f ms, p95 %.3f ms\n",
              full.median, full.p95);
  std::printf("  kind-1 event row (insert and commit):                   median %.3f ms, p95 %.3f ms\n",
              event.median, event.p95);
  std::printf("  scan to priced line without the event row (difference): median %.3f ms  (goal %s)\n",
              without, pgMain ? "<= 5 ms" : "<= 2 ms");
  std::printf("  12-digit scan:                                          median %.3f ms, p95 %.3f ms\n",
              twelve.median, twelve.p95);
  std::printf("  6-digit scan (no goods match):                          median %.3f ms, p95 %.3f ms\n",
              six.median, six.p95);
  if (pgMain)
    std::printf("  (the test PostgreSQL runs with fsync off: its commit times are not a shop's)\n");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char **argv) { return orvbench::RunSaleScreenBench(argc, argv, "sale", RunSetUp); }
