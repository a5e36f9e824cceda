// The closing screen's dialogs: opening cash, deposits, the cash log and the drawer count.
#include "closing/closing_records.h"
#include "closing/frmCoinComp.h"
#include "closing/frmInitGum.h"
#include "closing/frmInitLog.h"
#include "closing/frmMidInput.h"
#include "closing/frmTerminate.h"
#include "core/daily_log.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "platform/clock.h"
#include "platform/dialogs.h"

namespace orv::closing {

void frmTerminate::cmdInitGum_Click() {
  // Today's open figures, whatever closing the screen shows.
  ClosingFigures open;
  if (!ReadOpenInto(open)) return;
  const QString time = clock::Now().toString("hhmmss");
  ClearInitGumRecord();
  ClearInitGumLogRecord();
  gtInitGum.IntDate = ctx_.msWrkDate;
  gtInitGum.IntPosNo = giSetPosNo;
  gtInitGum.IntPsnKey = gcLogPsnKey;
  gtInitGum.IntTime = time;
  gtInitGum.IntInitGum = open.txtInitGum;
  gtInitGum.IntHab = open.txtPctHab;
  gtInitGum.IntNGum = open.txtNowMoney;
  gtInitGum.IntBGum = open.txtNowMoney;
  gtInitGum.IntMidGum = open.txtMidGum;
  InitGumLogRec &l = gtInitGumLog;
  l.IntYear = giWrkYear;
  l.IntMon = giWrkMonth;
  l.IntDay = giWrkDay;
  l.IntDate = ctx_.msWrkDate;
  l.IntPosNo = giSetPosNo;
  l.IntPsnKey = gcLogPsnKey;
  l.IntInitGum = open.txtInitGum;
  l.IntHab = open.txtPctHab;
  l.IntNGum = open.txtNowMoney;
  l.IntBGum = open.txtNowMoney;
  l.IntMidGum = open.txtMidGum;
  l.IntMoney = open.txtPctMoney;
  l.IntCard = open.txtPctCard;
  l.IntCSobi = open.txtPctCSobi;
  l.IntOiSang = open.txtPctOiSang;
  l.IntWrtdate = clock::Now().toString("yyyyMMdd");
  l.IntWrttime = time;
  l.IntGuBun = 0;
  l.IntGuBun1 = 1;
  {
    frmInitGum form(this);
    dialogs::ShowModal(form);
  }
  fcInitGumSerch() && fcOiReturnSerch() && fcPanChitSerch();
  WriteLog(12, QString());
  if (!loaded_) fcPanGdsSerch();
}

void frmTerminate::cmdMidGum_Click() {
  ShowMidInput(this);
  fcInitGumSerch() && fcOiReturnSerch() && fcPanChitSerch();
  if (!loaded_) fcPanGdsSerch();
}

void frmTerminate::cmdLogView_Click() {
  {
    frmInitLog form(this);
    dialogs::ShowModal(form);
  }
  AfterChild();
}

void frmTerminate::cmdCoinComp_Click() {
  {
    frmCoinComp form(this);
    dialogs::ShowModal(form);
  }
  AfterChild();
}

}  // namespace orv::closing
