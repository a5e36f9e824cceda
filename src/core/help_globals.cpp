#include "core/help_globals.h"

int16_t giHelpMode = 0;
int16_t giHelpSubMode = 0;
QString gsHelpStart;
orv::Currency gcHelpTrsKey;
orv::Currency gcHelpPsnKey;
int16_t giHelpEcdIO = 0;
QString gsCstFindSql;
QVariantList gvCstFindArgs;
int16_t giHelpOpen = 0;
int16_t giHelpRet = 0;
orv::Currency gcHelpKey;
orv::Currency gcHelpNo;
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
QString gsCstHelpNo;
QString gsCdName;
int16_t giKeyPadOk = 0;
QString gsKeyPadText;
orv::Currency gcTcdKey;
int32_t glGaSel = 0;
int16_t giPosProgram = 0;

namespace orv::state {

void ResetHelpGlobals() {
  giHelpMode = giHelpSubMode = 0;
  gsHelpStart.clear();
  gcHelpTrsKey = gcHelpPsnKey = {};
  giHelpEcdIO = 0;
  gsCstFindSql.clear();
  gvCstFindArgs.clear();
  giHelpOpen = giHelpRet = 0;
  gcHelpKey = gcHelpNo = {};
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
  gsCstHelpNo.clear();
  gsCdName.clear();
  giKeyPadOk = 0;
  gsKeyPadText.clear();
  gcTcdKey = {};
  glGaSel = 0;
  giPosProgram = 0;
}

}  // namespace orv::state
