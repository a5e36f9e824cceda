#include "platform/grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/colors.h"
#include "platform/keys.h"

namespace orv {

// Lets the grid see the keys of a cell editor before the editor and the delegate do.
class GridDelegate : public QStyledItemDelegate {
 public:
  explicit GridDelegate(Grid *grid) : QStyledItemDelegate(grid), grid_(grid) {}

  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                        const QModelIndex &index) const override {
    if (index.data(Qt::CheckStateRole).isValid()) return nullptr;  // no text to edit
    QWidget *w = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *edit = qobject_cast<QLineEdit *>(w)) {
      if (auto a = grid_->colAlign_.find(index.column()); a != grid_->colAlign_.end())
        edit->setAlignment(*a);
      grid_->editorMade(edit, index.row(), index.column());
    }
    return w;
  }

 protected:
  void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (auto a = grid_->colAlign_.find(index.column()); a != grid_->colAlign_.end())
      option->displayAlignment = *a;
  }

  bool eventFilter(QObject *editor, QEvent *event) override {
    if (event->type() == QEvent::KeyPress &&
        grid_->handleKey(editor, static_cast<QKeyEvent *>(event)))
      return true;
    if (event->type() == QEvent::KeyRelease &&
        grid_->keyReleased(static_cast<QKeyEvent *>(event)))
      return true;
    return QStyledItemDelegate::eventFilter(editor, event);
  }

 private:
  Grid *grid_;
};

namespace {

constexpr int kWidthPadding = 4;  // pixels beside the characters of a column

Qt::KeyboardModifiers modifiersOf(int shift) {
  Qt::KeyboardModifiers m;
  if (shift & keys::vbShiftMask) m |= Qt::ShiftModifier;
  if (shift & keys::vbCtrlMask) m |= Qt::ControlModifier;
  if (shift & keys::vbAltMask) m |= Qt::AltModifier;
  return m;
}

// The character a key types, for keys put in place of another one.
QString textOf(int vk, int shift) {
  using namespace keys;
  if (shift & (vbCtrlMask | vbAltMask)) return {};
  if (vk >= vbKey0 && vk <= vbKey0 + 9) return QString(QChar('0' + vk - vbKey0));
  if (vk >= vbKeyNumpad0 && vk <= vbKeyNumpad0 + 9) return QString(QChar('0' + vk - vbKeyNumpad0));
  if (vk >= vbKeyA && vk <= vbKeyA + 25)
    return QString(QChar((shift & vbShiftMask ? 'A' : 'a') + vk - vbKeyA));
  switch (vk) {
    case vbKeyReturn: return "\r";
    case vbKeySpace: return " ";
    case vbKeyBack: return "\b";
    case vbKeyEscape: return "\x1b";
    case vbKeyTab: return "\t";
    case vbKeyMultiply: return "*";
    case vbKeyAdd: return "+";
    case vbKeySubtract: return "-";
    case vbKeyDecimal: return ".";
    case vbKeyDivide: return "/";
    default: return {};
  }
}

bool isNumpad(int vk) {
  using namespace keys;
  return (vk >= vbKeyNumpad0 && vk <= vbKeyDivide);
}

}  // namespace

