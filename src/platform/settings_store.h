#pragma once
// The terminal's own settings: one section of keys and texts, kept in an INI file
// (application OrvZerdo, section OrvPosSet). Keys are compared without regard to case.
#include <QString>
#include <QList>
#include <QPair>
#include <QStringList>

namespace orv::settings_store {

inline constexpr const char *kApplication = "OrvZerdo";
inline constexpr const char *kSection = "OrvPosSet";

// The INI file in use: the one set, else "OrvZerdo.ini" in the data folder.
QString FilePath();
// An empty path goes back to the default.
void SetFilePath(const QString &path);

// A missing key reads as the empty text.
QString GetSetting(const QString &key);
bool HasSetting(const QString &key);
// Writes at once. A key that exists in another letter case keeps its spelling.
// False when the file could not be written.
bool SaveSetting(const QString &key, const QString &value);
// Several keys in one write of the file (the same rules as SaveSetting).
bool SaveSettings(const QList<QPair<QString, QString>> &values);
// Every key of the section, as spelt in the file.
QStringList Keys();

}  // namespace orv::settings_store
