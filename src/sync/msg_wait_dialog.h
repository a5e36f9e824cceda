#pragma once
// The small wait dialogs of the data exchange: a title, "= 잠시 대기 =", the step's text and
// a progress bar. Once it is on the screen it runs its work (a queued call), then closes itself.
#include <QDialog>

class QLabel;
class QProgressBar;

class MsgWaitDialog : public QDialog {
 public:
  MsgWaitDialog(const QString &objectName, const QString &title, QWidget *parent = nullptr);

  QLabel *DspTitleLbl;
  QLabel *Label1;
  QLabel *MsgTextLbl;
  QProgressBar *ProgressBar1;

 protected:
  void showEvent(QShowEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  // The work; the dialog closes after it, whatever it did.
  virtual void Run() = 0;
  void ShowCopyStep(const QString &text, int value);
  void RunOnce();

 private:
  void StartWork();
  bool started_ = false;
};
