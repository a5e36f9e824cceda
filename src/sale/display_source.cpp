#include "sale/display_source.h"

#include "checkout/checkout_globals.h"
#include "chit/records.h"
#include "sale/sale_globals.h"
#include "van/card_state.h"

using orv::Currency;
using orv::display::DisplayInputs;

DisplayInputs SaleDisplaySource::Read() const {
  DisplayInputs in;
  in.now = NowText();
  in.time = TimeText();
  const int rows = RowCount();
  in.lines.resize(rows);
  for (int r = 1; r <= rows; ++r)
    for (int c = 0; c < 4; ++c) in.lines[r - 1][size_t(c)] = Cell(r, c + 2);
  in.hab = gcDspHab;
  in.rGum = gcDspRGum;
  in.cGum = gcDspCGum;
  in.pclGum06 = gcDspPclGum06;
  in.newSale = giDspNewSale;
  in.cash = giDspCash;
  in.cashFields = {gcDspCashHabGum,     gcDspCashRGum,       gcDspCashPayGum,   gcDspCashCard,
                   gcDspCashCSobi,      gcDspCashOisang,     gcDspCashJaSangPum, gcDspCashTaSangPum,
                   gcDspCashCustJum,    gcDspCashUseCustGum, gcDspCashUseCustJum, gcDspCashDcGum,
                   gcDspCashReGum};
  in.cardChk = giDspCardChk;
  in.card = {gsDspCardChkiCard,    gsDspCardChkiHalbu,  gsDspCardChkiNo,
             gsDspCardChkCardName, gsDspCardChkiDate,   gsDspCardChkGabu,
             gsDspCardChkBalCode,  gsDspCardChkBalName, gsDspCardChkMeipCode,
             gsDspCardChkMeipName, gsDspCardChkGaM,     gsDspCardChkResult};
  in.cardGum = gcDspCardChkiGum;
  in.disCard = giDspDisCard;
  in.disCardTexts = {gsDspDisCardiCard,    gsDspDisCardiHalbu,  gsDspDisCardiNo,
                     gsDspDisCardCardName, gsDspDisCardiDate,   gsDspDisCardGabu,
                     gsDspDisCardBalCode,  gsDspDisCardBalName, gsDspDisCardMeipCode,
                     gsDspDisCardMeipName, gsDspDisCardGaM,     gsDspDisCardResult};
  in.disCardGum = gcDspDisCardiGum;
  in.moneyChk = giDspMoneyChk;
  in.moneyCard = gsDspMoneyChkiCard;
  in.moneyNo = gsDspMoneyChkiNo;
  in.moneyDate = gsDspMoneyChkiDate;
  in.moneyGum = gcDspMoneyChkiGum;
  in.moneySaup = giDspMoneyChkSaup;
  in.signPlease = giDspSignPlease;
  const CstCodeRec &c = gtCstCode;
  in.customer = {c.CcdKey,  c.CcdNo,  c.CcdZerdo, c.CcdJumsu,  c.CcdName,
                 c.CcdBarcode, c.CcdTel, c.CcdHp, c.CcdJuso, c.CcdLpdate, c.CcdDegree};
  in.cstDisplayNot = giPosCstDisplayNot;
  in.oneMoaClient = gsOneMoaClientCode;
  in.oneMoaPerson = gsOneMoaPersonCode;
  in.oneMoaName = gsOneMoaPersonName;
  in.oneMoaCardKey = giOneMoaCardKey;
  in.oneMoaPoint = gcOneMoaUsingPoint;
  return in;
}


void SaleDisplaySource::Clear(const orv::display::DisplayView &v) {
  if (v.clearCash) {
    for (Currency *c : {&gcDspCashHabGum, &gcDspCashRGum, &gcDspCashPayGum, &gcDspCashCard,
                        &gcDspCashCSobi, &gcDspCashOisang, &gcDspCashJaSangPum,
                        &gcDspCashTaSangPum, &gcDspCashCustJum, &gcDspCashUseCustGum,
                        &gcDspCashUseCustJum, &gcDspCashDcGum, &gcDspCashReGum})
      *c = {};
  }
  if (v.clearCard) ClearDspCardChk();
  if (v.clearDisCard) ClearDspDisCard();
  if (v.clearMoney) ClearDspMoneyChk();
  if (v.newSaleSeen) {
    gcDspRGum = gcDspCGum = gcDspPclGum06 = {};
    giDspNewSale = 0;
  }
}
