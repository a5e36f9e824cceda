// The card cancellation form through the KIS agent and its sign pad (the simulators).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "schema/tables.h"
#include "card_dialog_fixture.h"
#include "test_support.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmDisCard.h"
#include "van/kis.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;
namespace van = orv::van;
using orv::Currency;

TEST(KisCancelMembers, CardAndBarcodeDates) {
  gsSetServerIp = "127.0.0.1";
  gsSetServerPort = "1515";
  using M = QList<QPair<int, QString>>;
  EXPECT_EQ(KisCancelMembers(0, "3", "15,000", Currency::Won(1364), "x", "20240130", " 12345 "),
            (M{{1, "127.0.0.1"}, {2, "1515"}, {3, "D2"}, {4, "03"}, {5, "15000"}, {6, "1364"},
               {8, "240130"}, {9, "12345"}}));
  EXPECT_EQ(KisCancelMembers(1, "", "9,000", {}, "281234", "240130", "777"),
            (M{{1, "127.0.0.1"}, {2, "1515"}, {3, "EP"}, {124, "RR"}, {4, "00"}, {5, "9000"}, {6, "0"},
               {61, "281234"}, {8, "  240130"}, {9, "777"}}));
  gsSetServerIp.clear();
  gsSetServerPort.clear();
}

TEST(KisSignPlan, WhoSignsAndWhatIsSent) {
  const struct {
    bool need;
    int vanDan, sign0;
    bool ticked;
    int pad;
    bool usePad, agent;
    const char *flag, *image;
    bool clear, ask;
  } cases[] = {
      {false, 2, 1, false, 0, false, false, "N", "", false, false},
      {true, 0, 0, false, 0, false, true, "Y", "sign.bmp", false, false},
      {true, 1, 1, true, 0, false, false, "N", "sign0.bmp", false, false},
      {true, 1, 0, true, 0, false, false, "N", "", true, false},
      {true, 2, 0, false, 0, true, false, "N", "", false, false},
      {true, 2, 0, false, 1, true, false, "N", "sign.bmp", false, false},
      {true, 2, 1, false, 2, true, false, "N", "sign0.bmp", false, false},
      {true, 2, 0, false, 2, true, false, "N", "", true, true},
      {true, 2, 0, true, 0, false, false, "N", "", true, false},
  };
  for (const auto &c : cases) {
    const van::KisSignRule r = van::KisSignPlan(c.need, int16_t(c.vanDan), c.ticked, int16_t(c.sign0), c.pad);
    const std::string name = std::to_string(c.need) + "/" + std::to_string(c.vanDan) + "/" +
                             std::to_string(c.sign0) + "/" + std::to_string(c.ticked) + "/" + std::to_string(c.pad);
    EXPECT_EQ(r.usePad, c.usePad) << name;
    EXPECT_EQ(r.agentSigns, c.agent) << name;
    EXPECT_EQ(r.flag, c.flag) << name;
    EXPECT_EQ(r.image, c.image) << name;
    EXPECT_EQ(r.clearSignFlag, c.clear) << name;
    EXPECT_EQ(r.askCardCompany, c.ask) << name;
  }
}

namespace {

class KisCancel : public vantest::CardDialogTest {
 protected:
  void SetUp() override {
    CardDialogTest::SetUp();
    giSetVan = 10;
    giPosCardTaxSelt = 1;
    gsSetServerIp = "127.0.0.1";
    gsSetDanId = "DAN1";
    giSetPosNo = 1;
    van::Timeouts() = {1000, 400, 400, 600, 0};
    giCardCallMode = 0;
  }
  void StartAgent(const QString &scenario = {}) { CardDialogTest::StartAgent("orvvansim-kis", scenario); }
  // The return of a chit paid with cardNo (its approval 12345 of 240130); whether it closed.
  bool Cancel(int amount, const QString &cardNo = {}, int months = 0) {
    CardReturn(amount, "12345", "240130", months, cardNo);
    return RunCancel();
  }
};

TEST_F(KisCancel, CardAndKakaoPayCancellations) {
  QString kakao = "281234567890123456";
  WriteKzbBars(1, "240130", "12345", kakao);
  StartAgent("delay=0\nkakao=C dc=1000\n");
  EXPECT_TRUE(Cancel(15000));
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.CmitNo, "50000001");
  EXPECT_EQ(gtCardRet.CardNo, "9410-12**-****-4");
  EXPECT_EQ(gtCardRet.Gum, Currency::Won(-15000));
  EXPECT_EQ(gsCardPrnMsg2, "감사합니다");
  EXPECT_EQ(sim_->Requests().value(0), "CALL 34 | 1=127.0.0.1 | 2=" + gsSetServerPort +
                                         " | 3=D2 | 4=00 | 5=15000 | 6=1364 | 8=240130 | 9=12345 | 37=N | 38=");
  EXPECT_EQ(LogTexts(), (QStringList{"KIS_Approval : 00015000", "KIS_Approval_OutRet", "KIS_Approval_OutRet_Ok"}));

