#include "settings/fdw_tools.h"

#include <QLineEdit>

#include "platform/dialogs.h"
#include "settings/frmSetup.h"
#include "van/card_agent.h"

namespace orv::settings {

namespace {

QString clean(QString text) { return text.remove(QChar(u'\0')); }

QString jobMessage(van::CardAgent &agent, const QString &job, const QString &saupNo,
                   const QString &danNo) {
  const QString nl = QStringLiteral("\r\n");
  if (agent.Status() != 0)
    return QStringLiteral("Call Dll :: FDK_WIN4POS_Status()") + nl + QStringLiteral("결과 : 실패");
  QString tranId;
  if (agent.MkTranId(&tranId) != 0)
    return QStringLiteral("Call Dll :: FDK_WIN4POS_MkTranId()") + nl + QStringLiteral("결과 : [") +
           clean(tranId) + "]";
  const QString cmd = QStringLiteral("MAIN"), cert = QStringLiteral("FDK");
  if (agent.Init(tranId, cmd, cert) != 0)
    return QStringLiteral("Call Dll :: FDK_WIN4POS_Init()") + nl + QStringLiteral("TranID  : [") +
           clean(tranId) + "]" + nl + QStringLiteral("MsgCmd  : [") + cmd + "]" + nl +
           QStringLiteral("MsgCert : [") + cert + "]" + nl + QStringLiteral("결과    : 실패");
  QList<QPair<QString, QString>> inputs = {{QStringLiteral("화면구분"), job}};
  if (job == QLatin1String("PDN")) {
    inputs.append({QStringLiteral("사업자번호"), saupNo});
    inputs.append({QStringLiteral("제품일련번호"), danNo});
  }
  for (const auto &[key, value] : inputs)
    if (agent.Input(key, value) != 0)
      return QStringLiteral("Call Dll :: FDK_WIN4POS_Input()") + nl + QStringLiteral("Key   : [") +
             key + "]" + nl + QStringLiteral("Value : [") + value + "]" + nl +
             QStringLiteral("결과  : 실패");
  if (agent.Execute() != 0)
    return QStringLiteral("Call Dll :: FDK_WIN4POS_Execute()") + nl + QStringLiteral("결과  : ") +
           clean(agent.Output(QStringLiteral("MSG_RET_STR")));
  if (job == QLatin1String("ENV")) return QStringLiteral("장치 설정 성공");
  if (job == QLatin1String("INT")) return QStringLiteral("무결성 점검 성공");
  static const char *const kReply[][2] = {
      {"CATID", "단말기 번호 :"},
      {"프린터출력유무", "프린터출력유무 :"},
      {"응답코드", "응답코드 :"},
      {"응답메시지1", "응답메시지1 :"},
      {"응답메시지2", "응답메시지2 :"},
      {"제품일련번호", "제품일련번호 :"},
      {"대표자명", "대표자명 :"},
      {"가맹점명", "가맹점명 :"},
      {"가맹점주소", "가맹점주소 :"},
      {"대리점전화번호", "대리점전화번호 :"},
      {"TMSAddress", "TMSAddress :"},
      {"TMSDownPort", "TMSDownPort :"},
      {"TMSUploadPort", "TMSUploadPort :"},
      {"TMSDownDomain", "TMSDownDomain :"},
      {"TMSUpDomain", "TMSUpDomain :"},
  };
  QString text = QStringLiteral("포스인증 완료") + nl;
  for (const auto &r : kReply)
    text += nl + QString::fromUtf8(r[1]) + clean(agent.Output(QString::fromUtf8(r[0])));
  return text;
}

}  // namespace

QString FdwStartMessage(van::CardAgent &agent, const QString &ip, const QString &port) {
  return van::CardAgentOk(agent.Create(ip, port)) ? QStringLiteral("Win4POS 구동 성공")
                                                  : QStringLiteral("Win4POS 구동 실패");
}

QString FdwEndMessage(van::CardAgent &agent) {
  return van::CardAgentOk(agent.Destroy()) ? QStringLiteral("Win4POS 종료 성공")
                                           : QStringLiteral("Win4POS 종료 실패");
}

QString FdwJobMessage(van::CardAgent &agent, const QString &job, const QString &saupNo,
                      const QString &danNo) {
  const QString text = jobMessage(agent, job, saupNo, danNo);
  agent.Term();
  return text;
}

}  // namespace orv::settings

using namespace orv;

void frmSetup::FdwStartCmd_Click() {
  dialogs::Plain(settings::FdwStartMessage(van::CurrentCardAgent(), txtServerIP->text().trimmed(),
                                           txtPortNo->text().trimmed()));
}

void frmSetup::FdwEndCmd_Click() { dialogs::Plain(settings::FdwEndMessage(van::CurrentCardAgent())); }

void frmSetup::FdwJob(const QString &job) {
  dialogs::Plain(settings::FdwJobMessage(van::CurrentCardAgent(), job, txtSaupNo->text(),
                                         txtDanNo->text()));
}
