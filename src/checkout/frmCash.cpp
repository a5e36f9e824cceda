#include "core/application.h"
#include "checkout/frmCash.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "checkout/checkout_globals.h"
#include "checkout/frmPrintOnOff.h"
#include "customer/cst_chit.h"
#include "checkout/money_ops.h"
#include "checkout/pay_calc.h"
#include "checkout/pay_out.h"
#include "checkout/sale_commit.h"
#include "chit/sale_savers.h"
#include "chit/etc_chits.h"
#include "chit/pan_money.h"
#include "chit/read_back.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "core/byte_text.h"
#include "core/card_ret.h"
#include "core/connections.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/daily_log.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "display/pole_display.h"
#include "platform/clock.h"
#include "platform/colors.h"
#include "platform/widget_colors.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/settings_store.h"
#include "print/drawer.h"
#include "print/receipt.h"
#include "platform/serial_port.h"
#include "chit/sale_state.h"
#include "sync/go_offline.h"
#include "van/frmCardOK.h"
#include "van/frmDisCard.h"
#include "van/frmMoneyChk.h"
#include "van/frmSupyoChk.h"
#include "van/frmCardChk.h"

using orv::Currency;
using orv::Guarded;
using orv::RunGuarded;
using namespace orv::checkout;
namespace dlg = orv::dialogs;
namespace vk = orv::keys;

namespace {

constexpr long kKindOn = orv::colors::Rgb(255, 224, 192);
constexpr long kKindOff = orv::colors::Rgb(128, 255, 255);
constexpr long kBoxFocus = orv::colors::Rgb(255, 255, 192);
constexpr long kSaveFocus = orv::colors::Rgb(222, 201, 221);
constexpr long kSaveIdle = orv::colors::Rgb(224, 224, 224);

frmCash *g_open = nullptr;

using orv::colors::SetBack;

// The hourglass for as long as the object lives.
struct Hourglass {
  Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Hourglass() { QApplication::restoreOverrideCursor(); }
};

QString Plain(Currency c) { return c.ToPlainText(); }

// A busy flag back to 0 on every way out, an error included.
struct Released {
  int16_t &flag;
  ~Released() { flag = 0; }
};

}  // namespace

// ====================================================================== building

frmCash::frmCash(orv::serial::Port *poleDisplay, QWidget *parent, OneMoaCalls oneMoa)
    : QDialog(parent), poleDisplay_(poleDisplay), oneMoa_(std::move(oneMoa)) {
  setObjectName("frmCash");
  setWindowTitle(QStringLiteral("계산결과"));
  BuildControls();
  g_open = this;
}

frmCash::~frmCash() {
  if (g_open == this) g_open = nullptr;
}

