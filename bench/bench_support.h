#pragma once
// Throwaway databases for the benchmarks: SQLite files in a temporary folder, and
// PostgreSQL databases on the server ORVPOS_TEST_PG names, dropped at the end.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/db.h"

namespace orvbench {

inline bool HavePg() { return !qEnvironmentVariableIsEmpty("ORVPOS_TEST_PG"); }

class Databases {
 public:
  explicit Databases(QString prefix) : prefix_(std::move(prefix)) {}
  ~Databases() { DropPg(); }

  // A fresh empty database; its connection text.
  QString New(bool pg) {
    if (!pg) {
      QString path = QDir(tmp_.path()).filePath(QString("%1%2.db").arg(prefix_).arg(++files_));
      QString text = orv::db::BuildConnectionText("", "SQLite", "", "", path);
      orv::db::Connection::CreateDatabase(text);
      return text;
    }
    auto ct = orv::db::ParseConnectionText(qEnvironmentVariable("ORVPOS_TEST_PG"));
    QString name = "orv" + prefix_ + "_" + QUuid::createUuid().toString(QUuid::Id128).left(12);
    QString text = orv::db::BuildConnectionText(ct.server, "PostgreSQL", ct.uid, ct.pwd, name);
    orv::db::Connection::CreateDatabase(text);
    pg_ << name;
    return text;
  }

  // Call after every connection to them is closed.
  void DropPg() {
    if (pg_.isEmpty()) return;
    try {
      orv::db::Connection admin;
      admin.Open(qEnvironmentVariable("ORVPOS_TEST_PG"));
      for (const QString &n : pg_) admin.TryExecute("DROP DATABASE IF EXISTS " + n);
    } catch (const orv::db::DbError &e) {
      std::fprintf(stderr, "could not drop the benchmark databases: %s\n", e.what());
    }
    pg_.clear();
  }

 private:
  QString prefix_;
  QTemporaryDir tmp_;
  int files_ = 0;
  QStringList pg_;
};

// Rows in batches of n per statement, bound by position.
class BatchInsert {
 public:
  BatchInsert(orv::db::Connection &c, const QString &head, int cols, int rows)
      : c_(c), head_(head), cols_(cols), rows_(rows) {
    full_ = c_.Prepare(sql(rows_));
  }
  void Add(const QVariantList &row) {
    pending_ << row;
    if (pending_.size() == rows_) flush(full_, rows_);
  }
  void Finish() {
    if (pending_.isEmpty()) return;
    auto st = c_.Prepare(sql(int(pending_.size())));
    flush(st, int(pending_.size()));
  }

 private:
  QString sql(int n) const {
    QStringList marks(cols_, "?");
    const QString one = "(" + marks.join(", ") + ")";
    return head_ + " VALUES " + QStringList(n, one).join(", ");
  }
  void flush(orv::db::Statement &st, int n) {
    int at = 0;
    for (int r = 0; r < n; ++r)
      for (const QVariant &v : pending_[r]) st.Bind(at++, v);
    st.Execute();
    pending_.clear();
  }
  orv::db::Connection &c_;
  QString head_;
  int cols_, rows_;
  orv::db::Statement full_;
  QList<QVariantList> pending_;
};

// The benchmark's loop with each run of body timed by hand (register with UseManualTime, as
// RegisterTimed does), and the runs' median and 90th percentile in ms as counters.
template <typename F>
void TimedRuns(benchmark::State &state, F body) {
  std::vector<double> ms;
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    body();
    const double elapsed = double(t.nsecsElapsed()) / 1e6;
    state.SetIterationTime(elapsed / 1000.0);
    ms.push_back(elapsed);
  }
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
  state.counters["p90_ms"] = ms[ms.size() * 9 / 10];
}

// fn for a fixed number of hand-timed runs, in milliseconds.
template <typename Fn, typename... Args>
benchmark::internal::Benchmark *RegisterTimed(const char *name, int iterations, Fn fn, Args &&...args) {
  return benchmark::RegisterBenchmark(name, fn, std::forward<Args>(args)...)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(iterations)
      ->UseManualTime();
}

