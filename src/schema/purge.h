#pragma once
// The purge of old months from the POS database, up to the cut-off month that the shop
// sets in the options PosZerdoDelYear and PosZerdoDelMon (that month included).
#include <QString>
#include <cstdint>

// Online only; does nothing when either option is 0 or the cut-off month is not before the
// current month. Deletes the old rows of the base tables and drops the monthly tables of
// the old months, on goDbPos; rows not yet sent to the main database are kept, and so is
// every table of a month that still holds such rows. Errors go to the caller as DbError;
// what was done before stays done, and the next run completes it.
void PurgeOldMonths();

// Drops the user tables of the POS database whose names begin with the prefix (blanks
// around it ignored, letter case too) and end in a month suffix not later than the given
// month, compared as text. Same refusals as the purge.
void DropOldMonthTables(const QString &prefix, int16_t year, int16_t month);
