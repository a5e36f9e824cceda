// Trade partner, price kind, customer search and the goods-edit password on the sale
// screen.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "core/globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/values.h"
#include "lookup/help_globals.h"
#include "platform/colors.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "sale/frmMain.h"
#include "chit/pos_event.h"
#include "sale/sale_globals.h"
#include "sale/stand_ins.h"
#include "sync/go_offline.h"

using namespace orv;

void frmMain::ShowGaSelInCombo() {
  // Showing an entry runs its handler, as choosing it would.
  Combo1->setCurrentIndex(glGaSel == 0 ? -1 : int(glGaSel));
}

// ---------------------------------------------------------------------------- partner

void frmMain::txtTrsNo_LostFocus() {
  const int row = vaSpread1->ActiveRow();
  GoOffline();
  QPalette p = txtTrsNo->palette();
  p.setColor(QPalette::Base, colors::FromBgr(0x00FFFFFF));
  txtTrsNo->setPalette(p);
  GetIdkeyTrs();
  LogPosEvent(row, 103, txtTrsNo->text() + "," + lblTrsName->text(), {}, {});
}

void frmMain::GetIdkeyTrs() {
  db::Recordset rs;
  try {
    if (NzCur(txtTrsNo->text()).IsZero()) txtTrsNo->setText(QStringLiteral("88000"));
    db::Statement st =
        goDbMain.Prepare(QStringLiteral("Select TcdKey, TcdNo, TcdName, TcdPsn From TrsCode Where TcdNo=?"));
    st.Bind(0, qlonglong(NzCur(txtTrsNo->text()).RoundToInt()));
    rs = st.Query();
    frmTrsMast->hide();
    if (rs.RecordCount() > 0) {
      gcTcdKey = NzCur(rs.Field("TcdKey"));
      gcTcdNo = NzCur(rs.Field("TcdNo"));
      gsTcdName = NzStr(rs.Field("TcdName"));
      lblTrsName->setText(NzStr(rs.Field("TcdName")));
      lblTrsPsn->setText(NzStr(rs.Field("TcdPsn")));
      if (giOnLine == 1) {
        if (txtTrsNo->text() != QStringLiteral("88000")) {
          ReadTrsMisu();
          frmTrsMast->show();
        } else {
          Combo1->setCurrentIndex(-1);
        }
      }
    } else {
      txtTrsNo->clear();
      Combo1->setCurrentIndex(-1);
    }
    rs.Close();
  } catch (const db::DbError &e) {
    dialogs::Critical(QStringLiteral("오류번호:") + QString::number(e.Number) +
                          QStringLiteral("\r\n오류내용:") + e.Description,
                      QStringLiteral("GetIdkeyTrs"));
    rs.Close();
  }
}

void frmMain::TrsHelpCmd_Click() {
  const int row = vaSpread1->ActiveRow();
  TrsHelpCmd->setEnabled(false);
  {
    // A code scanned meanwhile waits in the port.
    orv::sale::ScanPause pause(*scanner, orv::sale::Scanner::PauseKind::TimerOnly);
    ShowTrsHelp();
    ShowGaSelInCombo();
  }
  SetGridText(row, ColCode, Grid::kActionClearText);
  LogPosEvent(row, 103, txtTrsNo->text() + "," + lblTrsName->text(), {}, {});
  TrsHelpCmd->setEnabled(true);
}

void frmMain::ShowTrsHelp() {
  GoOffline();
  giHelpMode = 1;
  gsHelpStart.clear();
  giHelpSubMode = 2;
  gcHelpPsnKey = {};
  ShowfrmTrsHelp(this);
  if (giHelpRet == 1) {
    txtTrsNo->setText(gcHelpNo.ToPlainText().trimmed());
    txtTrsNo_LostFocus();
  }
}

