#include "sync/frmMsgSendCst.h"

#include <QProgressBar>

#include "platform/db.h"
#include "platform/wait_cursor.h"

frmMsgSendCst::frmMsgSendCst(orv::sync::TsMonthMaker makeMonth, QWidget *parent)
    : MsgWaitDialog("frmMsgSendCst", QStringLiteral("* 고객통합 포인트 전송 중 *"), parent),
      makeMonth_(std::move(makeMonth)) {}

void frmMsgSendCst::Run() {
  try {
    orv::WaitCursor wait;
    orv::sync::SendCstPoints(makeMonth_, [this](int value) { ShowCopyStep({}, value); });
  } catch (const orv::db::DbError &e) {
    failure_ = e.Description;
  }
}
