#include "checkout/frmWait.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "checkout/lists_grid.h"
#include "checkout/lists_recall.h"
#include "checkout/lists_text.h"
#include "chit/etc_chits.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "core/application.h"
#include "core/byte_text.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/colors.h"
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

bool PrintThroughDeliveryChit(Currency cstKey, const QString &date, int32_t chtNo, Currency hab,
                              int16_t goods) {
  PrintDeliveryChit(cstKey, date, chtNo, hab, goods);
  return true;
}

WatDeliveryPrinter &Printer() {
  static WatDeliveryPrinter printer = PrintThroughDeliveryChit;
  return printer;
}

constexpr int kMarkCol = 2;

}  // namespace

WatDeliveryPrinter SetWatDeliveryPrinter(WatDeliveryPrinter printer) {
  WatDeliveryPrinter old = std::move(Printer());
  Printer() = printer ? std::move(printer) : WatDeliveryPrinter(PrintThroughDeliveryChit);
  return old;
}

frmWait::~frmWait() { orv::DisconnectChildSignals(*this); }

frmWait::frmWait(QWidget *parent) : QDialog(parent) {
  setObjectName("frmWait");
  setWindowTitle(QStringLiteral("대기현황 조회"));
  auto *layout = new QVBoxLayout(this);
  vaSpread1 = MakeListGrid(this, "vaSpread1",
                       {QStringLiteral("시간"), QStringLiteral("합계"), {}, {},
                        QStringLiteral("고객명"), QStringLiteral("비고(상품)"), {},
                        QStringLiteral("비고")});
  vaSpread2 = MakeListGrid(this, "vaSpread2",
                       {QStringLiteral("No"), QStringLiteral("S"), QStringLiteral("상품명"),
                        QStringLiteral("규격"), QStringLiteral("수량"), QStringLiteral("단가"),
                        QStringLiteral("금액"), QStringLiteral("바코드"), QStringLiteral("비고")});
  vaSpread2->SetRow(-1);
  vaSpread2->SetCol(kMarkCol);
  vaSpread2->SetCellType(Grid::kCellTypeCheckBox);
  vaSpread2->SetHighlightColors(colors::Rgb(128, 128, 255), colors::Rgb(128, 128, 128));
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
  connect(vaSpread1, &Grid::Click, this, &frmWait::LoadWatGods);
  connect(vaSpread1, &Grid::KeyUp, this, &frmWait::LoadWatGods);
  connect(vaSpread1, &Grid::DblClick, this, [this](int, int row) { Recall(row); });
  connect(vaSpread2, &Grid::DblClick, this, [this] {
    if (mlWatRow >= 1) PrintWatDelivery();
  });
  WireListKeys(this, vaSpread1, [this] { Recall(vaSpread1->ActiveRow()); });
  WireListKeys(this, vaSpread2, [this] {
    if (mlWatRow >= 1) PrintWatDelivery();
  });
  // F4 swaps the grids (a grid that cannot take the focus keeps it where it is), F8 marks.
  connect(vaSpread1, &Grid::KeyDown, this, [this](int &key, int &) {
    if (key != keys::vbKeyF1 + 3) return;
    key = 0;
    vaSpread2->setFocus();
  });
  connect(vaSpread2, &Grid::KeyDown, this, [this](int &key, int &) {
    if (key == keys::vbKeyF1 + 3) {
      key = 0;
      vaSpread1->setFocus();
    } else if (key == keys::vbKeyF1 + 7) {
      key = 0;
      MarkLine();
    }
  });
}

bool frmWait::Form_Load() {
  gsBdlPrnText.clear();
  mlWatRow = 0;
  for (int c : {3, 4, 7}) vaSpread1->SetColHidden(c, true);
  BusyPointer busy;
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
    st.Bind(0, chit::WorkDateText());
    db::Recordset rs = st.Query();
    enum { WrtTime, Hab, Date, ChtNo, CstKey, CcdName };
    const ListFields f(rs, {"WctWrtTime", "WctHab", "WctDate", "WctChtNo", "WctCstKey", "CcdName"});
    TopGoodsReader top(EtcKind::Held);
    std::vector<Grid::FillRow> rows(size_t(rs.RecordCount()));
    for (size_t row = 0; !rs.Eof(); rs.MoveNext(), ++row) {
      const QString date = f.Str(Date);
      const int32_t no = int32_t(f.Cur(ChtNo).RoundToInt());
      const std::optional<QString> goods = top.Name(date, no);
      if (!goods) continue;  // a held chit without lines stays a blank row
      const Currency cstKey = f.Cur(CstKey);
      QString name = f.Str(CcdName);
      if (name.isEmpty() && !cstKey.IsZero()) name = QStringLiteral("*신규*");
      rows[row].cells = {HeldTimeText(f.Str(WrtTime)), f.Num(Hab), date, QString::number(no), name,
                         *goods + QStringLiteral(" 외"), cstKey.ToPlainText(), {}};
    }
    vaSpread1->FillRows(std::move(rows));
  } catch (const db::DbError &) {
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
    enum { Name, Kyg, SeqNo, Su, Danga, Gum, Barcode };
    const ListFields f(rs, {"GcdName", "GcdKyg", "WcgSeqNo", "WcgSu", "WcgDanga", "WcgGum",
                            "GcdBarcode"});
    std::vector<Grid::FillRow> rows;
    for (; !rs.Eof(); rs.MoveNext())
      rows.push_back({{f.Num(SeqNo), QStringLiteral("0"), f.Str(Name).trimmed(),
                       f.Str(Kyg).trimmed(), FormatWon(f.Cur(Su)), FormatWon(f.Cur(Danga)),
                       FormatWon(f.Cur(Gum)), f.Str(Barcode), {}},
                      std::nullopt});
    vaSpread2->FillRows(std::move(rows));
  } catch (const db::DbError &) {
    vaSpread2->SetMaxRows(0);
    ReportUnhandled(std::current_exception());
  }
}

void frmWait::MarkLine() {
  gsBdlPrnText.clear();
  const int row = vaSpread2->ActiveRow();
  if (row <= 0 || row > vaSpread2->MaxRows()) return;
  const bool marked = vaSpread2->CellValue(row, kMarkCol) == "1";
  vaSpread2->SetRow(row);
  vaSpread2->SetCol(kMarkCol);
  vaSpread2->SetValue(marked ? QStringLiteral("0") : QStringLiteral("1"));
  for (int r = 1; r <= vaSpread2->MaxRows(); ++r) {
    if (vaSpread2->CellValue(r, kMarkCol) != "1") continue;
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
  BusyPointer busy;
  if (RecallListedChit(EtcKind::Held, date, no)) accept();
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
    const bool printed = Printer()(cstKey, msWatDate, mlWatChtNo, mcWatHab, goods);
    if (printed) InsertDlvChit();
  } catch (...) {
    ReportUnhandled(std::current_exception());
  }
  gtCstCode = kept;
  accept();
}

void frmWait::keyPressEvent(QKeyEvent *event) {
  // Enter belongs to the grids: each acts on its own.
  if (!ListFormKey(this, event, nullptr)) QDialog::keyPressEvent(event);
}

void ShowfrmWait(QWidget *parent) {
  frmWait form(parent);
  if (!form.Form_Load()) return;
  dialogs::ShowModal(form);
}

}  // namespace orv::checkout
