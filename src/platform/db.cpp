#include "platform/db.h"

#include <libpq-fe.h>
#include <sqlite3.h>
#include <sys/socket.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cctype>
#include <cmath>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <limits>
#include <list>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/datafolder.h"

namespace orv::db {

DbError::DbError(long number, QString description, QString sqlState)
    : Number(number), Description(std::move(description)), SqlState(std::move(sqlState)) {
  what_ = (QString::number(Number) + ": " + Description).toUtf8();
}

bool DbError::IsUniqueViolation() const {
  // SQLite: SQLITE_CONSTRAINT_PRIMARYKEY, SQLITE_CONSTRAINT_UNIQUE
  return SqlState == "23505" || SqlState == "1555" || SqlState == "2067";
}

bool DbError::IsAlreadyExists() const {
  // 42P07 duplicate table, 42P04 duplicate database, 42710 duplicate object
  if (SqlState == "42P07" || SqlState == "42P04" || SqlState == "42710") return true;
  return Description.contains("already exists", Qt::CaseInsensitive);
}

// ---------------------------------------------------------------- connection texts

Engine ConnectionText::engine() const {
  return driver.compare("PostgreSQL", Qt::CaseInsensitive) == 0 ? Engine::PostgreSQL
                                                                 : Engine::SQLite;
}

QString ConnectionText::host() const {
  int comma = server.indexOf(',');
  return (comma < 0 ? server : server.left(comma)).trimmed();
}

int ConnectionText::port() const {
  int comma = server.indexOf(',');
  if (comma < 0) return 0;
  bool ok = false;
  int p = server.mid(comma + 1).trimmed().toInt(&ok);
  return ok && p > 0 && p < 65536 ? p : -1;
}

ConnectionText SplitConnectionText(const QString &text) {
  ConnectionText ct;
  const int n = int(text.size());
  int i = 0;
  auto fail = [&](const QString &why) {
    return DbError(kErrConnectionText, QStringLiteral("연결 문자열 오류: ") + why);
  };
  while (i < n) {
    while (i < n && (text[i] == ';' || text[i].isSpace())) ++i;
    if (i >= n) break;
    int eq = int(text.indexOf('=', i));
    int semi = int(text.indexOf(';', i));
    if (eq < 0 || (semi >= 0 && semi < eq)) throw fail(QStringLiteral("'=' 이 없습니다"));
    QString key = text.mid(i, eq - i).trimmed().toLower();
    if (key.isEmpty()) throw fail(QStringLiteral("이름이 없는 값"));
    i = eq + 1;
    while (i < n && text[i] == ' ') ++i;
    QString value;
    if (i < n && text[i] == '{') {
      ++i;
      bool closed = false;
      while (i < n) {
        if (text[i] == '}') {
          if (i + 1 < n && text[i + 1] == '}') {
            value += '}';
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        value += text[i++];
      }
      if (!closed) throw fail(QStringLiteral("'}' 가 없습니다"));
      while (i < n && text[i] != ';') {
        if (!text[i].isSpace()) throw fail(QStringLiteral("'}' 뒤에 글자가 있습니다"));
        ++i;
      }
    } else {
      int end = int(text.indexOf(';', i));
      if (end < 0) end = n;
      value = text.mid(i, end - i).trimmed();
      i = end;
    }
    ct.all.insert(key, value);
  }
  ct.server = ct.all.value("server");
  ct.driver = ct.all.value("driver");
  ct.uid = ct.all.value("uid");
  ct.pwd = ct.all.value("pwd");
  ct.database = ct.all.value("database");
  return ct;
}

ConnectionText ParseConnectionText(const QString &text) {
  ConnectionText ct = SplitConnectionText(text);
  auto fail = [&](const QString &why) {
    return DbError(kErrConnectionText, QStringLiteral("연결 문자열 오류: ") + why);
  };
  if (ct.driver.compare("SQLite", Qt::CaseInsensitive) != 0 &&
      ct.driver.compare("PostgreSQL", Qt::CaseInsensitive) != 0)
    throw fail(QStringLiteral("알 수 없는 드라이버 '%1'").arg(ct.driver));
  if (ct.database.isEmpty()) throw fail(QStringLiteral("database 가 없습니다"));
  if (ct.engine() == Engine::PostgreSQL) {
    if (ct.host().isEmpty()) throw fail(QStringLiteral("server 가 없습니다"));
    if (ct.port() < 0) throw fail(QStringLiteral("포트 번호가 잘못되었습니다"));
  }
  return ct;
}

QString QuoteConnectionValue(const QString &value) {
  bool needs = value.contains(';') || value.contains('=') || value.contains('{') ||
               value.contains('}') || value.trimmed() != value;
  if (!needs) return value;
  QString v = value;
  v.replace("}", "}}");
  return "{" + v + "}";
}

QString BuildConnectionText(const QString &server, const QString &driver, const QString &uid,
                            const QString &pwd, const QString &database) {
  return "server=" + QuoteConnectionValue(server) + ";driver={" + driver + "};uid=" +
         QuoteConnectionValue(uid) + ";pwd=" + QuoteConnectionValue(pwd) +
         ";database=" + QuoteConnectionValue(database);
}

QString SqlText(const QString &value) {
  QString v = value;
  v.replace('\'', "''");
  return "'" + v + "'";
}

// ---------------------------------------------------------------- dialect

QString Dialect::ColumnType(const QString &declared) const {
  const QString t = declared.trimmed().toLower();
  const bool pg = engine_ == Engine::PostgreSQL;
  if (t.startsWith("decimal") || t.startsWith("numeric")) return t;
  if (t == "int" || t == "integer" || t == "bit") return "integer";
  if (t == "smallint" || t == "tinyint") return "smallint";
  if (t == "bigint") return "bigint";
  if (t == "money") return pg ? "numeric(19,4)" : "NUMERIC";
  if (t == "smallmoney") return pg ? "numeric(10,4)" : "NUMERIC";
  if (t == "float" || t == "real") return pg ? "double precision" : "REAL";
  // char(n), varchar(n), nchar, text, datetime: all text; the program cuts to size.
  return "text";
}

QString Dialect::Fold(const QString &expr) const {
  // With the "C" collation PostgreSQL's lower() folds ASCII only, as SQLite's does.
  if (engine_ == Engine::PostgreSQL) return "lower(" + expr + " COLLATE \"C\")";
  return "lower(" + expr + ")";
}

QString Dialect::CiEquals(const QString &lhs, const QString &rhs) const {
  return Fold(lhs) + " = " + Fold(rhs);
}

QString Dialect::CiLike(const QString &lhs, const QString &pattern) const {
  return Fold(lhs) + " LIKE " + Fold(pattern) + " ESCAPE '\\'";
}

QString Dialect::TableListSql() const {
  if (engine_ == Engine::PostgreSQL)
    return "SELECT table_name AS name FROM information_schema.tables "
           "WHERE table_schema = current_schema() AND table_type = 'BASE TABLE'";
  return "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'";
}

// ---------------------------------------------------------------- recordset

void Recordset::Close() {
  open_ = false;
  rows_.clear();
  names_.clear();
  index_.clear();
  pos_ = 0;
}

QVariant Recordset::Field(int index) const {
  if (!open_) throw DbError(kErrNotOpen, QStringLiteral("Recordset is closed"));
  if (index < 0 || index >= names_.size())
    throw DbError(kErrNoField, QStringLiteral("No field at position %1").arg(index));
  if (pos_ < 0 || pos_ >= rows_.size())
    throw DbError(kErrNoCurrentRow, QStringLiteral("Either BOF or EOF is True"));
  return rows_[pos_][index];
}

QVariant Recordset::Field(const QString &name) const {
  int idx = FieldIndex(name);
  if (idx < 0 && open_) throw DbError(kErrNoField, QStringLiteral("No field '%1'").arg(name));
  return Field(idx);
}

// ---------------------------------------------------------------- engines

// Rows an engine read, moved into a Recordset afterwards.
struct ResultSet {
  QStringList names;
  QHash<QString, int> index;
  QVector<QVector<QVariant>> rows;
};

class PreparedStatement {
 public:
  virtual ~PreparedStatement() = default;
  virtual void Bind(int position, const QVariant &value) = 0;
  virtual void BindText(int position, QByteArrayView utf8) = 0;
  virtual long long Execute() = 0;
  virtual void Query(ResultSet &out) = 0;
  virtual void Defer() { Execute(); }
};

// One open database, shared by every connection that names it.
struct Session {
  virtual ~Session() = default;
  virtual long long Execute(const QString &sql) = 0;
  virtual void Query(const QString &sql, ResultSet &out) = 0;
  virtual std::unique_ptr<PreparedStatement> Prepare(const QString &sql) = 0;
  virtual long long Stream(const QString &sql, const std::function<void(const TextRow &)> &row) = 0;
  // Runs what was deferred now (a batch that must know its outcome before it ends).
  virtual void Flush() {}
  // Runs a statement that cannot run long; the answer may take limitMs plus the grace.
  virtual void Ping(int limitMs) = 0;

  // Whether the engine still has a transaction open (SQLite knows; PostgreSQL ends an
  // aborted one only on ROLLBACK, so it counts as open).
  virtual bool EngineTransactionOpen() = 0;

  QString key;
  Engine engine = Engine::SQLite;
  int refs = 0;
  int limitMs = 0;  // statement limit; 0: the default of ServerLimits (PostgreSQL only)
  int depth = 0;           // begin count over all connections of the session
  quint64 generation = 1;  // bumped when a transaction ends
  int savepoints = 0;
  bool engineTx = false;   // a BEGIN of ours has not been ended yet
  int guarded = 0;         // open savepoints of TryBatch: a failure inside is theirs to undo
  // Set when the open transaction can no longer be committed (the engine aborted it, a
  // savepoint could not be undone, an inner level rolled back); the engine's transaction
  // is rolled back at once and every statement is refused until the last level ends.
  std::optional<DbError> doomed;
  // Connections that joined a transaction another one began, each with a savepoint where
  // its work starts, so that closing it can undo just that work.
  struct Joined {
    const void *conn;
    QString savepoint;
    bool othersRan;  // another connection ran a statement after the savepoint
  };
  std::vector<Joined> joined;
  // The statements of QueryKept. The engine's session drops them before it closes.
  std::map<QString, std::unique_ptr<PreparedStatement>> kept;
  static constexpr size_t kKeptMax = 64;

  void forget(const void *conn) {
    std::erase_if(joined, [conn](const Joined &j) { return j.conn == conn; });
  }

  // Before every statement of a connection (or its prepared statements).
  void starting(const void *conn) {
    if (depth > 0 && doomed)
      throw DbError(kErrTransactionAborted,
                    QStringLiteral("트랜잭션이 취소되어 실행할 수 없습니다: ") + doomed->Description);
    for (Joined &j : joined)
      if (j.conn != conn) j.othersRan = true;
  }

  // After a statement failed: PostgreSQL aborts the whole transaction, SQLite does so
  // only for a few errors (disk full, I/O), and says so.
  void failed(const DbError &e) {
    if (depth == 0 || guarded > 0 || doomed) return;
    if (engine == Engine::PostgreSQL || !EngineTransactionOpen()) doom(e);
  }

  void doom(const DbError &why) {
    if (doomed) return;
    doomed = why;
    joined.clear();
    endEngineTransaction();
  }

  // Rolls back the engine's transaction; a failure is logged, as the caller has one of
  // its own to report.
  void endEngineTransaction() {
    if (!engineTx) return;
    if (engine == Engine::SQLite && !EngineTransactionOpen()) {
      engineTx = false;
      return;
    }
    try {
      Execute("ROLLBACK");
      engineTx = false;
    } catch (const DbError &e) {
      LogFailure(QStringLiteral("ROLLBACK 실패: %1 %2").arg(e.Number).arg(e.Description));
      if (engine == Engine::PostgreSQL) engineTx = false;  // the server drops it with the session
    }
  }

  // The last level ended.
  void transactionEnded() {
    depth = 0;
    engineTx = false;
    doomed.reset();
    joined.clear();
    ++generation;
  }
};

namespace {

const QString &notOpenText() {
  static const QString t = QStringLiteral("연결이 열려 있지 않습니다");
  return t;
}

void checkFolderAndFile(const QString &path, bool fileMustExist) {
  QFileInfo fi(path);
  if (!fi.absoluteDir().exists())
    throw DbError(kErrGeneric, QStringLiteral("데이터베이스 폴더가 없습니다: ") + fi.absolutePath());
  if (fileMustExist && !fi.exists())
    throw DbError(kErrGeneric, QStringLiteral("데이터베이스 파일이 없습니다: ") + path);
  if (!fileMustExist && fi.exists())
    throw DbError(kErrGeneric, QStringLiteral("데이터베이스가 이미 있습니다: ") + path);
}

// ---------------------------------------------------------------- SQLite

// Memory statistics take a global lock on every allocation, and nothing here reads them.
// Only possible before the library starts; later it is refused, which is harmless.
void configureSqlite() {
  static const bool done = [] {
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    return true;
  }();
  (void)done;
}

DbError sqliteError(sqlite3 *db) {
  const int code = sqlite3_extended_errcode(db);
  QString desc = QString::fromUtf8(sqlite3_errmsg(db));
  if (desc.isEmpty()) desc = QString::fromUtf8(sqlite3_errstr(code));
  return DbError(code != 0 ? long(code) : long(kErrGeneric), desc, QString::number(code));
}

// NUMERIC columns keep a money value that is not whole as a double; callers read money
// from text, so a double is handed out as its decimal text to 4 places, never as
// "1e-04" or 0.30000000000000004.
QVariant realValue(double v) {
  if (!std::isfinite(v)) return v;
  const double scaled = std::round(v * 10000.0);
  if (std::fabs(scaled) >= 9.0e15) {
    // Past 2^53 ten-thousandths a double holds no fraction worth showing.
    QString s = QString::number(v, 'f', 4);
    while (s.endsWith('0')) s.chop(1);
    if (s.endsWith('.')) s.chop(1);
    return s;
  }
  long long n = static_cast<long long>(scaled);
  char buf[32];
  char *end = buf + sizeof buf;
  char *p = end;
  const bool neg = n < 0;
  unsigned long long u = neg ? 0ULL - static_cast<unsigned long long>(n)
                             : static_cast<unsigned long long>(n);
  unsigned frac = unsigned(u % 10000);
  u /= 10000;
  if (frac != 0) {
    int digits = 4;
    while (frac % 10 == 0) {
      frac /= 10;
      --digits;
    }
    while (digits-- > 0) {
      *--p = char('0' + frac % 10);
      frac /= 10;
    }
    *--p = '.';
  }
  do {
    *--p = char('0' + u % 10);
    u /= 10;
  } while (u != 0);
  if (neg) *--p = '-';
  return QString::fromLatin1(p, int(end - p));
}

QVariant columnValue(sqlite3_stmt *st, int i) {
  switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER:
      return qlonglong(sqlite3_column_int64(st, i));
    case SQLITE_FLOAT:
      return realValue(sqlite3_column_double(st, i));
    case SQLITE_TEXT: {
      const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
      return QString::fromUtf8(p, sqlite3_column_bytes(st, i));
    }
    case SQLITE_BLOB: {
      const auto *p = static_cast<const char *>(sqlite3_column_blob(st, i));
      return QByteArray(p, sqlite3_column_bytes(st, i));
    }
    default:
      return QVariant();
  }
}

// Column names of a statement, kept while they stay the same: a cached or prepared
// statement rebuilds them only when the engine compiled it again (a schema change may
// alter what "SELECT *" returns), and statements of one shape share them.
struct Columns {
  QStringList names;
  QHash<QString, int> index;
  QList<QByteArray> raw;  // as the engine spells them
  int compiled = -1;

  void take(sqlite3_stmt *st) {
    const int n = sqlite3_column_count(st);
    bool same = raw.size() == n;
    for (int i = 0; same && i < n; ++i)
      same = std::strcmp(raw[i].constData(), sqlite3_column_name(st, i)) == 0;
    if (same) return;
    names.clear();
    index.clear();
    raw.clear();
    for (int i = 0; i < n; ++i) {
      raw << QByteArray(sqlite3_column_name(st, i));
      QString name = QString::fromUtf8(raw.back());
      name.remove('"');
      index.insert(name.toLower(), i);
      names << std::move(name);
    }
  }

  void update(sqlite3_stmt *st) {
    const int compiledNow = sqlite3_stmt_status(st, SQLITE_STMTSTATUS_REPREPARE, 0);
    if (compiledNow == compiled) return;
    take(st);
    compiled = compiledNow;
  }
};

// Runs a statement to its end and leaves it reset; rows go to out when given.
// Rows affected: 0 for statements that changed nothing (reads, table definitions).
// oneOff: the statement is new, cols holds the names of an earlier one.
long long stepAll(sqlite3 *db, sqlite3_stmt *st, Columns &cols, ResultSet *out,
                  bool oneOff = false) {
  struct Reset {
    sqlite3_stmt *st;
    ~Reset() { sqlite3_reset(st); }
  } reset{st};
  const sqlite3_int64 before = sqlite3_total_changes64(db);
  int rc = sqlite3_step(st);
  if (out && (rc == SQLITE_ROW || rc == SQLITE_DONE)) {
    if (oneOff)
      cols.take(st);
    else
      cols.update(st);
    out->names = cols.names;
    out->index = cols.index;
  }
  const int n = out ? int(cols.names.size()) : 0;
  while (rc == SQLITE_ROW) {
    if (out) {
      QVector<QVariant> row;
      row.reserve(n);
      for (int i = 0; i < n; ++i) row.append(columnValue(st, i));
      out->rows.append(std::move(row));
    }
    rc = sqlite3_step(st);
  }
  if (rc != SQLITE_DONE) throw sqliteError(db);
  return sqlite3_total_changes64(db) != before ? sqlite3_changes64(db) : 0;
}

bool onlyBlanks(const char *p) {
  while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == ';') ++p;
  return *p == 0;
}

sqlite3_stmt *prepareSqlite(sqlite3 *db, const QString &sql, unsigned flags) {
  const QByteArray utf8 = sql.toUtf8();
  sqlite3_stmt *st = nullptr;
  const char *tail = nullptr;
  // The size with the terminating zero spares the engine a copy.
  if (sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()) + 1, flags, &st, &tail) !=
      SQLITE_OK)
    throw sqliteError(db);
  if (!st) throw DbError(kErrGeneric, QStringLiteral("실행할 문장이 없습니다"));
  if (tail && !onlyBlanks(tail)) {
    // A second statement would silently not run; comments after the first are fine.
    sqlite3_stmt *next = nullptr;
    const int rc = sqlite3_prepare_v2(db, tail, -1, &next, nullptr);
    if (rc != SQLITE_OK || next) {
      sqlite3_finalize(next);
      sqlite3_finalize(st);
      throw DbError(kErrGeneric, QStringLiteral("한 번에 한 문장만 실행할 수 있습니다: ") +
                                     sql.left(200));
    }
  }
  return st;
}

