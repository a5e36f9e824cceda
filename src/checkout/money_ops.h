#pragma once
// The checkout's rules use the shared checked money arithmetic.
#include "core/money_ops.h"

namespace orv::checkout {
using namespace orv::money;
}  // namespace orv::checkout
