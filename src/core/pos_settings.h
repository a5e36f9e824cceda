#pragma once
// The terminal settings, named after their keys in the settings store.
#include <QString>
#include <cstdint>

#include "core/currency.h"

extern int16_t giSetLog;  // 1: keep the daily text log

namespace orv::state {
void ResetPosSettings();
}
