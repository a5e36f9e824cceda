// Short numeric codes of the code column: hot keys by number, the quantity of the line
// above, lookups, reprints, the credit-chit, delivery-chit and receivable screens, cash
// receipts and card logs, the recall panels and the coin pay-out.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include "checkout/pay_out.h"
#include "chit/etc_chits.h"
#include "chit/pan_money.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "lookup/help_globals.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "print/delivery.h"
#include "print/receipt.h"
#include "checkout/frmBdlChit.h"
#include "checkout/frmOiReturn.h"
#include "checkout/frmOisang.h"
#include "checkout/frmWait.h"
#include "core/application.h"
#include "core/dates.h"
#include "print/delivery.h"
#include "goods/frmGdsCode.h"
#include "sale/chit_recall.h"
#include "sale/cst_barcode.h"
#include "sale/frmMain.h"
#include "sale/goods_lookup.h"
#include "checkout/checkout_globals.h"
#include "sale/handoff_globals.h"
#include "chit/pos_event.h"
#include "sale/sale_globals.h"
#include "sale/scanner.h"
#include "sale/stand_ins.h"
#include "sync/go_offline.h"

using namespace orv;
using PauseKind = orv::sale::Scanner::PauseKind;

namespace {

QString Plain(Currency c) { return c.ToPlainText(); }

QString LineText(Grid *g, int32_t row) {
  return g->CellValue(row, ColGdsKey).trimmed() + "," + g->CellValue(row, ColQty).trimmed() +
         "," + g->CellValue(row, ColPrice).trimmed() + "," + g->CellValue(row, ColAmt).trimmed();
}


}  // namespace

