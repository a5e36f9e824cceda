// KIS: the request members, the sign pad's fields and frame, and the card dialog against the
// agent and pad simulators.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "fake_web_server.h"
#include "platform/datafolder.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "schema/tables.h"
#include "card_dialog_fixture.h"
#include "test_support.h"
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/kis.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;
namespace van = orv::van;
using orv::Currency;

namespace {

TEST(KisRequest, MembersFailDetailsAndPadFields) {
  gsSetServerIp = "127.0.0.1";
  gsSetServerPort = "1515";
  using M = QList<QPair<int, QString>>;
  EXPECT_EQ(van::KisApprovalMembers(0, "3", "12,000", Currency::Won(1090), "x"),
            (M{{1, "127.0.0.1"}, {2, "1515"}, {3, "D1"}, {4, "03"}, {5, "12000"}, {6, "1090"}}));
  EXPECT_EQ(van::KisApprovalMembers(1, "", " 9,000 ", {}, "281234"),
            (M{{1, "127.0.0.1"}, {2, "1515"}, {3, "EP"}, {124, "AC"}, {4, "00"}, {5, "9000"}, {6, "0"}, {61, "281234"}}));

  const struct {
    const char *code, *detail;
  } details[] = {{"7777", "(IC카드 리딩 오류) "}, {"8888", "(IC카드 리딩 대기시간 초과) "},
                 {"8001", "(잔액 부족) "}, {"0001", ""}, {"8001 ", ""}};
  for (const auto &d : details) EXPECT_EQ(van::KisFailDetail(d.code), QString::fromUtf8(d.detail)) << d.code;

  EXPECT_EQ(van::PadCardField("0000000000000000"), QString(20, '0'));
  EXPECT_EQ(van::PadCardField("K28123456789012345678901"), "K2812345678901234567");
  const QDate march5(2025, 3, 5);
  const struct {
    const char *dan;
    int pos;
    int count;
    const char *amount, *field;
  } trans[] = {
      {"1234567", 1, 1, "1,234,567", "1234567000000000" "001000001000" "250305" "000001234567"},
      {"12345678901234567890", 1234, 1234567, "1234567890123", "1234567890123456" "234234567000" "250305" "234567890123"},
  };
  for (const auto &t : trans) {
    const QString f = van::PadTranField(t.dan, t.pos, Currency::Won(t.count), march5, t.amount);
    EXPECT_EQ(f, t.field) << t.dan;
    EXPECT_EQ(f.size(), 46);
  }
}

TEST(KisPad, FramesCheckTheirLrcAndTheImageIsABmp) {
  QByteArray wire = "junk" + van::PadFrame({"DONE", "AB"}) + van::PadFrame({"FAIL", "서명 취소"});
  van::PadTaken a = van::TakePadFrame(wire);
  ASSERT_TRUE(a.complete && a.ok);
  EXPECT_EQ(a.fields, (QStringList{"DONE", "AB"}));
  QByteArray broken = wire;
  broken[broken.size() - 1] = char(broken.back() ^ 1);
  van::PadTaken b = van::TakePadFrame(broken);
  EXPECT_TRUE(b.complete);
  EXPECT_FALSE(b.ok);
  QByteArray half = wire.left(5);
  EXPECT_FALSE(van::TakePadFrame(half).complete);

  QByteArray dots(128 * 64 / 8, '\0');
  dots[0] = char(0x80);  // the top-left dot
  const QByteArray bmp = van::MonoBmp(dots, 128, 64);
  EXPECT_TRUE(bmp.startsWith("BM"));
  EXPECT_EQ(bmp.size(), 62 + 16 * 64);
  EXPECT_EQ(uchar(bmp[62 + 16 * 63]), 0x80) << "rows are stored bottom first";
}

class KisApproval : public vantest::CardDialogTest {
 protected:
  void SetUp() override {
    CardDialogTest::SetUp();
    giSetVan = 10;
    gsSetServerIp = "127.0.0.1";
    gsSetDanId = "DAN1";
    giSetPosNo = 1;
    van::Timeouts() = {1000, 1000, 400, 800, 0};
    QFile::remove(orv::datafolder::Path("sign.bmp"));
  }
  void StartAgent(const QString &scenario = {}) { CardDialogTest::StartAgent("orvvansim-kis", scenario); }
  // payKey F5/F6 picks KakaoPay/ZeroPay; the scan form is given the barcode.
  void Approve(int amount, const QString &months, Qt::Key payKey = Qt::Key_unknown,
               const QString &barcode = {}) {
    barcode_ = barcode;
    CardDialogTest::Approve(amount, months, payKey);
  }
  std::unique_ptr<dlg::Script> NewScript() {
    auto s = std::make_unique<dlg::Script>();
    s->OnForm("KzScanFrm", [this](QWidget &w) {
      w.findChild<QLineEdit *>("BarScanTxt")->setText(barcode_);
      w.findChild<QPushButton *>("BarEnterCmd")->click();
    });
    return s;
  }
  QString barcode_;
  std::unique_ptr<dlg::Script> script_ = NewScript();
};

TEST_F(KisApproval, ApprovesACard) {
  StartAgent();
  Approve(12000, "3");
  EXPECT_TRUE(closed_);
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.CmitNo, "50000001");
  EXPECT_EQ(gtCardRet.MeipCode, "0016");
  EXPECT_EQ(gtCardRet.CardNo, "9410-12**-****-4");
  EXPECT_EQ(gtCardRet.CardDate, "0000");
  EXPECT_EQ(gtCardRet.Halbu, 3);
  EXPECT_EQ(gtPanList.PclSss2, 1);
  EXPECT_EQ(gsCardPrnMsg1, "정상승인");
  EXPECT_EQ(LogTexts(), (QStringList{"KIS_Approval : 00012000", "KIS_Approval_OutRet", "KIS_Approval_OutRet_Ok"}));
  ASSERT_EQ(sim_->Requests().size(), 1);
  EXPECT_EQ(sim_->Requests()[0], "CALL 34 | 1=127.0.0.1 | 2=" + gsSetServerPort + " | 3=D1 | 4=03 | 5=12000 | 6=0 | 37=N | 38=");
}

