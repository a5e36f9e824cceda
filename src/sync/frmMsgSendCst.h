#pragma once
// "* 고객통합 포인트 전송 중 *": sends the queued member chits to the point server when it
// becomes active, then closes itself.
#include "sync/cst_exchange.h"
#include "sync/msg_wait_dialog.h"

class frmMsgSendCst : public MsgWaitDialog {
 public:
  explicit frmMsgSendCst(orv::sync::TsMonthMaker makeMonth, QWidget *parent = nullptr);
  void SendCstPoints() { RunOnce(); }
  // Empty when the queue went through; else the failure (that chit and the later ones wait).
  QString Failure() const { return failure_; }

 protected:
  void Run() override;

 private:
  orv::sync::TsMonthMaker makeMonth_;
  QString failure_;
};
