#pragma once
// Totals since the last closing: the POS copies of the chits of the month before, of and
// after the work date that the closing has not marked, by cashier and by hour and cashier,
// and the cash that should be in the drawer.
#include <QDialog>
#include <QVector>

#include "core/currency.h"

class QLabel;
class QPushButton;
namespace orv {
class ListGrid;
}

namespace orv::goods {

struct HabGumRow {
  bool cashier = false;
  orv::Currency pcdNo;
  QString name;  // the staff name, or the hour band
  orv::Currency count, sales, received, average, cash, card, cSobi, oisang;
};
struct HabGum {
  QVector<HabGumRow> rows;
  orv::Currency count, sales, cash, card, cSobi, oisang, average, drawer;
};
// Reads goDbPos; a month without its table is left out. Throws DbError.
HabGum ReadHabGum();

}  // namespace orv::goods

class frmHabGum : public QDialog {
  Q_OBJECT
 public:
  explicit frmHabGum(QWidget *parent = nullptr);

  // Form_Load: reads and shows; a database error is shown and leaves the screen empty.
  void Load();

  orv::ListGrid *vaSpread1;
  QLabel *lblSum1, *lblSum2, *lblSum3, *lblSum4, *lblSum5, *lblSum6, *lblSum7, *lblSum8, *lblSum9;
  QPushButton *cmdExit;
};

void ShowfrmHabGum(QWidget *parent);
