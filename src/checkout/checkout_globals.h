#pragma once
// Program-wide values of the payment screen: what the sale screen reads back after it, the
// print chooser's answer, the busy flags of its modal paths, the grade rules of the point
// accrual and the amounts the customer display mirrors.
#include <QString>
#include <array>
#include <cstdint>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/currency.h"
#include "van/card_state.h"

// -99 while the payment screen is open and nothing is committed; 0 asked now; -1 chooser
// open; 1 print, 0 no print.
extern int16_t giPrintOnOffRet;
extern int16_t giCashSaved;       // 1 after a saved sale
extern orv::Currency gcCashHab;   // total of the saved sale
extern orv::Currency gcCashCard;  // its card amount
extern orv::Currency gcCashChange;  // the change the customer got, as the screen showed it
extern int16_t giCardFormBusy;    // 1 while the card path of F3 runs
extern int16_t giMoneyFormBusy;   // 1 while the cash-receipt path runs
extern orv::Currency gcTotSu;        // total quantity of the sale's goods lines

// The last saved chit (terminal settings "gsSetBFDate", "goSetBFChtNo").
extern QString gsSetBFDate;
extern int32_t goSetBFChtNo;
// 1 while gtCardRet holds the approval of a sale whose save failed: kept for the retry.
extern int16_t giCardRetKept;

// A card cancellation of a return whose save failed: the retry of the same return pays with
// it instead of cancelling the card a second time.
struct KeptCancelRec {
  QString chitDate;        // the returned chit (yyyymmdd) and its number
  int32_t chitNo = 0;
  QString cancelledCmitNo;  // the approval that was cancelled
  CardRetRec cancel;        // the cancellation: its approval number, date, negative amount
  bool IsSet() const { return !cancel.CmitNo.isEmpty(); }
};
extern KeptCancelRec gtKeptCancel;

// Grade rules of the point accrual, index = customer grade 0..4.
extern std::array<int16_t, 5> giCstPointUpSelt;
extern std::array<int16_t, 5> giCstPointUpMulti;
extern std::array<int16_t, 5> giCstPointUpAdd;
extern std::array<int16_t, 5> giCstPointUpCnt;

// The partner's receivables check flag and limit (ReadTrsMisuLimit).
extern int16_t giTrsMisuCheck;
extern orv::Currency gcTrsMisuLimit;

// The customer display while the payment screen is open.
extern orv::Currency gcDspCashHabGum, gcDspCashRGum, gcDspCashReGum, gcDspCashDcGum,
    gcDspCashUseCustGum, gcDspCashUseCustJum;
extern orv::Currency gcDspCashPayGum, gcDspCashCard, gcDspCashCSobi, gcDspCashOisang,
    gcDspCashJaSangPum, gcDspCashTaSangPum, gcDspCashCustJum;
extern orv::Currency gcDspPclGum06;

// A sale that settles a picked credit chit replaces it: the saved chit's header and lines as
// read before the save, and the OneMoa member it was reported under (its PclSss3 and
// PclSss4 as seven and six digits; empty when the chit had no customer). The OneMoa
// cancellation sends them.
extern PanChitRec gtOneMoaChit;
extern PanGodsRec gtOneMoaGods;
extern QString gsOneMoaSaleCode;

namespace orv::state {
void ResetCheckoutState();
}
