#include <gtest/gtest.h>

#include <QDateEdit>

#include "chit/records.h"
#include "goods/frmTrsIODay.h"
#include "goods_fixture.h"
#include "platform/dialogs.h"
#include "platform/list_grid.h"
#include "schema/month_tables.h"

using namespace orv;
using goodstest::GoodsDb;

namespace {

Currency W(int v) { return Currency::Won(v); }

class TrsLedgerDb : public GoodsDb {
 protected:
  void SetUp() override {
    GoodsDb::SetUp();
    if (IsSkipped()) return;
    CreateTrsMastTable({}, 2412);
    Mast(0, 0, 0, 50000);  // carried over
    Mast(3, 2000, 1000, 500);  // a ledger day
    Exec("INSERT INTO TrsMast2412 (TmsYear, TmsMon, TmsTrsKey, TmsDay, TmsDate, TmsMech, TmsMcMisu) "
         "VALUES (2024, 12, 2002, 4, '20241204', 9999, 9999)");  // another partner
    Chit(1, 5, 30000, 10000, 1);
    Chit(2, 3, 7000, 0, 1);
    Chit(3, 6, 4000, 4000, 0);  // not sent
  }
  static void Mast(int day, int mech, int sugum = 0, int misu = 0) {
    Exec("INSERT INTO TrsMast2412 (TmsYear, TmsMon, TmsTrsKey, TmsDay, TmsDate, TmsMech, TmsMcdc, TmsMcsugum, "
         "TmsMcmisu) VALUES (2024, 12, 1002, ?, ?, ?, 0, ?, ?)",
         {day, QString("202412%1").arg(day, 2, 10, QChar('0')), mech, sugum, misu});
  }
  static void Chit(int no, int day, int hab, int oisang, int sent) {
    Exec("INSERT INTO PanChit2412 (PctYear, PctMon, PctDay, PctDate, PctChtNo, PctPosNo, PctPsnKey, PctTrsKey, "
         "PctHab, PctDc, PctOisang, PctJunsong) VALUES (2024, 12, ?, ?, ?, 1, 1, 1002, ?, 100, ?, ?)",
         {day, QString("202412%1").arg(day, 2, 10, QChar('0')), no, hab, oisang, sent});
  }
};

}  // namespace

TEST_P(TrsLedgerDb, LedgerRowsThenSentChitsByDate) {
  const auto rows = goods::ReadTrsLedger(2024, 12, W(1002));
  ASSERT_EQ(rows.size(), 4);
  EXPECT_EQ(rows[0].day, 0);
  EXPECT_EQ(rows[0].misu, W(50000));
  EXPECT_EQ(rows[1].day, 3);
  EXPECT_EQ(rows[1].mech, W(2000)) << "the ledger row before the chit of its day";
  EXPECT_EQ(rows[2].mech, W(7000));
  EXPECT_EQ(rows[3].mech, W(30000));
  EXPECT_EQ(rows[3].sugum, W(20000));
  EXPECT_EQ(rows[3].misu, W(10000));
  EXPECT_EQ(rows[3].mcdc, W(100));

  goDbMain.Execute("DROP TABLE PanChit2412");
  EXPECT_EQ(goods::ReadTrsLedger(2024, 12, W(1002)).size(), 2) << "no chit table: the ledger rows alone";
  EXPECT_TRUE(goods::ReadTrsLedger(2024, 11, W(1002)).isEmpty()) << "no ledger table";
  EXPECT_TRUE(goods::ReadTrsLedger(2024, 12, W(0)).isEmpty());
}

using TrsLedgerScreen = TrsLedgerDb;

TEST_P(TrsLedgerScreen, RunsFromCarriedOverToTotals) {
  gtCstCode.CcdTrsKey = W(1002);
  frmTrsIODay f;
  f.Load();
  ASSERT_EQ(f.vaSpread1->MaxRows(), 5);
  EXPECT_EQ(f.vaSpread1->CellValue(1, 1), "이      전");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 2), "");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 5), "50,000");
  EXPECT_EQ(f.vaSpread1->CellValue(2, 1), "2024.12.03");
  EXPECT_EQ(f.vaSpread1->CellValue(2, 5), "50,500");
  EXPECT_EQ(f.vaSpread1->CellValue(4, 4), "20,000");
  EXPECT_EQ(f.vaSpread1->CellValue(4, 5), "60,500");
  EXPECT_EQ(f.vaSpread1->CellValue(5, 1), "합      계");
  EXPECT_EQ(f.vaSpread1->CellValue(5, 2), "39,000");
  EXPECT_EQ(f.vaSpread1->CellValue(5, 5), "60,500");

  f.dtpWrkDate->setDate(QDate(2024, 11, 1));
  EXPECT_EQ(f.vaSpread1->MaxRows(), 5) << "a new month shows at 조회 only";
  f.cmdSerch_Click();
  EXPECT_EQ(f.vaSpread1->MaxRows(), 0);

  f.dtpWrkDate->setDate(QDate(2024, 12, 1));
  goDbMain.Execute("ALTER TABLE PanChit2412 RENAME TO Gone");
  goDbMain.Execute("CREATE TABLE PanChit2412 (PctDate text)");  // a broken table
  dialogs::Script s;
  f.cmdSerch_Click();
  EXPECT_EQ(f.vaSpread1->MaxRows(), 0);
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].title, "매출처 원장!!");
}

INSTANTIATE_TEST_SUITE_P(Engines, TrsLedgerDb, ORV_BOTH_ENGINES);
INSTANTIATE_TEST_SUITE_P(Sqlite, TrsLedgerScreen, ::testing::Values(orv::db::Engine::SQLite), orvtest::EngineName);
