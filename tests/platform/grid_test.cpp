#include "platform/grid.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>
#include <QTest>
#include <stdexcept>

#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/keys.h"

using orv::Grid;
namespace colors = orv::colors;

namespace {

Grid *MakeGrid(QWidget &owner, int rows, int cols) {
  auto *g = new Grid(&owner);
  g->SetMaxCols(cols);
  g->SetMaxRows(rows);
  return g;
}

void Put(Grid &g, int row, int col, const QString &text) {
  g.SetRow(row);
  g.SetCol(col);
  g.SetValue(text);
}

// Shows the window, makes it active and puts the focus in the grid.
bool ShowActive(QWidget &owner, Grid &g) {
  owner.resize(500, 400);
  owner.show();
  owner.activateWindow();
  if (!QTest::qWaitForWindowActive(&owner)) return false;
  g.setFocus();
  return QApplication::focusWidget() == g.table();
}

// Keys as the cashier types them: each to whatever has the focus.
void Type(const QString &keys) {
  for (QChar ch : keys) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
}

// The editor hands its text to the cell a moment after Enter.
void Enter() {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QCoreApplication::processEvents();
}

// Whole-grid clear as the forms do it: values emptied, unlocked, white, cursor home.
void ClearLikeTheForms(Grid &g) {
  g.SetRow(1);
  g.SetRow2(g.MaxRows());
  g.SetCol(1);
  g.SetCol2(g.MaxCols());
  g.SetBlockMode(true);
  g.SetAction(Grid::kActionClearText);
  g.SetLock(false);
  g.SetBackColor(colors::kWhite);
  g.SetBlockMode(false);
  g.SetRow(1);
  g.SetCol(1);
  g.SetAction(Grid::kActionActiveCell);
}

}  // namespace

