#pragma once
// The database layer: connections opened from connection texts
// ("server=…;driver={SQLite|PostgreSQL};uid=…;pwd=…;database=…"), executed statements,
// recordsets read whole into memory, counted transactions, and an engine dialect.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace orv::db {

// Number and description, as handlers show them ("오류번호 : " … "오류내용 : " …).
class DbError : public std::exception {
 public:
  DbError(long number, QString description, QString sqlState = {});
  long Number;
  QString Description;
  QString SqlState;  // the engine's own code (PostgreSQL SQLSTATE, SQLite result code)
  const char *what() const noexcept override { return what_.constData(); }
  // The object a CREATE names exists already.
  bool IsAlreadyExists() const;
  // An insert or update ran into a primary key or unique index.
  bool IsUniqueViolation() const;

 private:
  QByteArray what_;
};

// Error numbers of our own, for failures that do not come from an engine.
enum ErrorNumber : long {
  kErrGeneric = -2147217900,     // what ADO reports for a failed statement
  kErrConnectionText = -2147467259,
  kErrNotOpen = 3704,            // operation not allowed when the object is closed
  kErrNoCurrentRow = 3021,       // either BOF or EOF is true
  kErrNoField = 3265,            // item not found in the collection
  kErrNoTransaction = 3705,
  kErrTransactionAborted = 3706,  // the open transaction can only roll back
  kErrNoAnswer = -2147217871,     // the server did not answer within the limit
};

// How long a PostgreSQL server may keep the program waiting. A statement runs at most
// statementMs on the server; TCP keepalives and the TCP user time-out end a dead link; and
// when the server or the link stops answering altogether (a paused process, a link that
// keeps the socket open), the wait is cut graceMs after the statement limit by closing the
// socket: DbError kErrNoAnswer, and the session is gone (the caller goes offline or opens
// again). Every way ends in a DbError within about statementMs + graceMs.
struct ServerLimits {
  int statementMs = 8000;
  int graceMs = 2000;
  int keepaliveIdleS = 3;
  int keepaliveIntervalS = 2;
  int keepaliveCount = 2;
  int tcpUserTimeoutMs = 9000;
};
// For sessions opened after the call (tests set small limits).
void SetServerLimits(const ServerLimits &limits);
ServerLimits GetServerLimits();

enum class Engine { SQLite, PostgreSQL };

// One connection text taken apart. Values may be wrapped in braces to hold ';' or '='.
struct ConnectionText {
  QString server;    // host, or "host,port"; unused for SQLite
  QString driver;    // without braces
  QString uid;
  QString pwd;
  QString database;  // SQLite: the file path (relative paths are under the data folder)
  QHash<QString, QString> all;  // every key, lower case

  Engine engine() const;
  QString host() const;
  int port() const;  // 0 when not given
};
// Throws DbError for a text that is not "key=value;…" or names no known driver.
ConnectionText ParseConnectionText(const QString &text);
// The same reading without the checks of driver, database and server: a value runs from
// its key's first '=' to the next ';' (braces hold both). Throws only for the syntax.
ConnectionText SplitConnectionText(const QString &text);
// Wraps a value in braces when it holds ';', '=', '{', '}' or outer blanks.
QString QuoteConnectionValue(const QString &value);
QString BuildConnectionText(const QString &server, const QString &driver, const QString &uid,
                            const QString &pwd, const QString &database);

// The literal helper every statement builder uses: 'It''s'.
QString SqlText(const QString &value);

class Dialect {
 public:
  explicit Dialect(Engine e) : engine_(e) {}
  Engine engine() const { return engine_; }
  // The column type for a type as the table definitions write it
  // (decimal(10,0), int, bit, money, smallmoney, char(n), text, …).
  QString ColumnType(const QString &declared) const;
  // An expression folded for comparing and sorting without regard to letter case: ASCII
  // letters lowered, then code-point order on both engines (never the server's locale).
  // Built-in functions only, so indexes on it serve other programs' statements too.
  QString Fold(const QString &expr) const;
  // lhs and rhs are SQL expressions; compared without regard to case through Fold. The
  // pattern uses '\' as its escape character.
  QString CiEquals(const QString &lhs, const QString &rhs) const;
  QString CiLike(const QString &lhs, const QString &pattern) const;
  // Statement listing user tables, one column "name".
  QString TableListSql() const;

 private:
  Engine engine_;
};

