// NICE: the cancellation of a card approval, one call of the card reader's library.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QCheckBox>

#include "chit/records.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/codepage.h"
#include "platform/dialogs.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmDisCard.h"
#include "van/van_approval.h"
#include "van/van_nice.h"
#include "van/van_wait.h"
#include "van/van_wire.h"

QString NiceCancelTelegram(const QString &amount, const QString &vat, const QString &months,
                           const QString &cmitNo, const QString &cmitDate, const QString &svc) {
  const QStringList fields{QStringLiteral("0420"), QStringLiteral("10"), QStringLiteral("C"), amount,
                           vat, QStringLiteral("0"), months, cmitNo, cmitDate, {}, {}, {}, {}, svc};
  QString t;
  for (const QString &f : fields) t += f + QChar(orv::van::kFs);
  return t;
}

int16_t CancelCardNice(frmDisCard &form) {
  QByteArray buffer(orv::van::kNiceReplyBytes, '\0');
  QByteArray telegram = orv::codepage::Encode(NiceCancelTelegram(
      form.AmountText().trimmed(), QString::number(form.mcCardVat.RoundToInt()), form.Months(),
      form.txtiNo->text().trimmed(), form.txtiDate->text().trimmed(),
      QString::number(form.mcCardSvc.RoundToInt())));
  const SignPlan plan = PromptSignPlan(form.miSignNeed == 1, giSetVanDan,
                                       form.chkSignNotUse->isChecked(), giSetSign0);
  if (plan.prompt) ShowSignPrompt(form.Screen());
  if (plan.clearSignFlag) gtPanList.PclSss2 = 0;
  // Nothing goes out before this row is written: its failure ends the attempt.
  CardLogRow(CardLogRequestText(QStringLiteral("NICE_NICEVCAT"), form.txtiGum->text()), 0);
  const int r = NICEVCAT(telegram, buffer);
  form.LogRow(QStringLiteral("NICE_NICEVCAT_OutRet"), 1);
  form.fraSign->hide();
  giDspSignPlease = 2;
  bool failed = true;
  if (r == 1) {
    form.LogRow(QStringLiteral("NICE_NICEVCAT_OutRet_Ok"), 2);
    if (NiceCardReplyApproved(buffer)) {
      failed = false;
      FillNiceCardRet(form.txtiCard->text());
      form.ShowReply();
    }
  } else {
    form.LogRow(QStringLiteral("NICE_NICEVCAT_OutRet_Err"), 2);
    gsNiceRet03 = QStringLiteral("-1");
    gsNiceRet17 = r == orv::van::kNiceNoReply ? NoCancelReplyText()
                                              : QStringLiteral("알수없는오류(통신,전문)!");
  }
  if (!failed) return 0;
  ClearCardRet();
  for (int i = 0; i < 5; ++i) orv::van::Pause(0);
  orv::dialogs::MsgBox(QStringLiteral("* 승인을 다시 하세요 !\r\nErrCode [ ") + gsNiceRet03 +
                           QStringLiteral(" ] - ") + gsNiceRet17,
                       orv::dialogs::kCritical, QStringLiteral("카드재승인요청"));
  return 9999;
}
