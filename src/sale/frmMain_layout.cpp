// The controls of the sale screen and where they sit.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QValidator>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/grid.h"
#include "sale/frmMain.h"

namespace {

// Number cells take what their column may hold; the program writes past the editor.
class NumberRangeValidator : public QValidator {
 public:
  NumberRangeValidator(double lo, double hi, QObject *parent)
      : QValidator(parent), lo_(lo), hi_(hi) {}
  State validate(QString &input, int &) const override {
    static const QRegularExpression shape(QStringLiteral("^-?\\d*(\\.\\d*)?$"));
    const QString t = input.trimmed();
    if (t.isEmpty() || t == QLatin1String("-") || t == QLatin1String(".")) return Intermediate;
    if (!shape.match(t).hasMatch()) return Invalid;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok) return Intermediate;
    return (v >= lo_ && v <= hi_) ? Acceptable : Invalid;
  }

 private:
  double lo_, hi_;
};

}  // namespace

void frmMain::BuildControls() {
  auto label = [this](const char *name, const QString &caption = {}) {
    auto *l = new QLabel(caption, this);
    l->setObjectName(QString::fromLatin1(name));
    return l;
  };
  auto button = [this](const char *name, const QString &caption) {
    auto *b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
  };
  auto check = [this](const char *name, const QString &caption) {
    auto *c = new QCheckBox(caption, this);
    c->setObjectName(QString::fromLatin1(name));
    return c;
  };
  auto frame = [this](const char *name, QWidget *parent) {
    auto *f = new QFrame(parent ? parent : this);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(QFrame::StyledPanel);
    return f;
  };
  auto lineEdit = [this](const char *name, QWidget *parent) {
    auto *e = new QLineEdit(parent ? parent : this);
    e->setObjectName(QString::fromLatin1(name));
    return e;
  };

  // ---- heading
  Image1 = label("Image1", QStringLiteral("ORV POS"));
  Image1->setStyleSheet(QStringLiteral("font-weight: bold; color: #1f4e79;"));
  lblSaName = label("lblSaName");
  txtPosNo = lineEdit("txtPosNo", this);
  txtPosNo->setReadOnly(true);
  txtPosNo->setFixedWidth(40);
  lblLine = label("lblLine");
  lblLine->setAutoFillBackground(true);
  lblVan = label("lblVan", QStringLiteral("?"));
  lblSaleDate = label("lblSaleDate");
  dtpWrkDate = new QDateEdit(this);
  dtpWrkDate->setObjectName(QStringLiteral("dtpWrkDate"));
  dtpWrkDate->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
  dtpWrkDate->setCalendarPopup(true);
  dtpWrkDate->setEnabled(false);
  cmdDateSet = button("cmdDateSet", QStringLiteral("변경"));
  lblNow = label("lblNow", QStringLiteral("0000-00-00"));
  lblTime = label("lblTime", QStringLiteral("00:00:00"));
  lblDate = label("lblDate", QStringLiteral("Ver 0000.00.00"));
  QFont big = font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  for (QLabel *l : {lblSaName, lblLine}) l->setFont(big);

  // ---- sale grid
  vaSpread1 = new orv::Grid(this);
  vaSpread1->setObjectName(QStringLiteral("vaSpread1"));
  vaSpread1->SetMaxCols(kSaleGridCols);
  static const char16_t *const kHeaders[kSaleGridCols] = {
      u"바코드",   u"상품명 & 규격", u"수량",     u"단가",     u"금액",       u"DC",
      u"구분",     u"GdsKey",        u"면세구분", u"묶음No",   u"CmsNo",      u"Cms구분(9)",
      u"단종구분", u"재고제외",      u"점수제외", u"할인제외", u"",           u"GdsNo",
      u"공병금액", u"행사가격",      u"행사구분", u"멀티카드No"};
  for (int c = 1; c <= kSaleGridCols; ++c)
    vaSpread1->SetColHeaderText(c, QString::fromUtf16(kHeaders[c - 1]));
  static const double kWidths[] = {15, 30, 6, 10, 11, 4, 5};
  for (int c = 1; c <= 7; ++c) vaSpread1->SetColWidth(c, kWidths[c - 1]);
  for (int c : {ColQty, ColPrice, ColAmt}) vaSpread1->SetColAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  // A 13-digit barcode must show whole: digits are wider than the font's average letter.
  QTableWidget *table = vaSpread1->table();
  const int codeWidth = table->fontMetrics().horizontalAdvance(QStringLiteral("8801234567890-")) + 16;
  if (table->columnWidth(ColCode - 1) < codeWidth) table->setColumnWidth(ColCode - 1, codeWidth);
  table->horizontalHeader()->setStretchLastSection(false);
  // The name takes the room the other columns leave.
  table->horizontalHeader()->setSectionResizeMode(ColName - 1, QHeaderView::Stretch);

  vaSpread2 = new orv::Grid(this);
  vaSpread2->setObjectName(QStringLiteral("vaSpread2"));
  vaSpread2->hide();

  // ---- totals
  Label7 = label("Label7", QStringLiteral("합계"));
  lblHabGum = label("lblHabGum", QStringLiteral("0"));
  QFont huge = font();
  huge.setPointSize(huge.pointSize() + 14);
  huge.setBold(true);
  lblHabGum->setFont(huge);
  lblHabGum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label7->setFont(big);
  lblSuSum = label("lblSuSum", QStringLiteral("0"));
  lblDCSum = label("lblDCSum", QStringLiteral("0"));
  lblKongSum = label("lblKongSum", QStringLiteral("0"));
  lblNtxSum = label("lblNtxSum", QStringLiteral("0"));
  lblBugaSum = label("lblBugaSum", QStringLiteral("0"));
  lblSuHab = label("lblSuHab");
  for (QLabel *l : {lblSuSum, lblDCSum, lblKongSum, lblNtxSum, lblBugaSum, lblSuHab})
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  // ---- price kinds and status
  lblD = label("lblD", QStringLiteral("기본"));
  lblA = label("lblA", QStringLiteral("A"));
  lblB = label("lblB", QStringLiteral("B"));
  lblC = label("lblC", QStringLiteral("C"));
  lblSA = label("lblSA", QStringLiteral("특A"));
  lblSB = label("lblSB", QStringLiteral("특B"));
  lblSC = label("lblSC", QStringLiteral("특C"));
  lblJI = label("lblJI", QStringLiteral("지정"));
  for (QLabel *l : {lblD, lblA, lblB, lblC, lblSA, lblSB, lblSC, lblJI}) {
    l->setAutoFillBackground(true);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(34);
    l->setFrameShape(QFrame::Panel);
  }
  lblWait = label("lblWait", QStringLiteral("대기"));
  lblCard = label("lblCard", QStringLiteral("카드"));
  lblOiip = label("lblOiip", QStringLiteral("외입"));
  lblBdl = label("lblBdl", QStringLiteral("배달"));
  for (QLabel *l : {lblWait, lblCard, lblOiip, lblBdl}) {
    l->setAutoFillBackground(true);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Panel);
    l->setMinimumWidth(34);
  }
  Combo1 = new QComboBox(this);
  Combo1->setObjectName(QStringLiteral("Combo1"));
  Combo1->setMinimumWidth(140);

  // ---- partner
  txtTrsNo = lineEdit("txtTrsNo", this);
  txtTrsNo->setFixedWidth(80);
  txtTrsNo->setAutoFillBackground(true);
  TrsHelpCmd = button("TrsHelpCmd", QStringLiteral("?"));
  TrsHelpCmd->setFixedWidth(28);
  lblTrsName = label("lblTrsName");
  lblTrsPsn = label("lblTrsPsn");
  frmTrsMast = frame("frmTrsMast", this);
  lblTrsMisu = new QLabel(frmTrsMast);
  lblTrsMisu->setObjectName(QStringLiteral("lblTrsMisu"));
  {
    auto *l = new QHBoxLayout(frmTrsMast);
    l->setContentsMargins(4, 0, 4, 0);
    l->addWidget(new QLabel(QStringLiteral("미수"), frmTrsMast));
    l->addWidget(lblTrsMisu);
  }
  frmTrsMast->hide();

  // ---- the boxes that share one place
  fraPlace = new QWidget(this);
  fraPlace->setObjectName(QStringLiteral("fraPlace"));
  auto *place = new QGridLayout(fraPlace);
  place->setContentsMargins(0, 0, 0, 0);
  fraTrs = frame("fraTrs", fraPlace);
  txtTcdNo = lineEdit("txtTcdNo", fraTrs);
  {
    auto *l = new QHBoxLayout(fraTrs);
    l->addWidget(new QLabel(QStringLiteral("거래처코드"), fraTrs));
    l->addWidget(txtTcdNo);
  }
  fraCST = frame("fraCST", fraPlace);
  txtCstNo = lineEdit("txtCstNo", fraCST);
  CstSeekLbl = new QLabel(fraCST);
  CstSeekLbl->setObjectName(QStringLiteral("CstSeekLbl"));
  CstSeekLbl->setWordWrap(true);
  CstSeekLbl->setTextFormat(Qt::PlainText);
  {
    auto *l = new QVBoxLayout(fraCST);
    auto *opts = new QHBoxLayout;
    static const char16_t *const kOpt[] = {u"바코드F1", u"고객명F2", u"전화번호F3", u"핸드폰F4",
                                           u"고객번호F5"};
    for (int i = 1; i <= 5; ++i) {
      CstSeltOpt[i] = new QRadioButton(QString::fromUtf16(kOpt[i - 1]), fraCST);
      CstSeltOpt[i]->setObjectName(QStringLiteral("CstSeltOpt%1").arg(i));
      opts->addWidget(CstSeltOpt[i]);
    }
    l->addWidget(new QLabel(QStringLiteral("고객 검색"), fraCST));
    l->addWidget(txtCstNo);
    l->addLayout(opts);
    l->addWidget(CstSeekLbl);
  }
  fraCST->hide();
  fraNumber = frame("fraNumber", fraPlace);
  txtNumber = lineEdit("txtNumber", fraNumber);
  orv::dialogs::SetPasswordEcho(*txtNumber);
  {
    auto *l = new QHBoxLayout(fraNumber);
    l->addWidget(new QLabel(QStringLiteral("비밀번호"), fraNumber));
    l->addWidget(txtNumber);
  }
  fraNumber->hide();
  fraOneMoa = frame("fraOneMoa", fraPlace);
  fraOneMoa->hide();
  for (QFrame *f : {fraTrs, fraCST, fraNumber, fraOneMoa}) place->addWidget(f, 0, 0);

  // ---- toggles and commands
  cmdPrint = button("cmdPrint", QStringLiteral("영수증"));
  cmdCoin = button("cmdCoin", QStringLiteral("동 전"));
  cmdHalin = button("cmdHalin", QStringLiteral("할 인"));
  chkDanga = check("chkDanga", QStringLiteral("단가고정"));
  chkMisuNotPrn = check("chkMisuNotPrn", QStringLiteral("미수 미출력"));
  chkPrintBar = check("chkPrintBar", QStringLiteral("영수증 바코드"));
  chkCstAll = check("chkCstAll", QStringLiteral("전체"));
  chkCstAll->hide();
  cmdOIPrnSu = button("cmdOIPrnSu", QStringLiteral("외상영수증"));
  lblOIPrnSu = label("lblOIPrnSu", QStringLiteral("0"));
  CmdCC = button("CmdCC", QStringLiteral("CC"));
  cmdRebuild = button("cmdRebuild", QStringLiteral("데이타재전송"));
  cmdTerMinate = button("cmdTerMinate", QStringLiteral("영업마감"));
  cmdTrsMast = button("cmdTrsMast", QStringLiteral("원장보기"));
  Command4 = button("Command4", QStringLiteral("합계금액"));
  Command1 = button("Command1", QStringLiteral("판매보기"));
  cmdHelp = button("cmdHelp", QStringLiteral("?"));
  cmdExit = button("cmdExit", QStringLiteral("종 료"));
  for (QPushButton *b : {cmdPrint, cmdCoin, cmdHalin}) b->setAutoFillBackground(true);

  TotPointLbl = label("TotPointLbl", QStringLiteral("통합포인트오프라인"));
  TotPointLbl->hide();
  CstCcCmd = button("CstCcCmd", QStringLiteral("통합고객(00)"));
  CstCcCmd->hide();
  CstCcLbl = label("CstCcLbl", QStringLiteral("0000.00.00"));
  CstCcLbl->hide();
  OneMoaCmd = button("OneMoaCmd", QStringLiteral("O"));
  OneMoaNoLbl = label("OneMoaNoLbl");
  OneMoaNameLbl = label("OneMoaNameLbl");
  OneMoaPointLbl = label("OneMoaPointLbl");
  lblPosSpeedWait = label("lblPosSpeedWait", QStringLiteral("빠른대기"));
  lblPosSpeedWait->hide();

  // ---- overlays
  PanDeltFme = frame("PanDeltFme", this);
  PanDeltFme->setAutoFillBackground(true);
  PosWaitMsgLbl = new QLabel(PanDeltFme);
  PosWaitMsgLbl->setObjectName(QStringLiteral("PosWaitMsgLbl"));
  {
    auto *l = new QVBoxLayout(PanDeltFme);
    l->addWidget(new QLabel(QStringLiteral("과거판매삭제"), PanDeltFme));
    l->addWidget(PosWaitMsgLbl);
  }
  PanDeltFme->resize(320, 90);
  PanDeltFme->hide();

  fraHelp = frame("fraHelp", this);
  fraHelp->setAutoFillBackground(true);
  txtHelp = new QPlainTextEdit(fraHelp);
  txtHelp->setObjectName(QStringLiteral("txtHelp"));
  txtHelp->setReadOnly(true);
  PanDcTxt = new QLineEdit(fraHelp);
  PanDcTxt->setObjectName(QStringLiteral("PanDcTxt"));
  PanDcTxt->setFixedWidth(60);
  CardTaxFme = new QGroupBox(QStringLiteral("카드승인(세액)"), fraHelp);
  CardTaxFme->setObjectName(QStringLiteral("CardTaxFme"));
  CardTax0Opt = new QRadioButton(QStringLiteral("없음"), CardTaxFme);
  CardTax0Opt->setObjectName(QStringLiteral("CardTax0Opt"));
  CardTax1Opt = new QRadioButton(QStringLiteral("100%"), CardTaxFme);
  CardTax1Opt->setObjectName(QStringLiteral("CardTax1Opt"));
  CardTax2Opt = new QRadioButton(QStringLiteral("50%"), CardTaxFme);
  CardTax2Opt->setObjectName(QStringLiteral("CardTax2Opt"));
  {
    auto *l = new QHBoxLayout(CardTaxFme);
    for (QRadioButton *r : {CardTax0Opt, CardTax1Opt, CardTax2Opt}) l->addWidget(r);
  }
  fraExitCmd = new QPushButton(QStringLiteral("X"), fraHelp);
  fraExitCmd->setObjectName(QStringLiteral("fraExitCmd"));
  fraExitCmd->setAutoDefault(false);
  {
    auto *l = new QVBoxLayout(fraHelp);
    auto *head = new QHBoxLayout;
    head->addStretch();
    head->addWidget(fraExitCmd);
    l->addLayout(head);
    l->addWidget(txtHelp, 1);
    auto *dc = new QHBoxLayout;
    dc->addWidget(new QLabel(QStringLiteral("전체할인율         %"), fraHelp));
    dc->addWidget(PanDcTxt);
    dc->addStretch();
    l->addLayout(dc);
    l->addWidget(CardTaxFme);
  }
  // 8685 × 6900 twips.
  fraHelp->resize(6900 / 15, 8685 / 15);
  fraHelp->hide();

  // ---- timers
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);
  tmrScan = scanner->tmrScan;

  // ---- layout
  auto *head = new QHBoxLayout;
  head->addWidget(Image1);
  head->addSpacing(12);
  head->addWidget(lblSaName);
  head->addWidget(new QLabel(QStringLiteral("POS"), this));
  head->addWidget(txtPosNo);
  head->addWidget(lblLine);
  head->addWidget(lblVan);
  head->addStretch();
  head->addWidget(lblSaleDate);
  head->addWidget(dtpWrkDate);
  head->addWidget(cmdDateSet);
  head->addWidget(lblNow);
  head->addWidget(lblTime);
  head->addWidget(lblDate);

  auto *partner = new QHBoxLayout;
  partner->addWidget(new QLabel(QStringLiteral("거래처"), this));
  partner->addWidget(txtTrsNo);
  partner->addWidget(TrsHelpCmd);
  partner->addWidget(lblTrsName);
  partner->addWidget(lblTrsPsn);
  partner->addWidget(frmTrsMast);
  partner->addStretch();
  for (QLabel *l : {lblWait, lblCard, lblOiip, lblBdl}) partner->addWidget(l);

  auto *kinds = new QHBoxLayout;
  for (QLabel *l : {lblD, lblA, lblB, lblC, lblSA, lblSB, lblSC, lblJI}) kinds->addWidget(l);
  kinds->addWidget(Combo1);
  kinds->addStretch();
  kinds->addWidget(lblPosSpeedWait);
  kinds->addWidget(TotPointLbl);
  kinds->addWidget(CstCcCmd);
  kinds->addWidget(CstCcLbl);
  kinds->addWidget(chkCstAll);
  kinds->addWidget(OneMoaCmd);
  kinds->addWidget(new QLabel(QStringLiteral("원 모 아 :"), this));
  kinds->addWidget(OneMoaNoLbl);
  kinds->addWidget(new QLabel(QStringLiteral("고 객 명 :"), this));
  kinds->addWidget(OneMoaNameLbl);
  kinds->addWidget(new QLabel(QStringLiteral("포 인 트 :"), this));
  kinds->addWidget(OneMoaPointLbl);

  auto *left = new QVBoxLayout;
  left->addWidget(vaSpread1, 1);
  left->addLayout(partner);
  left->addLayout(kinds);

  auto *sums = new QFormLayout;
  sums->addRow(QStringLiteral("수량"), lblSuSum);
  sums->addRow(QStringLiteral("할인"), lblDCSum);
  sums->addRow(QStringLiteral("공급가"), lblKongSum);
  sums->addRow(QStringLiteral("면세"), lblNtxSum);
  sums->addRow(QStringLiteral("부가세"), lblBugaSum);
  sums->addRow(QStringLiteral("총수량"), lblSuHab);
  // The paid sale's total and card amount, under the sums until the next sale's first line.
  auto *paid = frame("CashTerminateFme", nullptr);
  {
    auto *f = new QFormLayout(paid);
    for (const char *name : {"CashTerminateHabLbl", "CashTerminateCardLbl"}) {
      auto *l = new QLabel(paid);
      l->setObjectName(QString::fromLatin1(name));
      l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("-000,000,000")));
      f->addRow(qstrcmp(name, "CashTerminateHabLbl") == 0 ? QStringLiteral("결제")
                                                          : QStringLiteral("카드"),
                l);
    }
  }
  paid->hide();
  auto *right = new QVBoxLayout;
  right->addWidget(Label7);
  right->addWidget(lblHabGum);
  right->addLayout(sums);
  right->addWidget(paid);
  right->addWidget(fraPlace);
  right->addStretch();

  auto *middle = new QHBoxLayout;
  middle->addLayout(left, 3);
  middle->addLayout(right, 1);

  auto *toggles = new QHBoxLayout;
  for (QWidget *w : std::initializer_list<QWidget *>{cmdPrint, cmdCoin, cmdHalin, chkDanga,
                                                     chkMisuNotPrn, chkPrintBar, cmdOIPrnSu,
                                                     lblOIPrnSu})
    toggles->addWidget(w);
  toggles->addStretch();
  toggles->addWidget(CmdCC);
  toggles->addWidget(cmdRebuild);
  auto *commands = new QHBoxLayout;
  commands->addWidget(cmdTerMinate);
  commands->addWidget(cmdTrsMast);
  commands->addStretch();
  for (QPushButton *b : {Command4, Command1, cmdExit, cmdHelp}) commands->addWidget(b);

  auto *root = new QVBoxLayout(this);
  root->addLayout(head);
  root->addLayout(middle, 1);
  root->addLayout(toggles);
  root->addLayout(commands);
}

void frmMain::SetUpNumberEditors() {
  static const struct {
    int col;
    double lo, hi;
  } kRanges[] = {{ColQty, -9999, 9999},
                 {ColPrice, -99999999, 99999999},
                 {ColAmt, -9999999999999.0, 9999999999999.0}};
  auto *table = vaSpread1->table();
  // The grid's editors are line edits made on demand: each gets its column's range when it
  // takes the focus.
  connect(qApp, &QApplication::focusChanged, this, [table](QWidget *, QWidget *now) {
    auto *edit = qobject_cast<QLineEdit *>(now);
    if (!edit || edit->validator() || !table->viewport()->isAncestorOf(edit)) return;
    const int col = table->currentColumn() + 1;
    for (const auto &r : kRanges)
      if (r.col == col) edit->setValidator(new NumberRangeValidator(r.lo, r.hi, edit));
  });
}
