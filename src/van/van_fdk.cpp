// First Data: one transaction with the agent per approval or cheque inquiry.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QCheckBox>
#include <QFrame>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/van_approval.h"
#include "van/van_wait.h"

QString gsFdkPrintYn, gsFdkResCode, gsFdkCmitNo, gsFdkCmitDate, gsFdkGaMyNo, gsFdkDdcFlag,
    gsFdkDdcNo, gsFdkResMsg1, gsFdkResMsg2, gsFdkCardName, gsFdkBalCode, gsFdkBalName,
    gsFdkMeipCode, gsFdkMeipName, gsFdkJanGum, gsFdkNotice, gsFdkNotice1, gsFdkNotice2,
    gsFdkNotice3, gsFdkNotice4, gsFdkMaskCardNo, gsFdkHalbu, gsFdkKakaoGbn, gsFdkDcGum,
    gsFdkTranUid;

namespace {

constexpr int kTranIdLength = 50;
constexpr int kReplyLength = 100;


struct FdkOutput {
  const char *key;
  QString *global;
};
const FdkOutput kOutputs[] = {
    {"프린터출력유무", &gsFdkPrintYn}, {"응답코드", &gsFdkResCode},
    {"승인번호", &gsFdkCmitNo},       {"승인일자", &gsFdkCmitDate},
    {"가맹점번호", &gsFdkGaMyNo},     {"DDCFlag", &gsFdkDdcFlag},
    {"DDC전표번호", &gsFdkDdcNo},     {"응답메시지1", &gsFdkResMsg1},
    {"응답메시지2", &gsFdkResMsg2},   {"카드명", &gsFdkCardName},
    {"발급사코드", &gsFdkBalCode},    {"발급사명", &gsFdkBalName},
    {"매입사코드", &gsFdkMeipCode},   {"매입사명", &gsFdkMeipName},
    {"잔액", &gsFdkJanGum},           {"Notice", &gsFdkNotice},
    {"알림1", &gsFdkNotice1},         {"알림2", &gsFdkNotice2},
    {"알림3", &gsFdkNotice3},         {"알림4", &gsFdkNotice4},
    {"마스킹카드번호", &gsFdkMaskCardNo},
};

const QString kCrLf = QStringLiteral("\r\n");

}  // namespace

QString FdkReadField(const QString &key) {
  QString buffer;
  FDK_WIN4POS_Output(key, buffer, kReplyLength);
  return QString(buffer).remove(QChar(0));
}

void FdkReadCardReply(int16_t payKind, const QString &months) {
  for (const FdkOutput &o : kOutputs) *o.global = FdkReadField(QString::fromUtf8(o.key));
  if (payKind == 0) {
    gsFdkHalbu = FdkReadField(QStringLiteral("할부"));
    return;
  }
  gsFdkHalbu = months;
  gsFdkKakaoGbn = FdkReadField(QStringLiteral("카카오구분"));
  gsFdkDcGum = FdkReadField(QStringLiteral("할인금액"));
}

void FillFdkCardRet(int16_t payKind, orv::Currency gum, const QString &months) {
  CardRetRec &c = gtCardRet;
  c.CardName = NzStr(gsFdkBalName);
  c.MeipCode = (QStringLiteral("0000") + KeepDigits(gsFdkMeipCode, 0)).right(4);
  c.MeipName = NzStr(gsFdkMeipName);
  if (payKind == 1)
    c.MeipName += "(" + gsKzKakaoGbn + ":" + QString::number(gcKzDcGum.RoundToInt()) + ")";
  if (payKind == 0) c.CardNo = NzStr(gsFdkMaskCardNo).left(16);
  else c.CardNo = (payKind == 1 ? QStringLiteral("K") : QStringLiteral("Z")) + gsKzBarcode.left(12);
  c.CardDate = QStringLiteral("0000");
  c.Gum = gum;
  c.Halbu = int16_t(months.toInt());
  c.CmitNo = NzStr(gsFdkCmitNo);
  c.CmitDate = NzStr(gsFdkCmitDate);
  c.GamyNo = NzStr(gsFdkGaMyNo);
}

void FdkFailReply(const QString &code, const QString &text) {
  gsFdkResCode = code;
  gsFdkResMsg1 = text;
  gsFdkResMsg2.clear();
}

