#include "core/state.h"

#include "chit/pos_logs.h"
#include "core/card_ret.h"
#include "core/pos_settings.h"

namespace orv::state {

void ResetProgramState() {
  ResetCoreGlobals();
  ResetPosSettings();
  ClearCardRet();
  ResetChitState();
}

}  // namespace orv::state
