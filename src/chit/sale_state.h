#pragma once
// Program-wide state of the sale in progress: the sale screen sets it while the chit is
// being rung up; the payment screen, printing and the customer screens read it when they
// finish the chit.
#include <QString>
#include <cstdint>

#include "core/currency.h"

// Toggles of the sale screen (memory only: every login starts them again).
extern int32_t glGaSel;    // price kind 0..7 = index of Combo1; never -1
extern int32_t glHalSel;   // discount switch: 1 on, 0 off
extern int16_t giPrintOn;  // receipts printed
extern int16_t giCoinOn;   // change paid through the coin changer
extern int16_t giSetPrintBarcode;

extern orv::Currency gcJumsuGum;  // base of the sale's point accrual
extern orv::Currency gcGdsJumsu;  // points of goods with their own point value

// Trade partner of the sale.
extern orv::Currency gcTcdKey;
extern orv::Currency gcTcdNo;
extern QString gsTcdName;

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

namespace orv::state {
void ResetSaleState();
}
