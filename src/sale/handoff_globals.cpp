#include "sale/handoff_globals.h"

#include "core/state.h"

QString gsLastChtDate;
int32_t glLastChtNo = 0;
int16_t giPosLogOff = 0;

namespace orv::state {
void ResetHandoffGlobals() {
  gsLastChtDate.clear();
  glLastChtNo = 0;
  giPosLogOff = 0;
}
}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetHandoffGlobals);
}
