#pragma once
// The quick reprint: the 20 latest chits of the work date at this checkout, and the receipt
// of the chosen one printed again (from its text file when there is one).
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
namespace orv {
class Grid;
}

class frmSpeedPrint : public QDialog {
  Q_OBJECT
 public:
  explicit frmSpeedPrint(QWidget *parent = nullptr);

  orv::Grid *vaSpread1;
  QPushButton *OkCmd;
  QPushButton *CancelCmd;
  QFrame *PrtOnFme;
  QLabel *Label1;

  void FillList();
  // Reprints the receipt of a row of the list (the double click).
  void vaSpread1_DblClick(int row);
  void OkCmd_Click();

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

 private:
  bool formKey(int key);
  bool busy_ = false;
  QString workDate_;
};