bool isNullValue(const QVariant &v) {
  if (v.isNull()) return true;
  switch (v.typeId()) {
    case QMetaType::QString:
      return static_cast<const QString *>(v.constData())->isNull();
    case QMetaType::QByteArray:
      return static_cast<const QByteArray *>(v.constData())->isNull();
    case QMetaType::QDate:
      return v.toDate().isNull();
    case QMetaType::QTime:
      return v.toTime().isNull();
    case QMetaType::QDateTime:
      return v.toDateTime().isNull();
    default:
      return false;
  }
}

class SqlitePrepared : public PreparedStatement {
 public:
  SqlitePrepared(sqlite3 *db, sqlite3_stmt *st)
      : db_(db), st_(st), held_(size_t(sqlite3_bind_parameter_count(st))) {}
  ~SqlitePrepared() override { sqlite3_finalize(st_); }

  void Bind(int position, const QVariant &value) override {
    const int i = position + 1;
    int rc;
    if (position < 0 || size_t(position) >= held_.size()) {
      rc = SQLITE_RANGE;
    } else if (isNullValue(value)) {
      rc = sqlite3_bind_null(st_, i);
    } else {
      switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
          rc = sqlite3_bind_int64(st_, i, value.toLongLong());
          break;
        case QMetaType::ULongLong:
          if (value.toULongLong() <= quint64(std::numeric_limits<qint64>::max()))
            rc = sqlite3_bind_int64(st_, i, value.toLongLong());
          else
            rc = bindText(position, QString::number(value.toULongLong()).toUtf8());
          break;
        case QMetaType::Double:
        case QMetaType::Float:
          rc = sqlite3_bind_double(st_, i, value.toDouble());
          break;
        case QMetaType::QByteArray: {
          QByteArray &held = held_[size_t(position)];
          held = value.toByteArray();
          rc = sqlite3_bind_blob(st_, i, held.constData(), int(held.size()), SQLITE_STATIC);
          break;
        }
        case QMetaType::QString:
          rc = bindText(position, static_cast<const QString *>(value.constData())->toUtf8());
          break;
        case QMetaType::QDateTime:
          rc = bindText(position, value.toDateTime().toString(Qt::ISODateWithMs).toUtf8());
          break;
        case QMetaType::QTime:
          rc = bindText(position, value.toTime().toString(QStringLiteral("hh:mm:ss.zzz")).toUtf8());
          break;
        default:
          rc = bindText(position, value.toString().toUtf8());
          break;
      }
    }
    if (rc == SQLITE_RANGE)
      throw DbError(SQLITE_RANGE,
                    QStringLiteral("자리표 %1 번이 없습니다 (자리표 %2 개)").arg(position).arg(held_.size()),
                    QString::number(SQLITE_RANGE));
    if (rc != SQLITE_OK) throw sqliteError(db_);
  }

  void BindText(int position, QByteArrayView utf8) override {
    if (position < 0 || size_t(position) >= held_.size()) {
      Bind(position, QVariant());  // reports the missing mark
      return;
    }
    const int rc = utf8.data() ? sqlite3_bind_text(st_, position + 1, utf8.data(),
                                                   int(utf8.size()), SQLITE_STATIC)
                               : sqlite3_bind_null(st_, position + 1);
    if (rc != SQLITE_OK) throw sqliteError(db_);
  }

  long long Execute() override { return stepAll(db_, st_, cols_, nullptr); }
  void Query(ResultSet &out) override { stepAll(db_, st_, cols_, &out); }

 private:
  // The engine reads bound text from our copy instead of copying it again.
  int bindText(int position, QByteArray utf8) {
    QByteArray &held = held_[size_t(position)];
    held = std::move(utf8);
    return sqlite3_bind_text(st_, position + 1, held.constData(), int(held.size()), SQLITE_STATIC);
  }

  sqlite3 *db_;
  sqlite3_stmt *st_;
  Columns cols_;
  std::vector<QByteArray> held_;  // bound text and blobs, by position
};

