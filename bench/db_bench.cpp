// Speed of the database layer: bulk insert in one transaction and keyed reads (statement
// text and prepared statements), opening a connection, and two connections sharing one
// session. SQLite always; PostgreSQL when
// ORVPOS_TEST_PG names a server.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QUuid>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "bench_support.h"
#include "platform/db.h"

using orv::db::Connection;

namespace {

constexpr int kRows = 100000;

orvbench::Databases *g_dbs = nullptr;

QString NewDatabase(bool pg) { return g_dbs->New(pg); }

// Twenty columns of the kinds the tables use: a key, texts, whole numbers and money.
void CreateTable(Connection &c) {
  const orv::db::Dialect d = c.dialect();
  QString sql = "CREATE TABLE BenchGods (BgsKey " + d.ColumnType("decimal(10,0)") +
                " NOT NULL PRIMARY KEY";
  for (int i = 1; i <= 6; ++i) sql += QString(", BgsText%1 %2").arg(i).arg(d.ColumnType("char(40)"));
  for (int i = 1; i <= 6; ++i) sql += QString(", BgsInt%1 %2").arg(i).arg(d.ColumnType("int"));
  for (int i = 1; i <= 7; ++i) sql += QString(", BgsGum%1 %2").arg(i).arg(d.ColumnType("money"));
  c.Execute(sql + ")");
}

// The values of a row, built once for a thousand rows: the loops time the layer, not the
// formatting of test values. Rows k and k + 1000 differ only in their key.
struct RowValues {
  QVariant texts[6];
  QVariant ints[6];
  QVariant money[7];
  QString sqlTail;  // the same values as statement text, after the key
};

const RowValues &Values(int key) {
  static const std::vector<RowValues> pool = [] {
    std::vector<RowValues> p(1000);
    for (int n = 0; n < 1000; ++n) {
      RowValues &r = p[size_t(n)];
      for (int i = 1; i <= 6; ++i) {
        const QString t = QString("상품 %1-%2 O'Neil").arg(n).arg(i);
        r.texts[i - 1] = t;
        r.sqlTail += ", " + orv::db::SqlText(t);
      }
      for (int i = 1; i <= 6; ++i) {
        r.ints[i - 1] = (n * 7 + i) % 1000;
        r.sqlTail += ", " + QString::number((n * 7 + i) % 1000);
      }
      for (int i = 1; i <= 7; ++i) {
        const QString m = QString("%1.%2").arg(n * 97).arg(i * 1111 % 10000, 4, 10, QChar('0'));
        r.money[i - 1] = m;
        r.sqlTail += ", " + m;
      }
      r.sqlTail += ")";
    }
    return p;
  }();
  return pool[size_t(key % 1000)];
}

QString InsertSql(int key) {
  return "INSERT INTO BenchGods VALUES (" + QString::number(key) + Values(key).sqlTail;
}

// The same row through a prepared statement with bound values.
void BindRow(orv::db::Statement &st, int key) {
  const RowValues &r = Values(key);
  st.Bind(0, key);
  for (int i = 0; i < 6; ++i) st.Bind(1 + i, r.texts[i]);
  for (int i = 0; i < 6; ++i) st.Bind(7 + i, r.ints[i]);
  for (int i = 0; i < 7; ++i) st.Bind(13 + i, r.money[i]);
}

QString PreparedInsertSql() {
  QString sql = "INSERT INTO BenchGods VALUES (?";
  for (int i = 1; i < 20; ++i) sql += ", ?";
  return sql + ")";
}

void Fill(Connection &c, int rows, int firstKey = 1) {
  c.BeginTrans();
  for (int k = firstKey; k < firstKey + rows; ++k) c.Execute(InsertSql(k));
  c.CommitTrans();
}

void BM_InsertInOneTransaction(benchmark::State &state, bool pg) {
  std::unique_ptr<Connection> c;
  for (auto _ : state) {
    state.PauseTiming();
    c = std::make_unique<Connection>();  // closing the previous one is not timed
    c->Open(NewDatabase(pg));
    CreateTable(*c);
    state.ResumeTiming();
    Fill(*c, kRows);
  }
  state.counters["rows/s"] =
      benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_InsertPrepared(benchmark::State &state, bool pg) {
  std::unique_ptr<Connection> c;
  for (auto _ : state) {
    state.PauseTiming();
    c = std::make_unique<Connection>();
    c->Open(NewDatabase(pg));
    CreateTable(*c);
    state.ResumeTiming();
    orv::db::Statement st = c->Prepare(PreparedInsertSql());
    c->BeginTrans();
    for (int k = 1; k <= kRows; ++k) {
      BindRow(st, k);
      st.Execute();
    }
    c->CommitTrans();
  }
  state.counters["rows/s"] =
      benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_ReadByKeyPrepared(benchmark::State &state, bool pg) {
  Connection c;
  c.Open(NewDatabase(pg));
  CreateTable(c);
  Fill(c, kRows);
  orv::db::Statement st = c.Prepare("SELECT * FROM BenchGods WHERE BgsKey = ?");
  long long found = 0;
  for (auto _ : state) {
    for (int k = 1; k <= kRows; ++k) {
      st.Bind(0, k);
      orv::db::Recordset rs = st.Query();
      found += rs.RecordCount();
      benchmark::DoNotOptimize(rs.Field("BgsGum7"));
    }
  }
  if (found != (long long)kRows * state.iterations()) state.SkipWithError("rows missing");
  state.counters["rows/s"] =
      benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_ReadByKey(benchmark::State &state, bool pg) {
  Connection c;
  c.Open(NewDatabase(pg));
  CreateTable(c);
  Fill(c, kRows);
  long long found = 0;
  for (auto _ : state) {
    for (int k = 1; k <= kRows; ++k) {
      orv::db::Recordset rs =
          c.OpenRecordset("SELECT * FROM BenchGods WHERE BgsKey = " + QString::number(k));
      found += rs.RecordCount();
      benchmark::DoNotOptimize(rs.Field("BgsGum7"));
    }
  }
  if (found != (long long)kRows * state.iterations()) state.SkipWithError("rows missing");
  state.counters["rows/s"] =
      benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_OpenConnection(benchmark::State &state, bool pg) {
  const QString text = NewDatabase(pg);
  for (auto _ : state) {
    Connection c;
    c.Open(text);
    benchmark::DoNotOptimize(c.IsOpen());
  }
  state.counters["opens/s"] =
      benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// Offline the working and the POS connection name one database: the second open joins the
// first one's session instead of connecting again.
void BM_OpenSharedSession(benchmark::State &state, bool pg) {
  const QString text = NewDatabase(pg);
  Connection first;
  first.Open(text);
  for (auto _ : state) {
    Connection second;
    second.Open(text);
    benchmark::DoNotOptimize(second.SharesSessionWith(first));
  }
  state.counters["opens/s"] =
      benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// A sale saved through both connections of a shared session: rows written alternately,
// both transactions committed.
void BM_SharedSessionInsert(benchmark::State &state, bool pg) {
  const int rows = 20000;
  int key = 1;
  Connection main, pos;
  main.Open(NewDatabase(pg));
  pos.Open(main.Text());
  CreateTable(main);
  for (auto _ : state) {
    main.BeginTrans();
    pos.BeginTrans();
    for (int i = 0; i < rows; ++i, ++key) (i % 2 ? pos : main).Execute(InsertSql(key));
    main.CommitTrans();
    pos.CommitTrans();
  }
  state.counters["rows/s"] =
      benchmark::Counter(double(rows) * state.iterations(), benchmark::Counter::kIsRate);
}

void Register(const char *engine, bool pg) {
  auto name = [engine](const char *what) { return std::string(what) + "/" + engine; };
  benchmark::RegisterBenchmark(name("InsertInOneTransaction").c_str(), BM_InsertInOneTransaction, pg)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3)
      ->UseRealTime();
  benchmark::RegisterBenchmark(name("InsertPrepared").c_str(), BM_InsertPrepared, pg)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3)
      ->UseRealTime();
  benchmark::RegisterBenchmark(name("ReadByKey").c_str(), BM_ReadByKey, pg)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(2)
      ->UseRealTime();
  benchmark::RegisterBenchmark(name("ReadByKeyPrepared").c_str(), BM_ReadByKeyPrepared, pg)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(2)
      ->UseRealTime();
  benchmark::RegisterBenchmark(name("OpenConnection").c_str(), BM_OpenConnection, pg)
      ->Unit(benchmark::kMicrosecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark(name("OpenSharedSession").c_str(), BM_OpenSharedSession, pg)
      ->Unit(benchmark::kMicrosecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark(name("SharedSessionInsert").c_str(), BM_SharedSessionInsert, pg)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3)
      ->UseRealTime();
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  orvbench::Databases dbs("bench");
  g_dbs = &dbs;
  benchmark::Initialize(&argc, argv);
  Register("SQLite", false);
  if (orvbench::HavePg())
    Register("PostgreSQL", true);
  else
    std::fprintf(stderr, "ORVPOS_TEST_PG is not set: PostgreSQL benchmarks skipped\n");
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  dbs.DropPg();
  return 0;
}
