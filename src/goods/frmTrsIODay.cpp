#include "goods/frmTrsIODay.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "chit/records.h"
#include "core/globals.h"
#include "core/text_format.h"
#include "core/values.h"
#include "goods/goods_form.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/keys.h"
#include "platform/list_grid.h"
#include "schema/month_tables.h"

using namespace orv;

namespace orv::goods {

QVector<LedgerIn> ReadTrsLedger(int year, int month, Currency trsKey) {
  const int yymm = (year % 100) * 100 + month;
  if (ExistsTrsMastTable({}, int16_t(yymm)) == 0) return {};
  const bool chits = ExistsPanChitTable({}, int16_t(yymm), 0) != 0;
  const QString m = schema::MonthSuffix(yymm);
  const QString first = QStringLiteral("%1%2").arg(year, 4, 10, QChar('0')).arg(month, 2, 10, QChar('0'));
  const QString last = first + QStringLiteral("31");
  const int d1 = 0, d2 = 31;
  auto range = [](const char *y, const char *mo, const char *d, const char *date) {
    return QStringLiteral(
               " Where ( ( %1>? ) Or ( %1=? And %2>? ) Or ( %1=? And %2=? And %3>=? ) )"
               " And ( ( %1<? ) Or ( %1=? And %2<? ) Or ( %1=? And %2=? And %3<=? ) )"
               " And %4 >= ? And %4 <= ?")
        .arg(QString::fromLatin1(y), QString::fromLatin1(mo), QString::fromLatin1(d), QString::fromLatin1(date));
  };
  QString sql = QStringLiteral(
                    "Select TmsDate, TmsYear, TmsMon, TmsDay, TmsMech, TmsMcdc, TmsMcSugum, TmsMcMisu, 0 As Src"
                    " From TrsMast") +
                m + range("TmsYear", "TmsMon", "TmsDay", "TmsDate") + " And TmsTrsKey = ?";
  if (chits)
    sql += QStringLiteral(
               " UNION ALL Select PctDate, PctYear, PctMon, PctDay, PctHab, PctDc, (PctHab-PctOiSang),"
               " PctOiSang, 1 From PanChit") +
           m + range("PctYear", "PctMon", "PctDay", "PctDate") + " And PctTrsKey = ? And PctJunSong = 1";
  sql += QStringLiteral(" Order By 1, 9");
  db::Statement st = goDbMain.Prepare(sql);
  const QVariantList args{year, year, month, year, month, d1, year, year, month, year, month, d2, first + "00",
                          last, BindCur(trsKey)};
  for (int p = 0; p < (chits ? 2 : 1); ++p)
    for (int i = 0; i < args.size(); ++i) st.Bind(p * int(args.size()) + i, args[i]);
  const db::Recordset rs = st.Query();
  QVector<LedgerIn> out;
  out.reserve(rs.RecordCount());
  for (int r = 0; r < rs.RecordCount(); ++r) {
    auto cur = [&](int c) { return NzCur(rs.Value(r, c)); };
    out.push_back({int32_t(cur(1).RoundToInt()), int32_t(cur(2).RoundToInt()), int32_t(cur(3).RoundToInt()),
                   cur(4), cur(5), cur(6), cur(7)});
  }
  return out;
}

}  // namespace orv::goods

namespace {
QString Amount(Currency v) { return v.IsZero() ? QString() : FmtAmt(v, 0); }
}  // namespace

frmTrsIODay::frmTrsIODay(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmTrsIODay"));
  setWindowTitle(QStringLiteral("매출처 원장!!"));
  resize(560, 600);
  Label1 = new QLabel(QStringLiteral("일 자 :"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  dtpWrkDate = new QDateEdit(this);
  dtpWrkDate->setObjectName(QStringLiteral("dtpWrkDate"));
  dtpWrkDate->setDisplayFormat(QStringLiteral("yyyy.MM"));
  cmdSerch = new QPushButton(QStringLiteral("조회"), this);
  cmdSerch->setObjectName(QStringLiteral("cmdSerch"));
  cmdExit = new QPushButton(QStringLiteral("종료"), this);
  cmdExit->setObjectName(QStringLiteral("cmdExit"));
  vaSpread1 = new ListGrid(this);
  vaSpread1->setObjectName(QStringLiteral("vaSpread1"));
  vaSpread1->SetMaxCols(5);
  const char *heads[5] = {"날짜", "매출금액", "할인금액", "수금금액", "현재잔액"};
  for (int c = 1; c <= 5; ++c) {
    vaSpread1->SetColHeaderText(c, QString::fromUtf8(heads[c - 1]));
    vaSpread1->SetColWidth(c, c == 1 ? 12 : 13);
  }
  vaSpread1->SetFormatter([](const ListFields &f, int col) { return ListCell{f.value(col - 1).toString()}; });

  auto *top = new QHBoxLayout;
  top->addWidget(Label1);
  top->addWidget(dtpWrkDate);
  top->addWidget(cmdSerch);
  top->addStretch();
  top->addWidget(cmdExit);
  auto *lay = new QVBoxLayout(this);
  lay->addLayout(top);
  lay->addWidget(vaSpread1, 1);

  connect(cmdSerch, &QPushButton::clicked, this, &frmTrsIODay::cmdSerch_Click);
  connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
  goods::EscCloses(this);
}

void frmTrsIODay::Load() {
  dtpWrkDate->setDate(QDate(giWrkYear, giWrkMonth, giWrkDay));
  cmdSerch_Click();
}

void frmTrsIODay::cmdSerch_Click() {
  goods::WaitCursor wait;
  ShowTrsLedger();
}

void frmTrsIODay::ShowTrsLedger() {
  vaSpread1->Clear();
  QVector<goods::LedgerIn> rows;
  try {
    const QDate d = dtpWrkDate->date();
    rows = goods::ReadTrsLedger(d.year(), d.month(), gtCstCode.CcdTrsKey);
  } catch (const std::exception &e) {
    goods::ShowError(this, e);
    return;
  }
  QVector<ListFields> fields;
  for (const goods::LedgerOut &o : goods::BuildLedger(rows))
    fields.push_back({o.date, Amount(o.mech), Amount(o.mcdc), Amount(o.sugum), Amount(o.balance)});
  vaSpread1->AppendRows(std::move(fields));
}

void ShowfrmTrsIODay(QWidget *parent) {
  frmTrsIODay form(parent);
  form.Load();
  dialogs::ShowModal(form);
}
