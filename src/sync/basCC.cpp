#include "sync/basCC.h"

#include "core/pos_settings.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/wait_cursor.h"
#include "sync/code_copy.h"
#include "sync/frmMsgReceive.h"
#include "sync/frmMsgRecvCst.h"
#include "sync/frmMsgSendCst.h"

bool CopyCodesByBcp() {
  if (gsSetPosDB.isEmpty() || gsSetMainDB.isEmpty()) return false;
  try {
    orv::WaitCursor wait;
    orv::sync::CopyCodesFromMain(orv::sync::CustomerCopy::WhenNoPosTotals);
    return true;
  } catch (const orv::db::DbError &e) {
    orv::dialogs::Critical(e.Description, QStringLiteral("전송오류!!"));
    return false;
  }
}

bool ShowMsgReceive() {
  frmMsgReceive form;
  orv::dialogs::ShowModal(form);
  return form.Copied();
}

bool ShowMsgRecvCst() {
  frmMsgRecvCst form;
  orv::dialogs::ShowModal(form);
  if (!form.Failure().isEmpty())
    orv::db::LogFailure(QStringLiteral("통합고객 수신 실패: ") + form.Failure());
  return form.Copied();
}

void ShowMsgSendCst(const orv::sync::TsMonthMaker &makeMonth) {
  frmMsgSendCst form(makeMonth);
  orv::dialogs::ShowModal(form);
  if (!form.Failure().isEmpty())
    orv::db::LogFailure(QStringLiteral("통합포인트 전송 실패: ") + form.Failure());
}
