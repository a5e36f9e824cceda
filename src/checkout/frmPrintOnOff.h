#pragma once
// The receipt print chooser: print or not, the answer left in giPrintOnOffRet. No is the
// default: Enter alone answers no.
#include <QDialog>

class QLabel;
class QPushButton;

class frmPrintOnOff : public QDialog {
  Q_OBJECT
 public:
  explicit frmPrintOnOff(QWidget *parent = nullptr);
  QLabel *Label1, *Label2, *Label3;
  QPushButton *PrintOnCmd, *PrintOffCmd;

  void ChoosePrintOn();
  void ChoosePrintOff();
  void Form_Activate();

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void showEvent(QShowEvent *event) override;

 private:
  int miActivated = 0;
};
