// The delivery chit dialog: its chit list, marks, copies, printing and record.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "chit/records.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/settings_store.h"
#include "print/delivery.h"
#include "print/frmBaDalPrint.h"
#include "print_db.h"
#include "print_support.h"
#include "sale/sale_globals.h"

using orv::Currency;
using orv::dialogs::Script;
using printtest::Capture;

namespace {

namespace store = orv::settings_store;

class BaDal : public printtest::PrintDb {
 protected:
  void SetUp() override {
    PrintDb::SetUp();
    if (IsSkipped()) return;
    PlantShop();
    giSetPrint = 2;
    store::SaveSetting("giBadalPrintSu", "2");
    store::SaveSetting("giBadalPrintGds", "0");
  }
  static int RowOf(frmBaDalPrint &f, int chitNo) {
    for (int r = 1; r <= f.vaSpread1->MaxRows(); ++r)
      if (f.vaSpread1->CellValue(r, 4) == QString::number(chitNo)) return r;
    return 0;
  }
  static void Choose(frmBaDalPrint &f, int chitNo) {
    f.vaSpread1->SetActiveCell(1, RowOf(f, chitNo));
    f.ShowChitGoods();
  }
};

TEST_P(BaDal, ListsTheTwentyLatestChitsOfThisPosAndDay) {
  if (IsSkipped()) return;
  for (int i = 1; i <= 25; ++i) PlantSale(i, QStringLiteral("10%1").arg(i, 2, 10, QLatin1Char('0')) + "00");
  PlantSale(90, "235959", 2);
  Exec("UPDATE PanChit2412 SET PctCstKey = 0 WHERE PctChtNo = 25");
  frmBaDalPrint f;
  ASSERT_EQ(f.vaSpread1->MaxRows(), 20);
  EXPECT_EQ(f.vaSpread1->CellValue(1, 4), "25");
  EXPECT_EQ(f.vaSpread1->CellValue(20, 4), "6");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 1), "");  // no customer
  EXPECT_EQ(f.vaSpread1->CellValue(2, 1), QStringLiteral("홍길동"));
  EXPECT_EQ(f.vaSpread1->CellValue(2, 2), "4800");
  EXPECT_EQ(f.vaSpread1->CellValue(2, 3), "20241205");
  EXPECT_EQ(f.vaSpread1->CellValue(2, 16), "3");
  EXPECT_EQ(f.vaSpread1->CellValue(2, 18), "10:24:00");
  EXPECT_TRUE(f.vaSpread1->ColHidden(3));
  EXPECT_FALSE(f.vaSpread1->ColHidden(18));
  EXPECT_EQ(f.ChosenRow(), 0);
  EXPECT_EQ(giHelpRet, 0);
  // Nothing shown yet: the print keys do nothing.
  Capture cap;
  f.cmdOk->click();
  EXPECT_TRUE(cap.jobs.isEmpty());
}

TEST_P(BaDal, F8MarksLinesInGridOrderAndAnotherChitClearsThem) {
  if (IsSkipped()) return;
  PlantSale(57);
  PlantSale(58, "150000");
  Exec("UPDATE GdsCode SET GcdName = '아주 긴 상품명을 가진 사과' WHERE GcdKey = 11");
  frmBaDalPrint f;
  Choose(f, 57);
  ASSERT_EQ(f.vaSpread2->MaxRows(), 3);
  EXPECT_EQ(f.vaSpread2->CellValue(3, 5), "");  // 0.3 shows blank
  EXPECT_EQ(f.vaSpread2->CellValue(3, 6), "10,000");
  EXPECT_EQ(f.vaSpread2->CellValue(1, 8), "8801234567890");
  const QString line1 = QStringLiteral("아주 긴 상품명을 가") + " " + "1kg" + QString(13, ' ') + "   2";
  const QString line3 = QStringLiteral("돼지고기") + QString(12 + 16 + 4, ' ');
  auto f8 = [&](int row) {
    f.vaSpread2->SetActiveCell(1, row);
    QTest::keyClick(f.vaSpread2->table(), Qt::Key_F8);
  };
  f8(3);
  f8(1);
  EXPECT_EQ(gsBdlPrnText, line1 + "'" + line3);
  f8(3);
  EXPECT_EQ(gsBdlPrnText, line1);
  Choose(f, 58);
  EXPECT_EQ(gsBdlPrnText, "");
  EXPECT_EQ(f.vaSpread2->CellValue(1, 2), "");
}

