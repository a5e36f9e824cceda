#include "checkout/frmOisang.h"

#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "checkout/lists_grid.h"
#include "checkout/lists_text.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "core/application.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "platform/grid.h"

namespace orv::checkout {

namespace {

constexpr int kCols = 21;
constexpr long kCardRowColor = 0x0080C0FF;  // &HBBGGRR of red 255, green 192, blue 128

}  // namespace

frmOisang::~frmOisang() { orv::DisconnectChildSignals(*this); }

frmOisang::frmOisang(QWidget *parent) : QDialog(parent) {
  setObjectName("frmOisang");
  setWindowTitle(QStringLiteral("외상현황 조회"));
  auto *layout = new QVBoxLayout(this);
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  QStringList heads = {QStringLiteral("번호"), QStringLiteral("거래처"), QStringLiteral("시 간"),
                       QStringLiteral("금액"), QStringLiteral("일자"), QStringLiteral("비고(상품)")};
  while (heads.size() < kCols) heads << QString();
  vaSpread1 = MakeListGrid(this, "vaSpread1", heads);
  for (int c = 6; c <= kCols; ++c) vaSpread1->SetColHidden(c, true);
  DspNameLbl = new QLabel(this);
  DspNameLbl->setObjectName("DspNameLbl");
  cmdOk = new QPushButton(QStringLiteral("확인"), this);
  cmdOk->setObjectName("cmdOk");
  cmdExit = new QPushButton(QStringLiteral("닫기"), this);
  cmdExit->setObjectName("cmdExit");
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(DspNameLbl, 1);
  buttons->addWidget(cmdOk);
  buttons->addWidget(cmdExit);
  layout->addWidget(Image1);
  layout->addWidget(vaSpread1, 1);
  layout->addLayout(buttons);
  resize(720, 480);

  connect(cmdOk, &QPushButton::clicked, this, [this] { TakeRow(vaSpread1->ActiveRow()); });
  connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
  connect(vaSpread1, &Grid::GotFocus, this, &frmOisang::RefreshName);
  connect(vaSpread1, &Grid::Click, this, &frmOisang::RefreshName);
  connect(vaSpread1, &Grid::KeyUp, this, &frmOisang::RefreshName);
  connect(vaSpread1, &Grid::DblClick, this, [this](int, int row) { TakeRow(row); });
  WireListKeys(this, vaSpread1, [this] { TakeRow(vaSpread1->ActiveRow()); });
}

bool frmOisang::Form_Load() {
  BusyPointer busy;
  const QString date = chit::WorkDateText();
  const QString yymm = date.mid(2, 4);
  try {
    db::Statement st = goDbMain.Prepare(
        " Select A.PctWrtTime, A.PctHab, A.PctDate, A.PctChtNo, A.PctRGum, A.PctCGum, B.TcdNo, "
        "B.TcdName, C.CcdName, C.CcdEmail, A.PctCardNo, A.PctCDGubun, A.PctCmitNo, "
        "A.PctCmitDate, A.PctGaMyNo, A.PctMoney, A.PctCard From PanChit" + yymm +
        " A Left Join TrsCode B On A.PctTrsKey = B.TcdKey Left Join CstCode C On A.PctCstKey = "
        "C.CcdKey Where A.PctYear = " + QString::number(giWrkYear) + " And A.PctMon = " +
        QString::number(giWrkMonth) + " And A.PctDay = " + QString::number(giWrkDay) +
        " And A.PctDate = ? And A.PctPosNo = " + QString::number(giSetPosNo) +
        " And A.PctPsnKey = " + gcLogPsnKey.ToPlainText() +
        " And A.PctOisang <> 0 And A.PctSss2 = 0 Order By A.PctWrtTime Desc, A.PctChtNo Desc");
    st.Bind(0, date);
    db::Recordset rs = st.Query();
    enum {
      WrtTime, Hab, Date, ChtNo, RGum, CGum, TcdNo, TcdName, CcdName, CcdEmail, CardNo,
      CDGubun, CmitNo, CmitDate, GaMyNo, Money, Card
    };
    const ListFields f(rs, {"PctWrtTime", "PctHab", "PctDate", "PctChtNo", "PctRGum", "PctCGum",
                            "TcdNo", "TcdName", "CcdName", "CcdEmail", "PctCardNo", "PctCDGubun",
                            "PctCmitNo", "PctCmitDate", "PctGaMyNo", "PctMoney", "PctCard"});
    std::vector<Grid::FillRow> rows;
    rows.reserve(size_t(rs.RecordCount()));
    // Partners and customers repeat down a day's list; their padded text is costly.
    QHash<QString, QString> names;
    for (; !rs.Eof(); rs.MoveNext()) {
      const QString cst = f.Str(CcdName), mail = f.Str(CcdEmail), trs = f.Str(TcdName);
      const QString nameKey = cst + QChar(1) + mail + QChar(1) + trs;
      auto found = names.find(nameKey);
      if (found == names.end()) found = names.insert(nameKey, CreditNameText(cst, mail, trs));
      const QString no = f.Num(ChtNo);
      const Currency card = f.Cur(Card);
      Grid::FillRow row;
      row.cells = {no,
                   *found,
                   ClockTimeText(f.Str(WrtTime)),
                   f.Num(Hab),
                   f.Str(Date),
                   no,
                   f.Num(RGum),
                   f.Num(CGum),
                   {},
                   f.Str(CardNo),
                   f.Num(Money),
                   card.ToPlainText(),
                   f.Str(CDGubun),
                   f.Str(CmitNo),
                   f.Str(CmitDate),
                   f.Str(GaMyNo),
                   f.Num(TcdNo),
                   {},
                   cst,
                   mail,
                   trs};
      if (!card.IsZero()) row.fore = kCardRowColor;
      rows.push_back(std::move(row));
    }
    vaSpread1->FillRows(std::move(rows));
  } catch (const db::DbError &) {
    ReportUnhandled(std::current_exception());
    return false;
  }
  if (vaSpread1->MaxRows() > 0) vaSpread1->SetActiveCell(1, 1);
  return true;
}

void frmOisang::RefreshName() {
  DspNameLbl->clear();
  const int row = vaSpread1->ActiveRow();
  if (row <= 0 || row > vaSpread1->MaxRows()) return;
  DspNameLbl->setText(vaSpread1->CellValue(row, 19).trimmed() + ", " +
                      vaSpread1->CellValue(row, 20).trimmed() + ", " +
                      vaSpread1->CellValue(row, 21).trimmed());
}

void frmOisang::TakeRow(int row) {
  const QString date = chit::WorkDateText();
  const QString yymm = date.mid(2, 4);
  const Currency key = row >= 1 && row <= vaSpread1->MaxRows()
                           ? NzCur(vaSpread1->CellValue(row, 1))
                           : Currency();
  const int32_t no = int32_t(key.RoundToInt());
  BusyPointer busy;
  ClearPanChitRecord();
  ClearPanGodsRecords();
  try {
    auto where = [&](const char *p) {
      return QString(" Where %1Year = %2 And %1Mon = %3 And %1Day = %4 And %1Date = ? And "
                     "%1ChtNo = %5")
          .arg(QLatin1String(p))
          .arg(giWrkYear)
          .arg(giWrkMonth)
          .arg(giWrkDay)
          .arg(no);
    };
    auto bindKey = [&](db::Statement &st) { st.Bind(0, date); };
    db::Statement head = goDbMain.Prepare(" Select * From PanChit" + yymm + where("Pct"));
    bindKey(head);
    db::Recordset hs = head.Query();
    if (!hs.Eof()) {
      db::Statement gods = goDbMain.Prepare(" Select * From PanGods" + yymm + where("Pcg") +
                                            " Order By PcgSeqNo");
      bindKey(gods);
      db::Recordset gs = gods.Query();
      if (gs.RecordCount() > kMaxRecallLines) {
        dialogs::MsgBox(kTooManyLinesText, dialogs::kExclamation, kCheckTitle);
        return;
      }
      ReadPanChitRecord(hs);
      for (int line = 1; !gs.Eof(); gs.MoveNext(), ++line) ReadPanGodsRecord(gs, line);
    }
  } catch (const db::DbError &) {
    ClearPanChitRecord();
    ClearPanGodsRecords();
    ReportUnhandled(std::current_exception());
    reject();
    return;
  }
  if (gtPanChit.PctCard.IsZero() && gtPanChit.PctChtNo != 0) {
    glOisangChtNo = no;
    giOisangPick = 1;
    gcOisangTrsNo = NzCur(vaSpread1->CellValue(row, 17));
    accept();
  }
}

void frmOisang::keyPressEvent(QKeyEvent *event) {
  if (!ListFormKey(this, event, [this] { TakeRow(vaSpread1->ActiveRow()); }))
    QDialog::keyPressEvent(event);
}

void ShowfrmOisang(QWidget *parent) {
  frmOisang form(parent);
  if (!form.Form_Load()) return;
  dialogs::ShowModal(form);
}

}  // namespace orv::checkout
