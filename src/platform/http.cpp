#include "platform/http.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
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
  QNetworkAccessManager nam;
  QNetworkRequest req(u);
  req.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                   QNetworkRequest::NoLessSafeRedirectPolicy);
  for (const auto &h : headers) req.setRawHeader(h.first, h.second);
  if (postBody && !req.hasRawHeader("Content-Type"))
    req.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");

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

}  // namespace

QString Reply::Text() const {
  if (contentType.contains(QLatin1String("utf-8"), Qt::CaseInsensitive))
    return QString::fromUtf8(body);
  return orv::codepage::Decode(body);
}

Reply Get(const QString &url, int timeoutMs, const Headers &headers, AbortHook *abort) {
  return Run(url, nullptr, timeoutMs, headers, abort);
}

Reply Post(const QString &url, const QByteArray &body, int timeoutMs, const Headers &headers) {
  return Run(url, &body, timeoutMs, headers);
}

}  // namespace orv::http
