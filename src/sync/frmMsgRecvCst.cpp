#include "sync/frmMsgRecvCst.h"

#include "platform/db.h"
#include "platform/wait_cursor.h"
#include "sync/cst_exchange.h"

frmMsgRecvCst::frmMsgRecvCst(QWidget *parent)
    : MsgWaitDialog("frmMsgRecvCst", QStringLiteral("* 고객 데이타 불러 오는 중 *"), parent) {}

void frmMsgRecvCst::Run() {
  try {
    orv::WaitCursor wait;
    orv::sync::ReceiveCstTables([this](const QString &table, int value) { ShowCopyStep(table, value); });
    copied_ = true;
  } catch (const orv::db::DbError &e) {
    failure_ = e.Description;
  }
}
