#pragma once
// Goods lookups of the sale grid: by goods number, barcode, typed hot-key number and
// pressed hot key. A lookup that finds goods loads the first row into gtGdsCode and sets
// the bundle (gcBssNo), the free-goods link (gcCmsNo) and the trade partner's own price
// (gcTpsMech1). Every code and number is a bound value. All read goDbMain; database errors
// go to the caller.
#include <QString>
#include <cstdint>
#include <functional>

#include "core/currency.h"
#include "platform/db.h"
#include "sale/sale_codes.h"

extern orv::Currency gcBssNo;     // bundle of the goods, 0 when none
extern orv::Currency gcCmsNo;     // free goods the purchase earns, 0 when none
extern orv::Currency gcTpsMech1;  // the sale's trade partner's price of the goods, 0 when none
extern QString gsGdsSelectSql;    // the pack-unit chooser's statement
extern orv::Currency gcGdsSelectKey;  // the chooser's answer: a goods key, 0 when cancelled

// Modal choosers the lookups open; the sale screen sets them. Unset, they choose nothing.
// The key list shows the goods of a typed hot-key number and returns the goods key picked
// (0: nothing picked). The pack chooser lists gsGdsSelectSql and sets gcGdsSelectKey.
extern std::function<orv::Currency(const QString &listSql)> gfnShowKeylist;
extern std::function<void()> gfnShowGdsSelect;

// Number of rows found (0: none). A lookup of 0 or "" does nothing; every other call
// first sets gcBssNo, gcCmsNo and gcTpsMech1 to 0. When nothing is found gtGdsCode keeps
// the goods before and gcTpsMech1 stays 0.
int FindGdsByNo(orv::Currency number);
// Then, when not found and 8 to 10 characters long, as a goods number.
int FindGdsByBarcode(const QString &barcode);
// The key number is the last three digits (1005 and 2005 are key 5). Several rows: the
// key list opens and its pick is loaded; no pick (or no list) finds nothing. No partner
// price.
int FindGdsByKeyNo(orv::Currency number, int16_t shift);
// 0 also when the cashier cancels the pack choice.
int FindGdsByKeyValue(int32_t keyValue, int16_t shift);
// The goods key chosen among the goods and the pack units on its hot key: 0 nothing to
// choose, -1 cancelled.
orv::Currency SelectPackGoods(orv::Currency gdsKey, int16_t keyKind, int16_t keyNo);

// "12-345-1000" to the 13-digit scale barcode, in place; unchanged when not of that form.
// longPrice not 0: item 4 digits and price 6; else 5 and 5.
void DashCodeToBarcode(QString &code, int16_t longPrice);

// The first 8-character barcode on file that begins with the digits (6 or 7 of them), in
// barcode order; "" when none. A range on the key, so the index serves it on both engines.
QString FindBarcodeByPrefix(orv::db::Connection &conn, const QString &digits);
QString FindBarcodeByPrefix(const QString &digits);  // on goDbMain

// The code as stored when OmaGods lists it for the work date, else "".
QString GetOmaGods(const QString &code);

// The shop's sale period: the first SleDate row by SldNo. False (and the period untouched)
// when there is none.
struct SalePeriod {
  int16_t saleSel = 0;  // 9: switched off
  orv::Currency stDate, edDate;  // yyyymmdd as numbers
};
bool ReadSalePeriod(orv::db::Connection &conn, SalePeriod &period);

// A statement on goDbMain with values bound by position, prepared once per session.
// Throws orv::db::DbError.
orv::db::Recordset QueryMain(const QString &sql, const QVariantList &values);

namespace orv::state {
void ResetGoodsLookup();
}

// The shop's scale identifiers and their wide layouts, from the options.
orv::sale::ScaleIds ReadScaleIds();
