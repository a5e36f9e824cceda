#include "checkout/lists_grid.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>

#include "core/values.h"
#include "platform/grid.h"
#include "platform/keys.h"

namespace orv::checkout {

Grid *MakeListGrid(QWidget *parent, const char *name, const QStringList &heads) {
  auto *g = new Grid(parent);
  g->setObjectName(name);
  g->SetMaxCols(int(heads.size()));
  g->SetMaxRows(0);
  for (int c = 1; c <= heads.size(); ++c) g->SetColHeaderText(c, heads[c - 1]);
  g->SetRow(-1);
  g->SetCol(-1);
  g->SetLock(true);
  g->SetRow(1);
  g->SetCol(1);
  return g;
}

void WireListKeys(QDialog *form, Grid *grid, std::function<void()> onEnter) {
  QObject::connect(grid, &Grid::KeyDown, form,
                   [form, onEnter = std::move(onEnter)](int &key, int &) {
                     if (key == keys::vbKeyReturn) {
                       key = 0;
                       onEnter();
                     } else if (key == keys::vbKeyEscape) {
                       key = 0;
                       form->reject();
                     }
                   });
}

bool ListFormKey(QDialog *form, QKeyEvent *event, const std::function<void()> &onEnter) {
  const int key = keys::ToVirtualKey(event);
  if (key == keys::vbKeyReturn && onEnter) {
    onEnter();
    return true;
  }
  if (key == keys::vbKeyEscape) {
    form->reject();
    return true;
  }
  return false;
}

ListFields::ListFields(const db::Recordset &rs, std::initializer_list<const char *> names)
    : rs_(rs) {
  for (const char *n : names) {
    const int i = rs.FieldIndex(QLatin1String(n));
    if (i < 0) throw db::DbError(db::kErrNoField, QStringLiteral("No field '%1'").arg(QLatin1String(n)));
    index_.push_back(i);
  }
}

QString ListFields::Str(int i) const { return NzStr(rs_.Field(index_[size_t(i)])); }
Currency ListFields::Cur(int i) const { return NzCur(rs_.Field(index_[size_t(i)])); }

}  // namespace orv::checkout
