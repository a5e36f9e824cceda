// The manual card record: its filters, the issuer-code answer, the refusals in order and
// what reaches gtCardRet.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "van/card_state.h"
#include "van/frmCardOK.h"

namespace dlg = orv::dialogs;
using orv::Currency;

namespace {

// Shown and active, as the cashier sees it: keys go to the focused box.
void Show(QWidget &w) {
  w.show();
  QApplication::setActiveWindow(&w);
}

class ManualCard : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    giSetVan = 1;
    gsSetDanId = "DAN1";
    giCardCallMode = 1;
    gtPanChit.PctHab = Currency::Won(9000);
  }
  void TearDown() override { orv::state::ResetProgramState(); }
  void Fill(frmCardOK &f, const char *card, const char *no, const char *date) {
    f.txtiCard->setText(card);
    f.txtiNo->setText(no);
    f.txtiDate->setText(date);
  }
};

TEST(ManualIssuerCode, ShortcutsAndRefusals) {
  const struct {
    const char *answer, *code;
  } cases[] = {{".6", "0006"}, {"=16", "0016"}, {" 0031 ", "0031"}, {"0000", ""}, {"123", ""},
               {"12345", ""},  {"", ""},         {"6", ""},         {"=.", ""}};
  for (const auto &c : cases) EXPECT_EQ(ManualIssuerCode(c.answer), c.code) << c.answer;
}

TEST(ManualIssuerCode, CardNumberAndExpiry) {
  const struct {
    const char *card, *no, *date;
  } cases[] = {{"9410123456781234=2712345", "9410123456781234", "2712"},
               {"9410123456781234", "9410123456781234", ""},
               {"9410123456781234567", "9410123456781234", "67"}};
  for (const auto &c : cases) {
    CardRetRec r;
    bool refused = false;
    EXPECT_TRUE(BuildManualCardRecord({c.card, "3", "12,000", "77", "240105", "0006"}, 1, r, &refused)
                    .isEmpty());
    EXPECT_EQ(r.CardNo, c.no) << c.card;
    EXPECT_EQ(r.CardDate, c.date) << c.card;
    EXPECT_EQ(r.Halbu, 3);
    EXPECT_EQ(r.Gum, Currency::Won(12000));
    EXPECT_EQ(r.MeipName, "하나카드");
  }
}

TEST_F(ManualCard, FiltersOfTheBoxes) {
  frmCardOK f;
  Show(f);
  f.txtiCard->setText("12ab=34가");
  EXPECT_EQ(f.txtiCard->text(), "12=34");
  EXPECT_FALSE(f.cmdiOK->isEnabled()) << "swiped data turns the button off";
  f.txtiCard->setText("1234567890123456");
  EXPECT_TRUE(f.cmdiOK->isEnabled());
  f.txtiGum->setText("-12a34-5");
  EXPECT_EQ(f.txtiGum->text(), "-12,345");
  f.txtiGum->setText("-");
  EXPECT_EQ(f.txtiGum->text(), "-");
  f.txtiGum->setText("0");
  EXPECT_EQ(f.txtiGum->text(), "");
  f.txtiHalbu->setFocus();
  QTest::keyClicks(f.txtiHalbu, "1x23");
  EXPECT_EQ(f.txtiHalbu->text(), "12");
  f.txtiDate->setFocus();
  QTest::keyClicks(f.txtiDate, "2024-01-05x9");
  EXPECT_EQ(f.txtiDate->text(), "20240105");
  f.txtiNo->setFocus();
  QTest::keyClick(f.txtiNo, Qt::Key_Period);
  QTest::keyClick(f.txtiNo, Qt::Key_Equal);
  EXPECT_EQ(f.txtiNo->text(), "00000");
}

