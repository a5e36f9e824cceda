#pragma once
// State the sale screen's codes and recalls share: the last chit saved in this run and the
// replay switch of the event log. The payment's results live with the payment screen.
#include <QString>
#include <cstdint>

// The last chit the payment screen saved in this run (yyyymmdd and number).
extern QString gsLastChtDate;
extern int32_t glLastChtNo;

// 1 while a held or delivery chit is replayed: the grid writes no line events of its own.
extern int16_t giPosLogOff;

namespace orv::state {
void ResetHandoffGlobals();
}
