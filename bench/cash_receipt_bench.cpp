// Speed of the cash receipt, the cheque inquiry and the card log viewer.
//   Each network's cash-receipt request built and its reply read: KICC through
//   ParseKiccReply, NICE from a 1,025-byte buffer, SMARTRO with its 40-line reply log, KIS
//   members in and out of the frame; the four cheque inquiries' requests. Goal: each median
//   at most 1 ms.
//   frmCardCancel listing a day of 3,000 CardLog rows. Goal: median at most 100 ms.
//   A whole cash receipt through the KICC simulator, F1 to the closed form (request, three
//   card-log rows, the printout to a file, the event row), the main database on SQLite and,
//   when ORVPOS_TEST_PG names a server, on PostgreSQL. Reported.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_support.h"
#include "chit/records.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/codepage.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "platform/printer_port.h"
#include "platform/settings_store.h"
#include "print/basPrinter.h"
#include "schema/tables.h"
#include "van/SmtSndRcvVCAT.h"
#include "van/card_log.h"
#include "van/cash_receipt.h"
#include "van/frmCardCancel.h"
#include "van/frmMoneyChk.h"
#include "van/kicc.h"
#include "van/supyo_query.h"
#include "van/van_nice.h"
#include "van/van_wait.h"
#include "van/van_wire.h"

using orv::Currency;

