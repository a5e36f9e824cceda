#include "startup/instance_guard.h"

#include <QDir>
#include <QLockFile>
#include <memory>

#include "platform/datafolder.h"

namespace orv::instance {
namespace {
std::unique_ptr<QLockFile> g_lock;
}

LockResult TryAcquireSingleInstance() {
  if (g_lock) return LockResult::Acquired;
  if (!datafolder::IsWritableFolder(datafolder::Root())) return LockResult::FolderProblem;
  auto lock = std::make_unique<QLockFile>(datafolder::Path("orvpos.lock"));
  lock->setStaleLockTime(0);  // a copy that died leaves a lock of a dead process: taken over
  if (!lock->tryLock(0))
    return lock->error() == QLockFile::LockFailedError ? LockResult::OtherCopy
                                                        : LockResult::FolderProblem;
  g_lock = std::move(lock);
  return LockResult::Acquired;
}

bool AcquireSingleInstance() { return TryAcquireSingleInstance() == LockResult::Acquired; }

void ReleaseSingleInstance() { g_lock.reset(); }

QString DataFolderProblem() {
  const QString root = datafolder::Root();
  if (datafolder::IsWritableFolder(root)) return {};
  return QStringLiteral("데이터 폴더에 쓸 수 없습니다 : ") + QDir::toNativeSeparators(root) +
         "\r\n" + QStringLiteral("폴더의 쓰기 권한을 확인하세요.");
}

}  // namespace orv::instance
