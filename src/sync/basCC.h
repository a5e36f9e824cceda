#pragma once
// The code copy's two front-ends and the point-server exchange of the sale screen.

// The daily code copy. Both catch their own errors: a failure shows "전송오류!!" with its
// description and returns false, and every POS table is as before. True when the copy went
// through (the caller then records the day).
// Customers are reloaded only when no POS customer holds running totals.
bool CopyCodesByBcp();
// Shows frmMsgReceive, which copies every table with its progress; customers always.
bool ShowMsgReceive();

// Sending the queued member chits and downloading the shared customers into the local
// copy. Until that exchange is here, both do nothing.
void ShowMsgRecvCst();
void ShowMsgSendCst();
