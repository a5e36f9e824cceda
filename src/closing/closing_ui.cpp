#include "closing/closing_ui.h"

#include "core/application.h"
#include "platform/db.h"
#include "platform/dialogs.h"

namespace orv::closing {

long ErrorNumber(const std::exception &e) {
  const auto *d = dynamic_cast<const db::DbError *>(&e);
  return d ? d->Number : 0;
}

QString ErrorDescription(const std::exception &e) {
  const auto *d = dynamic_cast<const db::DbError *>(&e);
  return d ? d->Description : QString::fromLocal8Bit(e.what());
}

void ShowSaveFailed(const std::exception &e) {
  dialogs::MsgBox(QStringLiteral("오류번호:") + QString::number(ErrorNumber(e)) +
                      QStringLiteral("\r\n오류내용:") + ErrorDescription(e),
                  dialogs::kCritical, QStringLiteral("저장실패"));
}

void ShowFormError(const std::exception &e, const QString &caption) {
  dialogs::MsgBox(ErrorBoxText(e), dialogs::kCritical, caption);
}

}  // namespace orv::closing
