#pragma once
// "* 코드 데이타 불러 오는 중 *": copies the code tables when it becomes active, showing each
// table and the progress, then closes itself.
#include <QDialog>

class QLabel;
class QProgressBar;

class frmMsgReceive : public QDialog {
 public:
  explicit frmMsgReceive(QWidget *parent = nullptr);
  // The whole copy, then the dialog closes. A failure shows "전송오류!!" first.
  void ReceiveCodeTables();
  bool Copied() const { return copied_; }

  QLabel *DspTitleLbl;
  QLabel *Label1;
  QLabel *MsgTextLbl;
  QProgressBar *ProgressBar1;

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  void ShowCopyStep(const QString &table, int value);
  bool started_ = false;
  bool copied_ = false;
};
