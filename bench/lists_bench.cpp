// Speed of the chit lists, load to filled grid: the held list over 5,000 held chits of the
// work date, POS and cashier (ten lines each, with snapshot rows), the delivery list over
// 5,000 open delivery chits, with 200,000 goods in GdsCode and GdsName on the POS database
// (SQLite, WAL); the credit list over 5,000 credit chits of the date, POS and cashier in a
// month of 150,000 chits, partners and customers joined, with the main database on a
// second SQLite file and on PostgreSQL when ORVPOS_TEST_PG names a server (in the database
// it names, emptied first; a throwaway one when it names none).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_support.h"
#include "checkout/frmBdlChit.h"
#include "checkout/frmOisang.h"
#include "checkout/frmWait.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "schema/check_tables.h"
#include "schema/month_tables.h"
#include "schema/tables.h"

using orv::Currency;
using orv::db::Connection;

namespace {

orvbench::Databases *g_dbs = nullptr;
constexpr int kGoods = 200000;
constexpr int kListed = 5000;
constexpr int kMonth = 150000;

void Globals() {
  giOnLine = goDbMain.SharesSessionWith(goDbPos) ? 2 : 1;
  giSetPosNo = 3;
  giWrkYear = 2024;
  giWrkMonth = 3;
  giWrkDay = 15;
  gcLogPsnKey = Currency::Won(5);
  orv::clock::SetFixed(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 0)));
}

void FillGoods(Connection &c) {
  orv::db::Transaction tx(c);
  auto code = c.Prepare("Insert Into GdsCode(GcdKey, GcdNo, GcdName, GcdKyg, GcdBarcode) "
                        "Values(?, ?, ?, '1kg', ?)");
  auto name = c.Prepare("Insert Into GdsName(GnaGdsName, GnaGdsKey) Values(?, ?)");
  for (int k = 1; k <= kGoods; ++k) {
    const QString n = QString("Goods %1").arg(k, 6, 10, QChar('0'));
    code.Bind(0, k);
    code.Bind(1, k);
    code.Bind(2, n);
    code.Bind(3, QString("880%1").arg(k, 10, 10, QChar('0')));
    code.Execute();
    name.Bind(0, n);
    name.Bind(1, k);
    name.Execute();
  }
  tx.Commit();
}

// Held (Wct/Wcg) or delivery (Bct/Bcg) chits of the work date, ten lines and snapshots each.
void FillEtc(Connection &c, const QString &chit, const QString &gods, const QString &p,
             const QString &g) {
  orv::db::Transaction tx(c);
  auto head = c.Prepare("Insert Into " + chit + "(" + p + "Year," + p + "Mon," + p + "Day," + p +
                        "Date," + p + "ChtNo," + p + "PosNo," + p + "PsnKey," + p + "CstKey," +
                        p + "Hab," + p + "WrtTime," + p + "Sss2," + p +
                        "Commit) Values(2024,3,15,'20240315',?,3,5,?,15000,?,0,0)");
  auto line = c.Prepare("Insert Into " + gods + "(" + g + "Year," + g + "Mon," + g + "Day," + g +
                        "Date," + g + "ChtNo," + g + "SeqNo," + g + "GdsKey," + g + "Su," + g +
                        "Danga," + g + "Gum," + g + "Commit) Values(2024,3,15,'20240315',?,?,?,1,"
                        "1500,?,0)");
  auto snap = c.Prepare("Insert Into " + gods + "Speed(" + g + "SYear," + g + "SMon," + g +
                        "SDay," + g + "SDate," + g + "SChtNo," + g + "SSeqNo," + g + "SText," +
                        g + "SCommit) Values(2024,3,15,'20240315',?,?,'row',0)");
  for (int no = 1; no <= kListed; ++no) {
    head.Bind(0, no);
    head.Bind(1, no % 7);
    head.Bind(2, QString("%1").arg(no % 86400, 6, 10, QChar('0')));
    head.Execute();
    for (int s = 1; s <= 10; ++s) {
      line.Bind(0, no);
      line.Bind(1, s);
      line.Bind(2, 1 + (no * 10 + s) % kGoods);
      line.Bind(3, 1000 * s);
      line.Execute();
      snap.Bind(0, no);
      snap.Bind(1, s);
      snap.Execute();
    }
  }
  tx.Commit();
}

