#include "core/application.h"
#include "print/frmSpeedPrint.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "chit/etc_chits.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "print/receipt.h"
#include "print/records_keeper.h"

namespace {
const char *const kHeaders[] = {"시간",   "전표",    "합계금액", "[현금입금]", "(카드금액)", "(외상금액)",
                                "(사내소비)", "일자",  "S1",       "S2",         "거래처No",   "거래처명",
                                "성명",   "고객No",  "고객명",   "상호",       "비고"};

}  // namespace

frmSpeedPrint::frmSpeedPrint(QWidget *parent) : QDialog(parent) {
  setObjectName("frmSpeedPrint");
  setWindowTitle(QStringLiteral("영수증 재발행 (속도용)"));
  vaSpread1 = new orv::Grid(this);
  vaSpread1->setObjectName("vaSpread1");
  OkCmd = new QPushButton(QStringLiteral("출력 (F1)"), this);
  OkCmd->setObjectName("OkCmd");
  CancelCmd = new QPushButton(QStringLiteral("종료 (ESC)"), this);
  CancelCmd->setObjectName("CancelCmd");
  for (QPushButton *b : {OkCmd, CancelCmd}) b->setAutoDefault(false);
  PrtOnFme = new QFrame(this);
  PrtOnFme->setObjectName("PrtOnFme");
  PrtOnFme->setFrameShape(QFrame::Box);
  Label1 = new QLabel(QStringLiteral("프린터 출력중 !"), PrtOnFme);
  Label1->setObjectName("Label1");
  (new QHBoxLayout(PrtOnFme))->addWidget(Label1);

  auto *buttons = new QHBoxLayout;
  buttons->addWidget(PrtOnFme);
  buttons->addStretch();
  buttons->addWidget(OkCmd);
  buttons->addWidget(CancelCmd);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(vaSpread1);
  layout->addLayout(buttons);
  resize(900, 520);

  vaSpread1->SetMaxCols(17);
  for (int c = 1; c <= 17; ++c) vaSpread1->SetColHeaderText(c, QString::fromUtf8(kHeaders[c - 1]));
  vaSpread1->SetRow(-1);
  vaSpread1->SetCol(-1);
  vaSpread1->SetBlockMode(true);
  vaSpread1->SetLock(true);
  vaSpread1->SetBlockMode(false);
  connect(vaSpread1->table(), &QTableWidget::cellDoubleClicked, this,
          [this](int row0, int) { vaSpread1_DblClick(row0 + 1); });
  connect(OkCmd, &QPushButton::clicked, this, &frmSpeedPrint::OkCmd_Click);
  connect(CancelCmd, &QPushButton::clicked, this, &QDialog::reject);
  vaSpread1->table()->installEventFilter(this);
  FillList();
}

