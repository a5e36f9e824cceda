#include "platform/db.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <map>

#include "platform/datafolder.h"

namespace orv::db {

DbError::DbError(long number, QString description, QString sqlState)
    : Number(number), Description(std::move(description)), SqlState(std::move(sqlState)) {
  what_ = (QString::number(Number) + ": " + Description).toUtf8();
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

ConnectionText ParseConnectionText(const QString &text) {
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

QString Dialect::CiEquals(const QString &lhs, const QString &rhs) const {
  return "lower(" + lhs + ") = lower(" + rhs + ")";
}

QString Dialect::CiLike(const QString &lhs, const QString &pattern) const {
  if (engine_ == Engine::PostgreSQL) return lhs + " ILIKE " + pattern;
  return lhs + " LIKE " + pattern;  // SQLite's LIKE ignores ASCII case already
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

// ---------------------------------------------------------------- sessions

struct Session {
  QString key;
  QString qtName;
  Engine engine = Engine::SQLite;
  int refs = 0;
  int depth = 0;           // begin count over all connections of the session
  quint64 generation = 1;  // bumped when a transaction ends
  int savepoints = 0;
  QSqlDatabase db() const { return QSqlDatabase::database(qtName, false); }
  ~Session() {
    {
      QSqlDatabase d = QSqlDatabase::database(qtName, false);
      if (d.isOpen()) d.close();
    }
    QSqlDatabase::removeDatabase(qtName);
  }
};

namespace {

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

int g_counter = 0;

std::shared_ptr<Session> openSession(const ConnectionText &ct, int timeoutSeconds) {
  const QString key = sessionKey(ct);
  auto &map = sessions();
  auto it = map.find(key);
  if (it != map.end()) {
    if (auto s = it->second.lock()) return s;
  }
  auto s = std::make_shared<Session>();
  s->key = key;
  s->engine = ct.engine();
  s->qtName = QString("orv-%1").arg(++g_counter);
  {
    if (s->engine == Engine::SQLite) {
      const QString path = sqlitePath(ct);
      QFileInfo fi(path);
      if (!fi.absoluteDir().exists())
        throw DbError(kErrGeneric,
                      QStringLiteral("데이터베이스 폴더가 없습니다: ") + fi.absolutePath());
      if (!fi.exists())
        throw DbError(kErrGeneric, QStringLiteral("데이터베이스 파일이 없습니다: ") + path);
      QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", s->qtName);
      d.setDatabaseName(path);
      d.setConnectOptions(QString("QSQLITE_BUSY_TIMEOUT=%1").arg(timeoutSeconds * 1000));
      if (!d.open()) throw fromQt(d.lastError());
      QSqlQuery q(d);
      // WAL lets readers and one writer work together; FULL makes a commit survive power loss.
      for (const char *p : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL"}) {
        if (!q.exec(p)) throw fromQt(q.lastError(), p);
      }
    } else {
      QSqlDatabase d = QSqlDatabase::addDatabase("QPSQL", s->qtName);
      d.setHostName(ct.host());
      if (ct.port() > 0) d.setPort(ct.port());
      d.setDatabaseName(ct.database);
      d.setUserName(ct.uid);
      d.setPassword(ct.pwd);
      d.setConnectOptions(QString("connect_timeout=%1").arg(timeoutSeconds));
      if (!d.open()) throw fromQt(d.lastError());
      QSqlQuery q(d);
      q.exec("SET client_min_messages TO WARNING");
    }
  }
  map[key] = s;
  return s;
}

QSqlQuery run(Session &s, const QString &sql) {
  QSqlDatabase d = s.db();
  QSqlQuery q(d);
  q.setForwardOnly(true);
  q.setNumericalPrecisionPolicy(QSql::HighPrecision);
  if (!q.exec(sql)) throw fromQt(q.lastError(), sql);
  return q;
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
    // Work not committed is not kept: end the session's transaction without it.
    s->depth -= depth_;
    if (s->depth <= 0) {
      s->depth = 0;
      try {
        run(*s, "ROLLBACK");
      } catch (...) {
      }
      ++s->generation;
    }
  }
  depth_ = 0;
  --s->refs;
  session_.reset();
  text_.clear();
}

long long Connection::Execute(const QString &sql) {
  if (!session_) throw DbError(kErrNotOpen, QStringLiteral("연결이 열려 있지 않습니다"));
  QSqlQuery q = run(*session_, sql);
  return q.numRowsAffected();
}

namespace {
void readNames(const QSqlQuery &q, QStringList &names, QHash<QString, int> &index) {
  QSqlRecord rec = q.record();
  for (int i = 0; i < rec.count(); ++i) {
    names << rec.fieldName(i);
    index.insert(rec.fieldName(i).toLower(), i);
  }
}
}  // namespace

void Connection::readRows(QSqlQuery &q, Recordset &rs) {
  const int cols = int(rs.names_.size());
  while (q.next()) {
    QVector<QVariant> row(cols);
    for (int i = 0; i < cols; ++i) {
      QVariant v = q.value(i);
      row[i] = q.isNull(i) ? QVariant() : v;
    }
    rs.rows_.push_back(std::move(row));
  }
  rs.open_ = true;
  rs.pos_ = 0;
}

Recordset Connection::OpenRecordset(const QString &sql) {
  if (!session_) throw DbError(kErrNotOpen, QStringLiteral("연결이 열려 있지 않습니다"));
  QSqlQuery q = run(*session_, sql);
  Recordset rs;
  readNames(q, rs.names_, rs.index_);
  readRows(q, rs);
  return rs;
}

Statement Connection::Prepare(const QString &sql) {
  if (!session_) throw DbError(kErrNotOpen, QStringLiteral("연결이 열려 있지 않습니다"));
  Statement st;
  st.session_ = session_;
  st.sql_ = sql;
  st.query_ = std::make_unique<QSqlQuery>(session_->db());
  st.query_->setForwardOnly(true);
  st.query_->setNumericalPrecisionPolicy(QSql::HighPrecision);
  if (!st.query_->prepare(sql)) throw fromQt(st.query_->lastError(), sql);
  return st;
}

// ---------------------------------------------------------------- statement

Statement::Statement() = default;
Statement::~Statement() = default;
Statement::Statement(Statement &&) noexcept = default;
Statement &Statement::operator=(Statement &&) noexcept = default;

void Statement::Bind(int position, const QVariant &value) {
  if (!query_) throw DbError(kErrNotOpen, QStringLiteral("준비된 문장이 없습니다"));
  query_->bindValue(position, value);
}

long long Statement::Execute() {
  if (!query_) throw DbError(kErrNotOpen, QStringLiteral("준비된 문장이 없습니다"));
  if (!query_->exec()) {
    DbError e = fromQt(query_->lastError(), sql_);
    query_->finish();
    throw e;
  }
  const long long n = query_->numRowsAffected();
  query_->finish();  // stays prepared; releases what the engine holds for it
  return n;
}

Recordset Statement::Query() {
  if (!query_) throw DbError(kErrNotOpen, QStringLiteral("준비된 문장이 없습니다"));
  if (!query_->exec()) {
    DbError e = fromQt(query_->lastError(), sql_);
    query_->finish();
    throw e;
  }
  if (!haveNames_) {
    readNames(*query_, names_, index_);
    haveNames_ = true;
  }
  Recordset rs;
  rs.names_ = names_;
  rs.index_ = index_;
  Connection::readRows(*query_, rs);
  query_->finish();
  return rs;
}

std::optional<DbError> Connection::TryExecute(const QString &sql) {
  if (!session_) return DbError(kErrNotOpen, QStringLiteral("연결이 열려 있지 않습니다"));
  if (session_->depth == 0) {
    try {
      Execute(sql);
      return std::nullopt;
    } catch (const DbError &e) {
      return e;
    }
  }
  const QString sp = QString("orv_sp%1").arg(++session_->savepoints);
  run(*session_, "SAVEPOINT " + sp);
  try {
    Execute(sql);
    run(*session_, "RELEASE SAVEPOINT " + sp);
    return std::nullopt;
  } catch (const DbError &e) {
    run(*session_, "ROLLBACK TO SAVEPOINT " + sp);
    run(*session_, "RELEASE SAVEPOINT " + sp);
    return e;
  }
}

void Connection::BeginTrans() {
  if (!session_) throw DbError(kErrNotOpen, QStringLiteral("연결이 열려 있지 않습니다"));
  Session &s = *session_;
  if (depth_ > 0 && generation_ != s.generation) depth_ = 0;  // ours was rolled back
  if (s.depth == 0) {
    run(s, s.engine == Engine::SQLite ? "BEGIN IMMEDIATE" : "BEGIN");
  }
  ++s.depth;
  ++depth_;
  generation_ = s.generation;
}

void Connection::CommitTrans() {
  if (!session_) throw DbError(kErrNotOpen, QStringLiteral("연결이 열려 있지 않습니다"));
  Session &s = *session_;
  if (depth_ == 0)
    throw DbError(kErrNoTransaction, QStringLiteral("열린 트랜잭션이 없습니다"));
  if (generation_ != s.generation) {
    depth_ = 0;
    throw DbError(kErrNoTransaction,
                  QStringLiteral("같은 데이터베이스의 다른 연결이 트랜잭션을 취소했습니다"));
  }
  if (s.depth == 1) {
    try {
      run(s, "COMMIT");
    } catch (const DbError &) {
      // A failed commit must not leave the transaction open.
      try {
        run(s, "ROLLBACK");
      } catch (...) {
      }
      s.depth = 0;
      ++s.generation;
      depth_ = 0;
      throw;
    }
    s.depth = 0;
    ++s.generation;
  } else {
    --s.depth;
  }
  --depth_;
}

void Connection::RollbackTrans() {
  if (!session_) throw DbError(kErrNotOpen, QStringLiteral("연결이 열려 있지 않습니다"));
  Session &s = *session_;
  if (depth_ == 0 || generation_ != s.generation) {
    depth_ = 0;
    return;  // nothing of ours is open any more
  }
  depth_ = 0;
  s.depth = 0;
  ++s.generation;
  run(s, "ROLLBACK");
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
    QFileInfo fi(path);
    if (!fi.absoluteDir().exists())
      throw DbError(kErrGeneric,
                    QStringLiteral("데이터베이스 폴더가 없습니다: ") + fi.absolutePath());
    if (fi.exists())
      throw DbError(kErrGeneric, QStringLiteral("데이터베이스가 이미 있습니다: ") + path);
    const QString name = QString("orv-create-%1").arg(++g_counter);
    {
      QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", name);
      d.setDatabaseName(path);
      bool ok = d.open();
      DbError err = fromQt(d.lastError());
      if (ok) {
        QSqlQuery q(d);
        ok = q.exec("PRAGMA journal_mode=WAL");
        if (!ok) err = fromQt(q.lastError());
      }
      d.close();
      if (!ok) {
        QSqlDatabase::removeDatabase(name);
        throw err;
      }
    }
    QSqlDatabase::removeDatabase(name);
    return;
  }
  Connection admin;
  admin.Open(pgAdminText(ct));
  admin.Execute("CREATE DATABASE " + pgIdentifier(ct.database));
}

}  // namespace orv::db
