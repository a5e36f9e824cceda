#include "core/application.h"
#include "print/frmDlvList.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/dates.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "print/delivery.h"
#include "print/receipt_text.h"

namespace {
const char *const kHeaders[] = {"일자", "전표", "계산대", "계산원", "고객No", "고객명", "판매금액", "우편No", "주소",
                                "등급", "바코드", "상태", "No", "배달원", "기록일자", "기록시간", "CstKey", "비고"};

QString blankIfZero(const orv::Currency &c) { return CurStr(c, 1); }

QString gradeName(int grade) {
  switch (grade) {
    case 1: return QStringLiteral("일반");
    case 2: return QStringLiteral("우대");
    case 3: return QStringLiteral("특별");
    case 4: return QStringLiteral("우수");
    case 5: return QStringLiteral("VIP");
    default: return QString();
  }
}
}  // namespace

frmDlvList::frmDlvList(QWidget *parent) : QDialog(parent) {
  setObjectName("frmDlvList");
  setWindowTitle(QStringLiteral("배달 전표 조회"));
  vaSpread1 = new orv::Grid(this);
  vaSpread1->setObjectName("vaSpread1");
  DlvDeltCmd = new QPushButton(QStringLiteral("삭제"), this);
  DlvDeltCmd->setObjectName("DlvDeltCmd");
  DlvExitCmd = new QPushButton(QStringLiteral("나가기"), this);
  DlvExitCmd->setObjectName("DlvExitCmd");
  for (QPushButton *b : {DlvDeltCmd, DlvExitCmd}) b->setAutoDefault(false);

  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(DlvDeltCmd);
  buttons->addWidget(DlvExitCmd);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(vaSpread1);
  layout->addLayout(buttons);
  resize(900, 500);

  vaSpread1->SetMaxCols(18);
  for (int c = 1; c <= 18; ++c) vaSpread1->SetColHeaderText(c, QString::fromUtf8(kHeaders[c - 1]));
  connect(DlvDeltCmd, &QPushButton::clicked, this, &frmDlvList::DlvDeltCmd_Click);
  connect(DlvExitCmd, &QPushButton::clicked, this, &QDialog::reject);
  FillDlvList();
}

void frmDlvList::showDbError(const std::exception &e) {
  QString text = QString::fromUtf8(e.what());
  if (auto *d = dynamic_cast<const orv::db::DbError *>(&e))
    text = orv::ErrorBoxText(*d);
  orv::dialogs::MsgBox(text, orv::dialogs::kCritical, windowTitle());
}