void frmCash::BuildControls() {
  auto *grid = new QGridLayout(this);
  auto label = [this](const char *name, const QString &caption) {
    auto *l = new QLabel(caption, this);
    l->setObjectName(name);
    return l;
  };
  auto box = [this](const char *name) {
    auto *e = new QLineEdit(this);
    e->setObjectName(name);
    e->setAlignment(Qt::AlignRight);
    return e;
  };
  auto tagged = [](QWidget *w) {
    w->setProperty("Tag", "1");
    return w;
  };

  Label1 = label("Label1", QStringLiteral("발생번호:"));
  txtNo = box("txtNo");
  chkIpGum = new QCheckBox(QStringLiteral("외상입금"), this);
  chkIpGum->setObjectName("chkIpGum");
  lblHabGum = label("lblHabGum", "0");
  lblRGum = label("lblRGum", "0");
  lblReGum = label("lblReGum", "0");
  const char *gbnNames[] = {"", "", "lblGbn2", "lblGbn3", "lblGbn4",
                            "lblGbn5", "lblGbn6", "lblGbn7", "lblGbn8"};
  const QString gbnCaptions[] = {{},
                                 {},
                                 QStringLiteral("F2=>현금판매"),
                                 QStringLiteral("F3=>신용판매"),
                                 QStringLiteral("F4=>사내소비"),
                                 QStringLiteral("F5=>외상판매"),
                                 QStringLiteral("F6=>자상품권"),
                                 QStringLiteral("F7=>타상품권"),
                                 QStringLiteral("F8=>고객점수")};
  for (int k = 2; k <= 8; ++k) lblGbn[k] = label(gbnNames[k], gbnCaptions[k]);
  txtPayGum = box("txtPayGum");
  txtCard = box("txtCard");
  txtCSobi = box("txtCSobi");
  txtOisang = box("txtOisang");
  txtJaSangPum = box("txtJaSangPum");
  txtTaSangPum = box("txtTaSangPum");
  txtCustJum = box("txtCustJum");
  txtDisCoinPoint = box("txtDisCoinPoint");
  Label3 = label("Label3", QStringLiteral("현금판매"));
  Label6 = label("Label6", QStringLiteral("신용판매"));
  Label7 = label("Label7", QStringLiteral("사내소비"));
  Label8 = label("Label8", QStringLiteral("외상판매"));
  lblJaSangPum = label("lblJaSangPum", QStringLiteral("자상품권"));
  Label12 = label("Label12", QStringLiteral("타상품권"));
  Label5 = label("Label5", QStringLiteral("고객점수"));
  Label4 = label("Label4", QStringLiteral("거스름돈"));
  Label13 = label("Label13", QStringLiteral("할인금액"));
  lblDcGum = label("lblDcGum", "");
  Label14 = label("Label14", QStringLiteral("[  F1=>할인율  ]"));
  lblUseCustGum = label("lblUseCustGum", "");
  lblUseCustJum = label("lblUseCustJum", "");
  lblCoinPoint = label("lblCoinPoint", QStringLiteral("잔돈적립(F9)"));
  lblCoinPoint->setToolTip(QStringLiteral("잔돈적립은 1~99원"));
  lblDisCoinPoint = label("lblDisCoinPoint", QStringLiteral("잔돈차감(F10)"));
  Label2 = label("Label2", QStringLiteral("적립(F9) 차감(F10)"));
  CwtDispLbl = label("CwtDispLbl", QStringLiteral("기존 전표 반품 기록"));
  CardMsgLbl = label("CardMsgLbl", QStringLiteral("* 신용판매 창 호출 중 *"));
  lblTotSu = label("lblTotSu", "");
  lblTime = label("lblTime", "00:00:00");
  TrsMisuFme = new QFrame(this);
  TrsMisuFme->setObjectName("TrsMisuFme");
  auto *fl = new QGridLayout(TrsMisuFme);
  Label9 = label("Label9", QStringLiteral("번호"));
  Label10 = label("Label10", QStringLiteral("거래처명"));
  Label15 = label("Label15", QStringLiteral("현재미수"));
  Label16 = label("Label16", QStringLiteral("미수한도"));
  TrsNoLbl = label("TrsNoLbl", "");
  TrsNameLbl = label("TrsNameLbl", "");
  TrsNowLbl = label("TrsNowLbl", "");
  TrsCheckLbl = label("TrsCheckLbl", "");
  fl->addWidget(Label9, 0, 0);
  fl->addWidget(TrsNoLbl, 0, 1);
  fl->addWidget(Label10, 1, 0);
  fl->addWidget(TrsNameLbl, 1, 1);
  fl->addWidget(Label15, 2, 0);
  fl->addWidget(TrsNowLbl, 2, 1);
  fl->addWidget(Label16, 3, 0);
  fl->addWidget(TrsCheckLbl, 3, 1);
  cmdSave = new QPushButton(QStringLiteral("기 록"), this);
  cmdSave->setObjectName("cmdSave");
  cmdCancel = new QPushButton(QStringLiteral("취 소"), this);
  cmdCancel->setObjectName("cmdCancel");
  cmdMoney = new QPushButton(QStringLiteral("현금영수증(M)"), this);
  cmdMoney->setObjectName("cmdMoney");
  cmdSupyo = new QPushButton(QStringLiteral("수표조회(/)"), this);
  cmdSupyo->setObjectName("cmdSupyo");
  for (QPushButton *b : {cmdSave, cmdCancel, cmdMoney, cmdSupyo}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");

  // Display-only boxes keep their state while a save disables the screen.
  for (QWidget *w : std::initializer_list<QWidget *>{lblHabGum, lblRGum, lblReGum, lblTotSu,
                                                     lblTime, txtNo})
    tagged(w);

  int r = 0;
  grid->addWidget(Label1, r, 0);
  grid->addWidget(txtNo, r, 1);
  grid->addWidget(chkIpGum, r, 2);
  grid->addWidget(lblTime, r, 3);
  ++r;
  grid->addWidget(new QLabel(QStringLiteral("판매금액"), this), r, 0);
  grid->addWidget(lblHabGum, r, 1);
  grid->addWidget(new QLabel(QStringLiteral("받은금액"), this), r, 2);
  grid->addWidget(lblRGum, r, 3);
  ++r;
  const std::array<QLabel *, 7> captions{Label3, Label6, Label7, Label8, lblJaSangPum, Label12, Label5};
  const std::array<QLineEdit *, 7> boxes{txtPayGum, txtCard, txtCSobi, txtOisang,
                                         txtJaSangPum, txtTaSangPum, txtCustJum};
  for (int i = 0; i < 7; ++i, ++r) {
    grid->addWidget(lblGbn[i + 2], r, 0);
    grid->addWidget(captions[size_t(i)], r, 1);
    grid->addWidget(boxes[size_t(i)], r, 2);
  }
  grid->addWidget(Label14, r, 0);
  grid->addWidget(Label13, r, 1);
  grid->addWidget(lblDcGum, r, 2);
  ++r;
  grid->addWidget(Label4, r, 1);
  grid->addWidget(lblReGum, r, 2);
  ++r;
  grid->addWidget(Label2, r, 0);
  grid->addWidget(lblCoinPoint, r, 1);
  grid->addWidget(lblDisCoinPoint, r, 2);
  grid->addWidget(txtDisCoinPoint, r, 3);
  ++r;
  grid->addWidget(lblUseCustGum, r, 1);
  grid->addWidget(lblUseCustJum, r, 2);
  grid->addWidget(lblTotSu, r, 3);
  ++r;
  grid->addWidget(CwtDispLbl, r, 0, 1, 2);
  grid->addWidget(CardMsgLbl, r, 2, 1, 2);
  ++r;
  grid->addWidget(cmdMoney, r, 0);
  grid->addWidget(cmdSupyo, r, 1);
  grid->addWidget(cmdSave, r, 2);
  grid->addWidget(cmdCancel, r, 3);
  grid->addWidget(TrsMisuFme, 2, 4, 6, 1);

  for (QLineEdit *b : TenderBoxes()) {
    b->installEventFilter(this);
    connect(b, &QLineEdit::textChanged, this, Guarded([this, b] { BoxChange(b); }));
  }
  connect(txtDisCoinPoint, &QLineEdit::textChanged, this,
          Guarded([this] { BoxChange(txtDisCoinPoint); }));
  for (QWidget *w : std::initializer_list<QWidget *>{txtNo, txtDisCoinPoint, chkIpGum, cmdSave,
                                                     cmdCancel, cmdMoney, cmdSupyo})
    w->installEventFilter(this);
  for (int k = 2; k <= 8; ++k) lblGbn[k]->installEventFilter(this);
  connect(cmdSave, &QPushButton::clicked, this, Guarded([this] { cmdSave_Click(); }));
  connect(cmdCancel, &QPushButton::clicked, this, Guarded([this] { cmdCancel_Click(); }));
  connect(cmdMoney, &QPushButton::clicked, this, Guarded([this] {
            int key = 'M';
            Form_KeyDown(key, 0);
          }));
  connect(cmdSupyo, &QPushButton::clicked, this, Guarded([this] { cmdSupyo_Click(); }));
  connect(Timer1, &QTimer::timeout, this, Guarded([this] { Timer1_Timer(); }));
  SetBack(cmdSave, kSaveIdle);
  SetBack(cmdCancel, kSaveIdle);
  PaintKind(0);
}

QList<QLineEdit *> frmCash::TenderBoxes() const {
  return {txtPayGum, txtCard, txtCSobi, txtOisang, txtJaSangPum, txtTaSangPum, txtCustJum};
}

QLineEdit *frmCash::BoxOfKind(int kind) const {
  switch (kind) {
    case 2: return txtPayGum;
    case 3:
    case 100: return txtCard;
    case 4: return txtCSobi;
    case 5: return txtOisang;
    case 6: return txtJaSangPum;
    case 7: return txtTaSangPum;
    case 8: return txtCustJum;
    default: return nullptr;
  }
}

int frmCash::KindOfBox(const QObject *box) const {
  for (int k = 2; k <= 8; ++k)
    if (BoxOfKind(k) == box) return k;
  return 0;
}

Currency frmCash::NumberIn(const QString &text) { return NzCur(DelChar(text, ",")); }

void frmCash::PaintKind(int kind) {
  miPayGbn = kind;
  const int marked = kind == 100 ? 3 : kind;
  for (int k = 2; k <= 8; ++k) SetBack(lblGbn[k], k == marked ? kKindOn : kKindOff);
}

void frmCash::SetCaption(QLabel *label, const QString &text) {
  label->setText(text);
  LabelChange(label);
}

void frmCash::LabelChange(QLabel *label) {
  const Currency v = ValCur(label->text());
  if (label == lblHabGum) gcDspCashHabGum = v;
  else if (label == lblRGum) gcDspCashRGum = v;
  else if (label == lblReGum) gcDspCashReGum = v;
  else if (label == lblDcGum) gcDspCashDcGum = v;
  else if (label == lblUseCustGum) gcDspCashUseCustGum = v;
  else if (label == lblUseCustJum) gcDspCashUseCustJum = v;
}

// ====================================================================== opening and closing

void frmCash::Form_Load() {
  loaded_ = true;
  giPrintOnOffRet = -99;
  giCashSaved = 0;
  CardMsgLbl->hide();
  gsCashRcptNo.clear();
  gsCashRcptCmitNo.clear();
  giCardFormBusy = 0;
  giMoneyFormBusy = 0;
  TrsMisuFme->hide();

  miTrsMisuOpt = Narrow16(GetRegInt("TrsMisuLimit"));
  try {
    ReadTrsMisuLimit(gcTcdKey);
    miTrsMisuCheck = giTrsMisuCheck;
    mcTrsMisuLimit = gcTrsMisuLimit;
    mcTrsMisuNow = GetTrsMisu(gcTcdKey);
  } catch (const std::exception &) {
    // Without the figures no limit can be shown or checked.
    miTrsMisuCheck = 0;
    mcTrsMisuLimit = mcTrsMisuNow = {};
  }
  if (miTrsMisuOpt == 1 && miTrsMisuCheck == 1 && !mcTrsMisuLimit.IsZero()) {
    TrsNoLbl->setText(CurStr(gcTcdNo, 0));
    TrsNameLbl->setText(gsTcdName.trimmed());
    TrsNowLbl->setText(FmtAmt(mcTrsMisuNow, 0));
    TrsCheckLbl->setText(FmtAmt(mcTrsMisuLimit, 0));
    TrsMisuFme->show();
  }

  giDspCash = 1;
  miPrintKind = 0;
  miSaveBusy = 0;
  msWrkDate = FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0);
  if (giOisangPick != 0 && glOisangChtNo != 0) {
    txtOisang->setEnabled(false);
    lblGbn5->setEnabled(false);
    chkIpGum->setChecked(true);
    txtNo->setText(QString::number(glOisangChtNo));
  }
  CalcCashRemain();
  orv::settings_store::SaveSetting("giSetWavAmt", Abs(ValCurDec(lblHabGum->text())).ToPlainText());
  if (giOnLine != 1) {
    txtOisang->setEnabled(false);
    lblGbn5->setEnabled(false);
  }
  giCardCallMode = 0;
  mcUseCustGum = mcUseCustJum = {};
  miBnsMnySel = Narrow16(GetRegInt("PosBnsMnySel"));
  mcBnsJumsu = GetRegCur("PosBnsJumsu");
  mcBnsGum = GetRegCur("PosBnsGum");
  mcBnsMoney = GetRegCur("PosBnsMoney");
  txtCustJum->setEnabled(false);
  if (giOnLine == 1 && !mcBnsJumsu.IsZero() && miBnsMnySel != 0 && !mcBnsGum.IsZero() &&
      !mcBnsMoney.IsZero()) {
    txtCustJum->setEnabled(!gtCstCode.CcdKey.IsZero());
    auto usable = [this](Currency have, Currency per) {
      return mcBnsMoney * FloorMulDiv(have, Currency::Won(1), per);
    };
    SetCaption(lblUseCustGum, FmtAmt(usable(gtCstCode.CcdZerdo, mcBnsGum), 0));
    SetCaption(lblUseCustJum, FmtAmt(usable(gtCstCode.CcdJumsu, mcBnsJumsu), 0));
  }
  for (int k = 2; k <= 8; ++k) miBramoMart[k] = Narrow16(GetRegInt("BramoMart" + QString::number(k)));
  if (miBramoMart[2] == 1) {
    Label13->hide();
    lblDcGum->hide();
    Label14->hide();
  }
  for (int k = 3; k <= 8; ++k) {
    if (miBramoMart[k] != 1) continue;
    QLineEdit *b = BoxOfKind(k);
    b->setEnabled(false);
    SetBack(b, orv::colors::ToBgr(palette().color(QPalette::Button)));
    QPalette p = lblGbn[k]->palette();
    p.setColor(QPalette::WindowText, orv::colors::FromBgr(kKindOff));
    lblGbn[k]->setPalette(p);
  }
  miCoinPointAdd = 0;
  lblCoinPoint->hide();
  lblDisCoinPoint->hide();
  txtDisCoinPoint->hide();
  if (gtPanChit.PctHab > Currency() && !gtCstCode.CcdKey.IsZero()) {
    miCoinPointAdd = Narrow16(GetRegInt("PosBnsMoneyPointSel"));
    if (!NzCur(GetRegChar("PosBnsMoneyPoint")).IsZero()) lblCoinPoint->setVisible(miCoinPointAdd == 1);
  }
  txtDisCoinPoint->clear();
  // An approval kept from a failed save is the sale's own: it is used again, not lost.
  if (gtPanChit.PctHab >= Currency() && giCardRetKept == 0) {
    ClearCardRet();
    PanChitRec &h = gtPanChit;
    h.PctCDComNo.clear();
    h.PctCDComName.clear();
    h.PctCardNo.clear();
    h.PctCardDate.clear();
    h.PctCDGubun.clear();
    h.PctCmitNo.clear();
    h.PctCmitDate.clear();
    h.PctGaMyNo.clear();
  }
  miOneMoaMode = 0;
  if (!gsOneMoaPersonCode.isEmpty() && !gsOneMoaClientCode.isEmpty() && giOneMoaCardKey == 1) {
    miOneMoaMode = 1;
    SetBack(lblJaSangPum, orv::colors::Rgb(255, 255, 255));
  }
  CwtDispLbl->setVisible(giChtEditMode == 2);
  if (giChtEditMode == 2) {
    DisableControlMe();
    cmdSave->setEnabled(true);
    cmdCancel->setEnabled(true);
    ShowChitTender();
    if (gtCardRet.CmitNo.isEmpty() || gtCardRet.Gum >= Currency()) gcOldChtCard = {};
  }
}

