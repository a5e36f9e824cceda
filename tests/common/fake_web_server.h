#pragma once
// A web server on loopback for tests: answers GET requests with set pages; can also
// accept requests and never answer.
#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QTcpServer>

namespace orvtest {

class FakeWebServer : public QObject {
 public:
  FakeWebServer();
  // "http://127.0.0.1:port"
  QString BaseUrl() const;
  // Path with query, as requested ("/orvmyipdn.php?Tna=1234"). Others get 404.
  // extraHeaders: whole lines without their CRLF ("Set-Cookie: a=1").
  void SetPage(const QString &target, const QByteArray &body, int status = 200,
               const QList<QByteArray> &extraHeaders = {});
  void SetSilent(bool silent) { silent_ = silent; }
  // Answers without "Connection: close" and keeps each connection for the next request.
  void SetKeepAlive(bool keep) { keepAlive_ = keep; }
  // The request targets received, in order, and each request's head as it came.
  QStringList Requests() const { return requests_; }
  QList<QByteArray> Heads() const { return heads_; }
  // Connections accepted, and how many of them the client has closed.
  int Connections() const { return connections_; }
  int Closed() const { return closed_; }

 private:
  struct Page {
    QByteArray body;
    int status = 200;
    QList<QByteArray> headers;
  };
  void OnConnection();
  QTcpServer server_;
  QHash<QString, Page> pages_;
  QStringList requests_;
  QList<QByteArray> heads_;
  bool silent_ = false;
  bool keepAlive_ = false;
  int connections_ = 0;
  int closed_ = 0;
};

// A loopback URL on which nothing listens.
QString ClosedPortUrl();

}  // namespace orvtest
