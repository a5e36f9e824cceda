#pragma once
// Chit numbers: the next number of a date in the sale, held and delivery tables, numbers
// made from the clock, and the check digits of the chit barcode.
//
// Every "next number" here goes on upward from the rule's result to the first number no
// chit of the date carries (past 999999 it starts again at 1), so a range whose top is
// taken, or a wrap to 1, never hands out a number that fails the insert on the key.
#include <QString>
#include <cstdint>

#include "core/currency.h"
#include "platform/db.h"

namespace orv::chit {
// The first number from n upward (1 after 999999) that no row of the date carries in the
// table; prefix is the table's column prefix ("Pct", "Wct", "Bct"). The date is yyyymmdd.
int32_t FirstFreeChitNo(orv::db::Connection &conn, const QString &table, const QString &prefix,
                        const QString &date, int32_t n);
// "PctYear=2024 And PctMon=1 And PctDay=5 And PctDate='20240105'": the month tables' keys
// begin with year, month and day, so these find a date's rows through the key.
QString DateWhere(const QString &prefix, const QString &date);
// The sale-chit rule with the range given: Max+1 within 1..20000 (20001..29999 for a
// credit sale) in PanChit (source 0, goDbMain) or PanChitT (otherwise, goDbPos) + yymm.
int32_t NextPanChtNoFor(const QString &date, int16_t source, int16_t yymm, bool credit);
}  // namespace orv::chit

// The next sale-chit number of the date; the range follows PctOisang of gtPanChit
// (defined with the savers, beside the records).
int32_t NextPanChtNo(const QString &date, int16_t source, int16_t yymm);
// The next held-chit number: WatChit on goDbMain (source 0) or WatChitT on goDbPos.
int32_t NextWatChtNo(const QString &date, int16_t source);
// The next delivery-chit number from BdlChit on goDbPos.
int32_t NextBdlChtNo(const QString &date);

// Hour (0 as 24), minute, the last digit of giSetPosNo and 0, read as one number; kind 1
// then moves it up past the numbers PanChit of the work date holds (goDbMain), kind 2
// past those of PanChitT (goDbPos). Database errors reach the caller.
int32_t NewChitNo(int16_t kind);
// The first number from the given one upward that no chit of the work date carries.
int32_t FreeChitNoInPanChit(int32_t number);
int32_t FreeChitNoInPanChitT(int32_t number);
inline int32_t FreePanChtNoT(int32_t number) { return FreeChitNoInPanChitT(number); }

// The two check digits (0..99) of the chit barcode, from the chit total.
int32_t ChitBarCheckDigits(orv::Currency amount);
// The same with the shop option PosChitBar1M given (1: the amount's band).
int32_t ChitBarCheckDigitsFor(orv::Currency amount, int32_t bandOption);
