#pragma once
// The closing's own rows on the POS database: the opening cash (InitGum), the cash history
// (InitGumLog) and a saved closing (TemChit, TemDetail, TemInitGum). One program-wide
// record per table, its clear, and the statement builders. Builders only build text; the
// caller executes it on goDbPos inside its own transaction.
#include <QString>
#include <cstdint>

#include "core/currency.h"

struct InitGumRec {
  int16_t IntPosNo = 0;
  orv::Currency IntPsnKey;
  QString IntDate;  // work date, yyyymmdd
  QString IntTime;  // hhmmss
  orv::Currency IntInitGum;
  orv::Currency IntHab;
  orv::Currency IntNGum;
  orv::Currency IntBGum;
  orv::Currency IntMidGum;
};

// IntGuBun / IntGuBun1 of a row: 0/1 opening cash entered, 0/2 open mid-day deposit, 0/3
// deleted deposit, 1/0 the closing; the closing turns open deposits (2 or null) into 0/1.
struct InitGumLogRec {
  int16_t IntYear = 0;
  int16_t IntMon = 0;
  int16_t IntDay = 0;
  QString IntDate;
  int16_t IntSeqNo = 0;
  int16_t IntPosNo = 0;
  orv::Currency IntPsnKey;
  orv::Currency IntInitGum;
  orv::Currency IntHab;
  orv::Currency IntNGum;
  orv::Currency IntBGum;
  orv::Currency IntMidGum;
  orv::Currency IntMoney;
  orv::Currency IntCard;
  orv::Currency IntCSobi;
  orv::Currency IntOiSang;
  QString IntWrtdate;
  QString IntWrttime;
  int16_t IntGuBun = 0;
  int16_t IntGuBun1 = 0;
};

struct TemChitRec {
  QString TemDate;
  QString TemTime;
  orv::Currency TemPsnKey;
  int32_t TemChtNo = 0;
  QString TemBigo;
  int16_t TemSss1 = 0, TemSss2 = 0, TemSss3 = 0, TemSss4 = 0, TemSss5 = 0;
};

struct TemDetailRec {
  QString TmdDate;
  orv::Currency TmdPsnKey;
  int32_t TmdChtNo = 0;
  int32_t TmdSeq = 0;
  QString TmdPctDate;
  int32_t TmdPctChtNo = 0;
  int16_t TmdSss1 = 0, TmdSss2 = 0, TmdSss3 = 0, TmdSss4 = 0, TmdSss5 = 0;
};

struct TemInitGumRec {
  QString TmiDate;
  orv::Currency TmiPsnKey;
  int32_t TmiChtNo = 0;
  QString TmiIntDate;
  QString TmiIntTime;
  orv::Currency TmiInitGum;
  orv::Currency TmiHab;
  orv::Currency TmiNGum;
  orv::Currency TmiBGum;
  orv::Currency TmiMidGum;
  orv::Currency TmiMoney;
  orv::Currency TmiCard;
  orv::Currency TmiCsobi;
  orv::Currency TmiOisang;
  int16_t TmiSss1 = 0, TmiSss2 = 0, TmiSss3 = 0, TmiSss4 = 0, TmiSss5 = 0;
};

extern InitGumRec gtInitGum;
extern InitGumLogRec gtInitGumLog;
extern TemChitRec gtTemChit;
extern TemDetailRec gtTemDetail;
extern TemInitGumRec gtTemInitGum;

void ClearInitGumRecord();
void ClearInitGumLogRecord();
void ClearTemChitRecord();
void ClearTemDetailRecord();
void ClearTemInitGumRecord();

// Numbers as plain decimals (money without a point when whole), texts quoted by the
// literal helper, so a quote in the memo is stored as typed.
// The InitGum row of giSetPosNo and gcLogPsnKey (not of gtInitGum).
QString gsInitGumDelSql();
QString gsInitGumInsSql();
QString gsInitGumLogInsSql();
QString gsTemChitInsSql();
QString gsTemDetailInsSql();
QString gsTemInitGumInsSql();

namespace orv::state {
void ResetClosingRecords();
}

// The next IntSeqNo of InitGumLog for a work date and POS (MAX + 1, 1 for the first), read
// on goDbPos inside the writer's transaction. DbError when the number no longer fits.
int16_t NextInitGumLogSeq(const QString &date, int16_t posNo);
