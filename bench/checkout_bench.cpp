// Speed of paying a 30-line member sale (points, an event day and a grade rule on), paid
// in cash and vouchers with a cash receipt: the commit from BeginTrans to both commits
// (savers, money row, journal), and the save button to the closed payment screen (chooser
// answered no, receipt file, coins, event row, settings, the records cleared). Both
// databases on SQLite files, and the main database on PostgreSQL when ORVPOS_TEST_PG
// names a server.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_support.h"
#include "checkout/checkout_globals.h"
#include "checkout/frmCash.h"
#include "checkout/frmPrintOnOff.h"
#include "checkout/sale_commit.h"
#include "chit/pair_commit.h"
#include "chit/pan_money.h"
#include "chit/records.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "schema/check_tables.h"
#include "schema/month_tables.h"
#include "schema/tables.h"
#include "sale/sale_globals.h"

using orv::Currency;
using orv::db::Connection;

namespace {

orvbench::Databases *g_dbs = nullptr;
QTemporaryDir *g_dir = nullptr;

struct Setup {
  QString pos, main;
};

void Option(const QString &key, int value, const QString &text = {}) {
  goDbMain.Execute("Delete From OrvRegistry Where RegKey=" + orv::db::SqlText(key));
  goDbMain.Execute("Insert Into OrvRegistry(RegKey, RegInt, RegChar) Values(" +
                   orv::db::SqlText(key) + "," + QString::number(value) + "," +
                   orv::db::SqlText(text) + ")");
}

void Open(const Setup &s) {
  goDbPos.Open(s.pos);
  goDbMain.Open(s.main);
  giOnLine = 1;
  giSetPosNo = 3;
  giWrkYear = 2024;
  giWrkMonth = 3;
  giWrkDay = 15;
  gcLogPsnKey = Currency::Won(5);
  giSetJulsa = 5;
  giSetPrint = 1;
  giPrintOn = 1;
  giCoinOn = 1;
  giSetPos = 1;
  giSetCoin = 2;
  orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 0)));
}

Setup Make(bool pg) {
  Setup s;
  s.pos = g_dbs->New(false);
  s.main = g_dbs->New(pg);
  Open(s);
  CheckDBTables();
  orv::schema::InOneCommit({&goDbMain}, [] {
    for (const auto &def : orv::schema::LoginTables())
      if (!orv::schema::ExistsTable(goDbMain, QLatin1String(def.name)))
        orv::schema::CreateTable(goDbMain, def, orv::schema::NamesFor(def));
  });
  CreateMonthTables(2403);
  orv::chit::EnsurePairTables();
  goDbMain.Execute("Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdDegree, CcdJumsu, CcdZerdo) "
                   "Values(7, 7, 'M', 1, 5000, 500000)");
  Option("PosCstJumsu", 1000);
  Option("PosCstJumsuPoint", 1);
  Option("PosCstJumSel", 1);
  Option("PosCstJumDate", 0, "2024030120240331");
  Option("PosCstJumMul", 2);
  Option("PosCstPointUpSelt01", 1);
  Option("PosCstPointUpMulti01", 10);
  Option("PosCstPointUpAdd01", 5);
  Option("PosCstPointUpCnt01", 1);
  Option("PosBnsMoneyCard", 1);
  return s;
}

Setup &SetupOf(bool pg) {
  static Setup setups[2];
  static bool made[2] = {false, false};
  if (!made[pg]) {
    setups[pg] = Make(pg);
    made[pg] = true;
  }
  return setups[pg];
}

