// The card dialog through the SMARTRO terminal (the simulator), end to end.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

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
#include "van/SmtSndRcvVCAT.h"
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/van_smartro.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;
using orv::Currency;
using vantest::SimProcess;

TEST(SmartroFieldTen, FixedLengthDigitsPerRequest) {
  const struct { QString got, want; } cases[] = {
      {SmtZeroPayData("3-1234-5678"), "86025ZERO312345678"},
      {SmtZeroPayData("12345678"), "86029ZEROB12345678"},
      {SmtZeroPayData("3-1"), "86025ZERO31"},
      {SmtKakaoInquiryData("12000"), "84023KAKAOREQ001000000012000"},
      {SmtKakaoApprovalData("M", "x", "y", "A1"), "84047KAKAOREQ003000000000000A1          000000000000"},
      {SmtKakaoApprovalData("C", "I1", "I2", "A1"),
       "84088KAKAOREQ002000000000000" + QString("I1").leftJustified(37) + QString("I2").leftJustified(16) +
           QString("A1").leftJustified(12)},
      {SmtKakaoApprovalData("C", QString(40, 'z'), "", ""),
       "84088KAKAOREQ002000000000000" + QString(37, 'z') + QString(28, ' ')},
      {SmtKakaoApprovalData("D", "I1", "I2", "A1"), ""},
  };
  for (const auto &c : cases) EXPECT_EQ(c.got, c.want);
}

namespace {

class SmartroApproval : public vantest::CardDialogTest {
 protected:
  void SetUp() override {
    CardDialogTest::SetUp();
    giSetVan = 5;
    giPosCardTaxSelt = 1;
    orv::van::Timeouts() = {2000, 400, 400, 400, 0};
    gsSetServerIp = "127.0.0.1";
    for (const char *f : {"sign0.bmp", "sign.bmp"}) QFile::remove(orv::datafolder::Path(f));
  }
  void TearDown() override {
    for (const char *f : {"sign0.bmp", "sign.bmp"}) QFile::remove(orv::datafolder::Path(f));
    CardDialogTest::TearDown();
  }
  void Sim(const QString &scenario = {}) { StartAgent("orvvansim-smartro", scenario); }
  // Opens the dialog for amount and approves with months; kind 1 or 2 pays by barcode.
  void Approve(int amount, const QString &months, int16_t kind = 0, bool signNotUse = false,
               const QString &barcode = {}) {
    gtCardRet.Gum = Currency::Won(amount);
    gtPanChit.PctHab = Currency::Won(amount);
    frmCardChk form;
    form.show();
    giKzPayKind = kind;
    gsKzBarcode = barcode;
    form.chkSignNotUse->setChecked(signNotUse);
    form.txtiHalbu->setText(months);
    form.cmdiCommit_Click();
    closed_ = !form.isVisible();
    meipLabel_ = form.lblMeipCode->text();
  }
  QStringList Requests() { return sim_->Requests(); }
  QString meipLabel_;
};

}  // namespace

TEST_F(SmartroApproval, ACardApprovesWithThreeRowsAndTheReplyInTheResult) {
  Sim();
  Approve(12000, "3");
  EXPECT_TRUE(closed_);
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.CmitNo, "40000001");
  EXPECT_EQ(gtCardRet.CardNo, "941012******1234");
  EXPECT_EQ(gtCardRet.CardName, "시험카드");
  EXPECT_EQ(gtCardRet.MeipCode, "0201");
  EXPECT_EQ(gtCardRet.MeipName, "시험매입사");
  EXPECT_EQ(gtCardRet.GamyNo, "SMT0012345");
  EXPECT_EQ(gtCardRet.CardDate, "0000");
  EXPECT_EQ(gtCardRet.Halbu, 3);
  EXPECT_EQ(gtCardRet.Gum, Currency::Won(12000));
  EXPECT_EQ(gsCardPrnMsg1, "감사합니다");
  EXPECT_EQ(gtPanList.PclSss2, 1);
  EXPECT_EQ(LogTexts(), (QStringList{"SMT_SendToVCat : 00012000", "SMT_SendToVCat_OutRet",
                                     "SMT_SendToVCat_OutRet_Ok"}));
  EXPECT_EQ(Requests(), QStringList{"REQ | 1=0101 | 2=01 | 3=12000 | 4=1091 | 6=03 | 9=1"});
}

