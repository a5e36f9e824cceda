// The cash-receipt form offscreen: its boxes and keys, what it hands back after an approval,
// the printout, the event row and the customer's stored number.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "chit/pan_money.h"
#include "chit/records.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/printer_port.h"
#include "platform/settings_store.h"
#include "print/basPrinter.h"
#include "schema/tables.h"
#include "test_support.h"
#include "van/card_state.h"
#include "van/cash_receipt.h"
#include "van/cash_receipt_record.h"
#include "van/frmMoneyChk.h"
#include "money_fixture.h"

namespace dlg = orv::dialogs;
using orv::Currency;

namespace {

using namespace moneytest;

TEST_F(MoneyChkForm, BoxesFilterWhatIsTyped) {
  frmMoneyChk f;
  Show(f);
  const std::pair<const char *, const char *> amounts[] = {
      {"12a3", "123"}, {"0", ""}, {"1234567", "1,234,567"}, {"-5000", "-5,000"}, {"5,0,00", "5,000"}};
  for (const auto &[typed, shown] : amounts) {
    f.txtiGum->setText(typed);
    EXPECT_EQ(f.txtiGum->text(), shown) << typed;
  }
  const std::pair<const char *, const char *> numbers[] = {
      {"010.1234", "010"}, {"ab12=3+4-x", "12=3+4-"}, {"01012345678", "01012345678"}};
  for (const auto &[typed, shown] : numbers) {
    f.txtiCard->setText(QString::fromUtf8(typed));
    EXPECT_EQ(f.txtiCard->text(), shown) << typed;
  }
  f.txtiNo->setText(" 12345 ");
  EXPECT_EQ(f.txtiNoLen->text(), "5");
  f.txtiNo->clear();
  EXPECT_EQ(f.txtiNoLen->text(), "");
}

TEST_F(MoneyChkForm, KeysOfTheForm) {
  giSetVan = 3;
  frmMoneyChk f;
  Show(f);
  EXPECT_EQ(f.CmitDateLbl->text(), "??YYMMDD(년월일)");
  EXPECT_EQ(f.CancelReason(), 1);
  for (int expected : {2, 3, 1}) {
    Key(f.txtiCard, Qt::Key_F8);
    EXPECT_EQ(f.CancelReason(), expected);
  }
  Key(f.txtiCard, Qt::Key_F2);
  EXPECT_TRUE(f.chkSaup->isChecked());
  EXPECT_EQ(giDspMoneyChkSaup, 1);
  Key(f.txtiCard, Qt::Key_F7);
  EXPECT_FALSE(f.chkSaup->isChecked());
  // No network: F1 sends nothing and shows nothing (an unscripted box fails the test).
  f.txtiGum->setText("5000");
  Key(f.txtiCard, Qt::Key_F1);
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(giHelpRet, 0);
  // Enter on the amount: a negative one goes on to the approval number.
  f.txtiGum->setText("-5000");
  f.txtiGum->setFocus();
  Key(f.txtiGum, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), f.txtiNo);
  Key(f.txtiCard, Qt::Key_Escape);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(giMoneyChkExit, 1);
  Key(&f, Qt::Key_Escape);  // a second close does nothing
  EXPECT_EQ(f.result(), QDialog::Rejected);
}

TEST_F(MoneyChkForm, AmountHandedInByThePaymentScreenCannotBeTypedOver) {
  gtPanChit.PctHab = Currency::Won(12000);
  giDspCash = 1;
  gcMoneyChkGum = Currency::Won(12000);
  frmMoneyChk f;
  Show(f);
  EXPECT_EQ(f.txtiGum->text(), "12,000");
  f.txtiGum->setFocus();
  QTest::keyClicks(f.txtiGum, "5");
  EXPECT_EQ(f.txtiGum->text(), "12,000");
}

TEST_F(MoneyChkForm, ApprovalIsHandedBackPrintedAndLogged) {
  Shop();
  FakeNetwork net;
  frmMoneyChk f;
  Show(f);
  f.txtiCard->setText("01012345678");
  f.txtiGum->setText("5000");
  Key(f.txtiCard, Qt::Key_F1);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(net.calls, 1);
  EXPECT_EQ(giHelpRet, 1);
  EXPECT_EQ(gtPanChit.PctSss5, 1);
  const PanMoneyRec &m = gtPanMoney;
  EXPECT_EQ(m.PmoCmitNo, "123456789");
  EXPECT_EQ(m.PmoCmitDate, "240315");
  EXPECT_EQ(m.PmoHab, Currency::Won(5000));
  EXPECT_EQ(m.PmoCardNo, "01012345678");
  EXPECT_EQ(m.PmoDate, "20240315");
  EXPECT_EQ(m.PmoPosNo, 2);
  EXPECT_EQ(m.PmoWrtTime, "100000");
  EXPECT_EQ(gsCashRcptNo, "01012345678");
  EXPECT_EQ(gsCashRcptCmitNo, "123456789");
  ASSERT_EQ(jobs_.size(), 1);
  QFile golden(QStringLiteral(ORVPOS_TEST_FIXTURES "/print/cash_receipt.bin"));
  ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
  const QByteArray expected = golden.readAll();
  EXPECT_TRUE(jobs_[0].startsWith(expected)) << jobs_[0].toHex(' ').toStdString();
  auto rs = goDbMain.OpenRecordset("Select PlgSel, PlgChtNo, PlgNo, PlgSeq, PlgText1 From PosLogs2403");
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field("PlgSel").toInt(), 108);
  EXPECT_EQ(rs.Field("PlgChtNo").toInt(), 57);
  EXPECT_EQ(rs.Field("PlgNo").toInt(), 1);
  EXPECT_EQ(rs.Field("PlgText1").toString().trimmed(), "01012345678,5000,240315123456789");
}

