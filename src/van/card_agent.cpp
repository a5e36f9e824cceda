#include "van/card_agent.h"

namespace orv::van {

int16_t SimulatedCardAgent::Create(const QString &serverIp, const QString &serverPort) {
  running_ = true;
  server_ = serverIp + ":" + serverPort;
  return 0;
}

int16_t SimulatedCardAgent::Destroy() {
  running_ = false;
  return 0;
}

namespace {
std::unique_ptr<CardAgent> &Slot() {
  static std::unique_ptr<CardAgent> agent;
  return agent;
}
}  // namespace

CardAgent &CurrentCardAgent() {
  if (!Slot()) Slot() = std::make_unique<SimulatedCardAgent>();
  return *Slot();
}

void SetCardAgent(std::unique_ptr<CardAgent> agent) { Slot() = std::move(agent); }

}  // namespace orv::van
