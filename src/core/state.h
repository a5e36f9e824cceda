#pragma once
// Resetting all program-wide state between tests (and after a failed login) in one call.
// Each subsystem that owns globals adds its reset function here.

namespace orv::state {

void ResetCoreGlobals();

// Every subsystem's globals back to their start values; connections closed.
void ResetProgramState();

}  // namespace orv::state
