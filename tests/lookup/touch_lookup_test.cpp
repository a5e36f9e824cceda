#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "core/options.h"
#include "lookup/frmCust.h"
#include "lookup/frmTrsHelp.h"
#include "lookup_fixture.h"
#include "platform/dialogs.h"
#include "platform/list_grid.h"

using namespace orv;
using namespace orv::lookup;
using dialogs::Script;

namespace {

class TouchTest : public lookuptest::LookupDb {
 protected:
  void Partners() {
    Exec("INSERT INTO PsnCode (PcdKey, PcdNo, PcdName) VALUES (5, 55, '김담당')");
    Partner(1, 12, "상회", 0, "Kim", 1, 5);
    Partner(2, 88000, "가나상사", 1, "Lee", 5);
    Partner(3, 1234567, "까치마트", 1, "Park", 2);
    Partner(4, 40, "Apple", 1, "", 7);
    Partner(5, 50, "없음", 2);
  }
  static QStringList Col(ListGrid *g, int col) {
    QStringList out;
    for (int r = 1; r <= g->MaxRows(); ++r) out << g->CellValue(r, col);
    return out;
  }
};

TEST_P(TouchTest, PartnerListOfTheSaleScreen) {
  if (IsSkipped()) return;
  Partners();
  giHelpMode = 1;
  giHelpSubMode = 2;
  gsHelpStart = "Apple";  // used by the kind listing only, then replaced
  frmTrsHelp f;
  EXPECT_TRUE(f.TrsHelp6Opt->isChecked());
  EXPECT_TRUE(f.TrsHelp2Opt->isChecked());
  EXPECT_EQ(Col(f.vaSpread1, 2), (QStringList{"", "Apple", "가나상사", "까치마트"}));
  EXPECT_EQ(f.vaSpread1->CellValue(4, 1), "1234567");
  f.RangeCmds[0]->click();  // 가: 까 belongs there
  EXPECT_EQ(Col(f.vaSpread1, 2), (QStringList{"", "가나상사", "까치마트"}));
  f.TrsHelp4Opt->setChecked(true);
  EXPECT_EQ(Col(f.vaSpread1, 1).last(), "000012~");
  // Row 1 is the "no partner" row: taken as number 0.
  f.show();
  f.vaSpread1->SetActiveCell(1, 1);
  f.TakeAction();
  EXPECT_EQ(giHelpRet, 1);
  EXPECT_EQ(gcHelpNo, Currency());
}

TEST_P(TouchTest, PartnerTakeReturnsALongNumberWhole) {
  if (IsSkipped()) return;
  Partners();
  giHelpMode = 0;
  giHelpSubMode = 2;
  frmTrsHelp f;
  f.show();
  f.vaSpread1->SetActiveCell(1, 4);
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(gcHelpNo, *Currency::FromWhole(1234567));
  EXPECT_EQ(giHelpNo1, 0);
  EXPECT_EQ(giHelpNo2, 123);
  EXPECT_EQ(giHelpNo3, 4567);
}

TEST_P(TouchTest, PriceTiers) {
  if (IsSkipped()) return;
  Partners();
  giHelpSubMode = 2;
  glGaSel = 3;
  {
    frmTrsHelp f;  // no option ticked: the sale's tier stays, 기본 shown
    EXPECT_EQ(f.ChosenTier(), 0);
    EXPECT_EQ(glGaSel, 3);
    f.show();
    QTest::keyClick(f.vaSpread1->view(), Qt::Key_F2);
    EXPECT_EQ(glGaSel, 2);
    QTest::keyClick(f.vaSpread1->view(), Qt::Key_F7);
    EXPECT_EQ(glGaSel, 7);
    f.TrsAutoChk->setChecked(true);
    QTest::keyClick(f.vaSpread1->view(), Qt::Key_Escape);
    EXPECT_EQ(glGaSel, 7);  // a cancel keeps the tier
    EXPECT_EQ(giHelpRet, 0);
  }
  EXPECT_EQ(GetEnvInt(gsLogID, "TrsHelpPriceAutoSelect_Pos"), 1);
  SetEnvironment(gsLogID, "TrsHelpPricePrisSelect_Pos", 1);
  frmTrsHelp f;
  EXPECT_EQ(glGaSel, 7);  // 지정A at load
  f.show();
  QCoreApplication::processEvents();  // the grid's focus on row 1: automatic tier 0
  EXPECT_EQ(glGaSel, 0);
  f.vaSpread1->SetActiveCell(1, 3);  // 가나상사, 특#B
  f.ApplyTrsRowTier();
  EXPECT_EQ(glGaSel, 5);
  EXPECT_EQ(f.ChosenTier(), 5);
  f.vaSpread1->SetActiveCell(1, 2);  // Apple, 소#A
  f.ApplyTrsRowTier();
  EXPECT_EQ(glGaSel, 0);
  f.close();
}

class CustTouchTest : public lookuptest::LookupDb {
 protected:
  void Customers() {
    Customer("CstCode", 1, 101, "홍길동", "2000000000017", "010-5123-4567", "02-555-1234");
    Customer("CstCode", 2, 102, "가나다", "2000000000024", "010-9999-0000");
    Customer("CstCode", 3, 103, "Bob", "", "");
    Customer("CstCode", 4, 104, "나래", "2000000000048", "");
  }
};

TEST_P(CustTouchTest, ListsRangesSeeksAndTakes) {
  if (IsSkipped()) return;
  Customers();
  gsCstFindSql.clear();
  SetEnvironment(gsLogID, "PosCstFrm", 2);
  frmCust f;
  EXPECT_TRUE(f.Opts[1]->isChecked());
  EXPECT_EQ(f.vaSpread1->MaxRows(), 4);
  EXPECT_EQ(f.vaSpread1->CellValue(1, 4), "Bob");
  f.show();
  // R seeks 가 in the list's own order: Latin names come before it.
  f.vaSpread1->setFocus();
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_R);
  EXPECT_EQ(f.vaSpread1->CellValue(f.vaSpread1->ActiveRow(), 4), "가나다");
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_4);
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 4);
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_9);  // beyond the list: stays
  EXPECT_EQ(f.vaSpread1->ActiveRow(), 4);
  f.RangeCmds[1]->click();  // 나
  EXPECT_EQ(f.vaSpread1->MaxRows(), 1);
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_F4);  // 핸드폰 order, stored
  EXPECT_EQ(GetEnvInt(gsLogID, "PosCstFrm"), 4);
  f.txtSerCh->setText("0105");
  QTest::keyClick(f.txtSerCh, Qt::Key_Return);
  EXPECT_EQ(f.vaSpread1->CellValue(f.vaSpread1->ActiveRow(), 4), "홍길동");
  QTest::keyClick(f.vaSpread1->view(), Qt::Key_Return);
  EXPECT_EQ(giHelpRet, 1);
  EXPECT_EQ(gsCstHelpNo, "2000000000017");
  EXPECT_EQ(gcHelpNo, *Currency::FromWhole(101));
}

