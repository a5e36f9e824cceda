// The pole display on a pseudo-terminal as the sale screen's port: what a sale sends.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "checkout/checkout_globals.h"
#include "checkout/frmCash.h"
#include "checkout/frmPrintOnOff.h"
#include "core/pos_settings.h"
#include "platform/grid.h"
#include "platform/serial_port.h"
#include "pseudo_terminal.h"
#include "sale_screen_fixture.h"

using saletest::SaleScreenTest;
namespace dialogs = orv::dialogs;

namespace {

class PoleDisplaySaleTest : public SaleScreenTest {
 protected:
  void Open() {
    orv::settings_store::SaveSetting("giSetDisp", "1");
    orv::settings_store::SaveSetting("giSetDisPortNo", "9");
    Login();
    ASSERT_NE(main_, nullptr);
    goDbMain.Execute("UPDATE SleDate SET SldSaleSel = 9");  // list prices
    main_->show();
    main_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main_));
    main_->vaSpread1->setFocus();
    main_->vaSpread1->SetActiveCell(ColCode, 1);
  }
  void Press(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
    QApplication::processEvents();
  }
  void Enter(const QString &code) {
    for (QChar ch : code) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    Press(Qt::Key_Return);
  }
  // Pays the sale in cash on the payment screen.
  void PayOnTheScreen(dialogs::Script &s, const QString &paid) {
    s.OnForm("frmPrintOnOff", [](QWidget &w) { static_cast<frmPrintOnOff &>(w).ChoosePrintOff(); });
    s.OnForm("frmCash", [paid](QWidget &w) {
      auto &f = static_cast<frmCash &>(w);
      QApplication::processEvents();  // its first activation
      f.txtPayGum->setFocus();
      f.txtPayGum->selectAll();
      QTest::keyClicks(f.txtPayGum, paid);
      f.cmdSave->click();
      QApplication::processEvents();
    });
  }

  orvtest::Pty pty_{9};
};

QByteArray S(int n) { return QByteArray(n, ' '); }

}  // namespace

TEST_F(PoleDisplaySaleTest, LineTotalAndChangeArriveAsModelOneBytes) {
  ASSERT_TRUE(pty_.Ok());
  Open();
  ASSERT_TRUE(main_->MSComm1->PortOpen());
  dialogs::Script s;
  s.ExpectAllUsed(false);
  Enter("8801043014809");  // 900
  const QByteArray line = "\x0C" "  1EA" + S(12) + "900T O T" + S(12) + "900";
  EXPECT_EQ(pty_.Received(line.size()), line);

  PayOnTheScreen(s, "1000");
  Press(Qt::Key_Return);  // the empty code cell: totals and pays
  const QByteArray total = "\x0C" "TOT" + S(14) + "900" + S(20);
  const QByteArray change = "\x0C" "TOT" + S(14) + "900-C-" + S(14) + "100";
  // The sale screen's total, the payment screen's on its activation, then the change.
  const QByteArray all = total + total + change;
  EXPECT_EQ(pty_.Received(all.size()), all);
  EXPECT_EQ(giCashSaved, 1);
}

TEST_F(PoleDisplaySaleTest, APortNeverOpenedSendsNothingAndTheSaleGoesOn) {
  ASSERT_TRUE(pty_.Ok());
  Open();
  main_->MSComm1->Close();
  dialogs::Script s;
  s.ExpectAllUsed(false);
  Enter("8801043014809");
  EXPECT_EQ(main_->vaSpread1->CellValue(1, ColGdsKey), "1");
  PayOnTheScreen(s, "1000");
  Press(Qt::Key_Return);
  EXPECT_EQ(giCashSaved, 1);
  EXPECT_EQ(pty_.Received(1, 100), QByteArray());
}
