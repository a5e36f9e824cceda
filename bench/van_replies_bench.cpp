// NICE and SMARTRO: a request built and its reply taken apart, as each approval does once.
#include <benchmark/benchmark.h>

#include <QHash>
#include <QStringList>

#include "platform/codepage.h"
#include "van/SmtSndRcvVCAT.h"
#include "van/van_nice.h"
#include "van/van_wire.h"

namespace {

void BM_NiceTelegramAndSplit(benchmark::State &state) {
  const QString fs(QChar(orv::van::kFs));
  QStringList f{"0210", "10", "0000", "12000", "1091", "0", "03", "50000001", "261211140000", "",
                "시험카드", "12", "시험매입사", "NICE001234", "", "", "정상승인"};
  QByteArray buffer(orv::van::kNiceReplyBytes, '\0');
  const QByteArray reply = orv::codepage::Encode(f.join(fs) + fs);
  buffer.replace(0, reply.size(), reply);
  for (auto _ : state) {
    QByteArray request = orv::codepage::Encode(NiceApprovalTelegram("12000", "1091", "03"));
    benchmark::DoNotOptimize(request);
    benchmark::DoNotOptimize(SplitNiceReply(orv::codepage::Decode(buffer), fs, 17));
  }
}
BENCHMARK(BM_NiceTelegramAndSplit);

void BM_SmartroRequestReplyAndDump(benchmark::State &state) {
  QStringList reply{"REPLY"};
  for (int n = 3; n <= 45; ++n) reply << orv::van::NumberedField(n, QStringLiteral("값%1").arg(n));
  QString error;
  const QByteArray frame = orv::van::EncodeFrame(reply, &error);
  for (auto _ : state) {
    QStringList req{"REQ", "1=0101", "2=55", "3=12000", "4=1091", "6=00", "9=1", "10=86025ZERO312345678"};
    benchmark::DoNotOptimize(orv::van::EncodeFrame(req, &error));
    QByteArray in = frame;
    const orv::van::TakenFrame t = orv::van::TakeFrame(in);
    QHash<int, QString> fields;
    for (const QString &x : t.fields.mid(1)) {
      const int eq = x.indexOf('=');
      fields.insert(x.left(eq).toInt(), x.mid(eq + 1));
    }
    benchmark::DoNotOptimize(orv::van::SmtDumpText(fields));
  }
}
BENCHMARK(BM_SmartroRequestReplyAndDump);

}  // namespace

BENCHMARK_MAIN();
