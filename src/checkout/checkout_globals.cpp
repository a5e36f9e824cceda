#include "checkout/checkout_globals.h"

#include "core/state.h"

int16_t giPrintOnOffRet = 0;
int16_t giCashSaved = 0;
orv::Currency gcCashHab;
orv::Currency gcCashCard;
orv::Currency gcCashChange;
int16_t giCardFormBusy = 0;
int16_t giMoneyFormBusy = 0;
orv::Currency gcTotSu;
QString gsSetBFDate;
int32_t goSetBFChtNo = 0;
int16_t giCardRetKept = 0;
KeptCancelRec gtKeptCancel;
std::array<int16_t, 5> giCstPointUpSelt{};
std::array<int16_t, 5> giCstPointUpMulti{};
std::array<int16_t, 5> giCstPointUpAdd{};
std::array<int16_t, 5> giCstPointUpCnt{};
int16_t giTrsMisuCheck = 0;
orv::Currency gcTrsMisuLimit;
orv::Currency gcDspCashHabGum, gcDspCashRGum, gcDspCashReGum, gcDspCashDcGum,
    gcDspCashUseCustGum, gcDspCashUseCustJum;
orv::Currency gcDspCashPayGum, gcDspCashCard, gcDspCashCSobi, gcDspCashOisang,
    gcDspCashJaSangPum, gcDspCashTaSangPum, gcDspCashCustJum;
orv::Currency gcDspPclGum06;
PanChitRec gtOneMoaChit;
PanGodsRec gtOneMoaGods;
QString gsOneMoaSaleCode;

namespace orv::state {
void ResetCheckoutState() {
  giPrintOnOffRet = 0;
  gtOneMoaChit = {};
  gtOneMoaGods = {};
  gsOneMoaSaleCode.clear();
  giCashSaved = 0;
  gcCashHab = gcCashCard = gcCashChange = gcTotSu = {};
  giCardFormBusy = giMoneyFormBusy = 0;
  gsSetBFDate.clear();
  goSetBFChtNo = 0;
  giCardRetKept = 0;
  gtKeptCancel = {};
  giCstPointUpSelt = giCstPointUpMulti = giCstPointUpAdd = giCstPointUpCnt = {};
  giTrsMisuCheck = 0;
  gcTrsMisuLimit = {};
  gcDspCashHabGum = gcDspCashRGum = gcDspCashReGum = gcDspCashDcGum = gcDspCashUseCustGum =
      gcDspCashUseCustJum = {};
  gcDspCashPayGum = gcDspCashCard = gcDspCashCSobi = gcDspCashOisang = gcDspCashJaSangPum =
      gcDspCashTaSangPum = gcDspCashCustJum = {};
  gcDspPclGum06 = {};
}
}  // namespace orv::state

static const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetCheckoutState);
