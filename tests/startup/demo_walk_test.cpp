// The demo shop walked through the real screens after the demo login: what a newcomer
// tries first must work on the rows the demo ships.
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "checkout/frmOiReturn.h"
#include "checkout/frmOisang.h"
#include "checkout/frmWait.h"
#include "chit/records.h"
#include "closing/frmTerminate.h"
#include "core/globals.h"
#include "goods/frmGdsNew.h"
#include "goods/frmHabGum.h"
#include "goods/frmTrsIODay.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/list_grid.h"
#include "sale/frmMain.h"
#include "sale/sale_dialogs.h"
#include "login_fixture.h"
#include "sale_keys.h"

using namespace orv;
using dialogs::Script;

namespace {

class DemoWalkTest : public orvtest::LoginTest {
 protected:
  void SetUp() override {
    LoginTest::SetUp();
    MakeDemo();
    auto f = Load();
    Login(*f, "1", "1234");
    m = qobject_cast<frmMain *>(mainWindow_);
    ASSERT_NE(m, nullptr);
    m->show();
    m->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m));
    m->vaSpread1->setFocus();
    m->vaSpread1->SetActiveCell(ColCode, 1);
  }
  QWidget *Focus() { return orvtest::SaleFocus(m); }
  void Press(Qt::Key key) { orvtest::SalePress(m, key); }
  void Type(const QString &s) { orvtest::SaleType(m, s); }
  void Enter(const QString &code) { orvtest::SaleEnter(m, code); }
  QString Cell(int row, int col) const { return m->vaSpread1->CellValue(row, col).trimmed(); }
  static int Rows(db::Connection &c, const QString &sql) { return c.OpenRecordset(sql).RecordCount(); }
  static QString YyMm() { return QString::number(giWrkYear % 100 * 100 + giWrkMonth).rightJustified(4, '0'); }

  frmMain *m = nullptr;
};

TEST_F(DemoWalkTest, ScaleOpenPriceAndHotKeyCodesBecomePricedLines) {
  Script s;
  s.OnForm("frmGdsSelect", [](QWidget &f) { static_cast<frmGdsSelect &>(f).GdsNameCmd_Click(2); });
  struct Case {
    QString typed;  // Enter follows unless it is a single hot-key letter
    QString gdsKey;
    QString price;  // "" where the list price is not the point
  } cases[] = {
      {"2100001128005", "25", "12800"},  // narrow scale code: 삼겹살, amount 12,800
      {"2200020159001", "26", "15900"},  // wide scale code: 불고기
      {"21-1-8450", "25", "8450"},       // typed with dashes
      {"8800000035000", "28", "3500"},   // the open-price goods of 8800000…
      {"w", "7", ""},                    // hot key w: 새우깡
      {"q", "29", ""},                   // hot key q, a pack: its button 2 is the five-pack
      {"1013", "3", ""},                 // the hot key's number: 코카콜라
  };
  int row = 1;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    if (c.typed.size() == 1)
      Type(c.typed);
    else
      Enter(c.typed);
    EXPECT_EQ(Cell(row, ColGdsKey), c.gdsKey);
    if (!c.price.isEmpty()) {
      EXPECT_EQ(Cell(row, ColPrice), c.price);
    }
    ++row;
  }
  EXPECT_EQ(s.Log().size(), 1);  // the pack chooser, nothing else
}

TEST_F(DemoWalkTest, PgDnOnAnEmptyGridListsTheHeldSalesAndEnterRecallsOne) {
  Script s;
  QStringList listed;
  s.OnForm("frmWait", [&](QWidget &w) {
    auto &f = static_cast<checkout::frmWait &>(w);
    for (int r = 1; r <= f.vaSpread1->MaxRows(); ++r)
      listed << f.vaSpread1->CellValue(r, 1) + " " + f.vaSpread1->CellValue(r, 5) + " " +
                    f.vaSpread1->CellValue(r, 6);
    f.vaSpread1->table()->setFocus();
    QTest::keyClick(f.vaSpread1->table(), Qt::Key_Return);  // the newest, 11:05
  });
  Press(Qt::Key_PageDown);
  EXPECT_EQ(listed, QStringList({QStringLiteral("11:05:03  계란 30구 특란 외"),
                                 QStringLiteral("10:12:30 홍길동 초코파이 12개입 외")}));
  EXPECT_EQ(Cell(1, ColGdsKey), "3");
  EXPECT_EQ(Cell(2, ColGdsKey), "11");
  EXPECT_EQ(m->lblHabGum->text(), "12,500");
  EXPECT_TRUE(s.Texts().isEmpty()) << s.Texts().join(" | ").toStdString();
}