TEST_F(SmartroApproval, FailuresShowTheCodeItsWordsAndTheScreenMessage) {
  const struct {
    const char *name, *scenario, *months;
    bool refused;
    const char *text;
    int rows;
  } cases[] = {
      {"declined", "", "99", false, "ErrCode [ 51 ] - \n할부개월 오류", 3},
      {"terminal error", "error=-10", "00", false, "ErrCode [ -10 ] - NAK수신\n", 3},
      {"silence", "silent", "00", false, "ErrCode [ -9 ] - TimerOut\n응답이 없습니다", 3},
      {"refused", "", "00", true, "ErrCode [ -30 ] - 서버 연결 실패\n", 3},
  };
  for (const auto &c : cases) {
    goDbPos.Execute("Delete From CardLog");
    Sim(c.scenario);
    if (c.refused) gsSetServerPort = "1";
    dlg::Script s;
    Approve(15000, c.months);
    EXPECT_FALSE(closed_) << c.name;
    EXPECT_EQ(giCardOk, 0) << c.name;
    EXPECT_TRUE(gtCardRet.CmitNo.isEmpty()) << c.name;
    ASSERT_EQ(s.Log().size(), 1) << c.name;
    EXPECT_EQ(s.Log()[0].title, "카드재승인요청") << c.name;
    EXPECT_TRUE(s.Log()[0].text.startsWith(QString("* 승인을 다시 하세요 !\n") + c.text))
        << c.name << ": " << s.Log()[0].text.toStdString();
    EXPECT_EQ(LogTexts().size(), c.rows) << c.name;
    EXPECT_EQ(LogTexts().last(), "SMT_SendToVCat_OutRet_Err") << c.name;
  }
}

TEST_F(SmartroApproval, ZeroPaySendsItsBarcodeAndKeepsIt) {
  Sim();
  Approve(9000, "00", 2, false, "3-1234-5678");
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.CardNo, "Z3-1234-5678");
  EXPECT_EQ(gtCardRet.MeipCode, "7700");
  EXPECT_EQ(gtCardRet.MeipName, "제로[시험매입사]");
  EXPECT_EQ(meipLabel_, "0201");  // the label keeps the acquirer's code
  EXPECT_EQ(ReadKzbBars(2, gtCardRet.CmitDate, gtCardRet.CmitNo), "3-1234-5678");
  ASSERT_EQ(Requests().size(), 1);
  EXPECT_TRUE(Requests()[0].contains("2=55 | 3=9000 | 4=818 | 6=00 | 9=1 | 10=86025ZERO312345678"));
}

TEST_F(SmartroApproval, KakaoPayAsksFirstAndApprovesWithTheInquirysPieces) {
  Sim("kakao=M\n");
  Approve(12000, "00", 1, false, "281234567890123456");
  EXPECT_EQ(giCardOk, 1);
  const QStringList r = Requests();
  ASSERT_EQ(r.size(), 2);
  EXPECT_TRUE(r[0].contains("10=84023KAKAOREQ001000000012000 | 70=B281234567890123456"));
  EXPECT_FALSE(r[0].contains("9="));
  // Kind M: the inquiry's approval number (40000001) padded to 12.
  EXPECT_TRUE(r[1].contains("9=1 | 10=84047KAKAOREQ003000000000000" + QString("40000001").leftJustified(12) +
                            "000000000000 | 70="));
  EXPECT_EQ(gtCardRet.CardNo, "KM281234567890");
  EXPECT_EQ(gtCardRet.MeipCode, "3900");
  EXPECT_EQ(gtCardRet.MeipName, "카카오[시험매입사](M:1000)");
  EXPECT_EQ(gtCardRet.CmitNo, "40000002");
  EXPECT_EQ(gsCardPrnMsg1, "");
  EXPECT_EQ(LogTexts(), (QStringList{"SMT_SendToVCatKAO : 00012000", "SMT_SendToVCatKAO_OutRet",
                                     "SMT_SendToVCatKAO_OutRet_Ok"}));
  EXPECT_EQ(ReadKzbBars(1, gtCardRet.CmitDate, gtCardRet.CmitNo), "281234567890123456");
}

TEST_F(SmartroApproval, ARefusedKakaoInquirySendsNoApproval) {
  Sim("code=55 msg=잔액부족\n");
  dlg::Script s;
  Approve(12000, "00", 1, false, "281234567890123456");
  EXPECT_EQ(giCardOk, 0);
  EXPECT_EQ(Requests().size(), 1);
  EXPECT_EQ(LogTexts(), QStringList{"SMT_SendToVCat_OutRet_Err"});
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_TRUE(s.Log()[0].text.endsWith("ErrCode [ 55 ] - \n잔액부족"));
}

