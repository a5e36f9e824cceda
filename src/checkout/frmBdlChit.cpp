#include "checkout/frmBdlChit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "checkout/lists_grid.h"
#include "checkout/lists_recall.h"
#include "checkout/lists_text.h"
#include "chit/etc_chits.h"
#include "chit/records.h"
#include "core/application.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "platform/grid.h"

namespace orv::checkout {

namespace {

constexpr int kCols = 6;
constexpr int kMaxListed = 100;

QString DotDate(const QString &yyyymmdd) {
  return yyyymmdd.left(4) + "." + yyyymmdd.mid(4, 2) + "." + yyyymmdd.mid(6, 2);
}

}  // namespace

frmBdlChit::frmBdlChit(QWidget *parent) : QDialog(parent) {
  setObjectName("frmBdlChit");
  setWindowTitle(QStringLiteral("배달전표 조회"));
  auto *layout = new QVBoxLayout(this);
  vaSpread1 = MakeListGrid(this, "vaSpread1",
                           {QStringLiteral("날짜"), QStringLiteral("시간"), QStringLiteral("합계"),
                            {}, {}, QStringLiteral("비고(상품)")});
  vaSpread1->SetColHidden(4, true);
  vaSpread1->SetColHidden(5, true);
  cmdOk = new QPushButton(QStringLiteral("확인"), this);
  cmdOk->setObjectName("cmdOk");
  cmdCancel = new QPushButton(QStringLiteral("취소"), this);
  cmdCancel->setObjectName("cmdCancel");
  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOk);
  buttons->addWidget(cmdCancel);
  layout->addWidget(vaSpread1, 1);
  layout->addLayout(buttons);
  resize(640, 480);

  connect(cmdOk, &QPushButton::clicked, this, [this] { RecallRow(vaSpread1->ActiveRow()); });
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(vaSpread1, &Grid::DblClick, this, [this](int, int row) { RecallRow(row); });
  WireListKeys(this, vaSpread1, [this] { RecallRow(vaSpread1->ActiveRow()); });
}

bool frmBdlChit::Form_Load() {
  BusyPointer busy;
  try {
    db::Recordset rs = goDbPos.OpenRecordset(
        " Select BctWrtTime, BctHab, BctDate, BctChtNo From BdlChit Where BctPosNo=" +
        QString::number(giSetPosNo) +
        " And BctSss2=0 And BctCommit=0 Order By BctDate Desc, BctWrtTime Desc, BctChtNo Desc "
        "Limit " + QString::number(kMaxListed));
    enum { WrtTime, Hab, Date, ChtNo };
    const ListFields f(rs, {"BctWrtTime", "BctHab", "BctDate", "BctChtNo"});
    TopGoodsReader top(EtcKind::Delivery);
    std::vector<Grid::FillRow> rows(size_t(rs.RecordCount()));
    for (size_t row = 0; !rs.Eof(); rs.MoveNext(), ++row) {
      const QString date = f.Str(Date);
      const int32_t no = int32_t(f.Cur(ChtNo).RoundToInt());
      const std::optional<QString> goods = top.Name(date, no);
      if (!goods) continue;  // a chit without lines stays a blank row
      rows[row].cells = {DotDate(date),   ClockTimeText(f.Str(WrtTime)),
                         f.Num(Hab),      date,
                         QString::number(no), *goods + QStringLiteral(" 외")};
    }
    vaSpread1->FillRows(std::move(rows));
  } catch (const db::DbError &) {
    ReportUnhandled(std::current_exception());
    return false;
  }
  if (vaSpread1->MaxRows() > 0) vaSpread1->SetActiveCell(1, 1);
  return true;
}

void frmBdlChit::RecallRow(int row) {
  const bool inList = row >= 1 && row <= vaSpread1->MaxRows();
  const QString date = inList ? NzStr(vaSpread1->CellValue(row, 4)) : QString();
  const int32_t no = inList ? int32_t(NzCur(vaSpread1->CellValue(row, 5)).RoundToInt()) : 0;
  BusyPointer busy;
  if (RecallListedChit(EtcKind::Delivery, date, no)) accept();
}

void frmBdlChit::keyPressEvent(QKeyEvent *event) {
  if (!ListFormKey(this, event, [this] { RecallRow(vaSpread1->ActiveRow()); }))
    QDialog::keyPressEvent(event);
}

void ShowfrmBdlChit(QWidget *parent) {
  frmBdlChit form(parent);
  if (!form.Form_Load()) return;
  dialogs::ShowModal(form);
}

}  // namespace orv::checkout