void Sale30(int i) {
  ClearPanChitRecord();
  ClearPanGodsRecords();
  ClearPanListRecord();
  ClearPanMoneyRecord();
  PanChitRec &h = gtPanChit;
  h.PctYear = 2024;
  h.PctMon = 3;
  h.PctDay = 15;
  h.PctDate = "20240315";
  h.PctPosNo = 3;
  h.PctPsnKey = Currency::Won(5);
  h.PctHab = Currency::Won(45000);
  h.PctCstKey = Currency::Won(7);
  h.PctSss5 = 1;
  h.PctCmitNo = QString("B%1").arg(i);
  gtPanList.PclYear = 2024;
  gtPanList.PclMon = 3;
  gtPanList.PclDay = 15;
  gtPanList.PclDate = "20240315";
  gtPanList.PclPosNo = 3;
  gtPanList.PclPsnKey = Currency::Won(5);
  for (int l = 1; l <= 30; ++l) {
    PanGodsLine &g = gtPanGods[l];
    g.PcgYear = 2024;
    g.PcgMon = 3;
    g.PcgDay = 15;
    g.PcgDate = "20240315";
    g.PcgSeqNo = l;
    g.PcgGdsKey = Currency::Won(1000 + l);
    g.PcgSu = Currency::Won(1);
    g.PcgDanga = Currency::Won(1500);
    g.PcgGum = Currency::Won(1500);
  }
  gtCstCode.CcdKey = Currency::Won(7);
  gtCstCode.CcdDegree = 1;
  PanMoneyRec &m = gtPanMoney;
  m.PmoYear = 2024;
  m.PmoMon = 3;
  m.PmoDay = 15;
  m.PmoDate = "20240315";
  m.PmoPosNo = 3;
  m.PmoCardNo = "01012345678";
  m.PmoCmitNo = QString("M%1").arg(i);
  m.PmoCmitDate = "20240315";
}

void Report(benchmark::State &state, std::vector<double> &ms) {
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
  state.counters["p90_ms"] = ms[ms.size() * 9 / 10];
}

// The commit from BeginTrans to the second commit.
void BM_Commit(benchmark::State &state, bool pg) {
  orv::state::ResetProgramState();
  Open(SetupOf(pg));
  orv::dialogs::Script script;
  script.ExpectAllUsed(false);
  static int sale = 0;
  std::vector<double> ms;
  for (auto _ : state) {
    Sale30(++sale);
    gtPanChit.PctMoney = Currency::Won(35000);
    gtPanList.PclJaSangPum = Currency::Won(5000);
    gtPanList.PclTaSangPum = Currency::Won(5000);
    orv::checkout::CommitRequest req;
    req.wrkDate = "20240315";
    req.withCustomer = true;
    req.visit = {true, false, Currency::Won(7), 31501};
    QElapsedTimer t;
    t.start();
    const auto r = orv::checkout::CommitSaleChit(req);
    const double elapsed = t.nsecsElapsed() / 1e6;
    state.SetIterationTime(elapsed / 1000.0);
    ms.push_back(elapsed);
    if (!r.saved) state.SkipWithError(r.error.toStdString().c_str());
  }
  Report(state, ms);
}

// The save button to the closed screen with the records cleared.
void BM_SaveClick(benchmark::State &state, bool pg) {
  orv::state::ResetProgramState();
  Open(SetupOf(pg));
  orv::dialogs::Script script;
  script.ExpectAllUsed(false);
  script.OnForm("frmPrintOnOff",
                [](QWidget &w) { static_cast<frmPrintOnOff &>(w).ChoosePrintOff(); });
  static int sale = 0;
  std::vector<double> ms;
  for (auto _ : state) {
    Sale30(++sale);
    frmCash f;
    f.Form_Load();
    f.txtPayGum->setText("35,000");
    f.txtJaSangPum->setText("5,000");
    f.txtTaSangPum->setText("5,430");
    QElapsedTimer t;
    t.start();
    f.cmdSave_Click();
    const double elapsed = t.nsecsElapsed() / 1e6;
    state.SetIterationTime(elapsed / 1000.0);
    ms.push_back(elapsed);
    if (giCashSaved != 1) state.SkipWithError("the sale was not saved");
  }
  Report(state, ms);
}

void Register(const char *name, bool pg) {
  benchmark::RegisterBenchmark((std::string("Commit30Lines/") + name).c_str(), BM_Commit, pg)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(100)
      ->UseManualTime();
  benchmark::RegisterBenchmark((std::string("SaveClick30Lines/") + name).c_str(), BM_SaveClick,
                               pg)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(100)
      ->UseManualTime();
}

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orv::dialogs::EnterTestMode([](const QString &) {});
  QTemporaryDir dir;
  g_dir = &dir;
  orv::datafolder::SetRoot(dir.path());
  orv::settings_store::SetFilePath(dir.filePath("OrvZerdo.ini"));
  orvbench::Databases dbs("pay");
  g_dbs = &dbs;
  benchmark::Initialize(&argc, argv);
  Register("TwoSQLiteFiles", false);
  if (orvbench::HavePg())
    Register("MainOnPostgreSQL", true);
  else
    std::fprintf(stderr, "ORVPOS_TEST_PG is not set: the PostgreSQL set-up is skipped\n");
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  orv::state::ResetProgramState();
  dbs.DropPg();
  return 0;
}
