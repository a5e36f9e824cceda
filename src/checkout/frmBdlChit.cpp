#include "checkout/frmBdlChit.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

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
#include "platform/keys.h"

namespace orv::checkout {

namespace {

constexpr int kCols = 6;
constexpr int kMaxListed = 100;

struct Busy {
  Busy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Busy() { QApplication::restoreOverrideCursor(); }
};

QString DotDate(const QString &yyyymmdd) {
  return yyyymmdd.left(4) + "." + yyyymmdd.mid(4, 2) + "." + yyyymmdd.mid(6, 2);
}

}  // namespace

frmBdlChit::frmBdlChit(QWidget *parent) : QDialog(parent) {
  setObjectName("frmBdlChit");
  setWindowTitle(QStringLiteral("배달전표 조회"));
  auto *layout = new QVBoxLayout(this);
  vaSpread1 = new Grid(this);
  vaSpread1->setObjectName("vaSpread1");
  vaSpread1->SetMaxCols(kCols);
  vaSpread1->SetMaxRows(0);
  const char *heads[] = {"날짜", "시간", "합계", "", "", "비고(상품)"};
  for (int c = 1; c <= kCols; ++c) vaSpread1->SetColHeaderText(c, QString::fromUtf8(heads[c - 1]));
  vaSpread1->SetColHidden(4, true);
  vaSpread1->SetColHidden(5, true);
  vaSpread1->table()->setEditTriggers(QAbstractItemView::NoEditTriggers);
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
  connect(vaSpread1->table(), &QTableWidget::cellDoubleClicked, this,
          [this](int row0, int) { RecallRow(row0 + 1); });
  vaSpread1->table()->installEventFilter(this);
}

bool frmBdlChit::Form_Load() {
  Busy busy;
  try {
    db::Recordset rs = goDbPos.OpenRecordset(
        " Select BctWrtTime, BctHab, BctDate, BctChtNo From BdlChit Where BctPosNo=" +
        QString::number(giSetPosNo) +
        " And BctSss2=0 And BctCommit=0 Order By BctDate Desc, BctWrtTime Desc, BctChtNo Desc "
        "Limit " + QString::number(kMaxListed));
    TopGoodsReader top(EtcKind::Delivery);
    QTableWidget *t = vaSpread1->table();
    t->setUpdatesEnabled(false);
    vaSpread1->SetMaxRows(rs.RecordCount());
    for (int row = 1; !rs.Eof(); rs.MoveNext(), ++row) {
      const QString date = NzStr(rs.Field("BctDate"));
      const int32_t no = int32_t(NzCur(rs.Field("BctChtNo")).RoundToInt());
      const std::optional<QString> goods = top.Name(date, no);
      if (!goods) continue;  // a chit without lines stays a blank row
      const QString cells[kCols] = {DotDate(date),
                                    ClockTimeText(NzStr(rs.Field("BctWrtTime"))),
                                    NzCur(rs.Field("BctHab")).ToPlainText(),
                                    date,
                                    QString::number(no),
                                    *goods + QStringLiteral(" 외")};
      for (int c = 1; c <= kCols; ++c) {
        vaSpread1->SetRow(row);
        vaSpread1->SetCol(c);
        vaSpread1->SetValue(cells[c - 1]);
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

void frmBdlChit::RecallRow(int row) {
  const bool inList = row >= 1 && row <= vaSpread1->MaxRows();
  const QString date = inList ? NzStr(vaSpread1->CellValue(row, 4)) : QString();
  const int32_t no = inList ? int32_t(NzCur(vaSpread1->CellValue(row, 5)).RoundToInt()) : 0;
  Busy busy;
  ClearPanChitRecord();
  ClearPanGodsRecords();
  try {
    if (RecallEtcChit(EtcKind::Delivery, date, no) == RecallResult::TooLong) return;
  } catch (const db::DbError &) {
    ClearBdlChitRecord();
    ClearBdlGodsRecords();
    ClearBdlGodsSpeedRecords();
    ReportUnhandled(std::current_exception());
  }
  accept();
}

void frmBdlChit::keyPressEvent(QKeyEvent *event) {
  const int key = keys::ToVirtualKey(event);
  if (key == keys::vbKeyReturn) {
    RecallRow(vaSpread1->ActiveRow());
    return;
  }
  if (key == keys::vbKeyEscape) {
    reject();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool frmBdlChit::eventFilter(QObject *watched, QEvent *event) {
  if (watched == vaSpread1->table() && event->type() == QEvent::KeyPress) {
    const int key = keys::ToVirtualKey(static_cast<QKeyEvent *>(event));
    if (key == keys::vbKeyReturn) {
      RecallRow(vaSpread1->ActiveRow());
      return true;
    }
    if (key == keys::vbKeyEscape) {
      reject();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ShowfrmBdlChit(QWidget *parent) {
  frmBdlChit form(parent);
  if (!form.Form_Load()) return;
  dialogs::ShowModal(form);
}

}  // namespace orv::checkout
