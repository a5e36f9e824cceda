#include <gtest/gtest.h>

#include "settings/fdw_tools.h"
#include "van/card_agent.h"

using namespace orv;

namespace {

TEST(FdwTools, StartAndStopReportTheAgentsResult) {
  van::SimulatedCardAgent agent;
  EXPECT_EQ(settings::FdwStartMessage(agent, "", ""), QStringLiteral("Win4POS 구동 성공"));
  EXPECT_EQ(agent.Calls().last(), "Create::");
  agent.SetResult("Create", 2);
  EXPECT_EQ(settings::FdwStartMessage(agent, "127.0.0.1", "2003"), QStringLiteral("Win4POS 구동 실패"));
  agent.SetResult("Destroy", 1);
  EXPECT_EQ(settings::FdwEndMessage(agent), QStringLiteral("Win4POS 종료 성공"));
  agent.SetResult("Destroy", -1);
  EXPECT_EQ(settings::FdwEndMessage(agent), QStringLiteral("Win4POS 종료 실패"));
}

TEST(FdwTools, EachFailingStepHasItsMessageAndTheRequestIsClosed) {
  const struct {
    const char *step;
    const char *job;
    QString message;
  } cases[] = {
      {"Status", "ENV", QStringLiteral("Call Dll :: FDK_WIN4POS_Status()\r\n결과 : 실패")},
      {"MkTranId", "INT", QStringLiteral("Call Dll :: FDK_WIN4POS_MkTranId()\r\n결과 : [SIM0000000001]")},
      {"Init", "ENV",
       QStringLiteral("Call Dll :: FDK_WIN4POS_Init()\r\nTranID  : [SIM0000000001]\r\n"
                      "MsgCmd  : [MAIN]\r\nMsgCert : [FDK]\r\n결과    : 실패")},
      {"Input:제품일련번호", "PDN",
       QStringLiteral("Call Dll :: FDK_WIN4POS_Input()\r\nKey   : [제품일련번호]\r\n"
                      "Value : []\r\n결과  : 실패")},
      {"Execute", "INT", QStringLiteral("Call Dll :: FDK_WIN4POS_Execute()\r\n결과  : SIMULATOR")},
      {"", "ENV", QStringLiteral("장치 설정 성공")},
      {"", "INT", QStringLiteral("무결성 점검 성공")},
  };
  for (const auto &c : cases) {
    van::SimulatedCardAgent agent;
    if (*c.step) agent.SetResult(QString::fromUtf8(c.step), 3);
    EXPECT_EQ(settings::FdwJobMessage(agent, c.job, "1234567890", ""), c.message) << c.step;
    EXPECT_EQ(agent.Calls().last(), "Term") << c.step;
  }
}

TEST(FdwTools, CertificationSendsTheBoxesAndListsTheReply) {
  van::SimulatedCardAgent agent;
  agent.Reply().insert("가맹점명", QStringLiteral("테스트마트") + QChar(u'\0'));
  const QString text = settings::FdwJobMessage(agent, "PDN", "123-45", "SN1");
  EXPECT_TRUE(agent.Calls().contains(QStringLiteral("Input:사업자번호=123-45")));
  EXPECT_TRUE(agent.Calls().contains(QStringLiteral("Input:제품일련번호=SN1")));
  const QStringList lines = text.split("\r\n");
  ASSERT_EQ(lines.size(), 17);
  EXPECT_EQ(lines[0], QStringLiteral("포스인증 완료"));
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], QStringLiteral("단말기 번호 :TEST-CAT-0000"));
  EXPECT_EQ(lines[9], QStringLiteral("가맹점명 :테스트마트"));
  EXPECT_EQ(lines[16], QStringLiteral("TMSUpDomain :"));
}

}  // namespace
