// Scan to priced line with totals on the sale screen (offscreen): a code entered through
// the hand-scanner road onto line 31 of a 30-line sale, to the end of the key's tail, with
// 200,000 goods on file; the line's event row timed apart. The demo shop on SQLite files.
// ORV_BENCH_GOODS sets the number of goods (default 200000), ORV_BENCH_RUNS the runs (200).
// The main database on PostgreSQL is not measured here yet.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/application.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/state.h"
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
#include "sync/pos_server.h"

namespace {

int EnvInt(const char *name, int fallback) {
  const int n = qEnvironmentVariableIntValue(name);
  return n > 0 ? n : fallback;
}

QString Barcode(int i) { return QString("77%1").arg(i, 11, 10, QChar('0')); }

void FillGoods(int count) {
  orv::db::Transaction tx(goDbMain);
  auto st = goDbMain.Prepare(
      "Insert Into GdsCode (GcdKey, GcdNo, GcdName, GcdKyg, GcdBarcode, GcdDanga, GcdMech, GcdTax, "
      "GcdZTax, GcdMeipKey) Values (?, ?, ?, '', ?, 500, 1000, 0, 0, 1001)");
  for (int i = 0; i < count; ++i) {
    st.Bind(0, 100000 + i);
    st.Bind(1, 100000 + i);
    st.Bind(2, QString("상품%1").arg(i));
    st.Bind(3, Barcode(i));
    st.Execute();
  }
  tx.Commit();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  orv::Application app(argc, argv);
  QTemporaryDir dir;
  orv::datafolder::SetRoot(dir.path());
  orv::settings_store::SetFilePath(QDir(dir.path()).filePath("OrvZerdo.ini"));
  orv::state::ResetProgramState();
  orv::state::ResetSaleGlobals();
  QString error;
  const QString shop = QFileInfo(QString(__FILE__)).absolutePath() + "/../data/demo/shop.txt";
  if (!orv::demo::InitDemo(shop, &error)) {
    std::fprintf(stderr, "demo shop: %s\n", qPrintable(error));
    return 1;
  }
  orv::settings_store::SaveSetting("gsSetScan", "");
  orv::state::ResetProgramState();
  orv::state::ResetSaleGlobals();
  orv::state::ResetPosServerSettings();

  orv::dialogs::Script script;
  script.ExpectAllUsed(false);
  frmLog login;
  login.Form_Load();
  login.txtID->setText("1");
  login.txtPwd->setText("1234");
  login.cmdOk_Click();
  auto *m = qobject_cast<frmMain *>(login.TakeMainWindow());
  if (!m) {
    std::fprintf(stderr, "login failed\n");
    return 1;
  }
  QApplication::processEvents();
  m->show();

  const int goods = EnvInt("ORV_BENCH_GOODS", 200000);
  const int runs = EnvInt("ORV_BENCH_RUNS", 200);
  QElapsedTimer fill;
  fill.start();
  FillGoods(goods);
  std::printf("%d goods filled in %.1f s\n", goods, fill.elapsed() / 1000.0);

  // A 30-line sale.
  m->vaSpread1->SetActiveCell(ColCode, 1);
  for (int i = 0; i < 30; ++i) m->EnterScannedCode(Barcode(i * 997 % goods));

  std::vector<double> scan, event;
  for (int i = 0; i < runs; ++i) {
    m->vaSpread1->SetActiveCell(ColCode, 31);
    const QString code = Barcode((i * 7919 + 13) % goods);
    QElapsedTimer t;
    t.start();
    m->EnterScannedCode(code);
    scan.push_back(t.nsecsElapsed() / 1e6);
    // Line 31 goes again for the next run.
    m->SetGridText(31, ColCode, orv::Grid::kActionDeleteRow);
    t.restart();
    LogPosEvent(31, 1, "1,1,1000,1000", {}, {});
    event.push_back(t.nsecsElapsed() / 1e6);
  }
  std::printf("scan to priced line 31 with totals (event row included): median %.3f ms over %d runs\n",
              Median(scan), runs);
  std::printf("the event row alone: median %.3f ms; the rest about %.3f ms\n", Median(event),
              Median(scan) - Median(event));
  delete m;
  return 0;
}
