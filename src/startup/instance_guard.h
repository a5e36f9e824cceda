#pragma once
// One running copy of the checkout per data folder.
namespace orv::instance {
// True when this is the only copy (the lock is held until ReleaseSingleInstance or exit).
bool AcquireSingleInstance();
void ReleaseSingleInstance();
}  // namespace orv::instance
