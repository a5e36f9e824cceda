// KICC: the reply parser, the request, and the card dialog against the agent simulator.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QUrl>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "schema/tables.h"
#include "fake_web_server.h"
#include "card_dialog_fixture.h"
#include "test_support.h"
#include "van/card_agent.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/kicc.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;
using orv::Currency;

namespace {

TEST(ParseKiccReply, ReadsTheKeysItKnowsAndIgnoresTheRest) {
  const struct {
    const char *reply;
    const char *suc, *msg, *rs04, *rs09;
  } cases[] = {
      {"cb({SUC:'00',RS04:'0000',RS09:'1234'})", "00", "", "0000", "1234"},
      {"jsonp1({'SUC':'00','MSG':'정상'})", "00", "정상", "", ""},
      {"{\"SUC\":\"00\"}", "", "", "", ""},                       // double quotes: not a key
      {"cb({RS09:'1',SUC:'00'});", "00});", "", "", "1"},           // "});" stays on the last value
      {"cb({MSG:a:b, SUC: 00})", " 00", "a:b", "", ""},            // a space after the colon stays
      {"cb({MSG:'x,y'})", "", "'x", "", ""},                       // a comma ends a value
      {"", "", "", "", ""},
      {"garbage", "", "", "", ""},
      {"cb({SUC:'99',SUC:'00'})", "00", "", "", ""},               // a later key wins
  };
  for (const auto &c : cases) {
    EXPECT_EQ(ParseKiccReply(QString::fromUtf8(c.reply)), QString::fromUtf8(c.suc)) << c.reply;
    EXPECT_EQ(gsKiccMSG, QString::fromUtf8(c.msg).remove('\'')) << c.reply;
    EXPECT_EQ(gsKiccRS[4], c.rs04) << c.reply;
    EXPECT_EQ(gsKiccRS[9], c.rs09) << c.reply;
  }
  ParseKiccReply("cb({RQ15:'a',RS20:'b'})");
  EXPECT_EQ(gsKiccRQ[15], "a");
  EXPECT_EQ(gsKiccRS[20], "b");
  ParseKiccReply("cb({SUC:'00'})");
  EXPECT_TRUE(gsKiccRQ[15].isEmpty()) << "a second parse clears the first one's keys";
}

TEST(KiccRequest, BuildsTheReqValue) {
  const struct {
    const char *amount, *months, *vat, *req;
  } cases[] = {
      {"12,000", "", "0", "D1^^12000^00^^^^^^^^30^M0^^"},
      {" 1,234,000 ", "3", "112182", "D1^^1234000^03^^^^^^^^30^M112182^^"},
      {"50,000", "12", "0", "D1^^50000^12^^^^^^^^30^M0^^"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(orv::van::KiccApprovalReq(c.amount, c.months, c.vat), c.req) << c.amount;
  EXPECT_EQ(orv::van::KiccTarget("D1^^"), "/?callback=jsonp12345678983543344&REQ=D1^^");
}

class KiccApproval : public vantest::CardDialogTest {
 protected:
  void SetUp() override {
    CardDialogTest::SetUp();
    giSetVan = 1;
    gsSetServerIp = "127.0.0.1";
    orv::van::Timeouts() = {1000, 1000, 400, 400, 0};
  }
  void StartAgent(const QString &scenario = {}) { CardDialogTest::StartAgent("orvvansim-kicc", scenario); }
  QString Journal() { return sim_->Journal().join('\n'); }
  // What the cashier was shown, boxes and the message form alike, as title and text.
  void Watch(dlg::Script &s) {
    shown_.clear();
    s.OnForm("frmMsgBox", [this](QWidget &w) {
      shown_.append({w.windowTitle(), w.findChild<QLabel *>("MeMsgLbl")->text()});
      static_cast<QDialog &>(w).accept();
    });
  }
  QList<QPair<QString, QString>> Shown(const dlg::Script &s) {
    QList<QPair<QString, QString>> out;
    int form = 0;
    for (const auto &e : s.Log()) {
      if (e.kind == dlg::Kind::Form) out.append(shown_.value(form++));
      else out.append({e.title, e.text});
    }
    return out;
  }
  QList<QPair<QString, QString>> shown_;
};

TEST_F(KiccApproval, ApprovesWithTheCaretsSentAsTheyAre) {
  StartAgent();
  giPosCardTaxSelt = 1;
  Approve(11000, "3");
  EXPECT_TRUE(closed_);
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.CmitNo, "40000001");
  EXPECT_EQ(gtCardRet.MeipCode, "0026");
  EXPECT_EQ(gtCardRet.MeipName, "시험매입사");
  EXPECT_EQ(gtCardRet.CardNo, "941012******5678");
  EXPECT_EQ(gtCardRet.Halbu, 3);
  EXPECT_EQ(gtCardRet.CmitDate.size(), 6);
  EXPECT_EQ(gtCardRet.Gum, Currency::Won(11000));
  EXPECT_EQ(gsCardPrnMsg1, "감사합니다");
  EXPECT_EQ(LogTexts(), (QStringList{"WinHttpOpenPOST : 00011000", "WinHttpOpenPOST_OutRet",
                                     "WinHttpOpenPOST_OutRet_Ok"}));
  const QString journal = Journal();
  EXPECT_TRUE(journal.startsWith("POST D1 |  | 11000 | 03 |  |  |  |  |  |  |  | 30 | M1000 |  | ")) << journal.toStdString();
  // The request line carries "^" itself, not %5E.
  EXPECT_TRUE(journal.contains(QByteArray("REQ=D1^^11000^03").toHex())) << journal.toStdString();
}

TEST_F(KiccApproval, DeclinedSilentAndUnreachableAgentsEachEndTheirWay) {
  const struct {
    const char *name;
    const char *months;
    bool agent;
    const char *title;
    const char *text;
    QStringList rows;
  } cases[] = {
      {"declined", "99", true, "카드재승인요청", "할부개월 오류",
       {"WinHttpOpenPOST : 00015000", "WinHttpOpenPOST_OutRet", "WinHttpOpenPOST_OutRet_Ok"}},
      {"silent", "98", true, "카드재승인요청", "응답이 없습니다",
       {"WinHttpOpenPOST : 00015000", "WinHttpOpenPOST_OutRet", "WinHttpOpenPOST_OutRet_Err"}},
      {"refused", "00", false, "승인실패", "연결하지 못했습니다", {"WinHttpOpenPOST : 00015000"}},
  };
  for (const auto &c : cases) {
    goDbPos.Execute("Delete From CardLog");
    sim_.reset();
    if (c.agent) StartAgent();
    else gsSetServerPort = QString::number(QUrl(orvtest::ClosedPortUrl()).port());
    dlg::Script s;
    Watch(s);
    Approve(15000, c.months);
    EXPECT_FALSE(closed_) << c.name;
    EXPECT_EQ(giCardOk, 0) << c.name;
    EXPECT_TRUE(gtCardRet.CmitNo.isEmpty()) << c.name;
    EXPECT_EQ(gtPanChit.PctCard, Currency()) << c.name;
    const auto shown = Shown(s);
    ASSERT_EQ(shown.size(), 1) << c.name;
    EXPECT_EQ(shown[0].first, c.title) << c.name;
    EXPECT_TRUE(shown[0].second.startsWith(c.agent ? "* 승인을 다시 하세요 !\r\n" : "오류번호:")) << c.name;
    EXPECT_TRUE(shown[0].second.contains(QString::fromUtf8(c.text))) << c.name << " " << shown[0].second.toStdString();
    EXPECT_EQ(LogTexts(), c.rows) << c.name;
  }
}

TEST_F(KiccApproval, ALateReplyIsDroppedAndAPortThatIsNoPortSendsNothing) {
  StartAgent("delay=1300\n");
  {
    dlg::Script s;
    Watch(s);
    Approve(15000, "00");
    EXPECT_EQ(giCardOk, 0);
  }
  orv::van::Pause(400);  // the late reply finds the connection closed
  Approve(15000, "00");
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.CmitNo, "40000002");  // the agent had approved the first one late

  gsSetServerPort = "eighty";
  dlg::Script s;
  Approve(15000, "00");
  EXPECT_EQ(giCardOk, 0);
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, "승인실패");
}

}  // namespace
