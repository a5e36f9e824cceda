#include <gtest/gtest.h>

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "chit/etc_chits.h"
#include "chit/records.h"
#include "core/pos_settings.h"
#include "goods/frmPanSerch.h"
#include "goods_fixture.h"
#include "platform/codepage.h"
#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/list_grid.h"
#include "platform/printer_port.h"

using namespace orv;
using goodstest::GoodsDb;

namespace {

Currency W(int v) { return Currency::Won(v); }

class PanSerchDb : public GoodsDb {
 protected:
  void SetUp() override {
    GoodsDb::SetUp();
    if (IsSkipped()) return;
    Exec("INSERT INTO PsnCode (PcdKey, PcdNo, PcdName) VALUES (11, 1, '김계산'), (12, 7, '이계산')");
    Exec("INSERT INTO GdsCode (GcdKey, GcdNo, GcdName, GcdKyg, GcdBarcode) VALUES "
         "(1, 101, '라면', '120g', '8801'), (2, 102, '두부', '', '')");
    // Chit 3: two lines, cash and card. Chit 12: a line whose goods item is gone, credit.
    Chit(3, 11, "093015", 3400, 2000, 1400, 0);
    Line(3, 1, 1, 3, 1000, 3000, 0);
    Line(3, 2, 2, 1, 500, 400, 1);
    Chit(12, 11, "101500", 1000, 0, 600, 400);
    Line(12, 1, 99, 1, 1000, 1000, 0);
    Chit(15, 12, "111500", 500, 500, 0, 0);  // another cashier
    Line(15, 1, 1, 1, 500, 500, 0);
    Chit(25, 11, "120000", 800, 800, 0, 0, 2);  // another POS
    Line(25, 1, 1, 1, 800, 800, 0);
  }
  static void Chit(int no, int psn, const char *time, int hab, int money, int card, int oisang, int pos = 1) {
    Exec("INSERT INTO PanChit2412 (PctYear, PctMon, PctDay, PctDate, PctChtNo, PctPosNo, PctPsnKey, PctTrsKey, "
         "PctHab, PctMoney, PctCard, PctOisang, PctCSobi, PctWrtTime, PctJunsong) VALUES (2024, 12, 5, '20241205', "
         "?, ?, ?, 88000, ?, ?, ?, ?, 0, ?, 1)",
         {no, pos, psn, hab, money, card, oisang, time});
  }
  static void Line(int no, int seq, int gds, int su, int danga, int gum, int tax) {
    Exec("INSERT INTO PanGods2412 (PcgYear, PcgMon, PcgDay, PcgDate, PcgChtNo, PcgSeqNo, PcgGdsKey, PcgSu, "
         "PcgDanga, PcgGum, PcgTax) VALUES (2024, 12, 5, '20241205', ?, ?, ?, ?, ?, ?, ?)",
         {no, seq, gds, su, danga, gum, tax});
  }
};

}  // namespace

TEST_P(PanSerchDb, ChitRowsThenTheirLinesCollapsedAndCredit) {
  auto rows = goods::ReadPanSerch("20241205", 1, W(11), false, false);
  ASSERT_EQ(rows.size(), 5);
  EXPECT_TRUE(rows[0].chit);
  EXPECT_EQ(rows[0].chitNo, W(3));
  EXPECT_EQ(rows[0].su, W(4));
  EXPECT_EQ(rows[0].gum, W(3400));
  EXPECT_EQ(rows[0].time, "093015");
  EXPECT_EQ(rows[0].card, W(2800)) << "header sums count once per line";
  EXPECT_EQ(rows[1].name, "라면");
  EXPECT_EQ(rows[1].kyg, "120g");
  EXPECT_EQ(rows[2].gcdNo, W(102));
  EXPECT_TRUE(rows[4].name.isEmpty()) << "a line without its goods row is still listed";
  EXPECT_EQ(rows[4].gum, W(1000));

  rows = goods::ReadPanSerch("20241205", 1, W(11), false, true);
  ASSERT_EQ(rows.size(), 2);
  rows = goods::ReadPanSerch("20241205", 1, W(11), true, false);
  ASSERT_EQ(rows.size(), 2) << "credit chits only";
  EXPECT_EQ(rows[0].chitNo, W(12));

  bool found = true;
  EXPECT_TRUE(goods::ReadPanSerch("20250105", 1, W(11), false, false, &found).isEmpty());
  EXPECT_FALSE(found);
}

using PanSerchScreen = PanSerchDb;

