#include "lookup/col_size.h"

#include "core/globals.h"
#include "core/text_format.h"
#include "core/values.h"
#include "lookup/lookup_common.h"
#include "platform/grid.h"
#include "platform/list_grid.h"

using namespace orv;

QString ColSizeText(const QList<double> &widths) {
  QStringList words;
  for (double w : widths) {
    QString t = QString::number(w, 'f', 2);
    while (t.contains('.') && (t.endsWith('0') || t.endsWith('.'))) t.chop(1);
    words << t;
  }
  return words.join(' ');
}

std::optional<QList<double>> ParseColSize(const QString &text, int maxCols) {
  const int n = SplitSpace(TrimBlanks(text));
  if (n == 0 || n != maxCols) return std::nullopt;
  QList<double> out;
  for (int i = 1; i <= n; ++i) out << NzCur(gsSplitWord[i]).ToDouble();
  return out;
}

namespace {

QString readStored(const QString &name) {
  try {
    auto rs = lookup::QueryBound(goDbMain,
                                 "SELECT ColSize FROM ColSize WHERE ColUser = ? AND ColName = ?",
                                 {gsLogID, name});
    if (rs.RecordCount() > 0) return NzStr(rs.Field(0));
  } catch (const db::DbError &) {
    // The design widths stay.
  }
  return {};
}

void store(const QString &name, const QString &text) {
  try {
    goDbMain.BeginTrans();
    try {
      lookup::ExecBound(goDbMain, "DELETE FROM ColSize WHERE ColUser = ? AND ColName = ?",
                        {gsLogID, name});
      lookup::ExecBound(goDbMain, "INSERT INTO ColSize (ColUser, ColName, ColSize) VALUES (?, ?, ?)",
                        {gsLogID, name, text});
      goDbMain.CommitTrans();
    } catch (const db::DbError &) {
      goDbMain.RollbackTrans();
    }
  } catch (const db::DbError &) {
    // Widths are a convenience: the dialog closes either way.
  }
}

template <class G>
void load(G *grid, const QString &name) {
  if (!grid) return;
  const auto widths = ParseColSize(readStored(name), grid->MaxCols());
  if (!widths) return;
  for (int c = 1; c <= widths->size(); ++c) grid->SetColWidth(c, widths->at(c - 1));
}

template <class G>
void save(G *grid, const QString &name) {
  if (!grid || !goDbMain.IsOpen()) return;
  QList<double> widths;
  for (int c = 1; c <= grid->MaxCols(); ++c) widths << grid->ColWidth(c);
  store(name, ColSizeText(widths));
}

}  // namespace

void LoadColSize(ListGrid *grid, const QString &name) { load(grid, name); }
void SaveColSize(ListGrid *grid, const QString &name) { save(grid, name); }
void LoadColSize(Grid *grid, const QString &name) { load(grid, name); }
void SaveColSize(Grid *grid, const QString &name) { save(grid, name); }
