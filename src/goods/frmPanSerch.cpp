#include "goods/frmPanSerch.h"

#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/globals.h"
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
#include "print/receipt.h"
#include "print/records_keeper.h"
#include "schema/month_tables.h"

using namespace orv;
using colors::Rgb;

namespace orv::goods {

QVector<PanSerchRow> ReadPanSerch(const QString &date, int posNo, Currency psnKey, bool creditOnly,
                                  bool chitOnly, bool *found) {
  if (found) *found = false;
  const int yymm = date.mid(2, 4).toInt();
  if (date.size() != 8 || ExistsPanChitTable({}, int16_t(yymm), 0) == 0 ||
      ExistsPanGodsTable({}, int16_t(yymm), 0) == 0)
    return {};
  if (found) *found = true;
  const QString m = schema::MonthSuffix(yymm);
  // The year, month and day columns let the tables' keys serve the filter and the join.
  const QString w = QStringLiteral(
                        " From PanChit%1 A JOIN PanGods%1 B ON A.PctYear = B.PcgYear AND A.PctMon = B.PcgMon"
                        " AND A.PctDay = B.PcgDay AND A.PctDate = B.PcgDate AND A.PctChtNo = B.PcgChtNo"
                        " LEFT JOIN GdsCode C ON B.PcgGdsKey = C.GcdKey"
                        " Where A.PctYear = ? And A.PctMon = ? And A.PctDay = ? And A.PctDate = ?"
                        " And A.PctPosNo = ? And A.PctPsnKey = ?")
                        .arg(m) +
                    (creditOnly ? QStringLiteral(" And A.PctOisang <> 0") : QString());
  QString sql = QStringLiteral(
                    "Select A.PctDate, A.PctChtNo, 0 As PcgSeqNo, A.PctWrtTime As GcdName, '' As GcdBarCode,"
                    " 0 As GcdNo, '' As GcdKyg, Sum(B.PcgSu) As PcgSu, 0 As PcgDanga, Sum(B.PcgGum) As PcgGum,"
                    " 0 As PcgTax, Sum(A.PctMoney) As PctMoney, Sum(A.PctCard) As PctCard,"
                    " Sum(A.PctOisang) As PctOiSang, Sum(A.PctCSobi) As PctCSobi, A.PctWrtTime") +
                w + " Group By A.PctDate, A.PctChtNo, A.PctWrtTime";
  int parts = 1;
  if (!chitOnly) {
    sql += QStringLiteral(
               " UNION ALL Select A.PctDate, A.PctChtNo, B.PcgSeqNo, C.GcdName, C.GcdBarCode, C.GcdNo, C.GcdKyg,"
               " B.PcgSu, B.PcgDanga, B.PcgGum, B.PcgTax, 0 As PctMoney, 0 As PctCard, 0 As PctOiSang,"
               " 0 As PctCSobi, A.PctWrtTime") +
           w;
    parts = 2;
  }
  sql += QStringLiteral(" Order By 1, 2, 3");
  db::Statement st = goDbMain.Prepare(sql);
  const QVariantList args{date.left(4).toInt(), date.mid(4, 2).toInt(), date.mid(6, 2).toInt(), date, posNo,
                          BindCur(psnKey)};
  for (int p = 0; p < parts; ++p)
    for (int i = 0; i < args.size(); ++i) st.Bind(p * int(args.size()) + i, args[i]);
  const db::Recordset rs = st.Query();
  QVector<PanSerchRow> out;
  out.reserve(rs.RecordCount());
  for (int r = 0; r < rs.RecordCount(); ++r) {
    auto cur = [&](int c) { return NzCur(rs.Value(r, c)); };
    auto str = [&](int c) { return NzStr(rs.Value(r, c)); };
    PanSerchRow row;
    row.date = str(0);
    row.chitNo = cur(1);
    row.seqNo = cur(2);
    row.chit = row.seqNo.IsZero();
    row.name = str(3);
    row.barcode = str(4);
    row.gcdNo = cur(5);
    row.kyg = str(6);
    row.su = cur(7);
    row.danga = cur(8);
    row.gum = cur(9);
    row.tax = cur(10);
    row.money = cur(11);
    row.card = cur(12);
    row.oisang = cur(13);
    row.cSobi = cur(14);
    row.time = str(15);
    out << row;
  }
  return out;
}

}  // namespace orv::goods

