#include "chit/sale_state.h"

#include "core/state.h"

int32_t glGaSel = 0;
int32_t glHalSel = 1;
int16_t giPrintOn = 1;
int16_t giCoinOn = 0;
int16_t giSetPrintBarcode = 0;
orv::Currency gcJumsuGum;
orv::Currency gcGdsJumsu;

orv::Currency gcTcdKey;
orv::Currency gcTcdNo;
QString gsTcdName;

QString gsOneMoaClientTel;
QString gsOneMoaClientCode;
QString gsOneMoaFindKey;
QString gsOneMoaPersonCode;
QString gsOneMoaPersonName;
int16_t giOneMoaCardKey = 0;
orv::Currency gcOneMoaUsingPoint;

int16_t giPosCstDisplayNot = 0;
orv::Currency gcDspHab;
orv::Currency gcDspRGum;
orv::Currency gcDspCGum;
int16_t giDspNewSale = 0;

namespace orv::state {

void ResetSaleState() {
  glGaSel = 0;
  glHalSel = 1;
  giPrintOn = 1;
  giCoinOn = 0;
  giSetPrintBarcode = 0;
  gcJumsuGum = gcGdsJumsu = {};
  gcTcdKey = gcTcdNo = {};
  gsTcdName.clear();
  gsOneMoaClientTel.clear();
  gsOneMoaClientCode.clear();
  gsOneMoaFindKey.clear();
  gsOneMoaPersonCode.clear();
  gsOneMoaPersonName.clear();
  giOneMoaCardKey = 0;
  gcOneMoaUsingPoint = {};
  giPosCstDisplayNot = 0;
  gcDspHab = gcDspRGum = gcDspCGum = {};
  giDspNewSale = 0;
}

}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetSaleState);
}
