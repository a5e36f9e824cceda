#pragma once
// The card-company codes of the card network as rows of kind 401 of ExtCode on the main
// database, rebuilt from the program's lists.
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <span>

#include "platform/db.h"
#include "van/issuer_codes.h"

namespace orv::settings {

inline constexpr int kCardComKind = 401;

// The companies written for a network (giSetVan): 1, 2, 4, 5, 9 and 10 have a list; every
// other value an empty one.
std::span<const van::IssuerCode> CardComList(int16_t van);

// The first row key of a rebuild: yymmddhhnn of the time.
int64_t FirstCardComKey(const QDateTime &now);
// From yymmdd and hhnn of the time upward, the first key that no ExtCode row (of any kind)
// holds.
int64_t FreeCardComKey(db::Connection &conn, const QDateTime &now);

// One row of kind 401 through the prepared insert, stamped with the clock's date and time.
void InsertCardCom(db::Statement &insert, int64_t key, int64_t code, const QString &name);

// Deletes the rows of kind 401 and inserts the network's list from firstKey upward, one key
// per row, in one transaction. A network without a list executes nothing and gives 0.
// Throws DbError with everything rolled back; otherwise the number of rows written.
int MakeCardComTable(db::Connection &conn, int16_t van, int64_t firstKey);

}  // namespace orv::settings
