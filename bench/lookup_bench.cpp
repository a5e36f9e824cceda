// Speed of the lookup dialogs on a shop of 200,000 goods (names from a syllable generator:
// the first two syllables from a set of 30, so 900 prefixes of about 220 names each), 500
// trade partners with prices, trade-goods marks and last trades, and 20,000 customers. On
// SQLite, and on PostgreSQL when ORVPOS_TEST_PG names a server.
//
// Each case runs once per repetition; the medians are the figures. Counters: first_ms (the
// first page in the grid's model), all_ms (every row in the model), step_ms (the longest
// single step on the window thread while the rest loads between events), rows.
// ORV_BENCH_GOODS sets the goods count (default 200000). ORV_BENCH_PG_REUSE=1 fills the
// database ORVPOS_TEST_PG names (once, kept for later runs and EXPLAIN) instead of a new one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <algorithm>
#include <cstdio>

#include "bench_support.h"
#include "core/globals.h"
#include "core/state.h"
#include "lookup/CstHelpFrm.h"
#include "lookup/GdsHelpFrm.h"
#include "lookup/frmCust.h"
#include "lookup/frmGdsHelp.h"
#include "lookup/help_globals.h"
#include "platform/db.h"
#include "platform/list_grid.h"
#include "schema/tables.h"

using orv::db::Connection;

