#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "chit/records.h"
#include "goods/frmGdsCode.h"
#include "goods_fixture.h"
#include "platform/colors.h"
#include "platform/serial_port.h"
#include "pseudo_terminal.h"

using namespace orv;
using goodstest::GoodsDb;

namespace {

constexpr int kCom = 41;

class PriceCheck : public GoodsDb {
 protected:
  void SetUp() override {
    GoodsDb::SetUp();
    auto goods = [](int key, const char *barcode, const char *name, int mech, int sel, const char *w1,
                    const char *w2) {
      Exec("INSERT INTO GdsCode (GcdKey, GcdNo, GcdName, GcdKyg, GcdBarcode, GcdMech, GcdMech2, GcdSalega, "
           "GcdSaleSel, GcdStdtsale, GcdEddtsale, GcdSttmsale1, GcdEdtmsale1, GcdSttmsale2, GcdEdtmsale2, "
           "GcdSttmsale3, GcdEdtmsale3) VALUES (?, ?, ?, '1kg', ?, ?, 0, 1000, ?, '20241201', '20241231', ?, ?, "
           "'0', '0', '0', '0')",
           {key, key, name, barcode, mech, sel, w1, w2});
    };
    goods(1, "01234567", "단팥빵", 1500, 1, "0", "0");
    goods(2, "01234599", "크림빵", 1600, 0, "0", "0");
    goods(3, "0088012345678", "모닝빵", 2000, 1, "1100", "1200");
    goods(4, "8801234567890", "우유", 0, 0, "0", "0");
  }
  static QString Back(QWidget *w) { return w->styleSheet(); }
};

}  // namespace

TEST_P(PriceCheck, LookupsCompleteShortCodesAndFailuresFindNothing) {
  struct {
    const char *code;
    int key;
  } cases[] = {{"123456\r", 1}, {"012345", 1}, {"0123459", 2}, {"1234567", 1}, {"880-1234-5678", 3},
               {"88012345678901", 4}, {"1234568", 0}, {"880123456789", 0}, {"", 0}};
  for (const auto &c : cases) {
    LookUpCheckCode(c.code);
    EXPECT_EQ(gtGdsCode.GcdKey, Currency::Won(c.key)) << c.code;
  }
  LookUpCheckCode("1234567");
  goDbMain.Execute("DROP TABLE GdsCode");
  LookUpCheckCode("1234567");
  EXPECT_TRUE(gtGdsCode.GcdKey.IsZero()) << "a failing statement leaves the record cleared";
}

TEST_P(PriceCheck, ScannerPiecesMakeOneCodeAndAFailedLookupShowsNothing) {
  orvtest::Pty pty(kCom);
  ASSERT_TRUE(pty.Ok());
  giScanPort = kCom;
  gsScanSettings = "9600,N,8,1";
  frmGdsCode f;
  f.show();
  EXPECT_TRUE(f.MSComm1->PortOpen());
  EXPECT_TRUE(f.lblPortState->text().isEmpty());
  f.tmrScan->stop();  // ticks run by hand

  auto tick = [&](const QByteArray &bytes) {
    if (!bytes.isEmpty()) {
      pty.Send(bytes);
      EXPECT_TRUE(QTest::qWaitFor([&] { return f.MSComm1->InBufferCount() >= bytes.size(); }, 2000));
    }
    f.tmrScan_Timer();
  };
  tick("12345");
  EXPECT_TRUE(f.GdsNameTxt->text().isEmpty()) << "half a code waits";
  tick("67\r");
  EXPECT_EQ(f.GdsNameTxt->text(), "단팥빵");
  EXPECT_EQ(f.GdsMechTxt->text(), "1,500");
  EXPECT_EQ(f.GdsMech2Txt->text(), "") << "0 shows empty";
  EXPECT_EQ(f.txtSaleDate->text(), "2024.12.01~2024.12.31");
  EXPECT_TRUE(f.Timer1->isActive()) << "all-day event in force";
  EXPECT_TRUE(Back(f.txtSaleDate).contains("#ff0000"));

  // Part of a code, then a quiet tick: a complete code. 모닝빵's window is 11:00-12:00.
  tick("88012345678");
  tick("");
  EXPECT_EQ(f.GdsNameTxt->text(), "모닝빵");
  EXPECT_FALSE(f.Timer1->isActive());
  EXPECT_TRUE(f.lblHalIN->isVisible());
  EXPECT_TRUE(Back(f.lblHalIN).contains("#ffffc0"));

  // Nothing found: the screen stays as it was; a failing statement says nothing.
  tick("999\r");
  EXPECT_EQ(f.GdsNameTxt->text(), "모닝빵");
  goDbMain.Execute("DROP TABLE GdsCode");
  tick("1234567\r");
  EXPECT_EQ(f.GdsNameTxt->text(), "모닝빵");

  f.reject();
  EXPECT_FALSE(f.MSComm1->PortOpen());
}

TEST_P(PriceCheck, TypedCodeIsTakenAtTheNextTickAndAPortThatFailsIsNamed) {
  giScanPort = 43;  // no such device
  gsScanSettings = "9600,N,8,1";
  frmGdsCode f;
  f.show();
  QApplication::setActiveWindow(&f);
  EXPECT_FALSE(f.lblPortState->text().isEmpty());
  f.tmrScan->stop();
  f.GdsBarcdTxt->setFocus();
  QTest::keyClicks(f.GdsBarcdTxt, "1234567");
  QTest::keyClick(f.GdsBarcdTxt, Qt::Key_Return);
  EXPECT_TRUE(f.GdsNameTxt->text().isEmpty());
  f.tmrScan_Timer();
  EXPECT_EQ(f.GdsNameTxt->text(), "단팥빵");
  EXPECT_TRUE(f.tmrScan->isActive()) << "re-armed at the tick's end";
  QTest::keyClick(f.GdsBarcdTxt, Qt::Key_Escape);
  EXPECT_FALSE(f.isVisible());
  EXPECT_FALSE(f.tmrScan->isActive());
}

INSTANTIATE_TEST_SUITE_P(Sqlite, PriceCheck, ::testing::Values(orv::db::Engine::SQLite), orvtest::EngineName);