namespace {

// "##:##:##" on the time read as a number: 093015 shows as 9:30:15.
QString TimeText(const QString &time) {
  const QString digits = QString::number(NzCur(time).RoundToInt());
  QString out = QStringLiteral("##:##:##");
  qsizetype d = digits.size() - 1;
  for (qsizetype i = out.size() - 1; i >= 0; --i) {
    if (out[i] != '#') continue;
    if (d >= 0)
      out[i] = digits[d--];
    else
      out.remove(i, 1);
  }
  return out;
}

// "###,###,###": nothing for 0.
QString Amount(Currency v) { return v.IsZero() ? QString() : FmtAmt(v, 0); }

enum Field { kDate, kChitNo, kSeq, kName, kSu, kDanga, kGum, kPay, kTax, kTime, kChitDate, kIsChit, kCredit };

ListFields ToFields(const goods::PanSerchRow &r) {
  ListFields f(13);
  f[kChitNo] = r.chitNo.ToPlainText();
  f[kSeq] = r.seqNo.ToPlainText();
  f[kSu] = r.su.ToPlainText();
  f[kGum] = r.gum.ToPlainText();
  f[kTime] = r.time;
  f[kChitDate] = r.date;
  if (r.chit) {
    f[kDate] = r.date;
    f[kName] = QStringLiteral("* 판매 시간 : ") + TimeText(r.time);
    f[kPay] = goods::PayKinds(r.money, r.card, r.cSobi, r.oisang);
    f[kIsChit] = true;
    f[kCredit] = !r.oisang.IsZero();
  } else {
    f[kDate] = r.barcode.isEmpty() ? (r.gcdNo.IsZero() ? QString() : r.gcdNo.ToPlainText()) : r.barcode;
    f[kName] = r.kyg.isEmpty() ? r.name : r.name + '[' + r.kyg + ']';
    f[kDanga] = r.danga.ToPlainText();
    f[kTax] = r.tax.ToPlainText();
    f[kIsChit] = false;
    f[kCredit] = false;
  }
  return f;
}

ListCell FormatCell(const ListFields &f, int col) {
  ListCell c;
  const QVariant v = f.value(col - 1);
  c.text = (col >= 5 && col <= 7) ? (v.toString().isEmpty() ? QString() : FmtAmt(NzCur(v), 0)) : v.toString();
  if (f.value(kIsChit).toBool()) {
    const bool credit = f.value(kCredit).toBool();
    c.back = credit ? Rgb(255, 255, 128) : Rgb(128, 255, 128);
    c.fore = credit ? Rgb(255, 0, 255) : Rgb(0, 0, 255);
  }
  return c;
}

}  // namespace

