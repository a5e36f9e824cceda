// KICC: the cancellation of a card approval, one request to the card agent over HTTP.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "chit/records.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "van/card_agent.h"
#include "van/frmMsgBox.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmDisCard.h"
#include "van/kicc.h"
#include "van/van_approval.h"
#include "van/van_error.h"
#include "van/van_wait.h"

QString KiccCancelReq(const QString &amountText, const QString &months, const QString &date,
                      const QString &cmitNo, const QString &vat) {
  return QStringLiteral("D4^^") + QString(amountText).remove(QLatin1Char(',')).trimmed() + "^" +
                      (QStringLiteral("00") + months).right(2) + "^" +
                      (QString(6, QLatin1Char(' ')) + date.trimmed()).right(6) + "^" +
                      (cmitNo + QString(8, QLatin1Char(' '))).left(8) + QStringLiteral("^^^^^^30^M") +
                      vat + QStringLiteral("^^");
}

int16_t CancelCardKicc(frmDisCard &form) {
  const QString req = KiccCancelReq(form.txtiGum->text(), form.txtiHalbu->text(), form.txtiDate->text(),
                                    form.txtiNo->text(), QString::number(form.mcCardVat.RoundToInt()));
  const SignPlan plan = PromptSignPlan(form.miSignNeed == 1, giSetVanDan,
                                       form.chkSignNotUse->isChecked(), giSetSign0);
  if (plan.prompt) ShowSignPrompt(form.Screen());
  if (plan.resetPadState) form.miSignState = 0;
  if (plan.clearSignFlag) gtPanList.PclSss2 = 0;
  // Nothing goes out before this row is written: its failure ends the attempt.
  CardLogRow(CardLogRequestText(QStringLiteral("WinHttpOpenPOST"), form.txtiGum->text()), 0);
  const orv::van::AgentAnswer answer = orv::van::KiccSend(req);
  if (!answer.sent)
    throw orv::van::VanError(-1, QStringLiteral("카드 에이전트에 연결하지 못했습니다 (") + gsSetServerIp +
                                     ":" + gsSetServerPort + ") " + answer.error);
  form.LogRow(QStringLiteral("WinHttpOpenPOST_OutRet"), 1);
  form.fraSign->hide();
  giDspSignPlease = 2;
  bool failed = true;
  if (ParseKiccReply(answer.text) == QLatin1String("00")) {
    form.LogRow(QStringLiteral("WinHttpOpenPOST_OutRet_Ok"), 2);
    failed = false;
    form.lblCardName->clear();
    orv::van::FillKiccCardRet(form.txtiCard->text());
    form.ShowReply();
    gsCardPrnMsg1 = gsKiccRS[17].trimmed();
    gsCardPrnMsg2.clear();
    if (gsKiccRS[4] != QLatin1String("0000")) {
      failed = true;
      gsKiccMSG = gsKiccRS[16];
    }
  } else {
    form.LogRow(QStringLiteral("WinHttpOpenPOST_OutRet_Err"), 2);
    if (!answer.replied) gsKiccMSG = NoCancelReplyText();
  }
  if (!failed) {
    orv::van::Pause(0);
    return 0;
  }
  ClearCardRet();
  for (int i = 0; i < 5; ++i) orv::van::Pause(0);
  ShowCardMsgBox(&form, QStringLiteral("카드재승인요청"), QStringLiteral("* 승인을 다시 하세요 !\r\n") + gsKiccMSG);
  return 9999;
}
