#include <gtest/gtest.h>

#include <QCoreApplication>

#include "lookup/paged_reader.h"
#include "lookup_fixture.h"

using namespace orv;
using namespace orv::lookup;

namespace {

class PagedReaderTest : public lookuptest::LookupDb {
 protected:
  void Fill() {
    // Duplicate names and barcodes, nulls among them, so a page often ends inside a run.
    const char *names[] = {"b", "a", nullptr, "A", "c", "b", nullptr, "B", "a"};
    const char *bars[] = {"11", nullptr, "11", "22", nullptr, "11", "33", nullptr, "22"};
    for (int i = 0; i < 27; ++i) {
      const char *n = names[i % 9];
      const char *b = bars[(i * 4) % 9];
      Exec("INSERT INTO GdsCode (GcdKey, GcdNo, GcdName, GcdBarcode) VALUES (?, ?, ?, ?)",
           {i + 1, 1000 - i, n ? QVariant(QString(n)) : QVariant(),
            b ? QVariant(QString(b)) : QVariant()});
    }
  }
  QStringList Read(PagedQuery q, int pageSize, int firstPageSize = 100) {
    q.pageSize = pageSize;
    q.firstPageSize = firstPageSize;
    QStringList keys;
    PagedReader r(goDbMain, q, [&](QVector<ListFields> rows) {
      for (const auto &f : rows) keys << f.value(0).toString();
    });
    r.Start();
    r.LoadAll();
    EXPECT_TRUE(r.Done());
    return keys;
  }
};

TEST_P(PagedReaderTest, PagesGiveTheRowsOfOneRead) {
  if (IsSkipped()) return;
  Fill();
  const db::Dialect d = goDbMain.dialect();
  const QVector<QVector<OrderItem>> orders = {
      {{d.Fold("GcdName"), true, true}, {"GcdNo", true}},
      {{d.Fold("GcdBarcode"), true, true}, {d.Fold("GcdName"), true, true}, {"GcdNo", true}},
      {{"GcdBarcode", false, true}, {"GcdNo", true}},
      {{d.Fold("GcdName"), false, true}, {"GcdBarcode", true, true}, {"GcdKey", false}},
  };
  for (const auto &order : orders) {
    PagedQuery q;
    q.columns = "GcdKey";
    q.from = "GdsCode";
    q.where = "GcdNo > ?";
    q.args = {0};
    q.order = order;
    const QStringList whole = Read(q, 0);
    EXPECT_EQ(whole.size(), 27);
    // {page, first page}: a first page shorter than the rest included.
    const std::pair<int, int> sizes[] = {{1, 1}, {2, 100}, {4, 4}, {5, 3}, {5, 1}, {26, 25}};
    for (const auto &[page, first] : sizes)
      EXPECT_EQ(Read(q, page, first), whole)
          << OrderClause(goDbMain.engine(), order).toStdString() << " page " << page
          << " first " << first;
  }
}

TEST_P(PagedReaderTest, LaterPagesComeBetweenEventsAndCancelStopsThem) {
  if (IsSkipped()) return;
  Fill();
  PagedQuery q;
  q.columns = "GcdKey";
  q.from = "GdsCode";
  q.order = {{"GcdNo", true}};
  q.pageSize = 5;
  int rows = 0;
  PagedReader r(goDbMain, q, [&](QVector<ListFields> add) { rows += add.size(); });
  r.Start();
  EXPECT_EQ(rows, 5);
  QCoreApplication::processEvents();
  EXPECT_GT(rows, 5);
  r.Cancel();
  const int stopped = rows;
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(rows, stopped);
  EXPECT_TRUE(r.Done());
  r.Start();
  for (int i = 0; i < 10 && !r.Done(); ++i) QCoreApplication::processEvents();
  EXPECT_TRUE(r.Done());
  EXPECT_EQ(r.RowsRead(), 27);
}

TEST_P(PagedReaderTest, TheFirstPageIsShortAndTheSessionKeepsItsPlannerSettings) {
  if (IsSkipped()) return;
  Fill();
  auto setting = [](const char *name) {
    return goDbMain.OpenRecordset(QString("SHOW ") + name).Value(0, 0).toString();
  };
  QString workers;
  if (Pg()) {
    goDbMain.Execute("SET join_collapse_limit = 5");
    workers = setting("max_parallel_workers_per_gather");
  }
  PagedQuery q;
  q.columns = "GcdKey";
  q.from = "GdsCode LEFT JOIN TrsCode ON GcdMeipKey = TcdKey";
  q.order = {{"GcdNo", true}};
  q.pageSize = 10;
  q.firstPageSize = 4;
  int rows = 0;
  PagedReader r(goDbMain, q, [&](QVector<ListFields> add) { rows += add.size(); });
  r.Start();
  EXPECT_EQ(rows, 4);
  r.LoadAll();
  EXPECT_EQ(rows, 27);
  if (Pg()) {
    // The pages change planner settings for themselves only.
    EXPECT_EQ(setting("join_collapse_limit"), "5");
    EXPECT_EQ(setting("max_parallel_workers_per_gather"), workers);
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, PagedReaderTest, ORV_BOTH_ENGINES);

}  // namespace
