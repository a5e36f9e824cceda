#include "sale/handoff_globals.h"

#include "core/state.h"

int16_t giCashSaved = 0;
orv::Currency gcCashHab;
orv::Currency gcCashCard;
orv::Currency gcTotSu;
QString gsLastChtDate;
int32_t glLastChtNo = 0;
int16_t giPosLogOff = 0;
orv::Currency gcMoneyChkGum;
int16_t giDspMoneyChk = 0;
int16_t giDspCash = 0;
int16_t giDspCardChk = 0;
int16_t giDspDisCard = 0;

namespace orv::state {
void ResetHandoffGlobals() {
  giCashSaved = 0;
  gcCashHab = gcCashCard = gcTotSu = {};
  gsLastChtDate.clear();
  glLastChtNo = 0;
  giPosLogOff = 0;
  gcMoneyChkGum = {};
  giDspMoneyChk = giDspCash = giDspCardChk = giDspDisCard = 0;
}
}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetHandoffGlobals);
}
