#pragma once
// A unique-key violation: another writer took the key between our choice and our insert.
#include "platform/db.h"

namespace orv::chit {
inline bool IsUniqueKeyError(const orv::db::DbError &e) { return e.IsUniqueViolation(); }
}  // namespace orv::chit
