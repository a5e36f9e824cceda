#pragma once
// Reads a list statement in pages by keyset: each page is a whole statement that goes on
// after the last row's order values, so no cursor or transaction stays open between pages.
// The first page is read at once; the rest between events (a zero-time timer), unless a
// command needs every row and calls LoadAll.
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVector>
#include <functional>
#include <map>
#include <memory>

#include "platform/db.h"
#include "core/currency.h"
#include "platform/list_grid.h"

namespace orv::lookup {

struct OrderItem {
  QString expr;  // as the index writes it
  bool ascending = true;
  bool nullable = false;  // nulls sort as the smallest value on both engines
};

struct PagedQuery {
  QString columns;  // the select list
  QString from;     // tables and joins
  QString where;    // conditions with '?' marks; empty for none
  QVariantList args;
  QVector<OrderItem> order;  // must make a row unique
  // 0: every row in one statement. Between events a page is cut short when the one before
  // took long (a test no index serves, a busy server), so no step holds the window up.
  int pageSize = 500;
  // The first page only fills the screen, so the list shows before a whole page is read.
  int firstPageSize = 100;
};

// The ORDER BY clause (without the keywords) for the engine.
QString OrderClause(db::Engine engine, const QVector<OrderItem> &order);
// The page statement after the given last order values (empty: the first page); the bound
// values are appended to args. limit -1: the query's page size; 0: no limit.
QString PageSql(db::Engine engine, const PagedQuery &q, const QVariantList &after,
                QVariantList &args, int limit = -1);

class PagedReader : public QObject {
  Q_OBJECT
 public:
  using Sink = std::function<void(QVector<ListFields> rows)>;
  PagedReader(db::Connection &conn, PagedQuery query, Sink sink, QObject *parent = nullptr);
  ~PagedReader() override;

  // The first page; throws DbError.
  void Start();
  // Every row not read yet, now. Throws DbError.
  void LoadAll();
  // No further pages.
  void Cancel();
  bool Done() const { return done_; }
  int RowsRead() const { return rowsRead_; }

 signals:
  void Finished();
  // A later page failed; the rows read so far stay.
  void Failed(long number, const QString &description);

 private:
  // false when it was the last. Between events a page is cut to what the last one read in
  // kPageBudgetMs; a command waiting for every row reads whole pages.
  bool readPage(bool betweenEvents);
  void scheduleNext();

  db::Connection &conn_;
  PagedQuery query_;
  // Page statements by their text, prepared once: the pages differ in bound values only,
  // so the server need not parse and plan each page again.
  std::map<QString, db::Statement> prepared_;
  QStringList savedSettings_;  // the session's planner settings the pages change
  Sink sink_;
  QVariantList after_;
  bool done_ = false;
  bool scheduled_ = false;
  int rowsRead_ = 0;
  int nextLimit_ = 0;  // the next page's rows between events; 0: the page size
  int generation_ = 0;
};

// A list dialog's read of one statement into its grid: pending pages of the earlier read
// dropped, the grid emptied, the first page read under the wait cursor with painting off
// (restored also when it throws). Rows go to sink, or straight into the grid when sink is
// empty; a later page's failure is shown. Throws DbError.
std::unique_ptr<PagedReader> StartList(ListGrid *grid, db::Connection &conn, PagedQuery query,
                                       std::unique_ptr<PagedReader> previous,
                                       PagedReader::Sink sink, QObject *parent);
// Every row not read yet, under the wait cursor; a failure is shown, the rows read stay.
void LoadRestOf(PagedReader *reader);

}  // namespace orv::lookup
