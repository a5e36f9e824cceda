#include "sim_common.h"

#include <iconv.h>

#include <QFile>
#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <memory>

namespace vansim {

namespace {
QByteArray Convert(const char *to, const char *from, const QByteArray &in, bool *ok) {
  iconv_t cd = iconv_open(to, from);
  QByteArray out(in.size() * 4 + 16, '\0');
  char *src = const_cast<char *>(in.constData());
  size_t srcLeft = size_t(in.size());
  char *dst = out.data();
  size_t dstLeft = size_t(out.size());
  const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (ok) *ok = r != size_t(-1);
  out.resize(out.size() - int(dstLeft));
  return out;
}
}  // namespace

QByteArray ToCp949(const QString &text) { return Convert("CP949", "UTF-8", text.toUtf8(), nullptr); }

bool FromCp949(const QByteArray &bytes, QString *text) {
  bool ok = false;
  const QByteArray utf8 = Convert("UTF-8", "CP949", bytes, &ok);
  *text = QString::fromUtf8(utf8);
  return ok;
}

QByteArray Frame(const QStringList &fields) {
  const QByteArray body = ToCp949(fields.join(QChar(kFs)));
  return QByteArray::number(body.size()).rightJustified(4, '0') + body;
}

bool ReadFrame(FILE *f, QStringList *fields, QByteArray *raw) {
  char head[4];
  if (fread(head, 1, 4, f) != 4) return false;
  for (char c : head)
    if (c < '0' || c > '9') return false;
  const int len = QByteArray(head, 4).toInt();
  QByteArray body(len, '\0');
  if (len > 0 && fread(body.data(), 1, size_t(len), f) != size_t(len)) return false;
  *raw = QByteArray(head, 4) + body;
  QString text;
  if (!FromCp949(body, &text)) {
    *fields = QStringList{QStringLiteral("?")};
    return true;
  }
  *fields = text.split(QChar(kFs));
  return true;
}

bool TakeFrame(QByteArray &buffer, QStringList *fields, QByteArray *raw) {
  if (buffer.size() < 4) return false;
  const int len = buffer.left(4).toInt();
  if (buffer.size() < 4 + len) return false;
  *raw = buffer.left(4 + len);
  buffer.remove(0, 4 + len);
  QString text;
  *fields = FromCp949(raw->mid(4), &text) ? text.split(QChar(kFs)) : QStringList{QStringLiteral("?")};
  return true;
}

void WriteAll(FILE *f, const QByteArray &bytes) {
  fwrite(bytes.constData(), 1, size_t(bytes.size()), f);
  fflush(f);
}

Scenario::Scenario() {
  const QString path = qEnvironmentVariable("ORVVANSIM_SCENARIO");
  if (path.isEmpty()) return;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return;
  for (const QByteArray &l : file.readAll().split('\n')) {
    const QString line = QString::fromUtf8(l).trimmed();
    if (!line.isEmpty() && !line.startsWith(QLatin1Char('#'))) lines_ << line;
  }
}

QMap<QString, QString> Scenario::Next() {
  QMap<QString, QString> words;
  if (next_ >= lines_.size()) return words;
  for (const QString &w : lines_[next_++].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const int eq = w.indexOf(QLatin1Char('='));
    if (eq < 0) words.insert(w, QStringLiteral("1"));
    else words.insert(w.left(eq), w.mid(eq + 1));
  }
  return words;
}

void Journal(const QString &what, const QByteArray &raw) {
  const QString path = qEnvironmentVariable("ORVVANSIM_JOURNAL");
  if (path.isEmpty()) return;
  QFile file(path);
  if (!file.open(QIODevice::Append)) return;
  file.write(what.toUtf8() + " | " + raw.toHex() + "\n");
}

int ServeTcp(int argc, char **argv, const std::function<void(QTcpSocket *, QByteArray &)> &onData) {
  QTcpServer server;
  if (!server.listen(QHostAddress::LocalHost, quint16(argc > 1 ? atoi(argv[1]) : 0))) {
    fprintf(stderr, "cannot listen: %s\n", qPrintable(server.errorString()));
    return 1;
  }
  printf("port %d\n", server.serverPort());
  fflush(stdout);
  QObject::connect(&server, &QTcpServer::newConnection, [&] {
    while (QTcpSocket *sock = server.nextPendingConnection()) {
      QObject::connect(sock, &QTcpSocket::disconnected, sock, &QObject::deleteLater);
      auto buffer = std::make_shared<QByteArray>();
      QObject::connect(sock, &QTcpSocket::readyRead, sock, [sock, buffer, &onData] {
        buffer->append(sock->readAll());
        onData(sock, *buffer);
      });
    }
  });
  return QCoreApplication::exec();
}

void SleepMs(int ms) {
  if (ms > 0) QThread::msleep(ulong(ms));
}

}  // namespace vansim
