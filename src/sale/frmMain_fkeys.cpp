// Function and navigation keys of the sale grid, and the whole-chit discount.
#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "chit/etc_chits.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "core/application.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "lookup/frmGdsHelp.h"
#include "lookup/help_globals.h"
#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/settings_store.h"
#include "print/drawer.h"
#include "print/frmBaDalPrint.h"
#include "print/frmSpeedPrint.h"
#include "sale/chit_discount.h"
#include "customer/CstPaddFrm.h"
#include "sale/frmMain.h"
#include "chit/pos_event.h"
#include "sale/sale_globals.h"
#include "sale/stand_ins.h"
#include "sync/go_offline.h"

using namespace orv;
using namespace orv::keys;

namespace {

constexpr long kReturnModeColor = 0x0080C0FF;
constexpr long kDcBoxYellow = 0x0080FFFF;

Currency Cell(Grid *g, int32_t row, int col) { return NzCur(g->CellValue(row, col).trimmed()); }

}  // namespace

bool frmMain::FunctionKey(int key, KeyCall &k) {
  Grid *g = vaSpread1;
  const int f = vbKeyF1 - 1;  // f + n is Fn
  auto stopScanner = [this] {
    StopScanTimer();
    CloseScanPort();
  };
  auto startScanner = [this] {
    orv::RunLogged(QStringLiteral("OpenScanPort"), [this] { OpenScanPort(); });
    StartScanTimer();
  };
  switch (key) {
    case vbKeyBack:
    case vbKeyTab:
      return true;
    case vbKeyPageUp:
      GoOffline();
      stopScanner();
      if (giSetPrint != 0) {
        frmSpeedPrint form(this);
        dialogs::ShowModal(form);
      }
      startScanner();
      return true;
    case vbKeyPageDown:
      GoOffline();
      if (HoldOrRecallWatChit()) k.recall = 1;
      return true;
    case vbKeyEnd:
    case vbKeyHome:
      ApplyAllDc(key == vbKeyHome);
      return true;
    case vbKeyLeft:
    case vbKeyRight:
      return true;
    case vbKeyUp:
    case vbKeyDown:
      GoOffline();
      if (k.col != ColQty && k.col != ColPrice) {
        if (key == vbKeyUp && k.row >= 2) SetGridText(k.row - 1, ColCode, Grid::kActionActiveCell);
        if (key == vbKeyDown && k.row <= kSaleLines - 1)
          SetGridText(k.row + 1, ColCode, Grid::kActionActiveCell);
      }
      return true;
    case vbKeyDelete: {
      auto *panel = findChild<QWidget *>(QStringLiteral("fraChtNoX"));
      StopScanTimer();
      SetGridText(k.row, ColCode, Grid::kActionClearText);
      if (panel) {
        g->setEnabled(false);
        if (auto *box = panel->findChild<QLineEdit *>(QStringLiteral("txtChtNoX"))) box->clear();
        if (auto *o = panel->findChild<QRadioButton *>(QStringLiteral("ChtWrite0Opt"))) o->setChecked(true);
        if (auto *b = panel->findChild<QPushButton *>(QStringLiteral("cmdSave"))) b->setEnabled(false);
        ClearChitInfoLabels();
        panel->show();
        panel->raise();
        if (auto *o = panel->findChild<QRadioButton *>(QStringLiteral("ChtWrite1Opt"))) o->setChecked(true);
      }
      StartScanTimer();
      if (panel)
        if (auto *box = panel->findChild<QLineEdit *>(QStringLiteral("txtChtNoX"))) box->setFocus();
      return false;
    }
    case f + 1:
      GoOffline();
      return KeyF1();
    case f + 2:
      GoOffline();
      GoTsOffline();
      if (!gtCstCode.CcdKey.IsZero()) {
        ClearCstInfo(0);
        return true;
      }
      StopScanTimer();
      g->setEnabled(false);
      {
        const int32_t field = GetEnvInt(gsLogID, QStringLiteral("PosCstFrm"));
        if (field >= 1 && field <= 5) CstSeltOpt[field]->setChecked(true);
      }
      ShowCstSeekHint();
      fraCST->show();
      fraCST->raise();
      txtCstNo->clear();
      txtCstNo->setFocus();
      StartScanTimer();
      return false;
    case f + 3:
      GoOffline();
      if (txtTrsNo->text().trimmed() == QStringLiteral("88000")) {
        const int32_t free = FirstFreeRow();
        if (free != 0) {
          SetGridText(free, ColCode, Grid::kActionActiveCell);
          SetCellText(g, free, ColCode, QStringLiteral("2800"));
          // After this key and its tail: a password box of the tail must not take it.
          QueueKey(vbKeyReturn, QStringLiteral("\r"));
        }
      } else {
        txtTrsNo->setText(QStringLiteral("88000"));
        txtTrsNo_LostFocus();
        frmTrsMast->hide();
      }
      return true;
    case f + 4:
      GoOffline();
      stopScanner();
      if (giSetPrint != 0) {
        giHelpRet = 0;
        frmBaDalPrint form(this);
        dialogs::ShowModal(form);
      }
      startScanner();
      return true;
    case f + 5:
      if (RowHasGoods(k.row)) {
        GoOffline();
        if (giOnLine != 1) return true;
        const int32_t update = GetRegInt(QStringLiteral("PosGdsUpdate"));
        const QString pass = GetRegChar(QStringLiteral("PosGdsPass"));
        if (update == 0 || (update == 3 && pass == gsGdsEditPass)) {
          ShowGdsEdit(k.row, ColGdsKey);
        } else if (update == 2 || update == 3) {
          fraNumber->show();
          fraNumber->raise();
          txtNumber->clear();
          txtNumber->setFocus();
          return false;
        }
        return true;
      }
      if (GetRegInt(QStringLiteral("PosCstJumsuUp")) != 0 || giOnLine != 1) return true;
      giHelpRet = 0;
      stopScanner();
      if (giCstTsMode == 0 || giCstTsMode == 2) {
        // The dialog reads customers from the point server in state 2.
        gsScanChitCode.clear();
        CstPaddFrm form(giCstTsMode == 2, gsScanChitCode, this);
        dialogs::ShowModal(form);
      }
      startScanner();
      if (giHelpRet == 1) ClearCstInfo(0);
      return true;
    case f + 6: {
      GoOffline();
      int32_t line = 0;
      if (RowHasGoods(k.row))
        line = k.row;
      else if (k.row >= 2 && RowHasGoods(k.row - 1))
        line = k.row - 1;
      if (line != 0) {
        SetGridText(line, ColPrice, Grid::kActionActiveCell);
        miEditStarted = 0;
      }
      return true;
    }
    case f + 7: {
      GoOffline();
      bool tail = true;
      KeyF7(k, tail);
      return tail;
    }
    case f + 8:
      GoOffline();
      LogPosEvent(k.row, 6, {}, {}, {});
      if (giSetDraw == 2) OpenDrawer();
      return true;
    case f + 9:
      GoOffline();
      DeleteLine(k.row, true);
      return true;
    case f + 10:
      GoOffline();
      if (k.row >= 2) DeleteLine(k.row - 1, false);
      return true;
    case f + 11: {
      GoOffline();
      const int32_t free = FirstFreeRow();
      if (free == 0) return true;
      SetGridText(free, ColCode, Grid::kActionActiveCell);
      SetCellText(g, free, ColCode, QStringLiteral("6000"));
      RunEnter();
      return false;
    }
    case f + 12:
      GoOffline();
      if (miReturnMode == 1) {
        miReturnMode = 0;
        if (auto *l = findChild<QLabel *>(QStringLiteral("lblBanKey"))) SetLabelColor(l, colors::kWhite, false);
      } else {
        miReturnMode = 1;
        if (auto *l = findChild<QLabel *>(QStringLiteral("lblBanKey"))) SetLabelColor(l, kReturnModeColor, false);
      }
      return true;
    case vbKeyEscape:
      GoOffline();
      if (k.col == ColCode && !PayHandOff(k)) cmdTerMinate->setFocus();
      return true;
    default:
      k.writeBack = 0;
      return true;
  }
}

