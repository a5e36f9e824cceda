#pragma once
// Data exchange with the main database at login. Sending unsent rows and the daily code
// copy come with the data-exchange work; until then they report that nothing was done.
class QLabel;
class QProgressBar;

// Sends what the POS database holds unsent; progress on the login form.
void SendUnsentData(QLabel *stepLabel, QProgressBar *progress);
// The daily code copy; true when it went through.
bool CopyCodesByBcp();
bool ShowMsgReceive();