  goDbPos.Execute("Delete From CardLog");
  EXPECT_TRUE(Cancel(9000, "KM28123456789"));
  EXPECT_EQ(sim_->Requests().value(1), "CALL 137 | 1=127.0.0.1 | 2=" + gsSetServerPort +
                                         " | 3=EP | 124=RR | 4=00 | 5=9000 | 6=818 | 61=281234567890123456 | "
                                         "8=  240130 | 9=12345 | 37=N | 38=");
  EXPECT_EQ(gtCardRet.MeipCode, "3900");
  EXPECT_EQ(gtCardRet.MeipName, "카카오[시험매입사](C:1000)");
  EXPECT_EQ(gtCardRet.CardNo, "KC281234567890");
  EXPECT_EQ(gtCardRet.CmitDate.size(), 8);
  EXPECT_EQ(LogTexts().last(), "KIS_ApprovalKz_OutRet_Ok");
}

TEST_F(KisCancel, FailuresAndASilentReplyEvent) {
  StartAgent("code=8888\ndelay=0\nsilent\n");
  const struct {
    const char *cardNo, *text, *lastRow;
  } cases[] = {
      {"", "* 승인을 다시 하세요 (IC카드 리딩 대기시간 초과) !\r\n승인거절 정상승인\r\n", "KIS_Approval_OutRet_Err"},
      {"", "* 승인을 다시 하세요 !\r\n승인거절 할부개월 오류", "KIS_Approval_OutRet_Err"},
      {"Z8000123", "응답이 없습니다. 단말기에서 취소 여부를 확인하세요", "KIS_ApprovalKz_OutRet_Err"},
  };
  int months[] = {0, 99, 0};
  int i = 0;
  for (const auto &c : cases) {
    dlg::Script s;
    EXPECT_FALSE(Cancel(15000, c.cardNo, months[i++])) << c.text;
    EXPECT_EQ(giCardOk, 0);
    EXPECT_EQ(gtCardRet.CmitNo, "12345");
    EXPECT_TRUE(gtCardRet.CardNo.isEmpty());
    ASSERT_EQ(s.Log().size(), 1) << c.text;
    EXPECT_EQ(s.Log()[0].title, "카드재승인요청");
    EXPECT_TRUE(s.Log()[0].text.contains(QString::fromUtf8(c.text))) << s.Log()[0].text.toStdString();
    EXPECT_EQ(LogTexts().last(), c.lastRow);
  }
}

TEST_F(KisCancel, TheSignPadSignsOrTheCancellationGoesOnWithout) {
  StartAgent();
  StartPad("delay=0\nfailed\n");
  EXPECT_TRUE(Cancel(60000));
  EXPECT_TRUE(sim_->Requests().value(0).endsWith("37=N | 38=" + orv::datafolder::Path("sign.bmp")));
  EXPECT_EQ(gtPanList.PclSss2, 1);

  dlg::Script s;
  EXPECT_TRUE(Cancel(60000));
  ASSERT_EQ(s.Log().size(), 2);
  EXPECT_EQ(s.Log()[0].title, "싸인패드오류");
  EXPECT_EQ(s.Log()[1].title, "카드사문의요망");
  EXPECT_TRUE(sim_->Requests().value(1).endsWith("37=N | 38="));
  EXPECT_EQ(gtPanList.PclSss2, 0);
}

}  // namespace
