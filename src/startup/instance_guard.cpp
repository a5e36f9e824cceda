#include "startup/instance_guard.h"

#include <QDir>
#include <QLockFile>
#include <memory>

#include "platform/datafolder.h"

namespace orv::instance {
namespace {
std::unique_ptr<QLockFile> g_lock;
}

bool AcquireSingleInstance() {
  if (g_lock) return true;
  QDir().mkpath(datafolder::Root());
  auto lock = std::make_unique<QLockFile>(datafolder::Path("orvpos.lock"));
  lock->setStaleLockTime(0);  // a copy that died leaves a lock of a dead process: taken over
  if (!lock->tryLock(0)) return false;
  g_lock = std::move(lock);
  return true;
}

void ReleaseSingleInstance() { g_lock.reset(); }

}  // namespace orv::instance
