#include "checkout/later_parts.h"

#include "core/state.h"

namespace orv::checkout {

namespace {
QStringList g_calls;
}

void WriteCstChitTs(int16_t replace) { g_calls << "WriteCstChitTs:" + QString::number(replace); }
void WriteCstChitOn(int16_t replace) { g_calls << "WriteCstChitOn:" + QString::number(replace); }
void WriteCstChitOff(int16_t replace) {
  g_calls << "WriteCstChitOff:" + QString::number(replace);
}
QStringList LaterPartCalls() { return g_calls; }
void ClearLaterPartCalls() { g_calls.clear(); }

}  // namespace orv::checkout

static const bool kResetRegistered = orv::state::RegisterReset(&orv::checkout::ClearLaterPartCalls);
