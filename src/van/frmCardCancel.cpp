#include "van/frmCardCancel.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>
#include <optional>

#include "core/bound_sql.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/colors.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "platform/wait_cursor.h"

namespace {

constexpr long kRequestTint = orv::colors::Rgb(255, 255, 128);

QString Number(const QString &text) { return QString::number(NzCur(text.trimmed()).RoundToInt()); }
QString Field(const QStringList &f, int n) { return n < f.size() ? f[n].trimmed() : QString(); }
QString Kind(int16_t kind) {
  switch (kind) {
    case 0:
      return QStringLiteral("승인요청");
    case 1:
      return QStringLiteral("승인응답");
    case 2:
      return QStringLiteral("취소요청");
    default:
      return QStringLiteral("취소응답");
  }
}
QString Acquirer(const QString &text) { return (QStringLiteral("0000") + Number(text)).right(4); }
QString DatePairs(const QString &text) {
  if (text.isEmpty()) return {};
  return text.left(2) + "." + text.mid(2, 2) + "." + text.mid(4, 2);
}

}  // namespace

CardLogCells DecodeCardLogRow(int16_t van, const QString &data, int16_t kind) {
  CardLogCells c;
  const QString text = DelChar(data.trimmed(), QChar(0));
  const bool request = kind == 0 || kind == 2;
  if (!text.contains(QChar(28))) {
    // The call's tag, " : " and its amount; the outcome rows are the tag alone.
    const int at = int(text.indexOf(QStringLiteral(" :")));
    c.col[7] = (at < 0 ? text : text.left(at)).trimmed();
    if (at >= 0) {
      const QString digits = KeepDigits(text.mid(at + 2), 0);
      if (!digits.isEmpty()) c.col[4] = Number(digits);
    }
    c.tinted = kind == 0;
    return c;
  }
  if (van != 3 && van != 5) return c;
  const QStringList f = text.split(QChar(28));
  if (van == 3) {
    if (request) {
      c.col[1] = Field(f, 0).mid(1, 16);
      c.col[4] = Number(Field(f, 1));
      c.col[7] = Kind(kind);
    } else {
      c.col[1] = Kind(kind);
      c.col[2] = DatePairs(Field(f, 0).left(6));
      c.col[3] = Field(f, 6);
      c.col[5] = Field(f, 10);
      c.col[6] = Acquirer(Field(f, 11));
      c.col[7] = Field(f, 8);
    }
  } else {
    if (request) {
      c.col[1] = Field(f, 3).left(16);
      c.col[4] = Number(Field(f, 5));
      c.col[7] = Kind(kind);
    } else {
      c.col[1] = Kind(kind);
      c.col[2] = DatePairs(Field(f, 3).right(6));
      c.col[3] = Field(f, 10);
      c.col[5] = Field(f, 6);
      c.col[6] = Acquirer(Field(f, 7));
      c.col[7] = Field(f, 4);
    }
  }
  c.tinted = request;
  return c;
}

frmCardCancel::frmCardCancel(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmCardCancel"));
  setWindowTitle(QStringLiteral("카드승인조회"));
  auto *lay = new QVBoxLayout(this);
  auto *top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("작업일자"), this));
  dtpDate = new QDateEdit(this);
  dtpDate->setObjectName("dtpDate");
  dtpDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  dtpDate->setCalendarPopup(true);
  top->addWidget(dtpDate);
  top->addStretch();
  cmdCancel = new QPushButton(QStringLiteral("닫기"), this);
  cmdCancel->setObjectName("cmdCancel");
  cmdCancel->setAutoDefault(false);
  top->addWidget(cmdCancel);
  lay->addLayout(top);
  vaSpread1 = new orv::Grid(this);
  vaSpread1->setObjectName("vaSpread1");
  vaSpread1->SetMaxCols(7);
  const std::pair<const char *, double> cols[] = {{"카드번호", 17.37}, {"승인일자", 9.12},
                                                  {"승인번호", 10.5},  {"승인금액", 10.62},
                                                  {"카드명", 15.25},   {"매입코드", 9.87},
                                                  {"비고", 11.62}};
  for (int i = 0; i < 7; ++i) {
    vaSpread1->SetColHeaderText(i + 1, QString::fromUtf8(cols[i].first));
    vaSpread1->SetColWidth(i + 1, cols[i].second);
  }
  vaSpread1->SetColAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
  lay->addWidget(vaSpread1);
  resize(900, 500);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

  // Opening.
  msViewDate = QStringLiteral("%1%2%3")
                   .arg(giWrkYear, 4, 10, QChar('0'))
                   .arg(giWrkMonth, 2, 10, QChar('0'))
                   .arg(giWrkDay, 2, 10, QChar('0'));
  {
    QSignalBlocker block(dtpDate);
    dtpDate->setDate(QDate(giWrkYear, giWrkMonth, giWrkDay));
  }
  vaSpread1->SetRow(-1);
  vaSpread1->SetCol(1);
  vaSpread1->SetRow2(-1);
  vaSpread1->SetCol2(7);
  vaSpread1->SetBlockMode(true);
  vaSpread1->SetLock(true);
  vaSpread1->SetBlockMode(false);
  connect(dtpDate, &QDateEdit::dateChanged, this, [this](QDate d) {
    msViewDate = d.toString(QStringLiteral("yyyyMMdd"));
    ListDay();
  });
  ListDay();
}

void frmCardCancel::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape) {
    reject();
    return;
  }
  QDialog::keyPressEvent(event);
}

void frmCardCancel::ListDay() {
  std::optional<orv::WaitCursor> busy(std::in_place);
  vaSpread1->SetMaxRows(0);
  orv::db::Recordset rs;
  try {
    rs = orv::QueryBound(goDbPos,
                         QStringLiteral("Select ClgData, ClgGbn From CardLog Where ClgDate=? And "
                                        "ClgPosNo=? And ClgGbn in(0,1,2,3) Order By ClgTime, "
                                        "ClgGbn, ClgChtNo"),
                         {msViewDate, int(giSetPosNo)});
  } catch (const orv::db::DbError &e) {
    busy.reset();
    orv::dialogs::MsgBox(QStringLiteral("오류번호 : ") + QString::number(e.Number) + "\r\n" +
                             QStringLiteral("오류내용 : ") + e.Description,
                         orv::dialogs::kCritical, QStringLiteral("카드승인조회"));
    return;
  }
  vaSpread1->SetMaxRows(rs.RecordCount());
  const int16_t van = giSetVan;
  int row = 0;
  for (; !rs.Eof(); rs.MoveNext()) {
    ++row;
    const CardLogCells c = DecodeCardLogRow(van, NzStr(rs.Field("ClgData")),
                                            int16_t(NzCur(rs.Field("ClgGbn")).RoundToInt()));
    for (int col = 1; col <= 7; ++col)
      if (!c.col[col].isEmpty()) SetCellText(vaSpread1, row, col, c.col[col]);
    if (c.tinted) {
      vaSpread1->SetRow(row);
      vaSpread1->SetCol(1);
      vaSpread1->SetRow2(row);
      vaSpread1->SetCol2(7);
      vaSpread1->SetBlockMode(true);
      vaSpread1->SetBackColor(kRequestTint);
      vaSpread1->SetBlockMode(false);
    }
  }
}
