#include <gtest/gtest.h>


#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QListWidget>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/card_ret.h"
#include "core/helpers.h"
#include "core/state.h"
#include "core/pos_settings.h"
#include "platform/grid.h"
#include "test_support.h"

TEST(RecordsetHelpers, OpenCountsRowsAndCloseEmpties) {
  auto dir = orvtest::MakeTempDir();
  orv::db::Connection conn;
  conn.Open(orvtest::NewSqliteDatabase(dir->path()));
  conn.Execute("CREATE TABLE T (a int)");

  orv::db::Recordset rs;
  EXPECT_EQ(OpenRs(conn, rs, "SELECT a FROM T"), 0);
  EXPECT_TRUE(rs.IsOpen());
  EXPECT_TRUE(rs.Eof());
  CloseRs(rs);
  EXPECT_FALSE(rs.IsOpen());
  CloseRs(rs);  // an empty variable is left alone

  conn.Execute("INSERT INTO T VALUES (1), (2), (3)");
  EXPECT_EQ(OpenRs(conn, rs, "SELECT a FROM T ORDER BY a"), 3);
  EXPECT_EQ(rs.Field("A").toInt(), 1);
  // Errors reach the caller.
  EXPECT_THROW(OpenRs(conn, rs, "SELECT nope FROM T"), orv::db::DbError);
}

TEST(ControlLock, DisableThenEnableSparesTaggedAndOptionButtons) {
  QDialog window;
  auto *layout = new QVBoxLayout(&window);
  auto *text = new QLineEdit;
  auto *button = new QPushButton("b");
  auto *option = new QRadioButton("o");
  auto *grid = new orv::Grid;
  auto *table = new QTableWidget(3, 3);
  auto *taggedGrid = new orv::Grid;
  taggedGrid->setProperty("Tag", "1");
  // Never touched: lists, combo and date boxes (nor the editors inside them).
  auto *list = new QListWidget;
  auto *combo = new QComboBox;
  combo->setEditable(true);
  auto *date = new QDateEdit;
  auto *check = new QCheckBox("c");
  auto *taggedText = new QLineEdit;
  taggedText->setProperty("Tag", "1");
  auto *taggedButtonOff = new QPushButton("t");
  taggedButtonOff->setProperty("Tag", 1);
  taggedButtonOff->setEnabled(false);
  auto *frame = new QGroupBox;  // controls inside frames are walked too
  auto *inner = new QLineEdit(frame);
  for (QWidget *w : std::initializer_list<QWidget *>{text, button, option, grid, table, check,
                                                     taggedText, taggedButtonOff, frame,
                                                     taggedGrid, list, combo, date})
    layout->addWidget(w);
  option->setEnabled(false);

  DisableControls(&window);
  EXPECT_FALSE(text->isEnabled());
  EXPECT_FALSE(button->isEnabled());
  EXPECT_FALSE(grid->isEnabled());
  EXPECT_FALSE(table->isEnabled());
  EXPECT_FALSE(inner->isEnabled());
  EXPECT_TRUE(taggedGrid->isEnabled());
  EXPECT_TRUE(taggedGrid->table()->isEnabled());
  EXPECT_TRUE(list->isEnabled());
  EXPECT_TRUE(combo->lineEdit()->isEnabled());
  EXPECT_TRUE(date->findChild<QLineEdit *>()->isEnabled());
  EXPECT_TRUE(check->isEnabled());   // check boxes are never touched
  EXPECT_TRUE(frame->isEnabled());
  EXPECT_FALSE(option->isEnabled());  // was off, a lock does not switch it on
  EXPECT_TRUE(taggedText->isEnabled());

  EnableControls(&window);
  for (QWidget *w : std::initializer_list<QWidget *>{text, button, option, grid, table, inner, check})
    EXPECT_TRUE(w->isEnabled());
  EXPECT_TRUE(grid->table()->isEnabled());
  EXPECT_FALSE(taggedButtonOff->isEnabled());  // Tag 1: left as it was

  option->setEnabled(true);
  DisableControls(&window);
  EXPECT_TRUE(option->isEnabled());  // option buttons stay usable during a lock
}

