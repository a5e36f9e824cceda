// The recalls' reads and the replacement of a stored held or delivery chit, on both engines.
#include <gtest/gtest.h>

#include "../chit/chit_fixture.h"
#include "../chit/sale_fill.h"
#include "chit/etc_chits.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "chit/sale_savers.h"
#include "sale/chit_recall.h"

using chittest::ChitFixture;
using orv::Currency;
namespace sale = orv::sale;

namespace {

void SaveSale(int no, const QString &cmitNo, int lines, int64_t hab = 1500) {
  chittest::FillSale(lines, cmitNo);
  gtPanChit.PctChtNo = no;
  gtPanChit.PctHab = Currency::Won(hab);
  glSaveChtNo = no;
  goDbMain.Execute(gsPanChitInsSql());
  for (int i = 1; i <= lines; ++i) {
    // Stored in the reverse of their order on the chit.
    gtPanGods[i].PcgSeqNo = lines + 1 - i;
    goDbMain.Execute(gsPanGodsInsSql(i));
  }
}

void FillEtc(EtcChitRec &h, EtcGodsRec &g, EtcGodsSpeedRec &s, const QString &time) {
  h = {};
  g = {};
  s = {};
  h.Year = 2024;
  h.Mon = 3;
  h.Day = 15;
  h.Date = "20240315";
  h.PosNo = 3;
  h.PsnKey = Currency::Won(5);
  h.Hab = Currency::Won(3000);
  h.WrtDate = "20240315";
  h.WrtTime = time;
  for (int row : {1, 2}) {
    g.Year[row] = s.Year[row] = 2024;
    g.Mon[row] = s.Mon[row] = 3;
    g.Day[row] = s.Day[row] = 15;
    g.Date[row] = s.Date[row] = "20240315";
    g.SeqNo[row] = s.SeqNo[row] = int16_t(row);
    g.GdsKey[row] = Currency::Won(row);
    g.Su[row] = g.Danga[row] = Currency::Won(1);
    g.Gum[row] = Currency::Won(1500);
    s.Text[row] = "x;";
  }
}

int Rows(orv::db::Connection &c, const QString &table) {
  return c.OpenRecordset("Select * From " + table).RecordCount();
}

}  // namespace

class ChitRecall : public ChitFixture {};

TEST_P(ChitRecall, CardChitsByApprovalTakeTypedTextAsAValue) {
  SaveSale(1, "12'34", 1);
  SaveSale(2, "12'34", 1);
  SaveSale(3, "12'34", 1, -1500);  // a return never counts
  SaveSale(4, "5678", 1);
  EXPECT_EQ(goDbMain.OpenRecordset(sale::CardChitsSql("2403", "20240315", "12'34")).RecordCount(), 2);
  EXPECT_EQ(goDbMain.OpenRecordset(sale::CardChitsSql("2403", "20240315", "' Or ''='")).RecordCount(), 0);
  auto picked = goDbMain.OpenRecordset(sale::CardChitPickedSql("2403", "20240315", 2, "12'34"));
  ASSERT_EQ(picked.RecordCount(), 1);
  EXPECT_EQ(NzCur(picked.Field("PctChtNo")), Currency::Won(2));
  EXPECT_EQ(goDbMain.OpenRecordset(sale::CardChitPickedSql("2403", "20240315", 4, "12'34")).RecordCount(), 0);
  EXPECT_EQ(goDbMain.OpenRecordset(sale::ChitByNumberSql("PanChit2403", "20240315", 4)).RecordCount(), 1);
}

TEST_P(ChitRecall, LinesComeInTheirStoredOrder) {
  SaveSale(7, "T", 3);
  ClearPanGodsRecords();
  EXPECT_EQ(sale::ReadChitLines(goDbMain, "PanGods2403", "20240315", 7), 3);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(gtPanGods[i].PcgSeqNo, i);
  // Saved with the reverse order: line 1 of the chit is the last goods key written.
  EXPECT_EQ(gtPanGods[1].PcgGdsKey, Currency::Won(1003));
  EXPECT_EQ(sale::ReadChitLines(goDbMain, "PanGods2403", "20240315", 8), 0);
}

TEST_P(ChitRecall, GoodsPartnerAndCustomerByKey) {
  goDbMain.Execute("Insert Into GdsCode(GcdKey, GcdNo, GcdName, GcdBarcode) Values(5, 5, 'A', '880')");
  sale::GoodsByKey goods(goDbMain);
  EXPECT_TRUE(goods.Load(Currency::Won(5)));
  EXPECT_EQ(gtGdsCode.GcdBarcode.trimmed(), "880");
  EXPECT_FALSE(goods.Load(Currency::Won(6)));
  EXPECT_TRUE(gtGdsCode.GcdKey.IsZero());  // nothing stale left behind
  EXPECT_FALSE(sale::TraderNoByKey(goDbMain, Currency::Won(999)).has_value());
  EXPECT_FALSE(sale::CustomerBarcodeByKey(goDbMain, Currency::Won(999)).has_value());
}

TEST_P(ChitRecall, StoredHeldOrDeliveryChitIsReplacedOnlyWhenItMatches) {
  int no = 0;
  for (const QString &time : {QString("100000"), QString("110000")}) {
    FillEtc(gtWatChit, gtWatGods, gtWatGodsSpeed, time);
    ASSERT_EQ(gsWatChitTInsert(0), "");
    FillEtc(gtBdlChit, gtBdlGods, gtBdlGodsSpeed, time);
    gtBdlChit.ChtNo = ++no;
    for (int row : {1, 2}) gtBdlGods.ChtNo[row] = gtBdlGodsSpeed.ChtNo[row] = no;
    ASSERT_EQ(gsBdlChitInsert(0), "");
  }
  ASSERT_EQ(Rows(goDbPos, "WatChitT"), 2);
  using sale::EtcKind;
  EXPECT_FALSE(sale::DeleteStoredEtcChit(goDbPos, EtcKind::Held, "20240315", "120000",
                                         Currency::Won(3000), 0));
  EXPECT_TRUE(sale::DeleteStoredEtcChit(goDbPos, EtcKind::Held, "20240315", "100000",
                                        Currency::Won(3000), 0));
  EXPECT_EQ(Rows(goDbPos, "WatChitT"), 1);
  EXPECT_EQ(Rows(goDbPos, "WatGodsT"), 2);
  EXPECT_EQ(Rows(goDbPos, "WatGodsTSpeed"), 2);
  const int32_t second = 2;
  EXPECT_FALSE(sale::DeleteStoredEtcChit(goDbPos, EtcKind::Delivery, "20240315", "110000",
                                         Currency::Won(3000), second + 1));
  EXPECT_TRUE(sale::DeleteStoredEtcChit(goDbPos, EtcKind::Delivery, "20240315", "110000",
                                        Currency::Won(3000), second));
  EXPECT_EQ(Rows(goDbPos, "BdlChit"), 1);
  EXPECT_EQ(Rows(goDbPos, "BdlGods"), 2);
  EXPECT_EQ(Rows(goDbPos, "BdlGodsSpeed"), 2);
}

INSTANTIATE_TEST_SUITE_P(Setups, ChitRecall, ::testing::ValuesIn(chittest::kAllSetups),
                         chittest::SetupName);