Grid::Grid(QWidget *parent) : QWidget(parent), table_(new QTableWidget(this)) {
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(table_);
  setFocusProxy(table_);
  table_->setItemDelegate(new GridDelegate(this));
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                          QAbstractItemView::EditKeyPressed);
  table_->installEventFilter(this);
  // Hangul composition would hold letters back from the keys: cells take plain keys.
  table_->setAttribute(Qt::WA_InputMethodEnabled, false);
  connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &Grid::currentMoved);
  QAbstractItemModel *model = table_->model();
  connect(model, &QAbstractItemModel::dataChanged, this,
          [this](const QModelIndex &from, const QModelIndex &to) {
            restampRows(from.row(), to.row());
          });
  for (auto shape : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
                     &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved})
    connect(model, shape, this, [this] { restampAll(); });
  connect(model, &QAbstractItemModel::rowsMoved, this, [this] { restampAll(); });
  connect(model, &QAbstractItemModel::columnsMoved, this, [this] { restampAll(); });
  connect(model, &QAbstractItemModel::modelReset, this, [this] { restampAll(); });
  connect(model, &QAbstractItemModel::layoutChanged, this, [this] { restampAll(); });
  connect(table_, &QTableWidget::cellClicked, this,
          [this](int row0, int col0) { emit Click(col0 + 1, row0 + 1); });
  connect(table_, &QTableWidget::cellDoubleClicked, this,
          [this](int row0, int col0) { emit DblClick(col0 + 1, row0 + 1); });
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
    auto inside = [this](QWidget *w) { return w && (w == this || isAncestorOf(w)); };
    if (inside(old) == inside(now)) return;
    showHighlight(inside(now));
    if (inside(now))
      emit GotFocus();
    else
      emit LostFocus();
  });
}

// The table goes after the stamps: its model's last signals must not reach them.
Grid::~Grid() { disconnect(table_->model(), nullptr, this, nullptr); }

void DisconnectChildSignals(QObject &receiver) {
  for (QObject *child : receiver.findChildren<QObject *>())
    QObject::disconnect(child, nullptr, &receiver, nullptr);
}

// ---------------------------------------------------------------- size

int Grid::MaxRows() const { return table_->rowCount(); }

void Grid::SetMaxRows(int rows) {
  if (rows <= 0) bulk_.clear();
  makeDeferred();
  const bool was = movingByCode_;
  movingByCode_ = true;
  table_->setRowCount(qMax(0, rows));
  if (table_->currentRow() < 0 && table_->rowCount() > 0 && table_->columnCount() > 0)
    table_->setCurrentCell(0, 0);
  movingByCode_ = was;
}

int Grid::MaxCols() const { return table_->columnCount(); }

void Grid::SetMaxCols(int cols) {
  makeDeferred();
  const bool was = movingByCode_;
  movingByCode_ = true;
  table_->setColumnCount(qMax(0, cols));
  if (table_->currentRow() < 0 && table_->rowCount() > 0 && table_->columnCount() > 0)
    table_->setCurrentCell(0, 0);
  movingByCode_ = was;
}

// ---------------------------------------------------------------- cells

bool Grid::inGrid(int row, int col) const {
  return row >= 1 && row <= MaxRows() && col >= 1 && col <= MaxCols();
}

Grid::Range Grid::block() const {
  auto span = [](int a, int b, bool block, int max, int &lo, int &hi) {
    if (!block) b = a;
    if (a == -1 || b == -1) {
      lo = 0;
      hi = max - 1;
      return true;
    }
    lo = qMax(qMin(a, b), 1) - 1;
    hi = qMin(qMax(a, b), max) - 1;
    return false;
  };
  Range r{};
  r.allRows = span(row_, row2_, blockMode_, MaxRows(), r.row1, r.row2);
  span(col_, col2_, blockMode_, MaxCols(), r.col1, r.col2);
  return r;
}

const QTableWidgetItem *Grid::peek(int row0, int col0) const { return table_->item(row0, col0); }

QTableWidgetItem *Grid::item(int row0, int col0) const {
  QTableWidgetItem *it = table_->item(row0, col0);
  if (!it) {
    it = new QTableWidgetItem;
    applyStyle(it, colStyles_.value(col0));
    table_->setItem(row0, col0, it);
  }
  return it;
}

