#include "lookup/help_forms.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "lookup/help_globals.h"
#include "display/KeyPadAllFrm.h"
#include "lookup/DirectGoFrm.h"
#include "platform/dialogs.h"

namespace orv::lookup {

namespace {

// A dialog still to come: it keeps the protocol (guard reset, nothing taken) and closes.
class HelpStandIn : public QDialog {
 public:
  HelpStandIn(const QString &name, const QString &caption) {
    setObjectName(name);
    setWindowTitle(caption);
    giHelpOpen = 0;
    giHelpRet = 0;
    auto *l = new QVBoxLayout(this);
    l->addWidget(new QLabel(QStringLiteral("이 조회 화면은 다음 작업에서 제공됩니다."), this));
    auto *b = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(b, &QDialogButtonBox::rejected, this, &QDialog::reject);
    l->addWidget(b);
  }
};

}  // namespace

std::unique_ptr<QDialog> MakeExtHelpFrm() {
  return std::make_unique<HelpStandIn>("ExtHelpFrm", QStringLiteral("코드 조회"));
}
std::unique_ptr<QDialog> MakeDirectGoFrm() { return std::make_unique<DirectGoFrm>(); }

void ShowKeyPad() {
  giKeyPadOk = 0;
  KeyPadAllFrm f;
  dialogs::ShowModal(f);
}

}  // namespace orv::lookup
