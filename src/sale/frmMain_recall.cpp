// Chits brought back into the sale grid: saved sale chits by number or card approval,
// held, delivery and credit chits. A recall replays the chit through the grid's own
// Enter, so every line is looked up and priced as if typed, then writes the stored
// values over it.
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

#include "core/application.h"
#include "chit/etc_chits.h"
#include "chit/records.h"
#include "core/card_ret.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "sale/chit_number.h"
#include "sale/chit_recall.h"
#include "sale/cst_barcode.h"
#include "sale/frmMain.h"
#include "sale/frmPanCardSeek.h"
#include "sale/goods_lookup.h"
#include "sale/handoff_globals.h"
#include "chit/pos_event.h"
#include "sale/sale_codes.h"
#include "sale/sale_globals.h"
#include "schema/month_tables.h"

using namespace orv;

namespace {

constexpr long kWhite = 0x00FFFFFF;
constexpr long kMarked = 0x0080C0FF;

QString Plain(Currency c) { return c.ToPlainText(); }
Currency Neg(Currency c) { return Currency::FromRaw(-c.raw()); }

void Paint(QLabel *label, long bgr) {
  QPalette p = label->palette();
  p.setColor(QPalette::Window, colors::FromBgr(bgr));
  label->setPalette(p);
}

// The screen is brought up to date every tenth line: a repaint per line costs more than
// the line itself.
void LetEventsRun(int32_t line) {
  if (line % 10 == 0) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}


}  // namespace

// What every recall shares: the return mode held at 0, the controls disabled and the
// scanner kept out while it runs; lines whose goods are gone are skipped and named once
// at the end; a database error ends the replay but not the closing steps.
class RecallRun {
 public:
  explicit RecallRun(frmMain &f)
      : f_(f), returnMode_(f.miReturnMode), wasRunning_(f.mbRecallRunning),
        goods_(goDbMain) {
    ids = ReadScaleIds();
    f_.miReturnMode = 0;
    f_.mbRecallRunning = true;
    DisableControls(&f_);
  }
  RecallRun(const RecallRun &) = delete;
  RecallRun &operator=(const RecallRun &) = delete;
  ~RecallRun() {
    if (!closed_) Close();
  }

  // Enter on the grid's active cell, as if typed.
  void Enter() {
    int key = keys::vbKeyReturn, shift = 0;
    f_.vaSpread1_KeyDown(key, shift);
  }

  // The customer's barcode into line 1's code cell and Enter; nothing for no barcode (an
  // Enter on an empty code cell would start the payment).
  void EnterCustomer(const QString &barcode) {
    if (barcode.trimmed().isEmpty()) return;
    SetCellText(f_.vaSpread1, 1, ColCode, barcode.trimmed());
    f_.SetGridText(1, ColCode, Grid::kActionActiveCell);
    Enter();
  }

  // Puts the goods of one stored line on row i by entering their code. False when the
  // goods are gone or the entry put nothing; the line is then skipped and named.
  bool EnterLine(int32_t i, Currency gdsKey) {
    Grid *g = f_.vaSpread1;
    if (!goods_.Load(gdsKey)) {
      gone_ << QStringLiteral("%1줄(상품키 %2)").arg(i).arg(Plain(gdsKey));
      return false;
    }
    const QString name = gtGdsCode.GcdName.trimmed();
    SetCellText(g, i, ColCode, sale::RecallCode(gtGdsCode.GcdBarcode, gtGdsCode.GcdNo, ids));
    f_.SetGridText(i, ColCode, Grid::kActionActiveCell);
    Enter();
    if (NzCur(g->CellValue(i, ColGdsKey).trimmed()).IsZero()) {
      f_.SetGridText(i, ColCode, Grid::kActionClearText);
      gone_ << QStringLiteral("%1줄(%2)").arg(i).arg(name.isEmpty() ? Plain(gdsKey) : name);
      return false;
    }
    return true;
  }

  void SetCell(int32_t row, int32_t col, Currency value) {
    SetCellText(f_.vaSpread1, row, col, Plain(value));
  }
  // Writes value into (row, col) and enters it as typed.
  void EnterCell(int32_t row, int32_t col, Currency value) {
    f_.SetGridText(row, col, Grid::kActionActiveCell);
    SetCell(row, col, value);
    Enter();
  }

  // Partner, price kind and discount switch of a stored chit.
  void RestorePartner(Currency trsKey, int gaSel) {
    if (const auto no = sale::TraderNoByKey(goDbMain, trsKey)) {
      f_.txtTrsNo->setText(Plain(*no));
      f_.txtTrsNo_LostFocus();
    }
    f_.Combo1->setCurrentIndex(gaSel >= 0 && gaSel <= 7 ? gaSel : 0);
    const QString trs = f_.txtTrsNo->text().trimmed();
    glHalSel = !trs.isEmpty() && trs != QStringLiteral("88000") && f_.Combo1->currentIndex() == 7
                   ? 1
                   : 0;
    f_.cmdHalin_Click();
  }

