#pragma once
// The grid of the forms: rows and columns counted from 1, a current cell (Row, Col) or a
// block (Row..Row2, Col..Col2 with BlockMode) that the cell properties act on, numbered
// actions, and keys handed to the owner in Windows virtual-key codes before the grid
// reacts to them. While a cell is being edited its value is the editor's text.
#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>
#include <QWidget>

class QTableWidget;
class QTableWidgetItem;
class QKeyEvent;
class QLineEdit;
class QModelIndex;

namespace orv {

// Cuts every connection from the receiver's children to it. A form whose children signal
// it (the grids' focus signals fire while the window's children are deleted) calls this
// first in its destructor, so no slot runs on a form half destroyed.
void DisconnectChildSignals(QObject &receiver);

class Grid : public QWidget {
  Q_OBJECT
 public:
  // Action codes.
  enum : int {
    kActionActiveCell = 0,  // make (Row, Col) the active cell
    kActionDeleteRow = 5,   // delete row Row (or the block's rows); the row count stays
    kActionClearText = 12,  // empty the values of the cell or block; locks and colours stay
  };
  // Cell types.
  enum : int {
    kCellTypeEdit = 1,
    kCellTypeCheckBox = 10,  // a check box whose value is "1" (checked) or "0"
  };

  explicit Grid(QWidget *parent = nullptr);
  ~Grid() override;

  int MaxRows() const;
  void SetMaxRows(int rows);  // 0 empties the grid
  int MaxCols() const;
  void SetMaxCols(int cols);

  // The current cell or block. -1 stands for every row (or column).
  int Row() const { return row_; }
  void SetRow(int row) { row_ = row; }
  int Col() const { return col_; }
  void SetCol(int col) { col_ = col; }
  int Row2() const { return row2_; }
  void SetRow2(int row) { row2_ = row; }
  int Col2() const { return col2_; }
  void SetCol2(int col) { col2_ = col; }
  bool BlockMode() const { return blockMode_; }
  void SetBlockMode(bool on) { blockMode_ = on; }

  // Runs an action on the current cell or block. Unknown codes do nothing.
  void SetAction(int action);

  // Value and Text of the current cell (Row, Col), also in block mode.
  QString Value() const;
  void SetValue(const QString &value);
  QString Text() const { return Value(); }
  void SetText(const QString &text) { SetValue(text); }
  // A cell's value without moving Row and Col.
  QString CellValue(int row, int col) const;
  // A number that changes whenever a cell of the row may have changed (a value, a colour,
  // rows put in or taken out anywhere); 0 while one of its cells is being edited, since the
  // editor's text changes without a trace. A caller that keeps what it read of a row
  // re-reads it when the number differs.
  quint64 RowStamp(int row) const;

  // Lock and colours (&HBBGGRR) of the current cell, or set on the whole block. Set with
  // Row -1 they also hold for rows added later.
  bool Lock() const;
  void SetLock(bool locked);
  long BackColor() const;
  void SetBackColor(long bgr);
  long ForeColor() const;
  void SetForeColor(long bgr);

  // Type of the current cell, or set on the whole block (Row -1: also rows added later).
  int CellType() const;
  void SetCellType(int type);

  // One row's text colour (&HBBGGRR) in every column.
  void SetRowForeColor(int row, long bgr);

  // A whole list at once, drawn once when it is in: the rows replace every row the grid
  // had (MaxRows becomes their number), each row's cells from column 1 (missing ones
  // empty), with its text colour when given. Column settings (locks, colours, types)
  // hold for the new cells; a check-box cell takes "1" or "0". The cells of hidden
  // columns are read through the grid only (not through table()) until the grid is
  // next changed.
  struct FillRow {
    QStringList cells;
    std::optional<long> fore;
  };
  void FillRows(std::vector<FillRow> rows);

  // The colour of the selected cell while the focus is in the grid and while it is not.
  void SetHighlightColors(long focusedBgr, long unfocusedBgr);
  // The one now shown; -1 while none was set.
  long HighlightColor() const { return highlightNow_; }

