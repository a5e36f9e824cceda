#pragma once
// Delivery chits: the extra lines the cashier marks, the delivery record (gtDlvChit) and
// its row in the month's DlvChit table.
#include <QString>
#include <cstdint>

#include "chit/records.h"
#include "core/currency.h"

// The extra lines of a delivery chit, each 40 bytes, joined by an apostrophe.
extern QString gsBdlPrnText;
// 1: the goods come from the held chit and the contents line reads "카드판매".
extern int16_t giBdlPrnCard;

namespace orv::print {
// One extra line: name in 20 bytes, size in 16, the quantity right-aligned in 4.
QString BdlPrnLine(const QString &name, const QString &kyg, const QString &qty);
// The month table of a yyyymmdd date ("DlvChit2412"); throws DbError for a date that is
// not eight digits.
QString DlvChitTable(const QString &date);
// Whether the month's table holds a record of that day and number (on goDbMain).
bool DlvChitExists(const DlvChitRec &rec);
// Inserts rec into its month's table on goDbMain, every value bound.
void InsertDlvChitRow(const DlvChitRec &rec);
}  // namespace orv::print

namespace orv::state {
void ResetDeliveryState();
}
