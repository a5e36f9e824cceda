#pragma once
// Reading a saved sale chit back as its own reversal, for the cancel of a recalled chit.
#include <QString>
#include <cstdint>
#include <functional>

#include "core/currency.h"

// The recalled chit: its date and number (set by the sale screen when it recalls a chit)
// and its card amount.
extern int16_t giOldChtYear;
extern int16_t giOldChtMonth;
extern int16_t &giOldChtMon;  // the same value under its other name
extern int16_t giOldChtDay;
extern int32_t glOldChtNo;
extern int32_t &goOldChtNo;
extern orv::Currency gcOldChtCard;

extern QString gsOldChtDate;   // yyyymmdd of the recalled chit
extern QString gsReadWrkDate;  // yyyymmdd of the work date
extern int32_t goReadGodsCnt;  // goods lines read
extern orv::Currency gcReadTotSu;  // their total quantity (positive)

// The sale screen takes the chit's trade partner (key, number, name; 0, 0, "0" for none).
void SetReadBackTraderSink(std::function<void(orv::Currency, orv::Currency, const QString &)> sink);

// Loads the chit named by the recall globals from the working connection into gtPanChit,
// gtPanList, gtPanGods (lines by PcgSeqNo), gtCardRet and gtCstCode, re-dated to the work
// date with number 0, every amount negated (unit prices keep their sign). A chit of more
// than 150 lines stops at 150 and says so. Database errors reach the caller.
void ReadPanChit();
void ReadPanChitHead();
void ReadPanChitList();
void ReadPanChitCard();
void ReadPanChitGods();
void ReadPanChitTrader();
void ReadPanChitCustomer();
void NegatePanChit();

inline const QString kTooManyLinesText =
    QStringLiteral("전표의 상품이 150줄을 넘어 150줄까지만 읽었습니다");

// The recall globals back to their start values.
void ResetReadBackState();
