// Scan to priced line on the sale screen at a shop's size: 200,000 goods with 13-digit
// barcodes (GdsCode and BarCode), some thousand free-goods and bundle rows, the demo's sale
// period, a 30-line sale on screen. Times TakeScanCode onto line 31 up to the new totals,
// and apart from it the kind-1 event row (its insert and commit) that the line writes.
// Embedded SQLite files, and the main database on the PostgreSQL of ORVPOS_TEST_PG.
// ORV_BENCH_GOODS sets the number of goods (default 200000).
#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench_support.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/values.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/settings_store.h"
#include "sale/frmMain.h"
#include "sale/pos_event.h"
#include "sale/sale_globals.h"
#include "startup/demo_shop.h"
#include "startup/frmLog.h"
#include "startup/instance_guard.h"
#include "sync/pos_server.h"

namespace {

constexpr qlonglong kFirstKey = 100000;

int Goods() {
  const int n = qEnvironmentVariableIntValue("ORV_BENCH_GOODS");
  return n > 0 ? n : 200000;
}

// 13 digits with their check digit, led by 0 so that the 12-digit (UPC) form finds them too.
QString Barcode(qlonglong key) {
  const QString body = QString("08%1").arg(key, 10, 10, QChar('0'));
  return body + EanCheckDigit(body);
}

void FillGoods(orv::db::Connection &c, int goods) {
  orv::db::Transaction tx(c);
  auto gds = c.Prepare(
      "INSERT INTO GdsCode (GcdKey,GcdNo,GcdName,GcdBarcode,GcdDanga,GcdMech,GcdMech2,GcdMech3,"
      "GcdTax,GcdZTax,GcdMeipKey,GcdSel1) VALUES (?,?,?,?,700,1000,980,960,0,0,1001,0)");
  auto bar = c.Prepare("INSERT INTO BarCode (BarBarCode,BarGubun,BarGdsKey) VALUES (?,0,?)");
  for (qlonglong k = kFirstKey; k < kFirstKey + goods; ++k) {
    gds.Bind(0, k);
    gds.Bind(1, k);
    gds.Bind(2, QString("벤치 상품 %1").arg(k));
    gds.Bind(3, Barcode(k));
    gds.Execute();
    bar.Bind(0, Barcode(k));
    bar.Bind(1, k);
    bar.Execute();
  }
  // Free-goods links and bundle members on goods the sale does not scan.
  auto cms = c.Prepare("INSERT INTO CmsCode (CmsNo,CmsNo2) VALUES (?,?)");
  auto bss = c.Prepare("INSERT INTO BssCode (bssNo,bssNo2) VALUES (?,?)");
  for (int i = 0; i < 2000; ++i) {
    cms.Bind(0, kFirstKey + goods - 1 - i);
    cms.Bind(1, kFirstKey + goods - 3001 - i);
    cms.Execute();
    bss.Bind(0, 1 + i / 20);
    bss.Bind(1, kFirstKey + goods - 6001 - i);
    bss.Execute();
  }
  tx.Commit();
}

struct Figures {
  double median = 0, p95 = 0;
};

Figures Measure(int runs, const std::function<void()> &before, const std::function<void()> &timed) {
  std::vector<double> ms;
  ms.reserve(runs);
  for (int i = 0; i < runs; ++i) {
    before();
    QElapsedTimer t;
    t.start();
    timed();
    ms.push_back(t.nsecsElapsed() / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 95 / 100)]};
}

void ResetAll() {
  orv::state::ResetProgramState();
  orv::state::ResetSaleGlobals();
  orv::state::ResetPosServerSettings();
}

