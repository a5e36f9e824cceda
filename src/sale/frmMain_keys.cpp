// The sale grid's key handler: the dispatcher every key of the grid goes through, its
// common tail, the payment hand-off, the character filter, leave-cell, and the
// hand-scanner box.
#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <functional>

#include "checkout/checkout_globals.h"
#include "chit/records.h"
#include "core/application.h"
#include "core/card_ret.h"
#include "core/daily_log.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "display/pole_display.h"
#include "platform/colors.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "sale/frmMain.h"
#include "sale/goods_lookup.h"
#include "chit/pos_event.h"
#include "sale/sale_globals.h"
#include "sync/go_offline.h"

using namespace orv;
using namespace orv::keys;

namespace {

constexpr long kBoxFocusYellow = 0x0080FFFF;

// Keys and focus of the boxes the grid's keys open, before the boxes take them.
class GridBoxFilter : public QObject {
 public:
  explicit GridBoxFilter(frmMain *form) : QObject(form), form_(form) {}

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    const auto type = event->type();
    try {
      if (type == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(event);
        int vk = ToVirtualKey(ke);
        if (vk == 0) return false;
        if (watched == form_->BarScanTxt) form_->BarScanTxt_KeyDown(vk, ToShift(ke->modifiers()));
        else if (watched == form_->PanDcTxt) form_->PanDcTxt_KeyDown(vk, ToShift(ke->modifiers()));
        return vk == 0;
      }
      if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        const bool in = type == QEvent::FocusIn;
        if (watched == form_->BarScanTxt) {
          QPalette p = form_->BarScanTxt->palette();
          p.setColor(QPalette::Base, colors::FromBgr(in ? kBoxFocusYellow : colors::kWhite));
          form_->BarScanTxt->setPalette(p);
          if (!in) form_->BarScanFme->hide();
        } else if (watched == form_->PanDcTxt) {
          if (in)
            form_->PanDcTxt_GotFocus();
          else
            form_->PanDcTxt_LostFocus();
        }
      }
    } catch (const std::exception &e) {
      dialogs::Plain(QString::fromUtf8(e.what()));
    }
    return false;
  }

 private:
  frmMain *form_;
};

// A failed statement inside the key handler is skipped: the day's log keeps it.
void LogSkipped(const QString &what) {
  try {
    WriteLog(dailylog::kDatabaseFailure, what);
  } catch (...) {
  }
}

}  // namespace

void frmMain::SetUpGridKeys() {
  connect(vaSpread1, &Grid::KeyPress, this, [this](int &ch) { vaSpread1_KeyPress(ch); });
  connect(vaSpread1, &Grid::EditChange, this,
          [this](int col, int row) { vaSpread1_EditChange(col, row); });
  connect(vaSpread1, &Grid::LeaveCell, this,
          [this](int col, int row, int newCol, int newRow, bool &cancel) {
            vaSpread1_LeaveCell(col, row, newCol, newRow, cancel);
          });

  BarScanFme = new QFrame(this);
  BarScanFme->setObjectName(QStringLiteral("BarScanFme"));
  BarScanFme->setFrameShape(QFrame::Box);
  auto *l = new QHBoxLayout(BarScanFme);
  l->addWidget(new QLabel(QStringLiteral("바코드"), BarScanFme));
  BarScanTxt = new QLineEdit(BarScanFme);
  BarScanTxt->setObjectName(QStringLiteral("BarScanTxt"));
  l->addWidget(BarScanTxt);
  BarScanFme->resize(320, 44);
  BarScanFme->move(20, 120);
  BarScanFme->hide();

  // The return-mode mark sits with the sale's status labels.
  auto *banKey = new QLabel(QStringLiteral("반품"), this);
  banKey->setObjectName(QStringLiteral("lblBanKey"));
  banKey->setAlignment(Qt::AlignCenter);
  banKey->setAutoFillBackground(true);
  QPalette p = banKey->palette();
  p.setColor(QPalette::Window, colors::FromBgr(colors::kWhite));
  banKey->setPalette(p);
  std::function<QBoxLayout *(QLayout *)> holder = [&](QLayout *lay) -> QBoxLayout * {
    if (!lay) return nullptr;
    if (lay->indexOf(lblWait) >= 0) return qobject_cast<QBoxLayout *>(lay);
    for (int i = 0; i < lay->count(); ++i)
      if (QBoxLayout *b = holder(lay->itemAt(i)->layout())) return b;
    return nullptr;
  };
  if (QBoxLayout *b = holder(layout()))
    b->insertWidget(b->indexOf(lblWait), banKey);

  auto *filter = new GridBoxFilter(this);
  BarScanTxt->installEventFilter(filter);
  PanDcTxt->installEventFilter(filter);
  PanDcTxt->setText(FmtAmt(giZerdoAllDc, 1));
}

