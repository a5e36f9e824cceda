#include "sale/sale_globals.h"

#include "core/state.h"
#include "sale/goods_lookup.h"

int16_t giPosProgram = 0;
QString gsGdsEditPass;
QString gsScanChitCode;

SaleRunningTotals gtSaleTotals;

namespace orv::state {

void ResetSaleGlobals() {
  giPosProgram = 0;
  gsGdsEditPass.clear();
  gsScanChitCode.clear();
  gtSaleTotals = {};
  ResetGoodsLookup();
}

}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetSaleGlobals);
}
