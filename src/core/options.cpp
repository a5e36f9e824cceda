#include "core/options.h"

#include <QHash>
#include <QVariant>
#include <functional>
#include <vector>

#include "core/globals.h"
#include "core/values.h"

using orv::db::Connection;
using orv::db::SqlText;

namespace {

QString RTrimBlanks(const QString &s) {
  qsizetype e = s.size();
  while (e > 0 && s[e - 1] == QLatin1Char(' ')) --e;
  return s.left(e);
}

// "column matches value" as the shop databases have always compared keys: letter case
// and trailing blanks do not count.
QString KeyMatch(const Connection &conn, const char *column, const QString &value) {
  return conn.dialect().CiEquals(QStringLiteral("RTRIM(%1)").arg(QLatin1String(column)),
                                 SqlText(RTrimBlanks(value)));
}

QString RegistrySelect(const Connection &conn, const char *table, const QString &key) {
  return QStringLiteral("Select * from %1 Where ").arg(QLatin1String(table)) +
         KeyMatch(conn, "regKey", key);
}

QString EnvironmentSelect(const Connection &conn, const QString &userId, const QString &key) {
  return QStringLiteral("Select * from OrvEnvironment Where ") + KeyMatch(conn, "EnvID", userId) +
         QStringLiteral(" And ") + KeyMatch(conn, "EnvKey", key);
}

int32_t ToLong(const QVariant &v) {
  const orv::Currency c = NzCur(v);
  const int64_t whole = c.raw() / orv::Currency::kScale;
  if (whole < INT32_MIN || whole > INT32_MAX) return 0;
  return int32_t(whole);
}

int g_readsOnce = 0;  // OptionReadsOnce guards alive
uint64_t g_scope = 0, g_scopes = 0;
std::vector<void (*)()> &scopeEnds() {
  static std::vector<void (*)()> fns;
  return fns;
}
QHash<QString, QVariant> g_read;  // what they read: connection, statement, column

// The column of the first row of what `sql` (kept in gsSql) selects; null when there is
// no row or the read fails.
QVariant ReadFirst(Connection &conn, const QString &sql, const char *column) {
  gsSql = sql;
  const QString memo = g_readsOnce > 0 ? conn.Text() + '\n' + sql + '\n' + QLatin1String(column)
                                       : QString();
  if (!memo.isEmpty()) {
    const auto it = g_read.constFind(memo);
    if (it != g_read.constEnd()) return *it;
  }
  QVariant value;
  try {
    orv::db::Recordset rs = conn.OpenRecordset(gsSql);
    if (rs.RecordCount() > 0) {
      rs.MoveFirst();
      value = rs.Field(QLatin1String(column));
    }
  } catch (const orv::db::DbError &) {
    return {};  // reads as 0 or "" (see options.h); a failed read is tried again next time
  }
  if (!memo.isEmpty()) g_read.insert(memo, value);
  return value;
}

// Inserts the row when `select` finds none, else updates its integer value and writes
// its other value columns back as they were read, in one transaction on goDbMain.
struct Upsert {
  QString select;
  QString prefix;  // column prefix: "reg" or "Env"
  std::function<QString()> insert;
  std::function<QString(const QString &charValue, const QString &textValue,
                        const int32_t spare[5])>
      update;
};

void RunUpsert(const Upsert &u) {
  g_read.clear();
  Connection &conn = goDbMain;
  try {
    orv::db::Transaction tx(conn);
    gsSql = u.select;
    orv::db::Recordset rs = conn.OpenRecordset(gsSql);
    if (rs.RecordCount() < 1) {
      gsSql = u.insert();
    } else {
      rs.MoveFirst();
      const QString charValue = TrimBlanks(NzStr(rs.Field(u.prefix + QStringLiteral("Char"))));
      const QString textValue = TrimBlanks(NzStr(rs.Field(u.prefix + QStringLiteral("Text"))));
      int32_t spare[5];
      for (int i = 0; i < 5; ++i)
        spare[i] = ToLong(rs.Field(u.prefix + QStringLiteral("Sss") + QString::number(i + 1)));
      gsSql = u.update(charValue, textValue, spare);
    }
    conn.Execute(gsSql);
    tx.Commit();
  } catch (const orv::db::DbError &) {
    // The option stays as it was (see options.h).
  }
}

QString Spares(const char *prefix, const int32_t spare[5]) {
  QString s;
  for (int i = 0; i < 5; ++i)
    s += QStringLiteral(", %1Sss%2=%3").arg(QLatin1String(prefix)).arg(i + 1).arg(spare[i]);
  return s;
}

}  // namespace

