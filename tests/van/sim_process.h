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

namespace vantest {

class SimProcess {
 public:
  // name: "orvvansim-smartro"; scenario: lines of the scenario file (may be empty); args:
  // the program's arguments (a port of 0 by default; "--pty" for the sign pad).
  SimProcess(const QString &name, const QString &folder, const QString &scenario = {},
             const QStringList &args = {"0"}) {
    const QString program = QFileInfo(QStringLiteral(ORVPOS_PROGRAM)).dir().filePath(name);
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
    QFile f(journal_);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList out;
    for (const QByteArray &l : f.readAll().split('\n'))
      if (!l.isEmpty()) out << QString::fromUtf8(l);
    return out;
  }

 private:
  QProcess proc_;
  QString journal_;
  int port_ = 0;
  QString device_;
};

}  // namespace vantest
