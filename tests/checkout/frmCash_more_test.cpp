// More of the payment screen: change-to-points keys, the box keys and focus rules, the
// cash receipt, the cheque button, and an offline sale.
#include "cash_form_fixture.h"

#include "chit/pan_money.h"
#include "core/pos_settings.h"
#include "van/cash_receipt.h"
#include "van/frmMoneyChk.h"

namespace {

using namespace cashtest;

TEST_P(CashFormTest, ChangeFromPoints) {
  gtPanChit.PctHab = W(12345);
  gtCstCode.CcdKey = W(7);
  gtCstCode.CcdJumsu = W(30);
  goDbMain.Execute("Insert Into OrvRegistry(RegKey, RegInt, RegChar) Values('PosBnsMoneyPoint', 1, '1')");
  frmCash &f = Open();
  {
    dlg::Script s;
    Key(Qt::Key_F10, f.txtNo);
    ASSERT_EQ(s.Texts(), QStringList{QStringLiteral("차감할 점수가 부족합니다.")});
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("차감점수 부족"));
  }
  gtCstCode.CcdJumsu = W(45);
  Key(Qt::Key_F10, f.txtNo);
  EXPECT_EQ(f.txtDisCoinPoint->text(), "45");
  EXPECT_EQ(f.txtCustJum->text(), "45");
  EXPECT_TRUE(f.txtDisCoinPoint->isVisibleTo(&f));
  Key(Qt::Key_F10, f.txtNo);
  EXPECT_FALSE(f.txtDisCoinPoint->isVisibleTo(&f));
  EXPECT_EQ(f.txtCustJum->text(), "0");
  // F9 switches change-to-points on and the deduction off.
  Key(Qt::Key_F10, f.txtNo);
  Key(Qt::Key_F9, f.txtNo);
  EXPECT_EQ(f.miCoinPointAdd, 1);
  EXPECT_EQ(f.miCoinPointUse, 0);
  EXPECT_FALSE(f.txtDisCoinPoint->isVisibleTo(&f));
}

TEST_P(CashFormTest, EnterFillsWhatIsStillDueAndSmallAmountsBounce) {
  frmCash &f = Open();
  Type(f.txtCSobi, "3000");
  Type(f.txtPayGum, "0");
  Key(Qt::Key_Return, f.txtPayGum);
  EXPECT_EQ(f.txtPayGum->text(), "1,500");
  EXPECT_EQ(f.txtNo->text(), "1");
  EXPECT_EQ(QApplication::focusWidget(), f.cmdSave);
  // Leaving a box with 1 to 9 won empties it and keeps the focus there.
  Type(f.txtCSobi, "5");
  f.txtOisang->setFocus();
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(f.txtCSobi->text(), "0");
  EXPECT_EQ(QApplication::focusWidget(), f.txtCSobi);
}

TEST_P(CashFormTest, CashReceiptIssuedSavesWithItsMoneyRow) {
  frmCash &f = Open();
  dlg::Script s;
  QString preset;
  s.OnForm("frmMoneyChk", [&](QWidget &w) {
    auto &m = static_cast<frmMoneyChk &>(w);
    preset = m.txtiGum->text();
    m.txtiCard->setText("01012345678");
    m.cmdCommit->click();
  });
  giSetVan = 1;
  orv::van::SetCashReceiptBranchHook([](CashReceiptInput &in) {
    CashReceiptResult r;
    r.code = 0;
    r.memberNo = in.idNo;
    r.cmitNo = "123456789";
    r.cmitDate = "240315";
    return r;
  });
  Key(Qt::Key_M, f.txtNo);
  orv::van::SetCashReceiptBranchHook({});
  EXPECT_EQ(preset, "4,500");
  EXPECT_EQ(giCashSaved, 1);
  EXPECT_EQ(Count(goDbMain, "PanMoney2403", "PmoHab=4500 And PmoCardNo='01012345678'"), 1);
  EXPECT_EQ(Count(goDbMain, "PosLogs2403", "PlgSel=108"), 1);
}

TEST_P(CashFormTest, CashReceiptNotIssuedClosesUnsaved) {
  frmCash &f = Open();
  dlg::Script s;
  s.OnForm("frmMoneyChk", [](QWidget &w) { static_cast<QDialog &>(w).reject(); });
  Key(Qt::Key_M, f.txtNo);
  EXPECT_TRUE(f.Closed());
  EXPECT_EQ(giCashSaved, 0);
  EXPECT_EQ(Count(goDbMain, "PanChit2403"), 0);
}

