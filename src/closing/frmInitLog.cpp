#include "closing/frmInitLog.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "closing/closing_ui.h"
#include "core/bound_sql.h"
#include "core/globals.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/busy_pointer.h"
#include "platform/form_keys.h"
#include "platform/grid.h"
#include "platform/keys.h"

namespace orv::closing {

namespace {
const QString kCaption = QStringLiteral("기초잔액 로그조회!!");
const char *const kHeads[] = {"일  자",   "시  간",   "작업자",     "구분",     "기초잔액",
                              "판매금액", "현재잔액", "변경전잔액", "중간입금", "현금판매",
                              "카드판매", "사내소비", "외상판매"};
const char *const kMoney[] = {"IntInitGum", "IntHab",   "IntNGum", "IntBGum", "IntMidGum",
                              "IntMoney",   "IntCard", "IntCSobi", "IntOiSang"};
}  // namespace

frmInitLog::frmInitLog(QWidget *parent) : QDialog(parent) {
  setObjectName("frmInitLog");
  setWindowTitle(kCaption);
  auto *root = new QVBoxLayout(this);
  auto *top = new QHBoxLayout;
  dtpDate = new QDateEdit(this);
  dtpDate->setObjectName("dtpDate");
  dtpDate->setDisplayFormat("yyyy-MM");
  dtpDate->setDate(QDate(giWrkYear, giWrkMonth, 1));
  cmdSearch = new QPushButton(QStringLiteral("조회"), this);
  cmdSearch->setObjectName("cmdSearch");
  cmdExit = new QPushButton(QStringLiteral("닫기"), this);
  cmdExit->setObjectName("cmdExit");
  top->addWidget(dtpDate);
  top->addStretch(1);
  top->addWidget(cmdSearch);
  top->addWidget(cmdExit);
  root->addLayout(top);
  vaSpread1 = new Grid(this);
  vaSpread1->setObjectName("vaSpread1");
  vaSpread1->SetMaxCols(13);
  for (int c = 1; c <= 13; ++c) vaSpread1->SetColHeaderText(c, QString::fromUtf8(kHeads[c - 1]));
  for (int c = 5; c <= 13; ++c) vaSpread1->SetColAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  vaSpread1->SetRow(-1);
  vaSpread1->SetCol(-1);
  vaSpread1->SetLock(true);
  root->addWidget(vaSpread1, 1);
  resize(900, 480);
  connect(cmdSearch, &QPushButton::clicked, this, &frmInitLog::fcInitLogSerch);
  connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
  // A picked month shows at once.
  connect(dtpDate, &QDateEdit::dateChanged, this, [this] {
    if (shown_) fcInitLogSerch();
  });
  formkeys::InstallKeyPreview(this, {[this](int &k, int) {
                                       if (k == keys::vbKeyEscape) {
                                         k = 0;
                                         reject();
                                       } else if (k == keys::vbKeyF1) {
                                         k = 0;
                                         fcInitLogSerch();
                                       }
                                     },
                                     {},
                                     {}});
}

void frmInitLog::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  QTimer::singleShot(0, this, [this] { fcInitLogSerch(); });
}

bool frmInitLog::fcInitLogSerch() {
  const QString yyyymm = dtpDate->date().toString("yyyyMM");
  BusyPointer busy;
  try {
    db::Recordset rs = QueryBound(
        goDbPos,
        "SELECT A.IntWrtdate, A.IntWrttime, B.PcdName, A.IntGuBun, A.IntInitGum, A.IntHab, "
        "A.IntNGum, A.IntBGum, A.IntMidGum, A.IntMoney, A.IntCard, A.IntCSobi, A.IntOiSang "
        "FROM InitGumLog A LEFT JOIN PsnCode B ON A.IntPsnKey = B.PcdKey "
        "WHERE A.IntDate BETWEEN ? AND ? AND A.IntPsnKey = ? "
        "ORDER BY A.IntDate, A.IntWrtdate, A.IntWrttime, A.IntSeqNo",
        {yyyymm + "01", yyyymm + "31", BindCur(gcLogPsnKey)});
    std::vector<Grid::FillRow> rows;
    rows.reserve(size_t(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext()) {
      const QString d = NzStr(rs.Field("IntWrtdate")), t = NzStr(rs.Field("IntWrttime"));
      Grid::FillRow row;
      row.cells << (d.isEmpty() ? d : d.left(4) + "." + d.mid(4, 2) + "." + d.mid(6, 2))
                << (t.isEmpty() ? t : t.left(2) + ":" + t.mid(2, 2) + ":" + t.mid(4, 2))
                << NzStr(rs.Field("PcdName"))
                << (NzCur(rs.Field("IntGuBun")).IsZero() ? QStringLiteral("수 정")
                                                         : QStringLiteral("삭 제"));
      for (const char *m : kMoney) row.cells << FmtAmt(NzCur(rs.Field(QLatin1String(m))), 0);
      rows.push_back(std::move(row));
    }
    vaSpread1->FillRows(std::move(rows));
    return true;
  } catch (const std::exception &e) {
    ShowFormError(e, kCaption);
    return false;
  }
}

}  // namespace orv::closing
