#include <gtest/gtest.h>

#include <QDateEdit>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

#include "core/helpers.h"
#include "platform/grid.h"
#include "sale/goods_lookup.h"
#include "sale/sale_lines.h"
#include "sale_screen_fixture.h"

using namespace orv;
using dialogs::Script;
using saletest::SaleScreenTest;

namespace {

// Puts a code into the active code cell and presses Enter on the grid.
void TypeCode(frmMain &m, const QString &code) {
  QTableWidget *t = m.vaSpread1->table();
  SetCellText(m.vaSpread1, m.vaSpread1->ActiveRow(), ColCode, code);
  m.vaSpread1->SetActiveCell(ColCode, m.vaSpread1->ActiveRow());
  QTest::keyClick(t, Qt::Key_Return);
  QApplication::processEvents();
}

QString Cell(frmMain &m, int row, int col) { return m.vaSpread1->CellValue(row, col); }

}  // namespace

TEST_F(SaleScreenTest, TypedBarcodesBecomePricedLinesWithTotals) {
  Login();
  goDbMain.Execute("UPDATE SleDate SET SldSaleSel = 9");  // no sale-period prices here
  frmMain &m = *main_;
  m.show();
  m.activateWindow();
  Script s;
  s.OnForm("frmCash", [](QWidget &f) { f.close(); });
  TypeCode(m, "8801043014809");  // 신라면 900
  EXPECT_EQ(Cell(m, 1, ColCode), "8801043014809");
  EXPECT_EQ(Cell(m, 1, ColName), QStringLiteral("신라면[120g]"));
  EXPECT_EQ(Cell(m, 1, ColQty), "1");
  EXPECT_EQ(Cell(m, 1, ColPrice), "900");
  EXPECT_EQ(Cell(m, 1, ColAmt), "900");
  EXPECT_EQ(Cell(m, 1, ColGdsKey), "1");
  EXPECT_EQ(m.vaSpread1->ActiveRow(), 2);
  EXPECT_EQ(m.vaSpread1->ActiveCol(), ColCode);
  m.vaSpread1->SetRow(1);
  m.vaSpread1->SetCol(ColCode);
  EXPECT_TRUE(m.vaSpread1->Lock());
  QString text;
  EXPECT_EQ(EventRows(1, &text), 1);
  EXPECT_EQ(text, "1,1,900,900");

  TypeCode(m, "8801045051123");  // 삼다수 1100, tax-free
  EXPECT_EQ(Cell(m, 2, ColKind), "T");
  m.vaSpread1->SetRow(2);
  m.vaSpread1->SetCol(ColCode);
  EXPECT_EQ(m.vaSpread1->BackColor(), kMarkYellow);
  TypeCode(m, "8801094013007");  // 코카콜라 1800
  EXPECT_EQ(m.lblHabGum->text(), "3,800");
  EXPECT_EQ(m.lblNtxSum->text(), "1,100");
  EXPECT_EQ(m.lblKongSum->text(), "2,455");  // Round(2700 / 1.1 + 0.5)
  EXPECT_EQ(m.lblBugaSum->text(), "245");
  EXPECT_EQ(m.lblSuSum->text(), "3");
  EXPECT_EQ(m.lblSuHab->text(), "3");
  EXPECT_EQ(m.Label7->text(), QStringLiteral("합계"));
  EXPECT_EQ(EventRows(1), 3);

  if (!qEnvironmentVariableIsEmpty("ORVPOS_SCREENSHOT"))
    m.grab().save(qEnvironmentVariable("ORVPOS_SCREENSHOT"));

  // A code that is not on file leaves the line empty after the new-goods form; an empty
  // code is the payment key, which puts nothing.
  s.OnForm("frmGdsNew", [](QWidget &f) { f.close(); });
  TypeCode(m, "8809999999999");
  EXPECT_EQ(Cell(m, 4, ColCode), "");
  EXPECT_EQ(Cell(m, 4, ColGdsKey), "");
  int key = 13, shift = 0;
  m.vaSpread1_KeyDown(key, shift);
  EXPECT_EQ(EventRows(1), 3);
}

