#pragma once
// The program's clock. Tests set it; the machine's clock changes only through
// SetMachineDateTime.
#include <QDateTime>
#include <functional>

namespace orv::clock {

QDateTime Now();
// From now on Now() returns this moment, advancing with real time.
void SetFixed(const QDateTime &moment);
// Back to the machine's clock.
void Reset();

// Changing the machine's clock. Off until the program turns it on (its main() does; test
// programs never do); even then it happens only where the system gives the program the
// right to. Returns whether the clock was changed.
void AllowMachineClock(bool on);
bool SetMachineDateTime(const QDateTime &localMoment);
// Tests: every change goes to the hook instead of the machine. An empty hook removes it.
void SetMachineClockHook(std::function<bool(const QDateTime &)> hook);

}  // namespace orv::clock
