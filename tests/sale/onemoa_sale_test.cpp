#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "../customer/onemoa_sim.h"
#include "checkout/checkout_globals.h"
#include "checkout/frmCash.h"
#include "checkout/frmPrintOnOff.h"
#include "chit/records.h"
#include "core/dates.h"
#include "customer/onemoa.h"
#include "platform/codepage.h"
#include "platform/datafolder.h"
#include "platform/grid.h"
#include "sale/goods_lookup.h"
#include "sale_screen_fixture.h"

using saletest::SaleScreenTest;
namespace dialogs = orv::dialogs;

namespace {

class OneMoaSaleTest : public SaleScreenTest {
 protected:
  void Open() {
    // A screen closed by an earlier test asked the application to quit, which ends every
    // local event loop (the HTTP wait among them) at once; a run of exec() takes that back.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    Login();
    ASSERT_NE(main_, nullptr);
    ASSERT_TRUE(sim_.Start());
    goDbMain.Execute("UPDATE SleDate SET SldSaleSel = 9");  // list prices
    // The demo shop's OneMoa goods: 8801043014809.
    ASSERT_EQ(GetOmaGods("8801043014809"), "8801043014809");
    gsOneMoaClientCode = "C1";
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
  void Pay(dialogs::Script &s) {
    s.OnForm("frmPrintOnOff", [](QWidget &w) { static_cast<frmPrintOnOff &>(w).ChoosePrintOff(); });
    s.OnForm("frmCash", [](QWidget &w) {
      auto &f = static_cast<frmCash &>(w);
      QApplication::processEvents();
      f.txtPayGum->setFocus();
      f.txtPayGum->selectAll();
      QTest::keyClicks(f.txtPayGum, "1000");
      f.cmdSave->click();
      QApplication::processEvents();
    });
    Press(Qt::Key_Return);
  }

  customertest::OneMoaSim sim_;
};

}  // namespace

TEST_F(OneMoaSaleTest, AMemberSaleIsReportedAndMarked) {
  Open();
  main_->ReadCstOneMoa("010-1111-2222");
  main_->ShowOneMoaNo();
  EXPECT_EQ(main_->OneMoaNoLbl->text(), "100000000****");
  EXPECT_EQ(main_->OneMoaNameLbl->text(), "홍길동");
  EXPECT_EQ(main_->OneMoaPointLbl->text(), "3,500");
  dialogs::Script s;
  s.ExpectAllUsed(false);
  Enter("8801043014809");
  Pay(s);
  ASSERT_EQ(giCashSaved, 1);
  const QStringList req = sim_.Requests();
  ASSERT_EQ(req.size(), 4) << req.join('\n').toStdString();
  EXPECT_TRUE(req[1].startsWith("/ONE/C100.mart?mode=proc_pos_sells&salecode=C1"
                                "&personcode=1000000000017&totalamount=900&buypoint=0"));
  EXPECT_TRUE(req[2].contains("&productcode=8801043014809&productname=%EC%8B%A0%EB%9D%BC%EB%A9%B4%5B120g%5D"
                              "&price=900&qty=1&"))
      << req[2].toStdString();
  EXPECT_TRUE(req[3].contains("person_num=1000000000017")) << req[3].toStdString();
  const QString yymm = FmtYyMm(giWrkYear, giWrkMonth);
  const QString no = orv::settings_store::GetSetting("goSetBFChtNo");
  auto rs = goDbMain.OpenRecordset("SELECT PctSss1 FROM PanChit" + yymm + " WHERE PctChtNo=" + no);
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Field(0).toInt(), 1);
  auto list = goDbMain.OpenRecordset("SELECT PclSss3, PclSss4 FROM PanList" + yymm +
                                     " WHERE PclChtNo=" + no);
  EXPECT_EQ(list.Field(0).toInt(), 1000000);
  EXPECT_EQ(list.Field(1).toInt(), 17);
  EXPECT_EQ(goDbPos.OpenRecordset("SELECT PctSss1 FROM PanChitT" + yymm + " WHERE PctSss1<>0")
                .Field(0)
                .toInt(),
            1);
}