  bool ColHidden(int col) const;
  void SetColHidden(int col, bool hidden);
  // Widths in characters of the grid's font.
  double ColWidth(int col) const;
  void SetColWidth(int col, double chars);
  void SetColHeaderText(int col, const QString &text);
  // How a column shows its texts (numbers to the right); the values stay as they are.
  void SetColAlignment(int col, Qt::Alignment align);
  void SetRowHeadersVisible(bool on);

  // The cell with the cursor; 0 when the grid has none.
  int ActiveRow() const;
  int ActiveCol() const;
  void SetActiveCell(int col, int row);

  QTableWidget *table() const { return table_; }

  // The edit caret of the cell being edited moves after its last character.
  void SetCaretToEnd();
  // Sends a key to the grid as if typed: to the open cell editor, else to the grid.
  void SendKey(int vk, int shift, const QString &text = {});

 signals:
  // Before the grid handles a key (also while a cell is being edited; the editor's text is
  // in the cell by then). Setting keyCode to 0 stops the grid's own handling of the key
  // (moves, editing keys), not the character it types; another code replaces the key.
  // Shift: 1 Shift, 2 Ctrl, 4 Alt.
  void KeyDown(int &keyCode, int &shift);
  // The character a key types, after KeyDown (Enter and Esc type none, nor do Ctrl and
  // Alt combinations): 0 drops it, another one replaces it.
  void KeyPress(int &keyAscii);
  // The cashier changed the text of the cell being edited.
  void EditChange(int col, int row);
  // The cashier (mouse, the grid's own moves) is about to leave the active cell; set cancel
  // to stay. Moves made by the program raise nothing.
  void LeaveCell(int col, int row, int newCol, int newRow, bool &cancel);
  void GotFocus();
  void LostFocus();
  // A key let go in the grid or its cell editor.
  void KeyUp(int keyCode, int shift);
  // Mouse on a cell, 1-based.
  void Click(int col, int row);
  void DblClick(int col, int row);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  friend class GridDelegate;
  struct Range {
    int row1, row2, col1, col2;  // 0-based, inclusive; empty when row1 > row2
    bool allRows;
  };
  struct Style {
    std::optional<bool> lock;
    std::optional<long> back, fore;
    std::optional<bool> check;
  };
  Range block() const;
  void applyStyle(QTableWidgetItem *it, const Style &s) const;
  void setStyle(const Style &s);
  QTableWidgetItem *item(int row0, int col0) const;  // created on demand
  const QTableWidgetItem *peek(int row0, int col0) const;
  bool inGrid(int row, int col) const;
  bool handleKey(QObject *target, QKeyEvent *event);
  void deleteRows(int first0, int last0);
  void setCurrentByCode(int row0, int col0);
  void currentMoved(const QModelIndex &now, const QModelIndex &before);
  void editorMade(QLineEdit *editor, int row0, int col0);
  bool editing(int row0, int col0) const;
  bool keyReleased(QKeyEvent *event);
  QTableWidgetItem *newItem(const Style &st, const QString &text, const QBrush &fore) const;
  const FillRow *deferred(int row0, int col0) const;
  void makeDeferred();
  void showHighlight(bool focused);
  void commitEditor();
  void restampRows(int first0, int last0);
  void restampAll();

  QTableWidget *table_;
  int row_ = 1, col_ = 1, row2_ = 1, col2_ = 1;
  bool blockMode_ = false;
  bool reinjecting_ = false;
  bool movingByCode_ = false;
  QPointer<QLineEdit> editor_;
  int editRow0_ = -1, editCol0_ = -1;
  QHash<int, double> widths_;  // widths set by the program, by 0-based column
  QHash<int, Style> colStyles_;  // what cells of a column take when they are made
  QHash<int, Qt::Alignment> colAlign_;  // 0-based column
  std::optional<std::pair<long, long>> highlight_;  // focused, not focused
  long highlightNow_ = -1;
  // The last bulk fill, kept for the cells of its hidden columns, which got no items: a
  // long list's keys and texts the cashier never sees cost most of the fill otherwise.
  std::vector<FillRow> bulk_;
  std::vector<bool> bulkHidden_;  // by 0-based column
  // RowStamp by 0-based row; the last stamp given out.
  std::vector<quint64> rowStamps_;
  quint64 lastStamp_ = 0;
};

}  // namespace orv