void FillCreditMonth(Connection &c) {
  orv::db::Transaction tx(c);
  auto trs = c.Prepare("Insert Into TrsCode(TcdKey, TcdNo, TcdName) Values(?, ?, ?)");
  auto cst = c.Prepare("Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdEmail) Values(?, ?, ?, 'm@x')");
  for (int k = 1; k <= 1000; ++k) {
    trs.Bind(0, 90000 + k);
    trs.Bind(1, 90000 + k);
    trs.Bind(2, QString("거래처%1").arg(k));
    trs.Execute();
    cst.Bind(0, k);
    cst.Bind(1, QString::number(k));
    cst.Bind(2, QString("고객%1").arg(k));
    cst.Execute();
  }
  auto head = c.Prepare(
      "Insert Into PanChit2403(PctYear,PctMon,PctDay,PctDate,PctChtNo,PctPosNo,PctPsnKey,"
      "PctTrsKey,PctCstKey,PctHab,PctOisang,PctCard,PctWrtTime,PctSss2) "
      "Values(2024,3,?,?,?,?,5,?,?,15000,?,0,?,0)");
  const int perDay = kMonth / 30;
  for (int i = 0; i < kMonth; ++i) {
    const int day = 1 + i / perDay;
    const int no = 1 + i % perDay;
    // The work date's first kListed chits are this checkout's credit sales.
    const bool listed = day == 15 && no <= kListed;
    head.Bind(0, day);
    head.Bind(1, QString("202403%1").arg(day, 2, 10, QChar('0')));
    head.Bind(2, no);
    head.Bind(3, listed ? 3 : 4 + i % 6);
    head.Bind(4, 90001 + i % 1000);
    head.Bind(5, 1 + i % 1000);
    head.Bind(6, listed || i % 3 == 0 ? 15000 : 0);
    head.Bind(7, QString("%1").arg(no % 86400, 6, 10, QChar('0')));
    head.Execute();
  }
  tx.Commit();
}

struct Setup {
  QString pos, main;
};

QString PgMain() {
  const QString text = qEnvironmentVariable("ORVPOS_TEST_PG");
  if (orv::db::ParseConnectionText(text).database.isEmpty()) return g_dbs->New(true);
  Connection c;
  c.Open(text);
  c.Execute("DROP SCHEMA IF EXISTS public CASCADE");
  c.Execute("CREATE SCHEMA public");
  c.Close();
  return text;
}

Setup Make(bool pgMain) {
  Setup s;
  s.pos = g_dbs->New(false);
  s.main = pgMain ? PgMain() : g_dbs->New(false);
  goDbPos.Open(s.pos);
  goDbMain.Open(s.main);
  Globals();
  CheckDBTables();
  orv::schema::InOneCommit({&goDbMain}, [] {
    for (const auto &def : orv::schema::LoginTables())
      if (!orv::schema::ExistsTable(goDbMain, QLatin1String(def.name)))
        orv::schema::CreateTable(goDbMain, def, orv::schema::NamesFor(def));
  });
  CreateMonthTables(2403);
  QElapsedTimer t;
  t.start();
  FillGoods(goDbPos);
  FillEtc(goDbPos, "WatChitT", "WatGodsT", "Wct", "Wcg");
  FillEtc(goDbPos, "BdlChit", "BdlGods", "Bct", "Bcg");
  FillCreditMonth(goDbMain);
  std::fprintf(stderr, "filled in %.1f s\n", t.elapsed() / 1000.0);
  return s;
}

Setup &SetupOf(bool pg) {
  static Setup setups[2];
  static bool made[2] = {false, false};
  if (!made[pg]) {
    setups[pg] = Make(pg);
    made[pg] = true;
  }
  goDbPos.Open(setups[pg].pos);
  goDbMain.Open(setups[pg].main);
  Globals();
  return setups[pg];
}

template <typename Form>
void BM_List(benchmark::State &state, bool pg, int expectRows) {
  SetupOf(pg);
  std::vector<double> ms;
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    Form form;
    const bool ok = form.Form_Load();
    const double elapsed = t.nsecsElapsed() / 1e6;
    state.SetIterationTime(elapsed / 1000.0);
    ms.push_back(elapsed);
    if (!ok || form.vaSpread1->MaxRows() != expectRows)
      state.SkipWithError("the list did not fill");
  }
  std::sort(ms.begin(), ms.end());
  if (!ms.empty()) state.counters["median_ms"] = ms[ms.size() / 2];
}

void Register(const char *name, bool pg) {
  if (!pg) {
    benchmark::RegisterBenchmark("frmWait/SQLite", BM_List<orv::checkout::frmWait>, false, 20)
        ->Unit(benchmark::kMillisecond)->Iterations(30)->UseManualTime();
    benchmark::RegisterBenchmark("frmBdlChit/SQLite", BM_List<orv::checkout::frmBdlChit>, false,
                                 100)
        ->Unit(benchmark::kMillisecond)->Iterations(30)->UseManualTime();
  }
  benchmark::RegisterBenchmark((std::string("frmOisang/") + name).c_str(),
                               BM_List<orv::checkout::frmOisang>, pg, kListed)
      ->Unit(benchmark::kMillisecond)->Iterations(30)->UseManualTime();
}

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orv::dialogs::EnterTestMode([](const QString &) {});
  orvbench::Databases dbs("lists");
  g_dbs = &dbs;
  benchmark::Initialize(&argc, argv);
  Register("MainOnSQLite", false);
  if (orvbench::HavePg())
    Register("MainOnPostgreSQL", true);
  else
    std::fprintf(stderr, "ORVPOS_TEST_PG is not set: the PostgreSQL set-up is skipped\n");
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  goDbPos.Close();
  goDbMain.Close();
  orv::state::ResetProgramState();
  dbs.DropPg();
  return 0;
}
