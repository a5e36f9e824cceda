// Speed of the card layer.
//   Building requests and reading replies: KICC (37 keys), NICE (17 fields), KIS members in
//   and out of the frame, First Data's inputs and frame, the sign pad's frame and BMP.
//   Goal: each median at most 1 ms.
//   WriteCardLog over 100,000 older rows on SQLite (WAL, full sync). Goal: median at most
//   10 ms. PostgreSQL reported when ORVPOS_TEST_PG names a server.
//   A KICC approval through the card dialog against its simulator answering at once, three
//   card-log rows included. Goal: median at most 50 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_support.h"
#include "chit/records.h"
#include "core/card_ret.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "schema/tables.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/kicc.h"
#include "van/kis.h"
#include "van/van_approval.h"
#include "van/van_nice.h"
#include "van/van_wait.h"
#include "van/van_wire.h"

using orv::Currency;

namespace {

orvbench::Databases *g_dbs = nullptr;

QString KiccReply() {
  QStringList parts{"SUC:'00'", "MSG:'정상처리되었습니다'"};
  for (int i = 1; i <= 15; ++i) parts << QString("RQ%1:'요청값%1'").arg(i, 2, 10, QChar('0'));
  for (int i = 1; i <= 20; ++i) parts << QString("RS%1:'응답값%1'").arg(i, 2, 10, QChar('0'));
  return "jsonp12345678983543344({" + parts.join(',') + "})";
}

void BM_Kicc(benchmark::State &state) {
  const QString reply = KiccReply();
  orvbench::TimedRuns(state, [&] {
    benchmark::DoNotOptimize(orv::van::KiccApprovalReq("1,234,000", "3", "112182"));
    if (ParseKiccReply(reply) != "00") state.SkipWithError("SUC");
  });
}

void BM_Nice(benchmark::State &state) {
  QStringList f;
  for (int i = 1; i <= 17; ++i) f << QString("필드%1").arg(i);
  const QString reply = f.join(QChar(0x1c)) + QChar(0x1c);
  orvbench::TimedRuns(state, [&] {
    benchmark::DoNotOptimize(NiceApprovalTelegram("12000", "1090", "03"));
    for (int16_t i = 1; i <= 17; ++i) benchmark::DoNotOptimize(SplitNiceReply(reply, QString(QChar(0x1c)), i));
  });
}

void BM_KisMembers(benchmark::State &state) {
  QStringList replyFields{"RET"};
  for (int n : {30, 12, 27, 24, 25, 195, 225, 44, 14, 20, 21, 28, 31, 32})
    replyFields << orv::van::NumberedField(n, QString("값%1").arg(n));
  QString error;
  const QByteArray reply = orv::van::EncodeFrame(replyFields, &error);
  orvbench::TimedRuns(state, [&] {
    QStringList req{"CALL", "34"};
    for (const auto &[n, v] : orv::van::KisApprovalMembers(1, "3", "12,000", Currency::Won(1090), "281234567890123456"))
      req << orv::van::NumberedField(n, v);
    benchmark::DoNotOptimize(orv::van::EncodeFrame(req, &error));
    QByteArray in = reply;
    const orv::van::TakenFrame t = orv::van::TakeFrame(in);
    for (int n : {30, 12, 27, 24, 25, 195, 225, 44, 14, 20, 21, 28, 31, 32})
      benchmark::DoNotOptimize(orv::van::FindNumbered(t.fields, n));
  });
}

void BM_FdkInputs(benchmark::State &state) {
  QString error;
  orvbench::TimedRuns(state, [&] {
    int n = 0;
    for (const auto &[k, v] : FdkApprovalInputs(1, Currency::Won(12000), Currency::Won(1090), "03", "281234567890"))
      benchmark::DoNotOptimize(orv::van::EncodeFrame({"INPUT", QString::number(++n), k, v}, &error));
    for (int i = 0; i < 21; ++i) {
      QByteArray out = orv::van::EncodeFrame({"RET", QString::number(i), "0", "응답값"}, &error);
      benchmark::DoNotOptimize(orv::van::TakeFrame(out));
    }
  });
}

void BM_Pad(benchmark::State &state) {
  const QByteArray done = orv::van::PadFrame({"DONE", QString(QByteArray(1024, '\x5a').toHex())});
  orvbench::TimedRuns(state, [&] {
    benchmark::DoNotOptimize(orv::van::PadFrame(
        {"SIGN", orv::van::PadCardField("0000000000000000"),
         orv::van::PadTranField("DAN1", 1, Currency::Won(1), QDate(2025, 3, 5), "60,000")}));
    QByteArray in = done;
    const orv::van::PadTaken t = orv::van::TakePadFrame(in);
    benchmark::DoNotOptimize(orv::van::MonoBmp(QByteArray::fromHex(t.fields.value(1).toLatin1()), 128, 64));
  });
}

void OpenPos(bool pg) {
  goDbPos.Close();
  goDbPos.Open(g_dbs->New(pg));
  orv::schema::CreateTable(goDbPos, "CardLog");
  orv::db::Transaction tx(goDbPos);
  orv::db::Statement ins = goDbPos.Prepare(
      "Insert Into CardLog (ClgDate, ClgTime, ClgPosNo, ClgPsnKey, ClgChtNo, ClgData, ClgGbn, ClgDanID, "
      "ClgVanGbn, ClgSss1, ClgSss2, ClgSss3, ClgSss4, ClgSss5) Values (?, '12:00:00', 1, 1, ?, "
      "'KIS_Approval : 00012000', 0, 'DAN1', 10, 0, 0, 0, 0, 0)");
  // 400 older days of 250 rows each.
  for (int i = 0; i < 100000; ++i) {
    ins.Bind(0, QDate(2023, 1, 1).addDays(i % 400).toString("yyyyMMdd"));
    ins.Bind(1, i / 400 + 1);
    ins.Execute();
  }
  tx.Commit();
}

void BM_WriteCardLog(benchmark::State &state, bool pg) {
  OpenPos(pg);
  int n = 0;
  orvbench::TimedRuns(state, [&] { CardLogRow(QString("KIS_Approval_OutRet %1").arg(++n), 1); });
}

void BM_KiccApproval(benchmark::State &state) {
  OpenPos(false);
  orv::schema::CreateTable(goDbPos, "KzbCard");
  orvbench::SimAgent sim("orvvansim-kicc");
  if (sim.Port().isEmpty()) {
    state.SkipWithError("no orvvansim-kicc beside the benchmark");
    return;
  }
  giSetVan = 1;
  gsSetServerIp = "127.0.0.1";
  gsSetServerPort = sim.Port();
  orv::van::Timeouts().pauseMs = 0;
  int approved = 0;
  orvbench::TimedRuns(state, [&] {
    gtCardRet.Gum = Currency::Won(12000);
    gtPanChit.PctHab = Currency::Won(12000);
    frmCardChk form;
    form.show();
    form.txtiHalbu->setText("00");
    form.StartFromMonths();
    approved += giCardOk;
  });
  if (approved != int(state.iterations())) state.SkipWithError("an approval failed");
}

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orv::dialogs::EnterTestMode([](const QString &) {});
  QTemporaryDir data;
  orv::datafolder::SetRoot(data.path());
  orvbench::Databases dbs("van");
  g_dbs = &dbs;
  benchmark::Initialize(&argc, argv);
  orvbench::RegisterTimed("Kicc/RequestAndReply37Keys", 2000, BM_Kicc);
  orvbench::RegisterTimed("Nice/TelegramAndReply17Fields", 2000, BM_Nice);
  orvbench::RegisterTimed("Kis/MembersInAndOut", 2000, BM_KisMembers);
  orvbench::RegisterTimed("Fdk/InputsAnd21Outputs", 2000, BM_FdkInputs);
  orvbench::RegisterTimed("SignPad/FramesAndBmp", 2000, BM_Pad);
  orvbench::RegisterTimedOnEngines("WriteCardLog/100kRows", 200, BM_WriteCardLog);
  orvbench::RegisterTimed("Kicc/ApprovalThroughTheDialog", 100, BM_KiccApproval);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  goDbPos.Close();
  g_dbs->DropPg();
  orv::state::ResetProgramState();
  return 0;
}
