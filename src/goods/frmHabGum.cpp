#include "goods/frmHabGum.h"

#include <QDate>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/globals.h"
#include "core/money_ops.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "goods/goods_form.h"
#include "goods/goods_rules.h"
#include "platform/colors.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/keys.h"
#include "platform/list_grid.h"
#include "schema/month_tables.h"

using namespace orv;
using namespace orv::money;

namespace orv::goods {

namespace {

const QString kSums = QStringLiteral(
    "Sum(A.PctHab) As PctHab, Sum(A.PctRGum) As PctRGum, Sum(A.PctMoney) As PctMoney, "
    "Sum(A.PctCard) As PctCard, Sum(A.PctOisang) As PctOisang, Sum(A.PctCSobi) As PctCSobi ");

// The hour of a chit: a blank time reads as no hour.
const QString kHour = QStringLiteral("CAST(NULLIF(trim(substr(A.PctWrtTime,1,2)), '') AS integer)");

QString CashierPart(const QString &table) {
  return QStringLiteral("Select 0 As Ord, 0 As Hr, B.PcdNo, B.PcdName, Count(A.PctChtNo) As PctChtNo, ") + kSums +
         " From " + table + " A LEFT JOIN PsnCode B ON A.PctPsnKey = B.PcdKey Where A.PctSss3 <> 1"
         " Group by B.PcdNo, B.PcdName";
}

QString HourPart(const QString &table) {
  return QStringLiteral("Select 1 As Ord, ") + kHour +
         " As Hr, B.PcdNo, B.PcdName, Count(A.PctChtNo) As PctChtNo, " + kSums + " From " + table +
         " A LEFT JOIN PsnCode B ON A.PctPsnKey = B.PcdKey Where A.PctSss3 <> 1"
         " Group by " + kHour + ", B.PcdNo, B.PcdName";
}

}  // namespace

HabGum ReadHabGum() {
  HabGum out;
  QStringList cu, hu;
  const QDate first(giWrkYear, giWrkMonth, 1);
  for (int d = -1; d <= 1; ++d) {
    const QDate m = first.addMonths(d);
    const int yymm = (m.year() % 100) * 100 + m.month();
    if (ExistsPanChitTTable({}, int16_t(yymm)) == 0) continue;
    const QString table = QStringLiteral("PanChitT") + schema::MonthSuffix(yymm);
    cu << CashierPart(table);
    hu << HourPart(table);
  }
  if (!cu.isEmpty()) {
    const QString sql =
        QStringLiteral("Select 0 As Ord, 0 As Hr, A.PcdNo, A.PcdName, Sum(A.PctChtNo) As PctChtNo, ") + kSums +
        " From (" + cu.join(" UNION ALL ") + ") A Group by A.PcdNo, A.PcdName UNION ALL "
        "Select 1 As Ord, A.Hr, A.PcdNo, A.PcdName, Sum(A.PctChtNo) As PctChtNo, " + kSums + " From (" +
        hu.join(" UNION ALL ") + ") A Group by A.Hr, A.PcdNo, A.PcdName"
        " Order by 1, 2 NULLS FIRST, 3 NULLS FIRST, 4 NULLS FIRST";
    db::Recordset rs = goDbPos.OpenRecordset(sql);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
      auto cur = [&](const char *c) { return NzCur(rs.Field(QString::fromLatin1(c))); };
      HabGumRow r;
      r.cashier = cur("Ord").IsZero();
      r.pcdNo = cur("PcdNo");
      r.name = r.cashier ? NzStr(rs.Field(QStringLiteral("PcdName"))) : HourBand(cur("Hr"));
      r.count = cur("PctChtNo");
      r.sales = cur("PctHab");
      r.received = cur("PctRGum");
      r.cash = CashSales(cur("PctMoney"), r.sales, r.received);
      r.card = cur("PctCard");
      r.cSobi = cur("PctCSobi");
      r.oisang = cur("PctOisang");
      r.average = AveragePerChit(r.sales, r.count);
      if (r.cashier) {
        out.count += r.count;
        out.sales += r.sales;
        out.cash += r.cash;
        out.card += r.card;
        out.cSobi += r.cSobi;
        out.oisang += r.oisang;
      }
      out.rows << r;
    }
  }
  out.average = AveragePerChit(out.sales, out.count);
  db::Statement st = goDbPos.Prepare(QStringLiteral(
      "Select Sum(IntInitGum) As IntInitGum, Sum(IntMidGum) As IntMidGum From InitGum Where IntPosNo = ?"));
  st.Bind(0, int(giSetPosNo));
  const db::Recordset ig = st.Query();
  out.drawer = out.cash;
  if (ig.RecordCount() > 0)
    out.drawer = out.cash + NzCur(ig.Field(QStringLiteral("IntInitGum"))) - NzCur(ig.Field(QStringLiteral("IntMidGum")));
  return out;
}

}  // namespace orv::goods

