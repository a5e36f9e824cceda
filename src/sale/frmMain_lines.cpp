// Goods lines of the sale grid: putting goods on a line, the totals, and the code column's
// Enter.
#include <QAbstractItemDelegate>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <vector>

#include "chit/records.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/settings_store.h"
#include "sale/frmMain.h"
#include "sale/goods_lookup.h"
#include "chit/pos_event.h"
#include "sale/sale_calc.h"
#include "sale/sale_globals.h"
#include "sale/sale_lines.h"
#include "sale/sale_text.h"

using namespace orv;

namespace {

QString plain(Currency c) { return c.ToPlainText(); }

void showFullGrid() {
  dialogs::Info(QStringLiteral("판매 줄이 150줄을 넘을 수 없습니다."), QStringLiteral("확인요망"));
}

}  // namespace

Currency frmMain::GetGdsDanga(int32_t row) {
  ReadSleDate();
  sale::PriceInput in;
  in.goods = &gtGdsCode;
  in.period = {miSldSaleSel, int32_t(mcSldStDate.RoundToInt()), int32_t(mcSldEdDate.RoundToInt())};
  in.customerKey = gtCstCode.CcdKey;
  in.customerDegree = gtCstCode.CcdDegree;
  in.tier = Combo1->currentIndex() < 0 ? 0 : Combo1->currentIndex();
  in.workDate = giWrkYear * 10000 + giWrkMonth * 100 + giWrkDay;
  const QTime now = clock::Now().time();
  in.clock = now.hour() * 100 + now.minute();
  in.partnerPrice = gcTpsMech1;
  const sale::PriceResult r = sale::GetGdsDanga(in);
  if (r.setEventPrice) SetCellText(vaSpread1, row, ColEventPrice, plain(r.eventPrice));
  if (r.setEventGbn) SetCellText(vaSpread1, row, ColEventGbn, r.eventGbn);
  return r.price;
}

bool frmMain::PutGdsRow(int32_t row, Currency price) {
  if (row < 1 || row > kSaleLines) {
    showFullGrid();
    return false;
  }
  Grid *g = vaSpread1;
  const int32_t fixedPrice = GetRegInt(QStringLiteral("PosGdsDanga"));
  bool oneMoa = false;
  const QString barcode = gtGdsCode.GcdBarcode.trimmed();
  if (!gsOneMoaClientCode.isEmpty() && !barcode.isEmpty())
    oneMoa = !GetOmaGods(barcode).isEmpty();

  SetCellText(g, row, ColMultiCardNo, QString::number(gtGdsCode.GcdSss1));
  SetCellText(g, row, ColCode, barcode.isEmpty() ? plain(gtGdsCode.GcdNo) : gtGdsCode.GcdBarcode);
  QString name = gtGdsCode.GcdName;
  if (!gtGdsCode.GcdKyg.trimmed().isEmpty()) name += "[" + gtGdsCode.GcdKyg + "]";
  SetCellText(g, row, ColName, name);
  SetCellText(g, row, ColGdsKey, plain(gtGdsCode.GcdKey));
  if (!gtGdsCode.GcdKey.IsZero()) ShowCashTerminate(1);

  Currency qty = Currency::Won(miReturnMode == 1 ? -1 : 1);
  if (gtGdsCode.GcdSel1 == 9) {
    std::vector<sale::FreeQtyLine> lines;
    for (int32_t r = 1; r <= kSaleLines; ++r) {
      const Currency key = NzCur(g->CellValue(r, ColGdsKey).trimmed());
      if (key.IsZero()) continue;
      lines.push_back({key, NzCur(g->CellValue(r, ColQty).trimmed()),
                       NzCur(g->CellValue(r, ColCmsNo).trimmed()),
                       int16_t(NzCur(g->CellValue(r, ColCmsGbn).trimmed()).RoundToInt())});
    }
    qty = sale::CalcCmsFreeQty(gtGdsCode, FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0), lines);
  }
  SetCellText(g, row, ColQty, plain(qty));
  SetCellText(g, row, ColTaxFree, QString::number(gtGdsCode.GcdTax));
  SetCellText(g, row, ColBssNo, plain(gcBssNo));
  SetCellText(g, row, ColCmsNo, plain(gcCmsNo));
  SetCellText(g, row, ColCmsGbn, QString::number(gtGdsCode.GcdSel1));
  SetCellText(g, row, ColStopGbn, QString::number(gtGdsCode.GcdPSel1));
  SetCellText(g, row, ColStockEx, QString::number(gtGdsCode.GcdPSel2));
  SetCellText(g, row, ColPointEx, QString::number(gtGdsCode.GcdPSel3));
  SetCellText(g, row, ColDcEx, QString::number(gtGdsCode.GcdPSel4));
  SetCellText(g, row, ColGdsNo, plain(gtGdsCode.GcdNo));
  SetCellText(g, row, ColBottle, plain(gtGdsCode.GcdGongBng));

  const LineMarks marks =
      MarksFor(gtGdsCode.GcdTax, gcBssNo, gcCmsNo, gtGdsCode.GcdPSel3, gtGdsCode.GcdSss5);
  if (marks.code) SetCellColor(row, ColCode, kMarkYellow, false);
  if (marks.qty) SetCellColor(row, ColQty, kMarkYellow, false);
  if (marks.name) SetCellColor(row, ColName, kMarkYellow, false);
  if (marks.price) SetCellColor(row, ColPrice, kMarkYellow, false);
  if (marks.amount) SetCellColor(row, ColAmt, kMarkPink, false);
  SetCellText(g, row, ColKind, sale::KindLetters(gtGdsCode, gcBssNo, gcCmsNo, oneMoa));
  SetCellLock(row, ColCode, true);
  SetCellLock(row, ColName, true);

  const Currency q = NzCur(g->CellValue(row, ColQty).trimmed());
  const Currency p = !price.IsZero() ? price : GetGdsDanga(row);
  if (p.IsZero()) {
    SetGridText(row, ColPrice, Grid::kActionActiveCell);
    return true;
  }
  SetCellText(g, row, ColPrice, plain(p));
  if (fixedPrice == 1) {
    SetCellLock(row, ColPrice, true);
    SetCellLock(row, ColAmt, true);
  }
  SetCellText(g, row, ColAmt, plain(CurMul(q, p, 1)));
  if (NzCur(g->CellValue(row, ColCmsGbn).trimmed()) == Currency::Won(9)) {
    SetCellLock(row, ColQty, true);
    SetCellLock(row, ColPrice, true);
  }
  // Past the last line the cursor stays on its code cell.
  SetGridText(qMin(row + 1, int32_t(kSaleLines)), ColCode, Grid::kActionActiveCell);
  mcBsnNo = gcBssNo;
  return true;
}

