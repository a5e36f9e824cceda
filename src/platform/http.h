#pragma once
// Blocking HTTP requests with a time-out. The window thread waits for the answer while
// Qt's events go on running, as the program's fetches always have.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <functional>

namespace orv::http {

struct Reply {
  bool ok = false;      // an HTTP answer arrived (any status)
  int status = 0;       // HTTP status code, 0 without an answer
  QByteArray body;
  QString contentType;
  QString error;        // why there is no answer (refused, unknown host, time-out, …)
  bool sent = false;    // PostRaw: the request left (a failure after this may have acted)

  bool Success() const { return ok && status >= 200 && status < 300; }
  // The body as text: UTF-8 when the answer says so, else the Korean code page.
  QString Text() const;
};

using Headers = QList<QPair<QByteArray, QByteArray>>;

// Lets the person waiting end a request early (a cancel button, Esc). Abort() ends the
// request that waits now and makes every later one given this hook fail at once, with the
// error "aborted". Lives on the window thread, as the requests do.
class AbortHook {
 public:
  void Abort();
  bool Aborted() const { return aborted_; }

 private:
  friend struct AbortAccess;
  bool aborted_ = false;
  std::function<void()> current_;
};

// timeoutMs covers the whole request, connection included. With an abort hook the wait
// lets keys and clicks through (to the modal window that can abort), so that window must
// be ready for them.
Reply Get(const QString &url, int timeoutMs, const Headers &headers = {},
          AbortHook *abort = nullptr);
Reply Post(const QString &url, const QByteArray &body, int timeoutMs,
           const Headers &headers = {});

// Get and Post of one thread share one network manager, which keeps the connections a
// server leaves open. This closes the calling thread's idle ones (between tests, so none
// outlives the server it went to).
void CloseConnections();

// A POST to host:port whose request line carries target byte for byte (agents that read
// '^' unencoded, which QUrl would send as %5E). connectMs limits the connection, replyMs the
// wait for the whole answer after the request left. The body is read by Content-Length,
// chunks, or up to the end of the connection.
Reply PostRaw(const QString &host, quint16 port, const QByteArray &target,
              const QByteArray &body, int connectMs, int replyMs);

}  // namespace orv::http
