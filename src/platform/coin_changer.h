#pragma once
// The coin changer. The device's library answers CoinOut(amount) with a status: -1 busy,
// -2 a refused amount, above 0 a shortage, anything else done. The device is replaceable;
// the default simulator pays everything out (status 0) and remembers each call.
#include <QList>
#include <cstdint>
#include <functional>

namespace orv::coin {
int CoinOpen(int port);

int16_t CoinOut(int16_t amount);

// Replaces the device (an empty function puts the simulator back).
void SetCoinDevice(std::function<int16_t(int16_t amount)> device);

// The simulator: statuses to answer in order (0 once they run out), and the calls made.
void QueueCoinStatus(int16_t status);
QList<int16_t> CoinOutCalls();
void ResetCoinSimulator();
}  // namespace orv::coin
using orv::coin::CoinOpen;
using orv::coin::CoinOut;
