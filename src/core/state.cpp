#include "core/state.h"

#include "chit/pos_logs.h"
#include "core/card_ret.h"
#include "core/daily_log.h"
#include "core/json.h"
#include "core/pos_settings.h"

namespace orv::state {

void ResetProgramState() {
  ResetCoreGlobals();
  ResetPosSettings();
  ClearCardRet();
  ResetJson();
  ResetDailyLog();
  ResetChitState();
}

}  // namespace orv::state