frmPanSerch::frmPanSerch(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmPanSerch"));
  setWindowTitle(QStringLiteral("판매조회"));
  resize(796, 699);  // 11940 × 10485 twips

  txtSaNo = new QLineEdit(this);
  txtSaNo->setObjectName(QStringLiteral("txtSaNo"));
  txtSaNo->setMaximumWidth(90);
  lblSaName = new QLabel(this);
  lblSaName->setObjectName(QStringLiteral("lblSaName"));
  lblSaName->setMinimumWidth(120);
  dtpDate = new QDateEdit(this);
  dtpDate->setObjectName(QStringLiteral("dtpDate"));
  dtpDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  dtpDate->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
  dtpDate->setCalendarPopup(true);
  Frame1 = new QGroupBox(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  PanSelt0Opt = new QRadioButton(QStringLiteral("전체"), Frame1);
  PanSelt0Opt->setObjectName(QStringLiteral("PanSelt0Opt"));
  PanSelt1Opt = new QRadioButton(QStringLiteral("외상"), Frame1);
  PanSelt1Opt->setObjectName(QStringLiteral("PanSelt1Opt"));
  auto *optLay = new QHBoxLayout(Frame1);
  optLay->addWidget(PanSelt0Opt);
  optLay->addWidget(PanSelt1Opt);

  vaSpread1 = new ListGrid(this);
  vaSpread1->setObjectName(QStringLiteral("vaSpread1"));
  vaSpread1->SetMaxCols(11);
  const char *heads[11] = {"일자(바코드)", "번호", "SQ", "상품명[규격]", "수량", "단가", "금액", "비고", "", "", ""};
  const double widths[8] = {15.37, 7.12, 4.37, 25, 6.37, 9.87, 10.25, 5.37};
  for (int c = 1; c <= 11; ++c) {
    vaSpread1->SetColHeaderText(c, QString::fromUtf8(heads[c - 1]));
    if (c <= 8)
      vaSpread1->SetColWidth(c, widths[c - 1]);
    else
      vaSpread1->SetColHidden(c, true);
  }
  vaSpread1->SetFormatter(FormatCell);

  auto *top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("계산원 :"), this));
  top->addWidget(txtSaNo);
  top->addWidget(lblSaName);
  top->addSpacing(20);
  top->addWidget(new QLabel(QStringLiteral("일자 :"), this));
  top->addWidget(dtpDate);
  top->addWidget(Frame1);
  top->addStretch();

  auto *sums = new QGridLayout;
  const char *captions[6] = {"수    량:", "할인금액:", "합계금액:", "공 급 가:", "세    액:", "면    세:"};
  const char *names[6] = {"lblSu", "lblDC", "lblHab", "lblKong", "lblTax", "lblNoTax"};
  QLabel **labels[6] = {&lblSu, &lblDC, &lblHab, &lblKong, &lblTax, &lblNoTax};
  for (int i = 0; i < 6; ++i) {
    *labels[i] = goods::SumLabel(QString::fromLatin1(names[i]), this);
    sums->addWidget(new QLabel(QString::fromUtf8(captions[i]), this), i / 3, (i % 3) * 2);
    sums->addWidget(*labels[i], i / 3, (i % 3) * 2 + 1);
  }

  cmdSearch = goods::LegendButton(QStringLiteral("cmdSearch"), QStringLiteral("조회:F2"), this);
  cmdDate = goods::LegendButton(QStringLiteral("cmdDate"), QStringLiteral("일자:F3"), this);
  cmdPrint = goods::LegendButton(QStringLiteral("cmdPrint"), QStringLiteral("출력:F4"), this);
  cmdFind = goods::LegendButton(QStringLiteral("cmdFind"), QStringLiteral("전표찾기:F5"), this);
  cmdExit = goods::LegendButton(QStringLiteral("cmdExit"), QStringLiteral("종료:ESC"), this);
  auto *legend = new QHBoxLayout;
  for (QPushButton *b : {cmdSearch, cmdDate, cmdPrint, cmdFind, cmdExit}) legend->addWidget(b);

  auto *lay = new QVBoxLayout(this);
  lay->addWidget(goods::TitleBanner(QStringLiteral("판 매 조 회 작 업"), this));
  lay->addLayout(top);
  lay->addWidget(vaSpread1, 1);
  lay->addLayout(sums);
  lay->addLayout(legend);

  connect(cmdSearch, &QPushButton::clicked, this, &frmPanSerch::SwitchMode);
  connect(cmdDate, &QPushButton::clicked, this, [this] { dtpDate->setFocus(); });
  connect(cmdPrint, &QPushButton::clicked, this, &frmPanSerch::Reprint);
  connect(cmdFind, &QPushButton::clicked, this, &frmPanSerch::FindChit);
  connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
  connect(dtpDate, &QDateEdit::dateChanged, this, [this] { DateOrOptionChanged(false); });
  connect(PanSelt0Opt, &QRadioButton::toggled, this, [this](bool on) {
    if (on) DateOrOptionChanged(true);
  });
  connect(PanSelt1Opt, &QRadioButton::toggled, this, [this](bool on) {
    if (on) DateOrOptionChanged(true);
  });
  txtSaNo->installEventFilter(this);

  formkeys::InstallKeyPreview(this, {[this](int &vk, int) {
                                       switch (vk) {
                                         case keys::vbKeyEscape:
                                           vk = 0;
                                           reject();
                                           break;
                                         case keys::vbKeyReturn:
                                           SwitchMode();  // the box still gets Enter
                                           break;
                                         case keys::vbKeyF1 + 2:
                                           vk = 0;
                                           dtpDate->setFocus();
                                           break;
                                         case keys::vbKeyF1 + 3:
                                           vk = 0;
                                           Reprint();
                                           break;
                                         case keys::vbKeyF1 + 4:
                                           vk = 0;
                                           FindChit();
                                           break;
                                         default:
                                           break;
                                       }
                                     },
                                     {},
                                     {}});
}

void frmPanSerch::Load() {
  goods::WaitCursor wait;
  msPanDate = QStringLiteral("%1%2%3")
                  .arg(giWrkYear, 4, 10, QChar('0'))
                  .arg(giWrkMonth, 2, 10, QChar('0'))
                  .arg(giWrkDay, 2, 10, QChar('0'));
  {
    const QSignalBlocker b1(dtpDate), b2(PanSelt0Opt);
    dtpDate->setDate(QDate::fromString(msPanDate, QStringLiteral("yyyyMMdd")));
    PanSelt0Opt->setChecked(true);
  }
  txtSaNo->setText(gcPcdNo.ToPlainText());
  StaffLookup();
  mbChitOnly = false;
  SeekPanChit({});
}

void frmPanSerch::StaffLookup() {
  try {
    db::Statement st = goDbPos.Prepare(QStringLiteral("Select PcdKey, PcdNo, PcdName From PsnCode Where PcdNo = ?"));
    st.Bind(0, BindCur(NzCur(txtSaNo->text())));
    const db::Recordset rs = st.Query();
    if (rs.RecordCount() > 0) {
      mcPsnKey = NzCur(rs.Field(QStringLiteral("PcdKey")));
      txtSaNo->setText(NzCur(rs.Field(QStringLiteral("PcdNo"))).ToPlainText());
      lblSaName->setText(NzStr(rs.Field(QStringLiteral("PcdName"))));
    }
  } catch (const std::exception &e) {
    goods::ShowError(this, e);
  }
  SeekPanChit({});
}

