#pragma once
// Resetting all program-wide state between tests (and after a failed login) in one call.
// The shared services' globals are reset here; each subsystem that owns globals registers
// its own reset, so this folder knows none of them.

namespace orv::state {

void ResetCoreGlobals();

// A subsystem's reset of its globals. Register it from a static initialiser in the file
// that defines the globals (so it is linked in exactly when they are):
//   const bool kRegistered = orv::state::RegisterReset(&ResetChitState);
// A function registered twice runs once. Returns true.
using ResetFn = void (*)();
bool RegisterReset(ResetFn fn);

// Every subsystem's globals back to their start values; connections closed. The shared
// ones first, then the registered resets in the order they were registered.
void ResetProgramState();

}  // namespace orv::state