TEST_F(SaleScreenTest, LinesStayWithinTheGridsHundredAndFiftyRows) {
  Login();
  frmMain &m = *main_;
  Script s;
  ASSERT_GT(FindGdsByBarcode("8801043014809"), 0);
  EXPECT_FALSE(m.PutGdsRow(151, {}));
  EXPECT_FALSE(m.PutGdsRow(0, {}));
  ASSERT_EQ(s.Log().size(), 2);
  EXPECT_EQ(s.Log()[0].title, QStringLiteral("확인요망"));
  EXPECT_EQ(s.Log()[0].text, QStringLiteral("판매 줄이 150줄을 넘을 수 없습니다."));
  // The last line: the cursor stays on its code cell.
  EXPECT_TRUE(m.PutGdsRow(150, {}));
  EXPECT_EQ(m.vaSpread1->ActiveRow(), 150);
  EXPECT_EQ(m.vaSpread1->ActiveCol(), ColCode);

  // Enter on the last line holding goods is the payment key: no further line.
  for (int r = 1; r <= 150; ++r) SetCellText(m.vaSpread1, r, ColGdsKey, "1");
  s.ClearLog();
  SetCellText(m.vaSpread1, 150, ColCode, "8801094013007");
  m.vaSpread1->SetActiveCell(ColCode, 150);
  int key = 13, shift = 0;
  m.vaSpread1_KeyDown(key, shift);
  ASSERT_EQ(s.Log().size(), 1);
  EXPECT_EQ(s.Log()[0].text, QStringLiteral("* 판매금액(합계) 오류발생 !"));
  EXPECT_EQ(Cell(m, 150, ColPrice), "880");
}

TEST_F(SaleScreenTest, MovedWorkDateAsksOnceAndOnlyATypedCodeIsTakenOff) {
  Login();
  frmMain &m = *main_;
  m.show();
  const QDate today = clock::Now().date();
  auto moveDate = [&m, today] {
    const QDate d = today.addDays(-3);
    giWrkYear = int16_t(d.year());
    giWrkMonth = int16_t(d.month());
    giWrkDay = int16_t(d.day());
    giWrkDateChanged = 1;
  };
  {
    // A replayed chit: asked, put back to today, but its line stays.
    moveDate();
    m.mbRecallRunning = true;
    Script s;
    s.Input("wrong");
    TypeCode(m, "8801043014809");
    m.mbRecallRunning = false;
    ASSERT_EQ(s.Log().size(), 2);
    EXPECT_EQ(s.Log()[0].text, QStringLiteral("날짜가 틀립니다..계속진행하려면 비밀번호를 입력하세요."));
    EXPECT_EQ(s.Log()[0].echo, dialogs::Echo::Password);
    EXPECT_EQ(s.Log()[1].title, QStringLiteral("날짜변경"));
    EXPECT_EQ(giWrkDay, today.day());
    EXPECT_EQ(m.dtpWrkDate->date(), today);
    EXPECT_EQ(giWrkDateChanged, 0);
    EXPECT_EQ(Cell(m, 1, ColGdsKey), "1");
  }
  {
    // Typed by the cashier with the right password: the date stays, the code comes off.
    SetCellText(m.vaSpread1, 1, ColGdsKey, "");
    ClearGrid(m.vaSpread1);
    moveDate();
    Script s;
    s.Input("1234");
    TypeCode(m, "8801043014809");
    ASSERT_EQ(s.Log().size(), 1);
    EXPECT_EQ(giWrkDay, today.addDays(-3).day());
    EXPECT_EQ(Cell(m, 1, ColGdsKey), "");
    // Asked once per change.
    TypeCode(m, "8801043014809");
    EXPECT_EQ(s.Log().size(), 1);
  }
}