  void Failed(const db::DbError &e) { error_ = ErrorBoxText(e); }

  // The closing steps: controls back, grid focused, cursor after the lines, return mode
  // restored; then the error or the skipped lines, once.
  void Close() {
    closed_ = true;
    try {
      events_.Flush();
    } catch (const db::DbError &e) {
      if (error_.isEmpty()) Failed(e);
    }
    EnableControls(&f_);
    f_.FocusGrid();
    // With a skipped line the first free line is where the cashier goes on.
    // After a full chit, the last line (the grid has no row 151).
    const int32_t row = gone_.isEmpty() ? count + 1 : f_.FirstFreeRow();
    f_.SetGridText(row >= 1 && row <= kSaleLines ? row : kSaleLines, ColCode,
                   Grid::kActionActiveCell);
    f_.miReturnMode = returnMode_;
    f_.mbRecallRunning = wasRunning_;
    if (!error_.isEmpty()) dialogs::Plain(error_);
    if (!gone_.isEmpty())
      dialogs::MsgBox(QStringLiteral("상품이 삭제되어 다음 줄을 불러오지 못했습니다.\r\n") +
                          gone_.join(QStringLiteral(", ")),
                      dialogs::kExclamation, QStringLiteral("확인요망"));
  }

  sale::ScaleIds ids;
  int32_t count = 0;
  int16_t savedReturnMode() const { return returnMode_; }

 private:
  // Every line reads the same options and writes event rows: read once, write together.
  OptionReadsOnce options_;
  PosEventBatch events_;
  frmMain &f_;
  int16_t returnMode_;
  bool wasRunning_;
  sale::GoodsByKey goods_;
  QStringList gone_;
  QString error_;
  bool closed_ = false;
};

// ---------------------------------------------------------------------------- saved chits

namespace {

QString WorkDate() { return FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0); }

}  // namespace

void frmMain::ReadPanChitNo(const QString &text) {
  std::optional<RecallRun> run;
  bool queried = false;
  try {
    run.emplace(*this);
    const int16_t sign = run->savedReturnMode() == 1 ? -1 : 1;
    const sale::ChitNumberRef ref = sale::ParseChitNumber(text, WorkDate());
    if (ref.source == sale::ChitNumberRef::Source::None) return;
    const bool screenChit = ref.source == sale::ChitNumberRef::Source::PanChitP;
    const QString yymm = ref.date.mid(2, 4);
    const int32_t no = int32_t(ref.number.RoundToInt());
    db::Connection &conn = screenChit ? goDbPos : goDbMain;
    if (!screenChit && !ExistsPanChitTable(QString(), int16_t(yymm.toInt()), 0)) return;

    queried = true;
    db::Recordset rs = conn.OpenRecordset(
        sale::ChitByNumberSql(screenChit ? QStringLiteral("PanChitP") : "PanChit" + yymm,
                              ref.date, no));
    if (rs.RecordCount() > 0) {
      ClearPanChitRecord();
      ClearPanGodsRecords();
      ReadPanChitRecord(rs);
      const PanChitRec &h = gtPanChit;
      if (!screenChit) {
        const QString d = h.PctDate;
        PanelLabel("CwtChtDateLbl")
            ->setText(d.size() == 8 ? d.left(4) + "." + d.mid(4, 2) + "." + d.mid(6, 2) : d);
        PanelLabel("CwtChtNoLbl")->setText(QString::number(h.PctChtNo));
        PanelLabel("CwtChtHabLbl")->setText(FmtAmt(h.PctHab, 0));
        const Currency cash =
            Currency::FromRaw(h.PctHab.raw() - h.PctCard.raw() - h.PctOisang.raw() -
                              h.PctCSobi.raw());
        PanelLabel("CwtChtMoneyLbl")->setText(FmtAmt(cash, 0));
        PanelLabel("CwtChtCardLbl")->setText(FmtAmt(h.PctCard, 0));
        PanelLabel("CwtChtOisangLbl")->setText(FmtAmt(h.PctOisang, 0));
        PanelLabel("CwtChtSobiLbl")->setText(FmtAmt(h.PctCSobi, 0));
      }
      LogPosEvent(vaSpread1->ActiveRow(), 104,
                  QString::number(h.PctChtNo) + "," + Plain(h.PctHab), {}, {});
      run->EnterCustomer(GetCstBarcode(gtPanChit.PctCstKey));
      sale::ReadChitLines(conn, screenChit ? QStringLiteral("PanGodsP") : "PanGods" + yymm,
                          ref.date, no);
      run->RestorePartner(gtPanChit.PctTrsKey, gtPanChit.PctGaSel);
      for (int32_t i = 1; i <= kSaleLines; ++i) {
        const PanGodsLine l = gtPanGods[i];
        if (!l.PcgGdsKey.IsZero() && run->EnterLine(i, l.PcgGdsKey)) {
          run->SetCell(i, ColQty, sign < 0 ? Neg(l.PcgSu) : l.PcgSu);
          run->SetCell(i, ColPrice, l.PcgDanga);
          run->SetCell(i, ColAmt, sign < 0 ? Neg(l.PcgGum) : l.PcgGum);
          SetGridText(i, ColQty, Grid::kActionActiveCell);
          run->Enter();
          for (QLabel *lb : {lblOiip, lblCard, lblWait, lblBdl}) Paint(lb, kWhite);
          ++run->count;
        }
        LetEventsRun(i);
      }
      ClearPanChitRecord();
      ClearPanGodsRecords();
    }
    CalcChitSum(0);
  } catch (const db::DbError &e) {
    if (run) run->Failed(e);
    if (queried) CalcChitSum(0);
  }
}