// fn(state, pg) as name + "/SQLite", and as name + "/PostgreSQL" when ORVPOS_TEST_PG names a
// server (said on stderr when it does not).
inline void RegisterTimedOnEngines(const std::string &name, int iterations,
                                   void (*fn)(benchmark::State &, bool)) {
  RegisterTimed((name + "/SQLite").c_str(), iterations, fn, false);
  if (HavePg())
    RegisterTimed((name + "/PostgreSQL").c_str(), iterations, fn, true);
  else
    std::fprintf(stderr, "ORVPOS_TEST_PG is not set: the PostgreSQL set-up is skipped\n");
}

// A card-agent simulator built beside the benchmarks, on a free port of its choosing;
// ended with the object.
class SimAgent {
 public:
  explicit SimAgent(const QString &name, const QStringList &args = {"0"}) {
    proc_.start(QDir(QCoreApplication::applicationDirPath()).filePath("../" + name), args);
    if (proc_.waitForStarted(5000) && proc_.waitForReadyRead(5000)) {
      const QString line = QString::fromLatin1(proc_.readLine()).trimmed();
      if (line.startsWith("port ")) port_ = line.mid(5);
    }
  }
  ~SimAgent() {
    proc_.kill();
    proc_.waitForFinished(5000);
  }
  SimAgent(const SimAgent &) = delete;
  SimAgent &operator=(const SimAgent &) = delete;
  // Its port as text; empty when it did not start.
  QString Port() const { return port_; }

 private:
  QProcess proc_;
  QString port_;
};

}  // namespace orvbench

// ---------------------------------------------------------------- the sale screen at a shop's size
// For the programs that drive frmMain offscreen (they create a QApplication first).
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/values.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/settings_store.h"
#include "sale/frmMain.h"
#include "sale/sale_globals.h"
#include "startup/demo_shop.h"
#include "startup/frmLog.h"
#include "startup/instance_guard.h"
#include "customer/pos_server.h"

namespace orvbench {

constexpr qlonglong kFirstGoods = 100000;

// ORV_BENCH_GOODS, else 200,000.
inline int GoodsCount() {
  const int n = qEnvironmentVariableIntValue("ORV_BENCH_GOODS");
  return n > 0 ? n : 200000;
}

// 13 digits with their check digit, led by 0 so that the 12-digit (UPC) form finds them too.
inline QString GoodsBarcode(qlonglong key) {
  const QString body = QString("08%1").arg(key, 10, 10, QChar('0'));
  return body + EanCheckDigit(body);
}

// Goods kFirstGoods.. with barcodes (GdsCode and BarCode), and some thousand free-goods and
// bundle rows on goods near the end that the benchmarks do not scan.
inline void FillGoods(orv::db::Connection &c, int goods) {
  orv::db::Transaction tx(c);
  auto gds = c.Prepare(
      "INSERT INTO GdsCode (GcdKey,GcdNo,GcdName,GcdBarcode,GcdDanga,GcdMech,GcdMech2,GcdMech3,"
      "GcdTax,GcdZTax,GcdMeipKey,GcdSel1) VALUES (?,?,?,?,700,1000,980,960,0,0,1001,0)");
  auto bar = c.Prepare("INSERT INTO BarCode (BarBarCode,BarGubun,BarGdsKey) VALUES (?,0,?)");
  for (qlonglong k = kFirstGoods; k < kFirstGoods + goods; ++k) {
    gds.Bind(0, k);
    gds.Bind(1, k);
    gds.Bind(2, QString("벤치 상품 %1").arg(k));
    gds.Bind(3, GoodsBarcode(k));
    gds.Execute();
    bar.Bind(0, GoodsBarcode(k));
    bar.Bind(1, k);
    bar.Execute();
  }
  auto cms = c.Prepare("INSERT INTO CmsCode (CmsNo,CmsNo2) VALUES (?,?)");
  auto bss = c.Prepare("INSERT INTO BssCode (bssNo,bssNo2) VALUES (?,?)");
  for (int i = 0; i < 2000 && i + 6001 < goods; ++i) {
    cms.Bind(0, kFirstGoods + goods - 1 - i);
    cms.Bind(1, kFirstGoods + goods - 3001 - i);
    cms.Execute();
    bss.Bind(0, 1 + i / 20);
    bss.Bind(1, kFirstGoods + goods - 6001 - i);
    bss.Execute();
  }
  tx.Commit();
}

inline void ResetAll() {
  orv::state::ResetProgramState();
  orv::state::ResetSaleGlobals();
  orv::state::ResetPosServerSettings();
}

struct Figures {
  double median = 0, p95 = 0;
};

// Milliseconds of timed() over runs, before() run untimed ahead of each.
inline Figures Measure(int runs, const std::function<void()> &before,
                       const std::function<void()> &timed) {
  std::vector<double> ms;
  ms.reserve(size_t(runs));
  for (int i = 0; i < runs; ++i) {
    before();
    QElapsedTimer t;
    t.start();
    timed();
    ms.push_back(double(t.nsecsElapsed()) / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 95 / 100)]};
}