void frmCash::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (!shownOnce_) {
    shownOnce_ = true;
    QTimer::singleShot(0, this, Guarded([this] { Form_Activate(); }));
  }
}

void frmCash::Form_Activate() {
  if (closed_ || giPrintOnOffRet != -99) return;
  Timer1->start(100);
  Timer1_Timer();
  orv::display::DispTotal(poleDisplay_.data(), FmtAmt(gtPanChit.PctHab, 1));
  lblTotSu->setText(QStringLiteral("수량합 : ") +
                    FmtAmt(gcTotSu, 0).rightJustified(8, ' ').right(8));
  if (giChtEditMode == 2 && !gcOldChtCard.IsZero()) {
    int key = vk::vbKeyF1 + 2;
    Form_KeyDown(key, 0);
  }
}

void frmCash::Form_Unload() {
  CardMsgLbl->hide();
  giCardFormBusy = 0;
  giMoneyFormBusy = 0;
  gcMoneyChkGum = {};
  giDspCash = 0;
}

void frmCash::CloseScreen() {
  if (closed_) return;
  closed_ = true;
  Timer1->stop();
  Form_Unload();
  if (g_open == this) g_open = nullptr;
  done(QDialog::Rejected);
}

void frmCash::closeEvent(QCloseEvent *event) {
  if (!closed_) {
    closed_ = true;
    Timer1->stop();
    Form_Unload();
    if (g_open == this) g_open = nullptr;
  }
  QDialog::closeEvent(event);
}

void frmCash::keyPressEvent(QKeyEvent *event) {
  // Keys reach the screen through its preview; the dialog's own Esc and Enter stay out.
  event->accept();
}

void frmCash::cmdCancel_Click() { CloseScreen(); }

void frmCash::DisableControlMe() {
  for (QWidget *w : findChildren<QWidget *>()) {
    if (qobject_cast<QFrame *>(w) == TrsMisuFme) continue;
    if (qobject_cast<QLineEdit *>(w) || qobject_cast<QLabel *>(w) ||
        qobject_cast<QPushButton *>(w) || qobject_cast<QCheckBox *>(w))
      w->setEnabled(false);
  }
}

void frmCash::Timer1_Timer() { lblTime->setText(orv::clock::Now().toString("HH:mm:ss")); }

// ====================================================================== totals

void frmCash::CalcCashRemain() {
  ++calcDepth_;
  std::array<Currency, 7> a;
  const QList<QLineEdit *> boxes = TenderBoxes();
  for (int i = 0; i < 7; ++i) a[size_t(i)] = NumberIn(boxes[i]->text());
  const Currency dc = NumberIn(lblDcGum->text());
  const Currency due = DueOf(gtPanChit.PctHab, giSetJulsa);
  if (due < Currency()) {
    for (int i = 0; i < 7; ++i) {
      a[size_t(i)] = -Abs(a[size_t(i)]);
      const QString t = FmtAmt(a[size_t(i)], 0);
      if (boxes[i]->text() != t) boxes[i]->setText(t);
    }
  }
  SetCaption(lblHabGum, FmtAmt(due, 0));
  Currency received = dc;
  for (Currency v : a) received += v;
  SetCaption(lblRGum, FmtAmt(received, 0));
  const Currency change = received - due;
  SetCaption(lblReGum, FmtAmt(change, 0));
  gcDspHab = due;
  gcDspRGum = received;
  gcDspCGum = change;
  --calcDepth_;
}

void frmCash::ShowChitTender() {
  const PanChitRec &h = gtPanChit;
  const PanListRec &l = gtPanList;
  SetCaption(lblHabGum, FmtAmt(h.PctHab, 0));
  SetCaption(lblRGum, FmtAmt(h.PctRGum, 0));
  SetCaption(lblReGum, FmtAmt(h.PctCGum, 0));
  gcDspHab = h.PctHab;
  gcDspRGum = h.PctRGum;
  gcDspCGum = h.PctCGum;
  ++calcDepth_;  // the chit's own amounts, not a recalculation
  txtPayGum->setText(FmtAmt(h.PctMoney, 0));
  txtCard->setText(FmtAmt(h.PctCard, 0));
  txtCSobi->setText(FmtAmt(h.PctCSobi, 0));
  txtOisang->setText(FmtAmt(h.PctOisang, 0));
  txtJaSangPum->setText(FmtAmt(l.PclJaSangPum, 0));
  txtTaSangPum->setText(FmtAmt(l.PclTaSangPum, 0));
  txtCustJum->setText(FmtAmt(l.PclGum05, 0));
  --calcDepth_;
  SetCaption(lblDcGum, FmtAmt(h.PctSss4, 0));
  gcDspPclGum06 = gcDspCashUseCustGum = l.PclGum06;
  gcDspCashUseCustJum = l.PclGum07;
}

// ====================================================================== tender boxes

