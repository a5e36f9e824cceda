#include "lookup/help_globals.h"

#include "core/state.h"

int16_t giHelpOpen = 0;
int16_t giHelpMode = 0;
int16_t giHelpSubMode = 0;
QString gsHelpStart;
orv::Currency gcHelpPsnKey;
orv::Currency gcHelpNo;
orv::Currency gcHelpKey;
QString gsCstFindSql;
QString gsCstHelpNo;

orv::Currency gcHelpTrsKey;
int16_t giHelpEcdIO = 0;
QVariantList gvCstFindArgs;
int16_t giHelpNo1 = 0;
int16_t giHelpNo2 = 0;
int16_t giHelpNo3 = 0;
QString gsHelpGdsBar;
QString gsHelpTrsPrice;
QString gsHelpCstBar;
QString gsHelpKeys;
QString gsHelpNos;
int16_t giDirectGoRet = 0;
QString gsDirectGoText;
orv::Currency gcDirectGoNo;
orv::Currency gcDirectGoCode;
int16_t giGdsHelpRet = 0;
QString gsGdsHelpCode;
int16_t giTrsHelpPrice = 0;
QString gsGdsHelpText;
int16_t giKeyPadOk = 0;
QString gsKeyPadText;

namespace orv::state {

void ResetHelpGlobals() {
  giHelpOpen = giHelpMode = giHelpSubMode = 0;
  gsHelpStart.clear();
  gcHelpPsnKey = gcHelpNo = gcHelpKey = {};
  gsCstFindSql.clear();
  gsCstHelpNo.clear();
  gcHelpTrsKey = {};
  giHelpEcdIO = 0;
  gvCstFindArgs.clear();
  giHelpNo1 = giHelpNo2 = giHelpNo3 = 0;
  gsHelpGdsBar.clear();
  gsHelpTrsPrice.clear();
  gsHelpCstBar.clear();
  gsHelpKeys.clear();
  gsHelpNos.clear();
  giDirectGoRet = 0;
  gsDirectGoText.clear();
  gcDirectGoNo = gcDirectGoCode = {};
  giGdsHelpRet = 0;
  gsGdsHelpCode.clear();
  giTrsHelpPrice = 0;
  gsGdsHelpText.clear();
  giKeyPadOk = 0;
  gsKeyPadText.clear();
}

}  // namespace orv::state

namespace {
const bool kResetRegistered = orv::state::RegisterReset(&orv::state::ResetHelpGlobals);
}