bool frmMain::RowHasGoods(int32_t row) const {
  return !NzCur(vaSpread1->CellValue(row, ColGdsKey).trimmed()).IsZero();
}

// ---------------------------------------------------------------------------- dispatcher

void frmMain::vaSpread1_KeyDown(int &keyCode, int &shift) {
  ++keyDepth_;
  struct Depth {
    frmMain *form;
    ~Depth() {
      if (--form->keyDepth_ == 0) form->FlushQueuedKeys();
    }
  } depth{this};
  // No error leaves the key: what the handler skips, the day's log keeps.
  try {
    DispatchKey(keyCode, shift);
  } catch (const db::DbError &e) {
    LogSkipped(QStringLiteral("KeyDown ") + QString::number(e.Number) + " " + e.Description);
    keyCode = 0;
    shift = 0;
  } catch (const std::exception &e) {
    LogSkipped(QStringLiteral("KeyDown ") + QString::fromUtf8(e.what()));
    keyCode = 0;
    shift = 0;
  }
}

void frmMain::RunEnter() {
  int key = vbKeyReturn, shift = 0;
  vaSpread1_KeyDown(key, shift);
}

void frmMain::QueueKey(int vk, const QString &text) { queuedKeys_.append({vk, text}); }

void frmMain::FlushQueuedKeys() {
  // Taken one by one: a queued key may queue further ones.
  while (!queuedKeys_.isEmpty()) {
    const auto k = queuedKeys_.takeFirst();
    try {
      vaSpread1->SendKey(k.first, 0, k.second);
    } catch (const std::exception &e) {
      LogSkipped(QString::fromUtf8(e.what()));
    }
  }
}