void frmCash::BoxChange(QLineEdit *box) {
  const QString text = box->text();
  if (box != txtDisCoinPoint && text.size() > 13) {
    dlg::MsgBox(QStringLiteral("입력된 숫자가 범위를 넘었습니다."), dlg::kInformation,
                QStringLiteral("입력오류"));
    box->clear();
    FocusLater(box);
    return;
  }
  const QString formatted = FmtAmt(ValCur(text), 0);
  if (formatted != text) {
    // The write raises the change again, which finishes the work on the final text.
    box->setText(formatted);
    return;
  }
  box->setCursorPosition(int(formatted.size()));
  if (calcDepth_ == 0) CalcCashRemain();
  if (box == txtDisCoinPoint) return;
  const Currency v = ValCur(formatted);
  if (box == txtPayGum) gcDspCashPayGum = v;
  else if (box == txtCard) gcDspCashCard = v;
  else if (box == txtCSobi) gcDspCashCSobi = v;
  else if (box == txtOisang) gcDspCashOisang = v;
  else if (box == txtJaSangPum) gcDspCashJaSangPum = v;
  else if (box == txtTaSangPum) gcDspCashTaSangPum = v;
  else if (box == txtCustJum) {
    gcDspCashCustJum = v;
    if (formatted != txtDisCoinPoint->text() && miCoinPointUse != 0) {
      miCoinPointUse = 0;
      lblDisCoinPoint->hide();
      txtDisCoinPoint->hide();
      txtDisCoinPoint->clear();
    }
  }
}

void frmCash::FocusLater(QLineEdit *box) {
  QPointer<QLineEdit> p(box);
  QTimer::singleShot(0, this, [this, p] {
    if (!closed_ && p && p->isEnabled()) p->setFocus(Qt::OtherFocusReason);
  });
}

void frmCash::BoxGotFocus(QLineEdit *box) {
  SetBack(box, kBoxFocus);
  box->selectAll();
  if (box == txtCustJum || box == txtCard) return;
  if (CheckCstBalance() == 1) CloseScreen();
}

void frmCash::BoxLostFocus(QLineEdit *box) {
  SetBack(box, orv::colors::kWhite);
  const Currency a = NumberIn(box->text());
  if (box != txtCustJum) {
    const Currency m = Abs(a);
    if (m > Currency() && m < Currency::Won(10)) {
      box->clear();
      FocusLater(box);
      return;
    }
  }
  if (box == txtCard && !a.IsZero()) {
    // The card path opens forms: never from inside the focus change.
    QTimer::singleShot(0, this, [this] {
      int key = vk::vbKeyF1 + 2;
      RunGuarded([&] { Form_KeyDown(key, 0); });
    });
    return;
  }
  if (box == txtJaSangPum) {
    if (miOneMoaMode == 1) {
      const Currency h = CurMul(CurDiv(a, Currency::Won(10), 0), Currency::Won(10), 0);
      const bool ok = gtPanChit.PctHab > Currency()
                          ? h > Currency() && h <= gcOneMoaUsingPoint
                          : h < Currency();
      if (ok) {
        box->setText(FmtAmt(h, 0));
      } else {
        box->clear();
        FocusLater(box);
      }
    } else if (!gsOneMoaClientCode.isEmpty()) {
      box->clear();
      FocusLater(box);
    }
  }
}

void frmCash::BoxAdvance(QLineEdit *box) {
  if (GetRegInt("PosWriteSpeed") != 0) {
    if (box == txtCustJum && giOnLine != 1) {
      dlg::MsgBox(QStringLiteral("고객 점수나 금액 사용은 온라인모드에서만 사용가능합니다."),
                  dlg::kOkOnly, QStringLiteral("사용금지"));
      box->clear();
      box->setFocus();
      return;
    }
    cmdSave_Click();
  } else {
    cmdSave->setFocus(Qt::TabFocusReason);
  }
}

void frmCash::BoxKeyDown(QLineEdit *box, int &keyCode, int) {
  const bool cardLocked = box == txtCard && giSetVan != 3;
  switch (keyCode) {
    case vk::vbKeyTab:
    case vk::vbKeyDown:
      keyCode = 0;
      BoxAdvance(box);
      break;
    case vk::vbKeyReturn: {
      keyCode = 0;
      if (txtNo->text().trimmed().isEmpty()) {
        gtPanChit.PctChtNo = giOisangPick != 0 && glOisangChtNo != 0 ? glOisangChtNo : 1;
        txtNo->setText(QString::number(gtPanChit.PctChtNo));
      }
      if (NumberIn(box->text()).IsZero())
        box->setText(FmtAmt(ValCur(lblHabGum->text()) - ValCur(lblRGum->text()), 0));
      if (!closed_) BoxAdvance(box);
      break;
    }
    case vk::vbKeyEscape:
      keyCode = 0;
      CloseScreen();
      break;
    case vk::vbKeyF1 + 9:
      if (giSetKey == 1 && !(box == txtCard && giSetVan != 3)) {
        keyCode = 0;
        box->insert("-");
      }
      break;
    case vk::vbKeyOemPlus:
      if (!cardLocked) {
        keyCode = 0;
        box->setText(box->text() + "00");
      }
      break;
    case vk::vbKeyOemPeriod:
      if (!cardLocked) {
        keyCode = 0;
        box->setText(box->text() + "000");
      }
      break;
    default:
      break;
  }
}

bool frmCash::eventFilter(QObject *watched, QEvent *event) {
  auto *box = qobject_cast<QLineEdit *>(watched);
  const bool tender = box && KindOfBox(box) != 0;
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto *ke = static_cast<QKeyEvent *>(event);
      int key = vk::ToVirtualKey(ke);
      if (key == 0) return false;
      RunGuarded([&] { Form_KeyDown(key, vk::ToShift(ke->modifiers())); });
      if (closed_ || key == 0) return true;
      if (tender) {
        RunGuarded([&] { BoxKeyDown(box, key, vk::ToShift(ke->modifiers())); });
        if (closed_ || key == 0) return true;
      }
      // Enter on a button presses it here, once.
      if (auto *b = qobject_cast<QPushButton *>(watched);
          b && (key == vk::vbKeyReturn) && b->isEnabled()) {
        b->click();
        return true;
      }
      return false;
    }
    case QEvent::FocusIn: {
      const auto reason = static_cast<QFocusEvent *>(event)->reason();
      if (closed_ || miSaveBusy != 0 || reason == Qt::ActiveWindowFocusReason ||
          reason == Qt::PopupFocusReason)
        break;
      if (tender) RunGuarded([&] { BoxGotFocus(box); });
      else if (watched == cmdSave) SetBack(cmdSave, kSaveFocus);
      else if (watched == cmdCancel) SetBack(cmdCancel, kSaveFocus);
      break;
    }
    case QEvent::FocusOut: {
      const auto reason = static_cast<QFocusEvent *>(event)->reason();
      if (closed_ || miSaveBusy != 0 || reason == Qt::ActiveWindowFocusReason ||
          reason == Qt::PopupFocusReason)
        break;
      if (tender && box->isEnabled()) RunGuarded([&] { BoxLostFocus(box); });
      else if (watched == cmdSave) SetBack(cmdSave, kSaveIdle);
      else if (watched == cmdCancel) SetBack(cmdCancel, kSaveIdle);
      break;
    }
    case QEvent::MouseButtonPress: {
      int key = 0;
      for (int k = 2; k <= 8; ++k)
        if (watched == lblGbn[k]) key = vk::vbKeyF1 + k - 1;
      if (tender) {
        const int k = KindOfBox(box);
        if (k != 3 || gtPanChit.PctHab < Currency()) key = vk::vbKeyF1 + k - 1;
      }
      if (key != 0) {
        // After the press has given the box its focus.
        QTimer::singleShot(0, this, Guarded([this, key]() mutable { Form_KeyDown(key, 0); }));
      }
      break;
    }
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

int16_t frmCash::CheckTenderBoxes() {
  std::array<Currency, 6> a;
  const QList<QLineEdit *> boxes = TenderBoxes();
  for (int i = 0; i < 6; ++i) a[size_t(i)] = NumberIn(boxes[i]->text());
  return TenderBoxesBlock(a) ? 1 : 0;
}

int16_t frmCash::CheckCstBalance() {
  CstMoneyInput in;
  in.typed = NumberIn(txtCustJum->text());
  in.disCoin = NumberIn(txtDisCoinPoint->text());
  in.fromPoints = GetRegInt("PosCstPanPrt") != 0;
  in.usableGum = NumberIn(lblUseCustGum->text());
  in.usableJum = NumberIn(lblUseCustJum->text());
  in.due = NumberIn(lblHabGum->text());
  in.unit = mcBnsMoney;
  in.total = gtPanChit.PctHab;
  const CstMoneyRefusal r = CheckCstMoney(in);
  if (r == CstMoneyRefusal::None) return 0;
  if (r == CstMoneyRefusal::BadInput)
    dlg::MsgBox(CstMoneyText(r), dlg::kInformation, QStringLiteral("입력오류"));
  else
    dlg::MsgBox(CstMoneyText(r), dlg::kOkOnly, QStringLiteral("잔액부족"));
  return 1;
}