TEST(Colors, BgrNumbersBecomeColours) {
  EXPECT_EQ(colors::FromBgr(0xDDC9DE), QColor(222, 201, 221));
  EXPECT_EQ(colors::FromBgr(0x0080FFFF), QColor(255, 255, 128));
  EXPECT_EQ(colors::FromBgr(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(colors::ToBgr(QColor(207, 223, 213)), 0xD5DFCF);
  EXPECT_EQ(colors::Rgb(255, 255, 0), 0x00FFFF);
}

TEST(Grid, CellsAreOneBasedAndOutsideCellsAreIgnored) {
  QWidget owner;
  Grid *g = MakeGrid(owner, 150, 22);
  Put(*g, 1, 1, "8801234567890");
  Put(*g, 150, 22, " 12 ");
  Put(*g, 3, 2, "새우깡 90g");
  EXPECT_EQ(g->CellValue(1, 1), "8801234567890");
  EXPECT_EQ(g->CellValue(150, 22), " 12 ");  // blanks kept; trimming is the caller's
  EXPECT_EQ(g->table()->item(2, 1)->text(), "새우깡 90g");
  g->SetRow(3);
  g->SetCol(2);
  EXPECT_EQ(g->Value(), "새우깡 90g");
  EXPECT_EQ(g->Text(), "새우깡 90g");
  g->SetRow(4);
  EXPECT_EQ(g->Value(), "");

  const std::pair<int, int> outside[] = {{0, 1}, {1, 0}, {151, 1}, {1, 23}, {-5, 3}};
  for (auto [r, c] : outside) {
    Put(*g, r, c, "x");
    EXPECT_EQ(g->CellValue(r, c), "") << r << "," << c;
  }
  EXPECT_EQ(g->MaxRows(), 150);
  EXPECT_EQ(g->MaxCols(), 22);
}

TEST(Grid, WholeGridClearKeepsSizeAndResetsLocksAndColours) {
  QWidget owner;
  Grid *g = MakeGrid(owner, 150, 22);
  for (int r : {1, 75, 150}) {
    Put(*g, r, 5, "1,000");
    g->SetLock(true);
    g->SetBackColor(0x0080FFFF);
    g->SetForeColor(0xFF0000);
  }
  g->SetActiveCell(5, 75);

  ClearLikeTheForms(*g);

  EXPECT_EQ(g->MaxRows(), 150);
  EXPECT_EQ(g->MaxCols(), 22);
  EXPECT_FALSE(g->BlockMode());
  EXPECT_EQ(g->ActiveRow(), 1);
  EXPECT_EQ(g->ActiveCol(), 1);
  for (int r : {1, 75, 150}) {
    g->SetRow(r);
    g->SetCol(5);
    EXPECT_EQ(g->Value(), "") << r;
    EXPECT_FALSE(g->Lock()) << r;
    EXPECT_EQ(g->BackColor(), colors::kWhite) << r;
    EXPECT_EQ(g->ForeColor(), 0xFF0000) << r;  // the clear leaves the text colour alone
  }
}

TEST(Grid, ClearTextOfOneCellKeepsItsFormatting) {
  QWidget owner;
  Grid *g = MakeGrid(owner, 5, 3);
  Put(*g, 2, 2, "abc");
  g->SetLock(true);
  g->SetBackColor(0xC0C0C0);
  Put(*g, 2, 3, "keep");
  g->SetCol(2);
  g->SetAction(Grid::kActionClearText);
  EXPECT_EQ(g->Value(), "");
  EXPECT_TRUE(g->Lock());
  EXPECT_EQ(g->BackColor(), 0xC0C0C0);
  EXPECT_EQ(g->CellValue(2, 3), "keep");
}

TEST(Grid, DeleteRowMovesRowsUpAndKeepsTheRowCount) {
  QWidget owner;
  Grid *g = MakeGrid(owner, 5, 2);
  for (int r = 1; r <= 5; ++r) Put(*g, r, 1, QString::number(r));
  g->SetRow(2);
  g->SetAction(Grid::kActionDeleteRow);
  EXPECT_EQ(g->MaxRows(), 5);
  QStringList col1;
  for (int r = 1; r <= 5; ++r) col1 << g->CellValue(r, 1);
  EXPECT_EQ(col1, (QStringList{"1", "3", "4", "5", ""}));

  g->SetRow(9);  // outside: nothing happens
  g->SetAction(Grid::kActionDeleteRow);
  EXPECT_EQ(g->CellValue(2, 1), "3");
}

TEST(Grid, LockOfAllRowsHoldsForRowsAddedLater) {
  QWidget owner;
  Grid *g = MakeGrid(owner, 150, 6);
  g->SetRow(-1);
  g->SetCol(-1);
  g->SetLock(true);
  g->SetMaxRows(0);  // empties the grid
  EXPECT_EQ(g->CellValue(1, 1), "");
  g->SetMaxRows(150);
  g->SetRow(150);
  g->SetCol(6);
  EXPECT_TRUE(g->Lock());
  g->SetValue("set by the program");  // a lock stops typing, not the program
  EXPECT_EQ(g->Value(), "set by the program");
  EXPECT_TRUE(g->Lock());
}

TEST(Grid, TypingEditsOnlyUnlockedCells) {
  QWidget owner;
  Grid *g = MakeGrid(owner, 3, 2);
  Put(*g, 2, 1, "");
  g->SetLock(true);
  ASSERT_TRUE(ShowActive(owner, *g));

  g->SetActiveCell(1, 1);
  Type("12");
  Enter();
  EXPECT_EQ(g->CellValue(1, 1), "12");

  g->SetActiveCell(1, 2);
  Type("34");
  EXPECT_EQ(g->CellValue(2, 1), "");
}

TEST(Grid, ActiveCellMoves) {
  QWidget owner;
  Grid *g = MakeGrid(owner, 150, 22);
  EXPECT_EQ(g->ActiveRow(), 1);
  EXPECT_EQ(g->ActiveCol(), 1);
  g->SetRow(40);
  g->SetCol(3);
  g->SetAction(Grid::kActionActiveCell);
  EXPECT_EQ(g->ActiveRow(), 40);
  EXPECT_EQ(g->ActiveCol(), 3);
  g->SetActiveCell(4, 7);  // column first
  EXPECT_EQ(g->ActiveRow(), 7);
  EXPECT_EQ(g->ActiveCol(), 4);
  g->SetRow(151);
  g->SetAction(Grid::kActionActiveCell);
  EXPECT_EQ(g->ActiveRow(), 7);
}

TEST(Grid, HiddenColumnsAndWidths) {
  QWidget owner;
  Grid *g = MakeGrid(owner, 10, 22);
  for (int c = 8; c <= 22; ++c) g->SetColHidden(c, true);
  EXPECT_FALSE(g->ColHidden(7));
  EXPECT_TRUE(g->ColHidden(8));
  EXPECT_TRUE(g->ColHidden(22));
  Put(*g, 1, 8, "1234");  // hidden cells still hold data
  EXPECT_EQ(g->CellValue(1, 8), "1234");

  g->SetColWidth(2, 12.5);
  EXPECT_DOUBLE_EQ(g->ColWidth(2), 12.5);
  const int px = g->table()->columnWidth(1);
  g->table()->horizontalHeader()->resizeSection(1, px * 2);  // dragged by the cashier
  EXPECT_GT(g->ColWidth(2), 20);
}

class GridKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    grid = MakeGrid(owner, 5, 3);
    QObject::connect(grid, &Grid::KeyDown, [this](int &key, int &shift) {
      seen.push_back({key, shift});
      if (onKeyDown) onKeyDown(key, shift);
    });
    QObject::connect(grid, &Grid::KeyPress, [this](int &ch) {
      chars.push_back(ch);
      if (onKeyPress) onKeyPress(ch);
    });
    ASSERT_TRUE(ShowActive(owner, *grid));
    grid->SetActiveCell(1, 1);
  }
  QWidget owner;
  Grid *grid = nullptr;
  std::vector<std::pair<int, int>> seen;
  std::vector<int> chars;
  std::function<void(int &, int &)> onKeyDown;
  std::function<void(int &)> onKeyPress;
};

