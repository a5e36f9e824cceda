#include "lookup/help_forms.h"

#include "display/KeyPadAllFrm.h"
#include "lookup/help_globals.h"
#include "lookup/DirectGoFrm.h"
#include "platform/dialogs.h"

namespace orv::lookup {

std::unique_ptr<QDialog> MakeDirectGoFrm() { return std::make_unique<DirectGoFrm>(); }

void ShowKeyPad() {
  giHelpOpen = 0;  // the keyboard clears the lookup guard when it opens
  giKeyPadOk = 0;
  KeyPadAllFrm f;
  dialogs::ShowModal(f);
  giKeyPadOk = f.KeyPadOk();
  gsKeyPadText = f.KeyPadText();
}

}  // namespace orv::lookup
