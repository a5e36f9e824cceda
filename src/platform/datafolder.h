#pragma once
// The program's folder: what the program keeps beside itself (backups, logs, the movie,
// the key table) lives here. ORVPOS_HOME, else ~/.local/share/orvpos; tests set their own.
#include <QString>

namespace orv::datafolder {

QString Root();
void SetRoot(const QString &path);
// Root() + "/" + relative, with '\\' turned into '/'.
QString Path(const QString &relative);
// The folder of files the program ships (the demo shop, the Hangul key table).
QString ShareRoot();

}  // namespace orv::datafolder

namespace orv::datafolder {
// Makes the folder when it is missing and tells whether the program may write in it. Writes
// nothing inside it.
bool IsWritableFolder(const QString &path);
}  // namespace orv::datafolder
