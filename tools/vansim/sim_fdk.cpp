// The First Data agent: started with the server's address and port, it answers numbered
// frames on stdin with "RET", the number, the result and a value. Default: every
// transaction approves with approval numbers counting up; months "99" are declined and
// months "98" get no answer. A scenario line per transaction (read at its Status) can say
// status=<n>, execute=<n> msg=<text>, code=<reply code>, delay=<ms>, silent, late=<ms>.
#include <QCoreApplication>
#include <QDateTime>
#include <QMap>

#include "sim_common.h"

using vansim::Frame;

namespace {

void Reply(const QString &seq, int result, const QString &value = {}) {
  QStringList f{QStringLiteral("RET"), seq, QString::number(result)};
  if (!value.isNull()) f << value;
  vansim::WriteAll(stdout, Frame(f));
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  vansim::Scenario scenario;
  QMap<QString, QString> now;  // this transaction's scenario words
  QMap<QString, QString> inputs, outputs;
  QString cmd;
  int approvals = 0;
  QStringList f;
  QByteArray raw;
  while (vansim::ReadFrame(stdin, &f, &raw)) {
    const QString verb = f.value(0), seq = f.value(1);
    vansim::Journal(f.mid(0, 1).join("") + " " + f.mid(2).join(QStringLiteral(" | ")), raw);
    if (verb == QLatin1String("STATUS")) {
      now = scenario.Next();
      inputs.clear();
      outputs.clear();
      Reply(seq, now.value(QStringLiteral("status"), QStringLiteral("0")).toInt());
    } else if (verb == QLatin1String("MKTRANID")) {
      Reply(seq, 0, QStringLiteral("FDK") + QDateTime::currentDateTime().toString("yyyyMMddHHmmsszzz"));
    } else if (verb == QLatin1String("INIT")) {
      cmd = f.value(3);
      Reply(seq, 0);
    } else if (verb == QLatin1String("INPUT")) {
      inputs.insert(f.value(2), f.value(3));
      Reply(seq, 0);
    } else if (verb == QLatin1String("EXECUTE")) {
      const QString months = inputs.value(QStringLiteral("할부"));
      if (now.contains(QStringLiteral("silent")) || months == QLatin1String("98")) continue;
      if (now.contains(QStringLiteral("late"))) {
        vansim::SleepMs(now.value(QStringLiteral("late")).toInt());
        Reply(QString::number(seq.toInt()), 0);  // answers after the caller gave up
        continue;
      }
      vansim::SleepMs(now.value(QStringLiteral("delay")).toInt());
      const int exec = now.value(QStringLiteral("execute"), QStringLiteral("0")).toInt();
      if (exec != 0) {
        outputs.insert(QStringLiteral("MSG_RET_STR"),
                       now.value(QStringLiteral("msg"), QStringLiteral("단말기 오류")));
        Reply(seq, exec);
        continue;
      }
      QString code = now.value(QStringLiteral("code"), QStringLiteral("0000"));
      QString msg1 = QStringLiteral("정상승인");
      if (months == QLatin1String("99")) {
        code = QStringLiteral("8099");
        msg1 = QStringLiteral("할부개월 오류");
      }
      const bool ok = code == QLatin1String("0000");
      if (ok && cmd == QLatin1String("PAY")) ++approvals;
      const QString kind = inputs.value(QStringLiteral("거래구분"));
      outputs = {
          {QStringLiteral("프린터출력유무"), QStringLiteral("N")},
          {QStringLiteral("응답코드"), code},
          {QStringLiteral("승인번호"), ok ? QString::number(30000000 + approvals) : QString()},
          {QStringLiteral("승인일자"), QDateTime::currentDateTime().toString("yyMMdd")},
          {QStringLiteral("응답일시"), QDateTime::currentDateTime().toString("yyyyMMddHHmmss")},
          {QStringLiteral("가맹점번호"), QStringLiteral("FD0012345")},
          {QStringLiteral("DDCFlag"), QStringLiteral("N")},
          {QStringLiteral("응답메시지1"), msg1},
          {QStringLiteral("응답메시지2"), ok ? QStringLiteral("감사합니다") : QString()},
          {QStringLiteral("카드명"), QStringLiteral("시험카드")},
          {QStringLiteral("발급사코드"), QStringLiteral("01")},
          {QStringLiteral("발급사명"), QStringLiteral("시험발급사")},
          {QStringLiteral("매입사코드"), QStringLiteral("01")},
          {QStringLiteral("매입사명"), QStringLiteral("시험매입사")},
          {QStringLiteral("잔액"), QStringLiteral("0")},
          {QStringLiteral("마스킹카드번호"), QStringLiteral("941012******1234")},
          {QStringLiteral("할부"), months},
          {QStringLiteral("카카오구분"), kind == QLatin1String("KAO") ? QStringLiteral("M") : QString()},
          {QStringLiteral("할인금액"), QStringLiteral("0")},
      };
      Reply(seq, 0);
    } else if (verb == QLatin1String("OUTPUT")) {
      Reply(seq, 0, outputs.value(f.value(2), QStringLiteral("")));
    } else if (verb == QLatin1String("TERM")) {
      now.clear();
      Reply(seq, 0);
    } else {
      Reply(seq, -1);
    }
  }
  return 0;
}
