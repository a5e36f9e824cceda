#include "platform/printer_port.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QTcpSocket>
#include <cerrno>
#include <algorithm>
#include <cstring>

#include "platform/serial_port.h"

namespace orv::printer_port {
namespace {

int g_timeoutMs = 5000;
Sink g_sink;

[[noreturn]] void fail(const QString &text) { throw PortError(text); }

QString sysError(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

// Sends what the sink or the device should get; true when the sink took it.
bool toSink(Kind kind, const QString &device, const QByteArray &bytes) {
  if (!g_sink) return false;
  g_sink(kind, device, bytes);
  return true;
}

int remainingMs(const QDeadlineTimer &deadline) {
  const qint64 ms = deadline.remainingTime();
  return ms < 0 ? 0 : int(ms);
}

void writeDeviceFile(const QString &path, const QByteArray &bytes) {
  const QByteArray name = QFile::encodeName(path);
  // Non-blocking, so that neither a FIFO without reader nor a stalled printer can hang
  // the till: the open fails at once, a full device is waited for with a time-out.
  const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_APPEND);
  if (fd < 0) {
    const int err = errno;
    fail(QStringLiteral("프린터 장치를 열 수 없습니다: ") + path + " (" + sysError(err) + ")");
  }
  const QDeadlineTimer deadline(g_timeoutMs);
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
    if (n > 0) {
      done += n;
      continue;
    }
    const int err = n < 0 ? errno : EAGAIN;
    if (err == EINTR) continue;
    if (err != EAGAIN && err != EWOULDBLOCK) {
      ::close(fd);
      fail(QStringLiteral("프린터에 쓸 수 없습니다: ") + path + " (" + sysError(err) + ")");
    }
    pollfd p{fd, POLLOUT, 0};
    const int r = ::poll(&p, 1, remainingMs(deadline));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) {
      ::close(fd);
      fail(QStringLiteral("프린터 응답 시간이 지났습니다: ") + path);
    }
    if ((p.revents & (POLLERR | POLLHUP | POLLNVAL)) && !(p.revents & POLLOUT)) {
      ::close(fd);
      fail(QStringLiteral("프린터에 쓸 수 없습니다: ") + path);
    }
  }
  if (::close(fd) != 0) {
    const int err = errno;
    fail(QStringLiteral("프린터 장치를 닫을 수 없습니다: ") + path + " (" + sysError(err) + ")");
  }
}

}  // namespace

PortError::PortError(const QString &text) : std::runtime_error(text.toStdString()) {}

int TimeoutMs() { return g_timeoutMs; }
void SetTimeoutMs(int ms) { g_timeoutMs = ms > 0 ? ms : 1; }
void SetCaptureSink(Sink sink) { g_sink = std::move(sink); }
bool HasCaptureSink() { return bool(g_sink); }

bool ParseTcp(const QString &device, QString *host, quint16 *port) {
  if (!device.startsWith(QLatin1String("tcp:"), Qt::CaseInsensitive)) return false;
  const QString rest = device.mid(4).trimmed();
  QString h = rest;
  int number = 9100;
  const int colon = rest.lastIndexOf(':');
  if (colon >= 0) {
    h = rest.left(colon);
    bool ok = false;
    number = rest.mid(colon + 1).toInt(&ok);
    if (!ok || number < 1 || number > 65535) return false;
  }
  if (h.isEmpty()) return false;
  if (host) *host = h;
  if (port) *port = quint16(number);
  return true;
}

void WriteDevice(const QString &device, const QByteArray &bytes) {
  if (device.startsWith(QLatin1String("tcp:"), Qt::CaseInsensitive)) return WriteTcp(device, bytes);
  if (toSink(Kind::DeviceFile, device, bytes)) return;
  writeDeviceFile(device, bytes);
}

void WriteTcp(const QString &device, const QByteArray &bytes) {
  QString host;
  quint16 port = 0;
  if (!ParseTcp(device, &host, &port))
    fail(QStringLiteral("프린터 주소가 잘못되었습니다: ") + device);
  if (toSink(Kind::Tcp, device, bytes)) return;
  const QDeadlineTimer deadline(g_timeoutMs);
  QTcpSocket s;
  s.connectToHost(host, port);
  if (!s.waitForConnected(remainingMs(deadline)))
    fail(QStringLiteral("프린터에 연결할 수 없습니다: ") + device + " (" + s.errorString() + ")");
  if (s.write(bytes) != bytes.size())
    fail(QStringLiteral("프린터에 쓸 수 없습니다: ") + device + " (" + s.errorString() + ")");
  while (s.bytesToWrite() > 0) {
    if (!s.waitForBytesWritten(remainingMs(deadline)))
      fail(QStringLiteral("프린터에 쓸 수 없습니다: ") + device + " (" + s.errorString() + ")");
  }
  s.disconnectFromHost();
  if (s.state() != QAbstractSocket::UnconnectedState && !s.waitForDisconnected(remainingMs(deadline)))
    fail(QStringLiteral("프린터 연결을 닫을 수 없습니다: ") + device + " (" + s.errorString() + ")");
}

namespace {
// The shared serial port at the printer's line settings.
void openSerial(serial::Port &port, const QString &device) {
  port.SetDevicePath(device);
  port.SetSettings(QStringLiteral("9600,N,8,1"));
  try {
    port.Open();
  } catch (const serial::SerialError &e) {
    fail(QStringLiteral("포트를 열 수 없습니다: ") + device + " (" + e.Description + ")");
  }
}
}  // namespace

void WriteSerial(const QString &device, const QByteArray &bytes) {
  if (bytes.isEmpty()) return;
  if (toSink(Kind::Serial, device, bytes)) return;
  const QDeadlineTimer deadline(g_timeoutMs);
  serial::Port port;
  openSerial(port, device);
  try {
    port.Output(bytes, std::max(1, remainingMs(deadline)));
  } catch (const serial::SerialError &e) {
    port.Close();
    fail(QStringLiteral("포트에 쓸 수 없습니다: ") + device + " (" + e.Description + ")");
  }
  port.Close();
}

void CheckSerial(const QString &device) {
  if (toSink(Kind::Serial, device, QByteArray())) return;
  serial::Port port;
  openSerial(port, device);
  port.Close();
}

void AppendStandInFile(const QString &path, const QByteArray &bytes) {
  if (toSink(Kind::StandInFile, path, bytes)) return;
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
    fail(QStringLiteral("포트를 열 수 없습니다: ") + path + " (" + f.errorString() + ")");
  if (f.write(bytes) != bytes.size() || !f.flush())
    fail(QStringLiteral("포트에 쓸 수 없습니다: ") + path + " (" + f.errorString() + ")");
  f.close();
  if (f.error() != QFileDevice::NoError)
    fail(QStringLiteral("포트를 닫을 수 없습니다: ") + path + " (" + f.errorString() + ")");
}

}  // namespace orv::printer_port