// ====================================================================== keys

void frmCash::Form_KeyDown(int &keyCode, int) {
  if (closed_) return;
  const bool mode2 = giChtEditMode == 2;
  auto boxesPass = [&] {
    if (CheckTenderBoxes() == 1) {
      keyCode = 0;
      return false;
    }
    return true;
  };
  const bool customer = !gtCstCode.CcdKey.IsZero();
  auto pointsRate = [] { return !NzCur(GetRegChar("PosBnsMoneyPoint")).IsZero(); };
  const int f = keyCode - vk::vbKeyF1 + 1;  // 1..12 for the function keys
  switch (keyCode) {
    case vk::vbKeyEscape:
      keyCode = 0;
      CloseScreen();
      return;
    case vk::vbKeyPageUp:
      if (!mode2 && miBramoMart[3] != 1 && boxesPass()) SelectPayGbn(100);
      return;
    case vk::vbKeyOem2:
      if (!mode2 && boxesPass()) {
        keyCode = 0;
        cmdSupyo_Click();
      }
      return;
    case 'M':
      if (boxesPass() && giMoneyFormBusy == 0) {
        keyCode = 0;
        giMoneyFormBusy = 1;
        const Released busy(giMoneyFormBusy);
        cmdMoney_Click();
      }
      return;
    default:
      break;
  }
  if (f < 1 || f > 10) return;
  switch (f) {
    case 1:
      if (!mode2 && miBramoMart[2] != 1 && boxesPass()) DiscountRate();
      break;
    case 2:
      if (!mode2 && boxesPass()) SelectPayGbn(2);
      break;
    case 3:
      if ((!gcOldChtCard.IsZero() || !mode2) && miBramoMart[3] != 1 && boxesPass() &&
          giCardFormBusy == 0) {
        giCardFormBusy = 1;
        const Released busy(giCardFormBusy);
        CardMsgLbl->show();
        CardMsgLbl->repaint();  // painted now; no key may enter while the card form opens
        if (!closed_) SelectPayGbn(3);
      }
      break;
    case 4:
    case 6:
    case 7:
      if (!mode2 && miBramoMart[f] != 1 && boxesPass()) SelectPayGbn(int16_t(f));
      break;
    case 5:
      if (!mode2 && miBramoMart[5] != 1 && boxesPass() && giOisangPick == 0 &&
          glOisangChtNo == 0)
        SelectPayGbn(5);
      break;
    case 8:
      if (!mode2 && miBramoMart[8] != 1 && boxesPass() && customer && giOnLine == 1 &&
          miBnsMnySel != 0)
        SelectPayGbn(8);
      break;
    case 9:
      if (!mode2 && customer && pointsRate()) CoinPointAdd();
      break;
    case 10:
      if (!mode2 && customer && giOnLine == 1 && pointsRate()) CoinPointUse();
      break;
    default:
      break;
  }
}

void frmCash::DiscountRate() {
  const std::optional<QString> answer =
      dlg::InputBox(QStringLiteral("할인율을 입력하세요"), QStringLiteral("전체할인"), {});
  if (closed_) return;
  if (answer && !answer->isEmpty()) {
    const std::optional<Currency> dc = DiscountOf(gtPanChit.PctHab, NzCur(*answer));
    if (!dc) {
      // A rate outside 0..100 would count as money received.
      dlg::MsgBox(QStringLiteral("할인율은 0~100 사이로 입력하세요."), dlg::kInformation,
                  QStringLiteral("입력오류"));
    } else {
      SetCaption(lblDcGum, FmtAmt(*dc, 1));
      gtPanChit.PctSss4 = NumberIn(lblDcGum->text());
    }
  }
  CalcCashRemain();
  Form_Activate();
}

void frmCash::CoinPointAdd() {
  if (miCoinPointAdd == 1) {
    miCoinPointAdd = 0;
    lblCoinPoint->hide();
    return;
  }
  miCoinPointAdd = 1;
  lblCoinPoint->show();
  miCoinPointUse = 0;
  lblDisCoinPoint->hide();
  txtDisCoinPoint->hide();
  txtDisCoinPoint->clear();
  txtCustJum->clear();
}

void frmCash::CoinPointUse() {
  if (miCoinPointUse == 1) {
    miCoinPointUse = 0;
    lblDisCoinPoint->hide();
    txtDisCoinPoint->hide();
    txtDisCoinPoint->clear();
    txtCustJum->clear();
    return;
  }
  const Currency c = NzCur(gtPanChit.PctHab.ToPlainText().right(2));
  if (gtCstCode.CcdJumsu < c) {
    dlg::MsgBox(QStringLiteral("차감할 점수가 부족합니다."), dlg::kInformation,
                QStringLiteral("차감점수 부족"));
    return;
  }
  miCoinPointUse = 1;
  lblDisCoinPoint->show();
  txtDisCoinPoint->show();
  if (!c.IsZero()) txtDisCoinPoint->setText(c.ToPlainText());
  txtCustJum->setText(txtDisCoinPoint->text());
  miCoinPointUse = 1;  // the box's change above must not switch it off again
  miCoinPointAdd = 0;
  lblCoinPoint->hide();
}

// ====================================================================== tender kind and card

void frmCash::SelectPayGbn(int16_t kind) {
  if (giPrintOnOffRet != -99 || closed_) return;
  if (giOnLine != 1 && kind == 5) kind = 2;
  if (CheckCstBalance() == 1) {
    CloseScreen();
    return;
  }
  if ((kind >= 2 && kind <= 8) || kind == 100) {
    PaintKind(kind);
    QLineEdit *box = BoxOfKind(kind);
    if (box->isEnabled()) box->setFocus(Qt::OtherFocusReason);
  }
  if (closed_) return;
  CalcCashRemain();
  StoreChitMoney();
  StoreChitSangpum();
  const bool card = kind == 3 || kind == 100;
  // The limit holds for a sale that a card form would commit at once, too.
  if (card && !CheckMisuLimit()) {
    CardMsgLbl->hide();
    return;
  }
  if (giSetVan == 3 || !card) {
    CardMsgLbl->hide();
    return;
  }
  const PanChitRec &h = gtPanChit;
  const PanListRec &l = gtPanList;
  auto cardMinimum = [this] {
    dlg::MsgBox(QStringLiteral("카드최소금액 오류입니다."), dlg::kInformation,
                QStringLiteral("카드금액오류"));
    CloseScreen();
  };
  const Currency hundred = Currency::Won(100);
  if (Abs(h.PctHab) < hundred) return cardMinimum();
  if (h.PctCard.IsZero()) {
    if (Abs(h.PctHab - h.PctMoney - h.PctCSobi - h.PctOisang - l.PclJaSangPum -
            l.PclTaSangPum) < hundred)
      return cardMinimum();
  } else if (Abs(h.PctCard) < hundred || ValCurDec(lblReGum->text()) < Currency()) {
    return cardMinimum();
  }
  if (giSetVan == 2) {
    orv::db::Recordset rs = goDbMain.OpenRecordset(" Select * From ComCode");
    if (rs.RecordCount() > 0) {
      const QStringList parts = gsGMDown.split(QChar(28));
      QString title;
      if (parts.size() < 2)
        title = QStringLiteral("가맹점다운로드 확인요망");
      else if (NzStr(parts[1]) != NzStr(rs.Field("ComSaupNo")))
        title = QStringLiteral("사업자번호불일치");
      if (!title.isEmpty()) {
        dlg::MsgBox(QStringLiteral("카드설정파일에 문제가있습니다."), dlg::kCritical, title);
        CloseScreen();
        return;
      }
    }
  }
  bool kept = false;
  if (kind == 3 && giCardRetKept == 1 && !gtCardRet.CmitNo.isEmpty() && h.PctHab > Currency()) {
    // The approval of the failed save pays this sale: the card is not charged twice.
    mcCardGum = gtCardRet.Gum;
    giCardOk = 1;
    kept = true;
  }
  if (!kept) {
    if (giChtEditMode != 2)
      gtCardRet.Gum = NumberIn(lblHabGum->text()) - NumberIn(lblRGum->text());
    if (kind == 3) {
      if (gtCardRet.CmitNo.isEmpty() && h.PctHab > Currency()) {
        if (!h.PctCard.IsZero()) gtCardRet.Gum = h.PctCard;
        if (gtCardRet.Gum <= Currency()) {
          gtCardRet.Gum = {};
          dlg::Plain(QStringLiteral("카드승인금액(승인시는＋금액요함) 오류입니다 !"));
          CloseScreen();
          return;
        }
        mcCardGum = gtCardRet.Gum;
        gtCardRet.CardNo.clear();
        ShowCardForm("frmCardChk");
      } else {
        if (gtCardRet.CmitNo.isEmpty() || h.PctHab >= Currency()) {
          dlg::Plain(QStringLiteral("합계금액이 잘못되었거나 승인번호가 잘못되었습니다."));
          CloseScreen();
          return;
        }
        if (gtCardRet.Gum >= Currency()) {
          gtCardRet.Gum = {};
          dlg::Plain(QStringLiteral("카드승인금액(취소시는－금액요함) 오류입니다 !"));
          CloseScreen();
          return;
        }
        mcCardGum = gtCardRet.Gum;
        const KeptCancelRec &k = gtKeptCancel;
        if (k.IsSet() && k.chitDate == gsOldChtDate && k.chitNo == glOldChtNo &&
            k.cancelledCmitNo == gtCardRet.CmitNo) {
          // The card was refunded by the failed save of this same return: no second request.
          gtCardRet = k.cancel;
          giCardOk = 1;
        } else {
          const QString cancelled = gtCardRet.CmitNo;
          gtCardRet.CardNo.clear();
          ShowCardForm("frmDisCard");
          if (giCardOk == 1 && !gtCardRet.CmitNo.isEmpty() && !gtCardRet.CardNo.isEmpty())
            cancelMade_ = {gsOldChtDate, glOldChtNo, cancelled, gtCardRet};
        }
      }
    } else {
      mcCardGum = gtCardRet.Gum;
      gtCardRet.CardNo.clear();
      ShowCardForm("frmCardOK");
    }
  }
  if (closed_) return;
  if (gtCardRet.CardNo.isEmpty() || giCardOk != 1 || gtCardRet.CmitNo.isEmpty()) {
    CloseScreen();
    return;
  }
  txtCard->setText(FmtAmt(mcCardGum, 0));
  CommitCardSale();
}

