#pragma once
// What the chit lists share around their grids: a read-only list grid, its Enter and Esc,
// the hourglass while a list reads, and a recordset's fields read by position.
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/busy_pointer.h"
#include "core/currency.h"
#include "platform/db.h"

class QDialog;
class QKeyEvent;
class QWidget;

namespace orv {
class Grid;
}

namespace orv::checkout {

// A grid with one column per heading, every column locked (rows added later too), no rows.
Grid *MakeListGrid(QWidget *parent, const char *name, const QStringList &heads);

// Enter in the grid runs onEnter once and Esc closes the form; the grid never sees them.
void WireListKeys(QDialog *form, Grid *grid, std::function<void()> onEnter);
// The same two keys when the form itself gets them (the focus outside the grid); true when
// the key was one of them.
bool ListFormKey(QDialog *form, QKeyEvent *event, const std::function<void()> &onEnter);

using orv::BusyPointer;

// A recordset's fields found once by name, read per row by position: a long list then
// spends no time looking names up. Unknown names throw DbError.
class ListFields {
 public:
  ListFields(const db::Recordset &rs, std::initializer_list<const char *> names);
  QString Str(int i) const;    // NzStr
  Currency Cur(int i) const;   // NzCur
  QString Num(int i) const { return Cur(i).ToPlainText(); }

 private:
  const db::Recordset &rs_;
  std::vector<int> index_;
};

}  // namespace orv::checkout
