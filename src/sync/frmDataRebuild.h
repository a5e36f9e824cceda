#pragma once
// "데이타재전송~~": posts a chosen day's sale chits to the main database again.
#include <QDialog>

class QCheckBox;
class QDateEdit;
class QProgressBar;
class QPushButton;

class frmDataRebuild : public QDialog {
 public:
  explicit frmDataRebuild(QWidget *parent = nullptr);

  QDateEdit *dtpFromDate;
  QCheckBox *chkCstCode;
  QPushButton *cmdOK;
  QProgressBar *Prs;

  void cmdOK_Click();
  void ResendDayData();
};
