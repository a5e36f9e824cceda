#include "van/card_agent.h"

namespace orv::van {

int16_t SimulatedCardAgent::answer(const QString &step, const QString &call) {
  calls_ << call;
  return results_.value(step, 0);
}

int16_t SimulatedCardAgent::Create(const QString &serverIp, const QString &serverPort) {
  const int16_t r = answer("Create", "Create:" + serverIp + ":" + serverPort);
  if (CardAgentOk(r)) {
    running_ = true;
    server_ = serverIp + ":" + serverPort;
  }
  return r;
}

int16_t SimulatedCardAgent::Destroy() {
  const int16_t r = answer("Destroy", "Destroy");
  if (CardAgentOk(r)) running_ = false;
  return r;
}

int16_t SimulatedCardAgent::Status() { return answer("Status", "Status"); }

int16_t SimulatedCardAgent::MkTranId(QString *tranId) {
  *tranId = QStringLiteral("SIM%1").arg(++tranNo_, 10, 10, QLatin1Char('0'));
  return answer("MkTranId", "MkTranId");
}

int16_t SimulatedCardAgent::Init(const QString &tranId, const QString &command,
                                 const QString &cert) {
  return answer("Init", "Init:" + tranId + ":" + command + ":" + cert);
}

int16_t SimulatedCardAgent::Input(const QString &field, const QString &value) {
  return answer("Input:" + field, "Input:" + field + "=" + value);
}

int16_t SimulatedCardAgent::Execute() { return answer("Execute", "Execute"); }

QString SimulatedCardAgent::Output(const QString &field) {
  calls_ << "Output:" + field;
  if (reply_.contains(field)) return reply_.value(field);
  if (field == QLatin1String("MSG_RET_STR")) return QStringLiteral("SIMULATOR");
  // The certification reply of the simulator: test values, never a real terminal's.
  if (field == QLatin1String("CATID")) return QStringLiteral("TEST-CAT-0000");
  if (field == QLatin1String("응답코드")) return QStringLiteral("0000");
  if (field == QLatin1String("응답메시지1")) return QStringLiteral("SIMULATOR TEST REPLY");
  return {};
}

void SimulatedCardAgent::Term() { calls_ << "Term"; }

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
