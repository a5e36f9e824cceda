// The SMARTRO terminal agent: listens on a TCP port (the argument; 0 or none picks a free one,
// and the first line on stdout is "port <n>"), takes one request frame per connection and
// answers with status frames and then a reply or an error frame. Default: every approval
// approves with approval numbers counting up; months "99" are declined, months "98" get no
// answer. A scenario line per request can say: status=1M,2A (status frames first),
// code=<reply code> ("_" for a blank), msg=<screen message>, error=<number>, delay=<ms>,
// silent, drop (close at once), late=<ms> (answer after that long), garbage (bytes that are
// no frame), nocode (field 17 empty), kakao=<kind> (the KakaoPay inquiry's kind, C by
// default), nokey (the merchant query carries no working key).
#include <QCoreApplication>
#include <QDateTime>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include "sim_common.h"

namespace {

int gApprovals = 0;

QString Pad(const QString &text, int width) { return text.leftJustified(width, QLatin1Char(' '), true); }

// The reply fields to a request.
QMap<int, QString> Reply(const QMap<QString, QString> &req, const QMap<QString, QString> &now) {
  const QString kind = req.value("1"), months = req.value("6"), data = req.value("10");
  const QDateTime t = QDateTime::currentDateTime();
  QMap<int, QString> r;
  QString code = now.value("code", QStringLiteral("00")).replace(QLatin1Char('_'), QLatin1Char(' '));
  QString msg = now.value("msg", QStringLiteral("정상승인"));
  if (months == QLatin1String("99")) {
    code = QStringLiteral("51");
    msg = QStringLiteral("할부개월 오류");
  }
  if (kind == QLatin1String("5201")) {
    const QString key = now.contains("nokey") ? QString(18, QLatin1Char(' ')) : QStringLiteral("0123456789ABCDEF01");
    r[25] = QString(42, QLatin1Char('0')) + key;
    r[40] = QStringLiteral("1234567890");
    r[41] = QStringLiteral("시험상점");
    r[42] = QStringLiteral("홍길동");
    r[43] = QStringLiteral("02-000-0000");
    r[44] = QStringLiteral("서울");
    r[45] = QStringLiteral("SIM1.0");
  } else {
    const bool ok = code.trimmed() == QLatin1String("00");
    if (ok) ++gApprovals;
    r[3] = QStringLiteral("941012******1234");
    r[4] = req.value("3");
    r[5] = req.value("4");
    r[6] = QStringLiteral("0");
    r[8] = ok ? QString::number(40000000 + gApprovals) : QString();
    r[9] = t.toString("yyyyMMdd");
    r[10] = t.toString("HHmmss");
    r[11] = QString::number(90000000 + gApprovals);
    r[12] = QStringLiteral("SMT0012345");
    r[13] = QStringLiteral("T0001");
    r[14] = QStringLiteral("0101시험카드");
    r[15] = QStringLiteral("0201시험매입사");
    r[16] = QStringLiteral("N");
    r[19] = QStringLiteral("신용승인");
    r[20] = QStringLiteral("감사합니다");
    if (kind == QLatin1String("4101") && data.contains(QLatin1String("KAKAOREQ001"))) {
      // Kind at 12, the discount in 12 digits from 13, two inquiry pieces from 25 and 62.
      r[20] = QStringLiteral("KAKAOPAYINQ") + now.value("kakao", QStringLiteral("C")).left(1) +
              QStringLiteral("000000001000") + Pad(QStringLiteral("INQ-INFO-ONE"), 37) +
              Pad(QStringLiteral("INQ-INFO-TWO"), 16);
    } else if (kind == QLatin1String("4101")) {
      r[20] = QStringLiteral("KAKAOPAYOK ") + QStringLiteral("000000001000");
    }
    r[21] = QStringLiteral("01");
    r[22] = QStringLiteral("WK");
  }
  r[17] = now.contains("nocode") ? QString() : code;
  r[18] = msg;
  return r;
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  vansim::Scenario scenario;
  return vansim::ServeTcp(argc, argv, [&](QTcpSocket *sock, QByteArray &buffer) {
    QStringList f;
    QByteArray raw;
    if (!vansim::TakeFrame(buffer, &f, &raw)) return;
    QMap<QString, QString> req;  // field number -> value
    for (const QString &x : f.mid(1)) {
      const int eq = x.indexOf(QLatin1Char('='));
      if (eq > 0) req.insert(x.left(eq), x.mid(eq + 1));
    }
    vansim::Journal(f.join(QStringLiteral(" | ")), raw);
    const QMap<QString, QString> now = scenario.Next();
    for (const QString &st : now.value("status").split(QLatin1Char(','), Qt::SkipEmptyParts))
      sock->write(vansim::Frame({QStringLiteral("STATUS"), st}));
    if (now.contains("drop")) {
      sock->disconnectFromHost();
      return;
    }
    if (now.contains("silent") || req.value("6") == QLatin1String("98")) return;
    QByteArray answer;
    if (now.contains("garbage")) {
      answer = "XY\x1c\x1c";
    } else if (now.contains("error")) {
      answer = vansim::Frame({QStringLiteral("ERROR"), now.value("error")});
    } else {
      QStringList out{QStringLiteral("REPLY")};
      const QMap<int, QString> r = Reply(req, now);
      for (auto it = r.cbegin(); it != r.cend(); ++it) out << QString::number(it.key()) + QLatin1Char('=') + it.value();
      answer = vansim::Frame(out);
    }
    QPointer<QTcpSocket> guard(sock);
    const int wait = now.value("delay").toInt() + now.value("late").toInt();
    QTimer::singleShot(wait, sock, [guard, answer] {
      if (!guard) return;
      guard->write(answer);
      guard->disconnectFromHost();
    });
  });
}
