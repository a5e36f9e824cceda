#include "checkout/frmWait.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "checkout/lists_recall.h"
#include "checkout/lists_text.h"
#include "chit/etc_chits.h"
#include "chit/records.h"
#include "core/application.h"
#include "core/byte_text.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/settings_store.h"
#include "print/delivery.h"
#include "sync/go_offline.h"

namespace orv::checkout {

namespace {

constexpr int kUpperCols = 8;
constexpr int kLowerCols = 9;
constexpr int kMaxListed = 20;

WatDeliveryPrinter &Printer() {
  static WatDeliveryPrinter printer = [](Currency cstKey, const QString &date, int32_t chtNo,
                                         Currency hab, int16_t goods) {
    PrintDeliveryChit(cstKey, date, chtNo, hab, goods);
    return true;
  };
  return printer;
}

struct Busy {
  Busy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Busy() { QApplication::restoreOverrideCursor(); }
};

QString WorkDate() {
  return QString::number(giWrkYear).rightJustified(4, '0') +
         QString::number(giWrkMonth).rightJustified(2, '0') +
         QString::number(giWrkDay).rightJustified(2, '0');
}

void PutRow(Grid *g, int row, const QStringList &cells) {
  for (int c = 1; c <= cells.size(); ++c) {
    g->SetRow(row);
    g->SetCol(c);
    g->SetValue(cells[c - 1]);
  }
}

Grid *MakeGrid(QWidget *parent, const char *name, const QStringList &heads) {
  auto *g = new Grid(parent);
  g->setObjectName(name);
  g->SetMaxCols(int(heads.size()));
  g->SetMaxRows(0);
  for (int c = 1; c <= heads.size(); ++c) g->SetColHeaderText(c, heads[c - 1]);
  g->table()->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return g;
}

}  // namespace

WatDeliveryPrinter SetWatDeliveryPrinter(WatDeliveryPrinter printer) {
  WatDeliveryPrinter old = std::move(Printer());
  Printer() = std::move(printer);
  return old;
}

frmWait::frmWait(QWidget *parent) : QDialog(parent) {
  setObjectName("frmWait");
  setWindowTitle(QStringLiteral("대기현황 조회"));
  auto *layout = new QVBoxLayout(this);
  vaSpread1 = MakeGrid(this, "vaSpread1",
                       {QStringLiteral("시간"), QStringLiteral("합계"), {}, {},
                        QStringLiteral("고객명"), QStringLiteral("비고(상품)"), {},
                        QStringLiteral("비고")});
  vaSpread2 = MakeGrid(this, "vaSpread2",
                       {QStringLiteral("No"), QStringLiteral("S"), QStringLiteral("상품명"),
                        QStringLiteral("규격"), QStringLiteral("수량"), QStringLiteral("단가"),
                        QStringLiteral("금액"), QStringLiteral("바코드"), QStringLiteral("비고")});
  lblUpper = new QLabel(QStringLiteral("아래:F4, 불러오기:Enter, 취소:Esc"), this);
  lblUpper->setObjectName("lblUpper");
  lblLower = new QLabel(QStringLiteral("위로:F4, 출력:Enter, 취소:Esc, 선택:F8"), this);
  lblLower->setObjectName("lblLower");
  cmdOk = new QPushButton(QStringLiteral("확인"), this);
  cmdOk->setObjectName("cmdOk");
  cmdCancel = new QPushButton(QStringLiteral("취소"), this);
  cmdCancel->setObjectName("cmdCancel");
  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOk);
  buttons->addWidget(cmdCancel);
  layout->addWidget(vaSpread1, 1);
  layout->addWidget(lblUpper);
  layout->addWidget(vaSpread2, 1);
  layout->addWidget(lblLower);
  layout->addLayout(buttons);
  resize(760, 600);