OptionReadsOnce::OptionReadsOnce() {
  if (g_readsOnce++ == 0) g_scope = ++g_scopes;
}
OptionReadsOnce::~OptionReadsOnce() {
  if (--g_readsOnce > 0) return;
  g_read.clear();
  g_scope = 0;
  for (void (*fn)() : scopeEnds()) fn();
}
void AtOptionReadsEnd(void (*fn)()) { scopeEnds().push_back(fn); }
uint64_t OptionReadsScope() { return g_scope; }

int32_t GetRegInt(const QString &key) { return GetRegIntOn(goDbMain, key); }

int32_t GetRegIntOn(Connection &conn, const QString &key) {
  if (!conn.IsOpen()) return 0;
  return ToLong(ReadFirst(conn, RegistrySelect(conn, "OrvRegistry", key), "RegInt"));
}

orv::Currency GetRegCur(const QString &key) {
  return NzCur(ReadFirst(goDbMain, RegistrySelect(goDbMain, "OrvRegistry", key), "RegInt"));
}

int32_t GetRegIntTs(const QString &key) {
  return ToLong(ReadFirst(goDbPos, RegistrySelect(goDbPos, "OrvRegistryTs", key), "RegInt"));
}

int32_t GetRegIntSvr(const QString &key) {
  return ToLong(ReadFirst(goDbTs, RegistrySelect(goDbTs, "OrvRegistry", key), "RegInt"));
}

QString GetRegChar(const QString &key) {
  return TrimBlanks(
      NzStr(ReadFirst(goDbMain, RegistrySelect(goDbMain, "OrvRegistry", key), "RegChar")));
}

QString GetRegText(const QString &key) {
  return TrimBlanks(
      NzStr(ReadFirst(goDbMain, RegistrySelect(goDbMain, "OrvRegistry", key), "RegText")));
}

int32_t GetEnvInt(const QString &userId, const QString &key) {
  return ToLong(ReadFirst(goDbMain, EnvironmentSelect(goDbMain, userId, key), "EnvInt"));
}

void SetRegistry(const QString &key, int32_t value) {
  const QString key2 = TrimBlanks(key);
  Upsert u;
  u.select = RegistrySelect(goDbMain, "OrvRegistry", key);
  u.prefix = QStringLiteral("reg");
  u.insert = [&] {
    return QStringLiteral(
               "Insert into OrvRegistry(regKey, regInt, regChar, regText, regSss1, regSss2, "
               "regSss3, regSss4, regSss5) Values(") +
           SqlText(key2) + QStringLiteral(", %1, '', '', 0, 0, 0, 0, 0)").arg(value);
  };
  u.update = [&](const QString &c, const QString &t, const int32_t spare[5]) {
    return QStringLiteral("Update OrvRegistry Set regInt=%1, regChar=").arg(value) + SqlText(c) +
           QStringLiteral(", regText=") + SqlText(t) + Spares("reg", spare) +
           QStringLiteral(" Where ") + KeyMatch(goDbMain, "regKey", key2);
  };
  RunUpsert(u);
}

void SetEnvironment(const QString &userId, const QString &key, int32_t value) {
  const QString key2 = TrimBlanks(key);
  const QString id2 = TrimBlanks(userId);
  Upsert u;
  u.select = EnvironmentSelect(goDbMain, userId, key);
  u.prefix = QStringLiteral("Env");
  u.insert = [&] {
    return QStringLiteral(
               "Insert into OrvEnvironment(EnvID, EnvKey, EnvInt, EnvChar, EnvText, EnvSss1, "
               "EnvSss2, EnvSss3, EnvSss4, EnvSss5) Values(") +
           SqlText(id2) + QStringLiteral(", ") + SqlText(key2) +
           QStringLiteral(", %1, '', '', 0, 0, 0, 0, 0)").arg(value);
  };
  u.update = [&](const QString &c, const QString &t, const int32_t spare[5]) {
    return QStringLiteral("Update OrvEnvironment Set EnvInt=%1, EnvChar=").arg(value) +
           SqlText(c) + QStringLiteral(", EnvText=") + SqlText(t) + Spares("Env", spare) +
           QStringLiteral(" Where ") + KeyMatch(goDbMain, "EnvID", userId) +
           QStringLiteral(" And ") + KeyMatch(goDbMain, "EnvKey", key2);
  };
  RunUpsert(u);
}
