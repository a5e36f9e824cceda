#include "sale/stand_ins.h"

#include "closing/frmMidInput.h"
#include "lookup/frmCust.h"
#include "lookup/frmTrsHelp.h"
#include "chit/etc_chits.h"
#include "chit/saver_state.h"
#include "lookup/help_globals.h"
#include "platform/dialogs.h"
#include "sale/handoff_globals.h"
#include "sale/sale_globals.h"
#include "van/frmCardCancel.h"
#include "van/frmMoneyChk.h"

void ShowfrmTrsHelp(QWidget *parent) {
  giHelpRet = 0;
  frmTrsHelp form(parent);
  orv::dialogs::ShowModal(form);
}

void ShowfrmCust(QWidget *parent) {
  giHelpRet = 0;
  gcHelpNo = {};
  gsCstHelpNo.clear();
  frmCust form(parent);
  orv::dialogs::ShowModal(form);
}

void ShowfrmMidInput(QWidget *parent) { orv::closing::ShowMidInput(parent); }

void ShowfrmMoneyChk(QWidget *parent) {
  giHelpRet = 0;
  frmMoneyChk form(parent);
  orv::dialogs::ShowModal(form);
}

void ShowfrmCardCancel(QWidget *parent) {
  frmCardCancel form(parent);
  orv::dialogs::ShowModal(form);
}
