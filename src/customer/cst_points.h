#pragma once
// What the two point screens share: how points and sales amount turn into each other, and
// the customer-ledger row (CstWnjg on the main database, CstWnjgT<yymm> on the point server).
#include <QList>
#include <QString>
#include <cstdint>

#include "core/currency.h"
#include "platform/db.h"

// The shop's rule: money per points base (PosCstJumsu, 0 read as 1000), points per base
// (PosCstJumsuPoint, 0 read as 1) and the rounding offset of giOrvSetCstIrt (0.9 "올림",
// 0.5 "반올림", 0 "절사"). Bases are 32-bit: a stored value above 32767 still counts.
struct PointRule {
  int32_t base = 1000;
  int32_t unit = 1;
  orv::Currency offset;
};
PointRule ReadPointRule();

// Points to money: sign × (|points × base| cut to whole) / unit, cut to two decimals.
orv::Currency PointsToAmount(orv::Currency points, const PointRule &rule);
// Money to points: sign × whole part of (|amount| / base × unit + offset); the sign is +1
// only for an amount above 0.
orv::Currency AmountToPoints(orv::Currency amount, const PointRule &rule);

// The first gap in 1, 2, 3 … of a day's ledger numbers, given in ascending order.
int32_t FirstLedgerGap(const QList<int32_t> &sortedNumbers);

// "id(name)", each part cut to 10 bytes, the whole to 30.
QString LedgerPsnText();

struct LedgerRow {
  orv::Currency key;
  QString goods;  // CwjGods
  orv::Currency yZerdo, yJumsu, zerdo, jumsu;
  QString bigo;
  int16_t kind = 0;  // CwjSss1: 1 receipt points, 3 a hand change
};

// Inserts the row dated now, numbered by the first gap among the customer's rows of the day,
// into table on conn, inside the caller's transaction; with comNo (the point server's table)
// CwjComNo is written too. Every value bound. A number taken meanwhile by another checkout
// is numbered again (up to 5 times). Returns the number; errors go to the caller.
int32_t InsertLedgerRow(orv::db::Connection &conn, const QString &table, const LedgerRow &row,
                        bool withComNo);