namespace {

constexpr int kCols = 12;
// "###,###,###": nothing for 0.
QString Amount(Currency v) { return v.IsZero() ? QString() : FmtAmt(v, 0); }
QString Num(Currency v) { return FmtAmt(v, 0); }

}  // namespace

frmHabGum::frmHabGum(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmHabGum"));
  setWindowTitle(QStringLiteral("합계금액조회"));
  resize(840, 697);  // 12600 × 10455 twips

  vaSpread1 = new ListGrid(this);
  vaSpread1->setObjectName(QStringLiteral("vaSpread1"));
  vaSpread1->SetMaxCols(kCols);
  const char *heads[kCols] = {"번호", "성명 & 시간", "건수", "판매금액", "받은금액", "[봉투판매]", "",
                              "객단가", "현금판매", "카드판매", "사내소비", "외상판매"};
  const double widths[kCols] = {7, 20.87, 7.37, 13.12, 13.37, 15.5, 11, 14, 14.25, 14.12, 13.87, 13.5};
  for (int c = 1; c <= kCols; ++c) {
    vaSpread1->SetColHeaderText(c, QString::fromUtf8(heads[c - 1]));
    vaSpread1->SetColWidth(c, widths[c - 1]);
  }
  vaSpread1->SetColHidden(7, true);
  vaSpread1->SetFormatter([](const ListFields &f, int col) {
    ListCell cell;
    cell.text = f.value(col - 1).toString();
    if (f.value(6).toString() == QLatin1String("1")) cell.back = colors::Rgb(255, 255, 0);
    return cell;
  });

  auto *sums = new QGridLayout;
  const char *captions[9] = {"건    수:", "판매금액:", "실 잔 액:", "봉투판매:", "객 단 가:",
                             "현금판매:", "카드판매:", "사내소비:", "외상판매:"};
  QLabel **labels[9] = {&lblSum1, &lblSum2, &lblSum3, &lblSum4, &lblSum5,
                        &lblSum6, &lblSum7, &lblSum8, &lblSum9};
  for (int i = 0; i < 9; ++i) {
    *labels[i] = goods::SumLabel(QStringLiteral("lblSum%1").arg(i + 1), this);
    sums->addWidget(new QLabel(QString::fromUtf8(captions[i]), this), i / 3, (i % 3) * 2);
    sums->addWidget(*labels[i], i / 3, (i % 3) * 2 + 1);
  }
  cmdExit = goods::LegendButton(QStringLiteral("cmdExit"), QStringLiteral("ESC:종료"), this);
  connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);

  auto *lay = new QVBoxLayout(this);
  lay->addWidget(goods::TitleBanner(QStringLiteral("합 계 금 액 조 회 작 업"), this));
  lay->addWidget(vaSpread1, 1);
  lay->addLayout(sums);
  auto *legend = new QHBoxLayout;
  legend->addWidget(cmdExit);
  legend->addStretch();
  lay->addLayout(legend);

  goods::EscCloses(this);
}

void frmHabGum::Load() {
  goods::WaitCursor wait;
  vaSpread1->Clear();
  goods::HabGum h;
  try {
    h = goods::ReadHabGum();
  } catch (const std::exception &e) {
    goods::ShowError(this, e);
    return;
  }
  QVector<ListFields> rows;
  rows.reserve(h.rows.size());
  for (const goods::HabGumRow &r : h.rows)
    rows.push_back({r.pcdNo.ToPlainText(), r.name, Num(r.count), Num(r.sales), Num(r.received), QString(),
                    r.cashier ? QStringLiteral("1") : QString(), Num(r.average), Num(r.cash), Num(r.card),
                    Num(r.cSobi), Num(r.oisang)});
  vaSpread1->AppendRows(std::move(rows));
  lblSum1->setText(Amount(h.count));
  lblSum2->setText(Amount(h.sales));
  lblSum3->setText(Amount(h.drawer));
  lblSum5->setText(h.average.IsZero() ? QStringLiteral("0") : Amount(h.average));
  lblSum6->setText(Amount(h.cash));
  lblSum7->setText(Amount(h.card));
  lblSum8->setText(Amount(h.cSobi));
  lblSum9->setText(Amount(h.oisang));
}

void ShowfrmHabGum(QWidget *parent) {
  frmHabGum form(parent);
  form.Load();
  dialogs::ShowModal(form);
}