void Grid::applyStyle(QTableWidgetItem *it, const Style &s) const {
  if (s.check) {
    if (!*s.check)
      it->setData(Qt::CheckStateRole, QVariant());
    else if (!it->data(Qt::CheckStateRole).isValid())
      it->setData(Qt::CheckStateRole, Qt::Unchecked);
  }
  if (s.lock || s.check) {
    Qt::ItemFlags f = it->flags();
    if (s.lock) f = *s.lock ? f & ~Qt::ItemIsEditable : f | Qt::ItemIsEditable;
    // A check box follows its lock: the cashier toggles only an unlocked one.
    const bool check = it->data(Qt::CheckStateRole).isValid();
    f.setFlag(Qt::ItemIsUserCheckable, check && (f & Qt::ItemIsEditable));
    if (f != it->flags()) it->setFlags(f);
  }
  if (s.back) it->setBackground(colors::FromBgr(*s.back));
  if (s.fore) it->setForeground(colors::FromBgr(*s.fore));
}

void Grid::setStyle(const Style &s) {
  makeDeferred();
  const Range r = block();
  if (r.col1 > r.col2) return;
  if (r.allRows) {
    for (int c = r.col1; c <= r.col2; ++c) {
      Style &d = colStyles_[c];
      if (s.lock) d.lock = s.lock;
      if (s.back) d.back = s.back;
      if (s.fore) d.fore = s.fore;
      if (s.check) d.check = s.check;
    }
  }
  for (int rr = r.row1; rr <= r.row2; ++rr)
    for (int c = r.col1; c <= r.col2; ++c) applyStyle(item(rr, c), s);
}

bool Grid::editing(int row0, int col0) const {
  return editor_ && editRow0_ == row0 && editCol0_ == col0;
}

void Grid::editorMade(QLineEdit *editor, int row0, int col0) {
  editor_ = editor;
  editRow0_ = row0;
  editCol0_ = col0;
  editor->setAttribute(Qt::WA_InputMethodEnabled, false);
  connect(editor, &QLineEdit::textEdited, this, [this, editor, row0, col0] {
    if (editor_ == editor) emit EditChange(col0 + 1, row0 + 1);
  });
}

void Grid::commitEditor() {
  if (!editor_ || editRow0_ >= table_->rowCount() || editCol0_ >= table_->columnCount()) return;
  // Read first: a cell item made on demand puts its empty text into the editor.
  const QString text = editor_->text();
  QTableWidgetItem *it = item(editRow0_, editCol0_);
  if (it->data(Qt::EditRole).toString() != text) it->setData(Qt::EditRole, text);
  if (editor_ && editor_->text() != text) editor_->setText(text);
}

void Grid::SetCaretToEnd() {
  if (editor_) editor_->setCursorPosition(editor_->text().size());
}

QString Grid::CellValue(int row, int col) const {
  if (!inGrid(row, col)) return {};
  if (editing(row - 1, col - 1)) return editor_->text();
  const QTableWidgetItem *it = peek(row - 1, col - 1);
  if (!it) {
    if (const FillRow *f = deferred(row - 1, col - 1))
      return col - 1 < f->cells.size() ? f->cells[col - 1] : QString();
  }
  if (!it) return colStyles_.value(col - 1).check.value_or(false) ? QStringLiteral("0") : QString();
  const QVariant check = it->data(Qt::CheckStateRole);
  if (check.isValid()) return check.toInt() == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0");
  return it->data(Qt::EditRole).toString();
}

QString Grid::Value() const { return CellValue(row_, col_); }

quint64 Grid::RowStamp(int row) const {
  if (row < 1 || row > MaxRows() || size_t(row) > rowStamps_.size()) return 0;
  if (editor_ && editRow0_ == row - 1) return 0;
  return rowStamps_[size_t(row - 1)];
}

void Grid::restampRows(int first0, int last0) {
  if (size_t(table_->rowCount()) != rowStamps_.size()) return restampAll();
  first0 = qMax(first0, 0);
  last0 = qMin(last0, int(rowStamps_.size()) - 1);
  if (first0 > last0) return;
  const quint64 stamp = ++lastStamp_;
  std::fill(rowStamps_.begin() + first0, rowStamps_.begin() + last0 + 1, stamp);
}

void Grid::restampAll() {
  rowStamps_.assign(size_t(qMax(table_->rowCount(), 0)), ++lastStamp_);
}

