#include "sale/sale_globals.h"

#include "core/state.h"
#include "sale/goods_lookup.h"

int32_t glGaSel = 0;
int32_t glHalSel = 1;
int16_t giPrintOn = 1;
int16_t giCoinOn = 0;
int16_t giSetPrintBarcode = 0;
orv::Currency gcJumsuGum;

orv::Currency gcTcdKey;
orv::Currency gcTcdNo;
QString gsTcdName;

int16_t giHelpOpen = 0;
int16_t giPosProgram = 0;
int16_t giHelpMode = 0;
int16_t giHelpSubMode = 0;
QString gsHelpStart;
orv::Currency gcHelpPsnKey;
orv::Currency gcHelpNo;
orv::Currency gcHelpKey;
QString gsCstFindSql;
QString gsCstHelpNo;
QString gsGdsEditPass;
QString gsScanChitCode;

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

SaleRunningTotals gtSaleTotals;

namespace orv::state {

void ResetSaleGlobals() {
  glGaSel = 0;
  glHalSel = 1;
  giPrintOn = 1;
  giCoinOn = 0;
  giSetPrintBarcode = 0;
  gcJumsuGum = {};
  gcTcdKey = gcTcdNo = {};
  gsTcdName.clear();
  giHelpOpen = giPosProgram = giHelpMode = giHelpSubMode = 0;
  gsHelpStart.clear();
  gcHelpPsnKey = gcHelpNo = gcHelpKey = {};
  gsCstFindSql.clear();
  gsCstHelpNo.clear();
  gsGdsEditPass.clear();
  gsScanChitCode.clear();
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
  gtSaleTotals = {};
  ResetGoodsLookup();
}

}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetSaleGlobals);
}