class Recordset {
 public:
  Recordset() = default;
  bool IsOpen() const { return open_; }
  void Close();
  int RecordCount() const { return int(rows_.size()); }
  bool Eof() const { return !open_ || pos_ >= rows_.size(); }
  bool Bof() const { return !open_ || pos_ < 0 || rows_.isEmpty(); }
  void MoveFirst() { pos_ = 0; }
  void MoveLast() { pos_ = int(rows_.size()) - 1; }
  void MoveNext() { if (pos_ < rows_.size()) ++pos_; }
  void MovePrevious() { if (pos_ >= 0) --pos_; }
  int Position() const { return pos_; }
  void Move(int row) { pos_ = row; }

  int FieldCount() const { return int(names_.size()); }
  QString FieldName(int index) const { return names_.value(index); }
  bool HasField(const QString &name) const { return index_.contains(name.toLower()); }
  int FieldIndex(const QString &name) const { return index_.value(name.toLower(), -1); }
  // The current row's value: null for SQL NULL, qlonglong for whole numbers, QString for
  // text; on SQLite a floating value comes as its decimal text rounded to 4 places
  // ("0.3", "1234.5"). Throws DbError without a current row or for an unknown field.
  QVariant Field(const QString &name) const;
  QVariant Field(int index) const;
  QVariant Value(int row, int column) const { return rows_.value(row).value(column); }

 private:
  friend class Connection;
  friend class Statement;
  bool open_ = false;
  int pos_ = 0;
  QStringList names_;
  QHash<QString, int> index_;
  QVector<QVector<QVariant>> rows_;
};

struct Session;
class PreparedStatement;  // the engine's half of a Statement

// One row of Connection::StreamRows: each value as the engine writes it in text (UTF-8,
// numbers in plain decimal), a view without data for SQL NULL. Valid during the call only.
struct TextRow {
  std::vector<QByteArrayView> values;
  int Size() const { return int(values.size()); }
  QByteArrayView Text(int column) const { return values[size_t(column)]; }
  bool IsNull(int column) const { return values[size_t(column)].data() == nullptr; }
};

// A statement prepared once and run many times with values bound by position (0-based
// '?' marks), for bulk copies; the values never become SQL text. It keeps its
// connection's session open and runs in that session's transaction.
class Statement {
 public:
  Statement();
  ~Statement();
  Statement(Statement &&) noexcept;
  Statement &operator=(Statement &&) noexcept;
  bool IsPrepared() const { return impl_ != nullptr; }
  // A null QVariant binds SQL NULL.
  void Bind(int position, const QVariant &value);
  // Binds text as it stands (a value from StreamRows); columns of number types take it as
  // the number it spells. A view without data binds NULL. The bytes must stay valid until
  // Execute: the engine may read them in place.
  void BindText(int position, QByteArrayView utf8);
  // Rows affected. Throws DbError.
  long long Execute();
  Recordset Query();
  // Runs the statement later, with the session's next statement: inside a transaction on
  // PostgreSQL, statements deferred one after another travel to the server together with
  // the next one (a commit, say) in one round trip. A failure of a deferred statement is
  // thrown by that next statement (a commit then fails and rolls back); a rollback drops
  // what was deferred. Outside a transaction, and on SQLite, it runs at once.
  void Defer();

 private:
  friend class Connection;
  std::shared_ptr<Session> session_;  // declared first: the statement must go before it
  std::unique_ptr<PreparedStatement> impl_;
  const void *owner_ = nullptr;  // the connection that prepared it, as an identity only
};

