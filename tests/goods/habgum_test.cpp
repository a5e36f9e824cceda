#include <gtest/gtest.h>

#include <QLabel>

#include "goods/frmHabGum.h"
#include "goods_fixture.h"
#include "platform/dialogs.h"
#include "platform/colors.h"
#include "platform/list_grid.h"
#include "schema/month_tables.h"

using namespace orv;
using goodstest::GoodsDb;

namespace {

Currency W(int v) { return Currency::Won(v); }

class HabGumDb : public GoodsDb {
 protected:
  void SetUp() override {
    GoodsDb::SetUp();
    if (IsSkipped()) return;
    Exec("INSERT INTO PsnCode (PcdKey, PcdNo, PcdName) VALUES (11, 1, '김계산'), (12, 2, '이계산')");
  }
  // A POS copy of a chit: sales, received, cash tender, card.
  static void Chit(const QString &table, int no, int psnKey, const char *time, int hab, int rgum, int money,
                   int card = 0, int closed = 0) {
    Exec("INSERT INTO " + table +
             " (PctYear, PctMon, PctDay, PctDate, PctChtNo, PctPosNo, PctPsnKey, PctHab, PctRGum, PctMoney, "
             "PctCard, PctOisang, PctCSobi, PctWrtTime, PctSss3) VALUES (2024, 12, 5, '20241205', ?, 1, ?, ?, ?, ?, "
             "?, 0, 0, ?, ?)",
         {no, psnKey, hab, rgum, money, card, time, closed});
  }
};

}  // namespace

TEST_P(HabGumDb, CashiersThenHoursOverOpenChitsOfTheThreeMonths) {
  CreatePanChitTTable({}, 2411);  // last month's shift, not closed; next month has no table
  Chit("PanChitT2412", 1, 11, "091000", 9000, 10000, 10000);
  Chit("PanChitT2412", 2, 11, "094000", 1000, 1000, 0, 1000);
  Chit("PanChitT2411", 3, 11, "140500", 2000, 2000, 2000);
  Chit("PanChitT2412", 4, 12, "092000", 3000, 3000, 3000);
  Chit("PanChitT2412", 5, 12, "093000", 5000, 5000, 5000, 0, 1);  // closed
  Chit("PanChitT2412", 6, 99, "", 700, 700, 700);                 // no staff row, no time
  Exec("INSERT INTO InitGum (IntPosNo, IntPsnKey, IntDate, IntTime, IntInitGum, IntMidGum) "
       "VALUES (1, 11, '20241205', '090000', 100000, 50000), (2, 11, '20241205', '090000', 7, 7)");

  const goods::HabGum h = goods::ReadHabGum();
  struct Want {
    bool cashier;
    int no;
    const char *name;
    int count, sales, cash;
  } want[] = {
      {true, 0, "", 1, 700, 700},
      {true, 1, "김계산", 3, 12000, 11000},  // the card chit is no cash
      {true, 2, "이계산", 1, 3000, 3000},
      {false, 0, "00:00 ~ 00:59", 1, 700, 700},
      {false, 1, "09:00 ~ 09:59", 2, 10000, 9000},
      {false, 2, "09:00 ~ 09:59", 1, 3000, 3000},
      {false, 1, "14:00 ~ 14:59", 1, 2000, 2000},
  };
  ASSERT_EQ(h.rows.size(), int(std::size(want)));
  for (int i = 0; i < h.rows.size(); ++i) {
    const auto &r = h.rows[i];
    const auto &w = want[i];
    EXPECT_EQ(r.cashier, w.cashier) << i;
    EXPECT_EQ(r.pcdNo, W(w.no)) << i;
    EXPECT_EQ(r.name, QString::fromUtf8(w.name)) << i;
    EXPECT_EQ(r.count, W(w.count)) << i;
    EXPECT_EQ(r.sales, W(w.sales)) << i;
    EXPECT_EQ(r.cash, W(w.cash)) << i;
  }
  EXPECT_EQ(h.rows[1].card, W(1000));
  EXPECT_EQ(h.rows[1].average, W(4000));
  EXPECT_EQ(h.count, W(5));
  EXPECT_EQ(h.sales, W(15700));
  EXPECT_EQ(h.cash, W(14700));
  EXPECT_EQ(h.drawer, W(14700 + 100000 - 50000));
  EXPECT_EQ(h.average, W(3140));
}

TEST_P(HabGumDb, NoMonthTableGivesAnEmptyListAndTheOpeningCash) {
  goDbPos.Execute("DROP TABLE PanChitT2412");
  Exec("INSERT INTO InitGum (IntPosNo, IntPsnKey, IntDate, IntTime, IntInitGum, IntMidGum) "
       "VALUES (1, 11, '20241205', '090000', 100000, 50000)");
  const goods::HabGum h = goods::ReadHabGum();
  EXPECT_TRUE(h.rows.isEmpty());
  EXPECT_EQ(h.drawer, W(50000));
}

using HabGumScreen = HabGumDb;

TEST_P(HabGumScreen, ShowsRowsTotalsAndDatabaseErrors) {
  frmHabGum empty;
  empty.Load();
  EXPECT_EQ(empty.vaSpread1->MaxRows(), 0);
  EXPECT_EQ(empty.lblSum1->text(), "");
  EXPECT_EQ(empty.lblSum5->text(), "0");
  EXPECT_EQ(empty.lblSum3->text(), "");

  Chit("PanChitT2412", 1, 11, "233000", 2001, 2001, 2001);
  Chit("PanChitT2412", 2, 11, "233100", 2000, 2000, 2000);
  frmHabGum f;
  f.Load();
  ASSERT_EQ(f.vaSpread1->MaxRows(), 2);
  EXPECT_EQ(f.vaSpread1->CellValue(1, 2), "김계산");
  EXPECT_EQ(f.vaSpread1->Cell(1, 1).back, colors::Rgb(255, 255, 0));
  EXPECT_EQ(f.vaSpread1->CellValue(1, 8), "2,000") << "4,001 / 2 = 2,000.5, halves to even";
  EXPECT_EQ(f.vaSpread1->CellValue(2, 2), "23:00 ~ 23:59");
  EXPECT_EQ(f.vaSpread1->Cell(2, 1).back, -1);
  EXPECT_EQ(f.lblSum2->text(), "4,001");
  EXPECT_EQ(f.lblSum3->text(), "4,001");

  goDbPos.Execute("DROP TABLE InitGum");
  dialogs::Script s;
  frmHabGum broken;
  broken.Load();
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_TRUE(s.Log()[0].text.startsWith("오류번호 : "));
  EXPECT_EQ(s.Log()[0].title, "합계금액조회");
}

INSTANTIATE_TEST_SUITE_P(Engines, HabGumDb, ORV_BOTH_ENGINES);
INSTANTIATE_TEST_SUITE_P(Sqlite, HabGumScreen, ::testing::Values(orv::db::Engine::SQLite), orvtest::EngineName);
