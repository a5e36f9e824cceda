#include "core/globals.h"

#include "core/state.h"

QString gsLogID;
QString gsLogPwd;
orv::Currency gcLogPsnKey;
orv::Currency gcPcdNo;
QString gsPcdName;
QString gsPcdMbTele;
int16_t giLogPosNo = 0;

int16_t giWrkYear = 0;
int16_t giWrkMonth = 0;
int16_t giWrkDay = 0;
int16_t giWrkDateChanged = 0;

int16_t giCdpPort = 0;
QString gsCdpSettings;
int16_t giScanPort = 0;
QString gsScanSettings;
QString gsPosPcIp;
int16_t giMainShown = 0;

int16_t giOrvSetCstIrt = 0;
int16_t giOnLine = 1;
int16_t giCstTsMode = 0;
int16_t giSupTrsNo = 0;
QString gsCdName;
int16_t giChtEditMode = 0;
int16_t giHelpRet = 0;
int16_t giPosCardTaxSelt = 0;

QString gsSql;

orv::db::Connection goDbMain;
orv::db::Connection goDbPos;
orv::db::Connection goDbTs;

namespace orv::state {

void ResetCoreGlobals() {
  gsLogID.clear();
  gsLogPwd.clear();
  gcLogPsnKey = {};
  gcPcdNo = {};
  gsPcdName.clear();
  gsPcdMbTele.clear();
  giLogPosNo = 0;
  giWrkYear = giWrkMonth = giWrkDay = 0;
  giWrkDateChanged = 0;
  giCdpPort = 0;
  gsCdpSettings.clear();
  giScanPort = 0;
  gsScanSettings.clear();
  gsPosPcIp.clear();
  giMainShown = 0;
  giOrvSetCstIrt = 0;
  giOnLine = 1;
  giCstTsMode = 0;
  giSupTrsNo = 0;
  gsCdName.clear();
  giChtEditMode = 0;
  giHelpRet = 0;
  giPosCardTaxSelt = 0;
  gsSql.clear();
  goDbMain.Close();
  goDbPos.Close();
  goDbTs.Close();
}

}  // namespace orv::state
