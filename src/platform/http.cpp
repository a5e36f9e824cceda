#include "platform/http.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QThreadStorage>
#include <QTimer>
#include <QUrl>

#include "platform/codepage.h"

namespace orv::http {

struct AbortAccess {
  static std::function<void()> &Current(AbortHook &h) { return h.current_; }
};

void AbortHook::Abort() {
  aborted_ = true;
  if (current_) current_();
}

namespace {

// One manager per thread: making one (and the thread it runs HTTP on) costs more than a
// request on loopback, and it keeps the connections a server leaves open. Qt deletes a
// thread's manager when that thread ends (the window thread's with the application).
QThreadStorage<QNetworkAccessManager *> &managers() {
  static QThreadStorage<QNetworkAccessManager *> m;
  return m;
}

QNetworkAccessManager &manager() {
  if (!managers().hasLocalData()) managers().setLocalData(new QNetworkAccessManager);
  return *managers().localData();
}

Reply Run(const QString &url, const QByteArray *postBody, int timeoutMs,
          const Headers &headers, AbortHook *abort = nullptr) {
  Reply out;
  if (abort && abort->Aborted()) {
    out.error = QStringLiteral("aborted");
    return out;
  }
  const QUrl u(url);
  if (!u.isValid() || u.host().isEmpty() ||
      (u.scheme() != QLatin1String("http") && u.scheme() != QLatin1String("https"))) {
    out.error = QStringLiteral("invalid URL: ") + url;
    return out;
  }
  QNetworkRequest req(u);
  req.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                   QNetworkRequest::NoLessSafeRedirectPolicy);
  // The manager is shared: no request sees cookies another one was given.
  req.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
  req.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
  for (const auto &h : headers) req.setRawHeader(h.first, h.second);
  if (postBody && !req.hasRawHeader("Content-Type"))
    req.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");

  QNetworkAccessManager &nam = manager();
  QNetworkReply *reply = postBody ? nam.post(req, *postBody) : nam.get(req);
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  bool timedOut = false;
  QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    reply->abort();
  });
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  bool aborted = false;
  if (abort) {
    AbortAccess::Current(*abort) = [&] {
      aborted = true;
      reply->abort();
      loop.quit();
    };
  }
  if (!reply->isFinished()) {
    timer.start(timeoutMs > 0 ? timeoutMs : 1);
    loop.exec(abort ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  }
  timer.stop();
  if (abort) AbortAccess::Current(*abort) = nullptr;

  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (aborted) {
    out.error = QStringLiteral("aborted");
  } else if (timedOut) {
    out.error = QStringLiteral("time-out");
  } else if (status.isValid()) {
    out.ok = true;
    out.status = status.toInt();
    out.body = reply->readAll();
    out.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString();
  } else {
    out.error = reply->errorString();
  }
  delete reply;
  return out;
}

// Runs events, user input excluded, until done() or ms passed; false on time-out.
template <typename Done>
bool WaitFor(QObject *source, Done done, int ms) {
  if (done()) return true;
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  bool timedOut = false;
  QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    loop.quit();
  });
  auto check = [&] {
    if (done()) loop.quit();
  };
  auto *socket = qobject_cast<QTcpSocket *>(source);
  QObject::connect(socket, &QTcpSocket::connected, &loop, check);
  QObject::connect(socket, &QTcpSocket::readyRead, &loop, check);
  QObject::connect(socket, &QTcpSocket::bytesWritten, &loop, check);
  QObject::connect(socket, &QTcpSocket::disconnected, &loop, check);
  QObject::connect(socket, &QTcpSocket::errorOccurred, &loop, check);
  timer.start(ms > 0 ? ms : 1);
  while (!done() && !timedOut) loop.exec(QEventLoop::ExcludeUserInputEvents);
  return done();
}

