#pragma once
// The main window (sale screen). For now it shows who is logged in and how the checkout
// works, and leaves the program through its exit button.
#include <QWidget>

class QLabel;
class QPushButton;

class frmMain : public QWidget {
  Q_OBJECT
 public:
  explicit frmMain(QWidget *parent = nullptr);

  QLabel *lblSaName;
  QLabel *lblLine;
  QLabel *lblDate;
  QPushButton *cmdExit;

  void cmdExit_Click();

 protected:
  void closeEvent(QCloseEvent *event) override;

 private:
  void WriteExitRow();
  bool leaving_ = false;
};
