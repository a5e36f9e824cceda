#include "platform/coin_changer.h"

namespace orv::coin {
int CoinOpen(int port) { return port > 0 ? 0 : -1; }
}  // namespace orv::coin
