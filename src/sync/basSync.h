#pragma once
// Data exchange with the main database at login: the rows recorded offline go to the main
// database one unit at a time (see send_units.h), and the daily code copy.
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "chit/pos_logs.h"
#include "platform/db.h"

class QLabel;
class QProgressBar;

// Today's year and month by the program clock (not the work date), set by SplitNowDate.
extern int16_t giNowYear;
extern int16_t giNowMon;
// The send's state: the month of the pass, the pass, the chit in hand, the card option.
extern QString gsSendYyMm;
extern int16_t giSendYyMm;
extern int16_t giSendPass;
extern int16_t giSendYear, giSendMon, giSendDay;
extern int32_t glSendChtNo;
extern int16_t giSendMultiCard;
extern int32_t glSendListCnt, glSendDlvCnt, glSendGodsCnt, glSendCardCnt, glSendMoneyCnt;
extern int32_t glPanChitOnCnt, glPanListOnCnt;

void SplitNowDate();

// What the send shows: a progress value (negative: unchanged) and a text.
using SendProgress = std::function<void(int prs, const QString &text)>;

// Sends what the POS database holds unsent; progress on the login form, whose controls
// stay disabled meanwhile and are enabled again on every way out. Nothing is sent when
// either connection text is empty, or when both connections name one database. A failing
// unit ends the send: both its transactions rolled back, the DbError to the caller.
void SendUnsentData(QLabel *stepLabel, QProgressBar *progress);
// The same, reporting through a callback (nullptr: nowhere).
void SendUnsentData(const SendProgress &progress);

// Writes gtTemData as one new TemData row on conn under the first closing number, counting
// up from the record's own, that is free for its day there; gtTemData is not changed.
// When another checkout takes the number between probe and insert, probes and inserts
// again (each insert under a savepoint), up to five times. Returns the number used;
// errors reach the caller.
int32_t SendTemData(orv::db::Connection &conn);

// The POS rows a closing wrote, named by their keys.
struct ClosingRowKeys {
  // The summary (TemData): number 0 for none.
  int16_t temYear = 0, temMon = 0, temDay = 0;
  int32_t temChtNo = 0;
  // Event rows (PosLogs of the row's own month).
  struct LogKey {
    int16_t year = 0, mon = 0, day = 0;
    int32_t chtNo = 0;
    QString time;
    int32_t no = 0, seq = 0;
  };
  std::vector<LogKey> logs;
};
ClosingRowKeys::LogKey LogKeyOf(const PosLogsRec &row);

// Sends exactly the named rows as units, the summary first, then the event rows; stops at
// the first failure and returns its error (the rest wait for the next online login).
// Offline (goDbMain on the POS database) nothing is sent.
std::optional<orv::db::DbError> SendClosingRows(const ClosingRowKeys &rows);