TEST_F(MoneyChkForm, BusinessTitleAndACancellationsMinus) {
  Shop();
  FakeNetwork net;
  const QStringList lines = [&] {
    gtPanMoney.PmoHab = Currency::Won(-5000);
    return CashReceiptLines(1, "T", "M");
  }();
  EXPECT_EQ(lines[0], QStringLiteral("[사업자용현금영수증]"));
  EXPECT_TRUE(lines[14].endsWith("-5,000"));
  EXPECT_EQ(CashReceiptLines(2, "T", "M")[0], "");
  gtPanChit.PctWrtdate = "20240101";
  EXPECT_TRUE(CashReceiptLines(0, "T", "M")[3].startsWith("Date: 2024.01.01"));
  goDbMain.Execute(QStringLiteral("Update ComCode Set ComPrtName='가나다라마바사아자차카'"));
  EXPECT_EQ(CashReceiptLines(0, "T", "M")[2], QStringLiteral("가나다라마바사아자차"));
}

// After the network approved, nothing local undoes the receipt: it is handed back, and what
// could not be kept is named in one warning.
TEST_F(MoneyChkForm, AnApprovedReceiptStandsWhenPrintingAndTheEventRowFail) {
  FakeNetwork net;  // and no ComCode row
  goDbMain.Execute("Create Table PosLogs2403 (X int)");
  printerFails_ = true;
  dlg::Script s;
  frmMoneyChk f;
  Show(f);
  f.txtiGum->setText("5000");
  Key(f.txtiCard, Qt::Key_F1);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(giHelpRet, 1);
  EXPECT_EQ(gtPanChit.PctSss5, 1);
  EXPECT_EQ(gtPanMoney.PmoCmitNo, "123456789");
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("카드기록 실패"));
  EXPECT_TRUE(s.Log()[0].text.contains("123456789"));
  EXPECT_TRUE(s.Log()[0].text.contains("5,000"));
  EXPECT_TRUE(s.Log()[0].text.contains(QStringLiteral("영수증 출력")));
  EXPECT_TRUE(s.Log()[0].text.contains(QStringLiteral("이벤트 기록")));
  // A second F1 cannot issue a second receipt: the form is gone.
  EXPECT_EQ(net.calls, 1);
}

TEST_F(MoneyChkForm, RefusalKeepsTheFormAndAnErrorIsShownAsApprovalFailure) {
  FakeNetwork net;
  net.code = 9999;
  frmMoneyChk f;
  Show(f);
  f.txtiGum->setText("5000");
  Key(f.txtiCard, Qt::Key_F1);
  Key(f.txtiCard, Qt::Key_F1);
  EXPECT_EQ(net.calls, 2);
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(giHelpRet, 0);
  EXPECT_TRUE(f.msMoneyTermNo.isEmpty());
  orv::van::SetCashReceiptBranchHook([](CashReceiptInput &) -> CashReceiptResult {
    throw orv::db::DbError(42, QStringLiteral("연결 끊김"));
  });
  dlg::Script s;
  Key(f.txtiCard, Qt::Key_F1);
  ASSERT_EQ(s.Texts(), QStringList{QStringLiteral("오류번호:42\n오류내용:연결 끊김")});
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("승인실패"));
  EXPECT_TRUE(f.isVisible());
}

TEST_F(MoneyChkForm, TheInputRecordCarriesTheFormsFields) {
  FakeNetwork net;
  net.code = 9999;
  giPosCardTaxSelt = 1;
  frmMoneyChk f;
  Show(f);
  f.txtiCard->setText(" 01012345678 ");
  f.txtiGum->setText("-11000");
  f.txtiNo->setText("987");
  f.txtiDate->setText("240101");
  Key(f.txtiCard, Qt::Key_F2);
  Key(f.txtiCard, Qt::Key_F8);
  Key(f.txtiCard, Qt::Key_F1);
  EXPECT_EQ(net.last.idNo, "01012345678");
  EXPECT_EQ(net.last.gum, Currency::Won(-11000));
  EXPECT_EQ(net.last.vat, Currency::Won(-1000));
  EXPECT_EQ(net.last.saup, 1);
  EXPECT_EQ(net.last.cancelReason, 2);
  EXPECT_EQ(net.last.cancelNo, "987");
  EXPECT_EQ(net.last.cancelDate, "240101");
}