void Grid::SetValue(const QString &value) {
  if (!inGrid(row_, col_)) return;
  makeDeferred();
  QTableWidgetItem *it = item(row_ - 1, col_ - 1);
  if (it->data(Qt::CheckStateRole).isValid()) {
    it->setCheckState(value.trimmed().toInt() != 0 ? Qt::Checked : Qt::Unchecked);
    return;
  }
  it->setData(Qt::EditRole, value);
  if (editing(row_ - 1, col_ - 1) && editor_->text() != value) editor_->setText(value);
}

bool Grid::Lock() const {
  if (!inGrid(row_, col_)) return false;
  if (const QTableWidgetItem *it = peek(row_ - 1, col_ - 1))
    return !(it->flags() & Qt::ItemIsEditable);
  return colStyles_.value(col_ - 1).lock.value_or(false);
}

void Grid::SetLock(bool locked) { setStyle(Style{locked, std::nullopt, std::nullopt, std::nullopt}); }

long Grid::BackColor() const {
  if (!inGrid(row_, col_)) return colors::kWhite;
  const QTableWidgetItem *it = peek(row_ - 1, col_ - 1);
  if (it && it->background().style() != Qt::NoBrush)
    return colors::ToBgr(it->background().color());
  return colStyles_.value(col_ - 1).back.value_or(colors::kWhite);
}

void Grid::SetBackColor(long bgr) { setStyle(Style{std::nullopt, bgr, std::nullopt, std::nullopt}); }

long Grid::ForeColor() const {
  if (!inGrid(row_, col_)) return colors::kBlack;
  const QTableWidgetItem *it = peek(row_ - 1, col_ - 1);
  if (it && it->foreground().style() != Qt::NoBrush)
    return colors::ToBgr(it->foreground().color());
  if (const FillRow *f = it ? nullptr : deferred(row_ - 1, col_ - 1); f && f->fore) return *f->fore;
  return colStyles_.value(col_ - 1).fore.value_or(colors::kBlack);
}

void Grid::SetForeColor(long bgr) { setStyle(Style{std::nullopt, std::nullopt, bgr, std::nullopt}); }

int Grid::CellType() const {
  bool check = false;
  if (const QTableWidgetItem *it = inGrid(row_, col_) ? peek(row_ - 1, col_ - 1) : nullptr)
    check = it->data(Qt::CheckStateRole).isValid();
  else if (inGrid(row_, col_))
    check = colStyles_.value(col_ - 1).check.value_or(false);
  return check ? kCellTypeCheckBox : kCellTypeEdit;
}

void Grid::SetCellType(int type) {
  Style s;
  s.check = type == kCellTypeCheckBox;
  setStyle(s);
}

void Grid::SetRowForeColor(int row, long bgr) {
  if (row < 1 || row > MaxRows()) return;
  makeDeferred();
  for (int c = 0; c < MaxCols(); ++c) item(row - 1, c)->setForeground(colors::FromBgr(bgr));
}

QTableWidgetItem *Grid::newItem(const Style &st, const QString &text, const QBrush &fore) const {
  auto *it = new QTableWidgetItem;
  applyStyle(it, st);
  if (st.check.value_or(false))
    it->setCheckState(text.trimmed().toInt() != 0 ? Qt::Checked : Qt::Unchecked);
  else
    it->setData(Qt::DisplayRole, text);
  if (fore.style() != Qt::NoBrush) it->setForeground(fore);
  return it;
}

const Grid::FillRow *Grid::deferred(int row0, int col0) const {
  if (row0 < 0 || size_t(row0) >= bulk_.size() || col0 < 0 || size_t(col0) >= bulkHidden_.size() ||
      !bulkHidden_[size_t(col0)])
    return nullptr;
  return &bulk_[size_t(row0)];
}