TEST(GridCells, ReadTrimmedWriteAndClear) {
  orv::Grid grid;
  grid.SetMaxCols(4);
  grid.SetMaxRows(150);
  SetCellText(&grid, 2, 3, "  12 ");
  EXPECT_EQ(GetCellText(&grid, 2, 3), "12");
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(grid.Col(), 3);
  EXPECT_EQ(GetCellText(&grid, 150, 4), "");
  EXPECT_EQ(grid.CellValue(2, 3), "  12 ");

  SetCellText(&grid, 150, 4, "x");
  grid.SetRow(5);
  grid.SetCol(2);
  grid.SetLock(true);
  grid.SetBackColor(0x0000FF);
  grid.SetActiveCell(3, 7);
  ClearGrid(&grid);
  EXPECT_EQ(grid.MaxRows(), 150);
  EXPECT_EQ(grid.MaxCols(), 4);
  EXPECT_FALSE(grid.BlockMode());
  EXPECT_EQ(grid.ActiveRow(), 1);
  EXPECT_EQ(grid.ActiveCol(), 1);
  for (int r : {1, 2, 5, 150})
    for (int c = 1; c <= 4; ++c) {
      EXPECT_EQ(grid.CellValue(r, c), "") << r << "," << c;
      grid.SetRow(r);
      grid.SetCol(c);
      EXPECT_FALSE(grid.Lock()) << r << "," << c;
      EXPECT_EQ(grid.BackColor(), 0xFFFFFF) << r << "," << c;
    }
}

TEST(OnOffColor, ButtonsGetBackgroundOthersAlsoText) {
  const QColor on(222, 201, 221), off(207, 223, 213);
  QPushButton button;
  QLabel label;
  struct Case {
    int16_t state;
    QColor back;
    QColor fore;
  };
  for (const Case &c : {Case{1, on, Qt::white}, Case{0, off, Qt::black}, Case{2, off, Qt::black}}) {
    const QColor buttonText = button.palette().color(QPalette::ButtonText);
    SetOnOffColor(&button, c.state);
    EXPECT_EQ(button.palette().color(QPalette::Button), c.back) << c.state;
    EXPECT_EQ(button.palette().color(QPalette::ButtonText), buttonText) << c.state;
    SetOnOffColor(&label, c.state);
    EXPECT_EQ(label.palette().color(QPalette::Window), c.back) << c.state;
    EXPECT_EQ(label.palette().color(QPalette::WindowText), c.fore) << c.state;
  }
}

TEST(MainFormSize, NormalOnLargeScreensMaximisedOtherwise) {
  QWidget w;
  SizeMainFormFor(&w, QSize(1280, 1024));
  EXPECT_FALSE(w.windowState() & Qt::WindowMaximized);
  EXPECT_EQ(w.size(), QSize(15480 / kTwipsPerPixel, qRound(11200.0 / kTwipsPerPixel)));

  SizeMainFormFor(&w, QSize(1024, 768));
  EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
  SizeMainFormFor(&w, QSize(1025, 600));
  EXPECT_FALSE(w.windowState() & Qt::WindowMaximized);

  // Through the registered main window; flag 1 changes nothing.
  QWidget main;
  main.resize(300, 200);
  SetMainFormWindow(&main);
  SizeMainForm(1);
  EXPECT_EQ(main.size(), QSize(300, 200));
  SizeMainForm(0);
  EXPECT_NE(main.size(), QSize(300, 200) ) << "offscreen screen is 800x600: maximised";
  SetMainFormWindow(nullptr);
  SizeMainForm(0);  // nothing to size
}

