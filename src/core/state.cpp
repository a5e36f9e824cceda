#include "core/state.h"

#include "chit/pos_logs.h"
#include "core/pos_settings.h"

namespace orv::state {

void ResetProgramState() {
  ResetCoreGlobals();
  ResetPosSettings();
  ResetChitState();
}

}  // namespace orv::state