TEST_F(KisApproval, FailuresShowTheirBoxAndLeaveNoApproval) {
  const struct {
    const char *name;
    const char *scenario;
    const char *months;
    bool agent;
    const char *title, *text;
    int rows;
  } cases[] = {
      {"declined", "", "99", true, "카드재승인요청", "* 승인을 다시 하세요 !\r\n승인거절 할부개월 오류\r\n", 3},
      {"no balance", "code=8001", "00", true, "카드재승인요청", "* 승인을 다시 하세요 (잔액 부족) !", 3},
      {"bad status", "status=x", "00", true, "카드재승인요청", "* 승인을 다시 하세요 !", 3},
      {"silent", "", "98", true, "카드재승인요청", "응답이 없습니다", 3},
      {"not CP949", "garbage", "00", true, "카드재승인요청", "전문 문자 오류", 3},
      {"refused", "", "00", false, "승인실패", "연결하지 못했습니다", 1},
  };
  for (const auto &c : cases) {
    goDbPos.Execute("Delete From CardLog");
    sim_.reset();
    if (c.agent) StartAgent(QString::fromUtf8(c.scenario));
    else gsSetServerPort = QString::number(QUrl(orvtest::ClosedPortUrl()).port());
    script_ = NewScript();
    Approve(15000, c.months);
    EXPECT_FALSE(closed_) << c.name;
    EXPECT_EQ(giCardOk, 0) << c.name;
    EXPECT_TRUE(gtCardRet.CmitNo.isEmpty()) << c.name;
    ASSERT_EQ(script_->Log().size(), 1) << c.name;
    EXPECT_EQ(script_->Log()[0].title, c.title) << c.name;
    EXPECT_TRUE(script_->Log()[0].text.contains(QString::fromUtf8(c.text)))
        << c.name << ": " << script_->Log()[0].text.toStdString();
    EXPECT_EQ(LogTexts().size(), c.rows) << c.name;
    if (c.rows == 3) {
      EXPECT_EQ(LogTexts().last(), "KIS_Approval_OutRet_Err") << c.name;
    }
  }
}

