#pragma once
// Event rows of the checkout in today's PosLogs table on the working connection.
#include <QString>
#include <cstdint>
#include <functional>

#include "core/currency.h"

// Quantity, unit price and amount of the grid line as it was last logged (or as the key
// handling captured it); the change log writes them after the new values.
extern orv::Currency gcOldSu;
extern orv::Currency gcOldDanga;
extern orv::Currency gcOldGum;
// The text the callers build PlgText1 in.
extern QString gsPosLogText;

// The sale screen sets this to read a grid line's quantity, unit price and amount; unset,
// the before-values are left alone.
extern std::function<void(int32_t row, orv::Currency &qty, orv::Currency &price,
                          orv::Currency &amount)>
    gfnGridLineValues;

// Fills gtPosLogs for one event and inserts it into PosLogs of today's month on goDbMain.
// A month whose tables are missing (the first event after midnight into a new month) gets
// them made first. firstSeq is the sequence number of the first row of a second (the login
// counts from 1, the main window from 0). Database errors are thrown (orv::db::DbError).
void WritePosLogsRow(int32_t row, int16_t kind, const QString &text1, const QString &text2,
                     const QString &text3, int32_t firstSeq);

// One event row of the main window (exit 92, customer 101, partner 103, …); afterwards the
// before-values hold the logged line. A failed write leaves them as they were.
void LogPosEvent(int32_t row, int16_t kind, const QString &text1, const QString &text2,
                 const QString &text3);

// While one lives, the event rows are made at once (time, texts, before-values) but
// written together when it ends or at Flush, in one transaction: a recall of a long chit
// writes its rows once instead of committing each. Nested ones write with the outermost.
class PosEventBatch {
 public:
  PosEventBatch();
  ~PosEventBatch();  // writes what is left; a failure goes to the database layer's log
  PosEventBatch(const PosEventBatch &) = delete;
  PosEventBatch &operator=(const PosEventBatch &) = delete;
  // Writes the rows kept so far (outermost only). Throws orv::db::DbError; the rows of a
  // failed write are dropped.
  void Flush();
};

namespace orv::state {
void ResetPosEvent();
}
