#pragma once
// The code copy's two front-ends and the point-server exchange of the sale screen.
#include "sync/cst_exchange.h"

// The daily code copy. Both catch their own errors: a failure shows "전송오류!!" with its
// description and returns false, and every POS table is as before. True when the copy went
// through (the caller then records the day).
// Customers are reloaded only when no POS customer holds running totals.
bool CopyCodesByBcp();
// Shows frmMsgReceive, which copies every table with its progress; customers always.
bool ShowMsgReceive();

// The point-server exchange (cst_exchange.h) in its wait dialogs. Neither shows a failure:
// it goes to the daily log, and what failed waits for the next time.
// The members and options copy; true when it went through (the caller then records the day).
bool ShowMsgRecvCst();
// The queued member chits; makeMonth makes the point server's tables of a month.
void ShowMsgSendCst(const orv::sync::TsMonthMaker &makeMonth);
