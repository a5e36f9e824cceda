#pragma once
// The exchange with the shared point server: the member chits queued on the POS database
// go to it, and this shop's members and the server's options come down into the local
// copies the checkout uses while the server is away.
#include <QString>
#include <cstdint>
#include <functional>

#include "chit/ts_records.h"

namespace orv::sync {

// Makes the point server's tables of a month (yymm) where missing.
using TsMonthMaker = std::function<void(int16_t yymm)>;

// Sends every queued chit (PanChitOn with its PclSel 0 rows of PanListOn), oldest first:
// header and settlement row replaced on the point server and the member's totals raised,
// committed there first; then the chit leaves the queue. A chit the point server already
// holds with every column equal (its queue delete was lost) only leaves the queue.
// progress(0..100) as the chits go. The first failure rolls that chit back on both sides
// and reaches the caller; it and the chits after it stay queued.
void SendCstPoints(const TsMonthMaker &makeMonth, const std::function<void(int)> &progress = {});

// The current chit (gtPanChitOn and its settlement rows) on goDbTs, in the caller's
// transaction. Several rows of one chit go as one (the point server keeps one per chit)
// carrying their sums; the member's visits grow by one and the totals by those sums.
void SendPointChit(const std::vector<PanListTsRec> &lists);

// CstCode of this shop (all shops with giSetCstAll 1), running totals 0, into CstCodeTs and
// OrvRegistry into OrvRegistryTs, from goDbTs, in one POS transaction: a failure leaves both
// as they were and reaches the caller. progress(table, value).
void ReceiveCstTables(const std::function<void(const QString &table, int value)> &progress = {});

}  // namespace orv::sync
