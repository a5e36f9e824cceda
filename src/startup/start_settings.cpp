#include "startup/start_settings.h"

#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/settings_store.h"

void SetFirstRunPosSettings() {
  orv::state::ResetPosSettings();
  giSetPosNo = 1;
  gsSetScan = QStringLiteral("9600,N,8,1");
  giSetScanPort = 1;
  gsSetPrnPort = QStringLiteral("LPT1");
  giSetVan = 3;
}

void LoadStartPosSettings() {
  if (!NzCur(orv::settings_store::GetSetting("Update")).IsZero()) {
    LoadPosSettings();
    if (gsSetPrnPort.isEmpty()) gsSetPrnPort = "LPT1";
    if (giSetScanPort == 0) giSetScanPort = 1;
  } else {
    SetFirstRunPosSettings();
    SavePosSettings();
  }
}
