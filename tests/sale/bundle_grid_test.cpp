// Bundle prices on the sale grid, on both engines.
#include <gtest/gtest.h>

#include "platform/dialogs.h"
#include "sale_sql_fixture.h"

using orv::Currency;
using orv::dialogs::Script;

namespace {

class BundleGrid : public saletest::SaleSqlTest {};

TEST_P(BundleGrid, MembersArePricedAsOneGroupAndOthersAreLeftAlone) {
  Line(1, 1, "2", "4000", "8000");
  Line(2, 3, "1", "1500", "1500");  // in no bundle
  Line(3, 2, "2", "3500", "7000");
  Line(4, 1, "-3", "4000", "-12000");  // a return: priced apart
  main_->mcBsnNo = Currency::Won(5);
  Script s;
  main_->CalcBsnDanga();
  EXPECT_TRUE(s.Log().isEmpty());
  EXPECT_EQ(Cell(1, ColAmt), "6750");
  EXPECT_EQ(Cell(2, ColAmt), "1500");
  EXPECT_EQ(Cell(3, ColAmt), "6750");
  EXPECT_EQ(Cell(4, ColAmt), "-10000");
  EXPECT_EQ(Cell(1, ColQty), "2");
  EXPECT_EQ(Cell(1, ColPrice), "4000");

  // Below one bundle again: plain amounts back.
  Line(3, 0, "", "", "");
  main_->CalcBsnDanga();
  EXPECT_EQ(Cell(1, ColAmt), "8000");
}

TEST_P(BundleGrid, NothingChangesWhenTheRuleDoesNotApply) {
  struct Case {
    const char *name;
    const char *update;  // on the rule
    int halSel;
    int bsnNo;
    int customerDegree;  // 0: no customer
  } cases[] = {
      {"discounts off", "", 0, 5, 0},
      {"goods in no bundle last", "", 1, 0, 0},
      {"no such rule", "", 1, 6, 0},
      {"switched off", "bsnSaleSel = 9", 1, 5, 0},
      {"after the period", "bsnStDate = '20240101', bsnEdDate = '20240130'", 1, 5, 0},
      {"start date alone", "bsnStDate = '20240101'", 1, 5, 0},
      {"other weekday", "bsnYoil = 1", 1, 5, 0},  // the 31st is a Wednesday
      {"grade 2 and up, no customer", "bsnSaleGbn1 = 1, bsnSaleGbn2 = 2", 1, 5, 0},
      {"grade 2 and up, grade 1", "bsnSaleGbn1 = 1, bsnSaleGbn2 = 2", 1, 5, 1},
      {"window closed", "bsnStTime1 = '090000', bsnEdTime1 = '100000'", 1, 5, 0},
  };
  orv::clock::SetFixed(QDateTime(QDate(2024, 1, 31), QTime(12, 0)));
  for (const Case &c : cases) {
    goDbMain.Execute(
        "Update BsnCode Set bsnSaleSel = 0, bsnStDate = Null, bsnEdDate = Null, bsnYoil = 0, "
        "bsnSaleGbn1 = 0, bsnSaleGbn2 = 0, bsnStTime1 = Null, bsnEdTime1 = Null");
    if (*c.update) goDbMain.Execute(QString("Update BsnCode Set ") + c.update);
    glHalSel = c.halSel;
    main_->mcBsnNo = Currency::Won(c.bsnNo);
    gtCstCode = {};
    if (c.customerDegree > 0) {
      gtCstCode.CcdKey = Currency::Won(1);
      gtCstCode.CcdDegree = int16_t(c.customerDegree);
    }
    Line(1, 1, "3", "4000", "12000");
    main_->CalcBsnDanga();
    EXPECT_EQ(Cell(1, ColAmt), "12000") << c.name;
  }
  // The same rule for a grade-3 customer, inside its window on its weekday, applies.
  goDbMain.Execute(
      "Update BsnCode Set bsnYoil = 3, bsnSaleGbn1 = 1, bsnSaleGbn2 = 2, bsnStDate = '20240131', "
      "bsnEdDate = '20240131', bsnStTime1 = '090000', bsnEdTime1 = '120000'");
  gtCstCode.CcdKey = Currency::Won(1);
  gtCstCode.CcdDegree = 3;
  main_->mcBsnNo = Currency::Won(5);
  main_->CalcBsnDanga();
  EXPECT_EQ(Cell(1, ColAmt), "10000");
}

TEST_P(BundleGrid, ADatabaseErrorChangesNoLine) {
  Line(1, 1, "2", "4000", "8000");
  Line(2, 2, "2", "3500", "7000");
  main_->mcBsnNo = Currency::Won(5);
  goDbMain.Execute("Drop Table BssCode");
  Script s;
  main_->CalcBsnDanga();
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_TRUE(s.Log()[0].title.isEmpty());
  EXPECT_EQ(Cell(1, ColAmt), "8000");
  EXPECT_EQ(Cell(2, ColAmt), "7000");
}

INSTANTIATE_TEST_SUITE_P(Engines, BundleGrid, ORV_BOTH_ENGINES);

}  // namespace