// A fresh data folder with the demo shop (its main database on PostgreSQL when pgMain),
// `goods` goods more on the main database, and the demo cashier logged in. main() is null
// when a step failed (said on stderr). Boxes are acknowledged; a form shown is reported.
// Empties a sale line and puts the cursor on its code cell, for the next timed entry.
inline void ClearSaleLine(orv::Grid &grid, int row) {
  grid.SetRow(row);
  for (int c = 1; c <= kSaleGridCols; ++c) {
    grid.SetCol(c);
    grid.SetValue(QString());
  }
  grid.SetActiveCell(ColCode, row);
}

class SaleScreen {
 public:
  SaleScreen(const char *title, bool pgMain, Databases &dbs, int goods) {
    orv::datafolder::SetRoot(dir_.path());
    orv::settings_store::SetFilePath(dir_.filePath("OrvZerdo.ini"));
    ResetAll();
    const QString shop = QStringLiteral(ORVPOS_SOURCE_DATA) + "/demo/shop.txt";
    QString error;
    if (!orv::demo::InitDemo(shop, &error)) {
      std::fprintf(stderr, "demo shop: %s\n", qPrintable(error));
      return;
    }
    // No scanner port: the benchmark enters codes itself.
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
    {
      orv::db::Connection c;
      c.Open(gsSetMainDB);
      QElapsedTimer t;
      t.start();
      FillGoods(c, goods);
      std::printf("%s: %d goods loaded in %.1f s\n", title, goods, double(t.elapsed()) / 1000.0);
    }
    ResetAll();
    script_ = std::make_unique<orv::dialogs::Script>();
    script_->ExpectAllUsed(false);
    frmLog f;
    f.Form_Load();
    f.txtID->setText("1");
    f.txtPwd->setText("1234");
    f.cmdOk_Click();
    main_ = qobject_cast<frmMain *>(f.TakeMainWindow());
    if (!main_) {
      std::fprintf(stderr, "%s: the login did not reach the sale screen\n", title);
      return;
    }
    QApplication::processEvents();
  }
  ~SaleScreen() {
    delete main_;
    script_.reset();
    ResetAll();
    orv::instance::ReleaseSingleInstance();
    orv::settings_store::SetFilePath({});
  }
  SaleScreen(const SaleScreen &) = delete;
  SaleScreen &operator=(const SaleScreen &) = delete;

  frmMain *main() const { return main_; }
  orv::dialogs::Script &script() { return *script_; }

 private:
  QTemporaryDir dir_;
  std::unique_ptr<orv::dialogs::Script> script_;
  frmMain *main_ = nullptr;
};

// The sale screen benchmarks' main: SQLite first, then the main database on PostgreSQL
// when ORVPOS_TEST_PG names a server.
inline int RunSaleScreenBench(int argc, char **argv, const char *name,
                              void (*runSetUp)(const char *title, bool pgMain, Databases &dbs)) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orv::dialogs::EnterTestMode([](const QString &text) {
    std::fprintf(stderr, "unexpected box: %s\n", qPrintable(text));
  });
  Databases dbs(name);
  runSetUp("SQLite (main.db and pos.db)", false, dbs);
  if (HavePg())
    runSetUp("Main database on PostgreSQL", true, dbs);
  else
    std::fprintf(stderr, "ORVPOS_TEST_PG is not set: the PostgreSQL set-up is skipped\n");
  ResetAll();
  dbs.DropPg();
  return 0;
}

}  // namespace orvbench