void Grid::FillRows(std::vector<FillRow> rows) {
  const int cols = MaxCols();
  const bool updates = table_->updatesEnabled();
  table_->setUpdatesEnabled(false);
  bulk_.clear();
  SetMaxRows(0);
  SetMaxRows(int(rows.size()));
  std::vector<Style> styles(size_t(qMax(cols, 0)));
  std::vector<bool> hidden(size_t(qMax(cols, 0)));
  for (int c = 0; c < cols; ++c) {
    styles[size_t(c)] = colStyles_.value(c);
    hidden[size_t(c)] = table_->isColumnHidden(c) && !styles[size_t(c)].check.value_or(false);
  }
  {
    // One change notice for the whole list instead of one per cell.
    const QSignalBlocker quiet(table_->model());
    for (int r = 0; r < int(rows.size()); ++r) {
      const FillRow &row = rows[size_t(r)];
      const QBrush fore = row.fore ? QBrush(colors::FromBgr(*row.fore)) : QBrush();
      for (int c = 0; c < cols; ++c) {
        if (hidden[size_t(c)]) continue;
        const Style &st = styles[size_t(c)];
        const QString text = c < row.cells.size() ? row.cells[c] : QString();
        // Empty plain cells need no item: they read "" and take the column's style when made.
        if (text.isEmpty() && !st.check.value_or(false) && !row.fore) continue;
        table_->setItem(r, c, newItem(st, text, fore));
      }
    }
  }
  if (!rows.empty() && cols > 0) {
    QAbstractItemModel *m = table_->model();
    emit m->dataChanged(m->index(0, 0), m->index(int(rows.size()) - 1, cols - 1));
  }
  if (std::find(hidden.begin(), hidden.end(), true) != hidden.end()) {
    bulk_ = std::move(rows);
    bulkHidden_ = std::move(hidden);
  }
  table_->setUpdatesEnabled(updates);
}

void Grid::makeDeferred() {
  if (bulk_.empty()) return;
  const std::vector<FillRow> rows = std::move(bulk_);
  bulk_.clear();
  const int n = qMin(int(rows.size()), MaxRows());
  const int cols = qMin(int(bulkHidden_.size()), MaxCols());
  {
    const QSignalBlocker quiet(table_->model());
    for (int r = 0; r < n; ++r) {
      const FillRow &row = rows[size_t(r)];
      const QBrush fore = row.fore ? QBrush(colors::FromBgr(*row.fore)) : QBrush();
      for (int c = 0; c < cols; ++c) {
        if (!bulkHidden_[size_t(c)] || table_->item(r, c)) continue;
        const QString text = c < row.cells.size() ? row.cells[c] : QString();
        if (text.isEmpty() && !row.fore) continue;
        table_->setItem(r, c, newItem(colStyles_.value(c), text, fore));
      }
    }
  }
  if (n > 0 && cols > 0) {
    QAbstractItemModel *m = table_->model();
    emit m->dataChanged(m->index(0, 0), m->index(n - 1, cols - 1));
  }
}

void Grid::SetHighlightColors(long focusedBgr, long unfocusedBgr) {
  highlight_ = std::make_pair(focusedBgr, unfocusedBgr);
  QWidget *f = QApplication::focusWidget();
  showHighlight(f && (f == this || isAncestorOf(f)));
}

void Grid::showHighlight(bool focused) {
  if (!highlight_) return;
  highlightNow_ = focused ? highlight_->first : highlight_->second;
  QPalette p = table_->palette();
  const QColor c = colors::FromBgr(highlightNow_);
  // Both groups: an inactive window shows the same colour as the focus rule says.
  p.setColor(QPalette::Active, QPalette::Highlight, c);
  p.setColor(QPalette::Inactive, QPalette::Highlight, c);
  table_->setPalette(p);
}

// ---------------------------------------------------------------- actions

void Grid::deleteRows(int first0, int last0) {
  const int n = last0 - first0 + 1;
  if (n <= 0) return;
  const bool was = movingByCode_;
  movingByCode_ = true;
  if (editor_ && editRow0_ >= first0) {
    // The editor's row moves or goes: its text stays with its cell, the editor closes.
    commitEditor();
    QWidget *e = editor_;
    editor_ = nullptr;
    emit table_->itemDelegate()->closeEditor(e, QAbstractItemDelegate::NoHint);
  }
  for (int i = 0; i < n; ++i) table_->removeRow(first0);
  table_->setRowCount(table_->rowCount() + n);
  movingByCode_ = was;
}

