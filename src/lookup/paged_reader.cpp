#include "lookup/paged_reader.h"

#include <QApplication>
#include <QTimer>

#include "lookup/lookup_common.h"

namespace orv::lookup {

namespace {

// SQLite puts nulls first going up and last going down; PostgreSQL the other way round.
// Nullable columns get the SQLite way on both, so nulls are the smallest value.
QString nullsClause(db::Engine e, const OrderItem &o) {
  if (!o.nullable || e != db::Engine::PostgreSQL) return {};
  return o.ascending ? " NULLS FIRST" : " NULLS LAST";
}

}  // namespace

QString OrderClause(db::Engine engine, const QVector<OrderItem> &order) {
  QStringList parts;
  for (const OrderItem &o : order)
    parts << o.expr + (o.ascending ? "" : " DESC") + nullsClause(engine, o);
  return parts.join(", ");
}

QString PageSql(db::Engine engine, const PagedQuery &q, const QVariantList &after,
                QVariantList &args) {
  QString keys;
  for (int i = 0; i < q.order.size(); ++i) keys += ", " + q.order[i].expr + " AS zk" + QString::number(i);
  QString sql = "SELECT " + q.columns + keys + " FROM " + q.from;
  QStringList conds;
  if (!q.where.trimmed().isEmpty()) {
    conds << "(" + q.where + ")";
    args << q.args;
  }
  if (!after.isEmpty()) {
    // A leading bound an index can serve, then the exact continuation.
    const OrderItem &first = q.order.first();
    if (!after[0].isNull()) {
      if (first.ascending) {
        conds << first.expr + " >= ?";
      } else {
        conds << (first.nullable ? "(" + first.expr + " <= ? OR " + first.expr + " IS NULL)"
                                 : first.expr + " <= ?");
      }
      args << after[0];
    }
    QStringList ors;
    for (int i = 0; i < q.order.size(); ++i) {
      QStringList ands;
      for (int j = 0; j < i; ++j) {
        if (after[j].isNull()) {
          ands << q.order[j].expr + " IS NULL";
        } else {
          ands << q.order[j].expr + " = ?";
          args << after[j];
        }
      }
      const OrderItem &o = q.order[i];
      QString next;
      if (after[i].isNull()) {
        if (!o.ascending) continue;  // nothing comes after a null going down
        next = o.expr + " IS NOT NULL";
      } else {
        next = o.expr + (o.ascending ? " > ?" : " < ?");
        args << after[i];
        if (!o.ascending && o.nullable) next = "(" + next + " OR " + o.expr + " IS NULL)";
      }
      ands << next;
      ors << "(" + ands.join(" AND ") + ")";
    }
    conds << (ors.isEmpty() ? QString("1 = 0") : "(" + ors.join(" OR ") + ")");
  }
  if (!conds.isEmpty()) sql += " WHERE " + conds.join(" AND ");
  sql += " ORDER BY " + OrderClause(engine, q.order);
  if (q.pageSize > 0) sql += " LIMIT " + QString::number(q.pageSize);
  return sql;
}

PagedReader::PagedReader(db::Connection &conn, PagedQuery query, Sink sink, QObject *parent)
    : QObject(parent), conn_(conn), query_(std::move(query)), sink_(std::move(sink)) {}

PagedReader::~PagedReader() = default;

bool PagedReader::readPage() {
  QVariantList args;
  const QString sql = PageSql(conn_.engine(), query_, after_, args);
  db::Recordset rs = QueryBound(conn_, sql, args);
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
  return query_.pageSize > 0 && n >= query_.pageSize;
}

void PagedReader::Start() {
  ++generation_;
  done_ = false;
  after_.clear();
  rowsRead_ = 0;
  if (!readPage()) {
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
      if (!readPage()) {
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
      if (!readPage()) {
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
