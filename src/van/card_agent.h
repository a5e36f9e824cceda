#pragma once
// The First Data agent, which runs beside the checkout while the sale screen is open, and
// the calls of its library. Here the agent is a program of its own (gsSetVanAgent), started
// by Create with the server's address and port; the other calls are numbered frames on its
// stdin and stdout (docs/van-wire.md). Tests put the in-process simulator in its place.
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class QProcess;

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

// The agent program as a long-lived child. A call that finds no running agent, a frame
// that does not parse or a reply that does not come in time fails that call (-9 for no
// reply in time); a reply to an earlier call that came late is dropped.
class ProcessCardAgent : public CardAgent {
 public:
  // An empty program: the one gsSetVanAgent names, at each Create.
  explicit ProcessCardAgent(QString program = {});
  ~ProcessCardAgent() override;
  int16_t Create(const QString &serverIp, const QString &serverPort) override;
  int16_t Destroy() override;
  int16_t Status() override;
  int16_t MkTranId(QString *tranId) override;
  int16_t Init(const QString &tranId, const QString &msgCmd, const QString &msgCert) override;
  int16_t Input(const QString &key, const QString &value) override;
  int16_t Execute() override;
  QString Output(const QString &key) override;
  void Term() override;

 private:
  // Sends verb and fields with the next number; the reply's result, and its value.
  int16_t Call(const QString &verb, const QStringList &fields, int timeoutMs,
               QString *value = nullptr);
  QString program_;
  std::unique_ptr<QProcess> proc_;
  QByteArray inbox_;
  int seq_ = 0;
  QString localError_;  // MSG_RET_STR when Execute failed on our side
};

// The text of a reply that never came.
QString NoReplyText();
// The agent program's path: a name without a folder is looked for beside this program.
QString AgentProgramPath(const QString &setting);

// The agent in use: the agent program of gsSetVanAgent unless one was set.
CardAgent &CurrentCardAgent();
// Tests and other platforms put their own in; nullptr goes back to the default.
void SetCardAgent(std::unique_ptr<CardAgent> agent);

inline bool CardAgentOk(int16_t result) { return result == 0 || result == 1; }

}  // namespace orv::van

// The library's calls, on the agent in use (0 is success for each).
int16_t FDK_WIN4POS_Create(const QString &serverIp, const QString &serverPort);
int16_t FDK_WIN4POS_Destroy();
int16_t FDK_WIN4POS_Status();
int16_t FDK_WIN4POS_MkTranId(QString &tranId, int length);
int16_t FDK_WIN4POS_Init(const QString &tranId, const QString &msgCmd, const QString &msgCert);
int16_t FDK_WIN4POS_Input(const QString &key, const QString &value);
int16_t FDK_WIN4POS_Execute();
// Overwrites buffer with the field's value (at most length characters).
int16_t FDK_WIN4POS_Output(const QString &key, QString &buffer, int length);
int16_t FDK_WIN4POS_Term();
