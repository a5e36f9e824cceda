#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

#include "chit/records.h"
#include "chit/screen_chit.h"
#include "core/helpers.h"
#include "core/values.h"
#include "platform/grid.h"
#include "sale/goods_lookup.h"
#include "sale_screen_fixture.h"
#include "schema/tables.h"

using namespace orv;
using dialogs::Script;
using saletest::SaleScreenTest;

namespace {

class ScreenChitTest : public SaleScreenTest {
 protected:
  void SetUp() override {
    SaleScreenTest::SetUp();
    if (HasFatalFailure()) return;
    Login();
    if (HasFatalFailure()) return;
    goDbMain.Execute("UPDATE SleDate SET SldSaleSel = 9");
    main_->txtPosNo->setText("3");
    for (const char *code : {"8801043014809", "8801045051123", "8801094013007"}) {
      ASSERT_GT(FindGdsByBarcode(code), 0);
      ASSERT_TRUE(main_->PutGdsRow(main_->FirstFreeRow(), {}));
    }
    main_->CalcChitSum(1);
    SetCellText(main_->vaSpread1, 2, ColDc, "100");
    main_->lblKongSum->setText("9,091");
    main_->lblBugaSum->setText("909");
  }
  static int Rows(const QString &sql) { return goDbPos.OpenRecordset(sql).RecordCount(); }

  void ExpectSaved() {
    db::Recordset h = goDbPos.OpenRecordset("SELECT * FROM PanChitP");
    ASSERT_EQ(h.RecordCount(), 1);
    EXPECT_EQ(NzStr(h.Field("PctDate")), "20241211");
    EXPECT_EQ(NzCur(h.Field("PctChtNo")).RoundToInt(), 90503);
    EXPECT_EQ(NzCur(h.Field("PctPosNo")).RoundToInt(), 3);
    EXPECT_EQ(NzCur(h.Field("PctTax")).RoundToInt(), 909);
    EXPECT_EQ(NzCur(h.Field("PctGum")).RoundToInt(), 9091);
    EXPECT_EQ(NzCur(h.Field("PctBuga")).RoundToInt(), 10000);
    db::Recordset l = goDbPos.OpenRecordset(
        "SELECT PcgSeqNo, PcgChtNo, PcgDc, PcgTax, PcgGdsKey FROM PanGodsP ORDER BY PcgSeqNo");
    ASSERT_EQ(l.RecordCount(), 3);
    for (int seq = 1; seq <= 3; ++seq, l.MoveNext()) {
      EXPECT_EQ(NzCur(l.Field("PcgSeqNo")).RoundToInt(), seq);
      EXPECT_EQ(NzCur(l.Field("PcgChtNo")).RoundToInt(), 90503);
      EXPECT_EQ(NzCur(l.Field("PcgDc")).RoundToInt(), seq == 2 ? 100 : 0);
      EXPECT_EQ(NzCur(l.Field("PcgTax")).RoundToInt(), seq == 2 ? 1 : 0);
    }
  }
};

}  // namespace

TEST_F(ScreenChitTest, StoresHeaderAndGoodsLines) {
  main_->SaveScreenChit("20241211", "090503");
  ExpectSaved();
  EXPECT_TRUE(InsPanGodsP(1).startsWith("Insert into PanGodsP(PcgYear, PcgMon"));
  EXPECT_TRUE(InsPanChitP().contains("'20241211'"));
}

TEST_F(ScreenChitTest, FailingLineKeepsNothing) {
  // Line 2's key is taken: the header and line 1 are undone with it.
  goDbPos.Execute("INSERT INTO PanGodsP (PcgYear, PcgMon, PcgDay, PcgDate, PcgChtNo, PcgSeqNo, "
                  "PcgGdsKey) VALUES (2024, 12, 11, '20241211', 90503, 2, 1)");
  EXPECT_THROW(main_->SaveScreenChit("20241211", "090503"), db::DbError);
  EXPECT_EQ(Rows("SELECT * FROM PanChitP"), 0);
  EXPECT_EQ(Rows("SELECT * FROM PanGodsP"), 1);
  // A second print in the same second fails on the header.
  goDbPos.Execute("DELETE FROM PanGodsP");
  main_->SaveScreenChit("20241211", "090503");
  EXPECT_THROW(main_->SaveScreenChit("20241211", "090503"), db::DbError);
  ExpectSaved();
}

TEST_F(ScreenChitTest, StoresOnPostgres) {
  ORV_REQUIRE_PG();
  goDbPos.Open(orvtest::NewPgDatabase());
  schema::CreateTable(goDbPos, "PanChitP");
  schema::CreateTable(goDbPos, "PanGodsP");
  main_->SaveScreenChit("20241211", "090503");
  ExpectSaved();
}
