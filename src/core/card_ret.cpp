#include "core/card_ret.h"

#include "core/state.h"

CardRetRec gtCardRet;

void ClearCardRet() { gtCardRet = CardRetRec{}; }

QString gsCardPrnMsg1;
QString gsCardPrnMsg2;
QString gsCashRcptNo;
QString gsCashRcptCmitNo;

namespace orv::state {
void ResetCardTexts() {
  gsCardPrnMsg1.clear();
  gsCardPrnMsg2.clear();
  gsCashRcptNo.clear();
  gsCashRcptCmitNo.clear();
}
}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetCardTexts);
}
