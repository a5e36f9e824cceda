#pragma once
// Event rows of the checkout in today's PosLogs table on the working connection.
#include <QString>
#include <cstdint>

// Fills gtPosLogs for one event and inserts it into PosLogs of today's month on goDbMain.
// firstSeq is the sequence number of the first row of a second (the login counts from 1,
// the main window from 0). Database errors are thrown (orv::db::DbError).
void WritePosLogsRow(int32_t row, int16_t kind, const QString &text1, const QString &text2,
                     const QString &text3, int32_t firstSeq);

// One event row of the main window (exit 92, customer 101, partner 103, …).
void LogPosEvent(int32_t row, int16_t kind, const QString &text1, const QString &text2,
                 const QString &text3);