class SqliteSession : public Session {
 public:
  explicit SqliteSession(const QString &path, int timeoutSeconds) {
    checkFolderAndFile(path, true);
    configureSqlite();
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
      DbError e = db_ ? sqliteError(db_) : DbError(rc, QString::fromUtf8(sqlite3_errstr(rc)));
      sqlite3_close_v2(db_);
      db_ = nullptr;
      throw e;
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, timeoutSeconds * 1000);
    // WAL lets readers and one writer work together; FULL makes a commit survive power loss.
    for (const char *p : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL"}) {
      if (sqlite3_exec(db_, p, nullptr, nullptr, nullptr) != SQLITE_OK) {
        DbError e = sqliteError(db_);
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw e;
      }
    }
  }

  ~SqliteSession() override {
    kept.clear();
    for (Cached &c : lru_) sqlite3_finalize(c.stmt);
    sqlite3_close_v2(db_);  // statements still out close it when they go
  }

  long long Execute(const QString &sql) override { return run(sql, nullptr); }
  void Query(const QString &sql, ResultSet &out) override { run(sql, &out); }
  bool EngineTransactionOpen() override { return sqlite3_get_autocommit(db_) == 0; }

  std::unique_ptr<PreparedStatement> Prepare(const QString &sql) override {
    return std::make_unique<SqlitePrepared>(db_, prepareSqlite(db_, sql, SQLITE_PREPARE_PERSISTENT));
  }
  void Ping(int) override { run(QStringLiteral("Select 1"), nullptr); }

  long long Stream(const QString &sql, const std::function<void(const TextRow &)> &row) override {
    struct Finalize {
      sqlite3_stmt *st;
      ~Finalize() { sqlite3_finalize(st); }
    } once{prepareSqlite(db_, sql, 0)};
    sqlite3_stmt *st = once.st;
    const int n = sqlite3_column_count(st);
    TextRow values;
    values.values.resize(size_t(n));
    std::vector<QByteArray> reals(values.values.size());
    long long count = 0;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
      for (int i = 0; i < n; ++i) {
        QByteArrayView &v = values.values[size_t(i)];
        switch (sqlite3_column_type(st, i)) {
          case SQLITE_NULL:
            v = QByteArrayView();
            break;
          case SQLITE_FLOAT:  // as a Recordset hands it out
            reals[size_t(i)] = realValue(sqlite3_column_double(st, i)).toString().toUtf8();
            v = reals[size_t(i)];
            break;
          case SQLITE_BLOB:
            v = QByteArrayView(static_cast<const char *>(sqlite3_column_blob(st, i)),
                               sqlite3_column_bytes(st, i));
            if (!v.data()) v = QByteArrayView("", 0);
            break;
          default:
            v = QByteArrayView(reinterpret_cast<const char *>(sqlite3_column_text(st, i)),
                               sqlite3_column_bytes(st, i));
            break;
        }
      }
      row(values);
      ++count;
    }
    if (rc != SQLITE_DONE) throw sqliteError(db_);
    return count;
  }

 private:
  // A statement text seen a second time (lookups, updates by key, transaction control)
  // is kept compiled, the least recently used going first. Texts seen once, such as
  // inserts that carry their values, are compiled and dropped: they would only push the
  // useful ones out.
  struct Cached {
    QString sql;
    sqlite3_stmt *stmt;
    Columns cols;
  };
  static constexpr qsizetype kCacheSize = 64;
  static constexpr size_t kSeenSlots = 1024;

  long long run(const QString &sql, ResultSet *out) {
    auto it = byText_.constFind(sql);
    if (it != byText_.cend()) {
      lru_.splice(lru_.begin(), lru_, *it);
      return stepAll(db_, lru_.front().stmt, lru_.front().cols, out);
    }
    const size_t h = qHash(sql);
    size_t &slot = seen_[h % kSeenSlots];
    if (slot != h) {
      slot = h;
      struct Finalize {
        sqlite3_stmt *st;
        ~Finalize() { sqlite3_finalize(st); }
      } once{prepareSqlite(db_, sql, 0)};
      return stepAll(db_, once.st, shape_, out, true);
    }
    sqlite3_stmt *st = prepareSqlite(db_, sql, SQLITE_PREPARE_PERSISTENT);
    if (byText_.size() >= kCacheSize) {
      byText_.remove(lru_.back().sql);
      sqlite3_finalize(lru_.back().stmt);
      lru_.pop_back();
    }
    lru_.push_front(Cached{sql, st, {}});
    byText_.insert(sql, lru_.begin());
    return stepAll(db_, st, lru_.front().cols, out);
  }

  sqlite3 *db_ = nullptr;
  std::list<Cached> lru_;
  QHash<QString, std::list<Cached>::iterator> byText_;
  std::vector<size_t> seen_ = std::vector<size_t>(kSeenSlots, 0);
  Columns shape_;  // names of the last statement run once
};