namespace {

orvbench::Databases *g_dbs = nullptr;
QString g_sqlite, g_pg;

int GoodsCount() {
  const int n = qEnvironmentVariableIntValue("ORV_BENCH_GOODS");
  return n > 0 ? n : 200000;
}

// 30 first syllables over several initial consonants (마, 모, 무, 미 in range 5).
const char *kFirst[] = {"가", "고", "나", "노", "다", "도", "라", "로", "마", "모",
                        "무", "미", "바", "보", "사", "소", "아", "오", "자", "조",
                        "차", "초", "카", "타", "파", "하", "호", "한", "신", "진"};
const char *kMore[] = {"면", "밥", "국", "탕", "빵", "떡", "김", "콩", "쌀", "차", "우", "유",
                       "즙", "젤", "껌", "당", "초", "맛", "향", "칩"};

QString Syl(int i) { return QString::fromUtf8(kFirst[i % 30]); }

QString GoodsName(int i) {
  // Prefix from i mod 900, so every prefix holds about the same count of names.
  const int p = i % 900;
  const int r = i / 900;
  return Syl(p / 30) + Syl(p % 30) + QString::fromUtf8(kMore[r % 20]) +
         QString::fromUtf8(kMore[(r / 20) % 20]) + QString(" %1g").arg(100 + r % 400);
}

using orvbench::BatchInsert;

const char *const kShopTables[] = {"GdsCode", "TrsCode", "CstCode", "CstCodeTs", "ColSize",
                                   "OrvEnvironment", "ExtCode", "TrsPris", "TrsGods", "GdsLmip",
                                   "GdsLmch", "BoxCode", "GdsAbcd", "GdsMast", "MipChit",
                                   "MipGods", "PsnCode"};

void FillShop(const QString &text) {
  Connection c;
  c.Open(text);
  for (const char *t : kShopTables) {
    c.Execute(QString("DROP TABLE IF EXISTS ") + t);  // a reused database's earlier fill
    orv::schema::CreateTable(c, t);
  }
  orv::db::Transaction tx(c);
  const int goods = GoodsCount();
  {
    BatchInsert ins(c,
                    "INSERT INTO GdsCode (GcdKey, GcdNo, GcdName, GcdKyg, GcdBarcode, GcdMech, "
                    "GcdMech2, GcdMeipKey, GcdPsel1, GcdTax, GcdSss4)",
                    11, 200);
    for (int i = 0; i < goods; ++i) {
      const int cls = i / 1000, item = i % 1000 + 1;
      const qlonglong no = (100LL + cls / 100) * 10000000LL + (cls % 100) * 10000LL + item;
      const QString bar = "880" + QString::number((qlonglong(i) * 48271) % 1000000000LL)
                                      .rightJustified(9, '0') + "0";
      ins.Add({i + 1, no, GoodsName(i), QString("%1ea").arg(1 + i % 24), bar, 1000 + i % 5000,
               900 + i % 4000, 1 + i % 500, i % 97 == 0 ? 1 : 0, i % 13 == 0 ? 1 : 0, i % 7 == 0 ? 1 : 0});
    }
    ins.Finish();
  }
  {
    BatchInsert ins(c, "INSERT INTO TrsCode (TcdKey, TcdNo, TcdName, TcdIO)", 4, 250);
    for (int t = 1; t <= 500; ++t) ins.Add({t, 80000 + t, Syl(t) + Syl(t / 30) + "상사", t % 2 + 1});
    ins.Finish();
  }
  {
    BatchInsert prices(c, "INSERT INTO TrsPris (TpsTrsKey, TpsGdsKey, TpsMech1)", 3, 250);
    BatchInsert marks(c, "INSERT INTO TrsGods (TgoIO, TgoTrsKey, TgoGdsKey, TgoSelt)", 4, 250);
    BatchInsert last(c, "INSERT INTO GdsLmch (LmcKey, LmcTrsKey, LmcDate, LmcDanga)", 4, 250);
    for (int t = 1; t <= 500; ++t) {
      for (int k = 0; k < 40; ++k) prices.Add({t, 1 + (t * 397 + k * 4999) % goods, 950});
      for (int k = 0; k < 10; ++k) marks.Add({2, t, 1 + (t * 211 + k * 19997) % goods, 1});
      for (int k = 0; k < 100; ++k)
        last.Add({1 + (t * 101 + k * 1999) % goods, t,
                  QString("2024%1%2").arg(1 + k % 12, 2, 10, QChar('0')).arg(1 + k % 28, 2, 10, QChar('0')),
                  880});
    }
    prices.Finish();
    marks.Finish();
    last.Finish();
  }
  {
    BatchInsert ins(c, "INSERT INTO CstCode (CcdKey, CcdNo, CcdName, CcdBarcode, CcdHp)", 5, 250);
    for (int i = 1; i <= 20000; ++i)
      ins.Add({i, i, Syl(i) + Syl(i / 30) + Syl(i / 900), QString("77%1").arg(i, 8, 10, QChar('0')),
               QString("010%1").arg(qlonglong(i) * 7919 % 100000000, 8, 10, QChar('0'))});
    ins.Finish();
  }
  tx.Commit();
  c.Execute("ANALYZE");
}

// A reused database holds the shop of this goods count already.
bool ShopFilled(const QString &text) {
  Connection c;
  c.Open(text);
  if (!c.TableExists("GdsCode") || !c.TableExists("CstCode")) return false;
  const auto rs = c.OpenRecordset("SELECT COUNT(*) FROM GdsCode");
  return rs.Value(0, 0).toLongLong() == GoodsCount();
}

// The program's connection lives from the login on, so the runs share one session with the
// server (held here while the state reset closes the globals): the first run of an engine
// pays for the server's first look at the tables. fresh: a new session, as right after
// the login.
Connection *g_held = nullptr;

void Use(const QString &text, bool fresh = false) {
  Connection &held = *g_held;
  if (fresh || !held.IsOpen() || held.Text() != text) {
    held.Close();
    orv::state::ResetProgramState();  // closes the globals: the old session ends here
    held.Open(text);
  }
  orv::state::ResetProgramState();
  orv::state::ResetHelpGlobals();
  goDbMain.Open(text);
  goDbPos.Open(text);
  giOnLine = 2;
  gsLogID = "bench";
  giWrkYear = 2024;
  giWrkMonth = 6;
  giWrkDay = 15;
  giCstTsMode = 0;
}

const QString &Db(int engine) { return engine == 0 ? g_sqlite : g_pg; }

// Lets the pages after the first load between events, as the window would, until no rows
// come for a while; the longest single step and the row count.
struct Drain {
  double stepMs = 0;
  int rows = 0;
};
// A page's step: from the end of the page before to the end of its own, the window
// thread busy in between.
Drain DrainEvents(const orv::ListGrid *grid) {
  Drain d;
  QElapsedTimer t;
  t.start();
  qint64 last = 0;
  auto *model = grid->view()->model();
  auto c = QObject::connect(model, &QAbstractItemModel::rowsInserted, [&] {
    const qint64 now = t.nsecsElapsed();
    d.stepMs = std::max(d.stepMs, (now - last) / 1e6);
    last = now;
  });
  int quiet = 0;
  while (quiet < 3) {
    const int before = grid->MaxRows();
    QCoreApplication::processEvents();
    if (grid->MaxRows() == before) {
      ++quiet;
      last = t.nsecsElapsed();
    } else {
      quiet = 0;
    }
  }
  QObject::disconnect(c);
  d.rows = grid->MaxRows();
  return d;
}

void Report(benchmark::State &state, double first, double all, double step, int rows) {
  state.counters["first_ms"] = benchmark::Counter(first, benchmark::Counter::kAvgIterations);
  state.counters["all_ms"] = benchmark::Counter(all, benchmark::Counter::kAvgIterations);
  state.counters["step_ms"] = benchmark::Counter(step, benchmark::Counter::kAvgIterations);
  state.counters["rows"] = rows;
}

// GdsHelpFrm's condition panel: the name field with the start-of-name option, two
// syllables, the partner set; from the refresh to every matching row in the model.
void BM_GdsPanelNamePrefix(benchmark::State &state) {
  if (Db(int(state.range(0))).isEmpty()) return state.SkipWithError("no PostgreSQL");
  Use(Db(int(state.range(0))));
  gcHelpTrsKey = *orv::Currency::FromWhole(7);
  giHelpSubMode = 2;
  gsHelpStart.clear();
  GdsHelpFrm f;
  f.GdsStartChk->setChecked(true);
  double first = 0, all = 0, step = 0;
  int rows = 0;
  static int n = 0;
  for (auto _ : state) {
    f.GdsSetGnameTxt->setText(Syl(8 + n % 4) + Syl(n % 30));
    ++n;
    f.ReadGdsConditions();
    QElapsedTimer t;
    t.start();
    f.ConfirmConditions();
    first += t.nsecsElapsed() / 1e6;
    f.GdsEndCmd->click();  // every row
    all += t.nsecsElapsed() / 1e6;
    rows = f.vaSpread1->MaxRows();
  }
  Report(state, first, all, step, rows);
  f.GdsStartChk->setChecked(false);
}

// The same dialog opened with a start text: its contains-tests over names, specs, barcodes
// and company numbers, which no index serves.
void BM_GdsStartTextContains(benchmark::State &state) {
  if (Db(int(state.range(0))).isEmpty()) return state.SkipWithError("no PostgreSQL");
  Use(Db(int(state.range(0))));
  gcHelpTrsKey = *orv::Currency::FromWhole(7);
  giHelpSubMode = 2;
  double first = 0, all = 0, step = 0;
  int rows = 0;
  static int n = 0;
  for (auto _ : state) {
    gsHelpStart = Syl(n % 30) + QString::fromUtf8(kMore[n % 20]);
    ++n;
    QElapsedTimer t;
    t.start();
    GdsHelpFrm f;
    first += t.nsecsElapsed() / 1e6;
    f.GdsEndCmd->click();
    all += t.nsecsElapsed() / 1e6;
    rows = f.vaSpread1->MaxRows();
    f.CancelAction();
  }
  Report(state, first, all, step, rows);
}

// The whole goods list at the panel's defaults, read in pages between events.
void BM_GdsFullList(benchmark::State &state) {
  if (Db(int(state.range(0))).isEmpty()) return state.SkipWithError("no PostgreSQL");
  Use(Db(int(state.range(0))));
  gcHelpTrsKey = *orv::Currency::FromWhole(7);
  giHelpSubMode = 2;
  gsHelpStart.clear();
  GdsHelpFrm f;
  double first = 0, all = 0, step = 0;
  int rows = 0;
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    f.AllConditions();
    first += t.nsecsElapsed() / 1e6;
    const Drain d = DrainEvents(f.vaSpread1);
    all += t.nsecsElapsed() / 1e6;
    step = std::max(step, d.stepMs);
    rows = d.rows;
  }
  Report(state, first, all, step * state.iterations(), rows);
}