frmMain::SpecialCodeResult frmMain::EnterSpecialCode(int32_t row, const QString &code) {
  Grid *g = vaSpread1;
  const Currency v = NzCur(code.trimmed());
  const int64_t n = v.raw() % Currency::kScale == 0 ? v.RoundToInt() : -1;
  SpecialCodeResult out;
  auto clearCode = [&](bool makeActive) {
    SetGridText(row, ColCode, Grid::kActionClearText);
    if (makeActive) SetGridText(row, ColCode, Grid::kActionActiveCell);
  };
  // The scanner's timer and port stay closed while a form of the code is open.
  struct Pause {
    frmMain &f;
    explicit Pause(frmMain &m) : f(m) { f.PauseScanner(PauseKind::TimerAndPort); }
    ~Pause() { f.ResumeScanner(PauseKind::TimerAndPort); }
  };

  try {
    if (v > Currency::Won(1000) && v <= Currency::Won(1999)) {
      if (FindGdsByKeyNo(v, 0) == 0) {
        clearCode(true);
      } else if (PutGdsRow(row, {})) {
        if (giPosLogOff != 1) LogPosEvent(row, 1, LineText(g, row), {}, {});
      } else {
        clearCode(true);
      }
      return out;
    }
    if (!code.trimmed().startsWith(QLatin1Char('0')) && v < Currency::Won(1000)) {
      gcOldSu = NzCur(g->CellValue(row - 1, ColQty).trimmed());
      gcOldDanga = NzCur(g->CellValue(row - 1, ColPrice).trimmed());
      gcOldGum = NzCur(g->CellValue(row - 1, ColAmt).trimmed());
      if (!(v > Currency::Won(-1000)) || row == 1) return out;
      RecalcGdsRow(row - 1, v, 0);
      mcBsnNo = NzCur(g->CellValue(row - 1, ColBssNo).trimmed());
      clearCode(false);
      gsPosLogText = LineText(g, row - 1) + ";" + Plain(gcOldSu) + "," + Plain(gcOldDanga) +
                     "," + Plain(gcOldGum);
      LogPosEvent(row - 1, 2, gsPosLogText, {}, {});
      return out;
    }
    switch (n) {
      case 2700: {
        GoOffline();
        GoTsOffline();
        if (giCstTsMode != 0) return out;
        Pause pause(*this);
        ShowfrmCust(this);
        if (!gsCstHelpNo.isEmpty()) {
          SetCellText(g, row, ColCode, gsCstHelpNo);
          int key = keys::vbKeyReturn, shift = 0;
          vaSpread1_KeyDown(key, shift);
        } else {
          clearCode(false);
        }
        return out;
      }
      case 2701: {
        if (!HasGoodsLines()) {
          clearCode(true);
          return out;
        }
        PrintScreenGods();
        QStringList entries;
        for (int32_t r = 1; r <= kSaleLines; ++r) {
          if (NzCur(g->CellValue(r, ColGdsKey).trimmed()).IsZero()) continue;
          entries << QString::number(r) + "," +
                         Plain(NzCur(g->CellValue(r, ColGdsKey).trimmed())) + "," +
                         Plain(NzCur(g->CellValue(r, ColQty).trimmed())) + "," +
                         Plain(NzCur(g->CellValue(r, ColPrice).trimmed())) + "," +
                         Plain(NzCur(g->CellValue(r, ColAmt).trimmed()));
        }
        gsPosLogText = entries.join(QLatin1Char(';'));
        LogPosEvent(1, 201, gsPosLogText, {}, {});
        clearCode(true);
        return out;
      }
      case 2702: {
        if (giSetPrint != 0) {
          const CstCodeRec keep = gtCstCode;
          giBdlPrnCard = 0;
          gsBdlPrnText.clear();
          try {
            PrintDeliveryChit(keep.CcdKey, FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0),
                                          0, {}, 0);
          } catch (...) {
            orv::ReportUnhandled(std::current_exception());
          }
          gtCstCode = keep;
        }
        return out;
      }
      case 2800:
        TrsHelpCmd_Click();
        clearCode(false);
        return out;
      case 2900: {
        Pause pause(*this);
        ShowfrmGdsCode(this);
        clearCode(true);
        return out;
      }
      case 3000: {
        if (giOnLine != 1) {
          clearCode(false);
          out.leave = true;
          return out;
        }
        Pause pause(*this);
        orv::checkout::ShowfrmOisang(this);
        if (!gcOisangTrsNo.IsZero()) {
          txtTrsNo->setText(Plain(gcOisangTrsNo));
          txtTrsNo_LostFocus();
          gcOisangTrsNo = {};
        }
        clearCode(false);
        if (giOisangPick == 1 && glOisangChtNo != 0) {
          gsPosLogText = QString::number(glOisangChtNo) + "," + Plain(gtPanChit.PctHab);
          LogPosEvent(g->ActiveRow(), 106, gsPosLogText, {}, {});
          ClearGrid(g);
          const QString bar = GetCstBarcode(gtPanChit.PctCstKey);
          if (!bar.isEmpty()) {
            SetCellText(g, 1, ColCode, bar);
            SetGridText(1, ColCode, Grid::kActionActiveCell);
            int key = keys::vbKeyReturn, shift = 0;
            vaSpread1_KeyDown(key, shift);
          }
          RecallOisangChit();
          out.recalled = true;
        }
        return out;
      }
      case 4000: {
        {
          Pause pause(*this);
          ShowfrmMidInput(this);
        }
        clearCode(false);
        return out;
      }
      case 4444:
        out.recalled = DeliveryChit(row);
        return out;
      case 5000: {
        if (giOnLine != 1) {
          clearCode(false);
          out.leave = true;
          return out;
        }
        if (GetRegInt(QStringLiteral("BramoMart9")) != 0) return out;
        Pause pause(*this);
        if (txtTrsNo->text() == QStringLiteral("88000")) TrsHelpCmd_Click();
        // A saved collection empties the customer: the screen starts clean.
        if (!gcTcdKey.IsZero() && orv::checkout::ShowfrmOiReturn(this)) ClearSaleScreen();
        txtTrsNo->setText(QStringLiteral("88000"));
        txtTrsNo_LostFocus();
        clearCode(false);
        return out;
      }
      case 6000: {
        StopScanTimer();
        clearCode(false);
        if (GetRegInt(QStringLiteral("PosMultiCardDanSelt")) == 0) {
          // The card panel (helper "chitpanel"); its Enter recalls the chit.
          if (auto *panel = findChild<QWidget *>(QStringLiteral("fraCard"))) {
            g->setEnabled(false);
            panel->show();
            if (auto *box = panel->findChild<QLineEdit *>(QStringLiteral("txtCommitNo"))) {
              box->clear();
              box->setFocus();
            }
          }
        }
        StartScanTimer();
        out.leave = true;
        return out;
      }
      case 7000: {
        if (giSetPrint != 0 && !gsLastChtDate.isEmpty() && glLastChtNo != 0) {
          const CstCodeRec cst = gtCstCode;
          const EtcChitRec wat = gtWatChit;
          const EtcGodsRec wgods = gtWatGods;
          struct PutBack {
            const CstCodeRec &cst;
            const EtcChitRec &wat;
            const EtcGodsRec &wgods;
            ~PutBack() {
              gtCstCode = cst;
              gtWatChit = wat;
              gtWatGods = wgods;
            }
          } putBack{cst, wat, wgods};
          Print_Zerdo(gsLastChtDate, glLastChtNo, 6, 1);
        }
        clearCode(false);
        return out;
      }
      case 7777:
        CashReceiptWithoutSale();
        return out;
      case 8000: {
        Pause pause(*this);
        g->setEnabled(false);
        ShowfrmCardCancel(this);
        clearCode(false);
        g->setEnabled(true);
        return out;
      }
      case 8888: {
        StopScanTimer();
        clearCode(false);
        // The chit-number panel (helper "chitpanel"); its Enter recalls the chit.
        auto *panel = findChild<QWidget *>(QStringLiteral("fraChtNo"));
        QLineEdit *box =
            panel ? panel->findChild<QLineEdit *>(QStringLiteral("txtChtNo")) : nullptr;
        if (panel) {
          g->setEnabled(false);
          if (box) box->clear();
          panel->show();
        }
        StartScanTimer();
        if (box) box->setFocus();
        out.leave = true;
        return out;
      }
      default:
        break;
    }
    const QString text = code.trimmed();
    if (text.size() == 4 && text.at(0) == QLatin1Char('0')) {
      PayOutCoins(text.left(3) + QStringLiteral("0"));
      clearCode(true);
      return out;
    }
    clearCode(false);
  } catch (const db::DbError &e) {
    dialogs::Plain(ErrorBoxText(e));
  }
  return out;
}

