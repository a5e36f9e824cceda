#pragma once
// "* 고객 데이타 불러 오는 중 *": copies this shop's members and the point server's options
// into the local copies when it becomes active, then closes itself.
#include "sync/msg_wait_dialog.h"

class frmMsgRecvCst : public MsgWaitDialog {
 public:
  explicit frmMsgRecvCst(QWidget *parent = nullptr);
  void ReceiveCstTables() { RunOnce(); }
  // Empty when the copy went through; else the failure (both copies as before).
  QString Failure() const { return failure_; }
  bool Copied() const { return copied_; }

 protected:
  void Run() override;

 private:
  QString failure_;
  bool copied_ = false;
};
