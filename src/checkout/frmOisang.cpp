#include "checkout/frmOisang.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

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
#include "platform/keys.h"

namespace orv::checkout {

namespace {

constexpr int kCols = 21;
constexpr long kCardRowColor = 0x0080C0FF;  // &HBBGGRR of red 255, green 192, blue 128

struct Busy {
  Busy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Busy() { QApplication::restoreOverrideCursor(); }
};

QString WorkDate() {
  return QString::number(giWrkYear).rightJustified(4, '0') +
         QString::number(giWrkMonth).rightJustified(2, '0') +
         QString::number(giWrkDay).rightJustified(2, '0');
}

}  // namespace

frmOisang::frmOisang(QWidget *parent) : QDialog(parent) {
  setObjectName("frmOisang");
  setWindowTitle(QStringLiteral("외상현황 조회"));
  auto *layout = new QVBoxLayout(this);
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  vaSpread1 = new Grid(this);
  vaSpread1->setObjectName("vaSpread1");
  vaSpread1->SetMaxCols(kCols);
  vaSpread1->SetMaxRows(0);
  const char *heads[] = {"번호", "거래처", "시 간", "금액", "일자", "비고(상품)"};
  for (int c = 1; c <= 6; ++c) vaSpread1->SetColHeaderText(c, QString::fromUtf8(heads[c - 1]));
  for (int c = 6; c <= kCols; ++c) vaSpread1->SetColHidden(c, true);
  vaSpread1->table()->setEditTriggers(QAbstractItemView::NoEditTriggers);
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
  connect(vaSpread1->table(), &QTableWidget::cellClicked, this, [this] { RefreshName(); });
  connect(vaSpread1->table(), &QTableWidget::cellDoubleClicked, this,
          [this](int row0, int) { TakeRow(row0 + 1); });
  vaSpread1->table()->installEventFilter(this);
}

bool frmOisang::Form_Load() {
  Busy busy;
  const QString date = WorkDate();
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
    QTableWidget *t = vaSpread1->table();
    t->setUpdatesEnabled(false);
    vaSpread1->SetMaxRows(rs.RecordCount());
    // Partners and customers repeat down a day's list; their padded text is costly.
    QHash<QString, QString> names;
    for (int row = 1; !rs.Eof(); rs.MoveNext(), ++row) {
      const QString nameKey = NzStr(rs.Field("CcdName")) + QChar(1) + NzStr(rs.Field("CcdEmail")) +
                              QChar(1) + NzStr(rs.Field("TcdName"));
      auto found = names.find(nameKey);
      if (found == names.end())
        found = names.insert(nameKey, CreditNameText(NzStr(rs.Field("CcdName")),
                                                     NzStr(rs.Field("CcdEmail")),
                                                     NzStr(rs.Field("TcdName"))));
      auto num = [&](const char *f) { return NzCur(rs.Field(f)).ToPlainText(); };
      auto txt = [&](const char *f) { return NzStr(rs.Field(f)); };
      const QString cells[kCols] = {
          num("PctChtNo"),
          *found,
          ClockTimeText(txt("PctWrtTime")),
          num("PctHab"),
          txt("PctDate"),
          num("PctChtNo"),
          num("PctRGum"),
          num("PctCGum"),
          {},
          txt("PctCardNo"),
          num("PctMoney"),
          num("PctCard"),
          txt("PctCDGubun"),
          txt("PctCmitNo"),
          txt("PctCmitDate"),
          txt("PctGaMyNo"),
          num("TcdNo"),
          {},
          txt("CcdName"),
          txt("CcdEmail"),
          txt("TcdName"),
      };
      const bool card = !NzCur(rs.Field("PctCard")).IsZero();
      for (int c = 1; c <= kCols; ++c) {
        vaSpread1->SetRow(row);
        vaSpread1->SetCol(c);
        vaSpread1->SetValue(cells[c - 1]);
        if (card) vaSpread1->SetForeColor(kCardRowColor);
      }
    }
    t->setUpdatesEnabled(true);
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
  const QString date = WorkDate();
  const QString yymm = date.mid(2, 4);
  const Currency key = row >= 1 && row <= vaSpread1->MaxRows()
                           ? NzCur(vaSpread1->CellValue(row, 1))
                           : Currency();
  const int32_t no = int32_t(key.RoundToInt());
  Busy busy;
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
  const int key = keys::ToVirtualKey(event);
  if (key == keys::vbKeyReturn) {
    TakeRow(vaSpread1->ActiveRow());
    return;
  }
  if (key == keys::vbKeyEscape) {
    reject();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool frmOisang::eventFilter(QObject *watched, QEvent *event) {
  if (watched == vaSpread1->table()) {
    if (event->type() == QEvent::KeyPress) {
      const int key = keys::ToVirtualKey(static_cast<QKeyEvent *>(event));
      if (key == keys::vbKeyReturn) {  // one Enter takes the row once
        TakeRow(vaSpread1->ActiveRow());
        return true;
      }
      if (key == keys::vbKeyEscape) {
        reject();
        return true;
      }
    } else if (event->type() == QEvent::KeyRelease) {
      RefreshName();
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ShowfrmOisang(QWidget *parent) {
  frmOisang form(parent);
  if (!form.Form_Load()) return;
  dialogs::ShowModal(form);
}

}  // namespace orv::checkout