// ---------------------------------------------------------------- PostgreSQL (Qt SQL)

std::mutex g_limitsMutex;
ServerLimits g_limits;

// Cuts a wait the server does not end: a paused server process or a link that keeps its
// socket answers neither the statement time-out nor keepalives. One statement waits at a
// time (the program has one thread); the watch closes its socket when it outlasts the
// deadline, and the blocked read returns.
class AnswerWatch {
 public:
  static AnswerWatch &instance() {
    static AnswerWatch w;
    return w;
  }

  void arm(int fd, int ms) {
    std::lock_guard l(m_);
    fd_ = fd;
    deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    fired_ = false;
    ++gen_;
    if (!started_) {
      started_ = true;
      thread_ = std::thread([this] { loop(); });
    } else if (!waitingUntil_ || deadline_ < *waitingUntil_) {
      cv_.notify_one();
    }
  }

  // Whether the watch cut this wait.
  bool disarm() {
    std::lock_guard l(m_);
    fd_ = -1;
    ++gen_;
    return fired_;
  }

  ~AnswerWatch() {
    {
      std::lock_guard l(m_);
      stop_ = true;
    }
    cv_.notify_one();
    if (thread_.joinable()) thread_.join();
  }

 private:
  void loop() {
    std::unique_lock l(m_);
    while (!stop_) {
      if (fd_ < 0) {
        waitingUntil_.reset();
        cv_.wait(l);
        continue;
      }
      const auto gen = gen_;
      waitingUntil_ = deadline_;
      if (cv_.wait_until(l, deadline_, [&] { return stop_ || gen_ != gen; })) continue;
      ::shutdown(fd_, SHUT_RDWR);
      fired_ = true;
      fd_ = -1;
    }
  }

  std::mutex m_;
  std::condition_variable cv_;
  std::thread thread_;
  bool started_ = false, stop_ = false, fired_ = false;
  int fd_ = -1;
  quint64 gen_ = 0;
  std::chrono::steady_clock::time_point deadline_;
  std::optional<std::chrono::steady_clock::time_point> waitingUntil_;
};

// Watches one wait of a session for its whole length (the statement and its rows).
class Watched {
 public:
  Watched(int fd, int limitMs) : on_(fd >= 0) {
    if (on_) AnswerWatch::instance().arm(fd, limitMs + GetServerLimits().graceMs);
  }
  ~Watched() {
    if (on_) AnswerWatch::instance().disarm();
  }
  // Turns the error of a cut wait into the one that says why.
  DbError error(DbError e, int limitMs) {
    if (on_ && AnswerWatch::instance().disarm()) {
      on_ = false;
      return DbError(kErrNoAnswer,
                     QStringLiteral("데이터베이스 서버가 %1초 동안 응답하지 않습니다")
                         .arg((limitMs + GetServerLimits().graceMs + 999) / 1000),
                     e.SqlState);
    }
    return e;
  }

 private:
  bool on_;
};

DbError fromQt(const QSqlError &e, const QString &sql = {}) {
  QString code = e.nativeErrorCode();
  bool ok = false;
  long num = code.toLong(&ok);
  QString desc = e.databaseText().trimmed();
  if (desc.isEmpty()) desc = e.driverText().trimmed();
  if (desc.isEmpty()) desc = e.text().trimmed();
  if (desc.isEmpty() && !sql.isEmpty()) desc = QStringLiteral("실행 실패: ") + sql.left(200);
  return DbError(ok && num != 0 ? num : kErrGeneric, desc, code);
}

void readNames(const QSqlQuery &q, QStringList &names, QHash<QString, int> &index) {
  QSqlRecord rec = q.record();
  for (int i = 0; i < rec.count(); ++i) {
    names << rec.fieldName(i);
    index.insert(rec.fieldName(i).toLower(), i);
  }
}

void readRows(QSqlQuery &q, ResultSet &out) {
  const int cols = int(out.names.size());
  while (q.next()) {
    QVector<QVariant> row(cols);
    for (int i = 0; i < cols; ++i) row[i] = q.isNull(i) ? QVariant() : q.value(i);
    out.rows.push_back(std::move(row));
  }
}

int g_counter = 0;

// The statement with the server's parameter marks: each '?' outside quotes becomes $n.
QByteArray dollarMarks(const QString &sql, int &marks) {
  QByteArray out;
  const QByteArray in = sql.toUtf8();
  out.reserve(in.size() + 16);
  char quote = 0;
  marks = 0;
  for (char c : in) {
    if (quote) {
      if (c == quote) quote = 0;
      out += c;
    } else if (c == '\'' || c == '"') {
      quote = c;
      out += c;
    } else if (c == '?') {
      out += '$' + QByteArray::number(++marks);
    } else {
      out += c;
    }
  }
  return out;
}

