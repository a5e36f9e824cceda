// The card cancellation form through the First Data agent program (the simulator).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

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
#include "van/card_agent.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/frmDisCard.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;
using orv::Currency;

namespace {

// Shown and active, as the cashier sees it: keys go to the focused box.
void Show(QWidget &w) {
  w.show();
  QApplication::setActiveWindow(&w);
}
// A key as the keyboard sends it: to the focused control.
void Press(QWidget &form, Qt::Key key) {
  QWidget *to = QApplication::focusWidget();
  QTest::keyClick(to && to->window() == &form ? to : &form, key);
}

using Inputs = QList<QPair<QString, QString>>;

TEST(FdkCancelInputs, ByKind) {
  gsSaupNo = "1234567890";
  gsSetDanId = "DAN1";
  const Inputs common{{"사업자번호", "1234567890"}, {"제품일련번호", "DAN1"}, {"요청금액", "15000"},
                      {"봉사료", "0"},           {"세금", "1364"},        {"할부", "03"},
                      {"원거래일자", "240105"},  {"원승인번호", "12345"}};
  Inputs card{{"거래구분", "CRD"}, {"취소구분", "Y"}};
  card += common;
  Inputs kakao{{"거래구분", "KAO"}, {"업무구분", "Y"}};
  kakao += common;
  kakao.append(QPair<QString, QString>("거래고유번호", "T1234567890123456"));
  Inputs zero{{"거래구분", "ZRO"}, {"업무구분", "Y"}};
  zero += common;
  zero.append(QPair<QString, QString>("바코드번호", "8000123"));
  const struct {
    int kind;
    const char *barcode;
    const Inputs &want;
  } cases[] = {{0, "", card}, {1, "T1234567890123456", kakao}, {2, "8000123", zero}};
  for (const auto &c : cases)
    EXPECT_EQ(FdkCancelInputs(int16_t(c.kind), Currency::Won(15000), Currency::Won(1364), "03",
                              "240105", "12345", c.barcode),
              c.want)
        << c.kind;
  gsSaupNo.clear();
  gsSetDanId.clear();
}

class FdkCancel : public vantest::FdkDialogTest {
 protected:
  void SetUp() override {
    FdkDialogTest::SetUp();
    giPosCardTaxSelt = 1;
    // A return of the payment screen: the approval comes fixed.
    giCardCallMode = 0;
    CardReturn(15000, "12345", "20240105", 3);
  }
  // Opens the form and presses F2; whether it closed.
  bool CancelWithF2(const std::function<void(frmDisCard &)> &before = {}) {
    frmDisCard form;
    Show(form);
    if (before) before(form);
    Press(form, Qt::Key_F2);
    return !form.isVisible();
  }
  // The inputs the agent was given, "key=value".
  QStringList JournalInputs() {
    QStringList out;
    for (const QString &line : child_->Journal()) {
      if (!line.startsWith("INPUT ")) continue;
      const QStringList kv = line.mid(6).split(" | ");
      out << kv.value(0) + "=" + kv.value(1);
    }
    return out;
  }
};

TEST_F(FdkCancel, CardCancelSendsTheApprovalAndHandsBackANegativeAmount) {
  Start();
  EXPECT_TRUE(CancelWithF2());
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.Gum, Currency::Won(-15000));
  EXPECT_EQ(gtCardRet.CardNo, "941012******1234");
  EXPECT_EQ(gtCardRet.CmitNo, "30000001");
  EXPECT_EQ(gtCardRet.MeipCode, "0001");
  EXPECT_EQ(gtCardRet.CardDate, "0000");
  EXPECT_EQ(gtCardRet.Halbu, 3);
  EXPECT_EQ(gcSetCdCount, Currency::Won(1));
  EXPECT_EQ(LogTexts(), (QStringList{"FDK_WIN4POS : 00015000", "FDK_WIN4POS_OutRet",
                                     "FDK_WIN4POS_Execute_Ok"}));
  const QStringList in = JournalInputs();
  for (const char *want : {"거래구분=CRD", "취소구분=Y", "요청금액=15000", "세금=1364", "할부=03",
                           "원거래일자=240105", "원승인번호=12345"})
    EXPECT_TRUE(in.contains(want)) << want << " in " << in.join(", ").toStdString();
}

TEST_F(FdkCancel, BarcodePaymentsSendTheStoredNumber) {
  QString whole = "KAKAO-UNIQUE-0000123456789";
  WriteKzbBars(1, "20240105", "12345", whole);
  QString zero = "8000123456789012345";
  WriteKzbBars(2, "20240105", "12345", zero);
  const struct {
    const char *cardNo, *title, *sent, *cardBack;
  } cases[] = {
      {"KKAKAO-UNIQU", "카카오페이", "거래고유번호=KAKAO-UNIQUE-0000123456789", "KKAKAO-UNIQUE"},
      {"Z800012345678", "제로페이", "바코드번호=8000123456789012345", "Z800012345678"},
  };
  Start();
  for (const auto &c : cases) {
    gtPanChit.PctCardNo = c.cardNo;
    gtCardRet.CmitNo = "12345";
    gtCardRet.CmitDate = "20240105";
    QString title;
    EXPECT_TRUE(CancelWithF2([&](frmDisCard &f) { title = f.KzTitleLbl->text(); })) << c.cardNo;
    EXPECT_EQ(title, c.title);
    EXPECT_TRUE(JournalInputs().contains(c.sent)) << c.sent;
    EXPECT_EQ(gtCardRet.CardNo, c.cardBack);
    if (QString(c.title) == "카카오페이") {
      EXPECT_TRUE(gtCardRet.MeipName.endsWith("(?:0)"));
    }
  }
}