TEST(CloseByTitle, ClosesOnlyMatchingTopLevelWindows) {
  QWidget a, b, c;
  a.setWindowTitle("원격지원 TeamHelp");
  b.setWindowTitle("teamhelp");
  c.setWindowTitle("Sale");
  auto *child = new QWidget(&c);
  child->setWindowTitle("TeamHelp child");
  for (QWidget *w : {&a, &b, &c}) w->show();
  child->show();
  CloseWindowByTitle("TeamHelp");
  EXPECT_FALSE(a.isVisible());
  EXPECT_TRUE(b.isVisible());  // case-sensitive
  EXPECT_TRUE(c.isVisible());
  EXPECT_TRUE(child->isVisible());  // not a window of its own
  CloseWindowByTitle("");
  EXPECT_TRUE(b.isVisible());
}

TEST(JuminNo, CheckDigitWithAndWithoutDash) {
  struct Case {
    const char *in;
    bool ok;
    const char *after;
  };
  const Case cases[] = {
      {"9001011234568", true, "9001011234568"},
      {"900101-1234568", true, "9001011234568"},
      {"  900101-1234568 ", true, "9001011234568"},
      {"9001011234567", false, "9001011234567"},
      {"900101100017" "1", true, "9001011000171"},   // remainder 0 needs 1
      {"9001011000170", false, "9001011000170"},
      {"9001011000080", true, "9001011000080"},      // remainder 1 needs 0
      {"900101123456", false, "900101123456"},       // 12 digits
      {"90010112345680", false, "90010112345680"},   // 14 digits
      {"900101-123456", false, "900101123456"},
      {"", false, ""},
      {"   ", false, ""},
  };
  for (const Case &c : cases) {
    QString n = QString::fromUtf8(c.in);
    EXPECT_EQ(CheckJuminNo(n), c.ok) << c.in;
    EXPECT_EQ(n, QString::fromUtf8(c.after)) << c.in;
  }
}

TEST(CardResult, ClearedByClearCardRetAndByTheProgramReset) {
  gtCardRet.CardName = "BC";
  gtCardRet.MeipCode = "3900";
  gtCardRet.GamyNo = "123";
  gtCardRet.Spare = "x";
  gtCardRet.Gum = orv::Currency::Won(1000);
  gtCardRet.Halbu = 3;
  ClearCardRet();
  EXPECT_TRUE(gtCardRet.CardName.isEmpty());
  EXPECT_TRUE(gtCardRet.MeipCode.isEmpty());
  EXPECT_TRUE(gtCardRet.GamyNo.isEmpty());
  EXPECT_TRUE(gtCardRet.Spare.isEmpty());
  EXPECT_TRUE(gtCardRet.Gum.IsZero());
  EXPECT_EQ(gtCardRet.Halbu, 0);

  gtCardRet.CmitNo = "42";
  orv::state::ResetProgramState();
  EXPECT_TRUE(gtCardRet.CmitNo.isEmpty());
}

TEST(OutsideHelpers, SoundReturns) {
  PlayWav("/nonexistent/warn.wav");  // must come back at once
  PlayWav("");
}

TEST(Vat, ContainedInTaxInclusiveAmounts) {
  struct Case {
    int32_t amount;
    int16_t half;
    int32_t vat;
  };
  const Case cases[] = {
      {11000, 0, 1000}, {1000, 0, 91},  {-1000, 0, -91}, {1000, 1, 45}, {-1000, 1, -45},
      {0, 0, 0},        {0, 1, 0},      {1, 0, 0},       {6, 0, 1},     {5, 0, 0},
      {11000, 1, 500},  {11000, 2, 1000},  // only exactly 1 halves
      {999999999, 0, 90909091},
  };
  for (const Case &c : cases)
    EXPECT_EQ(CalcVat(orv::Currency::Won(c.amount), c.half), orv::Currency::Won(c.vat))
        << c.amount << " half " << c.half;
}
