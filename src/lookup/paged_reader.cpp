#include "lookup/paged_reader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

#include "core/globals.h"
#include "lookup/lookup_common.h"

namespace orv::lookup {

namespace {

// SQLite puts nulls first going up and last going down; PostgreSQL the other way round.
// Nullable columns get the SQLite way on both, so nulls are the smallest value.
QString nullsClause(db::Engine e, const OrderItem &o) {
  if (!o.nullable || e != db::Engine::PostgreSQL) return {};
  return o.ascending ? " NULLS FIRST" : " NULLS LAST";
}

// PostgreSQL, for one page statement: the joins in the order written (a driving table and
// lookups joined to it), and no parallel workers. Searching join orders took longer than
// reading the page (about 8 ms warm, 35 on a fresh connection), and a parallel plan's
// start costs more than the page it reads. The session's own values come back after.
class PageSettings {
 public:
  PageSettings(db::Connection &conn, QStringList &saved) : conn_(conn), saved_(saved) {
    if (saved_.isEmpty()) {
      const db::Recordset rs = conn_.OpenRecordset(
          "SELECT current_setting('join_collapse_limit'), "
          "current_setting('max_parallel_workers_per_gather')");
      saved_ << rs.Value(0, 0).toString() << rs.Value(0, 1).toString();
    }
    conn_.Execute(setSql("1", "0"));
  }
  ~PageSettings() { conn_.TryExecute(setSql(saved_[0], saved_[1])); }