  connect(cmdOk, &QPushButton::clicked, this, [this] { Recall(vaSpread1->ActiveRow()); });
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(vaSpread1, &Grid::GotFocus, this, &frmWait::LoadWatGods);
  connect(vaSpread1->table(), &QTableWidget::cellClicked, this, [this] { LoadWatGods(); });
  connect(vaSpread1->table(), &QTableWidget::cellDoubleClicked, this,
          [this](int row0, int) { Recall(row0 + 1); });
  connect(vaSpread2->table(), &QTableWidget::cellDoubleClicked, this, [this] {
    if (mlWatRow >= 1) PrintWatDelivery();
  });
  connect(vaSpread2, &Grid::GotFocus, this, [this] { SetLowerHighlight(true); });
  connect(vaSpread2, &Grid::LostFocus, this, [this] { SetLowerHighlight(false); });
  vaSpread1->table()->installEventFilter(this);
  vaSpread2->table()->installEventFilter(this);
}

void frmWait::SetLowerHighlight(bool focused) {
  QPalette p = vaSpread2->table()->palette();
  const QColor c = focused ? QColor(128, 128, 255) : QColor(128, 128, 128);
  p.setColor(QPalette::Active, QPalette::Highlight, c);
  p.setColor(QPalette::Inactive, QPalette::Highlight, c);
  vaSpread2->table()->setPalette(p);
}

bool frmWait::Form_Load() {
  gsBdlPrnText.clear();
  mlWatRow = 0;
  SetLowerHighlight(false);
  for (int c : {3, 4, 7}) vaSpread1->SetColHidden(c, true);
  Busy busy;
  try {
    db::Statement st = goDbPos.Prepare(
        " Select A.WctWrtTime, A.WctHab, A.WctDate, A.WctChtNo, A.WctCstKey, B.CcdKey, "
        "B.CcdName From WatChitT A Left Join CstCode B On A.WctCstKey = B.CcdKey Where "
        "A.WctYear = " + QString::number(giWrkYear) + " And A.WctMon = " +
        QString::number(giWrkMonth) + " And A.WctDay = " + QString::number(giWrkDay) +
        " And A.WctDate = ? And A.WctPosNo = " + QString::number(giSetPosNo) +
        " And A.WctPsnKey = " + gcLogPsnKey.ToPlainText() +
        " And A.WctSss2 = 0 And A.WctCommit = 0 Order By A.WctWrtTime Desc, A.WctChtNo Desc "
        "Limit " + QString::number(kMaxListed));
    st.Bind(0, WorkDate());
    db::Recordset rs = st.Query();
    TopGoodsReader top(EtcKind::Held);
    vaSpread1->table()->setUpdatesEnabled(false);
    vaSpread1->SetMaxRows(rs.RecordCount());
    for (int row = 1; !rs.Eof(); rs.MoveNext(), ++row) {
      const QString date = NzStr(rs.Field("WctDate"));
      const int32_t no = int32_t(NzCur(rs.Field("WctChtNo")).RoundToInt());
      const std::optional<QString> goods = top.Name(date, no);
      if (!goods) continue;  // a held chit without lines stays a blank row
      const Currency cstKey = NzCur(rs.Field("WctCstKey"));
      QString name = NzStr(rs.Field("CcdName"));
      if (name.isEmpty() && !cstKey.IsZero()) name = QStringLiteral("*신규*");
      PutRow(vaSpread1, row,
             {HeldTimeText(NzStr(rs.Field("WctWrtTime"))), NzCur(rs.Field("WctHab")).ToPlainText(),
              date, QString::number(no), name, *goods + QStringLiteral(" 외"),
              cstKey.ToPlainText(), {}});
    }
    vaSpread1->table()->setUpdatesEnabled(true);
  } catch (const db::DbError &) {
    vaSpread1->table()->setUpdatesEnabled(true);
    ReportUnhandled(std::current_exception());
    return false;
  }
  if (vaSpread1->MaxRows() > 0) vaSpread1->SetActiveCell(1, 1);
  return true;
}

