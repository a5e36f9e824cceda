// The card cancellation form through the KICC agent (the simulator over HTTP).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "schema/tables.h"
#include "card_dialog_fixture.h"
#include "test_support.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmDisCard.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;
using orv::Currency;

TEST(KiccCancelReq, FifteenFieldsPaddedAsSent) {
  const struct {
    const char *amount, *months, *date, *no, *vat, *want;
  } cases[] = {
      {"15,000", "", "240130", "12345", "1364", "D4^^15000^00^240130^12345   ^^^^^^30^M1364^^"},
      {"15000", "3", "20240130", "123456789", "0", "D4^^15000^03^240130^12345678^^^^^^30^M0^^"},
      {"", "12", "0130", "1", "0", "D4^^^12^  0130^1       ^^^^^^30^M0^^"},
  };
  for (const auto &c : cases) {
    const QString req = KiccCancelReq(c.amount, c.months, c.date, c.no, c.vat);
    EXPECT_EQ(req, c.want);
    EXPECT_EQ(req.split('^').size(), 15);
  }
}

namespace {

class KiccCancel : public vantest::CardDialogTest {
 protected:
  void SetUp() override {
    CardDialogTest::SetUp();
    giSetVan = 1;
    giPosCardTaxSelt = 1;
    gsSetServerIp = "127.0.0.1";
    orv::van::Timeouts() = {1000, 400, 400, 400, 0};
    giCardCallMode = 1;
    gtPanChit.PctHab = {};
  }
  void StartAgent(const QString &scenario = {}) { CardDialogTest::StartAgent("orvvansim-kicc", scenario); }
  // The collection screen's cancellation of a typed approval; whether the form closed.
  bool Cancel(const QString &no, const QString &months = "00") {
    gtCardRet = {};
    gtCardRet.Gum = Currency::Won(15000);
    return RunCancel([&](frmDisCard &f) {
      f.txtiHalbu->setText(months);
      f.txtiNo->setText(no);
      f.txtiDate->setText("240130");
    });
  }
  // The message form's title and text, as the cashier saw them.
  void Watch(dlg::Script &s) {
    s.OnForm("frmMsgBox", [this](QWidget &w) {
      shown_ = w.windowTitle() + "|" + w.findChild<QLabel *>("MeMsgLbl")->text();
      static_cast<QDialog &>(w).accept();
    });
  }
  QString shown_;
};

TEST_F(KiccCancel, CancelsWithThePaddedNumberOnTheWire) {
  StartAgent();
  EXPECT_TRUE(Cancel("12345"));
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.CmitNo, "40000001");
  EXPECT_EQ(gtCardRet.CardNo, "941012******5678");
  EXPECT_EQ(gtCardRet.MeipCode, "0026");
  EXPECT_EQ(gtCardRet.Gum, Currency::Won(-15000));
  EXPECT_TRUE(gtCardRet.CardDate.isEmpty());
  EXPECT_EQ(gsCardPrnMsg1, "감사합니다");
  EXPECT_TRUE(sim_->Journal().value(0).startsWith(
      "POST D4 |  | 15000 | 00 | 240130 | 12345    |  |  |  |  |  | 30 | M1364 |  | "))
      << sim_->Journal().value(0).toStdString();
  EXPECT_EQ(LogTexts(), (QStringList{"WinHttpOpenPOST : 00015000", "WinHttpOpenPOST_OutRet",
                                     "WinHttpOpenPOST_OutRet_Ok"}));
}

TEST_F(KiccCancel, RefusalsAndSilenceRestoreTheResult) {
  StartAgent("rs04=8100\nsuc=99 msg=카드없음\nreply=jsonp(nothing)\n");
  const struct {
    const char *name, *months, *text, *lastRow;
  } cases[] = {
      {"network refused", "00", "정상승인", "WinHttpOpenPOST_OutRet_Ok"},
      {"agent refused", "00", "카드없음", "WinHttpOpenPOST_OutRet_Err"},
      {"no SUC", "00", "* 승인을 다시 하세요 !", "WinHttpOpenPOST_OutRet_Err"},
      {"silent", "98", "취소 여부를 확인하세요", "WinHttpOpenPOST_OutRet_Err"},
  };
  for (const auto &c : cases) {
    dlg::Script s;
    Watch(s);
    EXPECT_FALSE(Cancel("777", c.months)) << c.name;
    EXPECT_EQ(giCardOk, 0);
    EXPECT_TRUE(gtCardRet.CmitNo.isEmpty()) << c.name << ": the collection screen's empty result is back";
    EXPECT_TRUE(gtCardRet.CardNo.isEmpty());
    EXPECT_TRUE(shown_.startsWith("카드재승인요청|")) << c.name;
    EXPECT_TRUE(shown_.contains(QString::fromUtf8(c.text))) << c.name << " " << shown_.toStdString();
    EXPECT_EQ(LogTexts().last(), c.lastRow) << c.name;
  }
}

TEST_F(KiccCancel, ANumberThatWouldBreakTheRequestIsRefusedBeforeAnything) {
  StartAgent();
  for (const char *no : {"12^34", "1&REQ=D1", "승인1"}) {
    dlg::Script s;
    EXPECT_FALSE(Cancel(QString::fromUtf8(no))) << no;
    ASSERT_EQ(s.Log().size(), 1);
    EXPECT_EQ(s.Log()[0].title, "입력오류");
    EXPECT_EQ(s.Log()[0].text, "* 승인번호와 승인일자는 숫자만 입력하세요 !");
  }
  EXPECT_TRUE(sim_->Journal().isEmpty());
  EXPECT_TRUE(LogTexts().isEmpty());
  EXPECT_TRUE(gcSetCdCount.IsZero());
}

}  // namespace
