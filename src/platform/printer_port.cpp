#include "platform/printer_port.h"

#include <QFile>
#include <QSerialPort>
#include <QTcpSocket>
#include <stdexcept>

#include "platform/datafolder.h"

namespace orv::printer_port {
namespace {
[[noreturn]] void fail(const QString &msg) { throw std::runtime_error(msg.toStdString()); }
}  // namespace

QString Target(const QString &port) {
  const QString p = port.trimmed();
  if (p.startsWith("LPT", Qt::CaseInsensitive)) return datafolder::Path(p.toUpper() + ".prn");
  if (p.startsWith("COM", Qt::CaseInsensitive)) {
    bool ok = false;
    int n = p.mid(3).toInt(&ok);
    QString env = qEnvironmentVariable(("ORVPOS_" + p.toUpper()).toLatin1().constData());
    if (!env.isEmpty()) return env;
    return ok && n > 0 ? QString("/dev/ttyS%1").arg(n - 1) : QString();
  }
  return p;
}

void Write(const QString &port, const QByteArray &bytes) {
  const QString p = port.trimmed();
  if (p.isEmpty()) fail(QStringLiteral("프린터 포트가 설정되지 않았습니다"));
  if (p.startsWith("tcp:", Qt::CaseInsensitive)) {
    const QStringList parts = p.split(':');
    if (parts.size() != 3) fail(QStringLiteral("프린터 주소가 잘못되었습니다: ") + p);
    QTcpSocket s;
    s.connectToHost(parts[1], quint16(parts[2].toUInt()));
    if (!s.waitForConnected(3000)) fail(QStringLiteral("프린터에 연결할 수 없습니다: ") + p);
    s.write(bytes);
    if (!s.waitForBytesWritten(5000)) fail(QStringLiteral("프린터에 쓸 수 없습니다: ") + p);
    s.disconnectFromHost();
    return;
  }
  const QString target = Target(p);
  if (target.isEmpty()) fail(QStringLiteral("프린터 포트가 잘못되었습니다: ") + p);
  if (p.startsWith("COM", Qt::CaseInsensitive) && !target.startsWith(datafolder::Root())) {
    QSerialPort sp(target);
    sp.setBaudRate(9600);
    if (!sp.open(QIODevice::WriteOnly))
      fail(QStringLiteral("포트를 열 수 없습니다: ") + target + " (" + sp.errorString() + ")");
    sp.write(bytes);
    sp.waitForBytesWritten(5000);
    sp.close();
    return;
  }
  QFile f(target);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
    fail(QStringLiteral("포트를 열 수 없습니다: ") + target + " (" + f.errorString() + ")");
  if (f.write(bytes) != bytes.size()) fail(QStringLiteral("포트에 쓸 수 없습니다: ") + target);
}

}  // namespace orv::printer_port
