#include "platform/clock.h"

#include <QElapsedTimer>
#include <optional>

namespace orv::clock {
namespace {
struct Fixed {
  QDateTime base;
  QElapsedTimer since;
};
std::optional<Fixed> g_fixed;
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

}  // namespace orv::clock
