// First Data: one Win4POS transaction per cancellation of a card, KakaoPay or ZeroPay
// approval.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "chit/records.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/frmDisCard.h"
#include "van/van_approval.h"
#include "van/van_wait.h"

QList<QPair<QString, QString>> FdkCancelInputs(int16_t payKind, orv::Currency gum,
                                               orv::Currency vat, const QString &months,
                                               const QString &sentDate, const QString &cmitNo,
                                               const QString &barcode) {
  const QString kind = payKind == 1   ? QStringLiteral("KAO")
                       : payKind == 2 ? QStringLiteral("ZRO")
                                      : QStringLiteral("CRD");
  QList<QPair<QString, QString>> in{{QStringLiteral("거래구분"), kind}};
  in.append({payKind == 0 ? QStringLiteral("취소구분") : QStringLiteral("업무구분"), QStringLiteral("Y")});
  in.append({QStringLiteral("사업자번호"), gsSaupNo});
  in.append({QStringLiteral("제품일련번호"), gsSetDanId});
  in.append({QStringLiteral("요청금액"), QString::number(gum.RoundToInt())});
  in.append({QStringLiteral("봉사료"), QStringLiteral("0")});
  in.append({QStringLiteral("세금"), QString::number(vat.RoundToInt())});
  in.append({QStringLiteral("할부"), months});
  in.append({QStringLiteral("원거래일자"), sentDate});
  in.append({QStringLiteral("원승인번호"), cmitNo});
  if (payKind == 1) in.append({QStringLiteral("거래고유번호"), barcode});
  if (payKind == 2) in.append({QStringLiteral("바코드번호"), barcode});
  return in;
}

int16_t CancelCardFdk(frmDisCard &form) {
  const QString months = form.Months();
  const QString failure = FdkOpenTransaction(
      QStringLiteral("PAY"), FdkCancelInputs(giKzPayKind, form.mcCardGum, form.mcCardVat, months,
                                             form.SentDate(), form.txtiNo->text().trimmed(), gsKzBarcode));
  const SignPlan plan = PromptSignPlan(form.miSignNeed == 1, giSetVanDan,
                                       form.chkSignNotUse->isChecked(), giSetSign0);
  if (plan.prompt) ShowSignPrompt(form.Screen());
  if (plan.clearSignFlag) gtPanList.PclSss2 = 0;
  if (!failure.isEmpty()) {
    FdkFailReply(QStringLiteral("9998"), failure);
  } else {
    // Nothing goes out before this row is written: its failure ends the attempt.
    CardLogRow(CardLogRequestText(QStringLiteral("FDK_WIN4POS"), form.txtiGum->text()), 0);
    QString execFailure = FdkExecute();
    execFailure.replace(orv::van::NoReplyText(), NoCancelReplyText());
    form.LogRow(QStringLiteral("FDK_WIN4POS_OutRet"), 1);
    if (!execFailure.isEmpty()) FdkFailReply(QStringLiteral("9999"), execFailure);
    else FdkReadCardReply(giKzPayKind, months);
  }
  FDK_WIN4POS_Term();
  form.fraSign->hide();
  giDspSignPlease = 2;
  if (FdkCodeApproves(gsFdkResCode)) {
    form.LogRow(QStringLiteral("FDK_WIN4POS_Execute_Ok"), 2);
    gsKzKakaoGbn = QStringLiteral("?");
    FillFdkCardRet(giKzPayKind, form.mcCardGum, months);
    form.ShowReply();
    gsCardPrnMsg1 = NzStr(gsFdkResMsg1);
    gsCardPrnMsg2 = NzStr(gsFdkResMsg2);
    return 0;
  }
  form.LogRow(QStringLiteral("FDK_WIN4POS_Execute_Err"), 2);
  return FdkFailTail();
}