// One set-up: a fresh data folder, the demo shop, the goods, the login.
void RunSetUp(const char *title, bool pgMain, orvbench::Databases &dbs) {
  QTemporaryDir dir;
  orv::datafolder::SetRoot(dir.path());
  orv::settings_store::SetFilePath(dir.filePath("OrvZerdo.ini"));
  ResetAll();
  const QString shop = QStringLiteral(ORVPOS_SOURCE_DATA) + "/demo/shop.txt";
  QString error;
  if (!orv::demo::InitDemo(shop, &error)) {
    std::fprintf(stderr, "demo shop: %s\n", qPrintable(error));
    return;
  }
  orv::settings_store::SaveSetting("gsSetScan", "");
  LoadPosSettings();
  if (pgMain) {
    const QString text = dbs.New(true);
    if (!orv::demo::LoadDemoInto(text, shop, &error)) {
      std::fprintf(stderr, "demo shop on PostgreSQL: %s\n", qPrintable(error));
      return;
    }
    gsSetMainDB = text;
    SavePosSettings();
  }
  const int goods = Goods();
  {
    orv::db::Connection c;
    c.Open(gsSetMainDB);
    QElapsedTimer t;
    t.start();
    FillGoods(c, goods);
    std::printf("%s: %d goods loaded in %.1f s\n", title, goods, t.elapsed() / 1000.0);
  }
  ResetAll();

  orv::dialogs::Script script;
  script.ExpectAllUsed(false);
  frmMain *main = nullptr;
  {
    frmLog f;
    f.Form_Load();
    f.txtID->setText("1");
    f.txtPwd->setText("1234");
    f.cmdOk_Click();
    main = qobject_cast<frmMain *>(f.TakeMainWindow());
  }
  if (!main) {
    std::fprintf(stderr, "%s: the login did not reach the sale screen\n", title);
    return;
  }
  QApplication::processEvents();
  orv::Grid &grid = *main->vaSpread1;

  // A 30-line sale.
  for (int i = 0; i < 30; ++i) main->TakeScanCode(Barcode(kFirstKey + 100 + i * 97));
  if (main->FirstFreeRow() != 31) {
    std::fprintf(stderr, "%s: the 30-line sale did not build (first free line %d)\n", title,
                 main->FirstFreeRow());
    delete main;
    return;
  }
  auto clearLine31 = [&] {
    grid.SetRow(31);
    for (int c = 1; c <= kSaleGridCols; ++c) {
      grid.SetCol(c);
      grid.SetValue(QString());
    }
    grid.SetActiveCell(ColCode, 31);
  };
  auto check = [&](const QString &code) {
    if (main->FirstFreeRow() != 32)
      std::fprintf(stderr, "%s: %s did not become line 31\n", title, qPrintable(code));
  };
  qlonglong next = kFirstKey + goods / 4;
  auto scan = [&](const QString &code) {
    main->TakeScanCode(code);
    check(code);
  };

  constexpr int kRuns = 300;
  const Figures full = Measure(kRuns, clearLine31, [&] { scan(Barcode(next += 7)); });
  // The kind-1 row alone, on the connection the line writes to.
  const QString text = "100007,1,1000,1000";
  const Figures event = Measure(kRuns, [] {}, [&] { LogPosEvent(31, 1, text, {}, {}); });
  // Short forms the scanner completes or the lookup reads by prefix: the 12 digits of a
  // 13-digit barcode, and 6 digits.
  const Figures twelve =
      Measure(50, clearLine31, [&] { scan(Barcode(next += 7).mid(1)); });
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
  delete main;
  ResetAll();
  orv::instance::ReleaseSingleInstance();
  orv::settings_store::SetFilePath({});
}

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orv::dialogs::EnterTestMode([](const QString &text) {
    std::fprintf(stderr, "unexpected box: %s\n", qPrintable(text));
  });
  orvbench::Databases dbs("sale");
  RunSetUp("SQLite (main.db and pos.db)", false, dbs);
  if (orvbench::HavePg())
    RunSetUp("Main database on PostgreSQL", true, dbs);
  else
    std::fprintf(stderr, "ORVPOS_TEST_PG is not set: the PostgreSQL set-up is skipped\n");
  ResetAll();
  dbs.DropPg();
  return 0;
}