// The sale screen's goods pop-up: range 5 (ㅁ) and the barcode part "123".
void BM_GdsPopup(benchmark::State &state) {
  if (Db(int(state.range(0))).isEmpty()) return state.SkipWithError("no PostgreSQL");
  Use(Db(int(state.range(0))));
  const QString what = state.range(1) == 0 ? "5" : "123";
  frmGdsHelp f;
  double first = 0, all = 0, step = 0;
  int rows = 0;
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    f.fcGdsSerch(what);
    first += t.nsecsElapsed() / 1e6;
    const Drain d = DrainEvents(f.vaSpread1);
    all += t.nsecsElapsed() / 1e6;
    step = std::max(step, d.stepMs);
    rows = d.rows;
  }
  Report(state, first, all, step * state.iterations(), rows);
}

// The first list right after connecting: the server's new session reads the tables for the
// first time (its caches and its mapping of the shared buffers start empty). Case 0 the
// goods dialog's whole list, 1 the pop-up's barcode part "123"; first page and first step.
void BM_FirstListFresh(benchmark::State &state) {
  if (Db(int(state.range(0))).isEmpty()) return state.SkipWithError("no PostgreSQL");
  double first = 0, step = 0;
  int rows = 0;
  for (auto _ : state) {
    Use(Db(int(state.range(0))), true);
    gcHelpTrsKey = *orv::Currency::FromWhole(7);
    giHelpSubMode = 2;
    gsHelpStart.clear();
    std::unique_ptr<GdsHelpFrm> dialog;
    std::unique_ptr<frmGdsHelp> popup;
    orv::ListGrid *grid;
    if (state.range(1) == 0) {
      dialog = std::make_unique<GdsHelpFrm>();
      grid = dialog->vaSpread1;
    } else {
      popup = std::make_unique<frmGdsHelp>();
      grid = popup->vaSpread1;
    }
    QElapsedTimer t;
    t.start();
    if (dialog)
      dialog->AllConditions();
    else
      popup->fcGdsSerch("123");
    first += t.nsecsElapsed() / 1e6;
    // One more page, between events, as the window reads it.
    const int had = grid->MaxRows();
    t.restart();
    while (grid->MaxRows() == had && t.elapsed() < 5000) QCoreApplication::processEvents();
    step += t.nsecsElapsed() / 1e6;
    rows = grid->MaxRows();
  }
  Report(state, first, 0, step, rows);
}

