#pragma once
// Screens the sale screen opens that later work builds. Each shows its name and what it
// will do, closes with Esc, and leaves the lookup results at "cancelled".
#include "platform/stand_in_form.h"

class QWidget;

// Choosers: giHelpRet 0 on opening; the stand-ins take nothing.
void ShowfrmTrsHelp(QWidget *parent);
void ShowfrmCust(QWidget *parent);

// Screens of later subsystems the code column opens.
void ShowfrmMidInput(QWidget *parent);
void ShowfrmMoneyChk(QWidget *parent);  // giHelpRet 0: no receipt issued
void ShowfrmCardCancel(QWidget *parent);
