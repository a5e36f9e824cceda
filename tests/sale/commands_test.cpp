#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/dates.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/grid.h"
#include "sale_screen_fixture.h"

using namespace orv;
using dialogs::Script;
using saletest::SaleScreenTest;

TEST_F(SaleScreenTest, DiscountSwitchAndPriceKindAreCoupled) {
  orv::settings_store::SaveSetting("giSetPrint", "0");  // a terminal without a printer
  Login();
  frmMain &m = *main_;
  Script s;
  m.Combo1->setCurrentIndex(2);  // "판매#B가격(할인)" with the discount on
  EXPECT_EQ(glHalSel, 0);
  EXPECT_EQ(glGaSel, 2);
  m.cmdHalin->click();  // on again: the price kind goes back to the empty entry
  EXPECT_EQ(glHalSel, 1);
  EXPECT_EQ(m.Combo1->currentIndex(), 0);
  EXPECT_EQ(glGaSel, 0);
  m.cmdHalin->click();
  EXPECT_EQ(glHalSel, 0);
  // No entry shown stores kind 0, never -1.
  m.Combo1->setCurrentIndex(5);
  m.Combo1->setCurrentIndex(-1);
  EXPECT_EQ(glGaSel, 0);

  // No printer: printing starts off and its button is disabled.
  EXPECT_EQ(giPrintOn, 0);
  EXPECT_FALSE(m.cmdPrint->isEnabled());
  m.cmdPrint_Click();
  EXPECT_EQ(giPrintOn, 1);
  m.cmdPrint_Click();
  EXPECT_EQ(giPrintOn, 0);
}

TEST_F(SaleScreenTest, CheckBoxesAndTheCreditReceiptCountAreStored) {
  Login();
  frmMain &m = *main_;
  Script s;
  m.chkDanga->click();
  EXPECT_EQ(settings_store::GetSetting("giSetDangaStop"), "1");
  m.chkDanga->click();
  EXPECT_EQ(settings_store::GetSetting("giSetDangaStop"), "0");
  m.chkMisuNotPrn->setChecked(true);  // from code too
  EXPECT_EQ(settings_store::GetSetting("giSetMisuNotPrn"), "1");
  m.chkPrintBar->click();
  EXPECT_EQ(giSetPrintBarcode, 1);
  EXPECT_EQ(settings_store::GetSetting("giSetPrintBarcode"), "1");

  QStringList shown;
  for (int i = 0; i < 6; ++i) {
    m.cmdOIPrnSu->click();
    shown << m.lblOIPrnSu->text();
  }
  EXPECT_EQ(shown, QStringList({"1", "2", "3", "4", "5", "0"}));
  EXPECT_EQ(settings_store::GetSetting("giSetOiPrnSu"), "0");
}

TEST_F(SaleScreenTest, HelpPanelShowsTheKeyMapAndStoresTheCardTaxOnlineOnly) {
  Login();
  frmMain &m = *main_;
  Script s;
  goDbMain.Execute("UPDATE OrvRegistry SET RegChar = '2401' WHERE RegKey = 'PosJulBarcode'");
  giZerdoAllDc = Currency::Won(5);
  m.cmdHelp->click();
  ASSERT_TRUE(m.fraHelp->isVisible());
  EXPECT_TRUE(m.txtHelp->toPlainText().contains(QStringLiteral("[ 전자저울식별번호:             24 01 ]")));
  EXPECT_EQ(m.PanDcTxt->text(), "5");
  EXPECT_TRUE(m.CardTaxFme->isEnabled());
  EXPECT_TRUE(m.CardTax1Opt->isChecked());  // the demo shop sends the VAT with card requests
  m.CardTax2Opt->setChecked(true);
  m.fraExitCmd->click();
  EXPECT_FALSE(m.fraHelp->isVisible());
  EXPECT_EQ(giPosCardTaxSelt, 2);
  EXPECT_EQ(GetRegInt("PosCardTaxSelt"), 2);

  // Offline the choice cannot change.
  giOnLine = 2;
  m.cmdHelp->click();
  EXPECT_FALSE(m.CardTaxFme->isEnabled());
  EXPECT_TRUE(m.CardTax2Opt->isChecked());
  m.CardTax1Opt->setChecked(true);
  m.cmdHelp->click();  // a second click closes it
  EXPECT_FALSE(m.fraHelp->isVisible());
  EXPECT_EQ(giPosCardTaxSelt, 2);
}

