#include "sale/frmPanCardSeek.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <limits>

#include "core/globals.h"
#include "core/helpers.h"
#include "core/state.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/db.h"
#include "platform/grid.h"
#include "platform/keys.h"

QString gsPanCardSeekSql;
int32_t glPanCardSeekChtNo = 0;

namespace {
void resetCardSeek() {
  gsPanCardSeekSql.clear();
  glPanCardSeekChtNo = 0;
}
const bool kResetRegistered = orv::state::RegisterReset(&resetCardSeek);
}  // namespace

frmPanCardSeek::frmPanCardSeek(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmPanCardSeek"));
  setWindowTitle(QStringLiteral("카드 판매전표 조회 (승인번호)"));
  vaSpread1 = new orv::Grid(this);
  vaSpread1->setObjectName(QStringLiteral("vaSpread1"));
  ChtEnterCmd = new QPushButton(QStringLiteral("확인 ( Enter )"), this);
  ChtEnterCmd->setObjectName(QStringLiteral("ChtEnterCmd"));
  ChtExitCmd = new QPushButton(QStringLiteral("취소 ( Esc )"), this);
  ChtExitCmd->setObjectName(QStringLiteral("ChtExitCmd"));
  for (QPushButton *b : {ChtEnterCmd, ChtExitCmd}) b->setAutoDefault(false);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ChtEnterCmd);
  buttons->addWidget(ChtExitCmd);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(vaSpread1);
  layout->addLayout(buttons);
  resize(520, 360);

  vaSpread1->SetMaxCols(4);
  const char16_t *headers[] = {u"날짜", u"전표", u"합계", u"시간"};
  for (int c = 1; c <= 4; ++c) vaSpread1->SetColHeaderText(c, QString::fromUtf16(headers[c - 1]));
  vaSpread1->SetRow(-1);
  vaSpread1->SetCol(-1);
  vaSpread1->SetLock(true);
  vaSpread1->table()->setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(vaSpread1, &orv::Grid::KeyDown, this,
          [this](int &key, int &shift) { vaSpread1_KeyDown(key, shift); });
  connect(vaSpread1->table(), &QTableWidget::cellDoubleClicked, this,
          [this](int, int) { ChtEnterCmd_Click(); });
  connect(ChtEnterCmd, &QPushButton::clicked, this, &frmPanCardSeek::ChtEnterCmd_Click);
  connect(ChtExitCmd, &QPushButton::clicked, this, &frmPanCardSeek::ChtExitCmd_Click);
  Form_Load();
}

void frmPanCardSeek::Form_Load() {
  glPanCardSeekChtNo = 0;
  FillCardChitList();
}

void frmPanCardSeek::Form_Activate() { vaSpread1->table()->setFocus(); }

void frmPanCardSeek::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  Form_Activate();
}

void frmPanCardSeek::vaSpread1_KeyDown(int &keyCode, int &shift) {
  Q_UNUSED(shift);
  if (keyCode == orv::keys::vbKeyEscape) {
    keyCode = 0;
    ChtExitCmd_Click();
  } else if (keyCode == orv::keys::vbKeyReturn) {
    keyCode = 0;
    ChtEnterCmd_Click();
  }
}

void frmPanCardSeek::ChtEnterCmd_Click() {
  glPanCardSeekChtNo = 0;
  const int row = vaSpread1->ActiveRow();
  if (row < 1 || row > vaSpread1->MaxRows()) return;
  const int64_t no = NzCur(vaSpread1->CellValue(row, 2)).RoundToInt();
  if (no <= 0 || no > std::numeric_limits<int32_t>::max()) return;
  glPanCardSeekChtNo = int32_t(no);
  accept();
}

void frmPanCardSeek::ChtExitCmd_Click() {
  glPanCardSeekChtNo = 0;
  reject();
}

void frmPanCardSeek::FillCardChitList() {
  orv::db::Recordset rs = goDbMain.OpenRecordset(gsPanCardSeekSql);
  const int n = rs.RecordCount();
  vaSpread1->SetMaxRows(0);
  vaSpread1->SetMaxRows(n);
  for (int i = 1; i <= n; ++i, rs.MoveNext()) {
    const QString date = NzStr2(rs.Field(QStringLiteral("PctDate")));
    const QString time = NzStr2(rs.Field(QStringLiteral("PctWrtTime")));
    const QString no = QString::number(NzCur(rs.Field(QStringLiteral("PctChtNo"))).RoundToInt());
    SetCellText(vaSpread1, i, 1, date.left(4) + "." + date.mid(4, 2) + "." + date.mid(6, 2));
    SetCellText(vaSpread1, i, 2, PadLeft0(no, 6));
    SetCellText(vaSpread1, i, 3, FmtAmt(NzCur(rs.Field(QStringLiteral("PctHab"))), 0));
    SetCellText(vaSpread1, i, 4, time.left(2) + ":" + time.mid(2, 2) + ":" + time.mid(4, 2));
  }
  if (n > 0) vaSpread1->SetActiveCell(1, n);
}
