#include "closing/closing_print.h"

#include "closing/closing_reports.h"
#include "core/values.h"
#include "platform/settings_store.h"

namespace orv::closing {

void RunClosingPrint(QWidget *parent, const ClosingFigures &f, const ClosingContext &ctx) {
  struct ResetOk {
    ~ResetOk() { settings_store::SaveSetting(QStringLiteral("PosSalePrnOK"), QStringLiteral("0")); }
  } resetOk;
  ShowfrmSelPrint(parent);
  if (NzCur(settings_store::GetSetting(QStringLiteral("PosSalePrnOK"))) != orv::Currency::Won(1))
    return;
  const bool loaded = !NzCur(settings_store::GetSetting(QStringLiteral("TemChitLoad"))).IsZero();
  const bool byTender = !NzCur(settings_store::GetSetting(QStringLiteral("PosSalePrn8"))).IsZero();
  if (!loaded)
    byTender ? PrintTerminateByTender(f, ctx) : PrintTerminate(f, ctx);
  else
    byTender ? PrintTemTerminateByTender(f, ctx) : PrintTemTerminate(f, ctx);
}

}  // namespace orv::closing