TEST_F(DemoWalkTest, AHeldSalesDeliveryChitPrintsAndIsRecordedInTheMainDatabase) {
  Script s;
  s.OnForm("frmWait", [&](QWidget &w) {
    auto &f = static_cast<checkout::frmWait &>(w);
    QTest::keyClick(f.vaSpread1->table(), Qt::Key_F4);  // down to the lines
    QTest::keyClick(f.vaSpread2->table(), Qt::Key_F8);  // the first line marked
    QTest::keyClick(f.vaSpread2->table(), Qt::Key_Return);
  });
  Press(Qt::Key_PageDown);
  EXPECT_EQ(Rows(goDbMain, "Select * From DlvChit" + YyMm()), 1);
  EXPECT_GT(QFileInfo(dir_->filePath("LPT1.prn")).size(), 0);
  EXPECT_EQ(Cell(1, ColGdsKey), "");  // printed, not recalled
  EXPECT_TRUE(s.Texts().isEmpty()) << s.Texts().join(" | ").toStdString();
}

TEST_F(DemoWalkTest, CreditListAndThePartnersCollectionWithItsFigures) {
  Script s;
  QStringList credit;
  s.OnForm("frmOisang", [&](QWidget &w) {
    auto &f = static_cast<checkout::frmOisang &>(w);
    for (int r = 1; r <= f.vaSpread1->MaxRows(); ++r)
      credit << f.vaSpread1->CellValue(r, 1) + " " + f.vaSpread1->CellValue(r, 4) +
                    (f.vaSpread1->table()->item(r - 1, 0)->foreground().color() == QColor(255, 192, 128)
                         ? " card"
                         : "");
    f.reject();
  });
  Enter("3000");
  EXPECT_EQ(credit, QStringList({"111510 27800 card", "93010 32900"}));

  // The member's card brings his partner along; 5000 then goes straight to its collection.
  Enter("2900000010064");
  EXPECT_EQ(gtCstCode.CcdName, QStringLiteral("최사장"));
  EXPECT_EQ(m->txtTrsNo->text(), "1002");
  QStringList figures;
  s.OnForm("frmOiReturn", [&](QWidget &w) {
    auto &f = static_cast<checkout::frmOiReturn &>(w);
    figures << f.windowTitle() << f.lblTsName->text() << f.txtBefore->text() << f.txtNow->text()
            << f.txtOiHab->text() << f.txtResent->text();
    QTest::keyClicks(f.txtOiIpgum, "20000");
    QTest::keyClick(f.txtOiIpgum, Qt::Key_Return);
  });
  Enter("5000");
  EXPECT_EQ(figures, QStringList({QStringLiteral("외매회수"), QStringLiteral("중앙식당"), "100,000",
                                  "50,700", "30,000", "120,700"}));
  const QString yymm = YyMm();
  EXPECT_EQ(Rows(goDbMain, "Select * From PanChit" + yymm + " Where PctSss2 = 9"), 2);
  // The demo's own open collection of the day, and this one.
  EXPECT_EQ(Rows(goDbPos, "Select * From PanChitT" + yymm + " Where PctSss2 = 9"), 2);
  // A collection earns points here: 20 for 20,000 won.
  db::Recordset cst = goDbMain.OpenRecordset("Select ccdJumsu From CstCode Where ccdKey = 6");
  EXPECT_EQ(NzCur(cst.Field("ccdJumsu")), Currency::Won(1220));
  EXPECT_EQ(m->txtTrsNo->text(), "88000");
  EXPECT_TRUE(s.Texts().isEmpty()) << s.Texts().join(" | ").toStdString();
}