// A lookup that finds nobody leaves no member behind: the next sale is nobody's.
TEST_F(OneMoaSaleTest, AFailedLookupForgetsThePreviousMember) {
  Open();
  main_->ReadCstOneMoa("010-1111-2222");
  ASSERT_EQ(gsOneMoaPersonCode, "1000000000017");
  main_->ReadCstOneMoa("9410-1234-5678-0000");
  EXPECT_EQ(gsOneMoaFindKey, "9410-1234-5678-0000");
  EXPECT_EQ(gsOneMoaPersonCode, "");
  EXPECT_EQ(gsOneMoaPersonName, "");
  EXPECT_EQ(gcOneMoaUsingPoint, orv::Currency());
  EXPECT_EQ(giOneMoaCardKey, 1);
  main_->ReadCstOneMoa("010-1111-2222");
  sim_.Queue("html");
  main_->ReadCstOneMoa("010-1111-2222");
  EXPECT_EQ(gsOneMoaPersonCode, "");
  main_->ShowOneMoaNo();
  EXPECT_EQ(main_->OneMoaPointLbl->text(), "");

  // No member: the sale goes nowhere.
  dialogs::Script s;
  s.ExpectAllUsed(false);
  Enter("8801043014809");
  Pay(s);
  ASSERT_EQ(giCashSaved, 1);
  EXPECT_EQ(sim_.Requests().size(), 4);
}

// A replaced credit chit goes back under the member it was reported with, each saved line
// with the goods it was sold as and its quantity negated, one second before the new sale
// (01:00:00 gives 24:59:59); a local customer's chit never reported (thirteen zeros) sends
// nothing.
TEST_F(OneMoaSaleTest, TheReplacedCreditChitIsCancelledAsItWasReported) {
  Open();
  gsOneMoaSaleCode = "1000000000017";
  gtOneMoaChit = {};
  gtOneMoaChit.PctChtNo = 41;
  gtOneMoaChit.PctHab = orv::Currency::Won(1800);
  gtOneMoaGods = {};
  gtOneMoaGods[3].PcgGdsKey = orv::Currency::Won(1);
  gtOneMoaGods[3].PcgSss1 = 1;
  gtOneMoaGods[3].PcgDanga = orv::Currency::Won(900);
  gtOneMoaGods[3].PcgSu = orv::Currency::Won(2);
  gtOneMoaGods[4].PcgGdsKey = orv::Currency::Won(1);  // no OneMoa goods: not sent
  gtPanChit.PctDate = "20240105";
  gtPanChit.PctWrttime = "010000";
  gsOneMoaGdsCode[3] = "another barcode";
  EXPECT_TRUE(main_->DeleteOneMoaChit({}));
  const QStringList req = sim_.Requests();
  ASSERT_EQ(req.size(), 2) << req.join('\n').toStdString();
  EXPECT_TRUE(req[0].contains("&personcode=1000000000017&totalamount=-1800&buypoint=0"
                              "&buy_datetime=2024-01-05%2024:59:59&usepoint=0&"))
      << req[0].toStdString();
  EXPECT_TRUE(req[1].contains("&productcode=8801043014809&productname=%EC%8B%A0%EB%9D%BC%EB%A9%B4"
                              "&price=900&qty=-2&"))
      << req[1].toStdString();
  QFile log(orv::datafolder::Path("OrvBackup/OneMoaError20240105.Txt"));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  EXPECT_TRUE(orv::codepage::Decode(log.readAll()).contains("O,20240105,245959,41,DeleteGods-3:신라면,"));

  gsOneMoaSaleCode = "0000000000000";
  EXPECT_TRUE(main_->DeleteOneMoaChit({}));
  EXPECT_EQ(sim_.Requests().size(), 2);
}