// A bound value as the server reads a parameter in text form.
QByteArray pgParamText(const QVariant &v) {
  switch (v.typeId()) {
    case QMetaType::Bool:
      return v.toBool() ? "1" : "0";
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::Char:
    case QMetaType::SChar:
      return QByteArray::number(v.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::UChar:
      return QByteArray::number(v.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
      return QByteArray::number(v.toDouble(), 'g', 17);
    case QMetaType::QString:
      return static_cast<const QString *>(v.constData())->toUtf8();
    case QMetaType::QByteArray:
      return v.toByteArray();
    case QMetaType::QDateTime:
      return v.toDateTime().toString(Qt::ISODateWithMs).toUtf8();
    case QMetaType::QTime:
      return v.toTime().toString(QStringLiteral("hh:mm:ss.zzz")).toUtf8();
    default:
      return v.toString().toUtf8();
  }
}

// A statement deferred on a PostgreSQL session: its text and its parameters.
struct PgPending {
  QByteArray sql;
  int marks = 0;
  std::vector<QByteArray> values;
  std::vector<char> nulls;
};

class PgSession;

class PgPrepared : public PreparedStatement {
 public:
  PgPrepared(PgSession &session, const QSqlDatabase &db, const QString &sql);

  void Bind(int position, const QVariant &value) override {
    query_.bindValue(position, value);
    if (position >= 0) {
      if (size_t(position) >= bound_.size()) bound_.resize(size_t(position) + 1);
      bound_[size_t(position)] = value;
    }
  }
  void BindText(int position, QByteArrayView utf8) override {
    Bind(position, utf8.data() ? QVariant(QString::fromUtf8(utf8)) : QVariant());
  }

  long long Execute() override;
  void Query(ResultSet &out) override;
  void Defer() override;

 private:
  void exec() {
    if (!query_.exec()) {
      DbError e = fromQt(query_.lastError(), sql_);
      query_.finish();
      throw e;
    }
  }

  PgSession &session_;

  QSqlQuery query_;
  QString sql_;
  QByteArray dollarSql_;  // with $1, $2 … for the server's own parameters
  int marks_ = 0;
  std::vector<QVariant> bound_;
  QStringList names_;
  QHash<QString, int> index_;
  bool haveNames_ = false;
};

class PgSession : public Session {
 public:
  PgSession(const ConnectionText &ct, int timeoutSeconds)
      : qtName_(QString("orv-%1").arg(++g_counter)) {
    QSqlDatabase d = QSqlDatabase::addDatabase("QPSQL", qtName_);
    d.setHostName(ct.host());
    if (ct.port() > 0) d.setPort(ct.port());
    d.setDatabaseName(ct.database);
    d.setUserName(ct.uid);
    d.setPassword(ct.pwd);
    const ServerLimits lim = GetServerLimits();
    appliedMs_ = lim.statementMs;
    d.setConnectOptions(QString("connect_timeout=%1;keepalives=1;keepalives_idle=%2;"
                                "keepalives_interval=%3;keepalives_count=%4;"
                                "tcp_user_timeout=%5;options='-c statement_timeout=%6'")
                            .arg(timeoutSeconds)
                            .arg(lim.keepaliveIdleS)
                            .arg(lim.keepaliveIntervalS)
                            .arg(lim.keepaliveCount)
                            .arg(lim.tcpUserTimeoutMs)
                            .arg(lim.statementMs));
    if (!d.open()) {
      DbError e = fromQt(d.lastError());
      d = QSqlDatabase();
      remove();  // no destructor runs for a throwing constructor
      throw e;
    }
    const QVariant handle = d.driver()->handle();
    if (handle.isValid() && (qstrcmp(handle.typeName(), "PGconn*") == 0 ||
                              qstrcmp(handle.typeName(), "pg_conn*") == 0)) {
        if (PGconn *conn = *static_cast<PGconn *const *>(handle.data())) {
        raw_ = conn;
        fd_ = PQsocket(conn);
      }
    }
    QSqlQuery q(d);
    q.exec("SET client_min_messages TO WARNING");
  }

  ~PgSession() override {
    kept.clear();
    remove();
  }

  long long Execute(const QString &sql) override {
    if (!pending_.empty()) {
      // A rollback drops what was deferred; anything else goes with it in one round trip.
      if (sql.startsWith(QLatin1String("ROLLBACK"), Qt::CaseInsensitive) &&
          !sql.contains(QLatin1String(" TO "), Qt::CaseInsensitive))
        pending_.clear();
      else
        return sendPending(&sql);
    }
    Watched w = watch();
    try {
      return run(sql).numRowsAffected();
    } catch (const DbError &e) {
      throw w.error(e, wantedMs());
    }
  }
  bool EngineTransactionOpen() override { return true; }

  void Query(const QString &sql, ResultSet &out) override {
    settle();
    Watched w = watch();
    try {
      QSqlQuery q = run(sql);
      readNames(q, out.names, out.index);
      readRows(q, out);
      if (q.lastError().isValid()) throw fromQt(q.lastError(), sql);
    } catch (const DbError &e) {
      throw w.error(e, wantedMs());
    }
  }

  std::unique_ptr<PreparedStatement> Prepare(const QString &sql) override {
    settle();
    Watched w = watch();
    try {
      return std::make_unique<PgPrepared>(*this, db(), sql);
    } catch (const DbError &e) {
      throw w.error(e, wantedMs());
    }
  }

  // COPY … TO STDOUT in text form, each line taken apart in place. Qt's driver never sees
  // these rows; it finds the connection idle again afterwards.
  long long Stream(const QString &sql, const std::function<void(const TextRow &)> &row) override {
    if (!raw_) throw DbError(kErrGeneric, QStringLiteral("연결의 핸들을 얻지 못했습니다"));
    settle();
    // Qt's driver reads the end of a statement's results lazily, before its next one.
    drain();
    const int limit = wantedMs();
    Watched w = watch();
    struct Streaming {
      bool &on;
      explicit Streaming(bool &flag) : on(flag) { on = true; }
      ~Streaming() { on = false; }
    } streaming{streaming_};
    try {
      {
        PGresult *start = PQexec(raw_, ("COPY (" + sql + ") TO STDOUT").toUtf8().constData());
        const bool ok = PQresultStatus(start) == PGRES_COPY_OUT;
        if (!ok) {
          const DbError e = resultError(start, sql);
          PQclear(start);
          drain();
          throw e;
        }
        PQclear(start);
      }
      // Rows coming in show the server alive: the wait for each is watched on its own.
      const int perRow = std::min(limit, GetServerLimits().statementMs);
      TextRow values;
      long long count = 0;
      for (;;) {
        char *line = nullptr;
        if (fd_ >= 0 && count > 0) AnswerWatch::instance().arm(fd_, perRow + GetServerLimits().graceMs);
        const int n = PQgetCopyData(raw_, &line, 0);
        if (n < 0) break;
        struct Free {
          char *p;
          ~Free() { PQfreemem(p); }
        } freeLine{line};
        splitCopyLine(line, n, values);
        try {
          row(values);
        } catch (...) {
          drain();
          throw;
        }
        ++count;
      }
      PGresult *end = PQgetResult(raw_);
      const bool ok = PQresultStatus(end) == PGRES_COMMAND_OK;
      const DbError e = ok ? DbError(0, {}) : resultError(end, sql);
      PQclear(end);
      drain();
      if (!ok) throw e;
      return count;
    } catch (const DbError &e) {
      throw w.error(e, limit);
    }
  }

  void Flush() override { settle(); }

  void queue(PgPending p) { pending_.push_back(std::move(p)); }

  // Runs what was deferred before a statement that cannot join it.
  void settle() {
    if (!pending_.empty()) sendPending(nullptr);
  }

  // The deferred statements and then tail (no parameters) in one pipeline: one round trip.
  // Each text is parsed once per session under a name of ours. Returns tail's rows affected.
  long long sendPending(const QString *tail) {
    std::vector<PgPending> batch;
    batch.swap(pending_);
    if (!raw_) throw DbError(kErrGeneric, QStringLiteral("연결의 핸들을 얻지 못했습니다"));
    const int limit = wantedMs();
    Watched w = watch();
    try {
      drain();
      if (tail && tail->startsWith(QLatin1String("ROLLBACK"), Qt::CaseInsensitive)) appliedMs_ = -1;
      if (!PQenterPipelineMode(raw_)) throw resultError(nullptr, {});
      enum Kind { Parse, Run, Tail };
      struct Sent {
        Kind kind;
        QByteArray sql, name;
      };
      std::vector<Sent> sent;
      bool ok = true;
      std::vector<const char *> values;
      for (const PgPending &p : batch) {
        QByteArray name = named_.value(p.sql);
        if (name.isEmpty() && named_.size() < kNamedStatements) {
          name = "orv_" + QByteArray::number(++g_counter);
          ok = ok && PQsendPrepare(raw_, name.constData(), p.sql.constData(), p.marks, nullptr);
          sent.push_back({Parse, p.sql, name});
        }
        values.assign(size_t(p.marks), nullptr);
        for (size_t i = 0; i < values.size() && i < p.values.size(); ++i)
          if (!p.nulls[i]) values[i] = p.values[i].constData();
        ok = ok && (name.isEmpty()
                        ? PQsendQueryParams(raw_, p.sql.constData(), p.marks, nullptr,
                                            values.data(), nullptr, nullptr, 0)
                        : PQsendQueryPrepared(raw_, name.constData(), p.marks, values.data(),
                                              nullptr, nullptr, 0));
        sent.push_back({Run, p.sql, {}});
      }
      if (tail) {
        const QByteArray t = tail->toUtf8();
        ok = ok && PQsendQueryParams(raw_, t.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0);
        sent.push_back({Tail, t, {}});
      }
      ok = ok && PQpipelineSync(raw_);
      std::optional<DbError> first;
      if (!ok) first = resultError(nullptr, {});
      long long affected = 0;
      bool tailRan = false;
      for (const Sent &c : sent) {
        if (!ok) break;
        PGresult *r = PQgetResult(raw_);
        if (!r) {  // the connection went
          if (!first) first = resultError(nullptr, QString::fromUtf8(c.sql));
          ok = false;
          break;
        }
        const ExecStatusType st = PQresultStatus(r);
        if (st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK) {
          if (c.kind == Parse) named_.insert(c.sql, c.name);
          if (c.kind == Tail) {
            tailRan = true;
            affected = QByteArray(PQcmdTuples(r)).toLongLong();
          }
        } else if (st != PGRES_PIPELINE_ABORTED && !first) {
          first = resultError(r, QString::fromUtf8(c.sql));
        }
        PQclear(r);
        while (PGresult *more = PQgetResult(raw_)) PQclear(more);  // up to the command's end
      }
      if (ok) {
        if (PGresult *sync = PQgetResult(raw_)) PQclear(sync);
        PQexitPipelineMode(raw_);
      }
      if (first) {
        // A commit behind a failed statement did not run: end the transaction here, as a
        // failing commit ends it.
        if (ok && tail && !tailRan && tail->startsWith(QLatin1String("COMMIT"), Qt::CaseInsensitive) &&
            PQtransactionStatus(raw_) == PQTRANS_INERROR)
          PQclear(PQexec(raw_, "ROLLBACK"));
        throw *first;
      }
      return affected;
    } catch (const DbError &e) {
      throw w.error(e, limit);
    }
  }

  void Ping(int limitMs) override {
    settle();  // what was deferred goes first, under the session's own limit
    Watched w(fd_, limitMs);
    try {
      run(QStringLiteral("Select 1"));
    } catch (const DbError &e) {
      throw w.error(e, limitMs);
    }
  }

  // Puts the session's limit on the server when it changed, then watches the wait.
  Watched watch() {
    if (streaming_)
      throw DbError(kErrGeneric, QStringLiteral("연결이 행을 읽는 중입니다"));
    const int want = wantedMs();
    if (appliedMs_ != want) {
      Watched w(fd_, want);
      QSqlQuery q(db());
      if (!q.exec(QString("SET statement_timeout = %1").arg(want)))
        throw w.error(fromQt(q.lastError()), want);
      appliedMs_ = want;
    }
    return Watched(fd_, want);
  }
  int wantedMs() const { return limitMs > 0 ? limitMs : GetServerLimits().statementMs; }

 private:
  QSqlDatabase db() const { return QSqlDatabase::database(qtName_, false); }

  void remove() {
    {
      QSqlDatabase d = db();
      if (d.isOpen()) d.close();
    }
    QSqlDatabase::removeDatabase(qtName_);
  }

  QSqlQuery run(const QString &sql) {
    // A rollback undoes a SET made in the transaction: put the limit again before the next.
    if (sql.startsWith(QLatin1String("ROLLBACK"), Qt::CaseInsensitive)) appliedMs_ = -1;
    QSqlQuery q(db());
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!q.exec(sql)) throw fromQt(q.lastError(), sql);
    return q;
  }

  DbError resultError(const PGresult *r, const QString &sql) const {
    const QString state = r ? QString::fromLatin1(PQresultErrorField(r, PG_DIAG_SQLSTATE)) : QString();
    QString desc = QString::fromUtf8(r && PQresultErrorMessage(r)[0] ? PQresultErrorMessage(r)
                                                                      : PQerrorMessage(raw_))
                       .trimmed();
    if (desc.isEmpty()) desc = QStringLiteral("실행 실패: ") + sql.left(200);
    bool ok = false;
    const long num = state.toLong(&ok);
    return DbError(ok && num != 0 ? num : kErrGeneric, desc, state);
  }

  // Reads what is left of a COPY and its results, so the connection is idle again.
  void drain() {
    char *line = nullptr;
    while (PQgetCopyData(raw_, &line, 0) > 0) PQfreemem(line);
    while (PGresult *r = PQgetResult(raw_)) PQclear(r);
  }

  // One line of COPY's text form: values split at tabs, "\N" for NULL, backslash
  // escapes undone in place (the text only shrinks).
  static void splitCopyLine(char *line, int n, TextRow &out) {
    if (n > 0 && line[n - 1] == '\n') --n;
    out.values.clear();
    char *p = line, *end = line + n;
    for (;;) {
      if (end - p >= 2 && p[0] == '\\' && p[1] == 'N' && (p + 2 == end || p[2] == '\t')) {
        out.values.push_back(QByteArrayView());
        p += 2;
        if (p >= end) break;
        ++p;
        continue;
      }
      char *start = p, *w = p;
      while (p < end && *p != '\t') {
        if (*p != '\\' || p + 1 >= end) {
          *w++ = *p++;
          continue;
        }
        const char c = p[1];
        p += 2;
        switch (c) {
          case 'b': *w++ = '\b'; break;
          case 'f': *w++ = '\f'; break;
          case 'n': *w++ = '\n'; break;
          case 'r': *w++ = '\r'; break;
          case 't': *w++ = '\t'; break;
          case 'v': *w++ = '\v'; break;
          case 'x': {
            int v = 0, digits = 0;
            while (digits < 2 && p < end && std::isxdigit(static_cast<unsigned char>(*p))) {
              v = v * 16 + (std::isdigit(static_cast<unsigned char>(*p)) ? *p - '0'
                                                                        : (std::tolower(*p) - 'a' + 10));
              ++p;
              ++digits;
            }
            *w++ = char(v);
            break;
          }
          default:
            if (c >= '0' && c <= '7') {
              int v = c - '0', digits = 1;
              while (digits < 3 && p < end && *p >= '0' && *p <= '7') {
                v = v * 8 + (*p++ - '0');
                ++digits;
              }
              *w++ = char(v);
            } else {
              *w++ = c;
            }
        }
      }
      out.values.push_back(QByteArrayView(start, w - start));
      if (p >= end) break;
      ++p;  // the tab
    }
  }

  QString qtName_;
  PGconn *raw_ = nullptr;  // Qt's own connection, for what its driver cannot do
  std::vector<PgPending> pending_;     // deferred, in order
  QHash<QByteArray, QByteArray> named_;  // statement text → its name on the server
  static constexpr qsizetype kNamedStatements = 256;
  bool streaming_ = false;  // a COPY holds the connection
  int fd_ = -1;         // the server socket, for the answer watch
  int appliedMs_ = -1;  // the statement limit the server has
};

PgPrepared::PgPrepared(PgSession &session, const QSqlDatabase &db, const QString &sql)
    : session_(session), query_(db), sql_(sql) {
  query_.setForwardOnly(true);
  query_.setNumericalPrecisionPolicy(QSql::HighPrecision);
  if (!query_.prepare(sql)) throw fromQt(query_.lastError(), sql);
}

long long PgPrepared::Execute() {
  session_.settle();
  Watched w = session_.watch();
  try {
    exec();
  } catch (const DbError &e) {
    throw w.error(e, session_.wantedMs());
  }
  const long long n = query_.numRowsAffected();
  query_.finish();  // stays prepared; releases what the server holds for it
  return n;
}

void PgPrepared::Query(ResultSet &out) {
  session_.settle();
  Watched w = session_.watch();
  try {
    exec();
    if (!haveNames_) {
      readNames(query_, names_, index_);
      haveNames_ = true;
    }
    out.names = names_;
    out.index = index_;
    readRows(query_, out);
    const QSqlError err = query_.lastError();
    query_.finish();
    if (err.isValid()) throw fromQt(err, sql_);
  } catch (const DbError &e) {
    throw w.error(e, session_.wantedMs());
  }
}

void PgPrepared::Defer() {
  if (session_.depth == 0) {
    Execute();
    return;
  }
  if (dollarSql_.isEmpty()) dollarSql_ = dollarMarks(sql_, marks_);
  PgPending p;
  p.sql = dollarSql_;
  p.marks = marks_;
  p.values.resize(size_t(marks_));
  p.nulls.assign(size_t(marks_), 1);
  for (size_t i = 0; i < size_t(marks_) && i < bound_.size(); ++i)
    if (!isNullValue(bound_[i])) {
      p.values[i] = pgParamText(bound_[i]);
      p.nulls[i] = 0;
    }
  session_.queue(std::move(p));
}

// ---------------------------------------------------------------- session registry

std::map<QString, std::weak_ptr<Session>> &sessions() {
  static std::map<QString, std::weak_ptr<Session>> s;
  return s;
}

QString sqlitePath(const ConnectionText &ct) {
  QString path = ct.database;
  path.replace('\\', '/');
  if (QDir::isRelativePath(path)) path = datafolder::Path(path);
  return QDir::cleanPath(path);
}

QString sessionKey(const ConnectionText &ct) {
  if (ct.engine() == Engine::SQLite) {
    QFileInfo fi(sqlitePath(ct));
    QString canon = fi.canonicalFilePath();
    return "sqlite:" + (canon.isEmpty() ? fi.absoluteFilePath() : canon);
  }
  return QString("pg:%1:%2:%3:%4")
      .arg(ct.host().toLower())
      .arg(ct.port() > 0 ? ct.port() : 5432)
      .arg(ct.database, ct.uid.toLower());
}

std::shared_ptr<Session> openSession(const ConnectionText &ct, int timeoutSeconds) {
  const QString key = sessionKey(ct);
  auto &map = sessions();
  auto it = map.find(key);
  if (it != map.end()) {
    if (auto s = it->second.lock()) return s;
  }
  std::shared_ptr<Session> s;
  if (ct.engine() == Engine::SQLite) {
    s = std::make_shared<SqliteSession>(sqlitePath(ct), timeoutSeconds);
  } else {
    s = std::make_shared<PgSession>(ct, timeoutSeconds);
  }
  s->key = key;
  s->engine = ct.engine();
  map[key] = s;
  return s;
}

void moveInto(ResultSet &from, QStringList &names, QHash<QString, int> &index,
              QVector<QVector<QVariant>> &rows) {
  names = std::move(from.names);
  index = std::move(from.index);
  rows = std::move(from.rows);
}

}  // namespace

