// Enter on the code cell of a line without goods: goods, scale and customer barcodes,
// goods numbers, special codes, and codes that match nothing.
#include <QLineEdit>
#include <array>
#include <functional>

#include "chit/records.h"
#include "core/daily_log.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/values.h"
#include "goods/frmGdsNew.h"
#include "sale/handoff_globals.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "sale/frmMain.h"
#include "sale/goods_lookup.h"
#include "chit/pos_event.h"
#include "sale/sale_codes.h"
#include "sale/sale_dialogs.h"
#include "sale/sale_globals.h"
#include "sale/stand_ins.h"
#include "sync/go_offline.h"

using namespace orv;

namespace {

// A lookup whose statement fails finds nothing; the day's log keeps the error.
int Found(const std::function<int()> &lookup) {
  try {
    return lookup();
  } catch (const db::DbError &e) {
    TryWriteLog(dailylog::kDatabaseFailure,
                QStringLiteral("code entry ") + QString::number(e.Number) + " " + e.Description);
    return 0;
  }
}

QString LineText(Grid *g, int32_t row) {
  return g->CellValue(row, ColGdsKey).trimmed() + "," + g->CellValue(row, ColQty).trimmed() + "," +
         g->CellValue(row, ColPrice).trimmed() + "," + g->CellValue(row, ColAmt).trimmed();
}

// The error window of a faulty scanned code.
void ShowErrDisp(QWidget *parent, const QString &message, const QString &code) {
  gsErrDispMsg = message;
  gsErrDispCode = code;
  ShowfrmErrDisp(parent);
}

}  // namespace

// Goods on a line of the code entry, then its event row. Beyond the chit's 150 lines the
// code is refused and the line stays empty.
bool frmMain::PutCodeLine(int32_t row, Currency price, bool logLine) {
  if (row < 1 || row > kSaleLines) {
    dialogs::Info(QStringLiteral("판매 줄이 150줄을 넘을 수 없습니다."), QStringLiteral("확인요망"));
    if (row >= 1 && row <= vaSpread1->MaxRows()) SetGridText(row, ColCode, Grid::kActionClearText);
    return false;
  }
  if (!PutGdsRow(row, price)) return false;
  if (!logLine) return true;
  // A loaded held or delivery chit writes one event of its own, not one per line.
  if (giPosLogOff == 1) return true;
  gsPosLogText = LineText(vaSpread1, row);
  LogPosEvent(row, 1, gsPosLogText, {}, {});
  return true;
}

void frmMain::NewGoodsHandOff(int32_t row) {
  const QString code = vaSpread1->CellValue(row, ColCode).trimmed();
  StopScanTimer();
  CloseScanPort();
  ShowfrmGdsNew(code, this);
  SetGridText(row, ColCode, Grid::kActionClearText);
  try {
    OpenScanPort();
  } catch (const std::exception &) {
    // A scanner that cannot open again is the scanner's own message at its next use.
  }
  StartScanTimer();
}

// False when the key ends without the tail (several customers on the barcode).
bool frmMain::EnterCustomerBarcode(int32_t row, const QString &code, bool shortCode) {
  db::Recordset rs;
  int count = 0;
  if (!shortCode) GoTsOffline();
  if (shortCode && giCstTsMode != 0) {
    NewGoodsHandOff(row);
    return true;
  }
  count = Found([&] {
    db::Connection *conn = &goDbMain;
    QString table = QStringLiteral("CstCode");
    if (!shortCode && giCstTsMode == 1) {
      conn = &goDbPos;
      table = QStringLiteral("CstCodeTs");
    } else if (!shortCode && giCstTsMode == 2) {
      conn = &goDbTs;
    }
    db::Statement st = conn->Prepare(QStringLiteral("Select * From ") + table +
                                     QStringLiteral(" Where CcdBarcode=?"));
    st.Bind(0, code);
    rs = st.Query();
    return rs.RecordCount();
  });
  if (count >= 2) {
    ShowErrDisp(this, QStringLiteral("* 고객바코드 중복 [") + QString::number(count) + "]건 *", code);
    SetGridText(row, ColCode, Grid::kActionClearText);
    return false;
  }
  if (count == 0) {
    NewGoodsHandOff(row);
    return true;
  }
  gcJumsuGum = {};
  gcGdsJumsu = {};
  ClearCstRecord();
  ReadCstRecord(rs);
  if (!shortCode && giOnLine == 1 && !gtCstCode.CcdTrsKey.IsZero()) {
    db::Recordset trs;
    const int n = Found([&] {
      db::Statement st = goDbMain.Prepare(QStringLiteral("Select TcdNo From TrsCode Where TcdKey=?"));
      st.Bind(0, qlonglong(gtCstCode.CcdTrsKey.RoundToInt()));
      trs = st.Query();
      return trs.RecordCount();
    });
    if (n > 0) {
      txtTrsNo->setText(NzCur(trs.Field("TcdNo")).ToPlainText());
      txtTrsNo_LostFocus();
    }
  }
  ShowCstInfo();
  SetGridText(row, ColCode, Grid::kActionClearText);
  ReplaceDangaToCust();
  if (!shortCode && miCstEntryBy == 1)
    LogPosEvent(row, 101,
                QStringLiteral("1,") + gtCstCode.CcdNo.ToPlainText() + "," + gtCstCode.CcdName, {}, {});
  return true;
}

bool frmMain::EnterCode(KeyCall &k) {
  Grid *g = vaSpread1;
  const int32_t row = k.row;
  if (row > kSaleLines) return PutCodeLine(row, {}), true;
  const sale::ScaleIds ids = ReadScaleIds();
  const sale::NormalCode n = sale::NormaliseCode(g->CellValue(row, ColCode), ids);
  if (n.code != g->CellValue(row, ColCode)) SetCellText(g, row, ColCode, n.code);

  switch (n.path) {
    case sale::CodePath::Empty:
      return true;
    case sale::CodePath::Special: {
      const SpecialCodeResult r = EnterSpecialCode(row, n.code);
      if (r.recalled) k.recall = 1;
      return !r.leave;
    }
    case sale::CodePath::Scale: {
      if (n.badScale) {
        ShowErrDisp(this, QStringLiteral("* 저울바코드 오류발생 *"), n.code);
        SetGridText(row, ColCode, Grid::kActionClearText);
        return false;
      }
      if (Found([&] { return FindGdsByBarcode(n.lookupKey); }) > 0 ||
          Found([&] { return FindGdsByBarcode(n.code); }) > 0)
        PutCodeLine(row, n.amount);
      else
        NewGoodsHandOff(row);
      return true;
    }
    case sale::CodePath::Barcode13:
      if (Found([&] { return FindGdsByBarcode(n.code); }) > 0) {
        PutCodeLine(row, {});
        return true;
      }
      return EnterCustomerBarcode(row, n.code, false);
    case sale::CodePath::GoodsNo:
      if (Found([&] { return FindGdsByNo(NzCur(n.code)); }) > 0)
        PutCodeLine(row, {});
      else
        NewGoodsHandOff(row);
      return true;
    case sale::CodePath::ShortBarcode:
      if (Found([&] { return FindGdsByBarcode(n.code); }) > 0) {
        PutCodeLine(row, {});
        return true;
      }
      return EnterCustomerBarcode(row, n.code, true);
  }
  return true;
}
