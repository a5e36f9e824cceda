// Buttons, toggles and the help panel of the sale screen.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "closing/frmTerminate.h"
#include "core/application.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/settings_store.h"
#include "goods/frmHabGum.h"
#include "goods/frmPanSerch.h"
#include "goods/frmTrsIODay.h"
#include "sale/frmMain.h"
#include "sale/sale_globals.h"
#include "sale/sale_text.h"
#include "sale/stand_ins.h"
#include "sync/basSync.h"
#include "sync/go_offline.h"
#include "customer/frmCstEdit.h"
#include "customer/pos_server.h"
#include "sync/basCC.h"
#include "sync/frmDataRebuild.h"

using namespace orv;

namespace {

QString todayYmd() { return clock::Now().date().toString(QStringLiteral("yyyyMMdd")); }

}  // namespace

// ---------------------------------------------------------------------------- toggles

void frmMain::cmdPrint_Click() {
  giPrintOn = giPrintOn == 1 ? 0 : 1;
  SetOnOffColor(cmdPrint, giPrintOn);
  FocusGrid();
}

void frmMain::cmdCoin_Click() {
  giCoinOn = giCoinOn == 1 ? 0 : 1;
  SetOnOffColor(cmdCoin, giCoinOn);
  FocusGrid();
}

void frmMain::cmdHalin_Click() {
  if (glHalSel == 1) {
    glHalSel = 0;
  } else {
    glHalSel = 1;
    // Choosing the entry runs its handler, also when it is shown already.
    if (Combo1->currentIndex() == 0)
      Combo1_Click();
    else
      Combo1->setCurrentIndex(0);
  }
  SetOnOffColor(cmdHalin, int16_t(glHalSel));
  FocusGrid();
}

void frmMain::Combo1_Click() {
  const int index = Combo1->currentIndex();
  if (index >= 1) {
    glHalSel = 1;
    cmdHalin_Click();
  }
  // No entry shown is price kind 0, never -1.
  glGaSel = index < 0 ? 0 : index;
  FocusGrid();
}

void frmMain::chkDanga_Click() {
  settings_store::SaveSetting(QStringLiteral("giSetDangaStop"), chkDanga->isChecked() ? "1" : "0");
}

void frmMain::chkMisuNotPrn_Click() {
  settings_store::SaveSetting(QStringLiteral("giSetMisuNotPrn"), chkMisuNotPrn->isChecked() ? "1" : "0");
}

void frmMain::chkPrintBar_Click() {
  giSetPrintBarcode = chkPrintBar->isChecked() ? 1 : 0;
  settings_store::SaveSetting(QStringLiteral("giSetPrintBarcode"), QString::number(giSetPrintBarcode));
}

void frmMain::chkCstAll_Click() {
  giSetCstAll = chkCstAll->isChecked() ? 1 : 0;
  settings_store::SaveSetting(QStringLiteral("giSetCstAll"), QString::number(giSetCstAll));
}

void frmMain::cmdOIPrnSu_Click() {
  GoOffline();
  giSetOiPrnSu = int16_t(giSetOiPrnSu + 1);
  if (giSetOiPrnSu > 5) giSetOiPrnSu = 0;
  lblOIPrnSu->setText(QString::number(giSetOiPrnSu));
  settings_store::SaveSetting(QStringLiteral("giSetOiPrnSu"), QString::number(giSetOiPrnSu));
  FocusGrid();
}

// ---------------------------------------------------------------------------- screens

void frmMain::cmdTerMinate_Click() {
  GoOffline();
  orv::sale::ScanPause pause(*scanner, orv::sale::Scanner::PauseKind::TimerOnly);
  orv::closing::frmTerminate form(this);
  orv::dialogs::ShowModal(form);
}

void frmMain::cmdTerMinate_KeyDown(int &keyCode, int shift) {
  Q_UNUSED(shift);
  GoOffline();
  if (keyCode == keys::vbKeyEscape || keyCode == keys::vbKeyTab) {
    FocusGrid();
    keyCode = 0;
    return;
  }
  if (keyCode != keys::vbKeyF1) return;
  keyCode = 0;
  if (GetRegInt(QStringLiteral("PosCstJumsuUp")) != 0) {
    FocusGrid();
    return;
  }
  if ((giCstTsMode == 0 && giOnLine == 1) || giCstTsMode == 2) {
    giHelpRet = 0;
    frmCstEdit form(this);
    dialogs::ShowModal(form);
    if (giHelpRet == 1) ClearCstInfo(0);
  }
}