class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection &) = delete;
  Connection &operator=(const Connection &) = delete;

  // Opens (or replaces) the connection. Two connections on one database share one session
  // and one transaction. Throws DbError.
  void Open(const QString &connectionText, int timeoutSeconds = 10);
  // Work of an open transaction is not kept: alone, the transaction rolls back; joined to
  // another connection's, its own work is undone, or all of it when the two interleave.
  void Close();
  bool IsOpen() const { return session_ != nullptr; }
  QString Text() const { return text_; }
  Engine engine() const;
  Dialect dialect() const { return Dialect(engine()); }
  bool SharesSessionWith(const Connection &other) const {
    return session_ && session_ == other.session_;
  }

  // Rows affected.
  long long Execute(const QString &sql);
  Recordset OpenRecordset(const QString &sql);
  // Throws DbError when the statement does not compile.
  Statement Prepare(const QString &sql);
  // A read run at every key (lookups by key or code), kept prepared while the session
  // lives: the first call prepares it, later calls bind the values by position and run it,
  // so a server neither parses nor plans it again. Throws DbError; a statement that failed
  // is dropped and prepared again on its next call.
  Recordset QueryKept(const QString &sql, const QVariantList &values);
  // The same for a write run at every row or chit (an insert, update or delete by key, a
  // value for every mark): on PostgreSQL one round trip instead of three. Rows affected.
  long long ExecuteKept(const QString &sql, const QVariantList &values);
  // Runs a query and hands its rows to `row` one at a time as they arrive, never holding
  // the whole result: for copies of large tables (PostgreSQL sends them through COPY).
  // Returns the rows read. The connection's statement limit covers the whole read, and a
  // server that stops sending rows is cut as for any statement. Throws DbError; an
  // exception from `row` ends the read early and passes on, leaving the session usable.
  // `row` may not use this connection's session.
  long long StreamRows(const QString &select, const std::function<void(const TextRow &)> &row);
  // Runs a statement that may fail without spoiling the open transaction (a savepoint
  // around it); returns the error instead of throwing. When the savepoint cannot be
  // undone, that failure comes back and the transaction can only roll back.
  //
  // The rule for every caller: inside a transaction, a statement whose failure is caught
  // and passed over runs through TryExecute. PostgreSQL aborts the whole transaction on a
  // failing statement (SQLite does not), so the same code would save on one engine and
  // not on the other; the layer then refuses further statements and the commit throws.
  std::optional<DbError> TryExecute(const QString &sql);
  // The same for several statements as one: a failure undoes all the batch did. Outside
  // a transaction the batch gets one of its own. Other exceptions pass on.
  std::optional<DbError> TryBatch(const std::function<void()> &batch);
  // Whether the server answers a trivial statement within limitMs (and the grace of
  // ServerLimits), leaving the session's statement limit alone: a probe of one round trip
  // outside a transaction, under a savepoint inside one. Never throws.
  bool Answers(int limitMs);

  // Counted, in pairs like brackets: only the outermost begin and commit reach the
  // engine. A rollback of an inner level (or of one of two connections sharing a session)
  // ends the whole transaction: statements are refused until the outer levels end, and
  // their commit throws. A commit after the transaction was aborted rolls back and throws
  // DbError; so does a failing COMMIT, with the transaction rolled back.
  void BeginTrans();
  void CommitTrans();
  void RollbackTrans();
  int TransLevel() const { return depth_; }

  // The statement limit of this connection's session in milliseconds (PostgreSQL only;
  // 0 puts back the default of ServerLimits). Long work sets it through LongStatements.
  void SetStatementLimit(int ms);
  int StatementLimit() const;

  bool TableExists(const QString &name);
  QStringList TablesWithPrefix(const QString &prefix);

  // Creates the database a connection text names: an SQLite file (its folder must exist)
  // or a PostgreSQL database (through the server's "postgres" database). Throws DbError.
  static void CreateDatabase(const QString &connectionText);
  static bool DatabaseExists(const QString &connectionText);

 private:
  friend class Statement;
  std::shared_ptr<Session> session_;
  QString text_;
  int depth_ = 0;
  quint64 generation_ = 0;
};

// Long work (sending the day's rows, copying the codes) gives the statements of one
// connection a longer limit while it lives, and puts the limit before it back at its end.
//   LongStatements longer(goDbMain, 600);
class LongStatements {
 public:
  LongStatements(Connection &conn, int seconds);
  ~LongStatements();
  LongStatements(const LongStatements &) = delete;
  LongStatements &operator=(const LongStatements &) = delete;

 private:
  Connection &conn_;
  int before_ = 0;
};

// Begins a transaction on construction (a counted BeginTrans) and rolls it back on
// destruction unless Commit() went through, so an exception or an early return never
// leaves a transaction open or half a save written.
//   Transaction tx(goDbMain);
//   … statements …
//   tx.Commit();
// A nested guard that rolls back ends the whole transaction: the outer Commit throws.
// Guards on two connections commit in the order written; when the connections share a
// session (offline), only the last commit reaches the engine, and a rollback of either
// undoes both.
class Transaction {
 public:
  explicit Transaction(Connection &conn);  // throws DbError when the begin fails
  ~Transaction();                          // never throws; a failing rollback is logged
  Transaction(const Transaction &) = delete;
  Transaction &operator=(const Transaction &) = delete;

  // Throws DbError; the layer has rolled the transaction back then.
  void Commit();
  // Rolls back now instead of at the end of the scope; never throws.
  void Rollback() noexcept;
  bool IsActive() const { return active_; }

 private:
  Connection &conn_;
  bool active_ = true;
};

// Where the layer reports failures it cannot throw (a rollback in a destructor). The
// program hands it to the daily log; without a sink they go to Qt's warning output.
using FailureLog = std::function<void(const QString &text)>;
FailureLog SetFailureLog(FailureLog sink);  // returns the one it replaces
void LogFailure(const QString &text);

}  // namespace orv::db
