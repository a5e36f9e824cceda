// The NICE card reader's library as a program run once per call: it reads the request
// telegram from stdin to its end and writes the library's result on one line, then the reply
// telegram (17 fields, each ended by FS). Default: approve with approval numbers counting up;
// months "99" are declined (code "8099"), months "98" get no answer. A scenario line per call
// can say: result=<n> (a failed call, no reply), code=<reply code>, msg=<text>, delay=<ms>,
// silent, long (a reply over 1,024 bytes), garbage (bytes that are not CP949), short (a
// reply of ten fields). A cheque inquiry (kind "20") answers its message in field 5.
// Calls and approvals are counted in the file ORVVANSIM_STATE (else beside the journal).
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>

#include "sim_common.h"

namespace {

QString StatePath() {
  QString p = qEnvironmentVariable("ORVVANSIM_STATE");
  if (p.isEmpty() && !qEnvironmentVariable("ORVVANSIM_JOURNAL").isEmpty())
    p = qEnvironmentVariable("ORVVANSIM_JOURNAL") + ".state";
  return p;
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QFile in;
  in.open(stdin, QIODevice::ReadOnly);
  const QByteArray raw = in.readAll();
  QString text;
  if (!vansim::FromCp949(raw, &text)) text = QStringLiteral("?");
  const QStringList f = text.split(QChar(vansim::kFs));
  vansim::Journal(f.join(QStringLiteral(" | ")), raw);

  int calls = 0, approvals = 0;
  QFile state(StatePath());
  if (!state.fileName().isEmpty() && state.open(QIODevice::ReadOnly)) {
    const QList<QByteArray> n = state.readAll().trimmed().split(' ');
    calls = n.value(0).toInt();
    approvals = n.value(1).toInt();
    state.close();
  }
  vansim::Scenario scenario;
  for (int i = 0; i < calls; ++i) scenario.Next();
  const QMap<QString, QString> now = scenario.Next();
  ++calls;

  const QString months = f.value(6);
  QString code = now.value("code", QStringLiteral("0000"));
  QString msg = now.value("msg", QStringLiteral("정상승인"));
  if (months == QLatin1String("99")) {
    code = QStringLiteral("8099");
    msg = QStringLiteral("할부개월 오류");
  }
  const bool ok = code == QLatin1String("0000") && !now.contains("result");
  if (ok) ++approvals;
  if (!state.fileName().isEmpty() && state.open(QIODevice::WriteOnly)) {
    state.write(QByteArray::number(calls) + ' ' + QByteArray::number(approvals));
    state.close();
  }
  if (now.contains("silent") || months == QLatin1String("98")) {
    vansim::SleepMs(600000);
    return 0;
  }
  vansim::SleepMs(now.value("delay").toInt());
  if (now.contains("result")) {
    vansim::WriteAll(stdout, now.value("result").toUtf8() + "\n");
    return 0;
  }
  if (now.contains("garbage")) {
    vansim::WriteAll(stdout, QByteArray("1\n0210\x1c\x1c\xff\xff\x1c"));
    return 0;
  }
  const QDateTime t = QDateTime::currentDateTime();
  const bool cheque = f.value(1) == QLatin1String("20");
  QStringList reply{QStringLiteral("0210"), QStringLiteral("10"), code, f.value(3),
                          cheque ? msg : f.value(4),
                          QStringLiteral("0"), months,
                          ok ? QString::number(50000000 + approvals) : QString(),
                          t.toString("yyMMddHHmmss"), QString(), QStringLiteral("시험카드"),
                          QStringLiteral("12"), QStringLiteral("시험매입사"),
                          QStringLiteral("NICE001234"), QStringLiteral("NICE-T01"),
                          now.contains("long") ? QString(1100, QLatin1Char('x')) : QString(), msg};
  if (now.contains("short")) reply = reply.mid(0, 10);
  QByteArray out;
  for (const QString &field : reply) out += vansim::ToCp949(field) + vansim::kFs;
  vansim::WriteAll(stdout, "1\n" + out);
  return 0;
}
