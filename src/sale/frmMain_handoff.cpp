// The sale's hand-off to the payment screen, the chit edit modes of a recalled chit, its
// information labels, the paid-amount panel and the resets for the next sale.
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QLineEdit>

#include "core/application.h"
#include "checkout/frmCash.h"
#include "chit/sale_savers.h"
#include "chit/etc_chits.h"
#include "chit/pan_money.h"
#include "chit/read_back.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "sale/frmMain.h"
#include "checkout/checkout_globals.h"
#include "sale/handoff_globals.h"
#include "sale/sale_globals.h"
#include "sale/stand_ins.h"

using namespace orv;

namespace {

constexpr long kWhite = 0x00FFFFFF;


const char *const kChitInfoLabels[] = {
    "CwtChtDateLbl", "CwtChtNoLbl",   "CwtChtHabLbl",  "CwtChtMoneyLbl", "CwtChtCardLbl",
    "CwtChtOisangLbl", "CwtChtSobiLbl", "CwtTrsNoLbl",   "CwtTrsNameLbl",  "CwtTrsPsnLbl",
    "CwtCstNoLbl",   "CwtCstBarLbl",  "CwtCstNameLbl", "CwtCstCompLbl"};

const char *const kCustomerLabels[] = {
    "lblCcdNo",   "lblCcdName", "lblCcdComp", "lblCcdStat",  "lblCcdDegree",
    "lblCcdBarcode", "lblCcdTele", "lblCcdHp", "lblCcdBank", "lblCcdJuso",
    "lblCcdZerdo", "lblCcdJumsu", "lblCcdLpDate"};

int16_t LeadingNumber(const QString &text) {
  return int16_t(std::clamp<int64_t>(NzCur(text).RoundToInt(), 0, 32767));
}

}  // namespace

// ---------------------------------------------------------------------------- edit modes

// The recalled-chit panel's labels and the customer labels belong to their panels; until
// a panel is built its labels are kept hidden here, so the modes still read and write them.
QLabel *frmMain::PanelLabel(const QString &name) {
  if (auto *l = findChild<QLabel *>(name)) return l;
  auto *l = new QLabel(this);
  l->setObjectName(name);
  l->hide();
  return l;
}

void frmMain::SetChtEditMode(int16_t mode) {
  QLabel *stat = PanelLabel(QStringLiteral("CwtStatLbl"));
  if (mode == 0) {
    giChtEditMode = 0;
    stat->clear();
    giOldChtYear = giOldChtMon = giOldChtDay = 0;
    glOldChtNo = 0;
    gcOldChtCard = {};
    return;
  }
  if (mode != 1 && mode != 2) return;
  giChtEditMode = mode;
  stat->setText(mode == 1 ? QStringLiteral("수정작업") : QStringLiteral("삭제작업"));
  const QString date = PanelLabel(QStringLiteral("CwtChtDateLbl"))->text();
  giOldChtYear = LeadingNumber(date.mid(0, 4));
  giOldChtMon = LeadingNumber(date.mid(5, 2));
  giOldChtDay = LeadingNumber(date.mid(8, 2));
  glOldChtNo = int32_t(std::clamp<int64_t>(
      NzCur(PanelLabel(QStringLiteral("CwtChtNoLbl"))->text()).RoundToInt(), 0, INT32_MAX));
  gcOldChtCard = ValCurDec(PanelLabel(QStringLiteral("CwtChtCardLbl"))->text());
}

void frmMain::FillChitInfoLabels() {
  PanelLabel("CwtTrsNoLbl")->setText(txtTrsNo->text().trimmed());
  PanelLabel("CwtTrsNameLbl")->setText(lblTrsName->text().trimmed());
  PanelLabel("CwtTrsPsnLbl")->setText(lblTrsPsn->text().trimmed());
  PanelLabel("CwtCstNoLbl")->setText(PanelLabel("lblCcdNo")->text().trimmed());
  PanelLabel("CwtCstBarLbl")
      ->setText(PanelLabel("lblCcdBarcode")->text().remove(QLatin1Char(' ')));
  PanelLabel("CwtCstNameLbl")->setText(PanelLabel("lblCcdName")->text().trimmed());
  PanelLabel("CwtCstCompLbl")->setText(PanelLabel("lblCcdComp")->text().trimmed());
  const int rows = vaSpread1->MaxRows();
  if (vaSpread2->MaxRows() < rows) vaSpread2->SetMaxRows(rows);
  if (vaSpread2->MaxCols() < ColAmt) vaSpread2->SetMaxCols(ColAmt);
  for (int r = 1; r <= rows; ++r)
    for (int c = ColCode; c <= ColAmt; ++c)
      SetCellText(vaSpread2, r, c, vaSpread1->CellValue(r, c));
}

void frmMain::ClearChitInfoLabels() {
  for (const char *name : kChitInfoLabels) PanelLabel(QString::fromLatin1(name))->clear();
  vaSpread2->SetMaxRows(0);
  vaSpread2->SetMaxRows(vaSpread1->MaxRows());
}

void frmMain::ShowCashTerminate(int16_t flag) {
  auto *fme = findChild<QFrame *>(QStringLiteral("CashTerminateFme"));
  if (flag != 0) {
    fme->hide();
    return;
  }
  fme->findChild<QLabel *>(QStringLiteral("CashTerminateHabLbl"))->setText(FmtAmt(gcCashHab, 0));
  fme->findChild<QLabel *>(QStringLiteral("CashTerminateCardLbl"))->setText(FmtAmt(gcCashCard, 0));
  fme->show();
}