void Grid::setCurrentByCode(int row0, int col0) {
  const bool was = movingByCode_;
  movingByCode_ = true;
  table_->setCurrentCell(row0, col0);
  movingByCode_ = was;
}

void Grid::currentMoved(const QModelIndex &now, const QModelIndex &before) {
  if (movingByCode_ || !before.isValid()) return;
  bool cancel = false;
  emit LeaveCell(before.column() + 1, before.row() + 1, now.column() + 1, now.row() + 1, cancel);
  if (cancel) setCurrentByCode(before.row(), before.column());
}

void Grid::SetAction(int action) {
  makeDeferred();
  switch (action) {
    case kActionActiveCell:
      if (inGrid(row_, col_)) setCurrentByCode(row_ - 1, col_ - 1);
      break;
    case kActionDeleteRow: {
      const Range r = block();
      deleteRows(r.row1, r.row2);
      break;
    }
    case kActionClearText: {
      const Range r = block();
      for (int rr = r.row1; rr <= r.row2; ++rr)
        for (int c = r.col1; c <= r.col2; ++c) {
          if (QTableWidgetItem *it = table_->item(rr, c)) {
            if (it->data(Qt::CheckStateRole).isValid())
              it->setCheckState(Qt::Unchecked);
            else
              it->setData(Qt::EditRole, QString());
          }
          if (editing(rr, c)) editor_->clear();
        }
      break;
    }
    default:
      break;
  }
}

// ---------------------------------------------------------------- columns

bool Grid::ColHidden(int col) const { return table_->isColumnHidden(col - 1); }

void Grid::SetColHidden(int col, bool hidden) {
  makeDeferred();
  if (col >= 1 && col <= MaxCols()) table_->setColumnHidden(col - 1, hidden);
}

double Grid::ColWidth(int col) const {
  if (col < 1 || col > MaxCols()) return 0;
  const int px = table_->horizontalHeader()->sectionSize(col - 1);
  const int avg = qMax(1, table_->fontMetrics().averageCharWidth());
  // The width the program set, unless the cashier has dragged the column since.
  auto it = widths_.constFind(col - 1);
  if (it != widths_.constEnd() && qRound(*it * avg) + kWidthPadding == px) return *it;
  return double(px - kWidthPadding) / avg;
}

void Grid::SetColWidth(int col, double chars) {
  if (col < 1 || col > MaxCols() || chars < 0) return;
  const int avg = qMax(1, table_->fontMetrics().averageCharWidth());
  widths_[col - 1] = chars;
  table_->setColumnWidth(col - 1, qRound(chars * avg) + kWidthPadding);
}

void Grid::SetColHeaderText(int col, const QString &text) {
  if (col >= 1 && col <= MaxCols())
    table_->setHorizontalHeaderItem(col - 1, new QTableWidgetItem(text));
}

void Grid::SetColAlignment(int col, Qt::Alignment align) {
  if (col < 1) return;
  colAlign_[col - 1] = align;
  table_->viewport()->update();
}

void Grid::SetRowHeadersVisible(bool on) { table_->verticalHeader()->setVisible(on); }

// ---------------------------------------------------------------- active cell

int Grid::ActiveRow() const { return table_->currentRow() + 1; }
int Grid::ActiveCol() const { return table_->currentColumn() + 1; }

void Grid::SetActiveCell(int col, int row) {
  if (inGrid(row, col)) setCurrentByCode(row - 1, col - 1);
}

// ---------------------------------------------------------------- keys

bool Grid::eventFilter(QObject *watched, QEvent *event) {
  if (watched == table_ && event->type() == QEvent::KeyPress)
    return handleKey(table_, static_cast<QKeyEvent *>(event));
  if (watched == table_ && event->type() == QEvent::KeyRelease)
    return keyReleased(static_cast<QKeyEvent *>(event));
  return QWidget::eventFilter(watched, event);
}