bool frmMain::KeyF1() {
  giHelpRet = 0;
  {
    frmGdsHelp form(this);
    dialogs::ShowModal(form);
  }
  // The picked code goes to the first empty line and Enter takes it there; with every line
  // full the pick is dropped.
  auto enterOnFreeLine = [this](const QString &code) {
    const int32_t free = FirstFreeRow();
    if (free == 0 || code.isEmpty()) return;
    SetGridText(free, ColCode, Grid::kActionActiveCell);
    SetCellText(vaSpread1, free, ColCode, code);
    RunEnter();
  };
  if (!gsGdsHelpCode.isEmpty()) {
    const QString code = gsGdsHelpCode;
    gsGdsHelpCode.clear();
    enterOnFreeLine(code);
    return false;
  }
  if (giGdsHelpRet > 0 && giHelpRet == 1) {
    switch (giGdsHelpRet) {
      case 1:
      case 2:
        enterOnFreeLine(gsHelpGdsBar);
        break;
      case 3:
        txtTrsNo->setText(gcHelpNo.ToPlainText().trimmed());
        txtTrsNo_LostFocus();
        Combo1->setCurrentIndex(giTrsHelpPrice == 0 ? -1 : int(giTrsHelpPrice));
        break;
      case 4:
        enterOnFreeLine(gsHelpCstName);
        break;
      default:
        break;
    }
  }
  return false;
}