// ---------------------------------------------------------------- connection

Connection::Connection() = default;

Connection::~Connection() {
  try {
    Close();
  } catch (...) {
  }
}

Engine Connection::engine() const { return session_ ? session_->engine : Engine::SQLite; }

void SetServerLimits(const ServerLimits &limits) {
  std::lock_guard l(g_limitsMutex);
  g_limits = limits;
}

ServerLimits GetServerLimits() {
  std::lock_guard l(g_limitsMutex);
  return g_limits;
}

void Connection::SetStatementLimit(int ms) {
  if (!session_) throw DbError(kErrNotOpen, notOpenText());
  session_->limitMs = std::max(ms, 0);
}

int Connection::StatementLimit() const { return session_ ? session_->limitMs : 0; }

LongStatements::LongStatements(Connection &conn, int seconds)
    : conn_(conn), before_(conn.StatementLimit()) {
  if (conn_.IsOpen()) conn_.SetStatementLimit(seconds * 1000);
}

LongStatements::~LongStatements() {
  if (conn_.IsOpen()) conn_.SetStatementLimit(before_);
}

void Connection::Open(const QString &connectionText, int timeoutSeconds) {
  Close();
  ConnectionText ct = ParseConnectionText(connectionText);
  session_ = openSession(ct, timeoutSeconds);
  ++session_->refs;
  text_ = connectionText;
}

