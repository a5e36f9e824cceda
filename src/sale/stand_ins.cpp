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
  ShowStandIn(QStringLiteral("frmMoneyChk"), QStringLiteral("현금영수증"),
              QStringLiteral("현금영수증 발행은 다음 작업에서 만들어집니다."), parent);
}

void ShowfrmCardCancel(QWidget *parent) {
  ShowStandIn(QStringLiteral("frmCardCancel"), QStringLiteral("카드 승인 내역"),
              QStringLiteral("카드 승인 내역은 카드 결제 작업에서 만들어집니다."), parent);
}
