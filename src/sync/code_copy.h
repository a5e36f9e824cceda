#pragma once
// The daily code copy: the checkout's copies of the shop's code tables refreshed from the
// main database. One row copier serves both ways the shop may choose: rows are read from a
// connection of the copy's own on the main database and written into goDbPos in one
// transaction, so a copy that fails leaves every POS table as it was.
#include <QString>
#include <functional>
#include <span>

#include "platform/db.h"
#include "schema/tables.h"

namespace orv::sync {

// The 23 tables in copy order; the last is TrsMast of today's month (named without it).
std::span<const char *const> CodeCopyTables();

enum class CustomerCopy {
  Always,              // customers reloaded with their running totals 0
  WhenNoPosTotals,     // only when no POS customer holds totals; else CstCode stays
};

// Copies the code tables, CstCode and TrsMast of today's month by the clock (passed over
// when the main database lacks it). progress(step 1..23, table name as shown). Throws
// DbError naming the table; nothing is changed then.
void CopyCodesFromMain(CustomerCopy customers,
                       const std::function<void(int step, const QString &table)> &progress = {});

// The row copier: goDbPos's table emptied, then srcTable's rows (filter: "" or " Where …"
// of our own making) read from src page by page in the key order of def and written by
// def's column names through one prepared insert; customers' running totals as 0 when
// zeroTotals. With attached (the schema name under which goDbPos has src's SQLite file
// attached) one Insert … Select does it inside the POS database. Runs in the caller's
// transaction.
void CopyRows(db::Connection &src, const QString &srcTable, const QString &filter,
              const schema::TableDef &def, const QString &table, bool zeroTotals,
              const QString &attached = {});

// The progress value of a step: step / 23 x 100, whole part; the last step 100.
int CodeCopyProgress(int step);

}  // namespace orv::sync
