// The closing screen's saved closings (F4, F5) and the closing reset (F6).
#include <QLabel>

#include "chit/etc_chits.h"
#include "chit/tem_data.h"
#include "closing/closing_reset.h"
#include "closing/closing_ui.h"
#include "closing/frmTemSave.h"
#include "closing/frmTerminate.h"
#include "core/globals.h"
#include "core/values.h"
#include "platform/busy_pointer.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "sync/basSync.h"

namespace orv::closing {

namespace ss = orv::settings_store;

namespace {
const QString kResetTitle = QStringLiteral("마감내역삭제!!");
}  // namespace

void frmTerminate::cmdSave_Click() {
  {
    frmTemSave form(ctx_, this);
    dialogs::ShowModal(form);
  }
  AfterChild();
}

void frmTerminate::cmdLoad_Click() {
  {
    frmTemLoad form(this);
    dialogs::ShowModal(form);
  }
  const bool picked = NzCur(ss::GetSetting("TemChitLoad")) == Currency::Won(1);
  const std::optional<SavedClosing> saved =
      ValidSavedClosing(ss::GetSetting("TemDate"), ss::GetSetting("TemChtNo"));
  if (!picked || !saved) {
    AfterChild();
    return;
  }
  BusyPointer busy;
  // The months around the saved closing's own date, so an earlier month's closing is found.
  ClosingContext ctx = MakeClosingContext(saved->date);
  try {
    ProbeClosingContext(ctx);
  } catch (const std::exception &e) {
    ShowFormError(e, windowTitle());
    return;
  }
  ClosingFigures f = figures_;
  const bool ok =
      RefreshStep(f, "fcTemPanGdsSerch", [&](ClosingFigures &n) { ReadSavedGoodsFigures(ctx, *saved, n); }) &&
      RefreshStep(f, "fcTemInitGumSerch", [&](ClosingFigures &n) { ReadSavedInitGumFigures(*saved, n); }) &&
      RefreshStep(f, "fcTemOiReturnSerch",
           [&](ClosingFigures &n) { ReadSavedOiReturnFigures(ctx, *saved, n); }) &&
      RefreshStep(f, "fcTemPanChitSerch",
           [&](ClosingFigures &n) { ReadSavedPanChitFigures(ctx, *saved, n); });
  if (!ok) return;
  loadedCtx_ = ctx;
  loaded_ = true;
  ShowFigures(f);
  lblLoad->setText(QStringLiteral("L"));
}

void frmTerminate::cmdDelete_Click() {
  if (loaded_) {
    // A loaded closing's figures are not today's: closing with them would close today's
    // chits under another day's totals.
    dialogs::MsgBox(QStringLiteral("불러온 마감내역입니다. 마감화면을 다시 열고 삭제하세요."),
                    dialogs::kExclamation, kResetTitle);
    return;
  }
  if (!RefreshOpen()) return;
  if (!dialogs::AskYesNo(QStringLiteral("삭제하시겠습니까??"), kResetTitle)) return;
  struct ClearHeld {
    ~ClearHeld() {
      ClearWatChitRecord();
      ClearWatGodsRecords();
    }
  } clearHeld;
  const std::optional<QString> pwd = dialogs::PasswordBox(
      QStringLiteral("삭제 비밀번호를 입력하세요"), QStringLiteral("비밀번호입력"), QStringLiteral("0"));
  if (!pwd || *pwd != gsLogPwd) return;
  // The kind-8 row takes 8000 + the last held chit this reset drops, 8000 without one.
  ClearWatChitRecord();
  ClearWatGodsRecords();
  ClearTemDataRecord();
  const std::optional<ClosingRowKeys> keys = CloseCashierChits(figures_, ctx_);
  if (keys && giOnLine == 1 && !goDbMain.SharesSessionWith(goDbPos)) {
    if (const std::optional<db::DbError> err = SendClosingRows(*keys)) {
      dialogs::MsgBox(QStringLiteral("마감은 완료되었으나 본사 전송에 실패했습니다. 다음 온라인 "
                                     "로그인 때 전송합니다.\r\n오류번호:") +
                          QString::number(err->Number) + QStringLiteral("\r\n오류내용:") +
                          err->Description,
                      dialogs::kExclamation, kResetTitle);
    }
  }
  RefreshOpen();
}

}  // namespace orv::closing