void frmMain::cmdTrsMast_Click() {
  GoOffline();
  ShowfrmTrsIODay(this);
  FocusGrid();
}

void frmMain::Command1_Click() {
  GoOffline();
  ShowfrmPanSerch(this);
}

void frmMain::Command4_Click() {
  GoOffline();
  ShowfrmHabGum(this);
}

void frmMain::cmdRebuild_Click() {
  GoOffline();
  const auto answer = dialogs::PasswordBox(QStringLiteral("비밀번호2를 입력하세요"),
                                        QStringLiteral("데이타재전송작업"));
  if (!answer || *answer != QStringLiteral("36284019762")) return;
  frmDataRebuild form(this);
  dialogs::ShowModal(form);
}

void frmMain::CmdCC_Click() {
  GoOffline();
  if (!dialogs::AskYesNo(QStringLiteral("* 코드 수신작업을 할까요 ?"), QStringLiteral("코드수신"),
                         dialogs::kInformation))
    return;
  if (gsSetPosDB.isEmpty() || gsSetMainDB.isEmpty() || gsSetPosDB == gsSetMainDB) return;
  // The date is kept only once the copy went through, so a failed copy is tried again.
  const bool copied = giSetCcBcp != 0 ? ShowMsgReceive() : CopyCodesByBcp();
  if (copied) {
    gsCodeDate = todayYmd();
    settings_store::SaveSetting(QStringLiteral("gsCodeDate"), gsCodeDate);
  }
}

void frmMain::CstCcCmd_Click() {
  if (giCstTsMode != 2) return;
  if (!dialogs::AskYesNo(QStringLiteral("* 통합고객(") + QString::number(giSupTrsNo) +
                             QStringLiteral(") 수신작업을 할까요 ?"),
                         QStringLiteral("고객수신"), dialogs::kInformation))
    return;
  if (!ShowMsgRecvCst()) return;
  gsCstTsDate = todayYmd();
  settings_store::SaveSetting(QStringLiteral("gsCstTsDate"), gsCstTsDate);
  CstCcLbl->setText(LayIntoPattern(gsCstTsDate, QStringLiteral("@@@@.@@.@@")));
}

// ---------------------------------------------------------------------------- help panel

void frmMain::cmdHelp_Click() {
  if (fraHelp->isVisible()) {
    fraExitCmd_Click();
    return;
  }
  txtHelp->setPlainText(HelpText(GetRegChar(QStringLiteral("PosJulBarcode"))));
  PanDcTxt->setText(FmtAmt(giZerdoAllDc, 1));
  if (giPosCardTaxSelt == 0) CardTax0Opt->setChecked(true);
  if (giPosCardTaxSelt == 1) CardTax1Opt->setChecked(true);
  if (giPosCardTaxSelt == 2) CardTax2Opt->setChecked(true);
  CardTaxFme->setEnabled(giOnLine == 1);
  fraHelp->resize(6900 / 15, 8685 / 15);
  fraHelp->move((width() - fraHelp->width()) / 2, qMax(0, (height() - fraHelp->height()) / 2));
  fraHelp->show();
  fraHelp->raise();
  fraExitCmd->setFocus();
}

void frmMain::fraExitCmd_Click() {
  orv::RunLogged(QStringLiteral("SaveCardTaxSelt"), [this] { SaveCardTaxSelt(); });
  fraHelp->hide();
  FocusGrid();
}

void frmMain::SaveCardTaxSelt() {
  if (giOnLine != 1) return;
  if (CardTax0Opt->isChecked()) giPosCardTaxSelt = 0;
  if (CardTax1Opt->isChecked()) giPosCardTaxSelt = 1;
  if (CardTax2Opt->isChecked()) giPosCardTaxSelt = 2;
  SetRegistry(QStringLiteral("PosCardTaxSelt"), giPosCardTaxSelt);
}
