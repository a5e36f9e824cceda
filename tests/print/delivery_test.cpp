// Delivery records, their list and its delete.
#include <QPushButton>

#include "core/values.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "print/delivery.h"
#include "print/frmDlvList.h"
#include "print_db.h"

using orv::Currency;
using orv::dialogs::Script;

namespace {

class Delivery : public printtest::PrintDb {
 protected:
  static DlvChitRec Rec(int day, int no, int pos = 1, int psn = 1) {
    DlvChitRec r;
    r.DlvYear = 2024;
    r.DlvMon = 12;
    r.DlvDay = int16_t(day);
    r.DlvDate = QStringLiteral("202412%1").arg(day, 2, 10, QLatin1Char('0'));
    r.DlvNo = no;
    r.DlvPosNo = pos;
    r.DlvPsnKey = Currency::Won(psn);
    r.DlvBdlKey = Currency::Won(1003);
    r.DlvCstKey = Currency::Won(3);
    r.DlvHab = Currency::Won(4800);
    r.DlvName = QStringLiteral("O'Neil[한빛]");
    r.DlvTele = "C1003";
    r.DlvPost = "123456";
    r.DlvJuso = QStringLiteral("서울시 중구");
    r.DlvWrtDate = "20241205";
    r.DlvWrtTime = "143005";
    r.DlvSss5 = 3;
    return r;
  }
};

TEST_P(Delivery, RecordsAreStoredAsTypedAndListedForThisCashierAndPos) {
  if (IsSkipped()) return;
  for (const DlvChitRec &r : {Rec(5, 123), Rec(5, 7), Rec(5, 8, 2), Rec(5, 9, 1, 2), Rec(4, 10)})
    orv::print::InsertDlvChitRow(r);
  EXPECT_TRUE(orv::print::DlvChitExists(Rec(5, 123)));
  EXPECT_FALSE(orv::print::DlvChitExists(Rec(6, 123)));
  auto rs = goDbMain.OpenRecordset("SELECT DlvName, DlvHab FROM DlvChit2412 WHERE DlvNo = 123");
  EXPECT_EQ(NzStr(rs.Field("DlvName")), QStringLiteral("O'Neil[한빛]"));  // bound, not escaped
  EXPECT_EQ(NzCur(rs.Field("DlvHab")), Currency::Won(4800));

  frmDlvList f;
  ASSERT_EQ(f.vaSpread1->MaxRows(), 2);
  EXPECT_EQ(f.vaSpread1->CellValue(1, 1), "2024.12.05");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 2), "000123");
  EXPECT_EQ(f.vaSpread1->CellValue(2, 2), "000007");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 4), QStringLiteral("김계산"));
  EXPECT_EQ(f.vaSpread1->CellValue(1, 5), "1003");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 7), "4800");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 8), "123-456");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 10), QStringLiteral("특별"));
  EXPECT_EQ(f.vaSpread1->CellValue(1, 17), "3");

  // No keeps it and the list; Yes deletes it and closes the list.
  f.vaSpread1->SetActiveCell(1, 1);
  {
    Script s;
    s.No();
    f.DlvDeltCmd->click();
    ASSERT_EQ(s.Texts().size(), 1);
    EXPECT_EQ(s.Texts()[0], QStringLiteral("* 배달전표(2024.12.05-123)를 삭제할까요 ?"));
  }
  EXPECT_EQ(Count("DlvChit2412"), 5);
  f.show();
  {
    Script s;
    s.Yes();
    f.DlvDeltCmd->click();
  }
  EXPECT_EQ(Count("DlvChit2412"), 4);
  EXPECT_FALSE(orv::print::DlvChitExists(Rec(5, 123)));
  EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST_P(Delivery, AFailingListShowsTheErrorAndStays) {
  if (IsSkipped()) return;
  Exec("DROP TABLE DlvChit2412");
  Script s;
  frmDlvList f;
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("배달 전표 조회"));
  EXPECT_TRUE(s.Log()[0].text.startsWith(QStringLiteral("오류번호 : ")));
  EXPECT_EQ(f.vaSpread1->MaxRows(), 0);
  f.DlvDeltCmd->click();  // nothing to delete, nothing asked
  EXPECT_EQ(s.Log().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, Delivery, ORV_BOTH_ENGINES);

}  // namespace
