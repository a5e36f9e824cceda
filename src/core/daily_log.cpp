#include "core/daily_log.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

#include "core/globals.h"
#include "core/pos_settings.h"
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/datafolder.h"
#include "platform/db.h"

namespace {

QString g_local;
QString g_shared;

QString Resolve(const QString &folder, const char *fallback) {
  const QString f = folder.isEmpty() ? QString::fromLatin1(fallback) : folder;
  return QDir::isAbsolutePath(f) ? QDir::cleanPath(f) : orv::datafolder::Path(f);
}

// A drive counts as present when its root lists anything.
bool DrivePresent(const QString &root) {
  return !QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                               QDir::System)
              .isEmpty();
}

void MakeFolder(const QString &path) {
  if (QDir(path).exists()) return;
  if (!QDir().mkpath(path))
    throw std::runtime_error(("Cannot create the log folder: " + path).toStdString());
}

}  // namespace

namespace orv::dailylog {

void SetDriveFolders(const QString &local, const QString &shared) {
  g_local = local;
  g_shared = shared;
}
QString LocalDrive() { return Resolve(g_local, "C"); }
QString SharedDrive() { return Resolve(g_shared, "L"); }

void LogDatabaseFailures() {
  orv::db::SetFailureLog([](const QString &text) {
    qWarning("%s", qUtf8Printable(text));
    try {
      WriteLog(kDatabaseFailure, text);
    } catch (...) {
    }
  });
}

}  // namespace orv::dailylog

void WriteLog(int16_t kind, QString text) {
  if (giSetLog != 1) return;
  const QString shared = orv::dailylog::SharedDrive();
  const QString base = (DrivePresent(shared) ? shared : orv::dailylog::LocalDrive()) + "/Pos";
  MakeFolder(base);
  const QString folder = base + "/" + QString::number(giSetPosNo);
  MakeFolder(folder);

  // One reading of the clock names the file and stamps the line.
  const QDateTime now = orv::clock::Now();
  const QString date = now.toString(QStringLiteral("yyyyMMdd"));
  const QString line = date + ',' + now.toString(QStringLiteral("HHmmss")) + ',' +
                       QString::number(giSetPosNo) + ',' + gcLogPsnKey.ToPlainText() + ',' +
                       QString::number(kind) + ',' + text + "\r\n";
  QFile file(folder + "/Log" + date + ".txt");
  const QByteArray bytes = orv::codepage::Encode(line);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(bytes) != bytes.size() ||
      !file.flush())
    throw std::runtime_error(
        ("Cannot write the log file: " + file.fileName() + ": " + file.errorString()).toStdString());
}

bool TryWriteLog(int16_t kind, const QString &text) {
  try {
    WriteLog(kind, text);
    return true;
  } catch (const std::exception &) {
    return false;
  }
}

namespace orv::state {
void ResetDailyLog() { orv::dailylog::SetDriveFolders({}, {}); }
}  // namespace orv::state