void frmWait::LoadWatGods() {
  vaSpread2->SetMaxRows(0);
  gsBdlPrnText.clear();
  mlWatRow = vaSpread1->ActiveRow();
  if (mlWatRow <= 0 || mlWatRow > vaSpread1->MaxRows()) {
    mlWatRow = 0;
    return;
  }
  const QString date = NzStr(vaSpread1->CellValue(mlWatRow, 3));
  const int32_t no = int32_t(NzCur(vaSpread1->CellValue(mlWatRow, 4)).RoundToInt());
  try {
    db::Statement st = goDbPos.Prepare(
        " Select B.GcdName, B.GcdKyg, A.WcgSeqNo, A.WcgSu, A.WcgDanga, A.WcgGum, B.GcdBarcode "
        "From WatGodsT A Left Join GdsCode B On A.WcgGdsKey = B.GcdKey Where A.WcgYear = " +
        QString::number(date.left(4).toInt()) + " And A.WcgMon = " +
        QString::number(date.mid(4, 2).toInt()) + " And A.WcgDay = " +
        QString::number(date.mid(6, 2).toInt()) + " And A.WcgDate = ? And A.WcgChtNo = " +
        QString::number(no) + " Order By A.WcgSeqNo");
    st.Bind(0, date);
    db::Recordset rs = st.Query();
    vaSpread2->SetMaxRows(rs.RecordCount());
    for (int row = 1; !rs.Eof(); rs.MoveNext(), ++row) {
      PutRow(vaSpread2, row,
             {NzCur(rs.Field("WcgSeqNo")).ToPlainText(), {}, NzStr(rs.Field("GcdName")),
              NzStr(rs.Field("GcdKyg")), FormatWon(NzCur(rs.Field("WcgSu"))),
              FormatWon(NzCur(rs.Field("WcgDanga"))), FormatWon(NzCur(rs.Field("WcgGum"))),
              NzStr(rs.Field("GcdBarcode")), {}});
      vaSpread2->table()->item(row - 1, 1)->setCheckState(Qt::Unchecked);
    }
  } catch (const db::DbError &) {
    vaSpread2->SetMaxRows(0);
    ReportUnhandled(std::current_exception());
  }
}

void frmWait::MarkLine() {
  gsBdlPrnText.clear();
  const int row = vaSpread2->ActiveRow();
  if (row <= 0 || row > vaSpread2->MaxRows()) return;
  const bool marked = vaSpread2->CellValue(row, 2) == "1";
  vaSpread2->SetRow(row);
  vaSpread2->SetCol(2);
  vaSpread2->SetValue(marked ? QString() : QStringLiteral("1"));
  vaSpread2->table()->item(row - 1, 1)->setCheckState(marked ? Qt::Unchecked : Qt::Checked);
  for (int r = 1; r <= vaSpread2->MaxRows(); ++r) {
    if (vaSpread2->CellValue(r, 2) != "1") continue;
    if (!gsBdlPrnText.isEmpty()) gsBdlPrnText += "'";
    gsBdlPrnText += WatDeliveryLine(vaSpread2->CellValue(r, 3), vaSpread2->CellValue(r, 4),
                                    vaSpread2->CellValue(r, 5));
  }
}

void frmWait::Recall(int row) {
  try {
    GoOffline();
    GoTsOffline();
  } catch (...) {
    ReportUnhandled(std::current_exception());
  }
  const bool inList = row >= 1 && row <= vaSpread1->MaxRows();
  const QString date = inList ? NzStr(vaSpread1->CellValue(row, 3)) : QString();
  const int32_t no = inList ? int32_t(NzCur(vaSpread1->CellValue(row, 4)).RoundToInt()) : 0;
  Busy busy;
  ClearPanChitRecord();
  ClearPanGodsRecords();
  try {
    if (RecallEtcChit(EtcKind::Held, date, no) == RecallResult::TooLong) return;
  } catch (const db::DbError &) {
    ClearWatChitRecord();
    ClearWatGodsRecords();
    ClearWatGodsSpeedRecords();
    ReportUnhandled(std::current_exception());
  }
  accept();
}

void frmWait::FillDlvRecord() {
  const QDateTime now = clock::Now();
  DlvChitRec &d = gtDlvChit;
  d = DlvChitRec{};
  d.DlvYear = int16_t(msWatDate.left(4).toInt());
  d.DlvMon = int16_t(msWatDate.mid(4, 2).toInt());
  d.DlvDay = int16_t(msWatDate.mid(6, 2).toInt());
  d.DlvDate = msWatDate;
  d.DlvNo = mlWatChtNo;
  d.DlvPosNo = giSetPosNo;
  d.DlvPsnKey = gcLogPsnKey;
  d.DlvBdlKey = gtCstCode.CcdNo;
  d.DlvCstKey = gtCstCode.CcdKey;
  d.DlvHab = mcWatHab;
  QString name = gtCstCode.CcdName;
  if (!gtCstCode.CcdEMail.isEmpty()) name += "[" + gtCstCode.CcdEMail + "]";
  d.DlvName = LeftByte(name, 30).trimmed();
  d.DlvTele = gtCstCode.CcdBarcode;
  d.DlvPost = gtCstCode.CcdPost.trimmed();
  d.DlvJuso = gtCstCode.CcdJuso.trimmed();
  d.DlvWrtDate = now.toString("yyyyMMdd");
  d.DlvWrtTime = now.toString("HHmmss");
  d.DlvSss5 = gtCstCode.CcdDegree;
}

