#include "lookup/help_forms.h"

#include "lookup/help_globals.h"
#include "display/KeyPadAllFrm.h"
#include "lookup/DirectGoFrm.h"
#include "platform/dialogs.h"

namespace orv::lookup {

std::unique_ptr<QDialog> MakeDirectGoFrm() { return std::make_unique<DirectGoFrm>(); }

void ShowKeyPad() {
  giKeyPadOk = 0;
  KeyPadAllFrm f;
  dialogs::ShowModal(f);
}

}  // namespace orv::lookup
