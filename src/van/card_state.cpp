#include "van/card_state.h"

#include "core/state.h"

int16_t giCardOk = 0;
int16_t giCardCallMode = 0;
int16_t giDspCash = 0;
int16_t giDspMoneyChk = 0;
int16_t giDspCardChk = 0;
int16_t giDspDisCard = 0;
int16_t giDspSignPlease = 0;
orv::Currency gcMoneyChkGum;
int16_t giMsgBoxOpen = 0;

QString gsDspCardChkiCard;
QString gsDspCardChkiHalbu;
orv::Currency gcDspCardChkiGum;
QString gsDspCardChkiDate;
QString gsDspCardChkiNo;
QString gsDspCardChkCardName;
QString gsDspCardChkGaM;
QString gsDspCardChkMeipCode;
QString gsDspCardChkMeipName;
QString gsDspCardChkBalCode;
QString gsDspCardChkBalName;
QString gsDspCardChkGabu;
QString gsDspCardChkResult;

QString gsDspDisCardiCard;
QString gsDspDisCardiHalbu;
orv::Currency gcDspDisCardiGum;
QString gsDspDisCardiDate;
QString gsDspDisCardiNo;
QString gsDspDisCardCardName;
QString gsDspDisCardGaM;
QString gsDspDisCardMeipCode;
QString gsDspDisCardMeipName;
QString gsDspDisCardBalCode;
QString gsDspDisCardBalName;
QString gsDspDisCardGabu;
QString gsDspDisCardResult;

QString gsDspMoneyChkiCard;
QString gsDspMoneyChkiNo;
QString gsDspMoneyChkiDate;
orv::Currency gcDspMoneyChkiGum;
int16_t giDspMoneyChkSaup = 0;

void ClearDspCardChk() {
  for (QString *s : {&gsDspCardChkiCard, &gsDspCardChkiHalbu, &gsDspCardChkiDate,
                     &gsDspCardChkiNo, &gsDspCardChkCardName, &gsDspCardChkGaM,
                     &gsDspCardChkMeipCode, &gsDspCardChkMeipName, &gsDspCardChkBalCode,
                     &gsDspCardChkBalName, &gsDspCardChkGabu, &gsDspCardChkResult})
    s->clear();
  gcDspCardChkiGum = {};
}

void ClearDspDisCard() {
  for (QString *s : {&gsDspDisCardiCard, &gsDspDisCardiHalbu, &gsDspDisCardiDate,
                     &gsDspDisCardiNo, &gsDspDisCardCardName, &gsDspDisCardGaM,
                     &gsDspDisCardMeipCode, &gsDspDisCardMeipName, &gsDspDisCardBalCode,
                     &gsDspDisCardBalName, &gsDspDisCardGabu, &gsDspDisCardResult})
    s->clear();
  gcDspDisCardiGum = {};
}

void ClearDspMoneyChk() {
  gsDspMoneyChkiCard.clear();
  gsDspMoneyChkiNo.clear();
  gsDspMoneyChkiDate.clear();
  gcDspMoneyChkiGum = {};
  giDspMoneyChkSaup = 0;
}

namespace orv::state {

void ResetCardState() {
  giCardOk = giCardCallMode = 0;
  giDspCash = giDspMoneyChk = giDspCardChk = giDspDisCard = giDspSignPlease = 0;
  gcMoneyChkGum = {};
  giMsgBoxOpen = 0;
  ClearDspCardChk();
  ClearDspDisCard();
  ClearDspMoneyChk();
}

}  // namespace orv::state

static const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetCardState);
