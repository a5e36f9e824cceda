#include "core/application.h"
#include "core/connections.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QStringList>

#include "core/daily_log.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "platform/http.h"
#include "platform/settings_store.h"

namespace orv::web {

QString WebServerBase() {
  QString v = TrimBlanks(orv::settings_store::GetSetting(kWebServerKey));
  if (v.isEmpty()) return {};
  if (!v.contains(QLatin1String("://"))) v = QStringLiteral("http://") + v;
  while (v.endsWith(QLatin1Char('/'))) v.chop(1);
  return v;
}

}  // namespace orv::web

ConnectionFields SplitConnectionFields(const QString &text) {
  ConnectionFields f;
  auto driverOf = [](const QString &d) {
    return d.compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("PostgreSQL")
               : QStringLiteral("SQLite");
  };
  try {
    const orv::db::ConnectionText ct = orv::db::SplitConnectionText(text);
    const QStringList keys = {"server", "uid", "pwd", "database"};
    bool any = false;
    for (const QString &k : keys) any = any || ct.all.contains(k);
    if (any) {
      f.driver = driverOf(ct.driver);
      f.server = ct.server;
      f.uid = ct.uid;
      f.pwd = ct.pwd;
      f.database = ct.database;
      return f;
    }
  } catch (const orv::db::DbError &) {
  }
  const QStringList parts = text.split(QLatin1Char(';'));
  auto value = [&](int i) {
    if (i >= parts.size() || !parts[i].contains(QLatin1Char('='))) return QString();
    return parts[i].section(QLatin1Char('='), 1).trimmed();
  };
  f.server = value(0);
  f.driver = driverOf(value(1).remove(QLatin1Char('{')).remove(QLatin1Char('}')));
  f.uid = value(2);
  f.pwd = value(3);
  f.database = value(4);
  return f;
}

int16_t OpenDbConnection(orv::db::Connection &conn, int16_t posFlag, QString *errorText) {
  long number = orv::db::kErrGeneric;
  QString description;
  try {
    const QString text = posFlag != 0 ? gsSetPosDB : ResolveMainDbServer(gsSetMainDB);
    conn.Close();
    conn.Open(text, 10);
    return 0;
  } catch (const orv::db::DbError &e) {
    number = e.Number;
    description = e.Description;
  } catch (const std::exception &e) {
    description = QString::fromLocal8Bit(e.what());
  }
  const QString text = orv::ErrorBoxText(number, description);
  if (errorText) *errorText = text;
  orv::dialogs::Critical(text, QStringLiteral("DB연결실패"));
  return 1;
}

void CloseProgramConnections() {
  for (orv::db::Connection *c : {&goDbMain, &goDbPos, &goDbTs}) {
    try {
      c->Close();
    } catch (const orv::db::DbError &e) {
      TryWriteLog(orv::dailylog::kDatabaseFailure, e.Description);
    }
  }
}

QString ResolveMainDbServer(const QString &connectionText) {
  const qsizetype semi = connectionText.indexOf(QLatin1Char(';'));
  if (semi < 0) return connectionText;
  const QString before = connectionText.left(semi);
  return before.left(7) + ResolveServerHost(before.mid(7), 0) + connectionText.mid(semi);
}

QString ResolveServerHost(const QString &serverName, int16_t useMainWindow) {
  QString t = TrimBlanks(serverName);
  const QString head = TrimBlanks(t.left(8));
  const QString tail = TrimBlanks(t.mid(8));
  // An empty head counts as a code too.
  if (KeepDigits(head, 0) == head) {
    const QString address = GetWebHostIp(head, useMainWindow);
    if (!address.isEmpty()) t = address + tail;
  }
  return t;
}

QString ParseNamePageReply(const QString &reply) {
  QString r = reply;
  r.remove(QLatin1Char('\r'));
  r.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  r.replace(QLatin1String("<P>"), QLatin1String("\r\n"));
  if (TrimBlanks(r).isEmpty() || !r.contains(QLatin1String("\r\n"))) return {};
  const QStringList lines = r.split(QLatin1String("\r\n"));
  for (const QString &line : lines) {
    const QString l = TrimBlanks(line);
    if (l.startsWith(QLatin1String("~>"))) return TrimBlanks(l.mid(2));
  }
  return {};
}

QString GetWebHostIp(const QString &code, int16_t /*useMainWindow*/) {
  const QString base = orv::web::WebServerBase();
  if (base.isEmpty()) return {};
  const auto reply = orv::http::Get(base + QStringLiteral("/orvmyipdn.php?Tna=") + code,
                                    orv::web::kNamePageTimeoutMs);
  if (!reply.Success()) return {};
  return ParseNamePageReply(reply.Text());
}

QString GetIPFromHost(const QString &hostName) {
  static const QString kNone = QStringLiteral("No DNS Entry");
  if (hostName.isEmpty() || hostName.size() > 64) return kNone;
  const QHostInfo info = QHostInfo::fromName(hostName);
  if (info.error() != QHostInfo::NoError) return kNone;
  for (const QHostAddress &a : info.addresses()) {
    bool ok = false;
    const quint32 v4 = a.toIPv4Address(&ok);
    if (!ok) continue;
    return IPBytesToText({uint8_t(v4 >> 24), uint8_t(v4 >> 16), uint8_t(v4 >> 8), uint8_t(v4)});
  }
  return kNone;
}

QString IPBytesToText(const std::array<uint8_t, 4> &bytes) {
  return QStringLiteral("%1.%2.%3.%4").arg(bytes[0]).arg(bytes[1]).arg(bytes[2]).arg(bytes[3]);
}
