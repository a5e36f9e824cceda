// The sale grid: its cells, lines, price kinds and totals.
#include <QLabel>
#include <QTableWidget>

#include "core/dates.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/values.h"
#include "platform/colors.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "sale/frmMain.h"
#include "sale/goods_lookup.h"
#include "chit/pos_event.h"
#include "chit/records.h"
#include "sale/sale_globals.h"
#include "sale/sale_text.h"

using namespace orv;

namespace {
constexpr long kPriceKindOn = 0x00DDC9DE;
constexpr long kButtonFace = 0x00F0F0F0;
}  // namespace

void frmMain::SetGridText(int32_t row, int32_t col, int32_t action) {
  vaSpread1->SetRow(row);
  vaSpread1->SetCol(col);
  vaSpread1->SetAction(action);
}

void frmMain::SetCellColor(int32_t row, int32_t col, long bgr, bool fore) {
  vaSpread1->SetRow(row);
  vaSpread1->SetCol(col);
  if (fore)
    vaSpread1->SetForeColor(bgr);
  else
    vaSpread1->SetBackColor(bgr);
}

void frmMain::SetCellLock(int32_t row, int32_t col, bool locked) {
  vaSpread1->SetRow(row);
  vaSpread1->SetCol(col);
  vaSpread1->SetLock(locked);
}

void frmMain::ShowPriceKind(int kind) {
  QLabel *const labels[] = {lblD, lblA, lblB, lblC, lblSA, lblSB, lblSC, lblJI};
  if (kind < 0 || kind > 7) return;
  for (int i = 0; i <= 7; ++i) SetLabelColor(labels[i], i == kind ? kPriceKindOn : kButtonFace, false);
}

void frmMain::ReadSleDate() {
  SalePeriod period{miSldSaleSel, mcSldStDate, mcSldEdDate};
  if (ReadSalePeriod(goDbMain, period)) {
    miSldSaleSel = period.saleSel;
    mcSldStDate = period.stDate;
    mcSldEdDate = period.edDate;
  }
  bool onSale = false;
  const int work = giWrkYear * 10000 + giWrkMonth * 100 + giWrkDay;
  lblSaleDate->setText(SaleDateCaption(miSldSaleSel, int(mcSldStDate.RoundToInt()),
                                       int(mcSldEdDate.RoundToInt()), work, &onSale));
  SetLabelColor(lblSaleDate, onSale ? 0x000000FF : colors::kBlack, true);
}

int32_t frmMain::FirstFreeRow() const {
  for (int32_t r = 1; r <= kSaleLines; ++r)
    if (NzCur(vaSpread1->CellValue(r, ColGdsKey).trimmed()).IsZero()) return r;
  return 0;
}

bool frmMain::HasGoodsLines() const {
  for (int32_t r = 1; r <= kSaleLines; ++r)
    if (!NzCur(vaSpread1->CellValue(r, ColGdsKey).trimmed()).IsZero()) return true;
  return false;
}

void frmMain::vaSpread1_GotFocus() {
  miGridFocus = 1;
  lblLine->setAutoFillBackground(true);
  SetLabelColor(lblLine, 0x00FFFFC0, false);
}

void frmMain::vaSpread1_LostFocus() {
  miGridFocus = 0;
  SetLabelColor(lblLine, kButtonFace, false);
}

QString frmMain::CustomerEventText() const {
  return QStringLiteral("2,") + gtCstCode.CcdNo.ToPlainText() + "," + gtCstCode.CcdName;
}


