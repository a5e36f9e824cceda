#include <gtest/gtest.h>

#include <QLabel>
#include <QTableWidget>
#include <QTest>

#include "../chit/chit_fixture.h"
#include "checkout/frmOisang.h"
#include "checkout/lists_text.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "core/byte_text.h"
#include "platform/dialogs.h"
#include "platform/grid.h"

using orv::Currency;
using orv::checkout::frmOisang;

TEST(ListTexts, TimesAndPaddedNames) {
  EXPECT_EQ(orv::checkout::HeldTimeText("093015"), "9:30:15");
  EXPECT_EQ(orv::checkout::HeldTimeText("000512"), "0:05:12");
  EXPECT_EQ(orv::checkout::HeldTimeText("231500"), "23:15:00");
  EXPECT_EQ(orv::checkout::ClockTimeText("090507"), "09:05:07");
  const QString name = orv::checkout::CreditNameText("김철수이름길다", "", "Partner");
  EXPECT_EQ(name, "김철수이/        /Partner     ");  // 8, 8 and 12 code-page bytes
  EXPECT_EQ(LenAnsi(name), 30);
}

class CreditList : public chittest::ChitFixture {
 protected:
  void SetUp() override {
    ChitFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gcLogPsnKey = Currency::Won(5);
    goDbMain.Execute("Insert Into TrsCode(TcdKey, TcdNo, TcdName) Values(88001, 4401, 'Partner')");
    goDbMain.Execute(
        "Insert Into CstCode(CcdKey, CcdNo, CcdName, CcdEmail) Values(77, '77', 'Kim', 'k@x')");
  }
  void Chit(int no, const QString &time, int oisang, int card = 0, int pos = 3, int psn = 5,
            const QString &date = "20240315", int sss2 = 0, int trs = 88001, int cst = 77) {
    goDbMain.Execute(
        "Insert Into PanChit" + date.mid(2, 4) +
        "(PctYear, PctMon, PctDay, PctDate, PctChtNo, PctPosNo, PctPsnKey, PctTrsKey, "
        "PctCstKey, PctHab, PctOisang, PctCard, PctWrtTime, PctSss2) Values(" +
        date.left(4) + "," + QString::number(date.mid(4, 2).toInt()) + "," +
        QString::number(date.mid(6, 2).toInt()) + ",'" + date + "'," + QString::number(no) +
        "," + QString::number(pos) + "," + QString::number(psn) + "," + QString::number(trs) +
        "," + QString::number(cst) + ",50000," + QString::number(oisang) + "," +
        QString::number(card) + ",'" + time + "'," + QString::number(sss2) + ")");
  }
  void Lines(int no, int count) {
    for (int i = count; i >= 1; --i)  // stored backwards: read back by sequence
      goDbMain.Execute("Insert Into PanGods2403(PcgYear, PcgMon, PcgDay, PcgDate, PcgChtNo, "
                       "PcgSeqNo, PcgGdsKey, PcgGum) Values(2024,3,15,'20240315'," +
                       QString::number(no) + "," + QString::number(i) + "," +
                       QString::number(1000 + i) + ",100)");
  }
  static QStringList Column(orv::Grid *g, int col) {
    QStringList out;
    for (int r = 1; r <= g->MaxRows(); ++r) out << g->CellValue(r, col);
    return out;
  }
};