TEST_F(GridKeys, OwnerSeesVirtualKeyCodesWithShiftState) {
  QTest::keyClick(grid->table(), Qt::Key_F10);
  QTest::keyClick(grid->table(), Qt::Key_F1, Qt::ShiftModifier);
  QTest::keyClick(grid->table(), Qt::Key_Down);
  QTest::keyClick(grid->table(), Qt::Key_Escape);
  using namespace orv::keys;
  const std::vector<std::pair<int, int>> expected = {
      {vbKeyF1 + 9, 0}, {vbKeyShift, vbShiftMask}, {vbKeyF1, vbShiftMask},
      {vbKeyDown, 0},   {vbKeyEscape, 0}};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(grid->ActiveRow(), 2);  // Down reached the grid
}

TEST_F(GridKeys, OwnerSwallowsOrReplacesKeys) {
  using namespace orv::keys;
  onKeyDown = [](int &key, int &) {
    if (key == vbKeyDown) key = 0;  // swallowed
    if (key == vbKeyA) key = vbKey0 + 7;  // typed as 7
  };
  QTest::keyClick(grid->table(), Qt::Key_Down);
  EXPECT_EQ(grid->ActiveRow(), 1);
  Type("a");
  Enter();
  EXPECT_EQ(grid->CellValue(1, 1), "7");
  EXPECT_EQ(seen.back().first, vbKeyReturn);  // the editor's keys come through too
}

TEST_F(GridKeys, OwnerChangesOrDropsTypedCharacters) {
  onKeyPress = [](int &ch) {
    if (ch == '-') ch = 0;
    if (ch == 'x') ch = 'y';
  };
  Type("1-x2");
  Enter();
  EXPECT_EQ(grid->CellValue(1, 1), "1y2");
  EXPECT_EQ(chars.front(), '1');
}

TEST_F(GridKeys, FocusSignalsIgnoreTheGridsOwnEditor) {
  auto *other = new QLineEdit(&owner);
  other->move(0, 300);
  other->show();
  int got = 0, lost = 0;
  QObject::connect(grid, &Grid::GotFocus, [&] { ++got; });
  QObject::connect(grid, &Grid::LostFocus, [&] { ++lost; });
  other->setFocus();
  got = lost = 0;
  grid->setFocus();
  EXPECT_EQ(got, 1);
  Type("5");  // opens the cell editor inside the grid
  EXPECT_NE(QApplication::focusWidget(), grid->table());
  EXPECT_EQ(lost, 0);
  other->setFocus();
  EXPECT_EQ(lost, 1);
}

// A key slot that closes its form deletes the grid in the middle of its own key handling.
TEST(GridKeyGuard, SlotThatDeletesTheGridEndsTheKey) {
  using namespace orv::keys;
  struct Case {
    Qt::Key key;
    bool inKeyPress;  // deleted from the character slot instead of the key slot
    bool replace;     // the key slot puts another key in place first
  };
  for (const Case &c : {Case{Qt::Key_Return, false, false}, Case{Qt::Key_5, false, false},
                        Case{Qt::Key_5, true, false}, Case{Qt::Key_A, false, true}}) {
    auto *form = new QWidget;
    Grid *grid = MakeGrid(*form, 5, 3);
    QPointer<QWidget> alive(form);
    QObject::connect(grid, &Grid::KeyDown, [&, form](int &key, int &) {
      if (c.replace) key = vbKey0 + 7;
      if (!c.inKeyPress) delete form;
    });
    QObject::connect(grid, &Grid::KeyPress, [&, form](int &) {
      if (c.inKeyPress) delete form;
    });
    ASSERT_TRUE(ShowActive(*form, *grid));
    grid->SetActiveCell(1, 1);
    QTest::keyClick(grid->table(), c.key);
    EXPECT_TRUE(alive.isNull()) << c.key;
    delete alive.data();
  }
}

// A re-sent key whose handling throws leaves the grid taking keys as before.
TEST_F(GridKeys, ThrowingResentKeyLeavesTheGridWorking) {
  using namespace orv::keys;
  struct ThrowOnB : QObject {
    bool eventFilter(QObject *, QEvent *e) override {
      if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->key() == Qt::Key_B)
        throw std::runtime_error("re-sent key failed");
      return false;
    }
  } thrower;
  grid->table()->installEventFilter(&thrower);
  onKeyDown = [](int &key, int &) {
    if (key == vbKeyA) key = vbKeyA + 1;  // B
  };
  orv::dialogs::Script script;
  QTest::keyClick(grid->table(), Qt::Key_A);
  EXPECT_EQ(script.Texts(), QStringList{QStringLiteral("오류번호 : 0\r\n오류내용 : re-sent key failed")});
  grid->table()->removeEventFilter(&thrower);
  seen.clear();
  QTest::keyClick(grid->table(), Qt::Key_Down);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].first, vbKeyDown);
  EXPECT_EQ(grid->ActiveRow(), 2);
}
