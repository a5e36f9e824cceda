#include "van/van_wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "core/state.h"

namespace orv::van {

VanTimeouts &Timeouts() {
  static VanTimeouts t;
  return t;
}

bool WaitUntil(const std::function<bool()> &done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() >= timeoutMs) return false;
    QEventLoop loop;
    QTimer::singleShot(2, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  return true;
}

void Pause(int ms) {
  if (ms <= 0) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return;
  }
  QElapsedTimer clock;
  clock.start();
  WaitUntil([&] { return clock.elapsed() >= ms; }, ms + 1000);
}

}  // namespace orv::van

namespace {
void ResetTimeouts() { orv::van::Timeouts() = {}; }
const bool kResetRegistered = orv::state::RegisterReset(&ResetTimeouts);
}  // namespace