TEST_P(CustTouchTest, AHandedInSearchWithOneRowIsTakenAtOnce) {
  if (IsSkipped()) return;
  Customers();
  gsCstFindSql = "SELECT * FROM CstCode WHERE CcdName LIKE ?";
  gvCstFindArgs = {QString::fromUtf8("홍%")};
  frmCust f;
  EXPECT_EQ(f.vaSpread1->MaxRows(), 1);
  f.show();
  QCoreApplication::processEvents();
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(giHelpRet, 1);
  EXPECT_EQ(gcHelpNo, *Currency::FromWhole(101));
  // An empty list: Enter is no pick.
  gsCstFindSql = "SELECT * FROM CstCode WHERE CcdNo = ?";
  gvCstFindArgs = {999};
  giHelpRet = 0;
  frmCust g;
  g.show();
  QCoreApplication::processEvents();
  QTest::keyClick(g.vaSpread1->view(), Qt::Key_Return);
  EXPECT_EQ(giHelpRet, 0);
  EXPECT_TRUE(g.isVisible());
  QTest::keyClick(g.vaSpread1->view(), Qt::Key_Escape);
  EXPECT_FALSE(g.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Engines, TouchTest, ORV_BOTH_ENGINES);
INSTANTIATE_TEST_SUITE_P(Engines, CustTouchTest, ORV_BOTH_ENGINES);

}  // namespace
