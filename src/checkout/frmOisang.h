#pragma once
// The credit-sale chits of the work date, this checkout and this cashier, newest first;
// the cashier takes one back to the sale screen to rewrite it.
#include <QDialog>

class QLabel;
class QPushButton;
namespace orv {
class Grid;
}

namespace orv::checkout {

class frmOisang : public QDialog {
  Q_OBJECT
 public:
  explicit frmOisang(QWidget *parent = nullptr);
  ~frmOisang() override;

  orv::Grid *vaSpread1;
  QLabel *DspNameLbl;
  QPushButton *cmdOk;
  QPushButton *cmdExit;
  QLabel *Image1;

  // The list; false (told) when it could not be read.
  bool Form_Load();
  void TakeRow(int row);
  void RefreshName();

 protected:
  void keyPressEvent(QKeyEvent *event) override;
};

// Shows the list modally; the pick is left in giOisangPick, glOisangChtNo, gcOisangTrsNo
// and the chit records.
void ShowfrmOisang(QWidget *parent);

}  // namespace orv::checkout
