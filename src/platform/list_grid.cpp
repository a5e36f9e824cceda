#include "platform/list_grid.h"

#include <QAbstractTableModel>
#include <QFocusEvent>
#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "platform/colors.h"
#include "platform/keys.h"

namespace orv {

namespace {
constexpr int kWidthPadding = 4;  // as Grid: pixels beside the characters of a column

inline char16_t foldUnit(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }
}  // namespace

int FoldCompare(const QString &a, const QString &b) {
  const qsizetype n = std::min(a.size(), b.size());
  const char16_t *pa = reinterpret_cast<const char16_t *>(a.constData());
  const char16_t *pb = reinterpret_cast<const char16_t *>(b.constData());
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t x = foldUnit(pa[i]), y = foldUnit(pb[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

class ListModel : public QAbstractTableModel {
 public:
  struct Row {
    ListFields fields;
    bool checked = false;
    bool hidden = false;
  };

  int rowCount(const QModelIndex &parent = {}) const override {
    return parent.isValid() ? 0 : int(rows.size());
  }
  int columnCount(const QModelIndex &parent = {}) const override {
    return parent.isValid() ? 0 : cols;
  }

  ListCell cell(int row0, int col0) const {
    if (row0 < 0 || row0 >= rows.size() || col0 < 0 || col0 >= cols) return {};
    if (col0 + 1 == checkCol) return ListCell{rows[row0].checked ? "1" : "0"};
    if (!formatter) return {};
    return formatter(rows[row0].fields, col0 + 1);
  }

  QVariant data(const QModelIndex &index, int role) const override {
    if (!index.isValid()) return {};
    const bool isCheck = index.column() + 1 == checkCol;
    if (isCheck) {
      if (role == Qt::CheckStateRole)
        return rows[index.row()].checked ? Qt::Checked : Qt::Unchecked;
      return {};
    }
    switch (role) {
      case Qt::DisplayRole:
        return cell(index.row(), index.column()).text;
      case Qt::ForegroundRole: {
        const long c = cell(index.row(), index.column()).fore;
        return c < 0 ? QVariant() : QVariant(colors::FromBgr(c));
      }
      case Qt::BackgroundRole: {
        const long c = cell(index.row(), index.column()).back;
        return c < 0 ? QVariant() : QVariant(colors::FromBgr(c));
      }
      case Qt::FontRole:
        if (cell(index.row(), index.column()).bold) {
          QFont f;
          f.setBold(true);
          return f;
        }
        return {};
      default:
        return {};
    }
  }

  bool setData(const QModelIndex &index, const QVariant &value, int role) override {
    if (!index.isValid() || role != Qt::CheckStateRole || index.column() + 1 != checkCol)
      return false;
    rows[index.row()].checked = value.toInt() == Qt::Checked;
    emit dataChanged(index, index);
    return true;
  }

  Qt::ItemFlags flags(const QModelIndex &index) const override {
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() + 1 == checkCol) f |= Qt::ItemIsUserCheckable;
    return f;
  }

  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (o == Qt::Horizontal) {
      if (role == Qt::DisplayRole) return headers.value(section);
      if (role == Qt::FontRole && headerBold) {
        QFont f;
        f.setBold(true);
        return f;
      }
      return {};
    }
    if (role == Qt::DisplayRole) return section + 1;
    return {};
  }

  template <class F>
  void rebuild(F f) {
    beginResetModel();
    f();
    endResetModel();
  }
  void rowChanged(int row0) {
    emit dataChanged(index(row0, 0), index(row0, cols - 1));
  }
  void reset(QVector<Row> r) {
    beginResetModel();
    rows = std::move(r);
    endResetModel();
  }
  void append(QVector<ListFields> add) {
    if (add.isEmpty()) return;
    beginInsertRows({}, int(rows.size()), int(rows.size() + add.size() - 1));
    for (auto &f : add) rows.push_back(Row{std::move(f)});
    endInsertRows();
  }
  void setCols(int n) {
    beginResetModel();
    cols = n;
    headers.resize(n);
    endResetModel();
  }
  void setHeader(int col0, const QString &text) {
    headers[col0] = text;
    emit headerDataChanged(Qt::Horizontal, col0, col0);
  }

  QVector<Row> rows;
  int cols = 0;
  int checkCol = 0;
  bool headerBold = false;
  QVector<QString> headers;
  ListGrid::Formatter formatter;
};

namespace {

constexpr qsizetype kFreeChunk = 20000;

void releaseLater(QObject *context, std::shared_ptr<QVector<ListModel::Row>> rows) {
  QTimer::singleShot(0, context, [context, rows] {
    rows->resize(std::max<qsizetype>(0, rows->size() - kFreeChunk));
    if (!rows->isEmpty()) releaseLater(context, rows);
  });
}

}  // namespace

ListGrid::ListGrid(QWidget *parent) : QWidget(parent), view_(new QTableView(this)), model_(new ListModel) {
  model_->setParent(this);
  auto *lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  lay->addWidget(view_);
  view_->setModel(model_);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setSelectionBehavior(QAbstractItemView::SelectItems);
  view_->setTabKeyNavigation(false);
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view_->horizontalHeader()->setSectionsMovable(false);
  setFocusProxy(view_);
  view_->installEventFilter(this);
  view_->viewport()->installEventFilter(this);
  connect(view_, &QTableView::doubleClicked, this,
          [this](const QModelIndex &i) { emit DblClick(i.row() + 1, i.column() + 1); });
  connect(view_, &QTableView::clicked, this,
          [this](const QModelIndex &i) { emit Click(i.row() + 1, i.column() + 1); });
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex &cur, const QModelIndex &) {
            emit ActiveRowChanged(cur.isValid() ? cur.row() + 1 : 0);
          });
}