TEST_P(PanSerchScreen, ListTotalsModesAndFind) {
  gcPcdNo = W(1);
  frmPanSerch f;
  f.Load();
  f.show();
  QApplication::setActiveWindow(&f);
  EXPECT_EQ(f.lblSaName->text(), "김계산");
  ASSERT_EQ(f.vaSpread1->MaxRows(), 5);
  EXPECT_EQ(f.vaSpread1->CellValue(1, 4), "* 판매 시간 : 9:30:15");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 8), "현금카드");
  EXPECT_EQ(f.vaSpread1->Cell(1, 1).back, colors::Rgb(128, 255, 128));
  EXPECT_EQ(f.vaSpread1->CellValue(2, 4), "라면[120g]");
  EXPECT_EQ(f.vaSpread1->CellValue(3, 1), "102") << "no barcode: the goods number";
  EXPECT_EQ(f.vaSpread1->CellValue(4, 8), "카드외상");
  EXPECT_EQ(f.vaSpread1->Cell(4, 2).fore, colors::Rgb(255, 0, 255));
  EXPECT_EQ(f.lblSu->text(), "5");
  EXPECT_EQ(f.lblHab->text(), "4,400");
  EXPECT_EQ(f.lblNoTax->text(), "400");
  EXPECT_EQ(f.lblKong->text(), "3,637");
  EXPECT_EQ(f.lblTax->text(), "363");
  EXPECT_EQ(f.lblDC->text(), "100");

  // Enter on a line of chit 12 collapses and stays on chit 12; again expands.
  f.vaSpread1->view()->setFocus();  // the staff box loses the focus: a new listing
  f.vaSpread1->SetActiveCell(1, 5);
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_Return);
  ASSERT_EQ(f.vaSpread1->MaxRows(), 2);
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 2);
  EXPECT_EQ(f.lblHab->text(), "4,400") << "a collapsed list leaves the totals";
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_Return);
  EXPECT_EQ(f.vaSpread1->MaxRows(), 5);
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 4);

  dialogs::Script s;
  s.Input("2").InputCancel();
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_F5);
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 4) << "12 holds the digit 2";
  f.vaSpread1->SetActiveCell(1, 1);
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_F5);
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 1);
  EXPECT_EQ(s.Log()[0].text, "찾을 전표번호를 입력하세요");
  EXPECT_EQ(s.Log()[0].title, "전표찾기!!");
  EXPECT_EQ(s.Log()[0].defaultText, "1");

  // Another staff number lists that cashier; an unknown one keeps the cashier.
  f.txtSaNo->setText("007");
  f.StaffLookup();
  EXPECT_EQ(f.txtSaNo->text(), "7");
  EXPECT_EQ(f.vaSpread1->MaxRows(), 2);
  f.txtSaNo->setText("99");
  f.StaffLookup();
  EXPECT_EQ(f.lblSaName->text(), "이계산");
  EXPECT_EQ(f.txtSaNo->text(), "99");

  // A month without tables lists nothing new; 외상 lists credit chits.
  f.txtSaNo->setText("1");
  f.StaffLookup();
  f.dtpDate->setDate(QDate(2025, 1, 5));
  EXPECT_EQ(f.vaSpread1->MaxRows(), 5);
  f.dtpDate->setDate(QDate(2024, 12, 5));
  f.PanSelt1Opt->setChecked(true);
  EXPECT_EQ(f.vaSpread1->MaxRows(), 2);
  EXPECT_EQ(f.lblHab->text(), "1,000");
}

TEST_P(PanSerchScreen, ReprintPrintsWithTheBannerAndKeepsTheRecords) {
  gcPcdNo = W(1);
  gsSetPrnPort = "COM1";
  giSetPrint = 1;
  QList<QByteArray> jobs;
  printer_port::SetCaptureSink([&](printer_port::Kind, const QString &, const QByteArray &b) { jobs << b; });
  Exec("INSERT INTO ComCode (ComNo, ComName, ComPrtName) VALUES (1, '한빛마트', '한빛마트')");
  gtCstCode.CcdKey = W(5);
  gtCstCode.CcdName = "단골";
  gtWatChit.ChtNo = 9;
  frmPanSerch f;
  f.Load();

  dialogs::Script s;
  f.Reprint();  // offline
  EXPECT_EQ(s.Texts(), QStringList({"온라인 상태에서만 출력이 가능합니다."}));
  EXPECT_TRUE(jobs.isEmpty());

  giOnLine = 1;
  f.vaSpread1->SetActiveCell(1, 2);
  f.Reprint();
  ASSERT_FALSE(jobs.isEmpty());
  EXPECT_TRUE(codepage::Decode(jobs.join()).contains("[재 발 행 영 수 증]")) << codepage::Decode(jobs.join()).toStdString();
  EXPECT_EQ(gtCstCode.CcdKey, W(5));
  EXPECT_EQ(gtCstCode.CcdName, "단골");
  EXPECT_EQ(gtWatChit.ChtNo, 9);

  // Nothing listed: F4 does nothing.
  jobs.clear();
  f.PanSelt1Opt->setChecked(true);
  f.txtSaNo->setText("7");
  f.StaffLookup();
  ASSERT_EQ(f.vaSpread1->MaxRows(), 0);
  f.Reprint();
  EXPECT_TRUE(jobs.isEmpty());
  printer_port::SetCaptureSink({});
}

INSTANTIATE_TEST_SUITE_P(Engines, PanSerchDb, ORV_BOTH_ENGINES);
INSTANTIATE_TEST_SUITE_P(Sqlite, PanSerchScreen, ::testing::Values(orv::db::Engine::SQLite), orvtest::EngineName);