TEST_F(FdkCancel, ARefusalSilenceOrAGarbledCodeRestoresTheResult) {
  const struct {
    const char *name, *scenario, *months, *code;
  } cases[] = {
      {"declined", "", "99", "8099"},
      {"silent", "", "98", "9999"},
      {"empty code", "code=\n", "00", ""},
      {"garbled code", "code=00A\n", "00", "00A"},
  };
  for (const auto &c : cases) {
    goDbPos.Execute("Delete From CardLog");
    Scenario(c.scenario);
    Start();
    gtCardRet.Halbu = int16_t(QString(c.months).toInt());
    dlg::Script s;
    EXPECT_FALSE(CancelWithF2()) << c.name;
    EXPECT_EQ(giCardOk, 0) << c.name;
    EXPECT_EQ(gtCardRet.CmitNo, "12345") << c.name << ": the approval to cancel is back";
    EXPECT_TRUE(gtCardRet.CardNo.isEmpty()) << c.name;
    ASSERT_EQ(s.Log().size(), 1) << c.name;
    EXPECT_EQ(s.Log()[0].title, "카드재승인요청") << c.name;
    EXPECT_TRUE(s.Log()[0].text.contains(QString("ErrCode [ ") + c.code + " ]")) << c.name;
    if (QString(c.name) == "silent") {
      EXPECT_TRUE(s.Log()[0].text.contains(NoCancelReplyText()));
    }
    EXPECT_EQ(LogTexts().last(), "FDK_WIN4POS_Execute_Err") << c.name;
    orv::van::CurrentCardAgent().Destroy();
  }
}

TEST_F(FdkCancel, FrameOutcomesBeforeAnyRequest) {
  Start();
  {
    // Missing number, then missing date: told, nothing sent, the result untouched.
    gtCardRet.CmitNo.clear();
    gtPanChit.PctHab = Currency::Won(-15000);
    frmDisCard f;
    Show(f);
    dlg::Script s;
    f.cmdiCancel_Click();
    f.txtiNo->setText("77");
    f.txtiDate->clear();
    f.cmdiCancel_Click();
    ASSERT_EQ(s.Log().size(), 2);
    EXPECT_EQ(s.Log()[0].title, "승인번호 입력요망");
    EXPECT_EQ(s.Log()[1].title, "승인일자 입력요망");
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.txtiGum->isEnabled()) << "a failed attempt opens every field";
    EXPECT_FALSE(f.txtDanNo->isEnabled());
  }
  EXPECT_TRUE(LogTexts().isEmpty());
  {
    // A network without a branch: silent, the card number emptied.
    giSetVan = 3;
    gtCardRet.CmitNo = "12345";
    gtCardRet.CardNo = "X";
    frmDisCard f;
    Show(f);
    f.cmdiCancel_Click();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(gtCardRet.CmitNo, "12345");
    EXPECT_TRUE(gtCardRet.CardNo.isEmpty());
    EXPECT_EQ(f.txtiCard->text(), "0000000000000000");
    // Esc leaves, and a second Esc does nothing.
    Press(f, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(giCardKeyBusy, 1);
    EXPECT_EQ(giCardOk, 0);
  }
  EXPECT_TRUE(LogTexts().isEmpty());
}

TEST_F(FdkCancel, RowsThatCannotBeWrittenAfterTheReplyAreNamedNotUndone) {
  // The reply's rows fail; the request row before the send is written.
  goDbPos.Execute("Create Trigger NoReplyRows Before Insert On CardLog When NEW.ClgGbn > 0 "
                  "Begin Select RAISE(ABORT, 'disk full'); End");
  Start();
  dlg::Script s;
  EXPECT_TRUE(CancelWithF2());
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.CmitNo, "30000001");
  EXPECT_FALSE(gtCardRet.CardNo.isEmpty());
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, "카드기록 실패");
  EXPECT_TRUE(s.Log()[0].text.contains("30000001"));
  EXPECT_TRUE(s.Log()[0].text.contains("FDK_WIN4POS_Execute_Ok"));
  EXPECT_EQ(LogTexts(), QStringList{"FDK_WIN4POS : 00015000"});

  // When the request row cannot be written, nothing goes out.
  goDbPos.Execute("Drop Trigger NoReplyRows");
  goDbPos.Execute("Create Trigger NoRows Before Insert On CardLog "
                  "Begin Select RAISE(ABORT, 'disk full'); End");
  gtCardRet.CmitNo = "12345";
  gtCardRet.CardNo = "X";
  s.ClearLog();
  EXPECT_FALSE(CancelWithF2());
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, "승인취소실패");
  EXPECT_TRUE(gtCardRet.CardNo.isEmpty());
  EXPECT_EQ(giCardOk, 0);
}

TEST_F(FdkCancel, CollectionScreenTypesTheApprovalAndEnterInTheDateStarts) {
  Start();
  giCardCallMode = 1;
  gtCardRet = {};
  gtCardRet.Gum = Currency::Won(12000);
  gtPanChit.PctHab = {};
  frmDisCard f;
  Show(f);
  ASSERT_TRUE(f.txtiNo->isEnabled());
  f.txtiNo->setFocus();
  QTest::keyClicks(f.txtiNo, "3000");
  QTest::keyClick(f.txtiNo, Qt::Key_Period);
  EXPECT_EQ(f.txtiNo->text(), "3000000");
  f.txtiDate->setText("240105");
  f.txtiDate->setFocus();
  QTest::keyClick(f.txtiDate, Qt::Key_Return);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(giCardOk, 1);
  EXPECT_EQ(gtCardRet.Gum, Currency::Won(-12000)) << "handed back negative";
  EXPECT_EQ(LogTexts().first(), "FDK_WIN4POS : 00012000");
}

}  // namespace
