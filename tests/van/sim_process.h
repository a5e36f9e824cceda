#pragma once
// Starts a card-agent simulator built beside orvpos (on a free port, or a pad on a pty), with a scenario and
// a journal in a folder of the test, and ends it with the test.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <memory>

#include "van/card_agent.h"

namespace vantest {

// A simulator program built beside orvpos.
inline QString SimPath(const QString &name) {
  return QFileInfo(QStringLiteral(ORVPOS_PROGRAM)).dir().filePath(name);
}

// A journal's lines, none when there is no journal.
inline QStringList JournalLines(const QString &path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QStringList out;
  for (const QByteArray &l : f.readAll().split('\n'))
    if (!l.isEmpty()) out << QString::fromUtf8(l);
  return out;
}

class SimProcess {
 public:
  // name: "orvvansim-smartro"; scenario: lines of the scenario file (may be empty); args:
  // the program's arguments (a port of 0 by default; "--pty" for the sign pad).
  SimProcess(const QString &name, const QString &folder, const QString &scenario = {},
             const QStringList &args = {"0"}) {
    const QString program = SimPath(name);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    journal_ = QDir(folder).filePath(name + "-journal.txt");
    QFile::remove(journal_);
    env.insert("ORVVANSIM_JOURNAL", journal_);
    env.remove("ORVVANSIM_SCENARIO");
    if (!scenario.isEmpty()) {
      QFile f(QDir(folder).filePath(name + "-scenario.txt"));
      if (f.open(QIODevice::WriteOnly)) f.write(scenario.toUtf8());
      env.insert("ORVVANSIM_SCENARIO", f.fileName());
    }
    proc_.setProcessEnvironment(env);
    proc_.start(program, args);
    if (proc_.waitForStarted(5000)) {
      while (!proc_.canReadLine() && proc_.waitForReadyRead(5000)) {
      }
      const QString line = QString::fromLatin1(proc_.readLine()).trimmed();
      if (line.startsWith("port ")) port_ = line.mid(5).toInt();
      if (line.startsWith("pty ")) device_ = line.mid(4);
    }
  }
  ~SimProcess() {
    proc_.kill();
    proc_.waitForFinished(5000);
  }
  int Port() const { return port_; }
  // The pseudo-terminal a pad simulator plays on.
  QString Device() const { return device_; }
  // The journal's lines (each request's values, then its bytes in hex).
  QStringList Journal() const {
    return JournalLines(journal_);
  }
  // The journal's request lines without their raw bytes.
  QStringList Requests() const {
    QStringList out;
    for (const QString &l : Journal()) out << l.left(l.lastIndexOf(" | "));
    return out;
  }

 private:
  QProcess proc_;
  QString journal_;
  int port_ = 0;
  QString device_;
};

// A simulator the program starts itself (the NICE and First Data agents): its journal and
// its scenario are files in folder, named to it through the environment until the end.
class ChildSimFiles {
 public:
  explicit ChildSimFiles(const QString &folder, const QString &prefix = {})
      : folder_(folder), prefix_(prefix), journal_(QDir(folder).filePath(prefix + "journal.txt")) {
    QFile::remove(journal_);
    QFile::remove(journal_ + ".state");
    qputenv("ORVVANSIM_JOURNAL", journal_.toUtf8());
    qunsetenv("ORVVANSIM_SCENARIO");
    qunsetenv("ORVVANSIM_STATE");
  }
  ~ChildSimFiles() {
    for (const char *v : {"ORVVANSIM_JOURNAL", "ORVVANSIM_SCENARIO", "ORVVANSIM_STATE"}) qunsetenv(v);
  }
  ChildSimFiles(const ChildSimFiles &) = delete;
  ChildSimFiles &operator=(const ChildSimFiles &) = delete;

  // The scenario's lines, for the simulator's next start.
  bool Scenario(const QString &lines) {
    QFile f(QDir(folder_).filePath(prefix_ + "scenario.txt"));
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(lines.toUtf8());
    qputenv("ORVVANSIM_SCENARIO", f.fileName().toUtf8());
    return true;
  }
  // The journal's lines.
  QStringList Journal() const {
    return JournalLines(journal_);
  }

 private:
  QString folder_, prefix_, journal_;
};

// The First Data agent: the simulator the program starts, in place of the stand-in, until
// the end (its files: ChildSimFiles).
class FdkAgentSim {
 public:
  FdkAgentSim() {
    orv::van::SetCardAgent(std::make_unique<orv::van::ProcessCardAgent>(SimPath("orvvansim-fdk")));
  }
  ~FdkAgentSim() {
    orv::van::CurrentCardAgent().Destroy();
    orv::van::SetCardAgent(std::make_unique<orv::van::SimulatedCardAgent>());
  }
  FdkAgentSim(const FdkAgentSim &) = delete;
  FdkAgentSim &operator=(const FdkAgentSim &) = delete;
  // Starts it as the program's start does; true when it runs.
  bool Start() { return orv::van::CurrentCardAgent().Create("127.0.0.1", "9000") == 0; }
};

}  // namespace vantest