int16_t FdkFailTail() {
  ClearCardRet();
  for (int i = 0; i < 5; ++i) orv::van::Pause(0);
  orv::dialogs::MsgBox(QStringLiteral("* 승인을 다시 하세요 !\nErrCode [ ") + gsFdkResCode +
                           QStringLiteral(" ] - ") + gsFdkResMsg1 + "\n" + gsFdkResMsg2,
                       orv::dialogs::kCritical, QStringLiteral("카드재승인요청"));
  return 9999;
}

QString FdkExecute() {
  const int16_t r = FDK_WIN4POS_Execute();
  if (r == 0) return {};
  QString buffer;
  FDK_WIN4POS_Output(QStringLiteral("MSG_RET_STR"), buffer, kReplyLength);
  return QStringLiteral("Call Dll :: FDK_WIN4POS_Execute()") + kCrLf + QStringLiteral("결과[") +
         QString::number(r) + "] : " + buffer;
}

QString FdkOpenTransaction(const QString &msgCmd, const QList<QPair<QString, QString>> &inputs) {
  int16_t r = FDK_WIN4POS_Status();
  if (r != 0)
    return QStringLiteral("Call Dll :: FDK_WIN4POS_Status()") + kCrLf + QStringLiteral("결과 : 실패(") +
           QString::number(r) + ")";
  QString tranId(kTranIdLength, QChar(0));
  r = FDK_WIN4POS_MkTranId(tranId, kTranIdLength);
  if (r != 0)
    return QStringLiteral("Call Dll :: FDK_WIN4POS_MkTranId()") + kCrLf + QStringLiteral("결과 : [") +
           tranId + "](" + QString::number(r) + ")";
  r = FDK_WIN4POS_Init(tranId, msgCmd, QStringLiteral("FDK"));
  if (r != 0)
    return QStringLiteral("Call Dll :: FDK_WIN4POS_Init()") + kCrLf + QStringLiteral("TranID  : [") +
           tranId + "]" + kCrLf + QStringLiteral("MsgCmd  : [") + msgCmd + "]" + kCrLf +
           QStringLiteral("MsgCert : [FDK]") + kCrLf + QStringLiteral("결과    : 실패(") +
           QString::number(r) + ")";
  for (const auto &[key, value] : inputs) {
    r = FDK_WIN4POS_Input(key, value);
    if (r != 0)
      return QStringLiteral("Call Dll :: FDK_WIN4POS_Input()") + kCrLf + QStringLiteral("Key   : [") +
             key + "]" + kCrLf + QStringLiteral("Value : [") + value + "]" + kCrLf +
             QStringLiteral("결과  : 실패(") + QString::number(r) + ")";
  }
  return {};
}

bool FdkCodeApproves(const QString &code) {
  const QString c = code.trimmed();
  if (c.isEmpty()) return false;
  for (QChar ch : c)
    if (!ch.isDigit() || ch.unicode() > '9') return false;
  return c.toLongLong() == 0;
}

QList<QPair<QString, QString>> FdkApprovalInputs(int16_t payKind, orv::Currency reqGum,
                                                 orv::Currency taxGum, const QString &months,
                                                 const QString &barcode) {
  QList<QPair<QString, QString>> in;
  if (payKind >= 0 && payKind <= 2)
    in.append({QStringLiteral("거래구분"),
               payKind == 0 ? QStringLiteral("CRD") : payKind == 1 ? QStringLiteral("KAO") : QStringLiteral("ZRO")});
  in.append({QStringLiteral("사업자번호"), gsSaupNo});
  in.append({QStringLiteral("제품일련번호"), gsSetDanId});
  in.append({QStringLiteral("요청금액"), QString::number(reqGum.RoundToInt())});
  in.append({QStringLiteral("봉사료"), QStringLiteral("0")});
  in.append({QStringLiteral("세금"), QString::number(taxGum.RoundToInt())});
  in.append({QStringLiteral("할부"), months});
  if (payKind == 1) in.append({QStringLiteral("거래고유번호"), barcode});
  if (payKind == 2) in.append({QStringLiteral("바코드번호"), barcode});
  return in;
}

