#pragma once
// The card network's local agent, which runs beside the checkout while the sale screen is
// open. The vendor's agent is a Windows library; here it sits behind an interface, and the
// simulator stands in for it.
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

namespace orv::van {

class CardAgent {
 public:
  virtual ~CardAgent() = default;
  // 0 and 1 count as success.
  virtual int16_t Create(const QString &serverIp, const QString &serverPort) = 0;
  virtual int16_t Destroy() = 0;

  // One request to the agent, as the terminal tools drive it: Status (0 ready), MkTranId
  // (0 and a new id), Init with the id, a command and a certificate, Input per field,
  // Execute (0 the job succeeded), Output of a reply field, Term to close the request.
  // An agent that cannot take requests refuses each step.
  virtual int16_t Status() { return -1; }
  virtual int16_t MkTranId(QString *tranId) { tranId->clear(); return -1; }
  virtual int16_t Init(const QString &, const QString &, const QString &) { return -1; }
  virtual int16_t Input(const QString &, const QString &) { return -1; }
  virtual int16_t Execute() { return -1; }
  virtual QString Output(const QString &) { return {}; }
  virtual void Term() {}
};

// Accepts every start, stop and request; remembers the server it was started for and the
// steps of each request. Its certification reply is a fixed test reply, marked as such.
class SimulatedCardAgent : public CardAgent {
 public:
  int16_t Create(const QString &serverIp, const QString &serverPort) override;
  int16_t Destroy() override;
  int16_t Status() override;
  int16_t MkTranId(QString *tranId) override;
  int16_t Init(const QString &tranId, const QString &command, const QString &cert) override;
  int16_t Input(const QString &field, const QString &value) override;
  int16_t Execute() override;
  QString Output(const QString &field) override;
  void Term() override;

  bool Running() const { return running_; }
  QString Server() const { return server_; }
  // Tests: the step ("Create", "Status", "Input:<field>", …) answers `result` instead.
  void SetResult(const QString &step, int16_t result) { results_.insert(step, result); }
  // The steps called so far, "Input:화면구분=ENV" style.
  const QStringList &Calls() const { return calls_; }
  QHash<QString, QString> &Reply() { return reply_; }

 private:
  int16_t answer(const QString &step, const QString &call);
  bool running_ = false;
  QString server_;
  QHash<QString, int16_t> results_;
  QStringList calls_;
  QHash<QString, QString> reply_;
  int tranNo_ = 0;
};

// The agent in use: the simulator unless one was set.
CardAgent &CurrentCardAgent();
// Tests and other platforms put their own in; nullptr goes back to the simulator.
void SetCardAgent(std::unique_ptr<CardAgent> agent);

inline bool CardAgentOk(int16_t result) { return result == 0 || result == 1; }

}  // namespace orv::van