bool Grid::keyReleased(QKeyEvent *event) {
  const int vk = keys::ToVirtualKey(event);
  if (vk == 0) return false;
  QPointer<Grid> self(this);
  emit KeyUp(vk, keys::ToShift(event->modifiers()));
  return !self;  // the grid went with its form: nothing more to do with the key
}

bool Grid::handleKey(QObject *target, QKeyEvent *event) {
  if (reinjecting_) return false;
  const int vk = keys::ToVirtualKey(event);
  const int shift = keys::ToShift(event->modifiers());
  int newVk = vk, newShift = shift;
  QString text = event->text();
  // A key slot may close the form and delete this grid with it: the key ends there.
  QPointer<Grid> self(this);
  QPointer<QObject> guard(target);
  commitEditor();
  bool suppressed = false;
  if (vk != 0) {
    emit KeyDown(newVk, newShift);
    if (!self) return true;
    if (newVk == 0) {
      suppressed = true;
      newVk = vk;
      newShift = shift;
    } else if (newVk != vk || newShift != shift) {
      text = textOf(newVk, newShift);
    }
  }
  bool changed = newVk != vk || newShift != shift;
  // Enter and Esc type nothing; Ctrl and Alt combinations neither.
  const bool types = !text.isEmpty() && !(newShift & (keys::vbCtrlMask | keys::vbAltMask)) &&
                     newVk != keys::vbKeyReturn && newVk != keys::vbKeyEscape &&
                     (text.at(0).unicode() >= 0x20 || text.at(0) == '\b' || text.at(0) == '\t');
  if (!types) {
    if (suppressed) return true;
    text.clear();
  }
  if (types) {
    const int ch = text.at(0).unicode();
    int newCh = ch;
    emit KeyPress(newCh);
    if (!self) return true;
    if (newCh == 0) return true;
    if (newCh != ch) {
      text = QString(QChar(char16_t(newCh)));
      changed = true;
    }
    if (suppressed) {
      // The key's own work is stopped; a printable character still goes into the cell.
      if (text.at(0).unicode() < 0x20 || !guard) return true;
      if (target == table_) {
        const QTableWidgetItem *cur = table_->currentItem();
        const bool editable = cur ? bool(cur->flags() & Qt::ItemIsEditable)
                                  : !colStyles_.value(table_->currentColumn()).lock.value_or(false);
        if (!editable) return true;
      }
      newVk = 0;
      changed = true;
    }
  }
  if (!changed) return false;
  if (!guard) return true;
  Qt::KeyboardModifiers mods = modifiersOf(newShift);
  if (isNumpad(newVk)) mods |= Qt::KeypadModifier;
  const int qtKey = newVk != 0 ? int(keys::FromVirtualKey(newVk)) : int(Qt::Key_unknown);
  QKeyEvent replacement(QEvent::KeyPress, qtKey, mods, text, event->isAutoRepeat());
  reinjecting_ = true;
  // Back to normal however the re-sent key ends: an exception, or the grid deleted.
  struct ResendDone {
    QPointer<Grid> grid;
    ~ResendDone() {
      if (grid) grid->reinjecting_ = false;
    }
  } done{self};
  QCoreApplication::sendEvent(guard, &replacement);
  return true;
}

void Grid::SendKey(int vk, int shift, const QString &text) {
  QObject *target = editor_ ? static_cast<QObject *>(editor_.data()) : table_;
  Qt::KeyboardModifiers mods = modifiersOf(shift);
  if (isNumpad(vk)) mods |= Qt::KeypadModifier;
  const QString t = text.isEmpty() ? textOf(vk, shift) : text;
  QKeyEvent e(QEvent::KeyPress, keys::FromVirtualKey(vk), mods, t);
  QCoreApplication::sendEvent(target, &e);
}

}  // namespace orv