ListGrid::~ListGrid() = default;

int ListGrid::MaxCols() const { return model_->cols; }

void ListGrid::SetMaxCols(int cols) {
  model_->setCols(std::max(0, cols));
  widths_.resize(model_->cols);
  widths_.fill(-1);
}

void ListGrid::SetColHeaderText(int col, const QString &text) {
  if (col >= 1 && col <= MaxCols()) model_->setHeader(col - 1, text);
}

void ListGrid::SetFormatter(Formatter f) {
  model_->rebuild([&] { model_->formatter = std::move(f); });
}

int ListGrid::MaxRows() const { return int(model_->rows.size()); }

void ListGrid::Clear() {
  QVector<ListModel::Row> old;
  model_->rebuild([&] { old.swap(model_->rows); });
  // Freeing a long list takes a while: do it between events, a part at a time, after the
  // new rows show.
  if (old.size() > kFreeChunk)
    releaseLater(this, std::make_shared<QVector<ListModel::Row>>(std::move(old)));
}

void ListGrid::AppendRows(QVector<ListFields> rows) {
  const bool wasEmpty = model_->rows.isEmpty();
  model_->append(std::move(rows));
  if (wasEmpty && !model_->rows.isEmpty()) SetActiveCell(1, 1);
}

const ListFields &ListGrid::Fields(int row) const {
  static const ListFields none;
  if (row < 1 || row > MaxRows()) return none;
  return model_->rows[row - 1].fields;
}

void ListGrid::SetFields(int row, ListFields fields) {
  if (row < 1 || row > MaxRows()) return;
  model_->rows[row - 1].fields = std::move(fields);
  model_->rowChanged(row - 1);
}

void ListGrid::SetField(int row, int index, const QVariant &value) {
  if (row < 1 || row > MaxRows()) return;
  ListFields &f = model_->rows[row - 1].fields;
  if (index < 0) return;
  if (index >= f.size()) f.resize(index + 1);
  f[index] = value;
  model_->rowChanged(row - 1);
}

QString ListGrid::CellValue(int row, int col) const {
  return Cell(row, col).text.trimmed();
}

ListCell ListGrid::Cell(int row, int col) const { return model_->cell(row - 1, col - 1); }

void ListGrid::SetCheckCol(int col) {
  model_->rebuild([&] { model_->checkCol = col; });
  checkCol_ = col;
}

bool ListGrid::Checked(int row) const {
  return row >= 1 && row <= MaxRows() && model_->rows[row - 1].checked;
}

void ListGrid::SetChecked(int row, bool on) {
  if (row < 1 || row > MaxRows()) return;
  model_->rows[row - 1].checked = on;
  if (checkCol_ > 0) {
    const QModelIndex i = model_->index(row - 1, checkCol_ - 1);
    emit model_->dataChanged(i, i);
  }
}

int ListGrid::ActiveRow() const {
  const QModelIndex i = view_->currentIndex();
  return (i.isValid() && MaxRows() > 0) ? i.row() + 1 : 0;
}

int ListGrid::ActiveCol() const {
  const QModelIndex i = view_->currentIndex();
  return (i.isValid() && MaxRows() > 0) ? i.column() + 1 : 0;
}

void ListGrid::SetActiveCell(int col, int row) {
  if (row < 1 || row > MaxRows() || col < 1 || col > MaxCols()) return;
  const QModelIndex i = model_->index(row - 1, col - 1);
  view_->setCurrentIndex(i);
  view_->scrollTo(i);
}