TEST_P(CreditList, ListsThisCashiersCreditChitsNewestFirstAndTakesOne) {
  Chit(1, "090507", 10000);
  Chit(2, "101010", 20000);
  Chit(3, "101010", -5000);                            // a return: listed; ties by number
  Chit(4, "111111", 0);                                // no credit
  Chit(5, "111111", 10000, 0, 4);                      // another POS
  Chit(6, "111111", 10000, 0, 3, 6);                   // another cashier
  Chit(7, "111111", 10000, 0, 3, 5, "20240314");       // another day
  Chit(8, "111111", 10000, 0, 3, 5, "20240315", 9);    // a collection
  Chit(9, "080000", 10000, 10000, 3, 5, "20240315", 0, 99, 0);  // card-paid, no partner
  Lines(2, 3);
  frmOisang f;
  ASSERT_TRUE(f.Form_Load());
  EXPECT_EQ(f.windowTitle(), "외상현황 조회");
  EXPECT_EQ(Column(f.vaSpread1, 1), (QStringList{"3", "2", "1", "9"}));
  EXPECT_EQ(f.vaSpread1->CellValue(3, 3), "09:05:07");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 2), "Kim     /k@x     /Partner     ");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 17), "4401");
  EXPECT_TRUE(f.vaSpread1->ColHidden(6));
  f.vaSpread1->SetRow(4);
  f.vaSpread1->SetCol(1);
  EXPECT_EQ(f.vaSpread1->ForeColor(), 0x0080C0FF);  // card rows in light orange
  f.vaSpread1->SetActiveCell(1, 1);
  f.RefreshName();
  EXPECT_EQ(f.DspNameLbl->text(), "Kim, k@x, Partner");

  f.vaSpread1->SetCol(21);
  EXPECT_EQ(f.vaSpread1->ForeColor(), 0x0080C0FF);  // every column, hidden ones too
  EXPECT_EQ(f.vaSpread1->CellValue(4, 21), "");
  EXPECT_EQ(f.vaSpread1->CellValue(1, 19), "Kim");

  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  QWidget *vp = f.vaSpread1->table()->viewport();
  auto rowAt = [&](int row0) { return f.vaSpread1->table()->visualItemRect(f.vaSpread1->table()->item(row0, 0)).center(); };
  f.vaSpread1->SetActiveCell(1, 1);
  f.RefreshName();
  QTest::mouseClick(vp, Qt::LeftButton, {}, rowAt(3));
  EXPECT_EQ(f.DspNameLbl->text(), ", , ");  // a click names the row's customer and partner
  QTest::mouseDClick(vp, Qt::LeftButton, {}, rowAt(3));
  EXPECT_TRUE(f.isVisible());  // card-paid: a double click takes nothing
  EXPECT_EQ(giOisangPick, 0);
  f.TakeRow(4);  // card-paid: refused, the form stays
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(giOisangPick, 0);

  QTest::mouseClick(vp, Qt::LeftButton, {}, rowAt(1));
  QTest::mouseDClick(vp, Qt::LeftButton, {}, rowAt(1));  // takes that row
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(glOisangChtNo, 2);
  giOisangPick = 0;
  f.show();
  f.vaSpread1->SetActiveCell(1, 2);
  QTest::keyClick(f.vaSpread1->table(), Qt::Key_Return);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(giOisangPick, 1);
  EXPECT_EQ(glOisangChtNo, 2);
  EXPECT_EQ(gcOisangTrsNo, Currency::Won(4401));
  EXPECT_EQ(gtPanChit.PctChtNo, 2);
  EXPECT_EQ(gtPanGods[1].PcgGdsKey, Currency::Won(1001));
  EXPECT_EQ(gtPanGods[3].PcgGdsKey, Currency::Won(1003));
}

TEST_P(CreditList, EmptyListsTooLongChitsAndErrorsPickNothing) {
  {
    frmOisang f;
    ASSERT_TRUE(f.Form_Load());
    EXPECT_EQ(f.vaSpread1->MaxRows(), 0);
    f.show();
    QTest::keyClick(&f, Qt::Key_Return);
    EXPECT_EQ(giOisangPick, 0);
  }
  Chit(1, "090507", 10000);
  Lines(1, 151);
  {
    orv::dialogs::Script script;
    frmOisang f;
    ASSERT_TRUE(f.Form_Load());
    f.TakeRow(1);
    EXPECT_EQ(script.Texts(), QStringList{"150줄을 넘는 전표는 불러올 수 없습니다"});
    EXPECT_EQ(giOisangPick, 0);
    EXPECT_EQ(gtPanChit.PctChtNo, 0);
    EXPECT_TRUE(gtPanGods[1].PcgGdsKey.IsZero());
  }
  goDbMain.Execute("Drop Table PanGods2403");
  {
    orv::dialogs::Script script;
    frmOisang f;
    ASSERT_TRUE(f.Form_Load());
    f.show();
    f.TakeRow(1);
    ASSERT_EQ(script.Texts().size(), 1);
    EXPECT_TRUE(script.Texts()[0].startsWith("오류번호 : "));
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(giOisangPick, 0);
    EXPECT_EQ(gtPanChit.PctChtNo, 0);
  }
}

// A screen: one SQLite set-up (its statements are the same text on every engine).
INSTANTIATE_TEST_SUITE_P(Setups, CreditList,
                         ::testing::Values(chittest::Setup{orv::db::Engine::SQLite, true}),
                         chittest::SetupName);
