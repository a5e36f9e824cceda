#include "closing/frmTerminate.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "closing/closing_print.h"
#include "closing/closing_ui.h"
#include "core/application.h"
#include "core/globals.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/busy_pointer.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "platform/settings_store.h"
#include "platform/widget_colors.h"

namespace orv::closing {

namespace ss = orv::settings_store;

namespace {

constexpr long kBoxBack = 0xE0E0E0;
constexpr long kRealBack = 0xC0C0C0;
constexpr long kCountBack = 0xC0FFFF;
constexpr long kCouponRow = 0x00FF00;
constexpr long kReturnRow = 0x00FFFF;
const QString kCaption = QStringLiteral("영업마감 내역");

QLineEdit *Box(QWidget *parent, const char *name, long back) {
  auto *b = new QLineEdit(parent);
  b->setObjectName(QLatin1String(name));
  b->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  b->setReadOnly(true);  // the figures come from the chits, never from typing
  b->setFocusPolicy(Qt::NoFocus);
  colors::SetBack(b, back);
  return b;
}

QPushButton *Button(QWidget *parent, const char *name, const QString &caption) {
  auto *b = new QPushButton(caption, parent);
  b->setObjectName(QLatin1String(name));
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

QString Amt(Currency v) { return FmtAmt(v, 0); }

}  // namespace

frmTerminate::frmTerminate(QWidget *parent) : QDialog(parent) {
  setObjectName("frmTerminate");
  setWindowTitle(kCaption);
  auto *root = new QVBoxLayout(this);

  auto *head = new QHBoxLayout;
  auto label = [this](const char *name, const QString &text = {}) {
    auto *l = new QLabel(text, this);
    l->setObjectName(QLatin1String(name));
    return l;
  };
  lblSaNo = label("lblSaNo");
  lblSaName = label("lblSaName");
  lblLoad = label("lblLoad");
  lblDate = label("lblDate");
  lblTime = label("lblTime");
  colors::SetBack(lblSaNo, 0xC0FFFF);
  colors::SetBack(lblSaName, 0xC0FFFF);
  colors::SetBack(lblLoad, 0xC0FFC0);
  for (QLabel *l : {lblDate, lblTime}) {
    colors::SetBack(l, 0xE0E0E0);
    colors::SetFore(l, 0xFF0000);
  }
  head->addWidget(new QLabel(QStringLiteral("판매사원"), this));
  for (QLabel *l : {lblSaNo, lblSaName, lblLoad, lblDate, lblTime}) head->addWidget(l);
  head->addStretch(1);
  root->addLayout(head);

  auto *body = new QHBoxLayout;
  vaSpread1 = new Grid(this);
  vaSpread1->setObjectName("vaSpread1");
  vaSpread1->SetMaxCols(6);
  const char *heads[] = {"바코드", "상품명 & 규격", "수량", "판매합계", "", ""};
  const double widths[] = {15.37, 22.87, 7.25, 13.37, 8, 8};
  for (int c = 1; c <= 6; ++c) {
    vaSpread1->SetColHeaderText(c, QString::fromUtf8(heads[c - 1]));
    vaSpread1->SetColWidth(c, widths[c - 1]);
  }
  vaSpread1->SetColAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
  vaSpread1->SetColAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
  body->addWidget(vaSpread1, 1);

  auto *boxes = new QGridLayout;
  int row = 0;
  auto add = [&](const QString &caption, QLineEdit *box, bool dark = false) {
    auto *l = new QLabel(caption, this);
    if (dark) {
      colors::SetBack(l, 0x800000);
      colors::SetFore(l, 0xFFFFFF);
    }
    boxes->addWidget(l, row, 0);
    boxes->addWidget(box, row, 1, 1, 2);
    ++row;
  };
  txtInitGum = Box(this, "txtInitGum", kBoxBack);
  txtMidGum = Box(this, "txtMidGum", kBoxBack);
  txtPctHab = Box(this, "txtPctHab", kBoxBack);
  txtPctMoney = Box(this, "txtPctMoney", kBoxBack);
  txtPclJa = Box(this, "txtPclJa", kBoxBack);
  txtPclTa = Box(this, "txtPclTa", kBoxBack);
  txtPctCard = Box(this, "txtPctCard", kBoxBack);
  txtPctOiSang = Box(this, "txtPctOiSang", kBoxBack);
  txtPctCSobi = Box(this, "txtPctCSobi", kBoxBack);
  txtPclGum05 = Box(this, "txtPclGum05", kBoxBack);
  txtPclGum06 = Box(this, "txtPclGum06", kBoxBack);
  txtOiReturn = Box(this, "txtOiReturn", kBoxBack);
  txtOiMoney = Box(this, "txtOiMoney", kBoxBack);
  txtOiCard = Box(this, "txtOiCard", kBoxBack);
  txtNowMoney = Box(this, "txtNowMoney", kBoxBack);
  txtRealMoney = Box(this, "txtRealMoney", kRealBack);
  txtRealCard = Box(this, "txtRealCard", kRealBack);
  txtRealSang = Box(this, "txtRealSang", kRealBack);
  txtBanSu = Box(this, "txtBanSu", kCountBack);
  txtBanGum = Box(this, "txtBanGum", kBoxBack);
  txtCmsSu = Box(this, "txtCmsSu", kBoxBack);
  txtCmsGum = Box(this, "txtCmsGum", kBoxBack);
  txtPctGum = Box(this, "txtPctGum", kBoxBack);
  txtPctBuga = Box(this, "txtPctBuga", kBoxBack);
  txtPctNtx = Box(this, "txtPctNtx", kBoxBack);
  txtDcGum = Box(this, "txtDcGum", kBoxBack);
  txtDcGum->setToolTip(QStringLiteral("합계할인금액"));
  add(QStringLiteral("초기잔액"), txtInitGum);
  add(QStringLiteral("중간입금"), txtMidGum);
  add(QStringLiteral("판매합계"), txtPctHab);
  add(QStringLiteral("현금판매"), txtPctMoney);
  add(QStringLiteral("->자사상품"), txtPclJa);
  add(QStringLiteral("->타사상품"), txtPclTa);
  add(QStringLiteral("카드판매"), txtPctCard);
  add(QStringLiteral("외상판매"), txtPctOiSang);
  add(QStringLiteral("사내소비"), txtPctCSobi);
  add(QStringLiteral("고객점수"), txtPclGum05);
  add(QStringLiteral("잔돈적립"), txtPclGum06);
  add(QStringLiteral("외매회수"), txtOiReturn);
  add(QStringLiteral("->외매현금"), txtOiMoney);
  add(QStringLiteral("->외매카드"), txtOiCard);
  add(QStringLiteral("현재잔액"), txtNowMoney);
  add(QStringLiteral("실 현 금"), txtRealMoney, true);
  add(QStringLiteral("카 드 계"), txtRealCard, true);
  add(QStringLiteral("상 품 계"), txtRealSang, true);
  boxes->addWidget(new QLabel(QStringLiteral("반품"), this), row, 0);
  boxes->addWidget(txtBanSu, row, 1);
  boxes->addWidget(txtBanGum, row, 2);
  ++row;
  add(QStringLiteral("공  급  가"), txtPctGum);
  add(QStringLiteral("세     액"), txtPctBuga);
  add(QStringLiteral("면     세"), txtPctNtx);
  // Filled like the others and read by the reports, never shown.
  for (QWidget *w : {static_cast<QWidget *>(txtCmsSu), static_cast<QWidget *>(txtCmsGum),
                     static_cast<QWidget *>(txtDcGum)})
    w->hide();
  body->addLayout(boxes);
  root->addLayout(body, 1);

  auto *buttons = new QHBoxLayout;
  cmdInitGum = Button(this, "cmdInitGum", QStringLiteral("초기잔액(F1)"));
  cmdMidGum = Button(this, "cmdMidGum", QStringLiteral("중간입금(F2)"));
  cmdLogView = Button(this, "cmdLogView", QStringLiteral("로그보기(F3)"));
  cmdLoad = Button(this, "cmdLoad", QStringLiteral("불러오기(F4)"));
  cmdSave = Button(this, "cmdSave", QStringLiteral("저장하기(F5)"));
  cmdDelete = Button(this, "cmdDelete", QStringLiteral("삭제하기(F6)"));
  cmdPrint = Button(this, "cmdPrint", QStringLiteral("마감출력(F7)"));
  cmdCoinComp = Button(this, "cmdCoinComp", QStringLiteral("잔돈계산기[M]"));
  cmdOiView = Button(this, "cmdOiView", QStringLiteral("외상보기(L)"));
  cmdCardView = Button(this, "cmdCardView", QStringLiteral("카드보기(C)"));
  cmdOrView = Button(this, "cmdOrView", QStringLiteral("외회보기(K)"));
  cmdExit = Button(this, "cmdExit", QStringLiteral("종  료{ESC}"));
  for (QPushButton *b : {cmdInitGum, cmdMidGum, cmdLogView, cmdLoad, cmdSave, cmdDelete,
                         cmdPrint, cmdCoinComp, cmdOiView, cmdCardView, cmdOrView, cmdExit})
    buttons->addWidget(b);
  root->addLayout(buttons);
  resize(986, 699);

  tmrTime = new QTimer(this);
  tmrTime->setObjectName("tmrTime");
  tmrTime->setInterval(1000);
  connect(tmrTime, &QTimer::timeout, this, &frmTerminate::tmrTime_Timer);

  connect(cmdInitGum, &QPushButton::clicked, this, &frmTerminate::cmdInitGum_Click);
  connect(cmdMidGum, &QPushButton::clicked, this, &frmTerminate::cmdMidGum_Click);
  connect(cmdLogView, &QPushButton::clicked, this, &frmTerminate::cmdLogView_Click);
  connect(cmdLoad, &QPushButton::clicked, this, &frmTerminate::cmdLoad_Click);
  connect(cmdSave, &QPushButton::clicked, this, &frmTerminate::cmdSave_Click);
  connect(cmdDelete, &QPushButton::clicked, this, &frmTerminate::cmdDelete_Click);
  connect(cmdPrint, &QPushButton::clicked, this, &frmTerminate::cmdPrint_Click);
  connect(cmdCoinComp, &QPushButton::clicked, this, &frmTerminate::cmdCoinComp_Click);
  connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
  formkeys::InstallKeyPreview(this, {[this](int &k, int s) { Form_KeyDown(k, s); }, {}, {}});

  Form_Load();
}

void frmTerminate::ReportLoadError(const std::exception &e) { ShowFormError(e, kCaption); }

void frmTerminate::Form_Load() {
  ctx_ = WorkDateContext();
  lblSaNo->setText(gcPcdNo.ToPlainText());
  lblSaName->setText(gsPcdName);
  figures_ = {};
  ShowFigures(figures_);
  for (int c = 1; c <= vaSpread1->MaxCols(); ++c) {
    vaSpread1->SetRow(-1);
    vaSpread1->SetCol(c);
    vaSpread1->SetLock(true);
  }
  vaSpread1->SetColHidden(5, true);
  vaSpread1->SetColHidden(6, true);
  ss::SaveSettings({{"PosSalePrnOK", "0"}, {"TemChitLoad", "0"}, {"TemDate", ""},
                    {"TemChtNo", "0"}});
  loaded_ = false;
  try {
    ProbeClosingContext(ctx_);
  } catch (const std::exception &e) {
    // Without the probe no month is taken: the screen shows the cash figures only.
    ctx_.miHasPrev = ctx_.miHasCur = ctx_.miHasNext = 0;
    ReportLoadError(e);
  }
  tmrTime->start();
}

void frmTerminate::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  // The first activation, once the screen is up.
  QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

void frmTerminate::Form_Activate() {
  BusyPointer busy;
  loaded_ = !NzCur(ss::GetSetting(QStringLiteral("TemChitLoad"))).IsZero();
  if (!loaded_) {
    lblLoad->setText(QStringLiteral("O"));
    RefreshOpen();
  } else {
    lblLoad->setText(QStringLiteral("L"));
  }
}

bool frmTerminate::fcPanGdsSerch() {
  BusyPointer busy;
  const bool ok =
      RefreshStep(figures_, "fcPanGdsSerch", [&](ClosingFigures &f) { ReadGoodsFigures(ctx_, f); });
  ShowFigures(figures_);
  return ok;
}

bool frmTerminate::fcInitGumSerch() {
  BusyPointer busy;
  const bool ok = RefreshStep(figures_, "fcInitGumSerch", [&](ClosingFigures &f) { ReadInitGumFigures(f); });
  ShowFigures(figures_);
  return ok;
}

bool frmTerminate::fcOiReturnSerch() {
  BusyPointer busy;
  const bool ok =
      RefreshStep(figures_, "fcOiReturnSerch", [&](ClosingFigures &f) { ReadOiReturnFigures(ctx_, f); });
  ShowFigures(figures_);
  return ok;
}

bool frmTerminate::fcPanChitSerch() {
  BusyPointer busy;
  const bool ok =
      RefreshStep(figures_, "fcPanChitSerch", [&](ClosingFigures &f) { ReadPanChitFigures(ctx_, f); });
  ShowFigures(figures_);
  return ok;
}

bool frmTerminate::ReadOpenInto(ClosingFigures &f) {
  BusyPointer busy;
  return RefreshStep(f, "fcPanGdsSerch", [&](ClosingFigures &n) { ReadGoodsFigures(ctx_, n); }) &&
         RefreshStep(f, "fcInitGumSerch", [&](ClosingFigures &n) { ReadInitGumFigures(n); }) &&
         RefreshStep(f, "fcOiReturnSerch", [&](ClosingFigures &n) { ReadOiReturnFigures(ctx_, n); }) &&
         RefreshStep(f, "fcPanChitSerch", [&](ClosingFigures &n) { ReadPanChitFigures(ctx_, n); });
}

bool frmTerminate::RefreshOpen() {
  return fcPanGdsSerch() && fcInitGumSerch() && fcOiReturnSerch() && fcPanChitSerch();
}

void frmTerminate::ShowFigures(const ClosingFigures &f) {
  if (&f != &figures_) figures_ = f;
  const std::pair<QLineEdit *, Currency> amounts[] = {
      {txtInitGum, f.txtInitGum},     {txtMidGum, f.txtMidGum},     {txtPctHab, f.txtPctHab},
      {txtPctMoney, f.txtPctMoney},   {txtPclJa, f.txtPclJa},       {txtPclTa, f.txtPclTa},
      {txtPctCard, f.txtPctCard},     {txtPctOiSang, f.txtPctOiSang},
      {txtPctCSobi, f.txtPctCSobi},   {txtPclGum05, f.txtPclGum05}, {txtPclGum06, f.txtPclGum06},
      {txtOiReturn, f.txtOiReturn},   {txtOiMoney, f.txtOiMoney},   {txtOiCard, f.txtOiCard},
      {txtNowMoney, f.txtNowMoney},   {txtRealMoney, f.txtRealMoney},
      {txtRealCard, f.txtRealCard},   {txtRealSang, f.txtRealSang}, {txtBanGum, f.txtBanGum},
      {txtCmsGum, f.txtCmsGum},       {txtPctGum, f.txtPctGum},     {txtPctBuga, f.txtPctBuga},
      {txtPctNtx, f.txtPctNtx},       {txtDcGum, f.txtDcGum},
  };
  for (const auto &[box, value] : amounts) box->setText(Amt(value));
  txtBanSu->setText(QString::number(f.txtBanSu));
  txtCmsSu->setText(f.txtCmsSu.ToPlainText());

  std::vector<Grid::FillRow> rows;
  rows.reserve(f.goods.size());
  for (const ClosingGoodsRow &g : f.goods)
    rows.push_back({{g.BarcodeText(), g.NameText(), g.PcgSu.ToPlainText(),
                     g.PcgGum.ToPlainText(), g.PcgGdsKey.ToPlainText(),
                     QString::number(g.GcdSel1)},
                    {}});
  vaSpread1->FillRows(std::move(rows));
  for (int r = 1; r <= int(f.goods.size()); ++r) {
    const ClosingGoodsRow &g = f.goods[size_t(r - 1)];
    if (!g.IsCoupon() && g.Ord != 1) continue;
    vaSpread1->SetBlockMode(true);
    vaSpread1->SetRow(r);
    vaSpread1->SetRow2(r);
    vaSpread1->SetCol(1);
    vaSpread1->SetCol2(vaSpread1->MaxCols());
    vaSpread1->SetBackColor(g.IsCoupon() ? kCouponRow : kReturnRow);
    vaSpread1->SetBlockMode(false);
  }
}

void frmTerminate::tmrTime_Timer() {
  const QString d = ctx_.msWrkDate;
  lblDate->setText(d.left(4) + QStringLiteral("년") + d.mid(4, 2) + QStringLiteral("월") +
                   d.mid(6, 2) + QStringLiteral("일"));
  lblTime->setText(clock::Now().toString(QStringLiteral("hh:mm:ss")));
}

void frmTerminate::Form_KeyDown(int &keyCode, int shift) {
  Q_UNUSED(shift);
  const int k = keyCode;
  auto run = [&](void (frmTerminate::*fn)()) {
    keyCode = 0;
    (this->*fn)();
  };
  switch (k) {
    case keys::vbKeyF1: return run(&frmTerminate::cmdInitGum_Click);
    case keys::vbKeyF1 + 1: return run(&frmTerminate::cmdMidGum_Click);
    case keys::vbKeyF1 + 2: return run(&frmTerminate::cmdLogView_Click);
    case keys::vbKeyF1 + 3: return run(&frmTerminate::cmdLoad_Click);
    case keys::vbKeyF1 + 4: return run(&frmTerminate::cmdSave_Click);
    case keys::vbKeyF1 + 5: return run(&frmTerminate::cmdDelete_Click);
    case keys::vbKeyF1 + 6: return run(&frmTerminate::cmdPrint_Click);
    case keys::vbKeyA + ('M' - 'A'): return run(&frmTerminate::cmdCoinComp_Click);
    case keys::vbKeyEscape:
      keyCode = 0;
      reject();
      return;
    default:
      return;
  }
}

void frmTerminate::AfterChild() { Form_Activate(); }

void frmTerminate::cmdPrint_Click() {
  // Open figures are printed as they stand now; a loaded closing as it was loaded.
  if (!loaded_ && !RefreshOpen()) return;
  RunClosingPrint(this, figures_, ShownContext());
  AfterChild();
}

}  // namespace orv::closing
