// The scanner on the sale screen: codes sent to a pseudo-terminal become grid lines.
#include <QDialog>
#include <QTableWidget>
#include <QTest>

#include "platform/grid.h"
#include "pseudo_terminal.h"
#include "sale_screen_fixture.h"

using saletest::SaleScreenTest;
namespace dialogs = orv::dialogs;
namespace ss = orv::settings_store;

namespace {

constexpr int kCom = 4;

class ScanEntryTest : public SaleScreenTest {
 protected:
  void LoginWithScanner(bool events) {
    ss::SaveSetting("gsSetScan", "9600,N,8,1");
    ss::SaveSetting("giSetScanPort", QString::number(kCom));
    ss::SaveSetting("giSetScanSets", events ? "1" : "0");
    ss::SaveSetting("giSetinterval", "20");
    Login();
    ASSERT_TRUE(main_->MSComm2->PortOpen());
    main_->show();
    main_->activateWindow();
    main_->vaSpread1->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main_->miGridFocus == 1; }, 2000));
  }
  QString Code(int row) const { return main_->vaSpread1->CellValue(row, ColCode); }

  orvtest::Pty pty_{kCom};
};

}  // namespace

TEST_F(ScanEntryTest, ScannedCodesGoToTheFirstFreeLine) {
  ASSERT_TRUE(pty_.Ok());
  LoginWithScanner(true);
  EXPECT_EQ(main_->miScanMode, 1);
  // Line 1 holds goods: the code goes to line 2.
  main_->vaSpread1->SetRow(1);
  main_->vaSpread1->SetCol(ColGdsKey);
  main_->vaSpread1->SetValue("7");
  pty_.Send("8801043014809\r");
  ASSERT_TRUE(QTest::qWaitFor([&] { return Code(2) == "8801043014809"; }, 2000));
  // The priced line sends the cursor on to the next line.
  EXPECT_EQ(main_->vaSpread1->ActiveRow(), 3);

  // Six digits are completed from the 8-character barcodes on file, the lowest first.
  goDbMain.Execute("INSERT INTO BarCode (BarBarCode, BarGubun, BarGdsKey) VALUES "
                   "('01234569', 0, 1), ('01234561', 0, 2), ('0123456', 0, 3), ('012345612', 0, 4)");
  // Goods are found by their own barcode: give the completed one a goods row.
  goDbMain.Execute("UPDATE GdsCode SET GcdBarcode = '01234561' WHERE GcdKey = 2");
  pty_.Send("123456\r");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Code(3).isEmpty(); }, 2000));
  EXPECT_EQ(Code(3), "01234561");

  // A full grid refuses the code with a box and writes nothing.
  for (int r = 1; r <= kSaleLines; ++r) {
    main_->vaSpread1->SetRow(r);
    main_->vaSpread1->SetCol(ColGdsKey);
    main_->vaSpread1->SetValue("7");
  }
  main_->vaSpread1->SetActiveCell(ColCode, 2);
  main_->vaSpread1->setFocus();
  dialogs::Script s;
  pty_.Send("2222222222222\r");
  ASSERT_TRUE(QTest::qWaitFor([&] { return s.Log().size() == 1; }, 2000));
  EXPECT_EQ(s.Log()[0].text, QStringLiteral("판매 줄이 150줄을 넘을 수 없습니다."));
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("확인요망"));
  for (int r = 1; r <= kSaleLines; ++r) EXPECT_NE(Code(r), "2222222222222") << r;
}

TEST_F(ScanEntryTest, ACodeScannedWhileTheClosingScreenIsOpenWaitsInThePort) {
  ASSERT_TRUE(pty_.Ok());
  LoginWithScanner(false);
  EXPECT_EQ(main_->miScanMode, 2);
  bool enteredMeanwhile = true;
  dialogs::Script s;
  s.OnForm("frmTerminate", [&](QWidget &form) {
    EXPECT_FALSE(main_->tmrScan->isActive());
    EXPECT_TRUE(main_->MSComm2->PortOpen());
    pty_.Send("8801043014809\r");
    QTest::qWait(150);
    enteredMeanwhile = !Code(1).isEmpty();
    form.close();
  });
  main_->cmdTerMinate_Click();
  EXPECT_FALSE(enteredMeanwhile);
  EXPECT_TRUE(main_->tmrScan->isActive());
  EXPECT_EQ(main_->MSComm2->InBufferCount(), 14);
  // The cashier goes back to the grid: the code that waited becomes the line.
  main_->vaSpread1->SetActiveCell(ColName, 1);
  main_->activateWindow();
  main_->vaSpread1->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return main_->miGridFocus == 1; }, 2000));
  main_->vaSpread1->SetActiveCell(ColCode, 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Code(1) == "8801043014809"; }, 2000));
}

TEST_F(ScanEntryTest, PoleDisplayOpensAtLoadAndStaysOpen) {
  ASSERT_TRUE(pty_.Ok());
  Login();
  giSetDisp = 1;
  gsCdpSettings = "9600,N,8,1";
  giCdpPort = kCom;
  gsSetPrnPort = "COM0";  // the printer test never opens /dev/ttyS-1
  frmMain m;
  m.Form_Load();
  EXPECT_TRUE(m.MSComm1->PortOpen());
  EXPECT_FALSE(m.MSComm3->PortOpen());
  m.MSComm1->Output("Hi");
  EXPECT_EQ(pty_.Received(2), "Hi");
}

// The payment screen opened by Enter on the next empty code cell, with the scanner port kept
// open for it: a code scanned meanwhile is read (by the port event or by the timer) and
// dropped, since the grid has lost the focus; it never becomes a line behind the screen.
class ScanDuringModalTest : public ScanEntryTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ScanDuringModalTest, ACodeScannedWhileThePaymentScreenIsOpenRingsUpNoLine) {
  ASSERT_TRUE(pty_.Ok());
  const bool events = GetParam();
  LoginWithScanner(events);
  pty_.Send("8801043014809\r");
  ASSERT_TRUE(QTest::qWaitFor([&] { return Code(1) == "8801043014809"; }, 2000));
  ASSERT_EQ(main_->vaSpread1->ActiveRow(), 2);
  giSetKeyCheck = 1;

  dialogs::Script s;
  int shown = 0;
  bool focusLeft = false, rungUp = true;
  s.OnForm("frmCash", [&](QWidget &form) {
    ++shown;
    focusLeft = QTest::qWaitFor([&] { return main_->miGridFocus == 0; }, 2000);
    EXPECT_TRUE(main_->MSComm2->PortOpen());
    pty_.Send("8801043014809\r");
    QTest::qWait(200);
    rungUp = !Code(2).isEmpty();
    static_cast<QDialog &>(form).reject();
  });
  QTest::keyClick(main_->vaSpread1->table(), Qt::Key_Return);
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(focusLeft);
  EXPECT_FALSE(rungUp);
  QTest::qWait(150);
  EXPECT_EQ(Code(2), "");  // dropped, not kept for later
  EXPECT_EQ(main_->MSComm2->InBufferCount(), 0);

  // Back on the grid, the scanner rings up again.
  main_->activateWindow();
  main_->vaSpread1->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return main_->miGridFocus == 1; }, 2000));
  main_->vaSpread1->SetActiveCell(ColCode, 2);
  pty_.Send("8801043014809\r");
  EXPECT_TRUE(QTest::qWaitFor([&] { return Code(2) == "8801043014809"; }, 2000));
}

INSTANTIATE_TEST_SUITE_P(PortEventsOrTimer, ScanDuringModalTest, ::testing::Bool());