TEST_F(ManualCard, RefusalsComeInOrderAndLeaveTheResultAlone) {
  gtCardRet.CmitNo = "OLD";
  frmCardOK f;
  Show(f);
  f.txtiNo->clear();
  const struct {
    const char *card, *no, *date, *answer, *message;
  } cases[] = {
      {"", "", "", "0006", "카드번호가 입력되지 않았습니다."},
      {"1234567890123456", "", "", "0006", "승인번호가 입력되지 않았습니다."},
      {"1234567890123456", "55", "", "0006", "승인일자가 입력되지 않았습니다."},
      {"1234567890123456", "55", "240105", "0001", "카드사명이 입력되지 않았습니다."},
      {"1234567890123456", "55", "240105", nullptr, nullptr},  // cancelled box: silent
      {"1234567890123456", "55", "240105", "123", nullptr},
  };
  for (const auto &c : cases) {
    Fill(f, c.card, c.no, c.date);
    dlg::Script s;
    if (c.answer) s.Input(c.answer);
    else s.InputCancel();
    f.cmdiOK_Click();
    ASSERT_EQ(s.Log().size(), c.message ? 2 : 1) << c.answer;
    EXPECT_EQ(s.Log()[0].title, "카드사입력");
    EXPECT_EQ(s.Log()[0].defaultText, "0000");
    EXPECT_EQ(s.Log()[0].pitch, dlg::Pitch::Fixed);
    EXPECT_TRUE(s.Log()[0].text.startsWith("0006 하나카드"));
    if (c.message) {
      EXPECT_EQ(s.Log()[1].text, c.message);
    }
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(giCardOk, 0);
    // A refused record is not the caller's: nothing of it is handed back.
    EXPECT_EQ(gtCardRet.CmitNo, "OLD");
    EXPECT_TRUE(gtCardRet.CardNo.isEmpty());
    EXPECT_TRUE(gtCardRet.MeipCode.isEmpty());
  }
}

TEST_F(ManualCard, RecordsWithF1OrEnterInTheDate) {
  {
    gtCardRet.Gum = Currency::Won(9000);
    frmCardOK f;
    Show(f);
    EXPECT_EQ(f.txtiGum->text(), "9,000");
    Fill(f, "9410123456781234", "12345678", "240105");
    dlg::Script s;
    s.Input(".6");
    QTest::keyClick(f.txtiCard, Qt::Key_F1);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(giCardOk, 1);
    EXPECT_EQ(gtCardRet.CardNo, "9410123456781234");
    EXPECT_EQ(gtCardRet.MeipCode, "0006");
    EXPECT_EQ(gtCardRet.MeipName, "하나카드");
    EXPECT_EQ(gtCardRet.CmitNo, "12345678");
    EXPECT_EQ(gtCardRet.Gum, Currency::Won(9000));
  }
  {
    // Swiped data turns the button off; a zero total turns F1 off: the date box still records.
    gtPanChit.PctHab = {};
    frmCardOK f;
    Show(f);
    Fill(f, "9410123456781234=27121", "1", "240105");
    QTest::keyClick(f.txtiCard, Qt::Key_F1);
    EXPECT_TRUE(f.isVisible());
    dlg::Script s;
    s.Input("0006");
    f.txtiDate->setFocus();
    QTest::keyClick(f.txtiDate, Qt::Key_Return);
    EXPECT_EQ(giCardOk, 1);
    EXPECT_EQ(gtCardRet.CardDate, "2712");
  }
}

TEST_F(ManualCard, PaymentScreenAmountTakesNoTyping) {
  giCardCallMode = 0;
  gtCardRet.Gum = Currency::Won(4500);
  frmCardOK f;
  Show(f);
  f.txtiGum->setFocus();
  QTest::keyClicks(f.txtiGum, "12");
  QTest::keyClick(f.txtiGum, Qt::Key_Backspace);
  EXPECT_EQ(f.txtiGum->text(), "4,500");
  QTest::keyClick(f.txtiGum, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), f.txtiNo);
}

}  // namespace
