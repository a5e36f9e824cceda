#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "../chit/chit_fixture.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "sale/frmPanCardSeek.h"

using namespace orv;
using chittest::ChitFixture;

namespace {

class PanCardSeekTest : public ChitFixture {
 protected:
  void SetUp() override {
    ChitFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    // Three chits carry the approval number, one another number, one is a return.
    Plant(123, "12345678", 1500, "090503");
    Plant(7, "12345678", 2000, "101010");
    Plant(50, "12345678", 12345, "235959");
    Plant(60, "99999999", 1000, "120000");
    Plant(61, "12345678", -1500, "120001");
    gsPanCardSeekSql = " Select * From PanChit2403 Where PctDate='20240315' And PctCmitNo=" +
                       db::SqlText("12345678") + " And PctHab>0 Order By PctDate, PctChtNo ";
  }
  static void Plant(int no, const QString &cmit, int hab, const QString &time) {
    goDbMain.Execute(QString("Insert Into PanChit2403 (PctYear, PctMon, PctDay, PctDate, PctChtNo, "
                             "PctPosNo, PctPsnKey, PctHab, PctCmitNo, PctWrtTime) Values(2024, 3, "
                             "15, '20240315', %1, 3, 1, %2, %3, %4)")
                         .arg(no)
                         .arg(hab)
                         .arg(db::SqlText(cmit), db::SqlText(time)));
  }
};

}  // namespace

TEST_P(PanCardSeekTest, ListsTheChitsAndTakesTheActiveOne) {
  frmPanCardSeek f;
  Grid *g = f.vaSpread1;
  ASSERT_EQ(g->MaxRows(), 3);
  EXPECT_EQ(g->CellValue(1, 2), "000007");
  EXPECT_EQ(g->CellValue(2, 2), "000050");
  EXPECT_EQ(g->CellValue(3, 2), "000123");
  EXPECT_EQ(g->CellValue(3, 1), "2024.03.15");
  EXPECT_EQ(g->CellValue(3, 3), "1,500");
  EXPECT_EQ(g->CellValue(2, 3), "12,345");
  EXPECT_EQ(g->CellValue(3, 4), "09:05:03");
  EXPECT_EQ(g->ActiveRow(), 3);
  f.ChtEnterCmd_Click();
  EXPECT_EQ(glPanCardSeekChtNo, 123);
  EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST_P(PanCardSeekTest, KeysChooseOrLeaveThroughTheModalShow) {
  {
    dialogs::Script s;
    s.OnForm("frmPanCardSeek", [](QWidget &w) {
      auto &f = static_cast<frmPanCardSeek &>(w);
      f.vaSpread1->SetActiveCell(1, 1);
      QTest::keyClick(f.vaSpread1->table(), Qt::Key_Return);
    });
    frmPanCardSeek f;
    EXPECT_EQ(dialogs::ShowModal(f), QDialog::Accepted);
    EXPECT_EQ(glPanCardSeekChtNo, 7);
  }
  {
    dialogs::Script s;
    s.OnForm("frmPanCardSeek",
             [](QWidget &w) { QTest::keyClick(static_cast<frmPanCardSeek &>(w).vaSpread1->table(), Qt::Key_Escape); });
    frmPanCardSeek f;
    EXPECT_EQ(dialogs::ShowModal(f), QDialog::Rejected);
    EXPECT_EQ(glPanCardSeekChtNo, 0);
  }
  {
    // A list without a chit keeps the chooser open on Enter; its button leaves it.
    gsPanCardSeekSql = " Select * From PanChit2403 Where PctCmitNo=" + db::SqlText("1'2") + " ";
    dialogs::Script s;
    bool stayed = false;
    s.OnForm("frmPanCardSeek", [&](QWidget &w) {
      auto &f = static_cast<frmPanCardSeek &>(w);
      f.ChtEnterCmd_Click();
      stayed = f.isVisible();
      f.ChtExitCmd->click();
    });
    frmPanCardSeek f;
    EXPECT_EQ(f.vaSpread1->MaxRows(), 0);
    EXPECT_EQ(dialogs::ShowModal(f), QDialog::Rejected);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(glPanCardSeekChtNo, 0);
  }
}

// A screen: one SQLite set-up (its statements are the same text on every engine).
INSTANTIATE_TEST_SUITE_P(Setups, PanCardSeekTest,
                         ::testing::Values(chittest::Setup{orv::db::Engine::SQLite, true}),
                         chittest::SetupName);
