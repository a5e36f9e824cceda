#pragma once
// One running copy of the checkout per data folder.
#include <QString>

namespace orv::instance {

enum class LockResult { Acquired, OtherCopy, FolderProblem };
// Acquired when this is the only copy (the lock is held until ReleaseSingleInstance or
// exit); OtherCopy when another copy holds it; FolderProblem when the lock cannot be made.
LockResult TryAcquireSingleInstance();
bool AcquireSingleInstance();  // TryAcquireSingleInstance() == Acquired
void ReleaseSingleInstance();

// The message for a data folder the program cannot create or write, or empty when it can.
// Makes a missing folder; writes nothing in it.
QString DataFolderProblem();

}  // namespace orv::instance