 private:
  static QString setSql(const QString &joins, const QString &workers) {
    return "SELECT set_config('join_collapse_limit', " + db::SqlText(joins) +
           ", false), set_config('max_parallel_workers_per_gather', " + db::SqlText(workers) +
           ", false)";
  }
  db::Connection &conn_;
  QStringList &saved_;
};

constexpr double kPageBudgetMs = 40;
constexpr int kMinPageRows = 50;

}  // namespace

QString OrderClause(db::Engine engine, const QVector<OrderItem> &order) {
  QStringList parts;
  for (const OrderItem &o : order)
    parts << o.expr + (o.ascending ? "" : " DESC") + nullsClause(engine, o);
  return parts.join(", ");
}

QString PageSql(db::Engine engine, const PagedQuery &q, const QVariantList &after,
                QVariantList &args, int limit) {
  if (limit < 0) limit = q.pageSize;
  QString keys;
  for (int i = 0; i < q.order.size(); ++i) keys += ", " + q.order[i].expr + " AS zk" + QString::number(i);
  QString sql = "SELECT " + q.columns + keys + " FROM " + q.from;
  QStringList conds;
  if (!q.where.trimmed().isEmpty()) {
    conds << "(" + q.where + ")";
    args << q.args;
  }
  if (!after.isEmpty()) {
    QStringList ors;
    QVariantList orArgs;
    for (int i = 0; i < q.order.size(); ++i) {
      QStringList ands;
      for (int j = 0; j < i; ++j) {
        if (after[j].isNull()) {
          ands << q.order[j].expr + " IS NULL";
        } else {
          ands << q.order[j].expr + " = ?";
          orArgs << after[j];
        }
      }
      const OrderItem &o = q.order[i];
      QString next;
      if (after[i].isNull()) {
        if (!o.ascending) continue;  // nothing comes after a null going down
        next = o.expr + " IS NOT NULL";
      } else {
        next = o.expr + (o.ascending ? " > ?" : " < ?");
        orArgs << after[i];
        if (!o.ascending && o.nullable) next = "(" + next + " OR " + o.expr + " IS NULL)";
      }
      ands << next;
      ors << "(" + ands.join(" AND ") + ")";
    }
    const QString rest = ors.isEmpty() ? QString("1 = 0") : "(" + ors.join(" OR ") + ")";
    const OrderItem &first = q.order.first();
    if (after[0].isNull()) {
      conds << rest;
      args << orArgs;
    } else {
      // A leading bound an index can serve, then the rows on the bound itself that come
      // before the last one left out. Written as a NOT, the planner estimates the page's
      // rows from the bound alone: repeating the bound inside an OR squares its share, and
      // PostgreSQL then sorts the whole remainder instead of walking the index.
      const QString e = first.expr;
      if (first.ascending)
        conds << e + " >= ?";
      else
        conds << (first.nullable ? "(" + e + " <= ? OR " + e + " IS NULL)" : e + " <= ?");
      args << after[0];
      // A null passes the bound only going down, and is never on it.
      const QString onBound =
          first.nullable && !first.ascending ? "COALESCE(" + e + " = ?, 1 = 0)" : e + " = ?";
      conds << "NOT (" + onBound + " AND NOT COALESCE(" + rest + ", 1 = 0))";
      args << after[0] << orArgs;
    }
  }
  if (!conds.isEmpty()) sql += " WHERE " + conds.join(" AND ");
  sql += " ORDER BY " + OrderClause(engine, q.order);
  if (limit > 0) sql += " LIMIT " + QString::number(limit);
  return sql;
}

PagedReader::PagedReader(db::Connection &conn, PagedQuery query, Sink sink, QObject *parent)
    : QObject(parent), conn_(conn), query_(std::move(query)), sink_(std::move(sink)) {}

PagedReader::~PagedReader() = default;

bool PagedReader::readPage(bool betweenEvents) {
  int limit = query_.pageSize;
  if (limit > 0 && rowsRead_ == 0 && query_.firstPageSize > 0)
    limit = std::min(limit, query_.firstPageSize);
  else if (limit > 0 && betweenEvents && nextLimit_ > 0)
    limit = std::min(limit, nextLimit_);
  QElapsedTimer took;
  took.start();
  QVariantList args;
  const QString sql = PageSql(conn_.engine(), query_, after_, args, limit);
  gsSql = sql;
  auto at = prepared_.find(sql);
  if (at == prepared_.end()) at = prepared_.emplace(sql, conn_.Prepare(sql)).first;
  db::Statement &st = at->second;
  for (int i = 0; i < args.size(); ++i) st.Bind(i, args[i]);
  db::Recordset rs;
  // A single table has no join order to search, and its pages are spared the round trips.
  if (conn_.engine() == db::Engine::PostgreSQL && query_.from.contains(" JOIN ", Qt::CaseInsensitive)) {
    PageSettings settings(conn_, savedSettings_);
    rs = st.Query();
  } else {
    rs = st.Query();
  }
  if (limit > 0) {
    // Rows in proportion to the time the budget allows, within [kMinPageRows, page size].
    const double ms = std::max(took.nsecsElapsed() / 1e6, 0.1);
    const int least = std::min(kMinPageRows, query_.pageSize);
    nextLimit_ = int(std::clamp(limit * kPageBudgetMs / ms, double(least), double(query_.pageSize)));
  }
  const int n = rs.RecordCount();
  const int keys = int(query_.order.size());
  const int cols = rs.FieldCount() - keys;
  QVector<ListFields> rows;
  rows.reserve(n);
  for (int r = 0; r < n; ++r) {
    ListFields f(cols);
    for (int c = 0; c < cols; ++c) f[c] = rs.Value(r, c);
    rows.push_back(std::move(f));
  }
  if (n > 0) {
    after_.clear();
    for (int k = 0; k < keys; ++k) after_ << rs.Value(n - 1, cols + k);
  }
  rowsRead_ += n;
  if (sink_) sink_(std::move(rows));
  return limit > 0 && n >= limit;
}

void PagedReader::Start() {
  ++generation_;
  done_ = false;
  after_.clear();
  rowsRead_ = 0;
  nextLimit_ = 0;
  if (!readPage(false)) {
    done_ = true;
    emit Finished();
    return;
  }
  scheduleNext();
}

void PagedReader::scheduleNext() {
  if (done_ || scheduled_) return;
  scheduled_ = true;
  const int gen = generation_;
  QTimer::singleShot(0, this, [this, gen] {
    scheduled_ = false;
    if (gen != generation_ || done_) return;
    try {
      if (!readPage(true)) {
        done_ = true;
        emit Finished();
        return;
      }
    } catch (const db::DbError &e) {
      done_ = true;
      emit Failed(e.Number, e.Description);
      return;
    }
    scheduleNext();
  });
}

void PagedReader::LoadAll() {
  ++generation_;  // a pending page is read here instead
  scheduled_ = false;
  try {
    while (!done_) {
      if (!readPage(false)) {
        done_ = true;
        emit Finished();
      }
    }
  } catch (const db::DbError &) {
    done_ = true;
    throw;
  }
}

void PagedReader::Cancel() {
  ++generation_;
  done_ = true;
}

namespace {

struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

std::unique_ptr<PagedReader> StartList(ListGrid *grid, db::Connection &conn, PagedQuery query,
                                       std::unique_ptr<PagedReader> previous,
                                       PagedReader::Sink sink, QObject *parent) {
  if (previous) previous->Cancel();
  previous.reset();
  WaitCursor wait;
  grid->SetReDraw(false);
  grid->Clear();
  struct Redraw {
    ListGrid *g;
    ~Redraw() { g->SetReDraw(true); }
  } redraw{grid};
  if (!sink) sink = [grid](QVector<ListFields> rows) { grid->AppendRows(std::move(rows)); };
  auto reader = std::make_unique<PagedReader>(conn, std::move(query), std::move(sink), parent);
  QObject::connect(reader.get(), &PagedReader::Failed, parent,
                   [](long n, const QString &d) { ShowDbError(db::DbError(n, d)); });
  reader->Start();
  return reader;
}

void LoadRestOf(PagedReader *reader) {
  if (!reader || reader->Done()) return;
  WaitCursor wait;
  try {
    reader->LoadAll();
  } catch (const db::DbError &e) {
    ShowDbError(e);
  }
}

}  // namespace orv::lookup
