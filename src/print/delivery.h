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

// The delivery chit in giBadalPrintSu copies (1 to 3, else 2), each its own job. Loads the
// customer of cstKey into gtCstCode: callers keep and restore that record. With goodsFlag 1
// and a chit number, the first copy lists the chit's goods (the held chit's when
// giBdlPrnCard is 1). Database and port failures reach the caller; copies already sent stay.
void PrintDeliveryChit(orv::Currency cstKey, const QString &saleDate, int32_t chitNo, orv::Currency total,
                       int16_t goodsFlag);
// The goods lines of a sale chit (PanGods of its month) or of a held chit (WatGodsT on the
// POS database), 40 bytes each, joined by an apostrophe; empty when there are none.
QString DeliveryGoodsText(const QString &saleDate, int32_t chitNo);
QString DeliveryWatGoodsText(const QString &saleDate, int32_t chitNo);

// Fills gtDlvChit for the chit from gtCstCode (as the printout left it) and the clock.
void SetBaDalPrintRec(const QString &saleDate, int32_t chitNo, orv::Currency total);
inline void FillDlvRecord(const QString &saleDate, int32_t chitNo, orv::Currency total) {
  SetBaDalPrintRec(saleDate, chitNo, total);
}
// SetBaDalPrintRec, then the row in the sale month's DlvChit unless that day and number
// already has one. True when a row was written.
bool SaveDlvChit(const QString &saleDate, int32_t chitNo, orv::Currency total);
inline bool InsertDlvChit(const QString &saleDate, int32_t chitNo, orv::Currency total) {
  return SaveDlvChit(saleDate, chitNo, total);
}

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
