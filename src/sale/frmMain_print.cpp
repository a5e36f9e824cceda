// The printed list of the goods on the sale screen.
#include <QLabel>
#include <cmath>

#include "core/globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "print/basPrinter.h"
#include "print/receipt.h"
#include "print/screen_gods.h"
#include "sale/frmMain.h"
#include "sale/sale_globals.h"

namespace {

// The copies typed: 1 to 9, anything else in range 1; nullopt for a cancel or no number.
std::optional<int> copiesAnswer(const std::optional<QString> &answer) {
  if (!answer) return std::nullopt;
  bool ok = false;
  const double v = answer->trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  const double n = std::nearbyint(v);
  return n < 1 || n > 9 ? 1 : int(n);
}

orv::Currency cellAmount(orv::Grid *grid, int row, int col) {
  return NzCur(GetCellText(grid, row, col).remove(','));
}

}  // namespace

void frmMain::PrintScreenGods() {
  // A cancelled or mistyped count prints nothing: nothing failed, so no failure box.
  const std::optional<int> copies = copiesAnswer(orv::dialogs::InputBox(
      QStringLiteral("인쇄매수를 입력하세요 : 1~9"), QStringLiteral("인쇄매수를 입력하세요"), QStringLiteral("1")));
  if (!copies) return;
  const QDateTime now = orv::clock::Now();

  orv::print::ScreenGodsSheet sheet;
  for (int r = 1; r <= vaSpread1->MaxRows(); ++r) {
    if (cellAmount(vaSpread1, r, ColGdsKey).IsZero()) continue;
    sheet.lines.append({r, GetCellText(vaSpread1, r, ColCode), GetCellText(vaSpread1, r, ColName),
                        cellAmount(vaSpread1, r, ColQty), cellAmount(vaSpread1, r, ColPrice),
                        cellAmount(vaSpread1, r, ColAmt), cellAmount(vaSpread1, r, ColTaxFree) == orv::Currency::Won(1),
                        cellAmount(vaSpread1, r, ColPointEx) == orv::Currency::Won(1)});
  }
  sheet.habText = lblHabGum->text();
  sheet.suText = lblSuSum->text();
  sheet.posNo = giSetPosNo;
  sheet.pcdNo = gcPcdNo;
  sheet.pcdName = gsPcdName;
  sheet.today = now.date();
  sheet.idNo = orv::print::ScreenGodsIdNo(now, giSetPosNo);
  sheet.printBarcode = giSetPrintBarcode;
  sheet.printModel = giSetPrint;
  try {
    for (int i = 1; i <= 5; ++i) sheet.msgs << GetRegChar(QStringLiteral("PosPrnMsg%1").arg(i));
    for (int copy = 1; copy <= *copies; ++copy) {
      PrnClear();
      sheet.shop = orv::print::ReadShop();
      orv::print::AddScreenGodsJob(sheet);
      PrnFlush();
    }
    SaveScreenChit(now.toString(QStringLiteral("yyyyMMdd")), now.toString(QStringLiteral("HHmmss")));
  } catch (const std::exception &) {
    orv::dialogs::MsgBox(QStringLiteral("프린터 연결에 문제가 있습니다.\r\n용지가 떨어졌을수 있습니다."), 80,
                         QStringLiteral("프린트실패"));
  }
}