namespace {

orvbench::Databases *g_dbs = nullptr;

CashReceiptInput Cancel() {
  CashReceiptInput in;
  in.idNo = "01012345678";
  in.gum = in.hab = Currency::Won(-15000);
  in.vat = Currency::Won(-1364);
  in.saup = 1;
  in.cancelReason = 2;
  in.cancelNo = "12345";
  in.cancelDate = "20240115";
  return in;
}

void BM_Kicc(benchmark::State &state) {
  QStringList parts{"SUC:'00'", "MSG:'정상처리되었습니다'"};
  for (int i = 1; i <= 15; ++i) parts << QString("RQ%1:'요청값%1'").arg(i, 2, 10, QChar('0'));
  for (int i = 1; i <= 20; ++i) parts << QString("RS%1:'응답값%1'").arg(i, 2, 10, QChar('0'));
  const QByteArray reply =
      orv::codepage::Encode("jsonp12345678983543344({" + parts.join(',') + "})");
  const CashReceiptInput in = Cancel();
  orvbench::TimedRuns(state, [&] {
    benchmark::DoNotOptimize(orv::codepage::Encode(orv::van::KiccTarget(KiccCashRequest(in))));
    if (ParseKiccReply(orv::codepage::Decode(reply)) != "00") state.SkipWithError("SUC");
  });
}

void BM_Nice(benchmark::State &state) {
  QStringList f;
  for (int i = 1; i <= 17; ++i) f << QString("필드%1").arg(i);
  QByteArray buffer(orv::van::kNiceReplyBytes, '\0');
  const QByteArray reply = orv::codepage::Encode(f.join(QChar(0x1c)) + QChar(0x1c));
  buffer.replace(0, reply.size(), reply);
  const CashReceiptInput in = Cancel();
  orvbench::TimedRuns(state, [&] {
    benchmark::DoNotOptimize(orv::codepage::Encode(NiceCashRequest(in)));
    benchmark::DoNotOptimize(
        SplitNiceReply(orv::codepage::Decode(buffer), QString(QChar(orv::van::kFs)), 17));
  });
}

void BM_Smartro(benchmark::State &state) {
  QWidget form;
  SmtReplyState smt(&form);
  const CashReceiptInput in = Cancel();
  orvbench::TimedRuns(state, [&] {
    // One reply on a form just opened: its log holds the first line only.
    smt.mnMsg->setPlainText(QStringLiteral("응답메세지\r\n"));
    smt.control()->SmtClearRequest();
    smt.msSmtReqKind = SmtCashReqKind(in);
    for (const auto &[n, v] : SmtCashFields(in)) smt.control()->SmtSetField(int16_t(n), v);
    // The reply handler reads every field and appends its 40 log lines.
    smt.SmtReplyEvent();
    benchmark::DoNotOptimize(smt.msSmtRetCode);
  });
  if (smt.mnMsg->toPlainText().count('\n') < 40) state.SkipWithError("no reply log");
}

void BM_KisMembers(benchmark::State &state) {
  QStringList replyFields{"RET"};
  for (int n : {30, 12, 11, 14, 20, 21, 31, 32})
    replyFields << orv::van::NumberedField(n, QString("값%1").arg(n));
  QString error;
  const QByteArray reply = orv::van::EncodeFrame(replyFields, &error);
  const CashReceiptInput in = Cancel();
  orvbench::TimedRuns(state, [&] {
    QStringList req{"CALL", "34"};
    for (const auto &[n, v] : KisCashMembers(in)) req << orv::van::NumberedField(n, v);
    benchmark::DoNotOptimize(orv::van::EncodeFrame(req, &error));
    QByteArray buf = reply;
    const orv::van::TakenFrame t = orv::van::TakeFrame(buf);
    for (int n : {30, 12, 11, 14, 20, 21, 31, 32}) benchmark::DoNotOptimize(orv::van::FindNumbered(t.fields, n));
  });
}

void BM_Cheques(benchmark::State &state) {
  SupyoInput in;
  in.suNo = "12345678012345";
  in.balDate = "240115";
  in.gNo = "1234567";
  in.suGum = "1,500,000";
  in.jumin13 = "8001011234560";
  in.personal = true;
  in.denomination = 3;
  QString error;
  orvbench::TimedRuns(state, [&] {
    benchmark::DoNotOptimize(orv::codepage::Encode(orv::van::KiccTarget(KiccSupyoRequest(in))));
    QStringList kis{"CALL", "34"};
    for (const auto &[n, v] : KisSupyoMembers(in)) kis << orv::van::NumberedField(n, v);
    benchmark::DoNotOptimize(orv::van::EncodeFrame(kis, &error));
    QStringList smt{"REQ"};
    for (const auto &[n, v] : SmtSupyoFields(in)) smt << orv::van::NumberedField(n, v);
    benchmark::DoNotOptimize(orv::van::EncodeFrame(smt, &error));
    benchmark::DoNotOptimize(orv::codepage::Encode(NiceSupyoRequest(in)));
  });
}

void BM_ViewerDay(benchmark::State &state) {
  goDbPos.Close();
  goDbPos.Open(g_dbs->New(false));
  orv::schema::CreateTable(goDbPos, "CardLog");
  {
    orv::db::Transaction tx(goDbPos);
    orv::db::Statement ins = goDbPos.Prepare(
        "Insert Into CardLog (ClgDate, ClgTime, ClgPosNo, ClgPsnKey, ClgChtNo, ClgData, ClgGbn, "
        "ClgDanID, ClgVanGbn, ClgSss1, ClgSss2, ClgSss3, ClgSss4, ClgSss5) Values ('20240315', ?, "
        "1, 1, ?, ?, ?, 'DAN1', 5, 0, 0, 0, 0, 0)");
    const QChar fs(28);
    for (int i = 0; i < 3000; ++i) {
      const bool request = i % 2 == 0;
      ins.Bind(0, QTime(8, 0).addSecs(i * 10).toString("HH:mm:ss"));
      ins.Bind(1, i + 1);
      ins.Bind(2, request ? QStringList{"0101", "x", "y", "9410121234567890", "z", "15000"}.join(fs)
                          : QStringList{"0101", "x", "y", "20240315", "OK", "z", "시험카드", "26",
                                        "a", "b", "40000001"}.join(fs));
      ins.Bind(3, request ? 0 : 1);
      ins.Execute();
    }
    tx.Commit();
  }
  giSetPosNo = 1;
  giSetVan = 5;
  giWrkYear = 2024;
  giWrkMonth = 3;
  giWrkDay = 15;
  frmCardCancel form;
  if (form.vaSpread1 == nullptr) return;
  orvbench::TimedRuns(state, [&] { form.ListDay(); });
}

void BM_WholeReceipt(benchmark::State &state, bool pg) {
  goDbMain.Close();
  goDbMain.Open(g_dbs->New(pg));
  for (const char *t : {"ComCode", "CstCode", "OrvRegistry"}) orv::schema::CreateTable(goDbMain, t);
  goDbMain.Execute("Insert Into ComCode(ComNo, ComName, ComPrtName) Values(1, 'S', '한빛마트')");
  goDbPos.Close();
  goDbPos.Open(g_dbs->New(false));
  orv::schema::CreateTable(goDbPos, "CardLog");
  orvbench::SimAgent sim("orvvansim-kicc");
  if (sim.Port().isEmpty()) {
    state.SkipWithError("no orvvansim-kicc beside the benchmark");
    return;
  }
  giSetVan = 1;
  gsSetServerIp = "127.0.0.1";
  gsSetServerPort = sim.Port();
  gsSetPrnPort = "LPT1";
  giWrkYear = 2024;
  giWrkMonth = 3;
  giWrkDay = 15;
  int issued = 0;
  orvbench::TimedRuns(state, [&] {
    frmMoneyChk form;
    form.show();
    form.txtiCard->setText("01012345678");
    form.txtiGum->setText("5000");
    form.cmdCommit_Click();
    issued += giHelpRet;
  });
  if (issued != int(state.iterations())) state.SkipWithError("a receipt failed");
}

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orv::dialogs::EnterTestMode([](const QString &) {});
  QTemporaryDir data;
  orv::datafolder::SetRoot(data.path());
  orvbench::Databases dbs("cash");
  g_dbs = &dbs;
  benchmark::Initialize(&argc, argv);
  orvbench::RegisterTimed("CashReceipt/Kicc", 2000, BM_Kicc);
  orvbench::RegisterTimed("CashReceipt/Nice1025Bytes", 2000, BM_Nice);
  orvbench::RegisterTimed("CashReceipt/SmartroWith40LineLog", 2000, BM_Smartro);
  orvbench::RegisterTimed("CashReceipt/KisMembers", 2000, BM_KisMembers);
  orvbench::RegisterTimed("Cheque/FourRequests", 2000, BM_Cheques);
  orvbench::RegisterTimed("CardLogViewer/3000RowDay", 50, BM_ViewerDay);
  orvbench::RegisterTimedOnEngines("CashReceipt/WholeThroughKicc", 50, BM_WholeReceipt);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  goDbPos.Close();
  goDbMain.Close();
  g_dbs->DropPg();
  orv::state::ResetProgramState();
  return 0;
}