void frmCash::ShowCardForm(const char *name) {
  const QString n = QString::fromLatin1(name);
  std::unique_ptr<QDialog> form;
  if (n == "frmCardChk") {
    auto *f = new frmCardChk(this);
    f->txtiGum->setText(gtCardRet.Gum.ToPlainText());
    form.reset(f);
  } else if (n == "frmDisCard") {
    form.reset(new frmDisCard(this));
  } else {
    form.reset(new frmCardOK(this));
  }
  dlg::ShowModal(*form);
  giDspCardChk = 0;
  giDspDisCard = 0;
  // A manual record left without recording moves the focus only on a single-terminal shop.
  if (n == "frmCardOK" && giCardOk != 1 && GetRegInt(QStringLiteral("PosMultiCardDanSelt")) != 0)
    return;
  CardFormClosed();
}

void frmCash::CardFormClosed() {
  if (closed_) return;
  QLineEdit *to = !gtCardRet.CmitNo.isEmpty() && !gtCardRet.CardNo.isEmpty() ? txtCard : txtPayGum;
  if (to->isEnabled()) to->setFocus(Qt::OtherFocusReason);
}

void frmCash::CommitCardSale() { SaveCashChit(mcCardGum); }

// ====================================================================== buttons

bool frmCash::CheckMisuLimit() {
  if (!TrsMisuFme->isVisibleTo(this)) return true;
  const Currency total = mcTrsMisuNow + NumberIn(txtOisang->text());
  if (total <= mcTrsMisuLimit) return true;
  dlg::MsgBox(QStringLiteral("미수한도 초과로 저장불가 (") + FmtAmt(total, 0) + "/" +
                  FmtAmt(mcTrsMisuLimit, 0) + QStringLiteral(") ..... !"),
              dlg::kCritical, QStringLiteral("저장실패"));
  return false;
}

void frmCash::FillGradeRules() {
  auto read = [](const QString &key) -> int16_t {
    switch (giCstTsMode) {
      case 0: return Narrow16(GetRegInt(key));
      case 1: return Narrow16(GetRegIntTs(key));
      default: return Narrow16(GetRegIntSvr(key));
    }
  };
  if (giCstTsMode < 0 || giCstTsMode > 2) return;
  for (int k = 0; k < 5; ++k) {
    const QString g = "0" + QString::number(k);
    if (read("PosCstPointUpSelt" + g) == 1) {
      giCstPointUpSelt[size_t(k)] = 1;
      giCstPointUpMulti[size_t(k)] = read("PosCstPointUpMulti" + g);
      giCstPointUpAdd[size_t(k)] = read("PosCstPointUpAdd" + g);
      giCstPointUpCnt[size_t(k)] = read("PosCstPointUpCnt" + g);
    } else {
      giCstPointUpSelt[size_t(k)] = giCstPointUpMulti[size_t(k)] = giCstPointUpAdd[size_t(k)] =
          giCstPointUpCnt[size_t(k)] = 0;
    }
  }
}

void frmCash::cmdSave_Click() {
  if (closed_) return;
  GoOffline();
  GoTsOffline();
  if (closed_ || !CheckMisuLimit()) return;
  SaveCashChit(Currency());
}

void frmCash::cmdMoney_Click() {
  if (NumberIn(txtPayGum->text()).IsZero())
    txtPayGum->setText(FmtAmt(ValCur(lblHabGum->text()) - ValCur(lblRGum->text()), 0));
  CalcCashRemain();
  StoreChitMoney();
  StoreChitSangpum();
  const PanChitRec &h = gtPanChit;
  gcMoneyChkGum = h.PctHab - h.PctCard - h.PctOisang - h.PctCSobi - gtPanList.PclGum05;
  giDspMoneyChk = 1;
  {
    frmMoneyChk form(this);
    dlg::ShowModal(form);
  }
  CardFormClosed();
  giDspMoneyChk = 0;
  if (closed_) return;
  if (gtPanChit.PctSss5 == 1)
    cmdSave_Click();
  else
    CloseScreen();
}

void frmCash::cmdSupyo_Click() {
  if (!gsSetSupyoHost.trimmed().isEmpty() &&
      GetIPFromHost(gsSetSupyoHost.trimmed()) == QLatin1String("No DNS Entry") &&
      !dlg::AskYesNo(QStringLiteral("인터넷이 연결되지 않은것 같습니다."),
                     QStringLiteral("인터넷연결실패!!")))
    return;
  if (giSetVan == 4) {
    QuerySupyoFdk();
  } else {
    frmSupyoChk form(this);
    dlg::ShowModal(form);
    CardFormClosed();
  }
  Form_Activate();
}

void frmCash::AskPrintCopy() {
  if (giPrintOnOffRet != 0) return;
  giPrintOnOffRet = -1;
  frmPrintOnOff form(this);
  dlg::ShowModal(form);
}

// ====================================================================== into the chit

void frmCash::StoreChitMoney() {
  PanChitRec &h = gtPanChit;
  const CardRetRec &c = gtCardRet;
  h.PctChtNo = int32_t(NzCur(txtNo->text()).RoundToInt());
  h.PctRGum = NumberIn(lblRGum->text());
  h.PctCGum = NumberIn(lblReGum->text());
  h.PctMoney = NumberIn(txtPayGum->text());
  h.PctCard = NumberIn(txtCard->text());
  h.PctOisang = NumberIn(txtOisang->text());
  h.PctCSobi = NumberIn(txtCSobi->text());
  h.PctCDComNo = c.MeipCode;
  h.PctCDComName = LeftAnsi(c.MeipName, 50).trimmed();
  h.PctCardNo = c.CardNo;
  h.PctCardDate = c.CardDate;
  h.PctCDGubun = ("00" + QString::number(c.Halbu)).right(2);
  h.PctCmitNo = c.CmitNo;
  h.PctCmitDate = c.CmitDate;
  h.PctGaMyNo = LeftAnsi(c.GamyNo, 15).trimmed();
  const QDateTime now = orv::clock::Now();
  h.PctWrtdate = now.toString("yyyyMMdd");
  h.PctWrttime = now.toString("HHmmss");
}