void frmMain::DispatchKey(int &keyCode, int &shift) {
  Grid *g = vaSpread1;
  const int physical = keyCode;
  // Digits go into the code cell's editor; Enter reads the code.
  if (g->ActiveCol() == ColCode && ((physical >= vbKey0 && physical <= vbKey0 + 9) ||
                                    (physical >= vbKeyNumpad0 && physical <= vbKeyNumpad0 + 9)))
    return;
  if (physical == vbKeyInsert) {
    BarScanTxt->clear();
    BarScanFme->show();
    BarScanFme->raise();
    BarScanTxt->setFocus();
    return;
  }

  KeyCall k;
  k.row = g->ActiveRow();
  k.col = g->ActiveCol();
  mcBsnNo = {};
  gcBssNo = {};

  int key = keyCode, sh = shift;
  if (giSetKey == 1) {
    const int f = vbKeyF1 - 1;  // f + n is Fn
    if (sh == vbShiftMask && (key == f + 1 || key == f + 2 || key == f + 6)) {
      key = key == f + 1 ? f + 11 : key == f + 2 ? f + 6 : f + 7;
      sh = 0;
    } else if (sh == 0 && key == f + 10) {
      // This keyboard's F10 types a minus sign.
      QueueKey(vbKeyOemMinus, QStringLiteral("-"));
      k.writeBack = 0;
      KeyTail(keyCode, shift, k);
      return;
    } else if (sh == 0 && (key == f + 4 || key == f + 6 || key == f + 7)) {
      key = key == f + 4 ? f + 8 : key == f + 6 ? f + 9 : f + 10;
    }
  }

  if (sh != 0) {
    k.writeBack = 1;
    if (giSetKey == 0 || giSetKey == 2) return KeyTail(keyCode, shift, k);
    const bool modifierAlone = (key == vbKeyShift && sh == vbShiftMask) ||
                               (key == vbKeyControl && sh == vbCtrlMask) ||
                               (key == vbKeyMenu && sh == vbAltMask);
    if (modifierAlone || RowHasGoods(k.row)) return KeyTail(keyCode, shift, k);
    GoOffline();
    int found = 0;
    try {
      found = FindGdsByKeyValue(key, int16_t(sh));
    } catch (const db::DbError &e) {
      LogSkipped(QStringLiteral("FindGdsByKeyValue ") + e.Description);
    }
    if (found != 0) {
      PutCodeLine(k.row, {}, false);  // a Shift hot key writes no event row
    } else {
      SetGridText(k.row, ColCode, Grid::kActionClearText);
      SetGridText(k.row, ColCode, Grid::kActionActiveCell);
    }
    return KeyTail(keyCode, shift, k);
  }

  k.writeBack = 1;
  if (key == vbKeyReturn) {
    // A recall's replayed Enters do not probe the main database each: a lost connection
    // ends the replay with its error, and the cashier's next key probes.
    if (!mbRecallRunning) GoOffline();
    // A recall replaying line 150 edits it; only the cashier's Enter there pays.
    if (g->CellValue(k.row, ColCode).trimmed().isEmpty() ||
        (!g->CellValue(k.row, ColGdsKey).trimmed().isEmpty() && k.row >= kSaleLines &&
         !mbRecallRunning)) {
      PayHandOff(k);
      return KeyTail(keyCode, shift, k);
    }
    switch (k.col) {
      case ColCode:
        if (RowHasGoods(k.row)) {
          StartLineEdit(k);
        } else {
          mbCodeTyped = !mbRecallRunning;
          struct Reset {
            bool &flag;
            ~Reset() { flag = false; }
          } reset{mbCodeTyped};
          if (!EnterCode(k)) return;
          KeyTail(keyCode, shift, k);
          return;
        }
        break;
      case ColQty:
      case ColPrice:
      case ColAmt:
        EndLineEdit(k);
        break;
      default:
        break;
    }
    return KeyTail(keyCode, shift, k);
  }
  if (key == vbKeyOemPlus || key == vbKeyOemPeriod) {
    AppendZeros(k, key == vbKeyOemPlus ? QStringLiteral("00") : QStringLiteral("000"));
    return KeyTail(keyCode, shift, k);
  }
  if (FunctionKey(key, k)) KeyTail(keyCode, shift, k);
}

void frmMain::KeyTail(int &keyCode, int &shift, const KeyCall &k) {
  keyCode = 0;
  shift = 0;
  // The change of the last sale stays on screen until goods are entered.
  if (!HasGoodsLines() && Label7->text() != QStringLiteral("합계")) return;
  if (k.recall != 1) CalcBsnDanga();
  CalcChitSum(k.writeBack);
  // The line just rung up, or the one above when the active row holds none.
  Grid *g = vaSpread1;
  const int32_t row = g->ActiveRow();
  if (!NzCur(g->CellValue(row, ColGdsKey).trimmed()).IsZero() &&
      !NzCur(g->CellValue(row, ColAmt).trimmed()).IsZero() && row < kSaleLines)
    display::DispGoodsLine(MSComm1, g, row);
  else if (row >= 2)
    display::DispGoodsLine(MSComm1, g, row - 1);
}

bool frmMain::PayHandOff(const KeyCall &k) {
  Q_UNUSED(k);
  if (!CheckChitSum()) return false;
  // Records that could not be filled are not paid: the sale stays on the screen.
  if (!MakePanChitHead() || !MakePanGodsLines() || !MakePanListRow()) {
    dialogs::Critical(msChitBuildErr, QStringLiteral("확인요망"));
    return true;
  }
  const bool portStays = giSetKeyCheck == 1;
  if (!portStays) {
    StopScanTimer();
    CloseScanPort();
  }
  display::DispTotal(MSComm1, FmtAmt(gtPanChit.PctHab, 1));
  gcTotSu = NzCur(QString(lblSuSum->text()).remove(','));
  // A return keeps the card approval a recall brought for the payment screen.
  if (gtPanChit.PctHab > Currency()) ClearCardRet();
  PayChit();
  if (!portStays) {
    orv::RunLogged(QStringLiteral("OpenScanPort"), [this] { OpenScanPort(); });
    StartScanTimer();
  }
  return true;
}

