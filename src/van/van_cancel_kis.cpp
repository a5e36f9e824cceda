// KIS: the cancellation of a card approval ("D2", synchronous) or of a KakaoPay or ZeroPay
// payment ("EP" with "RR", finished by the agent's reply event).
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "chit/records.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/datafolder.h"
#include "platform/dialogs.h"
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmDisCard.h"
#include "van/kis.h"
#include "van/van_approval.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;

QList<QPair<int, QString>> KisCancelMembers(int16_t payKind, const QString &months,
                                            const QString &amountText, orv::Currency vat,
                                            const QString &barcode, const QString &cmitDate,
                                            const QString &cmitNo) {
  const bool ep = payKind != 0;
  QList<QPair<int, QString>> m{{1, gsSetServerIp},
                               {2, gsSetServerPort},
                               {3, ep ? QStringLiteral("EP") : QStringLiteral("D2")}};
  if (ep) m.append({124, QStringLiteral("RR")});
  m.append({4, (QStringLiteral("00") + months).right(2)});
  m.append({5, QString(amountText).remove(QLatin1Char(',')).trimmed()});
  m.append({6, QString::number(vat.RoundToInt())});
  if (ep) m.append({61, barcode});
  const int width = ep ? 8 : 6;
  m.append({8, (QString(width, QLatin1Char(' ')) + cmitDate.trimmed()).right(width)});
  m.append({9, cmitNo.trimmed()});
  return m;
}

int16_t CancelCardKis(frmDisCard &form) {
  namespace van = orv::van;
  const bool ep = giKzPayKind != 0;
  const QString tag = ep ? QStringLiteral("KIS_ApprovalKz") : QStringLiteral("KIS_Approval");
  KisPosAgent agent;
  QString code;
  if (RunKisRequest(form, agent,
                    KisCancelMembers(giKzPayKind, form.txtiHalbu->text(), form.txtiGum->text(), form.mcCardVat,
                                     gsKzBarcode, form.txtiDate->text(), form.txtiNo->text()),
                    ep, form.miSignNeed == 1, form.miSignState, tag, &code)) {
    form.lblCardName->clear();
    const QString receivedCode = van::FillKisCardRet(agent, ep, int16_t(form.Months().toInt()));
    gtCardRet.Gum = NzCur(agent.Get(16));
    form.ShowReply();
    form.lblMeipCode->setText(receivedCode);
    gsDspDisCardMeipCode = receivedCode;
    return 0;
  }
  ClearCardRet();
  for (int i = 0; i < 5; ++i) van::Pause(0);
  QString line1 = agent.Get(31).trimmed();
  if (line1 == van::NoReplyText()) line1 = NoCancelReplyText();
  dlg::MsgBox(QStringLiteral("* 승인을 다시 하세요 ") + van::KisFailDetail(code) + QStringLiteral("!\r\n") +
                  line1 + QStringLiteral("\r\n") + agent.Get(32).trimmed(),
              dlg::kCritical, QStringLiteral("카드재승인요청"));
  return 9999;
}
