#include "platform/grid.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <functional>
#include <stdexcept>
#include <tuple>

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

// A reader that keeps rows by their stamp must see every change: values, colours, cleared
// text, rows moving, a bulk fill and the cashier's typing.
TEST(Grid, RowStampMovesWithEveryChangeOfItsRow) {
  QWidget owner;
  Grid *g = MakeGrid(owner, 4, 2);
  for (int r = 1; r <= 4; ++r) Put(*g, r, 1, QString::number(r));
  auto stamps = [g] {
    std::vector<quint64> s;
    for (int r = 1; r <= 4; ++r) s.push_back(g->RowStamp(r));
    return s;
  };
  const auto start = stamps();
  for (quint64 s : start) EXPECT_NE(s, 0u);

  Put(*g, 2, 1, "2");  // the same value: nothing changed
  EXPECT_EQ(stamps(), start);
  Put(*g, 2, 2, "x");
  auto now = stamps();
  EXPECT_NE(now[1], start[1]);
  EXPECT_EQ(now[0], start[0]);
  EXPECT_EQ(now[2], start[2]);

  auto moves = [&](const char *what, const std::function<void()> &change, int row) {
    const auto before = stamps();
    change();
    EXPECT_NE(stamps()[size_t(row - 1)], before[size_t(row - 1)]) << what;
  };
  moves("colour", [&] { g->SetRow(3); g->SetCol(1); g->SetBackColor(0x00FF00); }, 3);
  moves("cleared", [&] { g->SetRow(3); g->SetAction(Grid::kActionClearText); }, 3);
  moves("row deleted above", [&] { g->SetRow(1); g->SetAction(Grid::kActionDeleteRow); }, 4);
  moves("bulk fill", [&] { g->FillRows({{{"a"}, {}}, {{"b"}, {}}, {{"c"}, {}}, {{"d"}, {}}}); }, 2);
  moves("row count", [&] { g->SetMaxRows(5); }, 1);

  ASSERT_TRUE(ShowActive(owner, *g));
  g->SetActiveCell(1, 1);
  const quint64 beforeTyping = g->RowStamp(1);
  Type("7");
  EXPECT_EQ(g->RowStamp(1), 0u);  // the editor's text is not in any stamp
  Enter();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(g->CellValue(1, 1), "7");
  EXPECT_NE(g->RowStamp(1), beforeTyping);
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

TEST(GridLists, BulkFillReplacesRowsWithColumnSettingsAndRowColours) {
  QWidget owner;
  Grid *g = MakeGrid(owner, 3, 4);
  Put(*g, 3, 4, "old");
  g->SetRow(-1);
  g->SetCol(-1);
  g->SetLock(true);
  g->SetCol(2);
  g->SetCellType(Grid::kCellTypeCheckBox);
  g->FillRows({{{"a", "1", "b"}, std::nullopt}, {{}, 0x0080C0FF}, {{"c", "0", "", "d"}, {}}});
  EXPECT_TRUE(g->table()->updatesEnabled());
  ASSERT_EQ(g->MaxRows(), 3);
  EXPECT_EQ(g->CellValue(1, 3), "b");
  EXPECT_EQ(g->CellValue(1, 4), "");
  EXPECT_EQ(g->CellValue(3, 4), "d");  // the old row's text is gone, the new one in
  EXPECT_EQ(g->CellValue(1, 2), "1");
  EXPECT_EQ(g->CellValue(2, 2), "0");
  EXPECT_EQ(g->table()->item(0, 1)->checkState(), Qt::Checked);
  for (int c = 1; c <= 4; ++c) {
    g->SetRow(2);
    g->SetCol(c);
    EXPECT_EQ(g->ForeColor(), 0x0080C0FF) << c;  // the whole row, empty cells too
    EXPECT_TRUE(g->Lock()) << c;
    g->SetRow(3);
    EXPECT_EQ(g->ForeColor(), colors::kBlack) << c;
    EXPECT_TRUE(g->Lock()) << c;
  }
  g->SetRowForeColor(3, 0xFF);
  g->SetRow(3);
  g->SetCol(1);
  EXPECT_EQ(g->ForeColor(), 0xFF);
  g->FillRows({});
  EXPECT_EQ(g->MaxRows(), 0);
}

// Hidden cells of a bulk fill read back as any other cell, before and after the grid changes.
TEST(GridLists, HiddenCellsOfABulkFillReadBackAndSurviveChanges) {
  QWidget owner;
  Grid *g = MakeGrid(owner, 0, 3);
  g->SetColHidden(2, true);
  g->SetColHidden(3, true);
  g->FillRows({{{"a", "k1", "x"}, 0xFF}, {{"b", "k2"}, {}}, {{"c", "k3", "z"}, {}}});
  EXPECT_EQ(g->CellValue(2, 2), "k2");
  EXPECT_EQ(g->CellValue(2, 3), "");
  g->SetRow(1);
  g->SetCol(3);
  EXPECT_EQ(g->ForeColor(), 0xFF);
  g->SetAction(Grid::kActionDeleteRow);  // rows move up with their hidden cells
  EXPECT_EQ(g->CellValue(1, 2), "k2");
  EXPECT_EQ(g->CellValue(2, 3), "z");
  EXPECT_EQ(g->CellValue(3, 2), "");
  g->SetColHidden(2, false);
  ASSERT_NE(g->table()->item(1, 1), nullptr);
  EXPECT_EQ(g->table()->item(1, 1)->text(), "k3");
  g->SetMaxRows(0);
  g->SetMaxRows(2);
  EXPECT_EQ(g->CellValue(1, 2), "");
}

TEST(GridLists, CheckBoxCellsReadOneOrZeroAndLockedOnesStayOutOfTheCashiersHands) {
  QWidget owner;
  Grid *g = MakeGrid(owner, 3, 2);
  g->SetRow(-1);
  g->SetCol(2);
  g->SetCellType(Grid::kCellTypeCheckBox);
  g->SetLock(true);
  g->SetMaxRows(0);
  g->SetMaxRows(3);  // rows added later take the type too
  g->SetRow(2);
  EXPECT_EQ(g->CellType(), Grid::kCellTypeCheckBox);
  EXPECT_EQ(g->Value(), "0");
  g->SetValue("1");
  EXPECT_EQ(g->Value(), "1");
  EXPECT_EQ(g->table()->item(1, 1)->text(), "");  // a box, no text
  EXPECT_FALSE(g->table()->item(1, 1)->flags() & Qt::ItemIsUserCheckable);
  g->SetAction(Grid::kActionClearText);
  EXPECT_EQ(g->Value(), "0");
  g->SetCol(1);
  EXPECT_EQ(g->CellType(), Grid::kCellTypeEdit);
  g->SetValue("1");
  EXPECT_EQ(g->Value(), "1");  // a text cell keeps its text
  g->SetCol(2);
  g->SetLock(false);
  EXPECT_TRUE(g->table()->item(1, 1)->flags() & Qt::ItemIsUserCheckable);
  g->SetCellType(Grid::kCellTypeEdit);  // back to text: the box goes
  g->SetValue("x");
  EXPECT_EQ(g->Value(), "x");
}

TEST(GridLists, MouseAndKeyUpReachTheOwnerOneBased) {
  QWidget owner;
  Grid *g = MakeGrid(owner, 4, 3);
  ASSERT_TRUE(ShowActive(owner, *g));
  std::vector<std::tuple<char, int, int>> seen;
  QObject::connect(g, &Grid::Click, [&](int col, int row) { seen.emplace_back('c', col, row); });
  QObject::connect(g, &Grid::DblClick, [&](int col, int row) { seen.emplace_back('d', col, row); });
  QObject::connect(g, &Grid::KeyUp, [&](int key, int shift) { seen.emplace_back('u', key, shift); });
  QWidget *vp = g->table()->viewport();
  const QPoint cell = g->table()->visualRect(g->table()->model()->index(2, 1)).center();
  QTest::mouseClick(vp, Qt::LeftButton, {}, cell);
  QTest::mouseDClick(vp, Qt::LeftButton, {}, cell);
  QTest::keyClick(g->table(), Qt::Key_Down, Qt::ShiftModifier);
  auto saw = [&](std::tuple<char, int, int> e) {
    return std::find(seen.begin(), seen.end(), e) != seen.end();
  };
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0], std::make_tuple('c', 2, 3));
  EXPECT_TRUE(saw({'d', 2, 3}));
  EXPECT_TRUE(saw({'u', int(orv::keys::vbKeyDown), int(orv::keys::vbShiftMask)}));
}

TEST(GridLists, HighlightFollowsTheFocus) {
  QWidget owner;
  Grid *g = MakeGrid(owner, 4, 3);
  auto *other = new QLineEdit(&owner);
  other->move(0, 300);
  EXPECT_EQ(g->HighlightColor(), -1);
  const long blue = colors::Rgb(128, 128, 255), grey = colors::Rgb(128, 128, 128);
  g->SetHighlightColors(blue, grey);
  EXPECT_EQ(g->HighlightColor(), grey);
  ASSERT_TRUE(ShowActive(owner, *g));
  EXPECT_EQ(g->HighlightColor(), blue);
  EXPECT_EQ(colors::ToBgr(g->table()->palette().color(QPalette::Active, QPalette::Highlight)), blue);
  other->setFocus();
  EXPECT_EQ(g->HighlightColor(), grey);
  EXPECT_EQ(colors::ToBgr(g->table()->palette().color(QPalette::Inactive, QPalette::Highlight)), grey);
}
