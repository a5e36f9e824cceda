// Line edits in the quantity, price and amount columns: starting an edit, the typing
// filter, the "00" and "000" keys, Enter in the three columns, and the line's recompute.
#include <QComboBox>

#include "chit/records.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/db.h"
#include "platform/grid.h"
#include "sale/frmMain.h"
#include "sale/goods_lookup.h"
#include "sale/handoff_globals.h"
#include "chit/pos_event.h"
#include "sale/sale_calc.h"
#include "sale/sale_globals.h"

using namespace orv;

namespace {

QString Plain(Currency c) { return c.ToPlainText(); }

Currency Cell(Grid *g, int32_t row, int col) { return NzCur(g->CellValue(row, col).trimmed()); }

// The line as it is now, then as it was before the edit.
QString LineChangeText(Grid *g, int32_t row) {
  return g->CellValue(row, ColGdsKey).trimmed() + "," + g->CellValue(row, ColQty).trimmed() + "," +
         g->CellValue(row, ColPrice).trimmed() + "," + g->CellValue(row, ColAmt).trimmed() + ";" +
         Plain(gcOldSu) + "," + Plain(gcOldDanga) + "," + Plain(gcOldGum);
}

}  // namespace

void frmMain::RecalcGdsRow(int32_t row, Currency qty, int mode) {
  if (mode < 0 || mode > 2) return;
  Grid *g = vaSpread1;
  if (Cell(g, row, ColCmsGbn) != Currency::Won(9)) {
    Currency q = qty;
    if (!qty.IsZero())
      SetCellText(g, row, ColQty, Plain(qty));
    else
      q = Cell(g, row, ColQty);
    if (mode == 2) {
      const Currency a = Cell(g, row, ColAmt);
      SetCellText(g, row, ColPrice, Plain(sale::RoundWhole(CurDiv(a, q, 2))));
    } else {
      SetCellText(g, row, ColAmt, Plain(CurMul(q, Cell(g, row, ColPrice), 1)));
    }
    SetCellText(g, row, ColDc, QString());
  }
  if (mode == 1 && GetRegInt(QStringLiteral("PosHabMove")) != 0)
    SetGridText(row, ColAmt, Grid::kActionActiveCell);
  else
    SetGridText(qMin(row + 1, g->MaxRows()), ColCode, Grid::kActionActiveCell);
  if (mode == 1) miEditStarted = 0;
}

void frmMain::StartLineEdit(const KeyCall &k) {
  Grid *g = vaSpread1;
  SetGridText(k.row, ColQty, Grid::kActionActiveCell);
  gcOldSu = Cell(g, k.row, ColQty);
  gcOldDanga = Cell(g, k.row, ColPrice);
  gcOldGum = Cell(g, k.row, ColAmt);
  miEditStarted = 0;
}

void frmMain::vaSpread1_EditChange(int col, int row) {
  if (col != ColQty && col != ColPrice && col != ColAmt) return;
  Grid *g = vaSpread1;
  const QString text = g->CellValue(row, col).trimmed();
  if (text.isEmpty()) {
    SetCellText(g, row, col, QString());
    return;
  }
  const QChar last = text.back();
  if (miEditStarted == 0) {
    if (last.isDigit() || last == '-') {
      SetCellText(g, row, col, QString(last));
      miEditStarted = 1;
    } else {
      SetCellText(g, row, col, text.left(text.size() - 1));
    }
  }
  QString kept;
  for (QChar c : g->CellValue(row, col))
    if ((c >= '0' && c <= '9') || c == '-') kept += c;
  if (kept != g->CellValue(row, col)) SetCellText(g, row, col, kept);
  if (!g->CellValue(g->ActiveRow(), g->ActiveCol()).isEmpty()) g->SetCaretToEnd();
}

void frmMain::AppendZeros(const KeyCall &k, const QString &zeros) {
  Grid *g = vaSpread1;
  if (k.col == ColQty) return;
  g->SetRow(k.row);
  g->SetCol(k.col);
  if (k.col == ColPrice || k.col == ColAmt) {
    if (g->Lock()) return;
  } else if (giSetKey == 1 || giSetKey == 4) {
    return;
  }
  SetCellText(g, k.row, k.col, g->CellValue(k.row, k.col) + zeros);
  g->SetCaretToEnd();
}

void frmMain::EndLineEdit(const KeyCall &k) {
  Grid *g = vaSpread1;
  const int32_t row = k.row;
  // A grid full of goods has no empty line: the cursor goes to the last line, where
  // Enter pays.
  auto toFirstEmptyLine = [this] {
    const int32_t free = FirstFreeRow();
    SetGridText(free == 0 ? kSaleLines : free, ColCode, Grid::kActionActiveCell);
  };
  auto logChange = [&] {
    // A held or delivery chit being recalled writes one event for all its lines instead.
    if (giPosLogOff == 1) return;
    gsPosLogText = LineChangeText(g, row);
    LogPosEvent(row, 2, gsPosLogText, {}, {});
  };
  if (k.col == ColQty || k.col == ColAmt) {
    RecalcGdsRow(row, {}, k.col == ColQty ? 1 : 2);
    mcBsnNo = Cell(g, row, ColBssNo);
    logChange();
    toFirstEmptyLine();
    return;
  }
  // The price.
  RecalcGdsRow(row, {}, 1);
  const Currency price = Cell(g, row, ColPrice);
  try {
    // An "88" goods without a shop price takes the typed price as its own; only a price
    // above 0, or every later sale of it would be priced below nothing.
    const qlonglong key = qlonglong(Cell(g, row, ColGdsKey).RoundToInt());
    db::Recordset rs = QueryMain(
        QStringLiteral("Select GcdBarCode, GcdMech From GdsCode Where GcdKey=?"), {key});
    if (rs.RecordCount() > 0 && NzCur(rs.Field("GcdMech")).IsZero() &&
        NzStr(rs.Field("GcdBarCode")).left(2) == QLatin1String("88") && price > Currency()) {
      goDbMain.Execute(QStringLiteral("Update GdsCode Set GcdMech=") + Plain(price) +
                       QStringLiteral(" Where GcdKey=") + QString::number(key));
    }
  } catch (const db::DbError &) {
    // Skipped as the key handler skips a failing statement; the line keeps its price.
  }
  if (giOnLine == 1 && Combo1->currentIndex() == 7 && !gcTcdKey.IsZero() && !gcTcdNo.IsZero() &&
      gcTcdNo != Currency::Won(88000))
    WriteTrsPris(Cell(g, row, ColGdsKey), price);
  logChange();
  mcBsnNo = Cell(g, row, ColBssNo);
}