// The stored number changes only when the cashier changed the box.
TEST_F(MoneyChkForm, TheCustomersNumberIsKeptOnlyWhenChanged) {
  struct Case {
    const char *name;
    const char *bank;
    const char *jumin;
    int telAutoNot;
    int16_t tsMode;
    std::optional<QString> typed;  // nullopt: the box is left as the load filled it
    const char *filled;
    const char *stored;
  } cases[] = {
      {"mobile filled, untouched", "01012345678", "8001011234567", 0, 0, std::nullopt, "01012345678",
       "01012345678"},
      {"resident number filled, untouched", "01012345678", "800101-1234567", 1, 0, std::nullopt,
       "8001011234567", "01012345678"},
      {"nothing filled, nothing typed", "", "", 0, 0, std::nullopt, "", ""},
      {"card track never filled", "1234567890123456=99", "", 0, 0, std::nullopt, "",
       "1234567890123456=99"},
      {"changed", "01012345678", "", 0, 0, QString("01099998888"), "01012345678", "01099998888"},
      {"emptied clears", "01012345678", "", 0, 0, QString(""), "01012345678", ""},
      {"customers elsewhere", "01012345678", "", 0, 1, QString("01099998888"), "01012345678",
       "01012345678"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    goDbMain.Execute("Delete From CstCode");
    goDbMain.Execute("Delete From OrvRegistry");
    goDbMain.Execute("Insert Into OrvRegistry(RegKey, RegInt, RegChar) Values('MoneyTelAutoNot', " +
                     QString::number(c.telAutoNot) + ", '')");
    Customer(c.bank, c.jumin);
    giCstTsMode = c.tsMode;
    frmMoneyChk f;
    Show(f);
    EXPECT_EQ(f.txtiCard->text(), c.filled);
    EXPECT_EQ(f.CstMoneyLbl->text(), QString(c.bank));
    if (c.typed) f.txtiCard->setText(*c.typed);
    Key(f.txtiCard, Qt::Key_Escape);
    EXPECT_EQ(StoredBank(), c.stored);
    EXPECT_EQ(gtCstCode.CcdBank, QString(c.stored));
  }
}

TEST_F(MoneyChkForm, AFailingStoreOfTheNumberIsToldAndTheFormGoesOn) {
  Customer("01012345678", "");
  goDbMain.Execute("Drop Table CstCode");
  frmMoneyChk f;
  Show(f);
  f.txtiCard->setText("01099998888");
  dlg::Script s;
  Key(f.txtiCard, Qt::Key_Escape);
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("현금영수증"));
  EXPECT_TRUE(s.Log()[0].text.startsWith(QStringLiteral("오류번호 : ")));
  EXPECT_FALSE(f.isVisible());
}

class CashReceiptLogDb : public orvtest::EngineTest {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    EngineTest::SetUp();
    if (IsSkipped()) return;
    goDbMain.Open(NewDatabase());
    orv::clock::SetFixed(kNow);
    giWrkYear = 2024;
    giWrkMonth = 3;
    giWrkDay = 14;
    orv::settings_store::SaveSetting("goSetBFChtNo", "57");
  }
  void TearDown() override {
    orv::clock::Reset();
    orv::state::ResetProgramState();
  }
};

TEST_P(CashReceiptLogDb, TwoInOneSecondNumberTheirRowsFromZero) {
  gtPanMoney.PmoHab = Currency::Won(-5000);
  gtPanMoney.PmoCmitDate = "240315";
  gtPanMoney.PmoCmitNo = "N1";
  AddCashReceiptLog(1, 108, CashReceiptLogText("M'1"), "", "");
  AddCashReceiptLog(1, 108, CashReceiptLogText("M2"), "", "");
  auto rs = goDbMain.OpenRecordset(
      "Select PlgSeq, PlgText1, PlgSetDate, PlgDate From PosLogs2403 Order By PlgSeq");
  ASSERT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.Field("PlgSeq").toInt(), 0);
  EXPECT_EQ(rs.Field("PlgText1").toString().trimmed(), "M'1,-5000,240315N1");
  EXPECT_EQ(rs.Field("PlgSetDate").toString().trimmed(), "20240314");
  EXPECT_EQ(rs.Field("PlgDate").toString().trimmed(), "20240315");
  rs.MoveNext();
  EXPECT_EQ(rs.Field("PlgSeq").toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, CashReceiptLogDb, ORV_BOTH_ENGINES);

}  // namespace