void frmDlvList::FillDlvList() {
  vaSpread1->table()->verticalHeader()->setDefaultSectionSize(14 * 4 / 3);
  vaSpread1->SetRow(-1);
  vaSpread1->SetCol(-1);
  vaSpread1->SetBlockMode(true);
  vaSpread1->SetLock(true);
  vaSpread1->SetBlockMode(false);
  workDate_ = FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0);
  const int year = workDate_.left(4).toInt(), month = workDate_.mid(4, 2).toInt(), day = workDate_.mid(6, 2).toInt();
  vaSpread1->SetMaxRows(0);
  try {
    orv::db::Statement st = goDbMain.Prepare(
        QStringLiteral("SELECT A.DlvYear, A.DlvMon, A.DlvDay, A.DlvDate, A.DlvNo, A.DlvPosNo, A.DlvPsnKey, "
                       "B.PcdName, A.DlvBdlKey, A.DlvCstKey, A.DlvHab, A.DlvName, A.DlvTele, A.DlvPost, "
                       "A.DlvJuso, A.DlvSss5, A.DlvWrtDate, A.DlvWrtTime FROM ") +
        orv::print::DlvChitTable(workDate_) +
        " A LEFT JOIN PsnCode B ON A.DlvPsnKey = B.PcdKey"
        " WHERE (A.DlvYear > ? OR (A.DlvYear = ? AND A.DlvMon > ?) OR (A.DlvYear = ? AND A.DlvMon = ? AND A.DlvDay >= ?))"
        " AND (A.DlvYear < ? OR (A.DlvYear = ? AND A.DlvMon < ?) OR (A.DlvYear = ? AND A.DlvMon = ? AND A.DlvDay <= ?))"
        " AND A.DlvPosNo = ? AND A.DlvPsnKey = ?"
        " ORDER BY A.DlvYear DESC, A.DlvMon DESC, A.DlvDay DESC, A.DlvNo DESC");
    const int ymd[] = {year, year, month, year, month, day};
    for (int i = 0; i < 6; ++i) {
      st.Bind(i, ymd[i]);
      st.Bind(6 + i, ymd[i]);
    }
    st.Bind(12, int(giSetPosNo));
    st.Bind(13, qlonglong(gcLogPsnKey.RoundToInt()));
    orv::db::Recordset rs = st.Query();
    if (rs.RecordCount() == 0) return;
    vaSpread1->SetMaxRows(rs.RecordCount());
    for (int r = 1; !rs.Eof(); rs.MoveNext(), ++r) {
      auto text = [&](const char *f) { return NzStr(rs.Field(QString::fromLatin1(f))); };
      auto num = [&](const char *f) { return NzCur(rs.Field(QString::fromLatin1(f))); };
      const orv::Currency no = num("DlvNo");
      SetCellText(vaSpread1, r, 1, orv::print::FormatAt(text("DlvDate"), "@@@@.@@.@@"));
      SetCellText(vaSpread1, r, 2, no.IsZero() ? QString() : ("000000" + no.ToPlainText()).right(6));
      SetCellText(vaSpread1, r, 3, blankIfZero(num("DlvPosNo")));
      SetCellText(vaSpread1, r, 4, text("PcdName"));
      SetCellText(vaSpread1, r, 5, blankIfZero(num("DlvBdlKey")));
      SetCellText(vaSpread1, r, 6, text("DlvName"));
      SetCellText(vaSpread1, r, 7, blankIfZero(num("DlvHab")));
      SetCellText(vaSpread1, r, 8, orv::print::FormatAt(text("DlvPost"), "@@@-@@@"));
      SetCellText(vaSpread1, r, 9, text("DlvJuso"));
      SetCellText(vaSpread1, r, 10, gradeName(int(num("DlvSss5").RoundToInt())));
      SetCellText(vaSpread1, r, 11, text("DlvTele"));
      SetCellText(vaSpread1, r, 15, text("DlvWrtDate"));
      SetCellText(vaSpread1, r, 16, text("DlvWrtTime"));
      SetCellText(vaSpread1, r, 17, CurStr(num("DlvCstKey"), 0));
    }
    vaSpread1->SetActiveCell(1, 1);
  } catch (const std::exception &e) {
    showDbError(e);
  }
}

void frmDlvList::DlvDeltCmd_Click() {
  const int row = vaSpread1->ActiveRow();
  if (row <= 0) return;
  const QString date = GetCellText(vaSpread1, row, 1);
  const int year = date.mid(0, 4).toInt(), month = date.mid(5, 2).toInt(), day = date.mid(8, 2).toInt();
  const int no = int(NzCur(GetCellText(vaSpread1, row, 2)).RoundToInt());
  const QString written = GetCellText(vaSpread1, row, 15);
  if (written.isEmpty() || year == 0 || month == 0 || day == 0 || no == 0) return;
  const auto answer = orv::dialogs::MsgBox(
      QStringLiteral("* 배달전표(") + date + "-" + QString::number(no) + QStringLiteral(")를 삭제할까요 ?"),
      orv::dialogs::kYesNo | orv::dialogs::kInformation, QStringLiteral("삭제정보"));
  if (answer != orv::dialogs::Answer::Yes) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  DlvDeltCmd->setEnabled(false);
  try {
    orv::db::Statement st = goDbMain.Prepare(
        QStringLiteral("DELETE FROM ") + orv::print::DlvChitTable(FmtYmd(int16_t(year), int16_t(month), int16_t(day), 0, 0)) +
        " WHERE DlvYear = ? AND DlvMon = ? AND DlvDay = ? AND DlvNo = ?");
    st.Bind(0, year);
    st.Bind(1, month);
    st.Bind(2, day);
    st.Bind(3, no);
    st.Execute();
  } catch (const std::exception &e) {
    DlvDeltCmd->setEnabled(true);
    QApplication::restoreOverrideCursor();
    showDbError(e);
    return;
  }
  DlvDeltCmd->setEnabled(true);
  QApplication::restoreOverrideCursor();
  accept();
}

void frmDlvList::keyPressEvent(QKeyEvent *event) {
  if (orv::keys::ToVirtualKey(event) == orv::keys::vbKeyEscape) {
    reject();
    return;
  }
  QDialog::keyPressEvent(event);
}
