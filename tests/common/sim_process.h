#pragma once
// A card-agent simulator (built beside orvpos) run for one test: started with its
// arguments, it announces where it listens on its first line ("PORT 1234", "PTY /dev/pts/3");
// ended with the object.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace orvtest {

class SimProcess {
 public:
  SimProcess(const QString &name, const QStringList &args) {
    proc_.setProgram(QFileInfo(QStringLiteral(ORVPOS_PROGRAM)).dir().filePath(name));
    proc_.setArguments(args);
    proc_.setProcessChannelMode(QProcess::SeparateChannels);
    proc_.start();
    if (!proc_.waitForStarted(5000)) return;
    while (!proc_.canReadLine() && proc_.waitForReadyRead(5000)) {
    }
    const QString line = QString::fromUtf8(proc_.readLine()).trimmed();
    value_ = line.section(QLatin1Char(' '), 1);
  }
  ~SimProcess() {
    proc_.kill();
    proc_.waitForFinished(5000);
  }
  SimProcess(const SimProcess &) = delete;
  SimProcess &operator=(const SimProcess &) = delete;

  // The port or device it announced; empty when it did not start.
  QString Value() const { return value_; }

 private:
  QProcess proc_;
  QString value_;
};

}  // namespace orvtest
