#include "core/state.h"

#include <algorithm>
#include <vector>

#include "core/card_ret.h"
#include "core/daily_log.h"
#include "core/json.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "platform/http.h"

namespace orv::state {
namespace {
// Filled by static initialisers of other files: built on first use, never before.
std::vector<ResetFn> &registered() {
  static std::vector<ResetFn> fns;
  return fns;
}
}  // namespace

bool RegisterReset(ResetFn fn) {
  auto &fns = registered();
  if (fn && std::find(fns.begin(), fns.end(), fn) == fns.end()) fns.push_back(fn);
  return true;
}

void ResetProgramState() {
  ResetCoreGlobals();
  ResetSplitArrays();
  ResetPosSettings();
  ClearCardRet();
  ResetJson();
  ResetDailyLog();
  http::CloseConnections();
  for (ResetFn fn : registered()) fn();
}

}  // namespace orv::state
