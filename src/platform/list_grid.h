#pragma once
// A read-mostly list grid for large results: a table view over a model of rows. Each row
// keeps its fields; the texts, colours and bold of its cells are computed from them by a
// formatter, so a row costs its fields and nothing per cell. Rows and columns count from
// 1 and widths are in the same character units as Grid, so saved widths fit both.
#include <QString>
#include <QVariant>
#include <QVector>
#include <QWidget>
#include <functional>

class QTableView;

namespace orv {

struct ListCell {
  QString text;
  long fore = -1;  // &HBBGGRR, -1 the default
  long back = -1;
  bool bold = false;
};

using ListFields = QVector<QVariant>;

// Compares two texts without regard to ASCII letter case, then by code points: the order
// of the database's folded sort.
int FoldCompare(const QString &a, const QString &b);

class ListModel;

class ListGrid : public QWidget {
  Q_OBJECT
 public:
  // Column 1-based; the check column's text is "1" or "0" and is not asked of it.
  using Formatter = std::function<ListCell(const ListFields &fields, int col)>;
  struct SortKey {
    int col;
    bool ascending = true;
  };

  explicit ListGrid(QWidget *parent = nullptr);
  ~ListGrid() override;

  int MaxCols() const;
  void SetMaxCols(int cols);
  void SetColHeaderText(int col, const QString &text);
  void SetFormatter(Formatter f);

  int MaxRows() const;
  void Clear();  // no rows, no active cell
  void AppendRows(QVector<ListFields> rows);
  const ListFields &Fields(int row) const;
  void SetFields(int row, ListFields fields);
  void SetField(int row, int index, const QVariant &value);

  QString CellValue(int row, int col) const;  // trimmed text; "" outside the grid
  ListCell Cell(int row, int col) const;

  // The check column (0 none): a check box per row, kept by the row.
  void SetCheckCol(int col);
  int CheckCol() const { return checkCol_; }
  bool Checked(int row) const;
  void SetChecked(int row, bool on);

  // 0 when the grid has no rows.
  int ActiveRow() const;
  int ActiveCol() const;
  void SetActiveCell(int col, int row);

  double ColWidth(int col) const;
  void SetColWidth(int col, double chars);
  bool ColHidden(int col) const;
  void SetColHidden(int col, bool hidden);
  bool RowHidden(int row) const;
  void SetRowHidden(int row, bool hidden);
  void SetRowHeight(int pixels);
  void SetHeaderBold(bool on);

  // Sorts every row by up to three keys, stably, comparing cell texts with FoldCompare
  // (the check column compares checked after unchecked).
  void SortRows(const QVector<SortKey> &keys);
  // Painting off while rows are rebuilt.
  void SetReDraw(bool on);

  QTableView *view() const { return view_; }

 signals:
  // Before the grid handles a key. Setting keyCode to 0 swallows it. Shift: 1, 2 Ctrl, 4 Alt.
  void KeyDown(int &keyCode, int &shift);
  void KeyPress(int &keyAscii);
  void KeyUp(int keyCode, int shift);
  void DblClick(int row, int col);
  void Click(int row, int col);
  void GotFocus();
  void LostFocus();
  void ActiveRowChanged(int row);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  QTableView *view_;
  ListModel *model_;
  int checkCol_ = 0;
  QVector<double> widths_;  // widths set by the program, by 0-based column (-1 none)
};

}  // namespace orv