void frmPanSerch::SeekPanChit(Currency chitNo) {
  QVector<goods::PanSerchRow> rows;
  bool found = false;
  {
    goods::WaitCursor wait;
    try {
      rows = goods::ReadPanSerch(msPanDate, giSetPosNo, mcPsnKey, PanSelt1Opt->isChecked(), mbChitOnly, &found);
    } catch (const std::exception &e) {
      goods::ShowError(this, e);
      return;
    }
  }
  if (!found) return;  // a month without tables lists nothing new
  QVector<ListFields> fields;
  fields.reserve(rows.size());
  for (const auto &r : rows) fields.push_back(ToFields(r));
  vaSpread1->SetReDraw(false);
  vaSpread1->Clear();
  vaSpread1->AppendRows(std::move(fields));
  vaSpread1->SetReDraw(true);
  if (!mbChitOnly) SumPanSerch();
  if (!chitNo.IsZero()) GoToChit(chitNo.ToPlainText());
}

void frmPanSerch::SumPanSerch() {
  QVector<goods::ChitLine> lines;
  for (int r = 1; r <= vaSpread1->MaxRows(); ++r) {
    const ListFields &f = vaSpread1->Fields(r);
    if (NzCur(f.value(kSeq)).IsZero()) continue;
    lines.push_back({NzCur(f.value(kSu)), NzCur(f.value(kDanga)), NzCur(f.value(kGum)),
                     int32_t(NzCur(f.value(kTax)).RoundToInt())});
  }
  const goods::ChitTotals t = goods::SumChitLines(lines);
  lblSu->setText(Amount(t.qty));
  lblHab->setText(Amount(t.total));
  lblKong->setText(Amount(t.supply));
  lblTax->setText(Amount(t.tax));
  lblNoTax->setText(Amount(t.noTax));
  // The discount against the total as shown.
  const Currency shown = NzCur(QString(lblHab->text()).remove(','));
  lblDC->setText(Amount(Currency::Sub(t.gross, shown).value_or(Currency())));
}

void frmPanSerch::SwitchMode() {
  mbChitOnly = !mbChitOnly;
  const int row = vaSpread1->ActiveRow();
  SeekPanChit(row > 0 ? NzCur(vaSpread1->Fields(row).value(kChitNo)) : Currency());
}

void frmPanSerch::GoToChit(const QString &digits) {
  for (int r = 1; r <= vaSpread1->MaxRows(); ++r)
    if (vaSpread1->CellValue(r, 2).contains(digits, Qt::CaseInsensitive)) {
      vaSpread1->SetActiveCell(2, r);
      return;
    }
}

void frmPanSerch::FindChit() {
  const auto answer = dialogs::InputBox(QStringLiteral("찾을 전표번호를 입력하세요"), QStringLiteral("전표찾기!!"),
                                        QStringLiteral("1"));
  const Currency no = NzCur(answer.value_or(QString()));
  if (no.IsZero()) return;
  GoToChit(no.ToPlainText());
}

void frmPanSerch::Reprint() {
  if (giOnLine != 1) {
    dialogs::MsgBox(QStringLiteral("온라인 상태에서만 출력이 가능합니다."));
    return;
  }
  const int row = vaSpread1->ActiveRow();
  if (row <= 0) return;  // nothing listed: nothing to print
  const ListFields &f = vaSpread1->Fields(row);
  print::RecordsKeeper keep;
  try {
    PrintSavedReceipt(f.value(kChitDate).toString(), int32_t(NzCur(f.value(kChitNo)).RoundToInt()), 6, 1, 1);
  } catch (const std::exception &e) {
    goods::ShowError(this, e);
  }
}

void frmPanSerch::DateOrOptionChanged(bool focusGrid) {
  mbChitOnly = false;
  msPanDate = dtpDate->date().toString(QStringLiteral("yyyyMMdd"));
  SeekPanChit({});
  if (focusGrid) vaSpread1->view()->setFocus();
}

bool frmPanSerch::eventFilter(QObject *watched, QEvent *event) {
  if (watched == txtSaNo) {
    if (event->type() == QEvent::KeyPress &&
        keys::ToVirtualKey(static_cast<QKeyEvent *>(event)) == keys::vbKeyReturn) {
      vaSpread1->view()->setFocus();
      return true;
    }
    // Another window taking the focus (a box, the date's calendar) is no leaving of the box.
    if (event->type() == QEvent::FocusOut && isVisible()) {
      const auto reason = static_cast<QFocusEvent *>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) StaffLookup();
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ShowfrmPanSerch(QWidget *parent) {
  frmPanSerch form(parent);
  form.Load();
  dialogs::ShowModal(form);
}
