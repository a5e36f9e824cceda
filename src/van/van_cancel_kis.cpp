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
  QObject::connect(&agent, &KisPosAgent::Replied, &form, [&form] { form.msKisReply = QStringLiteral("응답"); });
  agent.Invoke(33);
  for (const auto &[member, value] :
       KisCancelMembers(giKzPayKind, form.txtiHalbu->text(), form.txtiGum->text(), form.mcCardVat,
                        gsKzBarcode, form.txtiDate->text(), form.txtiNo->text()))
    agent.Set(member, value);

  const bool need = form.miSignNeed == 1, ticked = form.chkSignNotUse->isChecked();
  van::KisSignRule sign = van::KisSignPlan(need, giSetVanDan, ticked, giSetSign0, 0);
  if (sign.usePad) {
    const bool signed_ = RunKisSignPad(form.Screen(), form.txtiCard, form.txtiGum, form.miSignState);
    sign = van::KisSignPlan(need, giSetVanDan, ticked, giSetSign0, signed_ ? 1 : 2);
  }
  if (sign.agentSigns) {
    ShowSignPrompt(form.Screen());
    form.KisPosAgent1->show();
  }
  if (sign.clearSignFlag) gtPanList.PclSss2 = 0;
  if (sign.askCardCompany)
    dlg::MsgBox(QStringLiteral("* 카드사에 문의하세요 !"), dlg::kInformation, QStringLiteral("카드사문의요망"));
  agent.Set(37, sign.flag);
  agent.Set(38, sign.image.isEmpty() ? QString() : orv::datafolder::Path(sign.image));

  // Nothing goes out before this row is written: its failure ends the attempt.
  CardLogRow(CardLogRequestText(tag, form.txtiGum->text()), 0);
  if (!ep) {
    agent.Invoke(34);
  } else {
    form.msKisReply.clear();
    agent.Invoke(137);
    if (!van::WaitUntil([&form] { return !form.msKisReply.isEmpty(); }, van::Timeouts().replyMs))
      agent.GiveUp();
  }
  form.LogRow(tag + QStringLiteral("_OutRet"), 1);
  form.fraSign->hide();
  giDspSignPlease = 2;
  form.KisPosAgent1->hide();
  form.Kis->hide();

  bool statusOk = false;
  const int status = agent.Get(30).trimmed().toShort(&statusOk);
  const QString code = agent.Get(12);
  if (statusOk && status == 0 && code == QLatin1String("0000")) {
    form.LogRow(tag + QStringLiteral("_OutRet_Ok"), 2);
    form.lblCardName->clear();
    const QString receivedCode = van::FillKisCardRet(agent, ep, int16_t(form.Months().toInt()));
    gtCardRet.Gum = NzCur(agent.Get(16));
    form.ShowReply();
    form.lblMeipCode->setText(receivedCode);
    gsDspDisCardMeipCode = receivedCode;
    return 0;
  }
  form.LogRow(tag + QStringLiteral("_OutRet_Err"), 2);
  ClearCardRet();
  for (int i = 0; i < 5; ++i) van::Pause(0);
  QString line1 = agent.Get(31).trimmed();
  if (line1 == van::NoReplyText()) line1 = NoCancelReplyText();
  dlg::MsgBox(QStringLiteral("* 승인을 다시 하세요 ") + van::KisFailDetail(code) + QStringLiteral("!\r\n") +
                  line1 + QStringLiteral("\r\n") + agent.Get(32).trimmed(),
              dlg::kCritical, QStringLiteral("카드재승인요청"));
  return 9999;
}
