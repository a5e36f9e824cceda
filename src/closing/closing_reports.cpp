#include "closing/closing_reports.h"

#include "core/state.h"
#include "platform/stand_in_form.h"

namespace orv::closing {

namespace {
QStringList &Calls() {
  static QStringList calls;
  return calls;
}
void ClearCalls() { Calls().clear(); }
const bool kResetRegistered = orv::state::RegisterReset(&ClearCalls);
}  // namespace

void ShowfrmSelPrint(QWidget *parent) {
  ShowStandIn(QStringLiteral("frmSelPrint"), QStringLiteral("출력조건 선택"),
              QStringLiteral("마감 보고서 출력은 다음 작업에서 만들어집니다."), parent);
}

void PrintTerminate(const ClosingFigures &, const ClosingContext &) {
  Calls() << QStringLiteral("PrintTerminate");
}
void PrintTerminateByTender(const ClosingFigures &, const ClosingContext &) {
  Calls() << QStringLiteral("PrintTerminateByTender");
}
void PrintTemTerminate(const ClosingFigures &, const ClosingContext &) {
  Calls() << QStringLiteral("PrintTemTerminate");
}
void PrintTemTerminateByTender(const ClosingFigures &, const ClosingContext &) {
  Calls() << QStringLiteral("PrintTemTerminateByTender");
}

QStringList TakeReportCalls() {
  QStringList out;
  out.swap(Calls());
  return out;
}

}  // namespace orv::closing
