#pragma once
// State the sale screen shares with the payment screen and the recalls: the payment's
// result, the last saved chit, the replay switch of the event log and the customer
// display's payment views.
#include <QString>
#include <cstdint>

#include "core/currency.h"

// What the payment screen reports back: 1 when it saved the chit, with its total and card.
extern int16_t giCashSaved;
extern orv::Currency gcCashHab;
extern orv::Currency gcCashCard;
extern orv::Currency gcTotSu;  // total quantity of the sale handed to payment

// The last chit the payment screen saved in this run (yyyymmdd and number).
extern QString gsLastChtDate;
extern int32_t glLastChtNo;

// 1 while a held or delivery chit is replayed: the grid writes no line events of its own.
extern int16_t giPosLogOff;

// Cash receipt without a sale: the amount handed over, and the display's view.
extern orv::Currency gcMoneyChkGum;
extern int16_t giDspMoneyChk;
extern int16_t giDspCash;
extern int16_t giDspCardChk;
extern int16_t giDspDisCard;

namespace orv::state {
void ResetHandoffGlobals();
}
