#pragma once
// Program-wide state only the sale screen keeps: the OneMoa goods texts of the chit handed to
// payment, the last scanned receipt code, the goods-edit password and the running totals.
// The state of the sale in progress that payment and printing read is in chit/sale_state.h,
// the lookups' inputs and results in lookup/help_globals.h.
#include <QString>
#include <cstdint>

#include "chit/sale_state.h"
#include "core/currency.h"
#include "core/globals.h"
#include "van/card_state.h"

// Columns 1 and 2 of each goods line handed to payment (elements 1..150), for OneMoa.
extern QString gsOneMoaGdsCode[151];
extern QString gsOneMoaGdsName[151];

extern int16_t giPosProgram;  // 1 while the sale screen runs
extern QString gsGdsEditPass;  // what was last typed in the goods-edit password box
extern QString gsScanChitCode;  // the last scanned 14-digit code (a printed receipt's)

// The sale's running totals, as the last totals calculation left them.
struct SaleRunningTotals {
  orv::Currency qty, freeQty, freeAmt, total, listSum, taxFree, bottle, supply, vat, dc,
      shownQty, jumsu, bundle, lines, spare;
};
extern SaleRunningTotals gtSaleTotals;

namespace orv::state {
void ResetSaleGlobals();
}
