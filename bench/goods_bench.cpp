// Speed of the goods screens and the sales inquiries at a shop's size: 200,000 goods (5,000
// of them numbered in the new-goods class 099 099, 20,000 with 8-digit barcodes), a month of
// 100,000 chits and 800,000 goods lines (30 days, 8 POS, 20 cashiers), 2,000 partners with
// 31 ledger days, and a POS database with three months of 9,000 checkout copies each (400
// of them not yet closed). The main database is SQLite, then the PostgreSQL server that
// ORVPOS_TEST_PG names; the POS database is always SQLite, as at the checkout.
//
// Each case runs once per repetition; the medians are the figures. Goals: chit search of one
// day and cashier (about 60 chits, 500 lines) into the grid <= 100 ms, collapsed too; the
// totals screen's load <= 100 ms; a partner's ledger with 60 sent chits <= 100 ms; the price
// check's 13- and 6-digit lookups <= 5 ms; NextGcdNo past 5,000 taken numbers <= 50 ms; a
// 500-line web reply parsed <= 10 ms. ORV_BENCH_GOODS sets the goods count.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <cstdio>

#include "bench_support.h"
#include "chit/records.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "goods/frmGdsCode.h"
#include "goods/frmGdsNew.h"
#include "goods/frmHabGum.h"
#include "goods/frmPanSerch.h"
#include "goods/frmTrsIODay.h"
#include "goods/goods_rules.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/list_grid.h"
#include "schema/month_tables.h"
#include "schema/tables.h"

using orv::db::Connection;
using orvbench::BatchInsert;
using orvbench::GoodsCount;