TEST_F(SaleScreenTest, CodeCopyKeepsItsDateOnlyWhenTheCopyWentThrough) {
  Login();
  gsCodeDate = "20000101";
  {
    Script s;
    s.No();
    main_->CmdCC->click();
    ASSERT_EQ(s.Log().size(), 1);
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("코드수신"));
  }
  {
    Script s;
    s.Yes();
    main_->CmdCC->click();
    EXPECT_EQ(gsCodeDate, clock::Now().date().toString("yyyyMMdd"));
  }
  {
    // A copy that fails says so and keeps the old date, so it is tried again.
    gsCodeDate = "20000101";
    settings_store::SaveSetting("gsCodeDate", gsCodeDate);
    db::Connection mainDb;
    mainDb.Open(gsSetMainDB);
    mainDb.Execute("Drop Table BsnCode");
    Script s;
    s.Yes();
    main_->CmdCC->click();
    ASSERT_EQ(s.Log().size(), 2);
    EXPECT_EQ(s.Log()[1].title, QStringLiteral("전송오류!!"));
    EXPECT_EQ(gsCodeDate, "20000101");
    EXPECT_EQ(settings_store::GetSetting("gsCodeDate"), "20000101");
  }
}

TEST_F(SaleScreenTest, ScreensOpenAsModalFormsAndTheResendAsksItsPassword) {
  Login();
  frmMain &m = *main_;
  QStringList opened;
  auto take = [&opened](QWidget &f) {
    opened << f.objectName();
    static_cast<QDialog &>(f).reject();
  };
  Script s;
  for (const char *name : {"frmTerminate", "frmTrsIODay", "frmPanSerch", "frmHabGum",
                           "frmDataRebuild", "frmCstEdit"})
    s.OnForm(name, take);
  m.cmdTerMinate->click();
  m.cmdTrsMast->click();
  m.Command1->click();
  m.Command4->click();
  s.Input("36284019760");
  m.cmdRebuild->click();  // wrong: nothing opens
  s.Input("36284019762");
  m.cmdRebuild->click();
  // F1 on the closing button: the customer-points editor, unless the option forbids it.
  QTest::keyClick(m.cmdTerMinate, Qt::Key_F1);
  SetRegistry("PosCstJumsuUp", 1);
  QTest::keyClick(m.cmdTerMinate, Qt::Key_F1);
  EXPECT_EQ(opened, QStringList({"frmTerminate", "frmTrsIODay", "frmPanSerch", "frmHabGum",
                                 "frmDataRebuild", "frmCstEdit"}));
  for (const dialogs::Shown &shown : s.Log()) {
    if (shown.kind == dialogs::Kind::InputBox) {
      EXPECT_EQ(shown.echo, dialogs::Echo::Password);
    }
  }
}

TEST_F(SaleScreenTest, WorkDateMovesWithinAMonthAndCreatesThatMonthsTables) {
  clock::SetFixed(QDateTime(QDate(2024, 5, 15), QTime(13, 5, 9)));
  Login();
  frmMain &m = *main_;
  m.Timer1_Timer();
  EXPECT_EQ(m.lblNow->text(), "2024-05-15");
  EXPECT_EQ(m.lblTime->text().left(5), "13:05");

  // With goods on the grid the change button does nothing.
  SetCellText(m.vaSpread1, 3, ColGdsKey, "7");
  m.cmdDateSet->click();
  EXPECT_FALSE(m.dtpWrkDate->isEnabled());
  SetCellText(m.vaSpread1, 3, ColGdsKey, "");
  m.cmdDateSet->click();
  EXPECT_TRUE(m.dtpWrkDate->isEnabled());

  Script s;
  m.dtpWrkDate->setDate(QDate(2024, 4, 14));  // one day too early
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("일자설정오류!!"));
  EXPECT_EQ(s.Log()[0].text, QStringLiteral("기간설정이 범위를 벗어날수 없습니다.\r\n일자 조정만 가능합니다."));
  EXPECT_EQ(m.dtpWrkDate->date(), QDate(2024, 5, 15));
  EXPECT_EQ(giWrkMonth, 5);
  EXPECT_EQ(giWrkDateChanged, 1);
  EXPECT_EQ(s.Log().size(), 1);  // putting today back ran no change

  giWrkDateChanged = 0;
  EXPECT_FALSE(goDbMain.TableExists("PanChit2406"));
  m.dtpWrkDate->setDate(QDate(2024, 6, 15));
  EXPECT_EQ(s.Log().size(), 1);
  EXPECT_EQ(giWrkMonth, 6);
  EXPECT_EQ(giWrkDateChanged, 1);
  EXPECT_TRUE(goDbMain.TableExists("PanChit2406"));
  EXPECT_TRUE(goDbPos.TableExists("PanChitT2406"));
}
