#pragma once
// The closing's message boxes.
#include <QString>
#include <exception>

namespace orv::closing {
// A save rolled back: critical box "저장실패", "오류번호:" n CR LF "오류내용:" text.
void ShowSaveFailed(const std::exception &e);
// A read of a form that failed: "오류번호 : …" / "오류내용 : …" titled with its caption.
void ShowFormError(const std::exception &e, const QString &caption);
// The number and description of an error (0 and the text for other exceptions).
long ErrorNumber(const std::exception &e);
QString ErrorDescription(const std::exception &e);
}  // namespace orv::closing
