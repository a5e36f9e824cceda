#include "van/card_agent.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "core/pos_settings.h"
#include "van/van_wait.h"
#include "van/van_wire.h"

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

QString NoReplyText() {
  return QStringLiteral("응답이 없습니다. 단말기에서 승인 여부를 확인하세요");
}

QString AgentProgramPath(const QString &setting) {
  const QString s = setting.trimmed();
  if (s.isEmpty()) return {};
  if (s.contains(QLatin1Char('/'))) return s;
  return QDir(QCoreApplication::applicationDirPath()).filePath(s);
}

// ------------------------------------------------------------------ agent program

ProcessCardAgent::ProcessCardAgent(QString program) : program_(std::move(program)) {}

ProcessCardAgent::~ProcessCardAgent() { Destroy(); }

int16_t ProcessCardAgent::Create(const QString &serverIp, const QString &serverPort) {
  Destroy();
  const QString program = program_.isEmpty() ? AgentProgramPath(gsSetVanAgent) : program_;
  const QFileInfo fi(program);
  if (program.isEmpty() || !fi.isFile() || !fi.isExecutable()) return -1;
  proc_ = std::make_unique<QProcess>();
  proc_->setProgram(program);
  proc_->setArguments({serverIp, serverPort});
  proc_->setStandardErrorFile(QProcess::nullDevice());
  proc_->start();
  if (!proc_->waitForStarted(Timeouts().connectMs)) {
    proc_.reset();
    return -1;
  }
  inbox_.clear();
  return 0;
}

int16_t ProcessCardAgent::Destroy() {
  if (!proc_) return 0;
  proc_->closeWriteChannel();  // the agent ends at the end of its input
  if (!proc_->waitForFinished(Timeouts().connectMs)) {
    proc_->kill();
    proc_->waitForFinished(1000);
  }
  proc_.reset();
  return 0;
}

int16_t ProcessCardAgent::Call(const QString &verb, const QStringList &fields, int timeoutMs,
                               QString *value) {
  if (!proc_ || proc_->state() != QProcess::Running) return -1;
  const QString seq = QString::number(++seq_);
  QString error;
  const QByteArray frame = EncodeFrame(QStringList{verb, seq} + fields, &error);
  if (frame.isEmpty()) return -1;
  proc_->write(frame);
  QStringList reply;
  bool broken = false;
  const bool got = WaitUntil(
      [&] {
        if (!proc_ || proc_->state() != QProcess::Running) {
          broken = true;
          return true;
        }
        inbox_ += proc_->readAllStandardOutput();
        for (;;) {
          TakenFrame t = TakeFrame(inbox_);
          if (!t.complete) return false;
          if (!t.ok) {
            broken = true;
            return true;
          }
          // A late reply to an earlier call is dropped.
          if (t.fields.size() >= 3 && t.fields[0] == QLatin1String("RET") && t.fields[1] == seq) {
            reply = t.fields;
            return true;
          }
        }
      },
      timeoutMs);
  if (!got || broken || reply.isEmpty()) return -9;
  bool ok = false;
  const int result = reply[2].toInt(&ok);
  if (value) *value = reply.value(3);
  return ok ? int16_t(result) : int16_t(-1);
}

int16_t ProcessCardAgent::Status() {
  localError_.clear();
  return Call(QStringLiteral("STATUS"), {}, Timeouts().connectMs);
}

int16_t ProcessCardAgent::MkTranId(QString *tranId) {
  QString v;
  const int16_t r = Call(QStringLiteral("MKTRANID"), {}, Timeouts().connectMs, &v);
  *tranId = r == 0 ? v : QString();
  return r;
}

int16_t ProcessCardAgent::Init(const QString &tranId, const QString &msgCmd,
                               const QString &msgCert) {
  return Call(QStringLiteral("INIT"), {tranId, msgCmd, msgCert}, Timeouts().connectMs);
}

int16_t ProcessCardAgent::Input(const QString &key, const QString &value) {
  return Call(QStringLiteral("INPUT"), {key, value}, Timeouts().connectMs);
}

int16_t ProcessCardAgent::Execute() {
  localError_.clear();
  const int16_t r = Call(QStringLiteral("EXECUTE"), {}, Timeouts().replyMs);
  if (r == -9 || (r == -1 && (!proc_ || proc_->state() != QProcess::Running)))
    localError_ = NoReplyText();
  return r;
}

QString ProcessCardAgent::Output(const QString &key) {
  if (key == QLatin1String("MSG_RET_STR") && !localError_.isEmpty()) return localError_;
  QString v;
  return Call(QStringLiteral("OUTPUT"), {key}, Timeouts().connectMs, &v) == 0 ? v : QString();
}

void ProcessCardAgent::Term() { Call(QStringLiteral("TERM"), {}, Timeouts().connectMs); }

// ------------------------------------------------------------------ the agent in use

namespace {
std::unique_ptr<CardAgent> &Slot() {
  static std::unique_ptr<CardAgent> agent;
  return agent;
}
}  // namespace

CardAgent &CurrentCardAgent() {
  if (!Slot()) Slot() = std::make_unique<ProcessCardAgent>();
  return *Slot();
}

void SetCardAgent(std::unique_ptr<CardAgent> agent) { Slot() = std::move(agent); }

}  // namespace orv::van

using orv::van::CurrentCardAgent;

int16_t FDK_WIN4POS_Create(const QString &serverIp, const QString &serverPort) {
  return CurrentCardAgent().Create(serverIp, serverPort);
}
int16_t FDK_WIN4POS_Destroy() { return CurrentCardAgent().Destroy(); }
int16_t FDK_WIN4POS_Status() { return CurrentCardAgent().Status(); }
int16_t FDK_WIN4POS_MkTranId(QString &tranId, int length) {
  QString id;
  const int16_t r = CurrentCardAgent().MkTranId(&id);
  if (r == 0) tranId = id.left(length);
  return r;
}
int16_t FDK_WIN4POS_Init(const QString &tranId, const QString &msgCmd, const QString &msgCert) {
  return CurrentCardAgent().Init(tranId, msgCmd, msgCert);
}
int16_t FDK_WIN4POS_Input(const QString &key, const QString &value) {
  return CurrentCardAgent().Input(key, value);
}
int16_t FDK_WIN4POS_Execute() { return CurrentCardAgent().Execute(); }
int16_t FDK_WIN4POS_Output(const QString &key, QString &buffer, int length) {
  buffer = CurrentCardAgent().Output(key).left(length);
  return 0;
}
int16_t FDK_WIN4POS_Term() {
  CurrentCardAgent().Term();
  return 0;
}
