#pragma once
// The result of the last card approval: cleared before each payment, filled by the card
// and cheque screens, read by the payment and collection screens.
#include <QString>
#include <cstdint>

#include "core/currency.h"

struct CardRetRec {
  QString Spare;
  QString CardName;  // issuer name from the network's reply
  QString MeipCode;  // acquirer code; "3900" KakaoPay, "7700" ZeroPay
  QString MeipName;
  QString CardNo;    // masked, as returned
  QString CardDate;  // expiry
  orv::Currency Gum;  // approved or cancelled amount
  int16_t Halbu = 0;  // instalment months
  QString CmitNo;    // approval number
  QString CmitDate;
  QString GamyNo;    // merchant number
};

extern CardRetRec gtCardRet;

// Every text empty, Gum and Halbu 0.
void ClearCardRet();

// The two printable message lines of the last card-network reply (the receipt file
// prints them under the card block).
extern QString gsCardPrnMsg1;
extern QString gsCardPrnMsg2;
// The cash receipt of the current sale: the number entered and its approval number.
extern QString gsCashRcptNo;
extern QString gsCashRcptCmitNo;

namespace orv::state {
void ResetCardTexts();
}
