#pragma once
// "기초잔액 로그조회!!": the cashier's cash history of one month (every POS), read only.
#include <QDialog>

class QDateEdit;
class QPushButton;
namespace orv {
class Grid;
}

namespace orv::closing {

class frmInitLog : public QDialog {
  Q_OBJECT
 public:
  explicit frmInitLog(QWidget *parent = nullptr);

  QDateEdit *dtpDate;
  QPushButton *cmdSearch, *cmdExit;
  orv::Grid *vaSpread1;

  // False when the month could not be read (told).
  bool fcInitLogSerch();

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  bool shown_ = false;
};

}  // namespace orv::closing
