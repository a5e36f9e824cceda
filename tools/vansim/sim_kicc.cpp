// The KICC card agent: an HTTP server on loopback taking "POST /?callback=<name>&REQ=<value>"
// with '^'-separated REQ fields, answering "<name>({KEY:'value',...})" in CP949. Started
// with a port (0 or none: any free one); it prints "port <n>" when it listens. Default:
// approves with approval numbers counting up; months "99" are declined (RS04 8099) and
// months "98" get no answer. A scenario line per request can say suc=<code> rs04=<code>
// msg=<text> delay=<ms> silent reply=<raw body>. A blank in a field comes as %20 and is
// decoded before the fields are split; cash receipts (B1, B2) and cheque inquiries (C1) are
// answered the same way.
#include <QCoreApplication>
#include <QDateTime>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <memory>

#include "sim_common.h"

namespace {

int gApprovals = 0;

QByteArray Body(const QString &callback, const QStringList &req, QMap<QString, QString> now) {
  if (now.contains(QStringLiteral("reply"))) return vansim::ToCp949(now.value(QStringLiteral("reply")));
  const QString months = req.value(3), amount = req.value(2);
  QString rs04 = now.value(QStringLiteral("rs04"), QStringLiteral("0000"));
  QString rs16 = QStringLiteral("정상승인");
  if (months == QLatin1String("99")) {
    rs04 = QStringLiteral("8099");
    rs16 = QStringLiteral("할부개월 오류");
  }
  const QString suc = now.value(QStringLiteral("suc"), QStringLiteral("00"));
  const bool ok = suc == QLatin1String("00") && rs04 == QLatin1String("0000");
  if (ok) ++gApprovals;
  const QList<QPair<QString, QString>> pairs = {
      {"SUC", suc},
      {"MSG", now.value(QStringLiteral("msg"), ok ? QStringLiteral("정상처리") : QStringLiteral("승인거절"))},
      {"RQ01", req.value(0)},
      {"RQ02", QStringLiteral("KICC-T01")},
      {"RQ04", QStringLiteral("941012******5678")},
      {"RQ06", months},
      {"RQ07", amount},
      {"RS04", rs04},
      {"RS05", QStringLiteral("026")},
      {"RS07", QDateTime::currentDateTime().toString("yyMMddHHmmss")},
      {"RS09", ok ? QString::number(40000000 + gApprovals) : QString()},
      {"RS12", QStringLiteral("시험카드")},
      {"RS13", QStringLiteral("KC0012345")},
      {"RS14", QStringLiteral("시험매입사")},
      {"RS16", rs16},
      {"RS17", ok ? QStringLiteral("감사합니다") : QString()},
  };
  QStringList parts;
  for (const auto &[k, v] : pairs) parts << k + QStringLiteral(":'") + v + QLatin1Char('\'');
  return vansim::ToCp949(callback + QStringLiteral("({") + parts.join(QLatin1Char(',')) +
                         QStringLiteral("})"));
}

void Answer(QTcpSocket *sock, const QByteArray &body) {
  sock->write("HTTP/1.1 200 OK\r\nContent-Type: application/javascript\r\nContent-Length: " +
              QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
  sock->disconnectFromHost();
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  vansim::Scenario scenario;
  return vansim::ServeTcp(argc, argv, [&](QTcpSocket *sock, QByteArray &buffer) {
    const int end = buffer.indexOf("\r\n\r\n");
    if (end < 0) return;
    const QByteArray raw = buffer;
    const QByteArray line = buffer.left(buffer.indexOf("\r\n"));
    buffer.clear();
    const QList<QByteArray> words = line.split(' ');
    const QByteArray target = words.value(1);
    QString callback = QStringLiteral("jsonp");
    QString req;
    for (const QByteArray &kv : target.mid(target.indexOf('?') + 1).split('&')) {
      QString value;
      // A blank inside a field travels as %20; everything else comes as it is.
      vansim::FromCp949(kv.mid(kv.indexOf('=') + 1).replace("%20", " "), &value);
      if (kv.startsWith("callback=")) callback = value;
      if (kv.startsWith("REQ=")) req = value;
    }
    const QStringList fields = req.split(QLatin1Char('^'));
    vansim::Journal(words.value(0) + " " + fields.join(QStringLiteral(" | ")), raw);
    const QMap<QString, QString> now = scenario.Next();
    if (now.contains(QStringLiteral("silent")) || fields.value(3) == QLatin1String("98")) return;
    const QByteArray body = Body(callback, fields, now);
    const int delay = now.value(QStringLiteral("delay")).toInt();
    QPointer<QTcpSocket> guard(sock);
    QTimer::singleShot(delay, sock, [guard, body] {
      if (guard) Answer(guard, body);
    });
  });
}