// The customer touch lookup and the full customer dialog opening on 20,000 customers.
void BM_CustomerOpen(benchmark::State &state) {
  if (Db(int(state.range(0))).isEmpty()) return state.SkipWithError("no PostgreSQL");
  Use(Db(int(state.range(0))));
  double first = 0, all = 0, step = 0;
  int rows = 0;
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    std::unique_ptr<QDialog> dlg;
    orv::ListGrid *grid = nullptr;
    if (state.range(1) == 0) {
      auto *c = new frmCust;
      grid = c->vaSpread1;
      dlg.reset(c);
    } else {
      auto *c = new CstHelpFrm;
      grid = c->vaSpread1;
      dlg.reset(c);
    }
    first += t.nsecsElapsed() / 1e6;
    const Drain d = DrainEvents(grid);
    all += t.nsecsElapsed() / 1e6;
    step = std::max(step, d.stepMs);
    rows = d.rows;
    dlg->reject();
  }
  Report(state, first, all, step * state.iterations(), rows);
}

// The goods dialog's whole list read by the pages alone, no grid: the statements' share.
void BM_GdsPagesOnly(benchmark::State &state) {
  if (Db(int(state.range(0))).isEmpty()) return state.SkipWithError("no PostgreSQL");
  Use(Db(int(state.range(0))));
  GdsQueryState s;
  s.TrsKey = *orv::Currency::FromWhole(7);
  int rows = 0;
  for (auto _ : state) {
    orv::lookup::PagedReader r(goDbMain, BuildGdsSql(goDbMain.dialect(), s),
                               [&](QVector<orv::ListFields> page) { rows += int(page.size()); });
    rows = 0;
    r.Start();
    r.LoadAll();
  }
  state.counters["rows"] = rows;
}

// One iteration per run; the figures are the medians over the repetitions.
void Runs(benchmark::internal::Benchmark *b, int reps) {
  b->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(reps)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_GdsPanelNamePrefix)->ArgName("pg")->Arg(0)->Arg(1)->Apply([](auto *b) { Runs(b, 20); });
BENCHMARK(BM_GdsStartTextContains)->ArgName("pg")->Arg(0)->Arg(1)->Apply([](auto *b) { Runs(b, 5); });
BENCHMARK(BM_GdsFullList)->ArgName("pg")->Arg(0)->Arg(1)->Apply([](auto *b) { Runs(b, 5); });
BENCHMARK(BM_GdsPagesOnly)->ArgName("pg")->Arg(0)->Arg(1)->Apply([](auto *b) { Runs(b, 3); });
BENCHMARK(BM_GdsPopup)->ArgNames({"pg", "barcode"})->ArgsProduct({{0, 1}, {0, 1}})
    ->Apply([](auto *b) { Runs(b, 7); });
BENCHMARK(BM_FirstListFresh)->ArgNames({"pg", "barcode"})->ArgsProduct({{0, 1}, {0, 1}})
    ->Apply([](auto *b) { Runs(b, 5); });
BENCHMARK(BM_CustomerOpen)->ArgNames({"pg", "help"})->ArgsProduct({{0, 1}, {0, 1}})
    ->Apply([](auto *b) { Runs(b, 5); });

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orvbench::Databases dbs("lookup");
  Connection held;
  g_held = &held;
  g_dbs = &dbs;
  QElapsedTimer t;
  t.start();
  g_sqlite = dbs.New(false);
  FillShop(g_sqlite);
  std::fprintf(stderr, "SQLite shop filled in %.1f s\n", t.elapsed() / 1000.0);
  if (orvbench::HavePg()) {
    t.restart();
    if (qEnvironmentVariableIntValue("ORV_BENCH_PG_REUSE") == 1) {
      g_pg = qEnvironmentVariable("ORVPOS_TEST_PG");
      if (!ShopFilled(g_pg)) FillShop(g_pg);
    } else {
      g_pg = dbs.New(true);
      FillShop(g_pg);
    }
    std::fprintf(stderr, "PostgreSQL shop filled in %.1f s\n", t.elapsed() / 1000.0);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  goDbMain.Close();
  goDbPos.Close();
  held.Close();
  dbs.DropPg();
  return 0;
}
