#pragma once
// The event-log record and its insert statement.
#include <QString>
#include <cstdint>
#include <vector>

#include "core/currency.h"
#include "chit/field_list.h"
#include "platform/db.h"

struct PosLogsRec {
  int16_t PlgYear = 0;
  int16_t PlgMon = 0;
  int16_t PlgDay = 0;
  QString PlgDate;  // yyyymmdd
  int32_t PlgChtNo = 0;
  QString PlgTime;  // hhmmss
  int32_t PlgNo = 0;
  int32_t PlgSeq = 0;
  int16_t PlgPosNo = 0;
  orv::Currency PlgPsnKey;
  int16_t PlgSel = 0;
  QString PlgText1;
  QString PlgText2;
  QString PlgText3;
  QString PlgSetDate;  // the work date, yyyymmdd
  int16_t PlgSss1 = 0;
  int16_t PlgSss2 = 0;
  int16_t PlgSss3 = 0;
  int16_t PlgSss4 = 0;
  int16_t PlgSss5 = 0;
};

extern PosLogsRec gtPosLogs;

// "Insert Into PosLogs" + yymm (four digits) + the twenty columns + the values of
// gtPosLogs. Texts are quoted with the literal helper, so a typed apostrophe in a goods
// or customer name cannot break the statement. Executes nothing.
QString gsPosLogsInsSql(int16_t yymm);

// Every number 0, every text empty.
void ClearPosLogsRecord();
// The current row into gtPosLogs, column by column. Errors reach the caller.
void ReadPosLogsRecord(const orv::db::Recordset &rs);
// The fields in table order.
std::span<const orv::chit::FieldOf<PosLogsRec>> PosLogsFields();

// One event row: fills gtPosLogs from the clock (date, time, the month of the table), the
// given chit number and line, the cashier and the work date, takes the next PlgSeq of that
// date, chit number, second and line (firstSeq for the first), and inserts the row into
// PosLogs of today's month on conn (made there when missing). Database errors reach the
// caller.
void WritePosLogsRow(orv::db::Connection &conn, int32_t chtNo, int32_t row, int16_t kind,
                     const QString &text1, const QString &text2, const QString &text3,
                     int32_t firstSeq);

// The event row WritePosLogsRow would write now, without its PlgSeq.
PosLogsRec MakePosLogsRec(int32_t chtNo, int32_t row, int16_t kind, const QString &text1,
                          const QString &text2, const QString &text3);
// Inserts rows made by MakePosLogsRec, in their order, each with its PlgSeq as
// WritePosLogsRow takes it; several rows go in one transaction. gtPosLogs holds the last.
// ensureTable false: the caller knows the month's table is there.
void InsertPosLogsRows(orv::db::Connection &conn, const std::vector<PosLogsRec> &rows,
                       int32_t firstSeq, bool ensureTable = true);

namespace orv::state {
void ResetChitState();
}