TEST_P(BaDal, CopiesPromptStoresOneToThree) {
  if (IsSkipped()) return;
  store::SaveSetting("giBadalPrintSu", "");
  frmBaDalPrint f;
  EXPECT_EQ(f.PrtCountLbl->text(), "0");
  struct Case {
    std::optional<QString> typed;
    const char *stored;
  };
  const Case cases[] = {{QString("0"), "2"}, {QString(""), "2"}, {std::nullopt, "2"}, {QString("7"), "3"},
                        {QString("1"), "1"}};
  bool first = true;
  for (const Case &c : cases) {
    Script s;
    if (c.typed)
      s.Input(*c.typed);
    else
      s.InputCancel();
    QTest::keyClick(&f, Qt::Key_F1);
    ASSERT_EQ(s.Log().size(), 1);
    if (first) {
      EXPECT_EQ(s.Log()[0].defaultText, "2");
    }
    first = false;
    EXPECT_EQ(store::GetSetting("giBadalPrintSu"), c.stored);
    EXPECT_EQ(f.PrtCountLbl->text(), c.stored);
  }
  f.BdlGdsChk->setChecked(true);
  EXPECT_EQ(store::GetSetting("giBadalPrintGds"), "1");
}

TEST_P(BaDal, PrintingRecordsOnceKeepsTheScreenCustomerAndFailuresChangeNothing) {
  if (IsSkipped()) return;
  PlantSale(57);
  gtCstCode.CcdKey = Currency::Won(42);
  gtCstCode.CcdName = QStringLiteral("화면고객");
  {
    // No receipt printer: nothing prints, nothing is written, the dialog stays.
    giSetPrint = 0;
    frmBaDalPrint f;
    f.show();
    Choose(f, 57);
    Capture cap;
    QTest::keyClick(f.vaSpread1->table(), Qt::Key_F2);
    EXPECT_TRUE(cap.jobs.isEmpty());
    EXPECT_TRUE(f.isVisible());
    giSetPrint = 2;
    // A port failing: the error titled with the caption, no record, the dialog stays.
    Capture failing(1);
    Script s;
    f.cmdOk->click();
    ASSERT_EQ(s.Log().size(), 1);
    EXPECT_EQ(s.Log()[0].title, QStringLiteral("배달전표"));
    EXPECT_TRUE(s.Log()[0].text.startsWith(QStringLiteral("오류번호 : ")));
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(giHelpRet, 0);
    EXPECT_EQ(Count("DlvChit2412"), 0);
    EXPECT_EQ(gtCstCode.CcdName, QStringLiteral("화면고객"));
  }
  for (int i = 0; i < 2; ++i) {
    frmBaDalPrint f;
    f.show();
    Choose(f, 57);
    f.BdlGdsChk->setChecked(true);
    Capture cap;
    QTest::keyClick(f.vaSpread1->table(), Qt::Key_Return);
    ASSERT_EQ(cap.jobs.size(), 2);
    EXPECT_TRUE(cap.jobs[0].bytes.contains(printtest::Cp949(QStringLiteral("사과[1kg]"))));
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(giHelpRet, 1);
    EXPECT_EQ(gtCstCode.CcdKey, Currency::Won(42));
    EXPECT_EQ(gtCstCode.CcdName, QStringLiteral("화면고객"));
    giHelpRet = 0;
  }
  EXPECT_EQ(Count("DlvChit2412"), 1);
  auto rs = goDbMain.OpenRecordset("SELECT DlvCstKey, DlvName FROM DlvChit2412");
  EXPECT_EQ(NzCur(rs.Field("DlvCstKey")), Currency::Won(3));
  EXPECT_EQ(NzStr(rs.Field("DlvName")), QStringLiteral("홍길동[길동상회]"));
}

TEST_P(BaDal, TheDeliveryListClosesTheDialog) {
  if (IsSkipped()) return;
  frmBaDalPrint f;
  f.show();
  Script s;
  bool listed = false;
  s.OnForm("frmDlvList", [&](QWidget &w) {
    listed = true;
    static_cast<QDialog &>(w).reject();
  });
  f.DlvListCmd->click();
  EXPECT_TRUE(listed);
  EXPECT_FALSE(f.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Engines, BaDal, ORV_BOTH_ENGINES);

}  // namespace