void frmMain::KeyF7(const KeyCall &k, bool &tail) {
  Grid *g = vaSpread1;
  if (k.row >= 2 && RowHasGoods(k.row - 1)) {
    const int32_t above = k.row - 1;
    const sale::LineDcResult r =
        sale::LineDcAmount(Cell(g, k.row, ColCode), Cell(g, above, ColQty), Cell(g, above, ColPrice),
                           Cell(g, above, ColAmt), Cell(g, above, ColDc));
    if (r.action == sale::LineDcAction::Nothing) {
      tail = false;
      return;
    }
    if (r.action == sale::LineDcAction::Wipe) {
      SetGridText(k.row, ColCode, Grid::kActionDeleteRow);
      SetGridText(k.row, ColCode, Grid::kActionActiveCell);
      tail = false;
      return;
    }
    SetCellText(g, above, ColAmt, r.amount.ToPlainText());
  }
  if (!RowHasGoods(k.row)) {
    SetGridText(k.row, ColCode, Grid::kActionDeleteRow);
    SetGridText(k.row, ColCode, Grid::kActionActiveCell);
  }
}

void frmMain::DeleteLine(int32_t line, bool f9) {
  Grid *g = vaSpread1;
  gsPosLogText = g->CellValue(line, ColGdsKey).trimmed() + "," + g->CellValue(line, ColQty).trimmed() +
                 "," + g->CellValue(line, ColPrice).trimmed() + "," + g->CellValue(line, ColAmt).trimmed();
  LogPosEvent(line, 3, gsPosLogText, {}, {});
  mcBsnNo = Cell(g, line, ColBssNo);
  SetGridText(line, ColCode, Grid::kActionDeleteRow);
  SetGridText(line, ColCode, Grid::kActionActiveCell);
  if (HasGoodsLines()) return;
  if (!f9) {
    SetChtEditMode(0);
    ClearChitArrays();
    return;
  }
  if (gtWatChit.ChtNo != 0) {
    ClearWatChitRecord();
    ClearWatGodsRecords();
    ClearWatChitTRecord();
    ClearWatGodsTRecords();
    SetLabelColor(lblWait, colors::kWhite, false);
    ClearCstInfo(0);
  } else if (gtBdlChit.ChtNo != 0) {
    ClearBdlChitRecord();
    ClearBdlGodsRecords();
    SetLabelColor(lblBdl, colors::kWhite, false);
    ClearCstInfo(0);
  } else if (giOisangPick == 1 && glOisangChtNo != 0) {
    giOisangPick = 0;
    glOisangChtNo = 0;
    SetLabelColor(lblOiip, colors::kWhite, false);
  } else if (!gtCardRet.CmitNo.isEmpty() && !gtCardRet.CmitDate.isEmpty()) {
    ClearCardRet();
    SetLabelColor(lblCard, colors::kWhite, false);
  }
}

// ---------------------------------------------------------------------------- whole-chit discount

void frmMain::ApplyAllDc(bool remove) {
  const Currency rate = giZerdoAllDc;
  Grid *g = vaSpread1;
  for (int32_t r = 1; r <= kSaleLines; ++r) {
    sale::ChitDcLine line;
    line.code = g->CellValue(r, ColCode).trimmed();
    line.qty = NzCur(g->CellValue(r, ColQty));
    line.price = NzCur(g->CellValue(r, ColPrice));
    line.amount = NzCur(g->CellValue(r, ColAmt));
    line.dcShown = NzCur(g->CellValue(r, ColDc));
    line.kind = g->CellValue(r, ColKind).trimmed();
    if (const auto amount = sale::ChitDcAmount(rate, remove, line))
      SetCellText(g, r, ColAmt, amount->ToPlainText());
  }
}

void frmMain::PanDcTxt_GotFocus() {
  miDcKeyDown = 0;
  QPalette p = PanDcTxt->palette();
  p.setColor(QPalette::Base, colors::FromBgr(kDcBoxYellow));
  PanDcTxt->setPalette(p);
}

void frmMain::PanDcTxt_KeyDown(int &keyCode, int shift) {
  Q_UNUSED(shift);
  msDcKey = keyCode >= 32 && keyCode < 127 ? QString(QChar(keyCode)) : QString();
  if (miDcKeyDown == 0) {
    const bool typed = (keyCode >= vbKey0 && keyCode <= vbKey0 + 9) || msDcKey == "." ||
                       msDcKey == "+" || msDcKey == "-" || keyCode == vbKeyOemMinus ||
                       keyCode == vbKeyAdd || keyCode == vbKeySubtract ||
                       (keyCode >= vbKeyNumpad0 && keyCode <= vbKeyDivide);
    // The first key replaces the old rate instead of adding to it.
    if (typed) PanDcTxt->clear();
  }
  miDcKeyDown = 1;
  if (keyCode == vbKeyReturn) {
    keyCode = 0;
    fraExitCmd->setFocus();
  }
}

void frmMain::PanDcTxt_LostFocus() {
  QPalette p = PanDcTxt->palette();
  p.setColor(QPalette::Base, colors::FromBgr(colors::kWhite));
  PanDcTxt->setPalette(p);
  Currency v = ValCur(PanDcTxt->text());
  if (!sale::IsChitDcRate(v)) v = {};
  PanDcTxt->setText(FmtAmt(v, 1));
  giZerdoAllDc = v;
  settings_store::SaveSetting(QStringLiteral("giZerdoAllDc"), v.ToPlainText());
}
