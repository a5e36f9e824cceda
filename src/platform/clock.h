#pragma once
// The program's clock. Tests set it; nothing here changes the machine's clock.
#include <QDateTime>

namespace orv::clock {

QDateTime Now();
// From now on Now() returns this moment, advancing with real time.
void SetFixed(const QDateTime &moment);
// Back to the machine's clock.
void Reset();

}  // namespace orv::clock