void frmMain::txtTcdNo_KeyDown(int &keyCode, int shift) {
  Q_UNUSED(shift);
  using namespace keys;
  if (keyCode >= vbKeyF1 && keyCode <= vbKeyF1 + 6) {
    const int kind = keyCode - vbKeyF1 + 1;
    ShowPriceKind(kind);
    glGaSel = kind;
    keyCode = 0;
  } else if (keyCode == vbKeyF1 + 7) {
    ShowPriceKind(0);
    glGaSel = 0;
    keyCode = 0;
  } else if (keyCode == vbKeyReturn) {
    keyCode = 0;
    if (NzStr(txtTcdNo->text()).isEmpty()) return;
    txtTrsNo->setText(txtTcdNo->text());
    txtTrsNo_LostFocus();
    fraTrs->hide();
    ShowGaSelInCombo();
    FocusGrid();
  } else if (keyCode == vbKeyEscape) {
    keyCode = 0;
    fraTrs->hide();
    vaSpread1->setEnabled(true);
    FocusGrid();
  }
}

// ---------------------------------------------------------------------------- customer

void frmMain::ShowCstSeekHint(int16_t) {
  CstSeekLbl->setText(QStringLiteral(
      "[검색문자]고객번호일치, [/검색문자]고객번호일치,고객명&상호&바코드&전화&핸드폰부분일치, "
      "[+검색문자]고객번호일치,전화&핸드폰부분일치, [-검색문자]전화&핸드폰뒷자리부터부분일치 --> "
      "( '-','공백' 제외됨 ) "));
}

void frmMain::CstSeltOpt_Click(int index) {
  SetEnvironment(gsLogID, QStringLiteral("PosCstFrm"), index);
  ShowCstSeekHint();
}

void frmMain::txtCstNo_KeyDown(int &keyCode, int shift) {
  Q_UNUSED(shift);
  using namespace keys;
  if (keyCode >= vbKeyF1 && keyCode <= vbKeyF1 + 4) {
    CstSeltOpt[keyCode - vbKeyF1 + 1]->setChecked(true);
    keyCode = 0;
    return;
  }
  auto closeBox = [this] {
    fraCST->hide();
    vaSpread1->setEnabled(true);
    FocusGrid();
  };
  if (keyCode == vbKeyEscape) {
    keyCode = 0;
    closeBox();
    return;
  }
  if (keyCode != vbKeyReturn) return;
  keyCode = 0;
  GoOffline();
  GoTsOffline();
  gsCstFindSql.clear();
  FindCstSql(NzStr(txtCstNo->text()));
  if (!gsCstFindSql.isEmpty()) {
    ShowfrmCust(this);
    // A cancelled chooser enters nothing: an empty code would be the payment key.
    if (giHelpRet == 1 && !gsCstHelpNo.isEmpty()) {
      const int32_t row = FirstFreeRow();
      if (row > 0) {
        miCstSource = 2;
        SetCellText(vaSpread1, row, ColCode, gsCstHelpNo);
        SetGridText(row, ColCode, Grid::kActionActiveCell);
        int key = vbKeyReturn, sh = 0;
        vaSpread1_KeyDown(key, sh);
        LogPosEvent(vaSpread1->ActiveRow() - 1, 101, CustomerEventText(), {}, {});
        miCstSource = 1;
      }
    }
    gsCstFindSql.clear();
    gsCstHelpNo.clear();
  }
  closeBox();
}

// ---------------------------------------------------------------------------- goods-edit password

void frmMain::txtNumber_KeyDown(int &keyCode, int shift) {
  Q_UNUSED(shift);
  using namespace keys;
  if (keyCode == vbKeyReturn) {
    keyCode = 0;
    gsGdsEditPass = txtNumber->text();
    if (gsGdsEditPass == GetRegChar(QStringLiteral("PosGdsPass")))
      ShowGdsEdit(vaSpread1->ActiveRow(), ColGdsKey);
    fraNumber->hide();
    FocusGrid();
  } else if (keyCode == vbKeyEscape) {
    keyCode = 0;
    fraNumber->hide();
    FocusGrid();
  }
}
