// NICE: one approval through the agent program, card sales only.
#include "van/van_nice.h"

#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>

#include "core/card_ret.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/values.h"
#include "platform/codepage.h"
#include "platform/dialogs.h"
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/van_approval.h"
#include "van/van_error.h"
#include "van/van_wait.h"
#include "van/van_wire.h"

QString gsNiceRet01, gsNiceRet02, gsNiceRet03, gsNiceRet04, gsNiceRet05, gsNiceRet06, gsNiceRet07,
    gsNiceRet08, gsNiceRet09, gsNiceRet10, gsNiceRet11, gsNiceRet12, gsNiceRet13, gsNiceRet14,
    gsNiceRet15, gsNiceRet16, gsNiceRet17;

namespace {
QString *const kNiceRet[17] = {&gsNiceRet01, &gsNiceRet02, &gsNiceRet03, &gsNiceRet04, &gsNiceRet05,
                               &gsNiceRet06, &gsNiceRet07, &gsNiceRet08, &gsNiceRet09, &gsNiceRet10,
                               &gsNiceRet11, &gsNiceRet12, &gsNiceRet13, &gsNiceRet14, &gsNiceRet15,
                               &gsNiceRet16, &gsNiceRet17};
const QString kUnknownError = QStringLiteral("알수없는오류(통신,전문)!");
}  // namespace

void ClearNiceReply() {
  for (QString *f : kNiceRet) f->clear();
}

QString SplitNiceReply(const QString &reply, const QString &separator, const int16_t &count) {
  ClearNiceReply();
  int found = 0;
  int start = 0;
  for (int pos = 0; pos < reply.size(); ++pos) {
    if (reply.mid(pos, 1) != separator) continue;
    ++found;
    if (found <= 17) *kNiceRet[found - 1] = reply.mid(start, pos - start);
    start = pos + 1;
    if (found == count) break;
  }
  return gsNiceRet03;
}

QString NiceApprovalTelegram(const QString &amount, const QString &vat, const QString &months) {
  const QStringList fields{QStringLiteral("0200"), QStringLiteral("10"), QStringLiteral("C"),
                           amount, vat, QStringLiteral("0"), months,
                           {}, {}, {}, {}, {}, {}, QStringLiteral("0")};
  QString t;
  for (const QString &f : fields) t += f + QChar(orv::van::kFs);
  return t;
}

int NICEVCAT(QByteArray &request, QByteArray &reply) {
  using orv::van::Timeouts;
  const QString program = orv::van::AgentProgramPath(gsSetVanAgent);
  const QFileInfo info(program);
  if (gsSetVanAgent.trimmed().isEmpty() || !info.isFile() || !info.isExecutable())
    throw orv::van::VanError(-1, QStringLiteral("NICE 단말 프로그램이 없습니다: ") + gsSetVanAgent);
  QProcess agent;
  agent.start(program, {});
  if (!agent.waitForStarted(Timeouts().connectMs))
    throw orv::van::VanError(-1, QStringLiteral("NICE 단말 프로그램을 시작하지 못했습니다: ") + program);
  agent.write(request);
  agent.closeWriteChannel();
  if (!orv::van::WaitUntil([&] { return agent.state() == QProcess::NotRunning; }, Timeouts().replyMs)) {
    agent.kill();
    agent.waitForFinished(Timeouts().connectMs);
    return orv::van::kNiceNoReply;
  }
  const QByteArray out = agent.readAllStandardOutput();
  const int eol = out.indexOf('\n');
  bool isNumber = false;
  const int result = out.left(eol).trimmed().toInt(&isNumber);
  if (eol < 0 || !isNumber) return -1;
  if (result != 1) return result == orv::van::kNiceNoReply ? -1 : result;
  const QByteArray body = out.mid(eol + 1);
  if (body.size() >= orv::van::kNiceReplyBytes) return -1;
  if (orv::codepage::Decode(body).contains(QChar(0xFFFD))) return -1;
  reply.fill('\0', orv::van::kNiceReplyBytes);
  reply.replace(0, body.size(), body);
  return 1;
}

bool NiceCardReplyApproved(const QByteArray &buffer) {
  QString reply = orv::codepage::Decode(buffer);
  const int end = reply.indexOf(QChar(0));
  if (end >= 0) reply.truncate(end);
  const QString fs(QChar(orv::van::kFs));
  const QString code = SplitNiceReply(reply, fs, 17);
  if (reply.count(fs) < 17) {
    gsNiceRet03 = QStringLiteral("-1");
    if (gsNiceRet17.trimmed().isEmpty()) gsNiceRet17 = kUnknownError;
    return false;
  }
  return code == QLatin1String("0000");
}

void FillNiceCardRet(const QString &cardText) {
  CardRetRec &c = gtCardRet;
  c.CardName = gsNiceRet11.trimmed();
  c.MeipCode = (QStringLiteral("0000") + KeepDigits(gsNiceRet12, 0)).right(4);
  c.MeipName = gsNiceRet13.trimmed();
  c.CardNo = QStringLiteral("****");
  c.CardDate = NzStr(cardText).mid(17, 4);
  c.Gum = NzCur(gsNiceRet04);
  c.Halbu = int16_t(NzCur((QStringLiteral("00") + gsNiceRet07).right(2)).RoundToInt());
  c.CmitNo = gsNiceRet08.trimmed();
  c.CmitDate = NzStr(gsNiceRet09).left(6);
  c.GamyNo = gsNiceRet14.trimmed();
}

int16_t ApproveNice(frmCardChk &form) {
  QByteArray buffer(orv::van::kNiceReplyBytes, '\0');
  QByteArray telegram = orv::codepage::Encode(NiceApprovalTelegram(
      form.AmountText().trimmed(), QString::number(form.mcTaxGum.RoundToInt()), form.Months()));
  AskForSignature(form);
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
      form.ShowResult();
    }
  } else {
    form.LogRow(QStringLiteral("NICE_NICEVCAT_OutRet_Err"), 2);
    gsNiceRet03 = QStringLiteral("-1");
    gsNiceRet17 = r == orv::van::kNiceNoReply ? orv::van::NoReplyText() : kUnknownError;
  }
  if (!failed) return 0;
  ClearCardRet();
  for (int i = 0; i < 5; ++i) orv::van::Pause(0);
  orv::dialogs::MsgBox(QStringLiteral("* 승인을 다시 하세요 !\r\nErrCode [ ") + gsNiceRet03 +
                           QStringLiteral(" ] - ") + gsNiceRet17,
                       orv::dialogs::kCritical, QStringLiteral("카드재승인요청"));
  return 9999;
}

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&ClearNiceReply);
}  // namespace
