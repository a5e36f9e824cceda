#include "core/pos_settings.h"

int16_t giSetLog = 0;

namespace orv::state {
void ResetPosSettings() { giSetLog = 0; }
}  // namespace orv::state
