#pragma once
// The card network's local agent, which runs beside the checkout while the sale screen is
// open. The vendor's agent is a Windows library; here it sits behind an interface, and the
// simulator stands in for it.
#include <QString>
#include <cstdint>
#include <memory>

namespace orv::van {

class CardAgent {
 public:
  virtual ~CardAgent() = default;
  // 0 and 1 count as success.
  virtual int16_t Create(const QString &serverIp, const QString &serverPort) = 0;
  virtual int16_t Destroy() = 0;
};

// Accepts every start and stop; remembers the server it was started for.
class SimulatedCardAgent : public CardAgent {
 public:
  int16_t Create(const QString &serverIp, const QString &serverPort) override;
  int16_t Destroy() override;
  bool Running() const { return running_; }
  QString Server() const { return server_; }

 private:
  bool running_ = false;
  QString server_;
};

// The agent in use: the simulator unless one was set.
CardAgent &CurrentCardAgent();
// Tests and other platforms put their own in; nullptr goes back to the simulator.
void SetCardAgent(std::unique_ptr<CardAgent> agent);

inline bool CardAgentOk(int16_t result) { return result == 0 || result == 1; }

}  // namespace orv::van