void frmCash::StoreChitSangpum() {
  PanListRec &l = gtPanList;
  l.PclChtNo = int32_t(NzCur(txtNo->text()).RoundToInt());
  l.PclJaSangPum = NumberIn(txtJaSangPum->text());
  l.PclTaSangPum = NumberIn(txtTaSangPum->text());
  l.PclGum05 = NumberIn(txtCustJum->text());
  l.PclSss1 = miOneMoaMode == 1 ? int32_t(l.PclJaSangPum.RoundToInt()) : 0;
}

// ====================================================================== the commit

void frmCash::RefuseSave(QLineEdit *focus) {
  EnableControls(this);
  miSaveBusy = 0;
  if (focus) {
    focus->selectAll();
    if (focus->isEnabled()) focus->setFocus(Qt::OtherFocusReason);
  }
}

void frmCash::SaveCashChit(Currency cardGum) {
  if (closed_) return;
  miOisangPay = 0;
  Hourglass hourglass;
  if (miSaveBusy != 0) return;
  miSaveBusy = 1;
  DisableControls(this);
  PanChitRec &h = gtPanChit;
  PanListRec &l = gtPanList;
  try {
    StoreChitMoney();
    StoreChitSangpum();

    // The whole sale on one tender when nothing was typed.
    Currency custMoney;
    if (h.PctCard.IsZero() && h.PctMoney.IsZero() && h.PctCSobi.IsZero() &&
        h.PctOisang.IsZero() && l.PclJaSangPum.IsZero() && l.PclTaSangPum.IsZero()) {
      const Currency c = ValCur(txtCustJum->text());
      bool filled = false;
      if (!cardGum.IsZero()) {
        h.PctCard = cardGum - c;
        txtCard->setText(Plain(h.PctCard));
        filled = true;
      } else {
        const int marked = miPayGbn == 100 ? 3 : miPayGbn;
        const Currency v = h.PctHab - c;
        switch (marked) {
          case 2: h.PctMoney = v; txtPayGum->setText(Plain(v)); break;
          case 3: h.PctCard = v; txtCard->setText(Plain(v)); break;
          case 4: h.PctCSobi = v; txtCSobi->setText(Plain(v)); break;
          case 5: h.PctOisang = v; txtOisang->setText(Plain(v)); break;
          case 6: l.PclJaSangPum = v; txtJaSangPum->setText(Plain(v)); break;
          case 7: l.PclTaSangPum = v; txtTaSangPum->setText(Plain(v)); break;
          case 8: custMoney = h.PctHab; txtCustJum->setText(Plain(h.PctHab)); break;
          default: break;
        }
        filled = marked >= 2 && marked <= 8;
      }
      if (filled) {
        SetCaption(lblRGum, Plain(h.PctHab));
        SetCaption(lblReGum, "0");
      }
    }
    if (h.PctCard != cardGum) {
      h.PctCard = cardGum;
      h.PctMoney = h.PctHab - cardGum - h.PctCSobi - h.PctOisang - l.PclJaSangPum -
                   l.PclTaSangPum - custMoney;
    }

    // The customer as stored now.
    const Currency key = gtCstCode.CcdKey;
    ClearCstRecord();
    ReadCstRecordByKey(key);

    SetCaption(lblUseCustGum, "");
    SetCaption(lblUseCustJum, "");
    const bool optionsSet = giOnLine == 1 && miBnsMnySel != 0 && !mcBnsJumsu.IsZero() &&
                            !mcBnsGum.IsZero() && !mcBnsMoney.IsZero();
    if (optionsSet) {
      auto usable = [this](Currency have, Currency per) {
        return FloorMulDiv(have, Currency::Won(1), per) * mcBnsMoney;
      };
      if (!gtCstCode.CcdZerdo.IsZero())
        SetCaption(lblUseCustGum, FmtAmt(usable(gtCstCode.CcdZerdo, mcBnsGum), 0));
      if (!gtCstCode.CcdJumsu.IsZero())
        SetCaption(lblUseCustJum, FmtAmt(usable(gtCstCode.CcdJumsu, mcBnsJumsu), 0));
    }
    mcUseCustGum = NumberIn(lblUseCustGum->text());
    mcUseCustJum = NumberIn(lblUseCustJum->text());
    if (optionsSet) {
      custMoney = NumberIn(txtCustJum->text());
    } else if (miBnsMnySel == 0) {
      custMoney = {};
      txtCustJum->clear();
    }

    // The customer money, whichever way it got into the sale.
    if (optionsSet && NumberIn(txtDisCoinPoint->text()).IsZero() && !custMoney.IsZero()) {
      CstMoneyInput in;
      in.typed = custMoney;
      in.fromPoints = GetRegInt("PosCstPanPrt") != 0;
      in.usableGum = mcUseCustGum;
      in.usableJum = mcUseCustJum;
      in.due = NumberIn(lblHabGum->text());
      in.unit = mcBnsMoney;
      in.total = h.PctHab;
      const CstMoneyRefusal r = CheckCstMoney(in);
      if (r != CstMoneyRefusal::None) {
        dlg::MsgBox(CstMoneyText(r),
                    r == CstMoneyRefusal::BadInput ? dlg::kInformation : dlg::kOkOnly,
                    r == CstMoneyRefusal::BadInput ? QStringLiteral("입력오류")
                                                   : QStringLiteral("[잔액부족]"));
        RefuseSave(txtCustJum);
        return;
      }
    }

    const Currency paid = h.PctMoney + h.PctCard + h.PctCSobi + h.PctOisang + l.PclJaSangPum +
                          l.PclTaSangPum + h.PctSss4 + custMoney;
    if (Abs(paid) < Abs(h.PctHab)) {
      dlg::MsgBox(QStringLiteral("* 받은금액이 판매금액보다 작습니다 !"), dlg::kInformation,
                  QStringLiteral("다시입력요망!"));
      RefuseSave(BoxOfKind(miPayGbn));
      return;
    }

    CalcCashRemain();
    StoreChitMoney();
    SplitCardShare(int32_t(NzCur(txtNo->text()).RoundToInt()));
    StoreChitSangpum();

    auto capped = [&](Currency v) {
      if (h.PctHab >= Currency()) return v > h.PctHab ? h.PctHab : v;
      return v < h.PctHab ? h.PctHab : v;
    };
    if (!l.PclJaSangPum.IsZero()) gcJumsuGum = capped(gcJumsuGum + l.PclJaSangPum);
    if (!custMoney.IsZero()) gcJumsuGum = capped(gcJumsuGum + custMoney);

    FillGradeRules();
    miOisangPay = giOisangPick != 0 && glOisangChtNo != 0 ? 1 : 0;
    mcOisangGum01 = mcOisangGum02 = {};
    AccrualContext ac;
    ac.wrkDate = msWrkDate;
    ac.wrkMonth = giWrkMonth;
    ac.wrkDay = giWrkDay;
    ac.now = orv::clock::Now();
    ac.irt = giOrvSetCstIrt;
    ac.onLine = giOnLine;
    ac.cstTsMode = giCstTsMode;
    ac.oisangPay = miOisangPay;
    ac.oisangChtNo = glOisangChtNo;
    ac.bnsMnySel = miBnsMnySel;
    ac.bnsJumsu = mcBnsJumsu;
    ac.bnsGum = mcBnsGum;
    ac.bnsMoney = mcBnsMoney;
    ac.coinPointAdd = miCoinPointAdd;
    ac.custMoney = NumberIn(txtCustJum->text());
    ac.due = NumberIn(lblHabGum->text());
    ac.changeText = DelChar(lblReGum->text(), ",");
    ac.cashText = DelChar(txtPayGum->text(), ",");
    ac.jumsuGum = gcJumsuGum;
    ac.gdsJumsu = gcGdsJumsu;
    ac.gradeSelt = giCstPointUpSelt;
    ac.gradeMulti = giCstPointUpMulti;
    ac.gradeAdd = giCstPointUpAdd;
    ac.gradeCnt = giCstPointUpCnt;
    ac.jumsuRound = mcJumsuRound;
    ac.readVisit = [](bool onTs, Currency key) -> int32_t {
      orv::db::Connection &c = onTs ? goDbTs : goDbMain;
      orv::db::Recordset rs =
          c.OpenRecordset(" Select CcdSss2 from CstCode Where CcdKey=" + key.ToPlainText() + " ");
      return rs.RecordCount() > 0 ? int32_t(NzCur(rs.Field(0)).RoundToInt()) : 0;
    };
    const PanChitRec keptChit = gtPanChit;
    const PanGodsRec keptGods = gtPanGods;
    const PanListRec keptList = gtPanList;
    const CstCodeRec keptCst = gtCstCode;
    try {
      const AccrualOptions opts = ReadAccrualOptions();
      if (!gtCstCode.CcdKey.IsZero()) {
        CalcCstJumsu(ac, opts);
      } else {
        CalcNoCstJumsu(ac, opts);
        h.PctChk = int32_t(ac.noCstJumsu.RoundToInt());
      }
    } catch (const std::exception &e) {
      gtPanChit = keptChit;
      gtPanGods = keptGods;
      gtPanList = keptList;
      gtCstCode = keptCst;
      throw;
    }
    mcJumsuRound = ac.jumsuRound;
    mcOisangGum01 = ac.oisangGum01;
    mcOisangGum02 = ac.oisangGum02;
    mcNoCstJumsu = ac.noCstJumsu;

    if (h.PctRGum - h.PctHab != h.PctCGum) {
      h.PctCGum = h.PctRGum - h.PctHab;
      SetCaption(lblReGum, Plain(h.PctCGum));
    }

    CommitRequest req;
    req.oisangPay = miOisangPay == 1;
    req.oisangChtNo = glOisangChtNo;
    req.wrkDate = msWrkDate;
    req.withCustomer = !gtCstCode.CcdKey.IsZero();
    req.visit = ac.visit;
    const CommitResult res = CommitSaleChit(req);
    if (!res.saved) {
      FailSave(res.error);
      return;
    }
    FinishSale(ac.visit);
  } catch (const std::exception &e) {
    // Nothing was written: the sale stays on the sale screen.
    QString text = QStringLiteral("[저장오류:") + QString::fromUtf8(e.what()) + "]";
    if (auto *db = dynamic_cast<const orv::db::DbError *>(&e))
      text = QStringLiteral("[저장오류:") + db->Description + "]";
    FailSave(text);
  }
}

