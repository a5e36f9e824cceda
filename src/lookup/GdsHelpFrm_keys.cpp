// The goods grid's keys: every command of the goods dialog from the grid, the new search
// from a typed text, the seek to a typed position, the walk between marked rows and the
// column-width reset.
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/values.h"
#include "lookup/DirectGoFrm.h"
#include "lookup/GdsHelpFrm.h"
#include "lookup/help_globals.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/list_grid.h"

using namespace orv;

namespace {

struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

void GdsHelpFrm::GdsNameCmd_Click() {
  if (giHelpOpen == 0) {
    giHelpOpen = 1;
    {
      DirectGoFrm go;
      dialogs::ShowModal(go);
    }
    if (giHelpRet == 1) {
      startText_ = gsDirectGoText;
      RefreshGdsList();
    } else if (vaSpread1->MaxRows() > 0 && NzCur(vaSpread1->CellValue(1, 1)).IsZero()) {
      startText_.clear();
      RefreshGdsList();
    }
    giHelpRet = 0;  // the box's confirmation is not a take
  }
  GdsSetFme->hide();
  vaSpread1->setFocus();
}

void GdsHelpFrm::JumpAction() {
  const bool seekable =
      GdsHelp1Opt->isChecked() || GdsHelp2Opt->isChecked() || GdsHelp3Opt->isChecked();
  if (!seekable || giHelpOpen != 0) return;
  giHelpOpen = 1;
  {
    DirectGoFrm go;
    dialogs::ShowModal(go);
  }
  SeekGdsRow();
  giHelpRet = 0;
  vaSpread1->setFocus();
}

void GdsHelpFrm::PrevMarkedRow() {
  const int a = vaSpread1->ActiveRow();
  if (a > 0) {
    WaitCursor wait;
    const int side = giHelpSubMode;
    for (int i = a - 1; i >= 1; --i) {
      const GdsRowMarks m = GdsMarksOf(vaSpread1->Fields(i), side);
      if (m.p || m.g) {
        vaSpread1->SetActiveCell(1, i);
        break;
      }
    }
  }
  vaSpread1->setFocus();
}

void GdsHelpFrm::NextMarkedRow() {
  const int a = vaSpread1->ActiveRow();
  if (a > 0) {
    loadRest();
    WaitCursor wait;
    const int side = giHelpSubMode;
    for (int i = a + 1; i <= vaSpread1->MaxRows(); ++i) {
      const GdsRowMarks m = GdsMarksOf(vaSpread1->Fields(i), side);
      if (m.p || m.g) {
        vaSpread1->SetActiveCell(1, i);
        break;
      }
    }
  }
  vaSpread1->setFocus();
}

void GdsHelpFrm::ResetColumns(ListGrid *grid) {
  if (!dialogs::AskYesNo("칼럼 사이즈를 초기화할까요 ?", windowTitle(), dialogs::kQuestion))
    return;
  const QVector<double> &def = grid == vaSpread2 ? defWidths2_ : defWidths1_;
  for (int c = 1; c <= grid->MaxCols(); ++c) grid->SetColWidth(c, def.value(c - 1, 0));
}

void GdsHelpFrm::gridKeyDown(int &k, int shift) {
  using namespace keys;
  const int key = k;
  if (key == vbKeyEscape) {
    k = 0;
    CancelAction();
    return;
  }
  if (key == vbKeyF1 + 5) {
    k = 0;
    SelEnterCmd_Click();
    return;
  }
  const bool none = shift == 0;
  switch (key) {
    case vbKeySpace: GdsNameCmd_Click(); break;
    case vbKeyInsert: CdeInsertCmd->click(); break;
    case vbKeyOemPeriod: GdsStartChk->setChecked(!GdsStartChk->isChecked()); break;
    case vbKeyOemComma: BarStartChk->setChecked(!BarStartChk->isChecked()); break;
    case vbKeyReturn: TakeAction(); break;
    case vbKeyHome: GdsHomeCmd->click(); break;
    case vbKeyEnd: GdsEndCmd->click(); break;
    case vbKeyDelete: NextMarkedRow(); break;
    case vbKeyOem2:
    case vbKeyOem3: JumpAction(); break;
    case vbKeyF1:
      if (none) ChtSeltCmd_Click();
      if (shift == vbCtrlMask) MarkAll();
      if (shift == vbAltMask) MarkGroupRows(0);
      break;
    case vbKeyF1 + 1:
      if (none) (GdsHelp2Opt->isChecked() ? GdsHelp1Opt : GdsHelp2Opt)->setChecked(true);
      if (shift == vbCtrlMask) ClearMarks();
      if (shift == vbAltMask) MarkGroupRows(1);
      break;
    case vbKeyF1 + 2:
      if (none) GdsSeltCmd->click();
      break;
    case vbKeyF1 + 3:
      if (none) AllConditions();
      break;
    case vbKeyF1 + 4:
      if (none) GdsStartTxt->setFocus();
      break;
    case vbKeyF1 + 6:
      if (none) GdsHelp3Opt->setChecked(true);
      break;
    case vbKeyF1 + 7:
      if (none) GdsHelp4Opt->setChecked(true);
      break;
    case vbKeyF1 + 8:
      if (none && TgoSeltCmd->isEnabled()) TgoSeltCmd_Click();
      break;
    case vbKeyPageDown:
    case vbKeyDown:
      // Rows near the end of what is read: read the rest before the view moves on.
      if (vaSpread1->ActiveRow() + 48 > vaSpread1->MaxRows()) loadRest();
      return;
    default:
      return;  // the grid's own handling
  }
  k = 0;
}