// Splits a whole answer; false while more bytes are needed (closed: no more will come).
bool ParseAnswer(const QByteArray &in, bool closed, Reply *out) {
  const int headEnd = in.indexOf("\r\n\r\n");
  if (headEnd < 0) return false;
  const QList<QByteArray> lines = in.left(headEnd).split('\n');
  const QList<QByteArray> status = lines.value(0).trimmed().split(' ');
  if (status.size() < 2 || !status[0].startsWith("HTTP/")) {
    out->error = QStringLiteral("not an HTTP answer");
    return true;
  }
  qint64 length = -1;
  bool chunked = false;
  for (int i = 1; i < lines.size(); ++i) {
    const QByteArray line = lines[i].trimmed();
    const int colon = line.indexOf(':');
    if (colon < 0) continue;
    const QByteArray name = line.left(colon).trimmed().toLower();
    const QByteArray value = line.mid(colon + 1).trimmed();
    if (name == "content-length") length = value.toLongLong();
    else if (name == "transfer-encoding") chunked = value.toLower().contains("chunked");
    else if (name == "content-type") out->contentType = QString::fromLatin1(value);
  }
  const QByteArray rest = in.mid(headEnd + 4);
  if (chunked) {
    QByteArray body;
    int pos = 0;
    for (;;) {
      const int eol = rest.indexOf("\r\n", pos);
      if (eol < 0) return closed ? (out->error = QStringLiteral("answer cut short"), true) : false;
      bool ok = false;
      const qint64 size = rest.mid(pos, eol - pos).split(';').value(0).trimmed().toLongLong(&ok, 16);
      if (!ok || size < 0) {
        out->error = QStringLiteral("broken chunk");
        return true;
      }
      if (size == 0) break;
      if (rest.size() < eol + 2 + size + 2)
        return closed ? (out->error = QStringLiteral("answer cut short"), true) : false;
      body += rest.mid(eol + 2, int(size));
      pos = eol + 2 + int(size) + 2;
    }
    out->body = body;
  } else if (length >= 0) {
    if (rest.size() < length)
      return closed ? (out->error = QStringLiteral("answer cut short"), true) : false;
    out->body = rest.left(int(length));
  } else {
    if (!closed) return false;
    out->body = rest;
  }
  out->ok = true;
  out->status = status[1].toInt();
  return true;
}

}  // namespace

Reply PostRaw(const QString &host, quint16 port, const QByteArray &target,
              const QByteArray &body, int connectMs, int replyMs) {
  Reply out;
  if (host.trimmed().isEmpty() || port == 0 || !target.startsWith('/') || target.contains('\n') ||
      target.contains('\r') || target.contains(' ')) {
    out.error = QStringLiteral("invalid request: ") + host + ":" + QString::number(port);
    return out;
  }
  QTcpSocket socket;
  socket.connectToHost(host.trimmed(), port);
  const bool connected = WaitFor(
      &socket,
      [&] {
        return socket.state() == QAbstractSocket::ConnectedState ||
               socket.state() == QAbstractSocket::UnconnectedState;
      },
      connectMs);
  if (!connected || socket.state() != QAbstractSocket::ConnectedState) {
    out.error = connected ? socket.errorString() : QStringLiteral("connection time-out");
    return out;
  }
  QByteArray request = "POST " + target + " HTTP/1.1\r\nHost: " + host.trimmed().toLatin1() + ':' +
                       QByteArray::number(port) + "\r\nContent-Length: " +
                       QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
  socket.write(request);
  out.sent = true;
  QByteArray in;
  bool finished = false;
  WaitFor(
      &socket,
      [&] {
        in += socket.readAll();
        const bool closed = socket.state() == QAbstractSocket::UnconnectedState;
        finished = ParseAnswer(in, closed, &out);
        if (!finished && closed) {
          out.error = in.isEmpty() ? QStringLiteral("connection closed without an answer")
                                   : QStringLiteral("answer cut short");
          finished = true;
        }
        return finished;
      },
      replyMs);
  if (!finished) out.error = QStringLiteral("time-out");
  socket.abort();
  return out;
}

QString Reply::Text() const {
  if (contentType.contains(QLatin1String("utf-8"), Qt::CaseInsensitive))
    return QString::fromUtf8(body);
  return orv::codepage::Decode(body);
}

void CloseConnections() {
  if (managers().hasLocalData()) managers().localData()->clearConnectionCache();
}

Reply Get(const QString &url, int timeoutMs, const Headers &headers, AbortHook *abort) {
  return Run(url, nullptr, timeoutMs, headers, abort);
}

Reply Post(const QString &url, const QByteArray &body, int timeoutMs, const Headers &headers) {
  return Run(url, &body, timeoutMs, headers);
}

}  // namespace orv::http
