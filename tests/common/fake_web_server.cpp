#include "fake_web_server.h"

#include <QTcpSocket>
#include <memory>

namespace orvtest {

FakeWebServer::FakeWebServer() {
  server_.listen(QHostAddress::LocalHost, 0);
  QObject::connect(&server_, &QTcpServer::newConnection, this, [this] { OnConnection(); });
}

QString FakeWebServer::BaseUrl() const {
  return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
}

void FakeWebServer::SetPage(const QString &target, const QByteArray &body, int status,
                            const QList<QByteArray> &extraHeaders) {
  pages_.insert(target, Page{body, status, extraHeaders});
}

void FakeWebServer::OnConnection() {
  while (QTcpSocket *sock = server_.nextPendingConnection()) {
    sock->setParent(this);
    ++connections_;
    QObject::connect(sock, &QTcpSocket::disconnected, this, [this] { ++closed_; });
    auto buffer = std::make_shared<QByteArray>();
    QObject::connect(sock, &QTcpSocket::readyRead, this, [this, sock, buffer] {
      buffer->append(sock->readAll());
      if (!buffer->contains("\r\n\r\n")) return;
      const QList<QByteArray> first = buffer->left(buffer->indexOf("\r\n")).split(' ');
      const QString target = first.size() > 1 ? QString::fromLatin1(first[1]) : QString();
      requests_.append(target);
      heads_.append(buffer->left(buffer->indexOf("\r\n\r\n")));
      buffer->clear();
      if (silent_) return;
      const Page page = pages_.value(target, Page{"not found", 404, {}});
      QByteArray out = "HTTP/1.1 " + QByteArray::number(page.status) +
                       (page.status == 200 ? " OK" : " Error") + "\r\nContent-Type: text/html\r\n";
      if (!keepAlive_) out += "Connection: close\r\n";
      for (const QByteArray &h : page.headers) out += h + "\r\n";
      out += "Content-Length: " + QByteArray::number(page.body.size()) + "\r\n\r\n" + page.body;
      sock->write(out);
      if (!keepAlive_) sock->disconnectFromHost();
    });
  }
}

QString ClosedPortUrl() {
  QTcpServer s;
  s.listen(QHostAddress::LocalHost, 0);
  const quint16 port = s.serverPort();
  s.close();
  return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

}  // namespace orvtest
