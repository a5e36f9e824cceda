// The KIS approval agent: a TCP server on loopback taking one frame per connection,
// "CALL" FS method FS "<member>=<value>"..., and answering "RET" FS "<member>=<value>"...
// Started with a port (0 or none: any free one); it prints "port <n>" when it listens.
// Default: approves with approval numbers counting up; months "99" are declined (reply code
// 0001) and months "98" get no answer. A barcode payment (code EP) answers pay kind ZRP for
// a barcode starting with "8", else KKO. Cash receipts (CC, CR) and cheque inquiries (C1)
// are answered the same way. A scenario line per request can say status=<n>
// code=<reply code> kind=<KKO|ZRP> kakao=<kind> dc=<amount> delay=<ms> silent garbage.
#include <QCoreApplication>
#include <QDateTime>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "sim_common.h"

namespace {

int gApprovals = 0;

QStringList Answer(const QMap<int, QString> &req, const QMap<QString, QString> &now) {
  const bool barcode = req.value(3) == QLatin1String("EP");
  const bool cash = req.value(3) == QLatin1String("CC") || req.value(3) == QLatin1String("CR");
  const QString months = req.value(4);
  QString code = now.value(QStringLiteral("code"), QStringLiteral("0000"));
  QString msg1 = QStringLiteral("정상승인");
  if (months == QLatin1String("99")) {
    code = QStringLiteral("0001");
    msg1 = QStringLiteral("할부개월 오류");
  }
  const QString status = now.value(QStringLiteral("status"), QStringLiteral("0"));
  const bool ok = status == QLatin1String("0") && code == QLatin1String("0000");
  if (ok) ++gApprovals;
  QList<QPair<int, QString>> m = {
      {30, status},
      {12, code},
      {27, QStringLiteral("시험카드")},
      {24, QStringLiteral("016")},
      {25, QStringLiteral("시험매입사")},
      // A cash receipt returns the identification number it was given.
      {14, cash ? req.value(36) : QStringLiteral("9410-12**-****-4321")},
      {11, QStringLiteral("KIS-T01")},
      {20, ok ? QString::number(50000000 + gApprovals) : QString()},
      {21, QDateTime::currentDateTime().toString(barcode ? "yyMMddHHmmss" : "yyMMdd")},
      {28, QStringLiteral("KS0012345")},
      {31, ok ? msg1 : QStringLiteral("승인거절 ") + msg1},
      {32, ok ? QStringLiteral("감사합니다") : QString()},
  };
  if (barcode) {
    const QString kind =
        now.value(QStringLiteral("kind"),
                  req.value(61).startsWith(QLatin1Char('8')) ? QStringLiteral("ZRP") : QStringLiteral("KKO"));
    m.append({195, kind});
    m.append({225, now.value(QStringLiteral("kakao"), QStringLiteral("M"))});
    m.append({44, now.value(QStringLiteral("dc"), QStringLiteral("0"))});
  }
  QStringList out{QStringLiteral("RET")};
  for (const auto &[n, v] : m) out << QString::number(n) + QLatin1Char('=') + v;
  return out;
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  vansim::Scenario scenario;
  return vansim::ServeTcp(argc, argv, [&](QTcpSocket *sock, QByteArray &buffer) {
    QStringList fields;
    QByteArray raw;
    if (!vansim::TakeFrame(buffer, &fields, &raw)) return;
    QMap<int, QString> req;
    for (const QString &f : fields.mid(2))
      req.insert(f.left(f.indexOf('=')).toInt(), f.mid(f.indexOf('=') + 1));
    vansim::Journal(fields.value(0) + " " + fields.mid(1).join(QStringLiteral(" | ")), raw);
    const QMap<QString, QString> now = scenario.Next();
    if (now.contains(QStringLiteral("silent")) || req.value(4) == QLatin1String("98")) return;
    // garbage: a frame whose body is not CP949.
    const QByteArray frame = now.contains(QStringLiteral("garbage")) ? QByteArray("0004RET\xff")
                                                                     : vansim::Frame(Answer(req, now));
    QPointer<QTcpSocket> guard(sock);
    QTimer::singleShot(now.value(QStringLiteral("delay")).toInt(), sock, [guard, frame] {
      if (guard) guard->write(frame);
    });
  });
}
