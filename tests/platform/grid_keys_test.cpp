// The grid's keys as the sale screen relies on them: a stopped key still types its
// character, the editor's text is the cell's value, and the cursor leaves a cell only
// where the owner lets it.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <array>
#include <QTableWidget>
#include <QTest>

#include "platform/grid.h"
#include "platform/keys.h"

using orv::Grid;
using namespace orv::keys;

namespace {

class GridOwner : public ::testing::Test {
 protected:
  void SetUp() override {
    grid = new Grid(&owner);
    grid->SetMaxCols(3);
    grid->SetMaxRows(5);
    owner.resize(500, 400);
    owner.show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    grid->setFocus();
    grid->SetActiveCell(1, 1);
  }
  void Type(const QString &s) {
    for (QChar ch : s) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
  }
  QWidget owner;
  Grid *grid = nullptr;
};

}  // namespace

TEST_F(GridOwner, AStoppedKeyStillTypesItsCharacterUnlessTheFilterDropsIt) {
  std::vector<int> chars;
  QObject::connect(grid, &Grid::KeyDown, [](int &key, int &) { key = 0; });
  QObject::connect(grid, &Grid::KeyPress, [&](int &ch) {
    chars.push_back(ch);
    if (ch == 'x') ch = 0;
  });
  Type("1ax2");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  // Enter and Esc type nothing; the stopped Down moved nothing.
  EXPECT_EQ(chars, (std::vector<int>{'1', 'a', 'x', '2'}));
  EXPECT_EQ(grid->CellValue(1, 1), "1a2");
  EXPECT_EQ(grid->ActiveRow(), 1);
}

TEST_F(GridOwner, TheEditorsTextIsTheCellsValueAndIsInTheCellBeforeKeyDown) {
  QString seenAtF2;
  QObject::connect(grid, &Grid::KeyDown, [&](int &key, int &) {
    if (key == vbKeyF1 + 1) {
      seenAtF2 = grid->table()->item(0, 0) ? grid->table()->item(0, 0)->text() : QString();
      key = 0;
    }
  });
  QObject::connect(grid, &Grid::EditChange, [&](int col, int row) {
    // The owner rewrites the cell while it is being typed into.
    grid->SetRow(row);
    grid->SetCol(col);
    if (grid->Value().endsWith('9')) grid->SetValue("0");
  });
  Type("12");
  EXPECT_EQ(grid->CellValue(1, 1), "12");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
  EXPECT_EQ(seenAtF2, "12");
  Type("9");
  auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), "0");
  Type("5");
  EXPECT_EQ(grid->CellValue(1, 1), "05");
}

TEST_F(GridOwner, TheCursorLeavesACellOnlyWhereTheOwnerLetsIt) {
  std::vector<std::array<int, 4>> leaves;
  bool stay = true;
  QObject::connect(grid, &Grid::LeaveCell, [&](int col, int row, int newCol, int newRow, bool &cancel) {
    leaves.push_back({col, row, newCol, newRow});
    cancel = stay;
  });
  grid->SetRow(3);
  grid->SetCol(3);
  grid->SetValue("x");
  QTest::keyClick(grid->table(), Qt::Key_Down);
  const QRect r = grid->table()->visualItemRect(grid->table()->item(2, 2));
  QTest::mouseClick(grid->table()->viewport(), Qt::LeftButton, {}, r.center());
  EXPECT_EQ(grid->ActiveRow(), 1);
  EXPECT_EQ(grid->ActiveCol(), 1);
  ASSERT_EQ(leaves.size(), 2u);
  EXPECT_EQ(leaves[0], (std::array<int, 4>{1, 1, 1, 2}));
  // Moves made by the program raise nothing.
  grid->SetActiveCell(2, 4);
  grid->SetRow(1);
  grid->SetAction(Grid::kActionDeleteRow);
  EXPECT_EQ(leaves.size(), 2u);
  stay = false;
  const int before = grid->ActiveRow();
  QTest::keyClick(grid->table(), Qt::Key_Up);
  EXPECT_EQ(grid->ActiveRow(), before - 1);
  EXPECT_EQ(leaves.size(), 3u);
}
