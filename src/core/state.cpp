#include "core/state.h"

namespace orv::state {

void ResetProgramState() {
  ResetCoreGlobals();
}

}  // namespace orv::state
