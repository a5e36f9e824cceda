#include "core/state.h"

#include "core/pos_settings.h"

namespace orv::state {

void ResetProgramState() {
  ResetCoreGlobals();
  ResetPosSettings();
}

}  // namespace orv::state