int16_t ApproveFdk(frmCardChk &form) {
  using orv::Currency;
  if (giKzPayKind == 1) orv::van::Pause(orv::van::Timeouts().pauseMs);
  gtPanList.PclSss2 = 1;
  const QString months = form.Months();
  const QString failure = FdkOpenTransaction(
      QStringLiteral("PAY"), FdkApprovalInputs(giKzPayKind, form.mcReqGum, form.mcTaxGum, months, gsKzBarcode));
  AskForSignature(form);
  if (!failure.isEmpty()) {
    FdkFailReply(QStringLiteral("9998"), failure);
  } else {
    CardLogRow(CardLogRequestText(QStringLiteral("FDK_WIN4POS"), form.txtiGum->text()), 0);
    const QString execFailure = FdkExecute();
    form.LogRow(QStringLiteral("FDK_WIN4POS_OutRet"), 1);
    if (!execFailure.isEmpty()) {
      FdkFailReply(QStringLiteral("9999"), execFailure);
    } else {
      FdkReadCardReply(giKzPayKind, months);
      // The inquiry's kind "D" carries the discount (the scan form's "C" has its own).
      if (giKzPayKind == 1)
        gcKzDcGum = gsKzKakaoGbn == QLatin1String("D") ? ValCur(gsFdkDcGum) : Currency();
    }
  }
  FDK_WIN4POS_Term();
  form.fraSign->hide();
  giDspSignPlease = 2;
  if (FdkCodeApproves(gsFdkResCode)) {
    form.LogRow(QStringLiteral("FDK_WIN4POS_Execute_Ok"), 2);
    gsKzKakaoGbn = gsFdkKakaoGbn.trimmed();
    FillFdkCardRet(giKzPayKind, form.mcReqGum, months);
    form.ShowResult();
    gsCardPrnMsg1 = NzStr2(gsFdkResMsg1);
    gsCardPrnMsg2 = NzStr2(gsFdkResMsg2);
    if (giKzPayKind > 0) KeepBarcode(form);
    return 0;
  }
  form.LogRow(QStringLiteral("FDK_WIN4POS_Execute_Err"), 2);
  return FdkFailTail();
}

void QuerySupyoFdk() {
  if (FDK_WIN4POS_Status() != 0) {
    // Only a missing or dead agent is told; every other failed step shows nothing.
    orv::dialogs::MsgBox(QStringLiteral("Win4POS 구동 실패(-1)"), orv::dialogs::kCritical,
                         QStringLiteral("수표조회"));
    FDK_WIN4POS_Term();
    return;
  }
  QString tranId(kTranIdLength, QChar(0));
  QString buffer;
  if (FDK_WIN4POS_MkTranId(tranId, kTranIdLength) == 0 &&
      FDK_WIN4POS_Init(tranId, QStringLiteral("CHK"), QStringLiteral("FDK")) == 0) {
    if (FDK_WIN4POS_Execute() != 0) {
      FDK_WIN4POS_Output(QStringLiteral("MSG_RET_STR"), buffer, kReplyLength);
    } else {
      for (const char *k : {"프린터출력유무", "응답코드", "응답일시", "응답메시지1", "응답메시지2"})
        FDK_WIN4POS_Output(QString::fromUtf8(k), buffer, kReplyLength);
    }
  }
  FDK_WIN4POS_Term();
}

namespace orv::state {
void ResetFdkGlobals() {
  for (QString *s : {&gsFdkPrintYn, &gsFdkResCode, &gsFdkCmitNo, &gsFdkCmitDate, &gsFdkGaMyNo,
                     &gsFdkDdcFlag, &gsFdkDdcNo, &gsFdkResMsg1, &gsFdkResMsg2, &gsFdkCardName,
                     &gsFdkBalCode, &gsFdkBalName, &gsFdkMeipCode, &gsFdkMeipName, &gsFdkJanGum,
                     &gsFdkNotice, &gsFdkNotice1, &gsFdkNotice2, &gsFdkNotice3, &gsFdkNotice4,
                     &gsFdkMaskCardNo, &gsFdkHalbu, &gsFdkKakaoGbn, &gsFdkDcGum, &gsFdkTranUid})
    s->clear();
}
}  // namespace orv::state

static const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetFdkGlobals);
