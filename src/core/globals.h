#pragma once
// Program-wide state of start-up and login: the logged-in cashier, the work date, the
// working mode and the three connections. Settings globals live in pos_settings.h.
#include <QString>
#include <cstdint>

#include "core/currency.h"
#include "platform/db.h"

// The logged-in cashier.
extern QString gsLogID;
extern QString gsLogPwd;
extern orv::Currency gcLogPsnKey;
extern orv::Currency gcPcdNo;
extern QString gsPcdName;
extern QString gsPcdMbTele;
extern int16_t giLogPosNo;

// The work date (16-bit parts) and whether the cashier moved it.
extern int16_t giWrkYear;
extern int16_t giWrkMonth;
extern int16_t giWrkDay;
extern int16_t giWrkDateChanged;

// Serial ports the main window opens, set by the login.
extern int16_t giCdpPort;
extern QString gsCdpSettings;
extern int16_t giScanPort;
extern QString gsScanSettings;
extern QString gsPosPcIp;
extern int16_t giMainShown;  // 1 once the main window's first activation has run

extern int16_t giOrvSetCstIrt;  // rounding of customer points: 0 up, 1 nearest, 2 down

extern int16_t giOnLine;       // 1 online, 2 offline
extern int16_t giCstTsMode;    // 0 no point server, 1 configured, 2 connected
extern int16_t giSupTrsNo;     // the shop's number on the point server, 0 when not set
extern int16_t giChtEditMode;  // 0 new chit, 1 modify, 2 delete or return

// 1 when a chooser or dialog took something (the lookups, the cash receipt).
extern int16_t giHelpRet;
// Tax amount sent with card approvals: 0 none, 1 all, 2 half.
extern int16_t giPosCardTaxSelt;

// The statement being built; overwritten by every option read, probe and creator.
extern QString gsSql;

// The working connection (main database online, POS database offline), the POS
// connection, and the integrated point server.
extern orv::db::Connection goDbMain;
extern orv::db::Connection goDbPos;
extern orv::db::Connection goDbTs;

// The name found by the last key-to-name read (cashier, trade partner or customer).
extern QString gsCdName;
