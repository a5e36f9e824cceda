#pragma once
// "* 코드 데이타 불러 오는 중 *": copies the code tables when it becomes active, showing each
// table and the progress, then closes itself.
#include "sync/msg_wait_dialog.h"

class frmMsgReceive : public MsgWaitDialog {
 public:
  explicit frmMsgReceive(QWidget *parent = nullptr);
  // The whole copy, then the dialog closes. A failure shows "전송오류!!" first.
  void ReceiveCodeTables() { RunOnce(); }
  bool Copied() const { return copied_; }

 protected:
  void Run() override;

 private:
  bool copied_ = false;
};