void frmMain::ReadPanChitCmit(const QString &text) {
  const QString date = WorkDate();
  const QString yymm = date.mid(2, 4);
  try {
    if (!ExistsPanChitTable(QString(), int16_t(yymm.toInt()), 0)) return;
  } catch (const db::DbError &e) {
    dialogs::Plain(ErrorBoxText(e));
    return;
  }
  RecallRun run(*this);
  try {
    const QString cmitNo = text.trimmed();
    db::Recordset rs = goDbMain.OpenRecordset(sale::CardChitsSql(yymm, date, cmitNo));
    int n = rs.RecordCount();
    if (n > 1) {
      // The cashier picks one; leaving the chooser reads chit 0, which finds nothing.
      gsPanCardSeekSql = sale::CardChitsSql(yymm, date, cmitNo);
      {
        frmPanCardSeek seek(this);
        dialogs::ShowModal(seek);
      }
      rs = goDbMain.OpenRecordset(
          sale::CardChitPickedSql(yymm, date, glPanCardSeekChtNo, cmitNo));
      n = rs.RecordCount();
    }
    if (n >= 1) {
      ClearPanChitRecord();
      ClearPanGodsRecords();
      ReadPanChitRecord(rs);
      const PanChitRec &h = gtPanChit;
      LogPosEvent(vaSpread1->ActiveRow(), 105,
                  QString::number(h.PctChtNo) + "," + Plain(h.PctHab) + "," + h.PctCmitDate +
                      "," + h.PctCmitNo,
                  {}, {});
      run.EnterCustomer(GetCstBarcode(h.PctCstKey));
      sale::ReadChitLines(goDbMain, "PanGods" + yymm, h.PctDate, h.PctChtNo);
      ClearCardRet();
      gtCardRet.CardNo = h.PctCardNo;
      gtCardRet.Halbu =
          int16_t(std::clamp<int64_t>(NzCur(h.PctCDGubun).RoundToInt(), 0, 99));
      gtCardRet.CmitNo = h.PctCmitNo;
      gtCardRet.CmitDate = h.PctCmitDate;
      run.RestorePartner(h.PctTrsKey, h.PctGaSel);
      for (int32_t i = 1; i <= kSaleLines; ++i) {
        const PanGodsLine l = gtPanGods[i];
        if (!l.PcgGdsKey.IsZero() && run.EnterLine(i, l.PcgGdsKey)) {
          run.SetCell(i, ColQty, Neg(l.PcgSu));
          run.SetCell(i, ColPrice, l.PcgDanga);
          run.SetCell(i, ColAmt, Neg(l.PcgGum));
          for (QLabel *lb : {lblOiip, lblWait, lblBdl}) Paint(lb, kWhite);
          Paint(lblCard, kMarked);
          ++run.count;
        }
        LetEventsRun(i);
      }
    }
  } catch (const db::DbError &e) {
    run.Failed(e);
  }
  CalcBsnDanga();
  CalcChitSum(0);
}


// ---------------------------------------------------------------------------- held, delivery, credit

namespace {

// One entry of the event text: line, goods key, quantity, price, amount.
QString LineEntry(int32_t i, const EtcGodsRec &g) {
  return QString::number(i) + "," + Plain(g.GdsKey[i]) + "," + Plain(g.Su[i]) + "," +
         Plain(g.Danga[i]) + "," + Plain(g.Gum[i]);
}

// Replays or restores a held or delivery chit (all four recalls).
struct EtcRecall {
  const EtcChitRec &head;
  const EtcGodsRec &gods;
  const EtcGodsSpeedRec &speed;
  bool held;
  bool replay;
};

}  // namespace