double ListGrid::ColWidth(int col) const {
  if (col < 1 || col > MaxCols()) return 0;
  const int px = view_->horizontalHeader()->sectionSize(col - 1);
  const int avg = std::max(1, view_->fontMetrics().averageCharWidth());
  const double set = widths_.value(col - 1, -1);
  if (set >= 0 && qRound(set * avg) + kWidthPadding == px) return set;
  return double(px - kWidthPadding) / avg;
}

void ListGrid::SetColWidth(int col, double chars) {
  if (col < 1 || col > MaxCols() || chars < 0) return;
  const int avg = std::max(1, view_->fontMetrics().averageCharWidth());
  widths_[col - 1] = chars;
  view_->setColumnWidth(col - 1, qRound(chars * avg) + kWidthPadding);
}

bool ListGrid::ColHidden(int col) const {
  return col >= 1 && col <= MaxCols() && view_->isColumnHidden(col - 1);
}

void ListGrid::SetColHidden(int col, bool hidden) {
  if (col >= 1 && col <= MaxCols()) view_->setColumnHidden(col - 1, hidden);
}

bool ListGrid::RowHidden(int row) const {
  return row >= 1 && row <= MaxRows() && model_->rows[row - 1].hidden;
}

void ListGrid::SetRowHidden(int row, bool hidden) {
  if (row < 1 || row > MaxRows()) return;
  model_->rows[row - 1].hidden = hidden;
  view_->setRowHidden(row - 1, hidden);
}

void ListGrid::SetRowHeight(int pixels) { view_->verticalHeader()->setDefaultSectionSize(pixels); }

void ListGrid::SetHeaderBold(bool on) {
  model_->headerBold = on;
  if (MaxCols() > 0) emit model_->headerDataChanged(Qt::Horizontal, 0, MaxCols() - 1);
}

void ListGrid::SortRows(const QVector<SortKey> &keys) {
  const int n = MaxRows();
  if (n < 2 || keys.isEmpty()) return;
  const int active = ActiveRow(), activeCol = ActiveCol();
  // Texts of the keys once per row, then a stable sort of row numbers.
  QVector<QVector<QString>> texts(keys.size());
  for (int k = 0; k < keys.size(); ++k) {
    texts[k].resize(n);
    for (int r = 0; r < n; ++r) texts[k][r] = model_->cell(r, keys[k].col - 1).text.trimmed();
  }
  QVector<int> order(n);
  for (int r = 0; r < n; ++r) order[r] = r;
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    for (int k = 0; k < keys.size(); ++k) {
      const int c = FoldCompare(texts[k][a], texts[k][b]);
      if (c != 0) return keys[k].ascending ? c < 0 : c > 0;
    }
    return false;
  });
  QVector<ListModel::Row> rows(n);
  for (int r = 0; r < n; ++r) rows[r] = std::move(model_->rows[order[r]]);
  model_->reset(std::move(rows));
  for (int r = 0; r < n; ++r)
    if (model_->rows[r].hidden) view_->setRowHidden(r, true);
  // The cursor stays on the row it was on.
  if (active > 0) {
    const int newRow = int(std::find(order.begin(), order.end(), active - 1) - order.begin());
    SetActiveCell(std::max(1, activeCol), newRow + 1);
  }
}

void ListGrid::SetReDraw(bool on) { view_->setUpdatesEnabled(on); }

bool ListGrid::eventFilter(QObject *watched, QEvent *event) {
  if (watched == view_) {
    switch (event->type()) {
      case QEvent::KeyPress: {
        auto *ke = static_cast<QKeyEvent *>(event);
        int vk = keys::ToVirtualKey(ke);
        int shift = keys::ToShift(ke->modifiers());
        if (vk != 0) {
          emit KeyDown(vk, shift);
          if (vk == 0) return true;
        }
        const QString text = ke->text();
        if (!text.isEmpty() && text.at(0).unicode() >= 32) {
          int ch = text.at(0).unicode();
          emit KeyPress(ch);
          if (ch == 0) return true;
        } else if (vk == keys::vbKeyReturn || vk == keys::vbKeyEscape) {
          int ch = vk;
          emit KeyPress(ch);
          if (ch == 0) return true;
        }
        // The view moves the cursor for arrows and pages; Enter and Esc do nothing here.
        if (vk == keys::vbKeyReturn || vk == keys::vbKeyEscape) return true;
        return false;
      }
      case QEvent::KeyRelease: {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (!ke->isAutoRepeat())
          emit KeyUp(keys::ToVirtualKey(ke), keys::ToShift(ke->modifiers()));
        return false;
      }
      case QEvent::FocusIn:
        emit GotFocus();
        return false;
      case QEvent::FocusOut:
        emit LostFocus();
        return false;
      default:
        return false;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace orv
