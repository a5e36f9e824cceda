#pragma once
// "중간입금 내역": the cashier's open mid-day deposits at this POS, the balance they leave,
// a new deposit and the deletion of a listed one.
#include <QDialog>

#include "closing/closing_figures.h"

class QLabel;
class QLineEdit;
class QPushButton;
namespace orv {
class Grid;
}

namespace orv::closing {

class frmMidInput : public QDialog {
  Q_OBJECT
 public:
  explicit frmMidInput(QWidget *parent = nullptr);

  QLineEdit *txtMidGum, *txtInitGum, *txtMHabGum, *txtHabGum, *txtNowGum;
  orv::Grid *vaSpread1;
  QPushButton *cmdInput, *cmdDelete, *cmdList, *cmdExit;

  // False when the list could not be read (told).
  bool LoadMidDeposits();
  void txtMidGum_Enter();
  void cmdDelete_Click();

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  bool InsertMidDeposit(Currency deposit);
  bool DeleteMidDeposit(int row);
  void Form_KeyDown(int &keyCode, int shift);
  void Amount_Change(QLineEdit *box);

  ClosingContext ctx_;
  bool shown_ = false;
};

// Shows the dialog modally (the closing screen's F2 and the sale grid's code 4000).
void ShowMidInput(QWidget *parent);

}  // namespace orv::closing