void Connection::Close() {
  if (!session_) return;
  auto s = session_;
  if (depth_ > 0 && generation_ == s->generation) {
    // Work not committed is not kept. Alone in the transaction, end it; joined to another
    // connection's, undo back to where ours began, or, when the other one has written
    // since (or began it), roll back all of it: its commit then fails.
    s->depth -= depth_;
    if (s->depth <= 0) {
      const bool open = s->engineTx;
      s->transactionEnded();
      if (open) {
        try {
          s->Execute("ROLLBACK");
        } catch (const DbError &e) {
          LogFailure(QStringLiteral("ROLLBACK 실패: %1 %2").arg(e.Number).arg(e.Description));
        }
      }
    } else if (!s->doomed) {
      auto it = std::find_if(s->joined.begin(), s->joined.end(),
                             [this](const Session::Joined &j) { return j.conn == this; });
      if (it != s->joined.end() && !it->othersRan) {
        const QString sp = it->savepoint;
        s->forget(this);
        try {
          s->Execute("ROLLBACK TO SAVEPOINT " + sp);
        } catch (const DbError &e) {
          s->doom(e);
        }
      } else {
        s->doom(DbError(kErrTransactionAborted,
                        QStringLiteral("트랜잭션 중에 연결이 닫혀 트랜잭션을 취소했습니다")));
      }
    }
    s->forget(this);
  }
  depth_ = 0;
  --s->refs;
  session_.reset();
  text_.clear();
}

long long Connection::Execute(const QString &sql) {
  if (!session_) throw DbError(kErrNotOpen, notOpenText());
  Session &s = *session_;
  s.starting(this);
  try {
    return s.Execute(sql);
  } catch (const DbError &e) {
    s.failed(e);
    throw;
  }
}

Recordset Connection::OpenRecordset(const QString &sql) {
  if (!session_) throw DbError(kErrNotOpen, notOpenText());
  Session &s = *session_;
  s.starting(this);
  ResultSet r;
  try {
    s.Query(sql, r);
  } catch (const DbError &e) {
    s.failed(e);
    throw;
  }
  Recordset rs;
  moveInto(r, rs.names_, rs.index_, rs.rows_);
  rs.open_ = true;
  return rs;
}

Statement Connection::Prepare(const QString &sql) {
  if (!session_) throw DbError(kErrNotOpen, notOpenText());
  Session &s = *session_;
  s.starting(this);
  Statement st;
  try {
    st.impl_ = s.Prepare(sql);
  } catch (const DbError &e) {
    s.failed(e);
    throw;
  }
  st.session_ = session_;
  st.owner_ = this;
  return st;
}

namespace {

// Runs sql's kept statement (prepared on first use) with values bound by position.
template <typename Run>
auto runKept(Session &s, const void *conn, const QString &sql, const QVariantList &values,
             Run run) {
  s.starting(conn);
  auto it = s.kept.find(sql);
  try {
    if (it == s.kept.end()) {
      if (s.kept.size() >= Session::kKeptMax) s.kept.clear();
      it = s.kept.emplace(sql, s.Prepare(sql)).first;
    }
    for (int i = 0; i < values.size(); ++i) it->second->Bind(i, values[i]);
    return run(*it->second);
  } catch (const DbError &e) {
    if (it != s.kept.end()) s.kept.erase(it);
    s.failed(e);
    throw;
  }
}

}  // namespace

long long Connection::ExecuteKept(const QString &sql, const QVariantList &values) {
  if (!session_) throw DbError(kErrNotOpen, notOpenText());
  return runKept(*session_, this, sql, values, [](PreparedStatement &p) { return p.Execute(); });
}

Recordset Connection::QueryKept(const QString &sql, const QVariantList &values) {
  if (!session_) throw DbError(kErrNotOpen, notOpenText());
  ResultSet r;
  runKept(*session_, this, sql, values, [&](PreparedStatement &p) {
    p.Query(r);
    return 0;
  });
  Recordset rs;
  moveInto(r, rs.names_, rs.index_, rs.rows_);
  rs.open_ = true;
  return rs;
}

long long Connection::StreamRows(const QString &select,
                                 const std::function<void(const TextRow &)> &row) {
  if (!session_) throw DbError(kErrNotOpen, notOpenText());
  auto keep = session_;
  Session &s = *keep;
  s.starting(this);
  // A failure of the caller's own work is not the engine's: the session stays as it was.
  bool inRow = false;
  auto guarded = [&](const TextRow &r) {
    inRow = true;
    row(r);
    inRow = false;
  };
  try {
    return s.Stream(select, guarded);
  } catch (const DbError &e) {
    if (!inRow) s.failed(e);
    throw;
  }
}

// ---------------------------------------------------------------- statement

Statement::Statement() = default;
Statement::~Statement() = default;
Statement::Statement(Statement &&) noexcept = default;
Statement &Statement::operator=(Statement &&other) noexcept {
  impl_.reset();  // before the session it may be the last to hold
  session_ = std::move(other.session_);
  impl_ = std::move(other.impl_);
  owner_ = other.owner_;
  return *this;
}

void Statement::Bind(int position, const QVariant &value) {
  if (!impl_) throw DbError(kErrNotOpen, QStringLiteral("준비된 문장이 없습니다"));
  impl_->Bind(position, value);
}

void Statement::Defer() {
  if (!impl_) throw DbError(kErrNotOpen, QStringLiteral("준비된 문장이 없습니다"));
  session_->starting(owner_);
  try {
    impl_->Defer();
  } catch (const DbError &e) {
    session_->failed(e);
    throw;
  }
}

void Statement::BindText(int position, QByteArrayView utf8) {
  if (!impl_) throw DbError(kErrNotOpen, QStringLiteral("준비된 문장이 없습니다"));
  impl_->BindText(position, utf8);
}

long long Statement::Execute() {
  if (!impl_) throw DbError(kErrNotOpen, QStringLiteral("준비된 문장이 없습니다"));
  session_->starting(owner_);
  try {
    return impl_->Execute();
  } catch (const DbError &e) {
    session_->failed(e);
    throw;
  }
}

Recordset Statement::Query() {
  if (!impl_) throw DbError(kErrNotOpen, QStringLiteral("준비된 문장이 없습니다"));
  session_->starting(owner_);
  ResultSet r;
  try {
    impl_->Query(r);
  } catch (const DbError &e) {
    session_->failed(e);
    throw;
  }
  Recordset rs;
  moveInto(r, rs.names_, rs.index_, rs.rows_);
  rs.open_ = true;
  return rs;
}

std::optional<DbError> Connection::TryExecute(const QString &sql) {
  if (!session_) return DbError(kErrNotOpen, notOpenText());
  if (session_->depth == 0) {
    try {
      Execute(sql);
      return std::nullopt;
    } catch (const DbError &e) {
      return e;
    }
  }
  return TryBatch([&] { Execute(sql); });
}

