#pragma once
// The jump-to box: one text for a lookup dialog's condition search or jump.
#include <QDialog>

class QLineEdit;
class QPushButton;

class DirectGoFrm : public QDialog {
  Q_OBJECT
 public:
  explicit DirectGoFrm(QWidget *parent = nullptr);

  QLineEdit *InputTxt;
  QPushButton *Command1;
  QPushButton *Command2;

  void Command1_Click();
  void Command2_Click();

 protected:
  void done(int r) override;
  bool eventFilter(QObject *watched, QEvent *event) override;
  void showEvent(QShowEvent *event) override;

 private:
  bool confirmed_ = false;
  bool unloaded_ = false;
};
