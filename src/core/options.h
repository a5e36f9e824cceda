#pragma once
// Options kept in the database: shop-wide ones in OrvRegistry (on the working connection),
// the point server's in OrvRegistryTs (POS connection) and in its own OrvRegistry
// (point-server connection), per-user ones in OrvEnvironment (working connection).
// Keys match without regard to letter case or trailing blanks. Nothing here fails
// loudly: a missing row, a NULL and any database error read as 0 or ""; a write that
// fails is rolled back and leaves the row as it was. Each call leaves its statement in gsSql.
#include <QString>
#include <cstdint>

#include "core/currency.h"

int32_t GetRegInt(const QString &key);
namespace orv::db {
class Connection;
}
// GetRegInt on another connection to the main database (0 when it is not open).
int32_t GetRegIntOn(orv::db::Connection &conn, const QString &key);
orv::Currency GetRegCur(const QString &key);
int32_t GetRegIntTs(const QString &key);
int32_t GetRegIntSvr(const QString &key);
QString GetRegChar(const QString &key);  // trimmed
QString GetRegText(const QString &key);  // trimmed
void SetRegistry(const QString &key, int32_t value);

// While one lives, each option is read from its database once: a recall replays every line
// through handlers that read the same options at each key. A write forgets what was read.
class OptionReadsOnce {
 public:
  OptionReadsOnce();
  ~OptionReadsOnce();
  OptionReadsOnce(const OptionReadsOnce &) = delete;
  OptionReadsOnce &operator=(const OptionReadsOnce &) = delete;
};
// 0 when no OptionReadsOnce lives, else a number of its own: other reads that hold for
// its life (the sale period) keep their answer under it.
uint64_t OptionReadsScope();
// fn runs when the outermost OptionReadsOnce ends (what was kept under it goes).
void AtOptionReadsEnd(void (*fn)());
int32_t GetEnvInt(const QString &userId, const QString &key);
void SetEnvironment(const QString &userId, const QString &key, int32_t value);
