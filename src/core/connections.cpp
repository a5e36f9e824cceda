#include "core/application.h"
#include "core/connections.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QStringList>

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

int16_t OpenDbConnection(orv::db::Connection &conn, int16_t posFlag) {
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
  orv::dialogs::Critical(orv::ErrorBoxText(number, description), QStringLiteral("DB연결실패"));
  return 1;
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
