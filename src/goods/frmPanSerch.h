#pragma once
// The day's chits of one cashier at this checkout, each followed by its goods lines (or
// collapsed to the chits), with the totals of the lines, a chit finder and the reprint.
#include <QDialog>
#include <QVector>

#include "core/currency.h"

class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
namespace orv {
class ListGrid;
}

namespace orv::goods {

struct PanSerchRow {
  bool chit = false;  // a chit row (line number 0), else a goods row
  QString date, barcode, name, kyg, time;
  orv::Currency chitNo, seqNo, gcdNo, su, danga, gum, tax, money, card, oisang, cSobi;
};
// The rows of one day (yyyymmdd), POS and cashier key; nothing when the month has no
// PanChit table (found = false). Throws DbError.
QVector<PanSerchRow> ReadPanSerch(const QString &date, int posNo, orv::Currency psnKey, bool creditOnly,
                                  bool chitOnly, bool *found = nullptr);

}  // namespace orv::goods

class frmPanSerch : public QDialog {
  Q_OBJECT
 public:
  explicit frmPanSerch(QWidget *parent = nullptr);

  void Load();  // Form_Load
  void SeekPanChit(orv::Currency chitNo);
  void SumPanSerch();
  void SwitchMode();  // Enter, cmdSearch
  void FindChit();    // F5, cmdFind
  void Reprint();     // F4, cmdPrint
  void StaffLookup();  // txtSaNo_LostFocus

  QLineEdit *txtSaNo;
  QLabel *lblSaName;
  QDateEdit *dtpDate;
  QGroupBox *Frame1;
  QRadioButton *PanSelt0Opt, *PanSelt1Opt;
  orv::ListGrid *vaSpread1;
  QLabel *lblSu, *lblDC, *lblHab, *lblKong, *lblTax, *lblNoTax;
  QPushButton *cmdSearch, *cmdDate, *cmdPrint, *cmdFind, *cmdExit;

  QString msPanDate;
  orv::Currency mcPsnKey;
  bool mbChitOnly = false;

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void DateOrOptionChanged(bool focusGrid);
  void GoToChit(const QString &digits);
};

void ShowfrmPanSerch(QWidget *parent);
