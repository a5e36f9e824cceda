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
  void SetPage(const QString &target, const QByteArray &body, int status = 200);
  void SetSilent(bool silent) { silent_ = silent; }
  // The request targets received, in order.
  QStringList Requests() const { return requests_; }

 private:
  struct Page {
    QByteArray body;
    int status = 200;
  };
  void OnConnection();
  QTcpServer server_;
  QHash<QString, Page> pages_;
  QStringList requests_;
  bool silent_ = false;
};

// A loopback URL on which nothing listens.
QString ClosedPortUrl();

}  // namespace orvtest
