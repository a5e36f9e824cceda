#include "platform/settings_store.h"

#include <QFileInfo>
#include <QDir>
#include <QSettings>
#include <memory>

#include "platform/datafolder.h"

namespace orv::settings_store {

namespace {

QString g_path;

// The file opened on the section; a section spelt in another case by hand is found too.
std::unique_ptr<QSettings> open() {
  auto s = std::make_unique<QSettings>(FilePath(), QSettings::IniFormat);
  QString group = QString::fromLatin1(kSection);
  for (const QString &g : s->childGroups())
    if (g.compare(group, Qt::CaseInsensitive) == 0) {
      group = g;
      break;
    }
  s->beginGroup(group);
  return s;
}

// Spellings of key in the section, the first one found first.
QStringList spellings(const QSettings &s, const QString &key) {
  QStringList out;
  for (const QString &k : s.childKeys())
    if (k.compare(key, Qt::CaseInsensitive) == 0) out << k;
  return out;
}

QString toText(const QVariant &v) {
  // An unquoted value with commas, written by hand, reads as a list.
  if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(',');
  if (v.canConvert<QString>()) return v.toString();
  return {};
}

}  // namespace

QString FilePath() {
  if (!g_path.isEmpty()) return g_path;
  return datafolder::Path(QString::fromLatin1(kApplication) + ".ini");
}

void SetFilePath(const QString &path) { g_path = path; }

QString GetSetting(const QString &key) {
  auto s = open();
  const QStringList found = spellings(*s, key);
  if (found.isEmpty()) return {};
  return toText(s->value(found.first()));
}

bool HasSetting(const QString &key) {
  auto s = open();
  return !spellings(*s, key).isEmpty();
}

bool SaveSetting(const QString &key, const QString &value) {
  if (key.trimmed().isEmpty()) return false;
  QDir().mkpath(QFileInfo(FilePath()).absolutePath());
  auto s = open();
  QStringList found = spellings(*s, key);
  const QString name = found.isEmpty() ? key : found.takeFirst();
  for (const QString &other : found) s->remove(other);
  s->setValue(name, value);
  s->sync();
  return s->status() != QSettings::AccessError;
}

bool SaveSettings(const QList<QPair<QString, QString>> &values) {
  QDir().mkpath(QFileInfo(FilePath()).absolutePath());
  auto s = open();
  for (const auto &[key, value] : values) {
    if (key.trimmed().isEmpty()) return false;
    QStringList found = spellings(*s, key);
    const QString name = found.isEmpty() ? key : found.takeFirst();
    for (const QString &other : found) s->remove(other);
    s->setValue(name, value);
  }
  s->sync();
  return s->status() != QSettings::AccessError;
}

QStringList Keys() {
  auto s = open();
  return s->childKeys();
}

}  // namespace orv::settings_store
