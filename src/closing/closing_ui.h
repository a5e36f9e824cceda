#pragma once
// The closing's message boxes.
#include <QString>
#include <exception>
#include <utility>

#include "closing/closing_figures.h"
#include "platform/dialogs.h"

namespace orv::closing {
// A save rolled back: critical box "저장실패", "오류번호:" n CR LF "오류내용:" text.
void ShowSaveFailed(const std::exception &e);
// A read of a form that failed: "오류번호 : …" / "오류내용 : …" titled with its caption.
void ShowFormError(const std::exception &e, const QString &caption);
// The number and description of an error (0 and the text for other exceptions).
long ErrorNumber(const std::exception &e);
QString ErrorDescription(const std::exception &e);

// One refresh step of the figures: they change only when the read went through; a failure
// shows its description titled with the step's name.
template <class Fn>
bool RefreshStep(ClosingFigures &figures, const char *name, Fn read) {
  ClosingFigures next = figures;
  try {
    read(next);
  } catch (const std::exception &e) {
    dialogs::MsgBox(ErrorDescription(e), dialogs::kOkOnly, QLatin1String(name));
    return false;
  }
  figures = std::move(next);
  return true;
}
}  // namespace orv::closing
