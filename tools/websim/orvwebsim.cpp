// The shop system's web server for the checkout's goods price lookup: GET
// /orvprisgp.php?Bar=<barcode>&Tna=<shop code> answers one line of 14 parts per shop that
// knows the barcode, /orvprisdn.php the same in 10 parts; each line starts "~>", parts are
// separated by apostrophes, lines end in "<P>"; the text is in CP949, as are the query's
// percent-encoded values. Anything else is 404.
//
//   orvwebsim [port] [prices file]      (port 8089; port 0 picks a free one)
//
// Prints "listening on <port>" once it listens. The prices file has one shop's row per
// line, fields separated by '|': barcode|shop code|name|standard|purchase|second purchase|
// sale|tax-free|box|date|public name|group name|group no|own group no. Lines starting
// with '#' are skipped.
#include <QCoreApplication>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>
#include <cstdio>
#include <memory>

#include "sim_common.h"

namespace {

QList<QStringList> LoadRows(const QString &path) {
  QList<QStringList> rows;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return rows;
  for (const QByteArray &raw : f.readAll().split('\n')) {
    const QString line = QString::fromUtf8(raw).trimmed();
    if (line.isEmpty() || line.startsWith('#')) continue;
    QStringList parts = line.split('|');
    while (parts.size() < 14) parts << QString();
    rows << parts;
  }
  return rows;
}

// A query value: its percent-encoded bytes decoded, read as CP949.
QString QueryValue(const QByteArray &query, const QByteArray &name) {
  for (const QByteArray &pair : query.split('&')) {
    const int eq = pair.indexOf('=');
    if (eq < 0 || pair.left(eq) != name) continue;
    QString text;
    vansim::FromCp949(QByteArray::fromPercentEncoding(pair.mid(eq + 1)), &text);
    return text;
  }
  return {};
}

QByteArray Page(const QList<QStringList> &rows, const QByteArray &target, int *status) {
  const int q = target.indexOf('?');
  const QByteArray path = q < 0 ? target : target.left(q);
  const QByteArray query = q < 0 ? QByteArray() : target.mid(q + 1);
  int parts = 0;
  if (path == "/orvprisgp.php") parts = 14;
  if (path == "/orvprisdn.php") parts = 10;
  if (!parts) {
    *status = 404;
    return "not found";
  }
  *status = 200;
  const QString bar = QueryValue(query, "Bar").trimmed();
  QString body = QStringLiteral("<html><body>\r\n");
  for (const QStringList &r : rows) {
    if (bar.isEmpty() || r[0] != bar) continue;
    body += QStringLiteral("~>'") + r.mid(1, parts - 1).join('\'') + QStringLiteral("<P>\r\n");
  }
  body += QStringLiteral("</body></html>\r\n");
  return vansim::ToCp949(body);
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  const quint16 port = args.size() > 1 ? quint16(args[1].toUInt()) : 8089;
  const QString file = args.size() > 2 ? args[2] : QStringLiteral(ORVWEBSIM_PRICES);
  const QList<QStringList> rows = LoadRows(file);

  QTcpServer server;
  if (!server.listen(QHostAddress::LocalHost, port)) {
    std::fprintf(stderr, "orvwebsim: cannot listen on %u: %s\n", unsigned(port),
                 server.errorString().toLocal8Bit().constData());
    return 1;
  }
  QObject::connect(&server, &QTcpServer::newConnection, [&] {
    while (QTcpSocket *sock = server.nextPendingConnection()) {
      auto buffer = std::make_shared<QByteArray>();
      QObject::connect(sock, &QTcpSocket::disconnected, sock, &QObject::deleteLater);
      QObject::connect(sock, &QTcpSocket::readyRead, sock, [sock, buffer, &rows] {
        buffer->append(sock->readAll());
        if (!buffer->contains("\r\n\r\n")) return;
        const QList<QByteArray> first = buffer->left(buffer->indexOf("\r\n")).split(' ');
        buffer->clear();
        int status = 400;
        QByteArray body = "bad request";
        if (first.size() > 1 && first[0] == "GET") body = Page(rows, first[1], &status);
        sock->write("HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Error") +
                    "\r\nContent-Type: text/html; charset=euc-kr\r\nConnection: close\r\n"
                    "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        sock->disconnectFromHost();
      });
    }
  });
  std::printf("listening on %u\n", unsigned(server.serverPort()));
  std::fflush(stdout);
  return app.exec();
}
