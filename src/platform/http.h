#pragma once
// Blocking HTTP requests with a time-out. The window thread waits for the answer while
// Qt's events go on running, as the program's fetches always have.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace orv::http {

struct Reply {
  bool ok = false;      // an HTTP answer arrived (any status)
  int status = 0;       // HTTP status code, 0 without an answer
  QByteArray body;
  QString contentType;
  QString error;        // why there is no answer (refused, unknown host, time-out, …)

  bool Success() const { return ok && status >= 200 && status < 300; }
  // The body as text: UTF-8 when the answer says so, else the Korean code page.
  QString Text() const;
};

using Headers = QList<QPair<QByteArray, QByteArray>>;

// timeoutMs covers the whole request, connection included.
Reply Get(const QString &url, int timeoutMs, const Headers &headers = {});
Reply Post(const QString &url, const QByteArray &body, int timeoutMs,
           const Headers &headers = {});

}  // namespace orv::http
