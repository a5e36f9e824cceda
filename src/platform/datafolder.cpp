#include "platform/datafolder.h"

#include <QDir>
#include <QFile>

#include <unistd.h>
#include <QStandardPaths>

namespace orv::datafolder {
namespace {
QString g_root;
}

QString Root() {
  if (g_root.isEmpty()) {
    QString env = qEnvironmentVariable("ORVPOS_HOME");
    g_root = !env.isEmpty() ? env : QDir::homePath() + "/.local/share/orvpos";
  }
  return g_root;
}

void SetRoot(const QString &path) { g_root = path; }

QString Path(const QString &relative) {
  QString rel = relative;
  rel.replace('\\', '/');
  while (rel.startsWith('/')) rel.remove(0, 1);
  return QDir(Root()).filePath(rel);
}

QString ShareRoot() {
  QString env = qEnvironmentVariable("ORVPOS_SHARE");
  return !env.isEmpty() ? env : QStringLiteral(ORVPOS_SOURCE_DATA);
}

}  // namespace orv::datafolder

namespace orv::datafolder {
bool IsWritableFolder(const QString &path) {
  if (path.isEmpty() || !QDir().mkpath(path)) return false;
  const QByteArray native = QFile::encodeName(QDir(path).absolutePath());
  return ::access(native.constData(), W_OK | X_OK) == 0;
}
}  // namespace orv::datafolder