TEST_F(DemoWalkTest, TheClosingScreenShowsTheDayAndTheResetClosesIt) {
  Script s;
  QStringList seen;
  s.OnForm("frmTerminate", [&](QWidget &w) {
    auto &f = static_cast<closing::frmTerminate &>(w);
    f.Form_Activate();
    seen << f.txtInitGum->text() << f.txtMidGum->text() << f.txtPctHab->text()
         << f.txtOiReturn->text() << f.lblLoad->text();
    EXPECT_GT(f.vaSpread1->MaxRows(), 0);
    {
      Script reset;
      reset.Yes().Input("1234");
      f.cmdDelete_Click();
      EXPECT_TRUE(reset.Texts().size() == 1) << reset.Texts().join(" | ").toStdString();
    }
    seen << f.txtInitGum->text() << f.txtPctHab->text() << QString::number(f.vaSpread1->MaxRows());
    f.reject();
  });
  m->cmdTerMinate->click();
  EXPECT_EQ(seen, QStringList({"100,000", "50,000", "135,400", "20,000", "O", "0", "0", "0"}));
  EXPECT_EQ(Rows(goDbPos, "Select * From WatChitT"), 0);
  EXPECT_EQ(Rows(goDbMain, "Select * From TemData"), 1);
  EXPECT_EQ(Rows(goDbPos, "Select * From TemData"), 0) << "sent at once when online";
}

}  // namespace

TEST_F(DemoWalkTest, AnUnknownCodeIsRegisteredAndSellsAndTheInquiriesShowTheDemoRows) {
  Script s;
  QString number;
  s.OnForm("frmGdsNew", [&](QWidget &w) {
    auto &f = static_cast<frmGdsNew &>(w);
    EXPECT_EQ(f.txtGcdBarCode->text(), "8809990000012");
    f.txtGcdName->setText(QStringLiteral("보리차"));
    f.txtGcdKyg->setText("1L");
    f.txtGcdMeip->setText("1200");
    f.txtGcdDanga->setText("1800");
    EXPECT_TRUE(f.cmdSave_Click());
    number = f.txtGcdNo1->text() + " " + f.txtGcdNo2->text() + " " + f.txtGcdNo3->text();
  });
  Enter("8809990000012");
  EXPECT_EQ(number, "99 99 5") << "099 099 0005, after the demo's 0001-0004 and 0006";
  Enter("8809990000012");
  EXPECT_EQ(Cell(1, ColPrice), "1800") << "the code now sells";

  // 합계금액: both cashiers of the day; 원장보기 of 최사장's partner from the carried-over row.
  QStringList names;
  s.OnForm("frmHabGum", [&](QWidget &w) {
    auto &f = static_cast<frmHabGum &>(w);
    for (int r = 1; r <= f.vaSpread1->MaxRows(); ++r) names << f.vaSpread1->CellValue(r, 2);
    f.reject();
  });
  m->Command4->click();
  EXPECT_TRUE(names.contains(QStringLiteral("김계산")) && names.contains(QStringLiteral("박계산")))
      << names.join(",").toStdString();

  Enter("2900000010064");
  QStringList ledger;
  s.OnForm("frmTrsIODay", [&](QWidget &w) {
    auto &f = static_cast<frmTrsIODay &>(w);
    for (int r = 1; r <= f.vaSpread1->MaxRows(); ++r) ledger << f.vaSpread1->CellValue(r, 1);
    if (f.vaSpread1->MaxRows() > 0) ledger << f.vaSpread1->CellValue(1, 5);
    f.reject();
  });
  m->cmdTrsMast->click();
  ASSERT_GE(ledger.size(), 3);
  EXPECT_EQ(ledger.first(), QStringLiteral("이      전"));
  EXPECT_EQ(ledger.last(), "80,000");
  EXPECT_EQ(ledger[ledger.size() - 2], QStringLiteral("합      계"));
}
