// KICC: the agent on the shop PC over HTTP, and its JSONP reply.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/values.h"
#include "platform/codepage.h"
#include "platform/http.h"
#include "platform/mouse.h"
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/frmMsgBox.h"
#include "van/kicc.h"
#include "van/van_approval.h"
#include "van/van_error.h"
#include "van/van_wait.h"

QString gsKiccSUC, gsKiccMSG;
QString gsKiccRQ[16];
QString gsKiccRS[21];

void ClearKiccReply() {
  gsKiccSUC.clear();
  gsKiccMSG.clear();
  for (QString &s : gsKiccRQ) s.clear();
  for (QString &s : gsKiccRS) s.clear();
}

QString ParseKiccReply(const QString &reply) {
  ClearKiccReply();
  QString text = reply;
  const int open = text.indexOf(QStringLiteral("({"));
  if (open >= 0) text = text.mid(open + 2);
  if (text.endsWith(QStringLiteral("})"))) text.chop(2);
  text = text.trimmed();
  if (text.isEmpty()) return {};
  struct Key {
    QString name;
    QString *field;
  };
  static const QList<Key> keys = [] {
    QList<Key> k{{QStringLiteral("SUC:"), &gsKiccSUC}, {QStringLiteral("MSG:"), &gsKiccMSG}};
    for (int i = 1; i <= 15; ++i)
      k.append({QStringLiteral("RQ%1:").arg(i, 2, 10, QLatin1Char('0')), &gsKiccRQ[i]});
    for (int i = 1; i <= 20; ++i)
      k.append({QStringLiteral("RS%1:").arg(i, 2, 10, QLatin1Char('0')), &gsKiccRS[i]});
    return k;
  }();
  for (const QString &raw : text.split(QLatin1Char(','))) {
    const QString part = raw.trimmed().remove(QLatin1Char('\''));
    for (const Key &k : keys) {
      const int at = part.indexOf(k.name);
      if (at >= 0) *k.field = part.mid(at + k.name.size());
    }
  }
  return gsKiccSUC;
}

namespace orv::van {

QString KiccTarget(const QString &req) {
  // A raw blank would end the request line: a padded field's blanks go as %20.
  return QStringLiteral("/?callback=jsonp12345678983543344&REQ=") +
         QString(req).replace(QLatin1Char(' '), QStringLiteral("%20"));
}

QString KiccApprovalReq(const QString &amountText, const QString &months, const QString &vat) {
  return QStringLiteral("D1^^") + QString(amountText).remove(QLatin1Char(',')).trimmed() + "^" +
         (QStringLiteral("00") + months).right(2) + QStringLiteral("^^^^^^^^30^M") + vat +
         QStringLiteral("^^");
}

void FillKiccCardRet(const QString &cardText) {
  CardRetRec &c = gtCardRet;
  c.CardName = gsKiccRS[12].trimmed();
  c.MeipCode = (QStringLiteral("0000") + KeepDigits(gsKiccRS[5], 0)).right(4);
  c.MeipName = gsKiccRS[14].trimmed();
  c.CardNo = gsKiccRQ[4].trimmed().left(16);
  c.CardDate = NzStr(cardText).mid(17, 4);
  c.Gum = NzCur(gsKiccRQ[7]);
  c.Halbu = int16_t(NzCur((QStringLiteral("00") + gsKiccRQ[6]).right(2)).RoundToInt());
  c.CmitNo = gsKiccRS[9].trimmed();
  c.CmitDate = NzStr(gsKiccRS[7]).left(6);
  c.GamyNo = gsKiccRS[13].trimmed();
}

AgentAnswer KiccSend(const QString &req) {
  AgentAnswer a;
  bool portOk = false;
  const uint port = gsSetServerPort.trimmed().toUInt(&portOk);
  if (!portOk || port == 0 || port > 65535) {
    a.error = QStringLiteral("포트 번호가 잘못되었습니다: ") + gsSetServerPort;
    return a;
  }
  const int ms = Timeouts().replyMs;
  const http::Reply r = http::PostRaw(gsSetServerIp, quint16(port),
                                      codepage::Encode(KiccTarget(req)), {}, ms, ms);
  a.sent = r.sent;
  a.replied = r.ok;
  // The agent's headers are not trusted: its replies are CP949.
  if (r.ok) a.text = codepage::Decode(r.body);
  else a.error = r.error;
  return a;
}

AgentAnswer KiccSendOrThrow(const QString &req) {
  AgentAnswer a = KiccSend(req);
  if (!a.sent)
    throw VanError(-1, QStringLiteral("카드 에이전트에 연결하지 못했습니다 (") + gsSetServerIp + ":" +
                           gsSetServerPort + ") " + a.error);
  return a;
}

}  // namespace orv::van

int16_t ApproveKicc(frmCardChk &form) {
  using orv::Currency;
  const QString req = orv::van::KiccApprovalReq(form.txtiGum->text(), form.txtiHalbu->text(),
                                                QString::number(form.mcTaxGum.RoundToInt()));
  AskForSignature(form);
  CardLogRow(CardLogRequestText(QStringLiteral("WinHttpOpenPOST"), form.txtiGum->text()), 0);
  const orv::van::AgentAnswer answer = orv::van::KiccSendOrThrow(req);
  form.LogRow(QStringLiteral("WinHttpOpenPOST_OutRet"), 1);
  form.fraSign->hide();
  giDspSignPlease = 2;

  int16_t failed = -1;
  if (ParseKiccReply(answer.text) == QLatin1String("00")) {
    form.LogRow(QStringLiteral("WinHttpOpenPOST_OutRet_Ok"), 2);
    failed = 0;
    orv::van::FillKiccCardRet(form.txtiCard->text());
    form.ShowResult();
    if (gsKiccRS[4] != QLatin1String("0000")) {
      failed = -1;
      gsKiccMSG = gsKiccRS[16];
    }
    gsCardPrnMsg1 = gsKiccRS[17].trimmed();
    gsCardPrnMsg2.clear();
  } else {
    form.LogRow(QStringLiteral("WinHttpOpenPOST_OutRet_Err"), 2);
    if (!answer.replied) gsKiccMSG = orv::van::NoReplyText();
  }
  if (failed != 0) {
    ClearCardRet();
    for (int i = 0; i < 5; ++i) orv::van::Pause(0);
    ShowCardMsgBox(&form, QStringLiteral("카드재승인요청"),
                   QStringLiteral("* 승인을 다시 하세요 !\r\n") + gsKiccMSG);
    return 9999;
  }
  orv::van::Pause(0);
  orv::mouse::MouseLeftClick(form);
  return 0;
}

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&ClearKiccReply);
}