void frmMain::CalcChitSum(int16_t writeBack) {
  Grid *g = vaSpread1;
  bool newSale = lblHabGum->text() == QStringLiteral("0");
  sumReads_.Read(*g, [g](int32_t r, sale::SaleLine &l, QString &dcCell) {
    auto cell = [g, r](int c) { return NzCur(g->CellValue(r, c).trimmed()); };
    l.gdsKey = cell(ColGdsKey);
    l.qty = cell(ColQty);
    l.price = cell(ColPrice);
    l.amount = cell(ColAmt);
    l.bssNo = cell(ColBssNo);
    l.bottle = cell(ColBottle);
    l.cmsGbn = int16_t(cell(ColCmsGbn).RoundToInt());
    l.taxFree = int16_t(cell(ColTaxFree).RoundToInt());
    dcCell = g->CellValue(r, ColDc);
  });
  std::vector<sale::SaleLine> &lines = sumReads_.lines();
  const sale::SaleTotals t = sale::CalcSaleTotals(lines, giSetJulsa, writeBack);
  for (size_t i = 0; i < lines.size(); ++i) {
    const sale::SaleLine &l = lines[i];
    if (l.gdsKey.IsZero()) continue;
    const int32_t row = int32_t(i + 1);
    if (writeBack == 1 && l.newAmount != l.amount) SetCellText(g, row, ColAmt, plain(l.newAmount));
    if (sumReads_.dcCell(i) != l.dc) SetCellText(g, row, ColDc, l.dc);
  }
  lblSuSum->setText(FmtAmt(t.shownQty(), 0));
  lblDCSum->setText(FmtAmt(t.shownDc(), 0));
  lblKongSum->setText(FmtAmt(t.supply, 0));
  lblNtxSum->setText(FmtAmt(t.taxFree, 0));
  lblBugaSum->setText(FmtAmt(t.vat, 0));
  lblHabGum->setText(FmtAmt(t.total, 0));
  if (Label7->text() == QStringLiteral("잔돈")) newSale = true;
  Label7->setText(QStringLiteral("합계"));
  gcDspHab = t.total;
  gtSaleTotals = {};
  gtSaleTotals.qty = t.qty;
  gtSaleTotals.freeQty = t.freeQty;
  gtSaleTotals.freeAmt = t.freeAmt;
  gtSaleTotals.total = t.total;
  gtSaleTotals.listSum = t.listSum;
  gtSaleTotals.taxFree = t.taxFree;
  gtSaleTotals.bottle = t.bottle;
  gtSaleTotals.supply = t.supply;
  gtSaleTotals.vat = t.vat;
  gtSaleTotals.dc = t.shownDc();
  gtSaleTotals.shownQty = t.shownQty();

  // A moved work date asks once for the password before the sale goes on.
  const QDate today = clock::Now().date();
  const int workYmd = giWrkYear * 10000 + giWrkMonth * 100 + giWrkDay;
  if (giWrkDateChanged == 1 && YmdNumber(today) != workYmd) {
    const auto answer = dialogs::PasswordBox(
        QStringLiteral("날짜가 틀립니다..계속진행하려면 비밀번호를 입력하세요."));
    if (!answer || *answer != gsLogPwd) {
      dialogs::Info(QStringLiteral("현재 날짜로 바뀝니다"), QStringLiteral("날짜변경"));
      SetWorkDateToday();
    }
    giWrkDateChanged = 0;
    // Only the code just entered by the cashier or the scanner is taken off; a recall
    // replaying a chit keeps its lines where they are.
    if (mbCodeTyped && !mbRecallRunning) {
      SetGridText(1, ColCode, Grid::kActionDeleteRow);
      SetGridText(1, ColCode, Grid::kActionActiveCell);
    }
  }

  if (newSale && !t.total.IsZero() && NzCur(g->CellValue(2, ColGdsKey).trimmed()).IsZero()) {
    if (giSetDisp == 5) {
      giDspNewSale = 1;
      gcDspRGum = {};
      gcDspCGum = {};
    } else {
      settings_store::SaveSetting(QStringLiteral("giSetWavStart"), QStringLiteral("1"));
      settings_store::SaveSetting(QStringLiteral("giSetWavCard"), QStringLiteral("1"));
      giDspNewSale = 0;
    }
  }
  if (!HasGoodsLines()) settings_store::SaveSetting(QStringLiteral("giSetWavCard"), QStringLiteral("0"));
  lblSuHab->setText(t.qty.IsZero() ? QString() : FmtAmt(t.qty, 0));
}
