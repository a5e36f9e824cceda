#pragma once
// The month's account of the trade partner linked to the sale's customer: the carried-over
// balance, each day's sales, discount and collection from the partner ledger and the
// partner's sent chits, the running balance and the month's totals.
#include <QDialog>
#include <QVector>

#include "core/currency.h"
#include "goods/goods_rules.h"

class QDateEdit;
class QLabel;
class QPushButton;
namespace orv {
class ListGrid;
}

namespace orv::goods {
// The rows of partner trsKey for the month yyyy, mm: ledger rows before chits of the same
// date. Nothing without the month's TrsMast table; its PanChit table missing leaves the
// chits out. Throws DbError.
QVector<LedgerIn> ReadTrsLedger(int year, int month, orv::Currency trsKey);
}  // namespace orv::goods

class frmTrsIODay : public QDialog {
  Q_OBJECT
 public:
  explicit frmTrsIODay(QWidget *parent = nullptr);

  void Load();           // Form_Load
  void cmdSerch_Click();
  void ShowTrsLedger();  // a database error is shown and leaves the grid empty

  QLabel *Label1;
  QDateEdit *dtpWrkDate;
  QPushButton *cmdSerch, *cmdExit;
  orv::ListGrid *vaSpread1;
};

void ShowfrmTrsIODay(QWidget *parent);
