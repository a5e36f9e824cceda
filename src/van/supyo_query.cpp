#include "van/supyo_query.h"

#include <QStringList>

#include "core/pos_settings.h"
#include "platform/codepage.h"
#include "van/SmtSndRcvVCAT.h"
#include "van/card_agent.h"
#include "van/kicc.h"
#include "van/kis.h"
#include "van/van_error.h"
#include "van/van_nice.h"
#include "van/van_wait.h"
#include "van/van_wire.h"

QString SupyoDenomCode(int denomination) {
  return QString::number(13 + qBound(0, denomination, 3));
}

QString SupyoDenomAmount(int denomination) {
  static const char *const kAmounts[] = {"100000", "300000", "500000", "1000000"};
  return QString::fromLatin1(kAmounts[qBound(0, denomination, 3)]);
}

QString KiccSupyoRequest(const SupyoInput &in) {
  const QString code = in.personal ? QStringLiteral("42") : SupyoDenomCode(in.denomination);
  const QString amount =
      in.personal ? QString(in.suGum).remove(',').trimmed() : SupyoDenomAmount(in.denomination);
  return QStringLiteral("C1^^") + amount + "^" + code + "^" + in.balDate + QString(15, '^') + in.suNo;
}

QList<QPair<int, QString>> KisSupyoMembers(const SupyoInput &in) {
  QList<QPair<int, QString>> m = {{1, gsSetServerIp},
                                  {2, gsSetServerPort},
                                  {3, QStringLiteral("C1")},
                                  {40, in.suNo},
                                  {41, in.balDate},
                                  {42, SupyoDenomCode(in.denomination)},
                                  {5, SupyoDenomAmount(in.denomination)}};
  if (in.personal) {
    m.append({42, QStringLiteral("19")});
    m.append({5, in.suGum});
  }
  m.append({43, in.gNo});
  return m;
}

QList<QPair<int, QString>> SmtSupyoFields(const SupyoInput &in) {
  return {{1, QStringLiteral("0401")},
          {56, QStringLiteral("00")},
          {57, in.suNo + (in.gNo + QString(6, ' ')).left(6)},
          {58, in.balDate},
          {59, SupyoDenomCode(in.denomination)},
          {60, SupyoDenomAmount(in.denomination)}};
}

QString NiceSupyoRequest(const SupyoInput &in) {
  const QStringList f = {QStringLiteral("0200"),
                         QStringLiteral("20"),
                         QStringLiteral("K"),
                         in.personal ? QStringLiteral("01") : QStringLiteral("00"),
                         SupyoDenomCode(in.denomination),
                         in.suNo,
                         in.balDate,
                         in.personal ? in.jumin13 : QString(13, ' '),
                         SupyoDenomAmount(in.denomination),
                         in.gNo};
  QString out;
  for (const QString &x : f) out += x + QChar(orv::van::kFs);
  return out;
}

SupyoAnswer SupyoSmt(const SupyoInput &in) {
  SupyoAnswer a;
  a.sent = true;
  in.smt->SmtReqKind = QStringLiteral("0401");
  SmtSndRcvVCAT &c = *in.smt->control();
  c.SmtClearRequest();
  for (const auto &[n, v] : SmtSupyoFields(in)) c.SmtSetField(int16_t(n), v);
  const QString code = in.smt->SendAndWait();
  const QString screen = in.smt->SmtReplyFields.value(18).trimmed();
  a.setMsg = true;
  if (code == QLatin1String("00")) {
    a.msg = screen;
    return a;
  }
  a.msg = screen + QStringLiteral(" / ErrCode [ ") + code + QStringLiteral(" ] - ") + SmtResultText(code);
  a.refused = true;
  return a;
}

SupyoAnswer SupyoKis(const SupyoInput &in) {
  SupyoAnswer a;
  a.sent = true;
  KisPosAgent agent;
  agent.Invoke(33);
  for (const auto &[n, v] : KisSupyoMembers(in)) agent.Set(n, v);
  agent.Invoke(34);
  const bool ok = agent.Get(12) == QLatin1String("0000") && !agent.Get(30).trimmed().isEmpty() &&
                  agent.Get(30).trimmed().toInt() == 0;
  a.setMsg = true;
  a.msg = agent.Get(31).trimmed() + QStringLiteral(" / ") + agent.Get(32).trimmed();
  a.refused = !ok;
  return a;
}

SupyoAnswer SupyoKicc(const SupyoInput &in) {
  SupyoAnswer a;
  a.sent = true;
  const orv::van::AgentAnswer answer = orv::van::KiccSendOrThrow(KiccSupyoRequest(in));
  const bool readable = answer.text.contains(QStringLiteral("({"));
  if (!readable) ClearKiccReply();
  if (!readable || ParseKiccReply(answer.text) != QLatin1String("00")) {
    if (!answer.replied) gsKiccMSG = orv::van::NoReplyText();
    a.setMsg = true;
    a.msg = gsKiccMSG;
    a.refused = a.inWindow = true;
    return a;
  }
  if (gsKiccRS[4] != QLatin1String("0000")) {
    a.refused = a.inWindow = true;
    return a;
  }
  a.setMsg = true;
  a.msg = QStringLiteral("조회응답성공");
  // No click after it: the pointer often rests on the inquiry's own button.
  orv::van::Pause(0);
  return a;
}

SupyoAnswer SupyoNice(const SupyoInput &in) {
  SupyoAnswer a;
  a.sent = true;
  a.setMsg = true;
  QByteArray request = orv::codepage::Encode(NiceSupyoRequest(in));
  QByteArray buffer(orv::van::kNiceReplyBytes, '\0');
  if (NICEVCAT(request, buffer) != 1) {
    a.msg = QStringLiteral("수표조회실패");
    a.refused = true;
    return a;
  }
  const QString code = SplitNiceReply(orv::codepage::Decode(buffer), QString(QChar(orv::van::kFs)), 5);
  if (code == QLatin1String("0000")) {
    a.msg = gsNiceRet05.trimmed();
    return a;
  }
  a.msg = gsNiceRet05.trimmed() + QStringLiteral(" / ErrCode [ ") + code + QStringLiteral(" ]");
  a.refused = true;
  return a;
}

SupyoBranch SupyoBranchOf(int16_t van) {
  switch (van) {
    case 10:
      return &SupyoKis;
    case 1:
      return &SupyoKicc;
    case 5:
      return &SupyoSmt;
    case 9:
      return &SupyoNice;
    default:
      return nullptr;
  }
}