// ---------------------------------------------------------------------------- payment

namespace {

// The loyalty service's calls the payment screen makes after both commits.
OneMoaCalls OneMoaCallsOf(frmMain &f) {
  QPointer<frmMain> sale(&f);
  OneMoaCalls c;
  c.cancelCredit = [sale](Currency amount) {
    if (sale) sale->DeleteOneMoaChit(amount);
  };
  c.report = [sale] {
    if (sale) sale->WriteOneMoaChit();
  };
  c.lookup = [sale](const QString &member) {
    if (sale) sale->ReadCstOneMoa(member);
  };
  return c;
}

}  // namespace

void frmMain::PayChit() {
  giCashSaved = 0;
  gcCashHab = {};
  gcCashCard = {};
  if (GetRegInt(QStringLiteral("PosMultiCardDanSelt")) == 0) {
    checkout::ShowfrmCash(this, MSComm1, OneMoaCallsOf(*this));
    // The cash-receipt form may have kept a new number with the customer.
    lblCcdBank->setText(gtCstCode.CcdBank);
    if (giCashSaved == 1) {
      ResetSaleControls();
      Label7->setText(QStringLiteral("잔돈"));
      lblHabGum->setText(FmtAmt(gcCashChange, 1));
      gsLastChtDate = gsSetBFDate;
      glLastChtNo = goSetBFChtNo;
      const int16_t saved = giCashSaved;
      const Currency hab = gcCashHab, card = gcCashCard;
      if (giChtEditMode == 1) {
        const QString oldChit = QStringLiteral("%1.%2.%3 - %4")
                                    .arg(giOldChtYear, 4, 10, QLatin1Char('0'))
                                    .arg(giOldChtMon, 2, 10, QLatin1Char('0'))
                                    .arg(giOldChtDay, 2, 10, QLatin1Char('0'))
                                    .arg(glOldChtNo);
        PayAndNewChit();
        // The new chit is saved; without its return the old one still counts as a sale.
        if (giCashSaved != 1)
          dialogs::MsgBox(QStringLiteral("기존 전표의 반품이 저장되지 않았습니다.\r\n"
                                         "기존 전표 : ") +
                              oldChit +
                              QStringLiteral("\r\n수정한 전표와 기존 전표가 모두 남아 있습니다."),
                          dialogs::kExclamation, QStringLiteral("확인요망"));
      }
      giCashSaved = saved;
      gcCashHab = hab;
      gcCashCard = card;
      ShowCashTerminate(0);
    }
  }
  FocusGrid();
}

void frmMain::PayAndNewChit() {
  giCashSaved = 0;
  gcCashHab = {};
  gcCashCard = {};
  giChtEditMode = 2;
  bool read = true;
  try {
    ReadPanChit();
  } catch (const db::DbError &e) {
    read = false;
    dialogs::Plain(ErrorBoxText(e));
  }
  // Without the old chit there is nothing to return: the screen is only reset.
  if (read) {
    gtPanChit.PctJunsong = giOnLine == 1 ? 1 : 0;
    checkout::ShowfrmCash(this, MSComm1, OneMoaCallsOf(*this));
    if (giCashSaved == 1) {
      gsLastChtDate = gsSetBFDate;
      glLastChtNo = goSetBFChtNo;
      ShowCashTerminate(0);
    }
  }
  SetChtEditMode(0);

  ClearSaleRecords();
  gcJumsuGum = {};
  gcMoneyChkGum = {};
  giOisangPick = 0;
  glOisangChtNo = 0;
  ResetSaleControls();
  ClearOneMoa();
  giDspMoneyChk = giDspCash = giDspCardChk = giDspDisCard = 0;
}

// After a paid sale: the screen's own controls ready for the next sale, the chit-kind
// marks (held, credit, card, delivery) back to white.
void frmMain::ResetSaleControls() {
  ClearGrid(vaSpread1);
  txtTrsNo->setText(QStringLiteral("88000"));
  txtTrsNo_LostFocus();
  if (giSetDangaStop == 0) {
    glHalSel = 0;
    cmdHalin_Click();
  }
  for (QLabel *l : {lblWait, lblOiip, lblCard, lblBdl}) SetLabelColor(l, kWhite, false);
  for (const char *name : kCustomerLabels) PanelLabel(QString::fromLatin1(name))->clear();
  lblTrsMisu->setText(QStringLiteral("0"));
  frmTrsMast->hide();
}

// ---------------------------------------------------------------------------- resets

void frmMain::ClearChitArrays() {
  ClearWatChitRecord();
  ClearWatGodsRecords();
  ClearWatChitTRecord();
  ClearWatGodsTRecords();
  ClearBdlChitRecord();
  ClearBdlGodsRecords();
  ClearCardRet();
  giOisangPick = 0;
  glOisangChtNo = 0;
  for (QLabel *l : {lblWait, lblCard, lblOiip, lblBdl}) SetLabelColor(l, kWhite, false);
  ClearCstInfo(0);
}

void frmMain::ClearSaleScreen() {
  ClearWatChitRecord();
  ClearWatGodsRecords();
  ClearWatGodsSpeedRecords();
  ClearGdsRecord();
  ClearCardRet();
  ClearGrid(vaSpread1);
  SetGridText(1, ColCode, Grid::kActionActiveCell);
  giOisangPick = 0;
  glOisangChtNo = 0;
  for (QLabel *l : {lblWait, lblCard, lblOiip, lblBdl}) SetLabelColor(l, kWhite, false);
  glHalSel = 0;
  cmdHalin_Click();
  ClearCstInfo(0);
}
