#pragma once
// "초기잔액 입력!": the opening cash of the cashier at this POS. The caller fills gtInitGum and
// gtInitGumLog from the closing screen; the save replaces the InitGum row and adds a log row.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orv::closing {

class frmInitGum : public QDialog {
  Q_OBJECT
 public:
  explicit frmInitGum(QWidget *parent = nullptr);

  QLabel *Label1;
  QLineEdit *txtInitGum;
  QPushButton *cmdOk;

  void cmdOk_Click();
  // True when the rows were written; a failure is shown and rolled back.
  bool SaveInitGum();

 private:
  void txtInitGum_Change();
};

}  // namespace orv::closing