void frmMain::CashReceiptWithoutSale() {
  StopScanTimer();
  // A sale that adds up gets its receipt through the payment screen.
  const bool saleOnScreen = CheckChitSum();
  if (!saleOnScreen) {
    giHelpRet = 0;
    giDspMoneyChk = 1;
    if (GetRegInt(QStringLiteral("PosMultiCardDanSelt")) == 0) {
      gcMoneyChkGum = {};
      ShowfrmMoneyChk(this);
      lblCcdBank->setText(gtCstCode.CcdBank);
    }
    giDspMoneyChk = 0;
    if (giHelpRet == 1) {
      ClearCstInfo(0);
      const QString cmitNo = gtPanMoney.PmoCmitNo.trimmed();
      const Currency hab = gtPanMoney.PmoHab;
      try {
        SaveCashReceiptMoneyRow(giHelpRet);
      } catch (const db::DbError &e) {
        // The receipt is issued; its money row is not: say which, so it can be entered.
        dialogs::MsgBox(QStringLiteral("현금영수증은 발행되었으나 기록하지 못했습니다.\r\n"
                                       "승인번호 : ") +
                            cmitNo + QStringLiteral("\r\n금액 : ") + FmtAmt(hab, 0) + "\r\n" +
                            ErrorBoxText(e),
                        dialogs::kCritical, QStringLiteral("현금영수증"));
      }
    }
  }
  ClearPanMoneyRecord();
  StartScanTimer();
}