void frmSpeedPrint::FillList() {
  PrtOnFme->setVisible(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  workDate_ = FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0);
  vaSpread1->SetMaxRows(0);
  try {
    orv::db::Statement st = goDbMain.Prepare(
        QStringLiteral("SELECT PctWrtTime, PctHab, PctDate, PctChtNo, PctRGum, PctCGum, PctCdComName, PctCardNo, "
                       "PctCDGubun, PctCmitNo, PctCmitDate, PctGaMyNo, PctMoney, PctOisang, PctCSobi, PctCard, "
                       "PctSss2, TcdNo, TcdName, TcdPsn, CcdNo, CcdName, CcdEmail FROM PanChit") +
        orv::print::MonthOf(workDate_) +
        " LEFT JOIN TrsCode ON PctTrsKey = TcdKey LEFT JOIN CstCode ON PctCstKey = CcdKey"
        " WHERE PctDate = ? AND PctPosNo = ? ORDER BY PctWrtTime DESC, PctChtNo DESC LIMIT 20");
    st.Bind(0, workDate_);
    st.Bind(1, int(giSetPosNo));
    orv::db::Recordset rs = st.Query();
    vaSpread1->SetMaxRows(rs.RecordCount());
    for (int r = 1; !rs.Eof(); rs.MoveNext(), ++r) {
      auto text = [&](const char *f) { return NzStr(rs.Field(QString::fromLatin1(f))); };
      auto num = [&](const char *f) { return NzCur(rs.Field(QString::fromLatin1(f))); };
      const QString time = text("PctWrtTime");
      const orv::Currency hab = num("PctHab"), card = num("PctCard"), oisang = num("PctOisang"),
                          csobi = num("PctCSobi");
      const int sss2 = int(num("PctSss2").RoundToInt());
      orv::Currency cash = hab;
      for (orv::Currency part : {card, oisang, csobi}) cash = orv::Currency::Sub(cash, part).value_or(orv::Currency());
      SetCellText(vaSpread1, r, 1, time.left(2) + ":" + time.mid(2, 2) + ":" + time.mid(4));
      SetCellText(vaSpread1, r, 2, num("PctChtNo").ToPlainText());
      SetCellText(vaSpread1, r, 3, FmtAmt(hab, 0));
      SetCellText(vaSpread1, r, 4, FmtAmt(cash, 0));
      SetCellText(vaSpread1, r, 5, FmtAmt(card, 0));
      SetCellText(vaSpread1, r, 6, FmtAmt(oisang, 0));
      SetCellText(vaSpread1, r, 7, FmtAmt(csobi, 0));
      SetCellText(vaSpread1, r, 8, text("PctDate"));
      SetCellText(vaSpread1, r, 9, QString::number(sss2));
      SetCellText(vaSpread1, r, 10, !oisang.IsZero() ? "1" : !csobi.IsZero() ? "2" : sss2 == 9 ? "4" : "0");
      if (!num("TcdNo").IsZero()) {
        SetCellText(vaSpread1, r, 11, num("TcdNo").ToPlainText());
        SetCellText(vaSpread1, r, 12, text("TcdName"));
        SetCellText(vaSpread1, r, 13, text("TcdPsn"));
      }
      if (!num("CcdNo").IsZero()) {
        SetCellText(vaSpread1, r, 14, num("CcdNo").ToPlainText());
        SetCellText(vaSpread1, r, 15, text("CcdName"));
        SetCellText(vaSpread1, r, 16, text("CcdEmail"));
      }
    }
    if (vaSpread1->MaxRows() > 0) vaSpread1->SetActiveCell(1, 1);
  } catch (const std::exception &e) {
    QApplication::restoreOverrideCursor();
    orv::dialogs::MsgBox(orv::ErrorBoxText(e), orv::dialogs::kCritical, windowTitle());
    return;
  }
  QApplication::restoreOverrideCursor();
}

void frmSpeedPrint::vaSpread1_DblClick(int row) {
  // The records a reprint loads are the sale screen's: they come back on every way out.
  orv::print::RecordsKeeper keep;

  if (giSetPrint == 0) return;
  if (row <= 0 || row > vaSpread1->MaxRows()) return;
  const int kind = int(NzCur(GetCellText(vaSpread1, row, 10)).RoundToInt());
  const QString date = GetCellText(vaSpread1, row, 8);
  const QString chit = GetCellText(vaSpread1, row, 2);
  if (chit.isEmpty()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  PrtOnFme->setVisible(true);
  PrtOnFme->repaint();  // shown while printing, without letting a second key in
  try {
    PrintSavedReceipt(date, int32_t(NzCur(chit).RoundToInt()), kind == 4 ? 8 : 6, 1, 1);
  } catch (const std::exception &e) {
    PrtOnFme->setVisible(false);
    QApplication::restoreOverrideCursor();
    orv::dialogs::MsgBox(orv::ErrorBoxText(e), orv::dialogs::kCritical, windowTitle());
    return;
  }
  QApplication::restoreOverrideCursor();
  accept();
}

void frmSpeedPrint::OkCmd_Click() { vaSpread1_DblClick(vaSpread1->ActiveRow()); }

bool frmSpeedPrint::formKey(int key) {
  if (key != orv::keys::vbKeyReturn && key != orv::keys::vbKeyEscape) return false;
  if (busy_) return true;
  busy_ = true;
  if (key == orv::keys::vbKeyReturn)
    OkCmd_Click();
  else
    reject();
  busy_ = false;
  return true;
}

bool frmSpeedPrint::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::KeyPress && formKey(orv::keys::ToVirtualKey(static_cast<QKeyEvent *>(event))))
    return true;
  return QDialog::eventFilter(watched, event);
}

void frmSpeedPrint::keyPressEvent(QKeyEvent *event) {
  if (formKey(orv::keys::ToVirtualKey(event))) return;
  QDialog::keyPressEvent(event);
}
