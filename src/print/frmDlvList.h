#pragma once
// The delivery chit list: the delivery records of the work date that the logged-in cashier
// recorded at this checkout, highest number first, with a delete.
#include <QDialog>

class QPushButton;
namespace orv {
class Grid;
}

class frmDlvList : public QDialog {
  Q_OBJECT
 public:
  explicit frmDlvList(QWidget *parent = nullptr);

  orv::Grid *vaSpread1;
  QPushButton *DlvDeltCmd;
  QPushButton *DlvExitCmd;

  void FillDlvList();
  void DlvDeltCmd_Click();

 protected:
  void keyPressEvent(QKeyEvent *event) override;

 private:
  void showDbError(const std::exception &e);
  QString workDate_;
};