std::optional<DbError> Connection::TryBatch(const std::function<void()> &batch) {
  if (!session_) return DbError(kErrNotOpen, notOpenText());
  auto keep = session_;  // the batch may close this connection
  Session &s = *keep;
  if (s.depth == 0) {
    try {
      Transaction tx(*this);
      batch();
      tx.Commit();
      return std::nullopt;
    } catch (const DbError &e) {
      return e;
    }
  }
  const QString sp = QString("orv_sp%1").arg(++s.savepoints);
  try {
    s.starting(this);
    s.Execute("SAVEPOINT " + sp);
  } catch (const DbError &e) {
    s.failed(e);
    return e;
  }
  std::optional<DbError> failure;
  const quint64 generation = s.generation;
  ++s.guarded;
  try {
    batch();
    s.Flush();  // the batch's outcome, deferred statements included
  } catch (const DbError &e) {
    failure = e;
  } catch (...) {
    --s.guarded;
    if (s.generation == generation && !s.doomed)
      s.doom(DbError(kErrTransactionAborted, QStringLiteral("처리 중 오류로 트랜잭션을 취소했습니다")));
    throw;
  }
  --s.guarded;
  if (s.generation != generation || s.depth == 0) return failure;  // the batch ended it itself
  if (s.doomed) return failure ? failure : s.doomed;
  // Undoing the failed part, or merging the savepoint, can fail as well (the batch ended
  // the transaction, the connection broke): then nothing of the transaction can be kept.
  try {
    if (failure) s.Execute("ROLLBACK TO SAVEPOINT " + sp);
    s.Execute("RELEASE SAVEPOINT " + sp);
  } catch (const DbError &e) {
    s.doom(e);
    return failure ? failure : e;
  }
  return failure;
}

bool Connection::Answers(int limitMs) {
  if (!session_) return false;
  auto keep = session_;
  Session &s = *keep;
  auto ping = [&] {
    s.starting(this);
    s.Ping(limitMs);
  };
  if (s.depth > 0) return !TryBatch(ping).has_value();
  try {
    ping();
    return true;
  } catch (const DbError &) {
    return false;
  }
}

void Connection::BeginTrans() {
  if (!session_) throw DbError(kErrNotOpen, notOpenText());
  Session &s = *session_;
  if (depth_ > 0 && generation_ != s.generation) depth_ = 0;  // ours was rolled back
  if (s.depth == 0) {
    s.Execute(s.engine == Engine::SQLite ? "BEGIN IMMEDIATE" : "BEGIN");
    s.engineTx = true;
  } else {
    s.starting(this);  // a transaction that can only roll back takes no new work
    if (depth_ == 0) {
      // Joining another connection's transaction: mark where our work starts.
      const QString sp = QString("orv_sp%1").arg(++s.savepoints);
      try {
        s.Execute("SAVEPOINT " + sp);
      } catch (const DbError &e) {
        s.failed(e);
        throw;
      }
      s.joined.push_back({this, sp, false});
    }
  }
  ++s.depth;
  ++depth_;
  generation_ = s.generation;
}

void Connection::CommitTrans() {
  if (!session_) throw DbError(kErrNotOpen, notOpenText());
  Session &s = *session_;
  if (depth_ == 0)
    throw DbError(kErrNoTransaction, QStringLiteral("열린 트랜잭션이 없습니다"));
  if (generation_ != s.generation) {
    depth_ = 0;
    throw DbError(kErrNoTransaction,
                  QStringLiteral("같은 데이터베이스의 다른 연결이 트랜잭션을 취소했습니다"));
  }
  --depth_;
  --s.depth;
  if (depth_ == 0) s.forget(this);  // its savepoint ends with the transaction
  if (s.doomed) {
    const DbError why = *s.doomed;
    if (s.depth == 0) {
      s.endEngineTransaction();
      s.transactionEnded();
    }
    throw DbError(kErrTransactionAborted,
                  QStringLiteral("트랜잭션이 취소되어 저장하지 못했습니다: ") + why.Description);
  }
  if (s.depth > 0) return;
  try {
    s.Execute("COMMIT");
  } catch (const DbError &) {
    // A failed commit must not leave the transaction open. PostgreSQL has ended it;
    // SQLite keeps it open when a deferred key fails.
    if (s.engine == Engine::PostgreSQL) s.engineTx = false;
    s.endEngineTransaction();
    s.transactionEnded();
    throw;
  }
  s.transactionEnded();
}

void Connection::RollbackTrans() {
  if (!session_) throw DbError(kErrNotOpen, notOpenText());
  Session &s = *session_;
  if (depth_ == 0 || generation_ != s.generation) {
    depth_ = 0;
    return;  // nothing of ours is open any more
  }
  --depth_;
  --s.depth;
  if (depth_ == 0) s.forget(this);
  if (s.depth > 0) {
    // An inner level gives up: the whole transaction goes, and the outer commit fails.
    s.doom(DbError(kErrTransactionAborted,
                   QStringLiteral("안쪽 트랜잭션이 취소되었습니다")));
    return;
  }
  const bool open = s.engineTx;
  s.transactionEnded();
  if (open) s.Execute("ROLLBACK");
}

bool Connection::TableExists(const QString &name) {
  Dialect d = dialect();
  Recordset rs = OpenRecordset("SELECT name FROM (" + d.TableListSql() + ") t WHERE " +
                               d.CiEquals("name", SqlText(name)));
  return rs.RecordCount() > 0;
}

QStringList Connection::TablesWithPrefix(const QString &prefix) {
  Recordset rs = OpenRecordset("SELECT name FROM (" + dialect().TableListSql() +
                               ") t ORDER BY name");
  QStringList out;
  for (const auto &row : rs.rows_) {
    QString n = row.value(0).toString();
    if (n.startsWith(prefix, Qt::CaseInsensitive)) out << n;
  }
  return out;
}

namespace {
QString pgAdminText(const ConnectionText &ct) {
  return BuildConnectionText(ct.server, "PostgreSQL", ct.uid, ct.pwd, "postgres");
}
QString pgIdentifier(const QString &name) {
  QString n = name;
  n.replace('"', "\"\"");
  return "\"" + n + "\"";
}
}  // namespace

bool Connection::DatabaseExists(const QString &connectionText) {
  ConnectionText ct = ParseConnectionText(connectionText);
  if (ct.engine() == Engine::SQLite) return QFileInfo::exists(sqlitePath(ct));
  Connection admin;
  admin.Open(pgAdminText(ct));
  return admin.OpenRecordset("SELECT 1 FROM pg_database WHERE datname = " + SqlText(ct.database))
             .RecordCount() > 0;
}

void Connection::CreateDatabase(const QString &connectionText) {
  ConnectionText ct = ParseConnectionText(connectionText);
  if (ct.engine() == Engine::SQLite) {
    const QString path = sqlitePath(ct);
    checkFolderAndFile(path, false);
    configureSqlite();
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
      DbError e = db ? sqliteError(db) : DbError(rc, QString::fromUtf8(sqlite3_errstr(rc)));
      sqlite3_close_v2(db);
      throw e;
    }
    sqlite3_close_v2(db);
    return;
  }
  Connection admin;
  admin.Open(pgAdminText(ct));
  admin.Execute("CREATE DATABASE " + pgIdentifier(ct.database));
}

// ---------------------------------------------------------------- transaction guard

namespace {
FailureLog &failureLog() {
  static FailureLog sink;
  return sink;
}
}  // namespace

FailureLog SetFailureLog(FailureLog sink) {
  FailureLog old = std::move(failureLog());
  failureLog() = std::move(sink);
  return old;
}

void LogFailure(const QString &text) {
  try {
    if (const FailureLog &sink = failureLog()) {
      sink(text);
      return;
    }
  } catch (...) {
  }
  qWarning("%s", qUtf8Printable(text));
}

Transaction::Transaction(Connection &conn) : conn_(conn) { conn_.BeginTrans(); }

Transaction::~Transaction() { Rollback(); }

void Transaction::Commit() {
  if (!active_)
    throw DbError(kErrNoTransaction, QStringLiteral("트랜잭션이 이미 끝났습니다"));
  active_ = false;  // a failing commit has ended the transaction as well
  conn_.CommitTrans();
}

void Transaction::Rollback() noexcept {
  if (!active_) return;
  active_ = false;
  if (!conn_.IsOpen()) return;  // closing rolled it back
  try {
    conn_.RollbackTrans();
  } catch (const DbError &e) {
    LogFailure(QStringLiteral("ROLLBACK 실패: %1 %2").arg(e.Number).arg(e.Description));
  } catch (const std::exception &e) {
    LogFailure(QStringLiteral("ROLLBACK 실패: ") + QString::fromLocal8Bit(e.what()));
  } catch (...) {
    LogFailure(QStringLiteral("ROLLBACK 실패"));
  }
}

}  // namespace orv::db