TEST_P(CashFormTest, ChequeButtonAsksWhenTheHostIsUnknown) {
  gsSetSupyoHost = "no-such-host.invalid";
  frmCash &f = Open();
  {
    dlg::Script s;
    s.No();
    Key(Qt::Key_Slash, f.txtNo);
    ASSERT_EQ(s.Texts(), QStringList{QStringLiteral("인터넷이 연결되지 않은것 같습니다.")});
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("인터넷연결실패!!"));
  }
  dlg::Script s;
  s.Yes();
  bool shown = false;
  s.OnForm("frmSupyoChk", [&](QWidget &w) {
    shown = true;
    static_cast<QDialog &>(w).reject();
  });
  Key(Qt::Key_Slash, f.txtNo);
  EXPECT_TRUE(shown);
  EXPECT_FALSE(f.Closed());
}

TEST_P(CashFormTest, MerchantDataIsCheckedBeforeTheCardForm) {
  giSetVan = 2;
  goDbMain.Execute("Insert Into ComCode(ComNo, ComName, ComSaupNo) Values(1, 'S', '1234567890')");
  struct Case {
    QString download;
    QString title;
  } cases[] = {{"", QStringLiteral("가맹점다운로드 확인요망")},
               {"A" + QString(QChar(28)) + "999", QStringLiteral("사업자번호불일치")}};
  for (const Case &c : cases) {
    gsGMDown = c.download;
    frmCash &f = Open();
    dlg::Script s;
    Key(Qt::Key_F3, f.txtNo);
    ASSERT_EQ(s.Texts(), QStringList{QStringLiteral("카드설정파일에 문제가있습니다.")});
    EXPECT_EQ(s.Log()[0].title, c.title);
    EXPECT_TRUE(f.Closed());
  }
  // A database error on the way is shown; the screen stays usable.
  goDbMain.Execute("Drop Table ComCode");
  frmCash &f = Open();
  dlg::Script s;
  Key(Qt::Key_F3, f.txtNo);
  ASSERT_EQ(s.Texts().size(), 1);
  EXPECT_TRUE(s.Texts()[0].startsWith(QStringLiteral("오류번호 : ")));
  EXPECT_FALSE(f.Closed());
  EXPECT_EQ(giCardFormBusy, 0);
}

TEST_P(CashFormTest, AFailureAfterTheCommitStillCountsTheSaleAsPaid) {
  // The event row fails after both commits: its table takes no such row.
  goDbMain.Execute("Drop Table PosLogs2403");
  goDbMain.Execute("Create Table PosLogs2403 (PlgOnly int)");
  frmCash &f = Open();
  Type(f.txtPayGum, "5000");
  dlg::Script s;
  f.cmdSave->click();
  ASSERT_EQ(s.Texts().size(), 1);
  EXPECT_TRUE(s.Texts()[0].startsWith(QStringLiteral("판매는 저장되었습니다.")));
  EXPECT_EQ(giCashSaved, 1);
  EXPECT_EQ(gcCashHab, W(4500));
  EXPECT_TRUE(f.Closed());
  EXPECT_EQ(Count(goDbMain, "PanChit2403"), 1);
  EXPECT_EQ(gtPanChit.PctHab, W(0));
}

class OfflineCashFormTest : public CashFormTest {};

TEST_P(OfflineCashFormTest, TheSaleLandsInThePosDatabaseAlone) {
  frmCash &f = Open();
  EXPECT_FALSE(f.txtOisang->isEnabled());
  Type(f.txtPayGum, "5000");
  dlg::Script s;
  f.cmdSave->click();
  EXPECT_EQ(giCashSaved, 1);
  EXPECT_EQ(Count(goDbPos, "PanChit2403", "PctMoney=5000"), 1);
  EXPECT_EQ(Count(goDbPos, "PanChitT2403"), 1);
}

INSTANTIATE_TEST_SUITE_P(Setups, OfflineCashFormTest,
                         ::testing::Values(chittest::Setup{orv::db::Engine::SQLite, false}),
                         chittest::SetupName);

}  // namespace
