#pragma once
// A unique-key violation (PostgreSQL 23505, SQLite's primary-key and unique constraints).
#include "platform/db.h"

namespace orv::chit {
inline bool IsUniqueKeyError(const orv::db::DbError &e) {
  return e.SqlState == "23505" || e.SqlState == "1555" || e.SqlState == "2067";
}
}  // namespace orv::chit
