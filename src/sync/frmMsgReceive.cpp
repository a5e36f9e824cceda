#include "sync/frmMsgReceive.h"

#include "core/pos_settings.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/wait_cursor.h"
#include "sync/code_copy.h"

frmMsgReceive::frmMsgReceive(QWidget *parent)
    : MsgWaitDialog("frmMsgReceive", QStringLiteral("* 코드 데이타 불러 오는 중 *"), parent) {}

void frmMsgReceive::Run() {
  if (gsSetMainDB.isEmpty() || gsSetPosDB.isEmpty()) return;
  try {
    orv::WaitCursor wait;
    orv::sync::CopyCodesFromMain(orv::sync::CustomerCopy::Always,
                                 [this](int step, const QString &table) {
                                   ShowCopyStep(table, orv::sync::CodeCopyProgress(step));
                                 });
    copied_ = true;
  } catch (const orv::db::DbError &e) {
    orv::dialogs::Critical(e.Description, QStringLiteral("전송오류!!"));
  }
}
