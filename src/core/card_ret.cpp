#include "core/card_ret.h"

CardRetRec gtCardRet;

void ClearCardRet() { gtCardRet = CardRetRec{}; }