void frmWait::InsertDlvChit() {
  FillDlvRecord();
  const DlvChitRec &d = gtDlvChit;
  // The record's key has no checkout in it: another checkout's held chit of the same
  // number would silently stand for this one.
  db::Statement st = goDbMain.Prepare(
      " Select DlvPosNo From " + print::DlvChitTable(d.DlvDate) +
      " Where DlvYear = " + QString::number(d.DlvYear) + " And DlvMon = " +
      QString::number(d.DlvMon) + " And DlvDay = " + QString::number(d.DlvDay) +
      " And DlvNo = " + QString::number(d.DlvNo));
  db::Recordset rs = st.Query();
  if (!rs.Eof()) {
    const int64_t pos = NzCur(rs.Field(0)).RoundToInt();
    if (pos != giSetPosNo)
      dialogs::MsgBox(QStringLiteral("다른 POS(%1)의 같은 번호 배달기록이 있습니다").arg(pos) +
                          "\r\n" + d.DlvDate + " / " + QString::number(d.DlvNo),
                      dialogs::kExclamation, kCheckTitle);
    return;
  }
  print::InsertDlvChitRow(d);
}

void frmWait::PrintWatDelivery() {
  if (giSetPrint == 0 || mlWatRow < 1 || mlWatRow > vaSpread1->MaxRows()) return;
  const CstCodeRec kept = gtCstCode;
  const Currency cstKey = NzCur(vaSpread1->CellValue(mlWatRow, 7));
  msWatDate = NzStr(vaSpread1->CellValue(mlWatRow, 3));
  mlWatChtNo = int32_t(NzCur(vaSpread1->CellValue(mlWatRow, 4)).RoundToInt());
  mcWatHab = NzCur(vaSpread1->CellValue(mlWatRow, 2));
  giBdlPrnCard = 1;
  const int16_t goods = settings_store::GetSetting("giBadalPrintGds").trimmed() == "1" ? 1 : 0;
  try {
    const bool printed = Printer() && Printer()(cstKey, msWatDate, mlWatChtNo, mcWatHab, goods);
    if (printed) InsertDlvChit();
  } catch (...) {
    ReportUnhandled(std::current_exception());
  }
  gtCstCode = kept;
  accept();
}

void frmWait::keyPressEvent(QKeyEvent *event) {
  if (keys::ToVirtualKey(event) == keys::vbKeyEscape) {
    reject();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool frmWait::eventFilter(QObject *watched, QEvent *event) {
  const bool upper = watched == vaSpread1->table();
  const bool lower = watched == vaSpread2->table();
  if ((upper || lower) && event->type() == QEvent::KeyPress) {
    const int key = keys::ToVirtualKey(static_cast<QKeyEvent *>(event));
    if (key == keys::vbKeyEscape) {
      reject();
      return true;
    }
    if (key == keys::vbKeyReturn) {
      if (upper)
        Recall(vaSpread1->ActiveRow());
      else if (mlWatRow >= 1)
        PrintWatDelivery();
      return true;
    }
    if (key == keys::vbKeyF1 + 3) {
      (upper ? vaSpread2 : vaSpread1)->table()->setFocus();
      return true;
    }
    if (lower && key == keys::vbKeyF1 + 7) {
      MarkLine();
      return true;
    }
  } else if (upper && event->type() == QEvent::KeyRelease) {
    LoadWatGods();
  }
  return QDialog::eventFilter(watched, event);
}

void ShowfrmWait(QWidget *parent) {
  frmWait form(parent);
  if (!form.Form_Load()) return;
  dialogs::ShowModal(form);
}

}  // namespace orv::checkout
