// SMARTRO: the cancellation of a card, ZeroPay or KakaoPay approval through the terminal.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "chit/records.h"
#include "core/byte_text.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "van/SmtSndRcvVCAT.h"
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmDisCard.h"
#include "van/van_approval.h"
#include "van/van_smartro.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;

QList<QPair<int, QString>> SmtCancelFields(int16_t payKind, const QString &months,
                                           const QString &amount, const QString &vat,
                                           const QString &cmitDate, const QString &cmitNo,
                                           const QString &barcode, const QString &kakaoGbn) {
  QList<QPair<int, QString>> f;
  if (payKind == 1) {
    f = {{1, QStringLiteral("4201")}, {2, QStringLiteral("02")}};
  } else {
    f = {{1, QStringLiteral("2101")}, {2, payKind == 2 ? QStringLiteral("55") : QStringLiteral("01")}};
    if (payKind == 2)
      f.append({10, QStringLiteral("86020ZERO") + cmitDate.right(6) + cmitNo});
  }
  f += QList<QPair<int, QString>>{{6, months}, {3, amount}, {4, vat}, {13, cmitDate}, {12, cmitNo}};
  if (payKind == 1) {
    f.append({70, QStringLiteral("B") + barcode});
    f.append({10, QStringLiteral("84012KAKAOREQ004") + kakaoGbn});
  }
  return f;
}

void frmDisCard::SmtReadCardInfo() { smt->SmtQueryMerchantInfo(); }

int16_t CancelCardSmt(frmDisCard &form) {
  SmtReplyState &smt = *form.smt;
  SmtSndRcvVCAT &c = *smt.control();
  const bool kakao = giKzPayKind == 1;
  QString mode = QStringLiteral("1");
  SmtSignature sig;
  if (kakao) {
    // No pad and no stored image for KakaoPay.
    if (form.miSignNeed == 1) {
      if (!form.chkSignNotUse->isChecked()) {
        SmtTerminalSignature(form.Screen());
        mode = QStringLiteral("2");
      } else {
        gtPanList.PclSss2 = 0;
      }
    }
  } else {
    // The signature first: an image needs the working key, whose query takes the terminal's
    // request; the cancellation is then built whole.
    if (!SmtTakeSignature(form.Screen(), form.miSignNeed == 1, form.chkSignNotUse->isChecked(),
                          form.txtiCard, form.txtiGum, form.miSignState, smt, &sig))
      return 9999;
    mode = sig.mode;
  }
  smt.msSmtReqKind = QStringLiteral("210101");
  c.SmtClearRequest();
  for (const auto &[number, value] :
       SmtCancelFields(giKzPayKind, form.Months(), form.AmountText().trimmed(),
                       QString::number(form.mcCardVat.RoundToInt()), form.txtiDate->text().trimmed(),
                       form.txtiNo->text().trimmed(), gsKzBarcode, gsKzKakaoGbn))
    c.SmtSetField(int16_t(number), value);
  c.SmtSetField(9, mode);
  if (mode == QLatin1String("4")) {
    c.SmtSetField(68, sig.b);
    c.SmtSetField(69, sig.a);
  }
  const QString tag = kakao ? QStringLiteral("SMT_SendToVCatKAO") : QStringLiteral("SMT_SendToVCat");
  // Nothing goes out before this row is written: its failure ends the attempt.
  CardLogRow(CardLogRequestText(tag, form.txtiGum->text()), 0);
  const QString code = smt.SendAndWait();
  form.LogRow(tag + QStringLiteral("_OutRet"), 1);
  SmtSignatureOver(form.Screen());
  if (code == QLatin1String("00")) {
    form.LogRow(tag + QStringLiteral("_OutRet_Ok"), 2);
    form.lblCardName->clear();
    // The cancellation's reply has no discount.
    const QString meipCode = FillSmtCardRet(smt.msSmtReply, QStringLiteral("?"), int16_t(form.Months().toInt()));
    form.ShowReply();
    form.lblMeipCode->setText(meipCode);
    gsDspDisCardMeipCode = meipCode;
    return 0;
  }
  form.LogRow(kakao ? QStringLiteral("SMT_SendToVCaKAOt_OutRet_Err") : tag + QStringLiteral("_OutRet_Err"), 2);
  ClearCardRet();
  for (int i = 0; i < 5; ++i) orv::van::Pause(0);
  const QString last = code == QLatin1String("-9") ? NoCancelReplyText() : smt.msSmtReply.value(18);
  dlg::MsgBox(QStringLiteral("* 승인을 다시 하세요 !\nErrCode [ ") + code + QStringLiteral(" ] - ") +
                  SmtResultText(code) + "\n" + last,
              dlg::kCritical, QStringLiteral("카드재승인요청"));
  return 9999;
}
