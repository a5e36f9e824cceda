#include <QApplication>
#include <QTest>

#include "customer/CstPaddFrm.h"
#include "lookup/help_globals.h"
#include "platform/grid.h"
#include "sale_screen_fixture.h"

using saletest::SaleScreenTest;

// F5 on an empty line opens the receipt-points dialog online, from the customer source the
// state names; nothing opens offline.
TEST_F(SaleScreenTest, F5OnAnEmptyLineOpensTheReceiptPoints) {
  Login();
  main_->show();
  main_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main_));
  main_->vaSpread1->setFocus();
  main_->vaSpread1->SetActiveCell(ColCode, 1);
  orv::dialogs::Script s;
  s.ExpectAllUsed(false);
  QString title;
  s.OnForm("CstPaddFrm", [&](QWidget &w) {
    title = w.windowTitle();
    giHelpRet = 1;
    static_cast<QDialog &>(w).reject();
  });
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
  QApplication::processEvents();
  EXPECT_EQ(title, "고객 점수 추가 (영수증)");
}