bool frmMain::CheckChitSum() {
  const Currency shown = ValCur(lblHabGum->text());
  if (!HasGoodsLines()) return false;
  ClearPanChitRecord();
  ClearPanGodsRecords();
  ClearPanListRecord();
  ClearPanListTRecord();
  Currency sum;
  for (int32_t r = 1; r <= vaSpread1->MaxRows(); ++r)
    sum = CurAdd(sum, ValCur(vaSpread1->CellValue(r, ColAmt)), 1);
  if (sum != shown) {
    dialogs::Info(QStringLiteral("* 판매금액(합계) 오류발생 !"), QStringLiteral("확인요망"));
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------- characters

void frmMain::vaSpread1_KeyPress(int &keyAscii) {
  try {
    Grid *g = vaSpread1;
    const int32_t row = g->ActiveRow();
    const int32_t col = g->ActiveCol();
    if (col == ColCode && keyAscii >= '0' && keyAscii <= '9') return;
    if (giSetKey == 2 && keyAscii >= 'a' && keyAscii <= 'z') keyAscii -= 'a' - 'A';
    if ((keyAscii >= '0' && keyAscii <= '9') || keyAscii == '-' || keyAscii == 8 || keyAscii == 9)
      return;
    if (col != ColCode || RowHasGoods(row)) return;
    // A character hot key.
    GoOffline();
    int found = 0;
    try {
      found = FindGdsByKeyValue(keyAscii, 0);
    } catch (const db::DbError &e) {
      LogSkipped(QStringLiteral("FindGdsByKeyValue ") + e.Description);
    }
    if (found <= 0) {
      SetGridText(row, ColCode, Grid::kActionClearText);
      SetGridText(row, ColCode, Grid::kActionActiveCell);
    } else if (PutCodeLine(row, {})) {
      // PutCodeLine wrote the line's event.
    }
    if (HasGoodsLines() || Label7->text() == QStringLiteral("합계")) {
      CalcBsnDanga();
      CalcChitSum(0);
      keyAscii = 0;
    }
  } catch (const std::exception &e) {
    LogSkipped(QStringLiteral("KeyPress ") + QString::fromUtf8(e.what()));
    keyAscii = 0;
  }
}

void frmMain::vaSpread1_LeaveCell(int col, int row, int, int, bool &cancel) {
  // The cursor moves only where the sale's handlers put it.
  cancel = true;
  SetGridText(row, col, Grid::kActionActiveCell);
}

// ---------------------------------------------------------------------------- hand-scanner box

void frmMain::EnterScannedCode(const QString &code) {
  const int32_t row = vaSpread1->ActiveRow();
  vaSpread1->SetRow(row);
  vaSpread1->SetCol(ColCode);
  vaSpread1->SetText(code);
  RunEnter();
}

void frmMain::BarScanTxt_KeyDown(int &keyCode, int shift) {
  Q_UNUSED(shift);
  if (keyCode == vbKeyEscape || keyCode == vbKeyTab || keyCode == vbKeyUp || keyCode == vbKeyDown ||
      (keyCode >= vbKeyF1 && keyCode <= vbKeyF1 + 11)) {
    keyCode = 0;
    FocusGrid();
    return;
  }
  if (keyCode != vbKeyReturn) return;
  keyCode = 0;
  const QString code = KeepDigits(BarScanTxt->text().trimmed(), 0);
  // The box hides as the grid takes the focus back, before the code is entered.
  FocusGrid();
  BarScanFme->hide();
  if (code.size() >= 6) EnterScannedCode(code);
}