TEST_F(KisApproval, BarcodePaymentsTakeThePayKindOfTheReply) {
  StartAgent("kakao=C dc=1000\nkind=ZRP\nsilent\n");
  Approve(9000, "", Qt::Key_F5, "281234567890123456");
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(giKzPayKind, 1);
  EXPECT_EQ(gtCardRet.MeipCode, "3900");
  EXPECT_EQ(gtCardRet.MeipName, "카카오[시험매입사](C:1000)");
  EXPECT_EQ(gtCardRet.CardNo, "KC281234567890");
  EXPECT_EQ(gtCardRet.CmitDate.size(), 8);
  EXPECT_EQ(ReadKzbBars(1, gtCardRet.CmitDate, gtCardRet.CmitNo), "281234567890123456");
  EXPECT_EQ(LogTexts().last(), "KIS_ApprovalKz_OutRet_Ok");

  // Asked as KakaoPay, answered as ZeroPay.
  Approve(9000, "", Qt::Key_F5, "800012345678901");
  EXPECT_EQ(giKzPayKind, 2);
  EXPECT_EQ(gtCardRet.MeipCode, "7700");
  EXPECT_EQ(gtCardRet.MeipName, "제로[시험매입사]");
  EXPECT_EQ(gtCardRet.CardNo, "Z800012345678");

  // The reply event never comes: the wait ends.
  Approve(9000, "", Qt::Key_F6, "800012345678902");
  EXPECT_EQ(giCardOk, 0);
  EXPECT_EQ(LogTexts().last(), "KIS_ApprovalKz_OutRet_Err");
  EXPECT_TRUE(script_->Log().last().text.contains(van::NoReplyText()));
}

TEST_F(KisApproval, TheSignPadSignsOrFails) {
  StartAgent();
  StartPad();
  Approve(60000, "00");
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(giDspSignPlease, 0);  // the dialog is gone
  EXPECT_EQ(gtPanList.PclSss2, 1);
  QFile bmp(orv::datafolder::Path("sign.bmp"));
  ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
  EXPECT_EQ(bmp.size(), 62 + 16 * 64);
  const QStringList j = pad_->Requests() + sim_->Requests();
  ASSERT_EQ(j.size(), 2);
  EXPECT_TRUE(j[0].startsWith("SIGN | 00000000000000000000 | DAN1000000000000001000001000")) << j[0].toStdString();
  EXPECT_TRUE(j[0].endsWith("000000060000")) << j[0].toStdString();
  EXPECT_TRUE(j[1].endsWith("37=N | 38=" + orv::datafolder::Path("sign.bmp"))) << j[1].toStdString();

  // A pad that fails, then one that stays silent: no signature, no stock image.
  pad_.reset();
  StartPad("failed\nsilent\n");
  for (const char *name : {"failed", "silent"}) {
    script_ = NewScript();
    Approve(60000, "00");
    EXPECT_EQ(giCardOk, 1) << name;
    EXPECT_EQ(gtPanList.PclSss2, 0) << name;
    ASSERT_EQ(script_->Log().size(), 2) << name;
    EXPECT_EQ(script_->Log()[0].title, "싸인패드오류") << name;
    EXPECT_EQ(script_->Log()[1].title, "카드사문의요망") << name;
  }
}

TEST_F(KisApproval, WhoTakesTheSignature) {
  const struct {
    int vanDan, sign0;
    bool ticked;
    const char *flag, *file;
    int pclSss2;
  } cases[] = {
      {1, 0, false, "Y", "sign.bmp", 1},
      {1, 1, true, "N", "sign0.bmp", 1},
      {0, 0, true, "N", "", 0},
  };
  for (const auto &c : cases) {
    sim_.reset();
    StartAgent();
    giSetVanDan = int16_t(c.vanDan);
    giSetSign0 = int16_t(c.sign0);
    gtCardRet.Gum = Currency::Won(60000);
    gtPanChit.PctHab = Currency::Won(60000);
    frmCardChk form;
    form.show();
    form.chkSignNotUse->setChecked(c.ticked);
    form.txtiHalbu->setText("00");
    form.StartFromMonths();
    EXPECT_EQ(giCardOk, 1) << c.flag << c.file;
    EXPECT_EQ(gtPanList.PclSss2, c.pclSss2) << c.flag << c.file;
    const QString path = *c.file ? orv::datafolder::Path(c.file) : QString();
    EXPECT_TRUE(sim_->Requests().value(0).endsWith(QString("37=") + c.flag + " | 38=" + path))
        << sim_->Requests().value(0).toStdString();
  }
}

}  // namespace
