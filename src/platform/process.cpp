#include "platform/process.h"

#include <signal.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

namespace orv::process {
namespace {

QString canonical(const QString &path) {
  const QString c = QFileInfo(path).canonicalFilePath();
  return c.isEmpty() ? QFileInfo(path).absoluteFilePath() : c;
}

// A finished child that nobody reaped yet still has its /proc entry.
bool gone(qint64 pid) {
  QFile stat(QString("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return true;
  const QByteArray line = stat.readAll();
  const int close = line.lastIndexOf(')');
  return close < 0 || line.mid(close + 2, 1) == "Z";
}

bool runs(qint64 pid, const QString &target) {
  const QString proc = QString("/proc/%1").arg(pid);
  // A file replaced while the program ran reads "<path> (deleted)": still the same program.
  QString exe = QFile::symLinkTarget(proc + "/exe");
  exe.remove(QRegularExpression(" \\(deleted\\)$"));
  if (!exe.isEmpty() && canonical(exe) == target) return true;

  // A script: the kernel names it after the script file and hands its path to the
  // interpreter as the first or second argument.
  QFile comm(proc + "/comm");
  if (!comm.open(QIODevice::ReadOnly)) return false;
  if (comm.readAll().trimmed() != QFileInfo(target).fileName().left(15).toLocal8Bit()) return false;
  QFile cmdline(proc + "/cmdline");
  if (!cmdline.open(QIODevice::ReadOnly)) return false;
  const QList<QByteArray> args = cmdline.readAll().split('\0');
  const QString cwd = QFile::symLinkTarget(proc + "/cwd");
  for (int i = 1; i <= 2 && i < args.size(); ++i) {
    const QString arg = QFile::decodeName(args[i]);
    if (arg.isEmpty()) continue;
    if (canonical(QDir(cwd).absoluteFilePath(arg)) == target) return true;
  }
  return false;
}

}  // namespace

bool StartDetached(const QString &program, const QStringList &arguments,
                   const QString &workingDirectory) {
  return QProcess::startDetached(program, arguments, workingDirectory);
}

QList<qint64> ProcessesOf(const QString &programPath) {
  QList<qint64> out;
  const QString target = canonical(programPath);
  const qint64 self = QCoreApplication::applicationPid();
  for (const QString &name : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    bool ok = false;
    const qint64 pid = name.toLongLong(&ok);
    if (!ok || pid == self || gone(pid)) continue;
    if (runs(pid, target)) out.append(pid);
  }
  return out;
}

int EndProcessesOf(const QString &programPath, int graceMs) {
  const QList<qint64> pids = ProcessesOf(programPath);
  for (qint64 pid : pids) ::kill(pid_t(pid), SIGTERM);
  QDeadlineTimer deadline(graceMs);
  for (qint64 pid : pids) {
    while (!gone(pid) && !deadline.hasExpired()) QThread::msleep(10);
    if (!gone(pid)) ::kill(pid_t(pid), SIGKILL);
  }
  return int(pids.size());
}

}  // namespace orv::process
