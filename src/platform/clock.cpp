#include "platform/clock.h"

#include <QElapsedTimer>
#include <ctime>
#include <optional>

namespace orv::clock {
namespace {
struct Fixed {
  QDateTime base;
  QElapsedTimer since;
};
std::optional<Fixed> g_fixed;
bool g_machineAllowed = false;
std::function<bool(const QDateTime &)> g_machineHook;
}  // namespace

QDateTime Now() {
  if (g_fixed) return g_fixed->base.addMSecs(g_fixed->since.elapsed());
  return QDateTime::currentDateTime();
}

void SetFixed(const QDateTime &moment) {
  g_fixed = Fixed{moment, {}};
  g_fixed->since.start();
}

void Reset() { g_fixed.reset(); }

void AllowMachineClock(bool on) { g_machineAllowed = on; }

bool SetMachineDateTime(const QDateTime &localMoment) {
  if (!localMoment.isValid()) return false;
  if (g_machineHook) return g_machineHook(localMoment);
  if (!g_machineAllowed) return false;
  const qint64 ms = localMoment.toMSecsSinceEpoch();
  timespec ts{};
  ts.tv_sec = time_t(ms / 1000);
  ts.tv_nsec = long(ms % 1000) * 1000000L;
  // Refused (EPERM) without the right to set the clock: the clock stays as it is.
  return clock_settime(CLOCK_REALTIME, &ts) == 0;
}

void SetMachineClockHook(std::function<bool(const QDateTime &)> hook) {
  g_machineHook = std::move(hook);
}

}  // namespace orv::clock