namespace {

QString g_pos, g_sqlite, g_pg;

constexpr int kYear = 2024, kMonth = 12, kDay = 15;
constexpr int kDays = 30, kPos = 8, kCashiers = 20, kChits = 100000, kLinesPerChit = 8;
constexpr int kPartners = 2000;
constexpr int kPosChits = 9000, kOpenChits = 400;

QString Check(const QString &body) {
  int sum = 0;
  for (int i = 0; i < body.size(); ++i) sum += (body[i].unicode() - '0') * (i % 2 ? 3 : 1);
  return body + QString::number((10 - sum % 10) % 10);
}
QString Barcode13(int i) { return Check(QString("880%1").arg(i, 9, 10, QChar('0'))); }
// "01" and 5 digits with the check digit: the cashier types the 6 digits after the "0".
QString Barcode8(int i) { return Check(QString("01%1").arg(i, 5, 10, QChar('0'))); }
QString Ymd(int day) { return QString("%1%2%3").arg(kYear).arg(kMonth, 2, 10, QChar('0')).arg(day, 2, 10, QChar('0')); }

// Chit n of a POS's day; the cashier changes every 60 chits, so a day and cashier at one
// POS holds about 60 chits; partners 1 to 1667 take about 60 chits each.
int ChitNo(int n, int pos) { return n * 100 + pos; }
int CashierOf(int n, int pos) { return 1 + (pos * 7 + n / 60) % kCashiers; }

void FillMain(const QString &text) {
  Connection c;
  c.Open(text);
  for (const char *t : {"GdsCode", "TrsCode", "PsnCode", "OrvRegistry"}) orv::schema::CreateTable(c, t);
  {
    // The month's tables as the program makes them, indexes included.
    goDbMain.Open(text);
    goDbPos.Open(text);
    CreateMonthTables(int16_t((kYear % 100) * 100 + kMonth));
    goDbMain.Close();
    goDbPos.Close();
  }
  const QString m = orv::schema::MonthSuffix((kYear % 100) * 100 + kMonth);
  orv::db::Transaction tx(c);
  const int goods = GoodsCount();
  {
    BatchInsert ins(c,
                    "INSERT INTO GdsCode (GcdKey, GcdNo, GcdName, GcdKyg, GcdBarcode, GcdMech, GcdMech2, "
                    "GcdSalega, GcdSaleSel, GcdStdtsale, GcdEddtsale, GcdTax)",
                    12, 200);
    for (int i = 0; i < goods; ++i) {
      // The first 5,000 fill the new-goods class 099 099 from 0001.
      const qlonglong no = i < 5000 ? 990990001LL + i : 1000000000LL + i;
      const QString bar = i % 10 == 5 ? Barcode8(i / 10) : Barcode13(i);
      ins.Add({i + 1, no, QString("상품 %1").arg(i), "1ea", bar, 1000 + i % 5000, 900 + i % 4000, 800,
               i % 3 == 0 ? 1 : 0, "20241201", "20241231", i % 13 == 0 ? 1 : 0});
    }
    ins.Finish();
  }
  {
    BatchInsert ins(c, "INSERT INTO TrsCode (TcdKey, TcdNo, TcdName, TcdIO)", 4, 250);
    for (int k = 1; k <= kPartners; ++k) ins.Add({k, k, QString("거래처 %1").arg(k), 1});
    ins.Finish();
    BatchInsert led(c,
                    "INSERT INTO TrsMast" + m +
                        " (TmsYear, TmsMon, TmsTrsKey, TmsDay, TmsDate, TmsMech, TmsMcdc, TmsMcSugum, TmsMcMisu)",
                    9, 250);
    for (int k = 1; k <= kPartners; ++k)
      for (int d = 0; d <= kDays; ++d) led.Add({kYear, kMonth, k, d, Ymd(d), 10000, 0, 5000, 5000});
    led.Finish();
  }
  {
    BatchInsert chit(c,
                     "INSERT INTO PanChit" + m +
                         " (PctYear, PctMon, PctDay, PctDate, PctChtNo, PctPosNo, PctPsnKey, PctTrsKey, PctHab,"
                         " PctMoney, PctCard, PctOisang, PctCSobi, PctDc, PctWrtTime, PctJunsong)",
                     16, 100);
    BatchInsert line(c,
                     "INSERT INTO PanGods" + m +
                         " (PcgYear, PcgMon, PcgDay, PcgDate, PcgChtNo, PcgSeqNo, PcgGdsKey, PcgSu, PcgDanga,"
                         " PcgGum, PcgTax)",
                     11, 200);
    const int perPosDay = kChits / kDays / kPos;
    int seq = 0;
    for (int d = 1; d <= kDays; ++d)
      for (int pos = 1; pos <= kPos; ++pos)
        for (int n = 0; n < perPosDay; ++n, ++seq) {
          const int no = ChitNo(n, pos);
          chit.Add({kYear, kMonth, d, Ymd(d), no, pos, CashierOf(n, pos), 1 + seq % 1667, 8000, 8000 - (seq % 4) * 1000,
                    (seq % 4) * 1000, seq % 9 == 0 ? 2000 : 0, 0, 0, QString("%1").arg(900 + n, 6, 10, QChar('0')),
                    seq % 50 == 0 ? 0 : 1});
          for (int l = 1; l <= kLinesPerChit; ++l)
            line.Add({kYear, kMonth, d, Ymd(d), no, l, 1 + (seq * 7 + l * 131) % goods, 1, 1000, 1000, l % 3 == 0 ? 1 : 0});
        }
    chit.Finish();
    line.Finish();
  }
  tx.Commit();
  // A server's month tables fill over weeks, and its autovacuum gathers their statistics on
  // the way; a bulk fill has none until it runs, and plans the day's join as if the tables
  // were empty.
  if (c.engine() == orv::db::Engine::PostgreSQL) c.Execute("ANALYZE");
}

void FillPos(const QString &text) {
  Connection c;
  c.Open(text);
  for (const char *t : {"PsnCode", "InitGum", "InitGumLog"}) orv::schema::CreateTable(c, t);
  goDbMain.Open(text);
  goDbPos.Open(text);
  for (int yymm : {2411, 2412, 2501}) CreatePanChitTTable({}, int16_t(yymm));
  goDbMain.Close();
  goDbPos.Close();
  orv::db::Transaction tx(c);
  {
    BatchInsert ins(c, "INSERT INTO PsnCode (PcdKey, PcdNo, PcdName)", 3, 20);
    for (int k = 1; k <= kCashiers; ++k) ins.Add({k, k, QString("계산원 %1").arg(k)});
    ins.Finish();
  }
  for (int yymm : {2411, 2412, 2501}) {
    const QString m = orv::schema::MonthSuffix(yymm);
    BatchInsert chit(c,
                     "INSERT INTO PanChitT" + m +
                         " (PctYear, PctMon, PctDay, PctDate, PctChtNo, PctPosNo, PctPsnKey, PctHab, PctRGum,"
                         " PctMoney, PctCard, PctOisang, PctCSobi, PctWrtTime, PctSss3)",
                     15, 100);
    const int y = 2000 + yymm / 100, mo = yymm % 100;
    for (int i = 0; i < kPosChits; ++i) {
      const int day = 1 + i % 28;
      // The open ones are the work month's last, spread over the hours and cashiers.
      const bool open = yymm == 2412 && i >= kPosChits - kOpenChits;
      chit.Add({y, mo, day, QString("%1%2%3").arg(y).arg(mo, 2, 10, QChar('0')).arg(day, 2, 10, QChar('0')), i, 1,
                1 + i % kCashiers, 8000, 8000, 6000, 2000, 0, 0, QString("%1%2").arg(8 + i % 14, 2, 10, QChar('0')).arg("0000"),
                open ? 0 : 1});
    }
    chit.Finish();
  }
  tx.Commit();
}

void Use(const QString &mainText) {
  orv::state::ResetProgramState();
  goDbMain.Open(mainText);
  goDbPos.Open(g_pos);
  giOnLine = 1;
  giWrkYear = kYear;
  giWrkMonth = kMonth;
  giWrkDay = kDay;
  giSetPosNo = 3;
  orv::clock::SetFixed(QDateTime(QDate(kYear, kMonth, kDay), QTime(11, 0)));
}

const QString &Db(int engine) { return engine == 0 ? g_sqlite : g_pg; }

// Chit search of one day and cashier at POS 3, lines shown or collapsed to the chits.
void BM_ChitSearch(benchmark::State &state, int engine, bool collapsed) {
  Use(Db(engine));
  frmPanSerch f;
  f.msPanDate = Ymd(kDay);
  f.mcPsnKey = orv::Currency::Won(CashierOf(0, 3));
  f.mbChitOnly = collapsed;
  int rows = 0;
  for (auto _ : state) {
    f.SeekPanChit({});
    rows = f.vaSpread1->MaxRows();
  }
  state.counters["rows"] = rows;
}

void BM_TotalsLoad(benchmark::State &state, int engine) {
  Use(Db(engine));
  int rows = 0;
  for (auto _ : state) {
    frmHabGum f;
    f.Load();
    rows = f.vaSpread1->MaxRows();
  }
  state.counters["rows"] = rows;
}

void BM_PartnerLedger(benchmark::State &state, int engine) {
  Use(Db(engine));
  gtCstCode.CcdTrsKey = orv::Currency::Won(777);
  frmTrsIODay f;
  f.dtpWrkDate->setDate(QDate(kYear, kMonth, kDay));
  int rows = 0;
  for (auto _ : state) {
    f.ShowTrsLedger();
    rows = f.vaSpread1->MaxRows();
  }
  state.counters["rows"] = rows;
}

// The price check's lookups: a 13-digit code, and 6 digits completed to an 8-digit prefix.
void BM_PriceCheck(benchmark::State &state, int engine, bool six) {
  Use(Db(engine));
  static int n = 0;
  bool found = true;
  for (auto _ : state) {
    const int i = 10 * (1 + (n++ * 7919) % (GoodsCount() / 10 - 1)) + 5;
    const QString code = six ? Barcode8(i / 10).mid(1, 6) : Barcode13(i + 1);
    LookUpCheckCode(code);
    found = found && !gtGdsCode.GcdKey.IsZero();
  }
  if (!found) state.SkipWithError("a code was not found");
}

void BM_NextGcdNo(benchmark::State &state, int engine) {
  Use(Db(engine));
  int32_t seq = 0;
  for (auto _ : state) seq = orv::goods::NextGcdNo(goDbMain, 99, 99, 1);
  if (seq != 5001) state.SkipWithError("wrong sequence");
}

void BM_WebReplyParse(benchmark::State &state) {
  QString reply = "<html><body>\r\n";
  for (int i = 0; i < 500; ++i)
    reply += QString("~>'SHOP%1'상품 %1'1kg'1200.5'0'1800'0'12'202412%2'공개 %1''0'0<P>\r\n")
                 .arg(i, 4, 10, QChar('0'))
                 .arg(1 + i % 28, 2, 10, QChar('0'));
  int rows = 0;
  for (auto _ : state) rows = int(orv::goods::ParseXgsReply(reply, 14, "SHOP0007").rows.size());
  state.counters["rows"] = rows;
}

// Every case once per repetition, on the engines that are there (a case skipped in every
// repetition upsets the library's statistics).
void Register(int engine) {
  const std::string e = engine == 0 ? "/SQLite" : "/PostgreSQL";
  auto reg = [&](const std::string &name, auto fn, int reps) {
    benchmark::RegisterBenchmark((name + e).c_str(), fn)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(reps)
        ->ReportAggregatesOnly(true);
  };
  for (bool collapsed : {false, true})
    reg(collapsed ? "ChitSearchCollapsed" : "ChitSearch",
        [=](benchmark::State &s) { BM_ChitSearch(s, engine, collapsed); }, 15);
  reg("TotalsLoad", [=](benchmark::State &s) { BM_TotalsLoad(s, engine); }, 15);
  reg("PartnerLedger", [=](benchmark::State &s) { BM_PartnerLedger(s, engine); }, 15);
  for (bool six : {false, true})
    reg(six ? "PriceCheck6" : "PriceCheck13", [=](benchmark::State &s) { BM_PriceCheck(s, engine, six); }, 31);
  reg("NextGcdNo", [=](benchmark::State &s) { BM_NextGcdNo(s, engine); }, 15);
}

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orv::dialogs::EnterTestMode([](const QString &text) {
    std::fprintf(stderr, "unexpected box: %s\n", qPrintable(text));
  });
  orvbench::Databases dbs("goods");
  QElapsedTimer t;
  t.start();
  g_pos = dbs.New(false);
  FillPos(g_pos);
  g_sqlite = dbs.New(false);
  FillMain(g_sqlite);
  std::fprintf(stderr, "SQLite filled in %.1f s\n", t.elapsed() / 1000.0);
  if (orvbench::HavePg()) {
    t.restart();
    g_pg = dbs.New(true);
    FillMain(g_pg);
    std::fprintf(stderr, "PostgreSQL filled in %.1f s\n", t.elapsed() / 1000.0);
  } else {
    std::fprintf(stderr, "ORVPOS_TEST_PG is not set: the PostgreSQL set-up is skipped\n");
  }
  Register(0);
  if (!g_pg.isEmpty()) Register(1);
  benchmark::RegisterBenchmark("WebReplyParse", BM_WebReplyParse)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1)
      ->Repetitions(15)
      ->ReportAggregatesOnly(true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  orv::state::ResetProgramState();
  dbs.DropPg();
  return 0;
}