void frmCash::FailSave(QString text) {
  if (cancelMade_.IsSet()) {
    gtKeptCancel = cancelMade_;
    const QString line = QStringLiteral("반품 저장 실패, 카드취소 보관: 전표 ") + cancelMade_.chitDate + "-" +
                         QString::number(cancelMade_.chitNo) + QStringLiteral(" 원승인번호 ") +
                         cancelMade_.cancelledCmitNo + QStringLiteral(" 취소승인번호 ") +
                         cancelMade_.cancel.CmitNo + " " + cancelMade_.cancel.CmitDate +
                         QStringLiteral(" 금액 ") + FmtAmt(cancelMade_.cancel.Gum, 0);
    try {
      WriteLog(9, line);
    } catch (const std::exception &) {
      // The box below names the cancellation too.
    }
  }
  if (!gtCardRet.CmitNo.isEmpty()) {
    // The card was charged before the save: the retry uses this approval.
    giCardRetKept = 1;
    text += QStringLiteral("\r\n카드승인번호 : ") + gtCardRet.CmitNo +
            QStringLiteral("  승인금액 : ") + FmtAmt(gtCardRet.Gum, 0);
  }
  giCashSaved = 0;
  miSaveBusy = 0;
  CloseScreen();
  dlg::Plain(text);
}

// After both commits: whatever fails here, the sale is saved and is never paid twice.
void frmCash::FinishSale(const VisitWrite &) {
  PanChitRec &h = gtPanChit;
  PanListRec &l = gtPanList;
  QStringList failed;
  auto step = [&](const QString &name, const std::function<void()> &fn) {
    try {
      fn();
    } catch (const orv::db::DbError &e) {
      failed << name + " : " + e.Description;
    } catch (const std::exception &e) {
      failed << name + " : " + QString::fromUtf8(e.what());
    }
  };
  const bool customer = !gtCstCode.CcdKey.IsZero();
  step(QStringLiteral("통합고객"), [&] {
    if (customer) WriteCstChit(miOisangPay);
  });
  // The service hears of the sale after the member copy: a cancellation of the credit
  // chit it replaces first, then the sale, then the member's new points for the receipt.
  step(QStringLiteral("원모아취소"), [&] {
    if (miOisangPay == 1 && oneMoa_.cancelCredit) oneMoa_.cancelCredit(h.PctHab);
  });
  step(QStringLiteral("원모아"), [&] {
    if (oneMoa_.report) oneMoa_.report();
  });
  gsOneMoaPersonName.clear();
  gcOneMoaUsingPoint = {};
  if (oneMoa_.lookup && !gsOneMoaPersonCode.isEmpty())
    step(QStringLiteral("원모아조회"), [&] { oneMoa_.lookup(gsOneMoaPersonCode); });
  step(QStringLiteral("이벤트기록"), [&] {
    QString empty;
    WriteCashLog(1, 9, h.PctHab.ToPlainText() + "," + h.PctRGum.ToPlainText(), {}, empty);
  });
  const QString received = lblRGum->text(), change = lblReGum->text(), due = lblHabGum->text();
  step(QStringLiteral("고객표시"),
       [&] { orv::display::DispChange(poleDisplay_.data(), received, change, due); });
  step(QStringLiteral("금전함"), [&] {
    if (giSetDraw == 2 && !(giSetDrawAuto == 1 && h.PctHab == h.PctCard)) OpenDrawer();
  });
  step(QStringLiteral("동전"), [&] { PayOutCoins(CurStr(ValCur(change) - l.PclGum06, 1)); });
  const int32_t kind = giOisangPick != 0 && glOisangChtNo != 0 ? 1 : miPrintKind;
  step(QStringLiteral("영수증"), [&] {
    Print_File(h.PctDate, h.PctChtNo, kind, 0);
    if ((!h.PctCmitNo.isEmpty() && !h.PctCardNo.isEmpty()) || (giSetPrint != 0 && giPrintOn != 0)) {
      giPrintOnOffRet = 0;
      AskPrintCopy();
      if (giPrintOnOffRet == 1) PrintSavedReceipt(h.PctDate, h.PctChtNo, kind, int16_t(kind), 0);
    }
  });
  gcDspPclGum06 = l.PclGum06;
  const QString savedDate = h.PctDate;
  const int32_t savedNo = h.PctChtNo;
  step(QStringLiteral("설정저장"), [&] {
    if (!SaveLastChitSettings(savedDate, savedNo))
      throw std::runtime_error("settings not written");
  });
  gcCashHab = h.PctHab;
  gcCashCard = h.PctCard;
  const Currency c = h.PctCGum;
  ClearSaleRecords();
  giCardRetKept = 0;
  gtKeptCancel = {};
  gcJumsuGum = {};
  gcMoneyChkGum = {};
  giOisangPick = 0;
  glOisangChtNo = 0;
  step(QStringLiteral("잔돈"), [&] { gcCashChange = c - gcDspPclGum06; });
  giCashSaved = 1;
  miSaveBusy = 0;
  CloseScreen();
  giDspMoneyChk = giDspCash = giDspCardChk = giDspDisCard = 0;
  if (!failed.isEmpty())
    dlg::MsgBox(QStringLiteral("판매는 저장되었습니다. 다음 작업에 실패했습니다:\r\n") +
                    failed.join("\r\n"),
                dlg::kExclamation, QStringLiteral("저장후 오류"));
}

// ====================================================================== entry

namespace orv::checkout {

bool ShowfrmCash(QWidget *parent, orv::serial::Port *poleDisplay, const OneMoaCalls &oneMoa) {
  gcCashChange = {};
  frmCash form(poleDisplay, parent, oneMoa);
  form.Form_Load();
  if (!form.Closed()) dlg::ShowModal(form);
  return giCashSaved == 1;
}

frmCash *OpenCashForm() { return g_open; }

}  // namespace orv::checkout
