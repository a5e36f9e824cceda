#pragma once
// The choice of closing-report sections. Each box is a terminal setting saved the moment
// it changes; "출력" confirms the run through PosSalePrnOK.
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

class frmSelPrint : public QDialog {
  Q_OBJECT
 public:
  explicit frmSelPrint(QWidget *parent = nullptr);
  QLabel *Label1, *Label2;
  QGroupBox *Frame1, *Frame2;
  QCheckBox *prt1Chk, *prt2Chk, *prt3Chk, *prt4Chk, *prt5Chk, *prt6Chk, *prt7Chk, *prt8Chk,
      *prt9Chk;
  QPushButton *cmdPrint;

  void cmdPrint_Click();

 private:
  void Form_Load();
  QCheckBox *Box(int n) const;
  bool mbLoading = false;
};

namespace orv::closing {
// The key PosSalePrn<n> (1 to 9) read as the box shows it: true only for a value of 1.
bool SalePrnTicked(int n);
}  // namespace orv::closing
