// Card cancellations: each network's request built and its reply read, the issuer-code
// prompt of each network, and a whole SMARTRO cancellation (F2 to the closed form) against
// the simulator on loopback (run from the build folder: the simulator is looked for there).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "bench_support.h"
#include "chit/records.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/codepage.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "schema/tables.h"
#include "van/card_state.h"
#include "van/frmDisCard.h"
#include "van/issuer_codes.h"
#include "van/van_nice.h"
#include "van/van_wait.h"
#include "van/van_wire.h"

namespace {

using orv::Currency;

void BM_FdkCancelRequest(benchmark::State &state) {
  for (auto _ : state)
    for (int16_t kind = 0; kind < 3; ++kind)
      benchmark::DoNotOptimize(FdkCancelInputs(kind, Currency::Won(15000), Currency::Won(1364), "03",
                                               "240105", "12345678", "KAKAO-UNIQUE-000123"));
}
BENCHMARK(BM_FdkCancelRequest)->Unit(benchmark::kMicrosecond);

void BM_NiceCancelRequestAndReply(benchmark::State &state) {
  QStringList fields{"0430", "10", "0000", "11000", "1000", "0", "00", "50000001", "240124093000", "",
                     "시험카드", "12", "시험매입사", "NICE001234", "", "", "정상승인"};
  QByteArray reply;
  for (const QString &f : fields) reply += orv::codepage::Encode(f) + char(orv::van::kFs);
  reply.append(QByteArray(orv::van::kNiceReplyBytes - reply.size(), '\0'));
  for (auto _ : state) {
    benchmark::DoNotOptimize(orv::codepage::Encode(
        NiceCancelTelegram("11000", "1000", "00", "12345678", "240124", "0")));
    QString text = orv::codepage::Decode(reply);
    text.truncate(text.indexOf(QChar(0)));
    benchmark::DoNotOptimize(SplitNiceReply(text, QString(QChar(orv::van::kFs)), 17));
  }
}
BENCHMARK(BM_NiceCancelRequestAndReply)->Unit(benchmark::kMicrosecond);

void BM_SmtCancelRequestAndReply(benchmark::State &state) {
  QStringList replyFields{"REPLY"};
  for (int n = 3; n <= 22; ++n) replyFields << QString::number(n) + "=" + QString("값%1").arg(n);
  QString error;
  const QByteArray replyFrame = orv::van::EncodeFrame(replyFields, &error);
  for (auto _ : state) {
    QStringList req{"REQ"};
    for (const auto &[n, v] : SmtCancelFields(2, "00", "15000", "1364", "20240131", "1234567890",
                                              "8000123456789012345", ""))
      req << orv::van::NumberedField(n, v);
    req << orv::van::NumberedField(9, "1");
    benchmark::DoNotOptimize(orv::van::EncodeFrame(req, &error));
    QByteArray inbox = replyFrame;
    const orv::van::TakenFrame f = orv::van::TakeFrame(inbox);
    benchmark::DoNotOptimize(orv::van::FindNumbered(f.fields.mid(1), 20));
  }
}
BENCHMARK(BM_SmtCancelRequestAndReply)->Unit(benchmark::kMicrosecond);

void BM_IssuerPrompt(benchmark::State &state) {
  const auto van = int16_t(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(orv::van::IssuerCodePrompt(van));
}
BENCHMARK(BM_IssuerPrompt)->Arg(1)->Arg(4)->Arg(5)->Arg(9)->Arg(10)->Unit(benchmark::kMicrosecond);

void BM_KiccKisRequests(benchmark::State &state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(KiccCancelReq("15,000", "", "20240130", "12345", "1364"));
    benchmark::DoNotOptimize(KisCancelMembers(1, "3", "15,000", Currency::Won(1364), "281234567890123456",
                                              "240130", "12345"));
  }
}
BENCHMARK(BM_KiccKisRequests)->Unit(benchmark::kMicrosecond);

// A whole cancellation against a simulator on loopback: van 5 SMARTRO, van 1 KICC.
void WholeCancel(benchmark::State &state, const char *simName, int16_t van) {
  QTemporaryDir dir;
  orvbench::SimAgent agent(QString::fromLatin1(simName));
  if (agent.Port().isEmpty()) {
    state.SkipWithError("no simulator beside the build");
    return;
  }
  orv::state::ResetProgramState();
  const QString text = orv::db::BuildConnectionText("", "SQLite", "", "", dir.filePath("pos.db"));
  orv::db::Connection::CreateDatabase(text);
  goDbPos.Open(text);
  orv::schema::CreateTable(goDbPos, "CardLog");
  giSetVan = van;
  gsSetServerIp = "127.0.0.1";
  gsSetServerPort = agent.Port();
  for (auto _ : state) {
    gtPanChit.PctHab = gtPanChit.PctGum = Currency::Won(-15000);
    gtCardRet = {};
    gtCardRet.Gum = Currency::Won(-15000);
    gtCardRet.CmitNo = "1234567890";
    gtCardRet.CmitDate = "20240131";
    frmDisCard f;
    f.show();
    f.cmdiCancel_Click();
    if (giCardOk != 1) state.SkipWithError("the cancellation failed");
  }
  goDbPos.Close();
  orv::state::ResetProgramState();
}
void BM_SmartroWholeCancel(benchmark::State &state) { WholeCancel(state, "orvvansim-smartro", 5); }
BENCHMARK(BM_SmartroWholeCancel)->Iterations(30)->Unit(benchmark::kMillisecond);
void BM_KiccWholeCancel(benchmark::State &state) { WholeCancel(state, "orvvansim-kicc", 1); }
BENCHMARK(BM_KiccWholeCancel)->Iterations(30)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orv::dialogs::EnterTestMode([](const QString &m) { fprintf(stderr, "unexpected box: %s\n", qPrintable(m)); });
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
