#pragma once
// Program-wide state of the sale screen: toggles, price kind, trade partner of the sale,
// lookup inputs and results shared with the choosers, the OneMoa member and the values the
// customer display and the voice program read.
#include <QString>
#include <cstdint>

#include "core/currency.h"
#include "core/globals.h"
#include "van/card_state.h"

// Toggles of the sale screen (memory only: every login starts them again).
extern int32_t glGaSel;    // price kind 0..7 = index of Combo1; never -1
extern int32_t glHalSel;   // discount switch: 1 on, 0 off
extern int16_t giPrintOn;  // receipts printed
extern int16_t giCoinOn;   // change paid through the coin changer
extern int16_t giSetPrintBarcode;

extern orv::Currency gcJumsuGum;  // base of the sale's point accrual
extern orv::Currency gcGdsJumsu;  // points of goods with their own point value
// Columns 1 and 2 of each goods line handed to payment (elements 1..150), for OneMoa.
extern QString gsOneMoaGdsCode[151];
extern QString gsOneMoaGdsName[151];

// Trade partner of the sale.
extern orv::Currency gcTcdKey;
extern orv::Currency gcTcdNo;
extern QString gsTcdName;

// Lookup choosers: the re-entry guard, their inputs and what they return.
extern int16_t giHelpOpen;
extern int16_t giPosProgram;  // 1 while the sale screen runs
extern int16_t giHelpMode;
extern int16_t giHelpSubMode;
extern QString gsHelpStart;
extern orv::Currency gcHelpPsnKey;
extern orv::Currency gcHelpNo;
extern orv::Currency gcHelpKey;
extern QString gsCstFindSql;  // customer statement handed to the customer chooser
extern QString gsCstHelpNo;   // customer number the chooser returns
extern QString gsGdsEditPass;  // what was last typed in the goods-edit password box
extern QString gsScanChitCode;  // the last scanned 14-digit code (a printed receipt's)

// OneMoa loyalty service.
extern QString gsOneMoaClientTel;
extern QString gsOneMoaClientCode;
extern QString gsOneMoaFindKey;
extern QString gsOneMoaPersonCode;
extern QString gsOneMoaPersonName;
extern int16_t giOneMoaCardKey;
extern orv::Currency gcOneMoaUsingPoint;

// Customer display and voice program.
extern int16_t giPosCstDisplayNot;
extern orv::Currency gcDspHab;  // the total the customer display shows
extern orv::Currency gcDspRGum;
extern orv::Currency gcDspCGum;
extern int16_t giDspNewSale;  // 1 asks the display form to signal a new sale

// The sale's running totals, as the last totals calculation left them.
struct SaleRunningTotals {
  orv::Currency qty, freeQty, freeAmt, total, listSum, taxFree, bottle, supply, vat, dc,
      shownQty, jumsu, bundle, lines, spare;
};
extern SaleRunningTotals gtSaleTotals;

namespace orv::state {
void ResetSaleGlobals();
}
