#include "schema/tables.h"

#include <deque>
#include <optional>
#include <vector>

#include "core/globals.h"

namespace orv::schema {

using db::DbError;
using db::Engine;

QStringList KeyDef::columnList() const {
  return columns ? QString::fromLatin1(columns).split(',') : QStringList();
}

const TableDef *FindTable(const QString &name) {
  for (const TableDef &def : AllTables())
    if (name.compare(QLatin1String(def.name), Qt::CaseInsensitive) == 0) return &def;
  return nullptr;
}

bool CarriesSentFlag(const TableDef &def) {
  for (const ColumnDef &c : def.columns) {
    const QLatin1String name(c.name);
    if (name.endsWith(QLatin1String("Junsong"), Qt::CaseInsensitive) ||
        name.compare(QLatin1String("PlgSss1"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("TemSss1"), Qt::CaseInsensitive) == 0)
      return true;
  }
  return false;
}

bool IsPosCodeTable(const TableDef &def) {
  if (CarriesSentFlag(def)) return false;
  for (const TableDef &pos : LoginTables())
    if (&pos == &def || QLatin1String(pos.name).compare(QLatin1String(def.name),
                                                          Qt::CaseInsensitive) == 0)
      return true;
  return false;
}

namespace {

bool isNameChars(const QString &s) {
  for (QChar c : s) {
    const ushort u = c.unicode();
    const bool ok = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') ||
                    (u >= '0' && u <= '9') || u == '_';
    if (!ok) return false;
  }
  return true;
}

bool isFourDigits(const QString &s) {
  if (s.size() != 4) return false;
  for (QChar c : s)
    if (c < QChar('0') || c > QChar('9')) return false;
  return true;
}

// "PK_PanChit" -> "PK_" + prefix + "PanChit" + suffix.
QString keyName(const KeyDef &key, const QString &prefix, const QString &suffix) {
  if (!key.present()) return {};
  const QString name = QString::fromLatin1(key.name);
  const int cut = int(name.indexOf('_')) + 1;
  return name.left(cut) + prefix + name.mid(cut) + suffix;
}

bool hasNullableColumn(const TableDef &def, const QStringList &cols) {
  for (const QString &c : cols)
    for (const ColumnDef &col : def.columns)
      if (c.compare(QLatin1String(col.name), Qt::CaseInsensitive) == 0 && !col.notNull)
        return true;
  return false;
}

}  // namespace

TableNames NamesFor(const TableDef &def, const QString &prefix, const QString &suffix) {
  const QString p = prefix.trimmed();
  if (!isNameChars(p) || !(suffix.isEmpty() || isFourDigits(suffix)))
    throw DbError(db::kErrGeneric,
                  QStringLiteral("테이블 이름이 잘못되었습니다: ") + p + def.name + suffix);
  return {p + QLatin1String(def.name) + suffix, keyName(def.primary, p, suffix),
          keyName(def.unique, p, suffix)};
}

QStringList CreateStatements(const TableDef &def, const TableNames &names, Engine engine) {
  const db::Dialect dialect(engine);
  QStringList parts;
  for (const ColumnDef &col : def.columns) {
    QString c = QLatin1String(col.name) + ' ' + dialect.ColumnType(QLatin1String(col.type));
    if (col.notNull) c += QLatin1String(" NOT NULL");
    parts << c;
  }
  if (def.primary.present())
    parts << "CONSTRAINT " + names.primary + " PRIMARY KEY (" +
                 def.primary.columnList().join(", ") + ")";

  // A unique key treats nulls as equal: a second row with the same null refuses.
  QString separateIndex;
  if (def.unique.present()) {
    const QStringList cols = def.unique.columnList();
    if (!hasNullableColumn(def, cols)) {
      parts << "CONSTRAINT " + names.unique + " UNIQUE (" + cols.join(", ") + ")";
    } else if (engine == Engine::PostgreSQL) {
      parts << "CONSTRAINT " + names.unique + " UNIQUE NULLS NOT DISTINCT (" + cols.join(", ") +
                   ")";
    } else {
      // SQLite has no such clause; a blob stands for null, and no stored number or text
      // equals a blob.
      QStringList exprs;
      for (const QString &c : cols)
        exprs << (hasNullableColumn(def, {c}) ? "coalesce(" + c + ", x'')" : c);
      separateIndex = "CREATE UNIQUE INDEX " + names.unique + " ON " + names.table + " (" +
                      exprs.join(", ") + ")";
    }
  }
  QStringList out;
  out << "CREATE TABLE " + names.table + " (" + parts.join(", ") + ")";
  if (!separateIndex.isEmpty()) out << separateIndex;
  if (def.seed) out << QString::fromLatin1(def.seed);
  out << IndexStatements(names.table, engine);
  return out;
}

namespace {
// The index stands on that table: its own name, or a month of its family.
bool IndexApplies(const IndexDef &ix, const QString &table) {
  const QLatin1String base(ix.table);
  if (!ix.monthly) return table.compare(base, Qt::CaseInsensitive) == 0;
  if (table.size() != base.size() + 4 || !table.startsWith(base, Qt::CaseInsensitive))
    return false;
  for (int i = int(base.size()); i < table.size(); ++i)
    if (!table[i].isDigit()) return false;
  return true;
}
}  // namespace

QStringList IndexStatements(const QString &table, Engine engine) {
  const db::Dialect dialect(engine);
  QStringList out;
  for (const IndexDef &ix : AllIndexes()) {
    if (!IndexApplies(ix, table)) continue;
    const TableDef *def = FindTable(QLatin1String(ix.table));
    QStringList cols;
    for (const QString &c : QString::fromLatin1(ix.columns).split(',')) {
      const bool fold = c.startsWith("fold:");
      const QString name = fold ? c.mid(5) : c;
      QString expr = fold ? dialect.Fold(name) : name;
      // PostgreSQL puts nulls last going up; the lookups sort them first on both engines.
      if (engine == Engine::PostgreSQL && def && hasNullableColumn(*def, {name}))
        expr += " NULLS FIRST";
      cols << expr;
    }
    const QString name = ix.monthly ? "IX_" + table + "_" + QLatin1String(ix.name)
                                    : QString::fromLatin1(ix.name);
    out << "CREATE INDEX IF NOT EXISTS " + name + " ON " + table + " (" +
               cols.join(", ") + ")";
  }
  return out;
}

void EnsureLookupIndexes(db::Connection &conn) {
  if (!conn.IsOpen()) return;
  QStringList tables;
  bool monthly = false;
  for (const IndexDef &ix : AllIndexes()) {
    monthly = monthly || ix.monthly;
    if (!ix.monthly && !tables.contains(QLatin1String(ix.table))) tables << QLatin1String(ix.table);
  }
  QStringList months;
  if (monthly) {
    for (const QString &t : conn.TablesWithPrefix({}))
      for (const IndexDef &ix : AllIndexes())
        if (ix.monthly && IndexApplies(ix, t) && !months.contains(t)) months << t;
  }
  for (const QString &t : tables + months) {
    if (!months.contains(t) && !ExistsTable(conn, t)) continue;
    for (const QString &st : IndexStatements(t, conn.engine())) {
      gsSql = st;
      conn.Execute(gsSql);
    }
  }
}

int16_t ExistsTable(db::Connection &conn, const QString &name) {
  const db::Dialect d = conn.dialect();
  gsSql = "SELECT name FROM (" + d.TableListSql() + ") t WHERE " +
          d.CiEquals("name", db::SqlText(name));
  return conn.TableExists(name) ? 1 : 0;
}

void CreateTable(db::Connection &conn, const TableDef &def, const TableNames &names) {
  const QStringList statements = CreateStatements(def, names, conn.engine());
  // The savepoint keeps a failure here from spoiling a transaction the caller has open.
  const std::optional<DbError> failure = conn.TryBatch([&] {
    for (const QString &s : statements) {
      gsSql = s;
      conn.Execute(gsSql);
    }
  });
  if (!failure) return;
  // Lost the race to another checkout: the table is there, made whole by its creator.
  if (conn.IsOpen() && conn.TableExists(names.table)) return;
  throw *failure;
}

void EnsureBaseTables(db::Connection &conn) {
  InOneCommit({&conn}, [&] {
    for (const TableDef &def : LoginTables())
      if (!ExistsTable(conn, QLatin1String(def.name))) CreateTable(conn, def, NamesFor(def));
  });
}

void InOneCommit(std::initializer_list<db::Connection *> conns, const std::function<void()> &batch) {
  // A begin that fails (the other database is locked) rolls back the ones before it.
  std::deque<db::Transaction> open;
  for (db::Connection *c : conns) {
    if (!c->IsOpen()) continue;  // the batch's first use of it reports the error
    open.emplace_back(*c);
  }
  try {
    batch();
  } catch (...) {
    for (db::Transaction &tx : open) {
      try {
        tx.Commit();
      } catch (const DbError &) {
      }
    }
    throw;
  }
  for (db::Transaction &tx : open) tx.Commit();
}

void CreateTable(db::Connection &conn, const QString &name) {
  const TableDef *def = FindTable(name);
  if (!def) throw DbError(db::kErrGeneric, QStringLiteral("알 수 없는 테이블: ") + name);
  CreateTable(conn, *def, NamesFor(*def));
}

}  // namespace orv::schema
