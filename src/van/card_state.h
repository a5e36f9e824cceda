#pragma once
// Values the card forms share with the screens that open them and with the customer
// display. The screens read them after a card form closes; the display's timer reads the
// copies of the card dialog's fields while it is open.
#include <QString>
#include <cstdint>

#include "core/currency.h"

extern int16_t giCardOk;        // 1 after a card form succeeded; 0 when one loads
extern int16_t giCardCallMode;  // 0 the payment screen (fixed amount), 1 the collection

// The customer display while a payment or card form is open.
extern int16_t giDspCash;
extern int16_t giDspMoneyChk;
extern int16_t giDspCardChk;  // 1 while the card dialog is open on a second-monitor display
extern int16_t giDspDisCard;
// 0 nothing, 1 the customer is asked to sign, 2 the network's reply is in.
extern int16_t giDspSignPlease;

extern orv::Currency gcMoneyChkGum;  // cash amount handed to the cash-receipt form

extern int16_t giMsgBoxOpen;  // 1 while the shared message form is loaded

// Copies of the card dialog's fields for the customer display.
extern QString gsDspCardChkiCard;
extern QString gsDspCardChkiHalbu;
extern orv::Currency gcDspCardChkiGum;
extern QString gsDspCardChkiDate;
extern QString gsDspCardChkiNo;
extern QString gsDspCardChkCardName;
extern QString gsDspCardChkGaM;
extern QString gsDspCardChkMeipCode;
extern QString gsDspCardChkMeipName;
extern QString gsDspCardChkBalCode;
extern QString gsDspCardChkBalName;
extern QString gsDspCardChkGabu;
extern QString gsDspCardChkResult;

// Copies of the card refund form's fields for the customer display.
extern QString gsDspDisCardiCard;
extern QString gsDspDisCardiHalbu;
extern orv::Currency gcDspDisCardiGum;
extern QString gsDspDisCardiDate;
extern QString gsDspDisCardiNo;
extern QString gsDspDisCardCardName;
extern QString gsDspDisCardGaM;
extern QString gsDspDisCardMeipCode;
extern QString gsDspDisCardMeipName;
extern QString gsDspDisCardBalCode;
extern QString gsDspDisCardBalName;
extern QString gsDspDisCardGabu;
extern QString gsDspDisCardResult;

// Copies of the cash-receipt form's fields for the customer display.
extern QString gsDspMoneyChkiCard;
extern QString gsDspMoneyChkiNo;
extern QString gsDspMoneyChkiDate;
extern orv::Currency gcDspMoneyChkiGum;
extern int16_t giDspMoneyChkSaup;  // the business-use check box

// Empty the copies of one form (the display does so while that form is closed).
void ClearDspCardChk();
void ClearDspDisCard();
void ClearDspMoneyChk();

namespace orv::state {
void ResetCardState();
}