bool frmMain::DeliveryChit(int32_t row) {
  Q_UNUSED(row);
  if (!HasGoodsLines()) {
    PauseScanner(PauseKind::TimerAndPort);
    orv::checkout::ShowfrmBdlChit(this);
    bool recalled = false;
    if (gtBdlChit.ChtNo != 0) {
      ClearGrid(vaSpread1);
      if (GetRegInt(QStringLiteral("PosSpeedWait")) != 0)
        RecallBdlChitSpeed();
      else
        RecallBdlChit();
      recalled = true;
    }
    ResumeScanner(PauseKind::TimerAndPort);
    return recalled;
  }
  if (!SaveEtcChit(false)) return false;
  PrintScreenGods();
  ClearBdlChitRecord();
  ClearBdlGodsRecords();
  ClearBdlGodsSpeedRecords();
  ClearGdsRecord();
  ClearGrid(vaSpread1);
  SetGridText(1, ColCode, Grid::kActionActiveCell);
  giOisangPick = 0;
  glOisangChtNo = 0;
  for (QLabel *l : {lblOiip, lblWait, lblCard, lblBdl}) {
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::white);
    l->setPalette(p);
  }
  glHalSel = 0;
  cmdHalin_Click();
  ClearCstInfo(0);
  FocusGrid();
  return false;
}

// ---------------------------------------------------------------------------- hold

bool frmMain::HoldOrRecallWatChit() {
  if (HasGoodsLines()) {
    HoldSale();
    return false;
  }
  PauseScanner(PauseKind::TimerAndPort);
  orv::checkout::ShowfrmWait(this);
  bool recalled = false;
  try {
    if (gtWatChit.ChtNo != 0) {
      GoOffline();
      GoTsOffline();
      ClearCardRet();
      ClearGrid(vaSpread1);
      if (GetRegInt(QStringLiteral("PosSpeedWait")) != 0)
        RecallWatChitSpeed();
      else
        RecallWatChit();
      recalled = true;
    }
  } catch (const db::DbError &e) {
    dialogs::Plain(ErrorBoxText(e));
  }
  ResumeScanner(PauseKind::TimerAndPort);
  return recalled;
}

void frmMain::HoldSale() {
  if (!SaveEtcChit(true)) return;
  SetChtEditMode(0);
  ClearSaleScreen();
  FocusGrid();
}

// Held and delivery chits live only on the POS database: one POS transaction holds the
// replacement of the chit the sale was recalled from and the new chit.
bool frmMain::SaveEtcChit(bool held) {
  EtcChitRec &head = held ? gtWatChit : gtBdlChit;
  EtcGodsRec &gods = held ? gtWatGods : gtBdlGods;
  EtcGodsSpeedRec &speed = held ? gtWatGodsSpeed : gtBdlGodsSpeed;
  // A failed save leaves the attached chit as it was, so a second try still replaces it.
  const EtcChitRec keepHead = head;
  const EtcGodsRec keepGods = gods;
  const EtcGodsSpeedRec keepSpeed = speed;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  DisableControls(this);
  QString err;
  try {
    db::Transaction pos(goDbPos);
    if (head.ChtNo != 0)
      sale::DeleteStoredEtcChit(goDbPos, held ? sale::EtcKind::Held : sale::EtcKind::Delivery,
                                head.WrtDate, head.WrtTime, head.Hab, head.ChtNo);
    const bool built = held ? MakeWatChitHead() && MakeWatGodsLines() && MakeWatSpeedLines()
                            : MakeBdlChitHead() && MakeBdlGodsLines() && MakeBdlSpeedLines();
    err = built ? (held ? gsWatChitTInsert(1) : gsBdlChitInsert(1)) : msChitBuildErr;
    if (err.isEmpty()) pos.Commit();
  } catch (const db::DbError &e) {
    err = chit::SaveErrText(held ? QStringLiteral("gsWatChitTInsert")
                                 : QStringLiteral("gsBdlChitInsert"),
                            e);
  }
  QApplication::restoreOverrideCursor();
  EnableControls(this);
  if (err.isEmpty()) return true;
  head = keepHead;
  gods = keepGods;
  speed = keepSpeed;
  dialogs::MsgBox(err, dialogs::kOkOnly);
  return false;
}
