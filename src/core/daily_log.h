#pragma once
// The daily text log: when giSetLog is 1, one line per event in a file per day and per
// checkout. The drive of the shared log folder (L:) is used when it holds anything,
// else the local one (C:); both are folders of the data folder.
#include <QString>
#include <cstdint>

// Appends "yyyymmdd,hhmmss,POS number,cashier key,kind,text" (CP949, CR LF) to
// <drive>/Pos/<giSetPosNo>/Log<yyyymmdd>.txt. Throws std::runtime_error when a folder
// or the file cannot be made or written; no line is written then.
void WriteLog(int16_t kind, QString text);
// The same where the work goes on without its line: false when it could not be written.
bool TryWriteLog(int16_t kind, const QString &text);

namespace orv::dailylog {

// The folders standing for drives C: and L:, absolute or relative to the data folder.
// Empty texts mean the defaults "C" and "L".
void SetDriveFolders(const QString &local, const QString &shared);
QString LocalDrive();
QString SharedDrive();

// The kind of the lines below: failures the database layer cannot throw (a rollback that
// failed while a transaction guard went out of scope).
constexpr int16_t kDatabaseFailure = 90;
// From now on such failures go to the daily log as well as to the warning output; a log
// that cannot be written loses the line.
void LogDatabaseFailures();

// The kind of an error no handler caught, written by the application's error boundary.
constexpr int16_t kUnhandledError = 99;

}  // namespace orv::dailylog

namespace orv::state {
void ResetDailyLog();
}