TEST_F(SmartroApproval, AStoredSignatureFetchesTheKeyFirstAndTheRequestIsBuiltWhole) {
  giSetVanDan = 0;
  giSetSign0 = 1;
  QFile f(orv::datafolder::Path("sign0.bmp"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("BM-signature");
  f.close();
  Sim();
  Approve(60000, "00", 2, true, "3-1234-5678");
  EXPECT_EQ(giCardOk, 1);
  const QStringList r = Requests();
  ASSERT_EQ(r.size(), 2);
  EXPECT_EQ(r[0], "REQ | 1=5201");
  // Still a ZeroPay with its barcode and VAT, signed with the stored image.
  EXPECT_TRUE(r[1].startsWith("REQ | 1=0101 | 2=55 | 3=60000 | 4=5455 | 6=00 | 9=4 | 10=86025ZERO312345678 | 68="));
  EXPECT_TRUE(r[1].contains(" | 69=01:12"));
}

TEST_F(SmartroApproval, SignatureStopsAndPromptsTable) {
  const struct {
    const char *name, *scenario;
    int16_t vanDan, sign0;
    bool notUse, image;
    const char *title;  // the box; "" approves
    const char *mode;   // field 9 sent, "" none
    int pclSss2;
  } cases[] = {
      {"terminal signs", "", 0, 0, false, false, "", "9=2", 1},
      {"ticked, no stored image allowed", "", 1, 0, true, false, "", "9=1", 0},
      {"no working key", "nokey", 0, 1, true, true, "워킹키오류", "", 1},
      {"no image", "", 0, 1, true, false, "사인오류", "", 1},
  };
  for (const auto &c : cases) {
    goDbPos.Execute("Delete From CardLog");
    QFile::remove(orv::datafolder::Path("sign0.bmp"));
    if (c.image) {
      QFile f(orv::datafolder::Path("sign0.bmp"));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("BM");
    }
    giSetVanDan = c.vanDan;
    giSetSign0 = c.sign0;
    Sim(c.scenario);
    dlg::Script s;
    Approve(60000, "00", 0, c.notUse);
    const QStringList r = Requests();
    const QString approval = r.isEmpty() || !r.last().contains("1=0101") ? QString() : r.last();
    if (*c.mode) {
      EXPECT_TRUE(approval.contains(c.mode)) << c.name << ": " << approval.toStdString();
    } else {
      EXPECT_TRUE(approval.isEmpty()) << c.name;
      EXPECT_EQ(giCardOk, 0) << c.name;
      EXPECT_TRUE(LogTexts().isEmpty()) << c.name;
    }
    if (*c.title) {
      ASSERT_EQ(s.Log().size(), 1) << c.name;
      EXPECT_EQ(s.Log()[0].title, c.title) << c.name;
    }
    if (*c.mode) {
      EXPECT_EQ(giCardOk, 1) << c.name;
    }
    EXPECT_EQ(gtPanList.PclSss2, c.pclSss2) << c.name;
    sim_.reset();
  }
}

TEST_F(SmartroApproval, TheKisPadSignsWithTheTerminalsWorkingKey) {
  giSetVanDan = 2;
  giSetSign0 = 0;
  struct Case {
    const char *name, *padScenario, *mode;
    QStringList boxes;
    int pclSss2;
  };
  const Case cases[] = {
      {"signed", "", "9=4", {}, 1},
      {"pad failed", "failed", "9=1", {"싸인패드오류", "카드사문의요망"}, 0},
  };
  for (const auto &c : cases) {
    Sim();
    vantest::SimProcess pad("orvvansim-signpad", dir_->path(), c.padScenario, {"--pty"});
    ASSERT_FALSE(pad.Device().isEmpty());
    qputenv("ORVPOS_COM7", pad.Device().toUtf8());
    giSetSignPortNo = 7;
    dlg::Script s;
    Approve(60000, "00");
    qunsetenv("ORVPOS_COM7");
    QStringList titles;
    for (const auto &b : s.Log()) titles << b.title;
    EXPECT_EQ(titles, c.boxes) << c.name;
    const QStringList r = Requests();
    ASSERT_EQ(r.size(), 2) << c.name;
    EXPECT_EQ(r[0], "REQ | 1=5201") << c.name;
    EXPECT_TRUE(r[1].contains(QString(" | ") + c.mode)) << c.name << ": " << r[1].toStdString();
    EXPECT_EQ(giCardOk, 1) << c.name;
    EXPECT_EQ(gtPanList.PclSss2, c.pclSss2) << c.name;
    sim_.reset();
  }
}

TEST_F(SmartroApproval, TheMagneticCardPromptFollowsTheStatus) {
  frmCardChk form;
  form.show();
  form.fraSign->show();
  form.smt->SmtStatusEvent(" 1M ");
  EXPECT_TRUE(form.MtCardLbl->isVisible());
  form.smt->SmtStatusEvent("2A");
  EXPECT_FALSE(form.MtCardLbl->isVisible());
  EXPECT_EQ(form.smt->mnStatusEvent->toPlainText(), "진행이벤트\n1M\n2A\n");
}
