#include "platform/coin_changer.h"

#include <QDebug>
#include <deque>

namespace orv::coin {

namespace {
std::function<int16_t(int16_t)> g_device;
std::deque<int16_t> g_statuses;
QList<int16_t> g_calls;

int16_t Simulate(int16_t amount) {
  g_calls << amount;
  qInfo().noquote() << "coin changer: pay out" << amount;
  if (g_statuses.empty()) return 0;
  const int16_t s = g_statuses.front();
  g_statuses.pop_front();
  return s;
}
}  // namespace

int CoinOpen(int port) { return port > 0 ? 0 : -1; }

int16_t CoinOut(int16_t amount) { return g_device ? g_device(amount) : Simulate(amount); }

void SetCoinDevice(std::function<int16_t(int16_t)> device) { g_device = std::move(device); }
void QueueCoinStatus(int16_t status) { g_statuses.push_back(status); }
QList<int16_t> CoinOutCalls() { return g_calls; }
void ResetCoinSimulator() {
  g_statuses.clear();
  g_calls.clear();
}

}  // namespace orv::coin