static void RecallEtcChit(frmMain &f, const EtcRecall &c, QLabel *own,
                          std::initializer_list<QLabel *> others) {
  giPosLogOff = 1;
  gsPosLogText.clear();
  QStringList entries;
  {
    RecallRun run(f);
    try {
      run.RestorePartner(c.head.TrsKey, int(c.head.GaSel.RoundToInt()));
      if (c.held) {
        run.EnterCustomer(GetCstBarcode(c.head.CstKey));
      } else if (const auto bar = sale::CustomerBarcodeByKey(goDbMain, c.head.CstKey)) {
        run.EnterCustomer(*bar);
      }
      for (int32_t i = 1; i <= kSaleLines; ++i) {
        if (c.replay) {
          if (!c.gods.GdsKey[i].IsZero() && run.EnterLine(i, c.gods.GdsKey[i])) {
            run.EnterCell(i, ColQty, c.gods.Su[i]);
            const bool bundle = !NzCur(f.vaSpread1->CellValue(i, ColBssNo).trimmed()).IsZero();
            if (!bundle) {
              run.EnterCell(i, ColPrice, c.gods.Danga[i]);
              if (c.held) {
                run.EnterCell(i, ColAmt, c.gods.Gum[i]);
                f.SetGridText(i, ColQty, Grid::kActionActiveCell);
                run.Enter();
              }
            }
            if (!c.held) run.EnterCell(i, ColAmt, c.gods.Gum[i]);
            Paint(own, kMarked);
            for (QLabel *l : others) Paint(l, kWhite);
            ++run.count;
            entries << LineEntry(i, c.gods);
          }
        } else {
          const QString &text = c.speed.Text[i];
          if (!text.trimmed().isEmpty()) {
            const QStringList parts = text.split(QLatin1Char(';'));
            for (int col = 1; col < parts.size() && col <= kSaleGridCols; ++col)
              SetCellText(f.vaSpread1, i, col, parts[col - 1]);
            ++run.count;
          }
          if (!c.gods.GdsKey[i].IsZero()) entries << LineEntry(i, c.gods);
        }
        LetEventsRun(i);
      }
    } catch (const db::DbError &e) {
      run.Failed(e);
    }
    giPosLogOff = 0;
    gsPosLogText = entries.join(QLatin1Char(';'));
    try {
      LogPosEvent(1, c.held ? 5 : 302, gsPosLogText, {}, {});
    } catch (const db::DbError &e) {
      run.Failed(e);
    }
    f.CalcChitSum(0);
  }
}

void frmMain::RecallWatChit() {
  RecallEtcChit(*this, {gtWatChit, gtWatGods, gtWatGodsSpeed, true, true}, lblWait,
                {lblOiip, lblCard, lblBdl});
}
void frmMain::RecallWatChitSpeed() {
  RecallEtcChit(*this, {gtWatChit, gtWatGods, gtWatGodsSpeed, true, false}, lblWait, {});
}
void frmMain::RecallBdlChit() {
  RecallEtcChit(*this, {gtBdlChit, gtBdlGods, gtBdlGodsSpeed, false, true}, lblBdl,
                {lblOiip, lblCard, lblWait});
}
void frmMain::RecallBdlChitSpeed() {
  RecallEtcChit(*this, {gtBdlChit, gtBdlGods, gtBdlGodsSpeed, false, false}, lblBdl, {});
}

void frmMain::RecallOisangChit() {
  RecallRun run(*this);
  try {
    for (int32_t i = 1; i <= kSaleLines; ++i) {
      const PanGodsLine l = gtPanGods[i];
      if (!l.PcgGdsKey.IsZero()) {
        if (run.EnterLine(i, l.PcgGdsKey)) {
          PutGdsRow(i, {});
          run.SetCell(i, ColQty, l.PcgSu);
          run.SetCell(i, ColPrice, l.PcgDanga);
          run.SetCell(i, ColAmt, l.PcgGum);
          Paint(lblOiip, kMarked);
          for (QLabel *lb : {lblCard, lblWait, lblBdl}) Paint(lb, kWhite);
          CalcChitSum(0);
          ++run.count;
        } else if (!HasGoodsLines() && Label7->text() != QStringLiteral("합계")) {
          // The previous sale's change is still shown and nothing reached the grid: the
          // rest stays out; the closing steps run all the same.
          break;
        }
      }
      LetEventsRun(i);
    }
  } catch (const db::DbError &e) {
    run.Failed(e);
  }
}
