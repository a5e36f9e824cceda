#include "core/state.h"

#include "chit/pos_logs.h"
#include "core/card_ret.h"
#include "core/daily_log.h"
#include "core/json.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "print/basPrinter.h"

namespace orv::state {

void ResetProgramState() {
  ResetCoreGlobals();
  ResetSplitArrays();
  ResetPosSettings();
  ClearCardRet();
  ResetJson();
  ResetDailyLog();
  ResetChitState();
  ResetPrinterState();
}

}  // namespace orv::state
