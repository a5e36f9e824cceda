#include "van/frmMoneyChk.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

#include "chit/name_readers.h"
#include "chit/pan_money.h"
#include "chit/records.h"
#include "core/card_ret.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/colors.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/keys.h"
#include "platform/named_widgets.h"
#include "platform/serial_port.h"
#include "platform/settings_store.h"
#include "platform/wait_cursor.h"
#include "platform/widget_colors.h"
#include "van/SmtSndRcvVCAT.h"
#include "van/card_state.h"
#include "van/cash_receipt.h"
#include "van/cash_receipt_record.h"
#include "van/kis.h"
#include "van/van_approval.h"
#include "van/van_error.h"

namespace dlg = orv::dialogs;
namespace keys = orv::keys;
using orv::widgets::Named;
using orv::widgets::PictureButton;
namespace store = orv::settings_store;
using orv::Currency;

int16_t giMoneyChkExit = 0;

namespace {

constexpr long kFocusBack = 0x0080FFFF;
constexpr long kSaupOn = 0x000040C0;
constexpr long kSaupOff = 0x00FF8080;
constexpr long kReasonOn = 0x00FF0000;


// What an error inside the commit shows: its number and its description.
struct Failure {
  long number = 0;
  QString description;
};

}  // namespace

frmMoneyChk::frmMoneyChk(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmMoneyChk"));
  setWindowTitle(QStringLiteral("현금영수증 발행!!"));
  auto *grid = new QGridLayout(this);
  int row = 0;
  txtiCard = Named<QLineEdit>(this, "txtiCard");
  txtiGum = Named<QLineEdit>(this, "txtiGum");
  txtiGum->setAlignment(Qt::AlignRight);
  txtiNo = Named<QLineEdit>(this, "txtiNo");
  txtiNo->setMaxLength(9);
  txtiDate = Named<QLineEdit>(this, "txtiDate");
  txtiDate->setMaxLength(8);
  txtiNoLen = Named<QLabel>(this, "txtiNoLen");
  txtiDateLen = Named<QLabel>(this, "txtiDateLen");
  CmitDateLbl = Named<QLabel>(this, "CmitDateLbl", QStringLiteral("??YYMMDD(년월일)"));
  grid->addWidget(new QLabel(QStringLiteral("입력번호:"), this), row, 0);
  grid->addWidget(txtiCard, row, 1);
  grid->addWidget(new QLabel(QStringLiteral("( F4->삭제 )"), this), row++, 2);
  grid->addWidget(new QLabel(QStringLiteral("승인금액:"), this), row, 0);
  grid->addWidget(txtiGum, row++, 1);
  grid->addWidget(new QLabel(QStringLiteral("승인번호:"), this), row, 0);
  grid->addWidget(txtiNo, row, 1);
  {
    auto *w = new QWidget(this);
    auto *h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(txtiNoLen);
    h->addWidget(new QLabel(QStringLiteral("9"), w));
    grid->addWidget(w, row++, 2);
  }
  grid->addWidget(new QLabel(QStringLiteral("승인일자:"), this), row, 0);
  grid->addWidget(txtiDate, row, 1);
  {
    auto *w = new QWidget(this);
    auto *h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(txtiDateLen);
    h->addWidget(new QLabel(QStringLiteral("6,8"), w));
    h->addWidget(CmitDateLbl);
    grid->addWidget(w, row++, 2);
  }
  chkSaup = new QCheckBox(QStringLiteral("사업자 체크 (F2),  X (F7)"), this);
  chkSaup->setObjectName("chkSaup");
  chkSaup->setFocusPolicy(Qt::NoFocus);
  grid->addWidget(chkSaup, row++, 0, 1, 3);

  Frame1 = new QFrame(this);
  Frame1->setObjectName("Frame1");
  auto *reasons = new QHBoxLayout(Frame1);
  reasons->addWidget(new QLabel(QStringLiteral("취소사유:"), Frame1));
  MnyCancel0Opt = new QRadioButton(QStringLiteral("거래취소"), Frame1);
  MnyCancel0Opt->setObjectName("MnyCancel0Opt");
  MnyCancel1Opt = new QRadioButton(QStringLiteral("오류발급"), Frame1);
  MnyCancel1Opt->setObjectName("MnyCancel1Opt");
  MnyCancel2Opt = new QRadioButton(QStringLiteral("기타"), Frame1);
  MnyCancel2Opt->setObjectName("MnyCancel2Opt");
  for (QRadioButton *o : {MnyCancel0Opt, MnyCancel1Opt, MnyCancel2Opt}) {
    o->setFocusPolicy(Qt::NoFocus);
    reasons->addWidget(o);
    connect(o, &QRadioButton::toggled, this, [this] { PaintReasons(); });
  }
  reasons->addWidget(new QLabel(QStringLiteral("[F8]"), Frame1));
  grid->addWidget(Frame1, row++, 0, 1, 3);

  CstSave1Chk = new QCheckBox(QStringLiteral("고객 전화번호 자동표시 사용"), this);
  CstSave1Chk->setObjectName("CstSave1Chk");
  CstSave2Chk = new QCheckBox(QStringLiteral("고객 카드번호 자동표시 사용"), this);
  CstSave2Chk->setObjectName("CstSave2Chk");
  orv::colors::SetFore(CstSave2Chk, 0x808080);
  for (QCheckBox *c : {CstSave1Chk, CstSave2Chk}) {
    c->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(c, row++, 0, 1, 3);
  }
  CstSave1Chk->setChecked(true);

  CstNoLbl = Named<QLabel>(this, "CstNoLbl");
  CstBarcodeLbl = Named<QLabel>(this, "CstBarcodeLbl");
  CstNameLbl = Named<QLabel>(this, "CstNameLbl");
  CstHpLbl = Named<QLabel>(this, "CstHpLbl");
  CstTeleLbl = Named<QLabel>(this, "CstTeleLbl");
  CstMoneyLbl = Named<QLabel>(this, "CstMoneyLbl");
  const std::pair<const char *, QLabel *> cst[] = {{"No", CstNoLbl},  {"Bar", CstBarcodeLbl},
                                                   {"성명", CstNameLbl}, {"Hp", CstHpLbl},
                                                   {"Tel", CstTeleLbl}, {"영수", CstMoneyLbl}};
  for (const auto &[caption, label] : cst) {
    grid->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
    grid->addWidget(label, row++, 1, 1, 2);
  }

  cmdCommit = PictureButton(this, "cmdCommit", QStringLiteral("발행 (F1)"));
  cmdSaup = PictureButton(this, "cmdSaup", QStringLiteral("사업자 (F2)"));
  cmdExit = PictureButton(this, "cmdExit", QStringLiteral("닫기 (Esc)"));
  cmdSignInput = PictureButton(this, "cmdSignInput", QStringLiteral("사인패드입력( F3 )"));
  auto *buttons = new QHBoxLayout;
  for (QPushButton *b : {cmdCommit, cmdSaup, cmdSignInput, cmdExit}) buttons->addWidget(b);
  grid->addLayout(buttons, row++, 0, 1, 3);
  Kis = Named<QWidget>(this, "Kis");
  KisPosAgent1 = Named<QWidget>(this, "KisPosAgent1");
  AxSmtSndRcvVCAT1 = Named<QWidget>(this, "AxSmtSndRcvVCAT1");
  for (QWidget *w : {Kis, KisPosAgent1, AxSmtSndRcvVCAT1}) w->hide();
  pad = new KisvanMS3(this);
  connect(pad, &KisvanMS3::Keyed, this, [this] {
    txtiCard->setText(pad->KeyedNumber());
    txtiGum->setFocus(Qt::OtherFocusReason);
  });
  connect(pad, &KisvanMS3::Failed, this, [this] {
    dlg::MsgBox(QStringLiteral("싸인패드에 문제가 발생했습니다 !\n") + pad->FailText(), dlg::kCritical,
                QStringLiteral("싸인패드오류"));
  });
  smt = new SmtReplyState(this);
  smt->AddTo(grid, row);

  setTabOrder(txtiCard, txtiGum);
  setTabOrder(txtiGum, txtiNo);
  setTabOrder(txtiNo, txtiDate);

  // Leaving the number keeps it with the customer; entering the amount selects it whole.
  orv::colors::TintOnFocus(txtiCard, kFocusBack, [this] {
    if (!unloaded_) SaveCstReceiptNo();
  });
  orv::colors::HighlightOnFocus(txtiGum);
  for (QLineEdit *b : {txtiNo, txtiDate}) orv::colors::TintOnFocus(b, kFocusBack);
  connect(txtiCard, &QLineEdit::textChanged, this, [this] { CardChanged(); });
  connect(txtiGum, &QLineEdit::textChanged, this, [this] { GumChanged(); });
  connect(txtiNo, &QLineEdit::textChanged, this, [this](const QString &t) {
    gsDspMoneyChkiNo = t;
    const int n = int(t.trimmed().size());
    txtiNoLen->setText(n == 0 ? QString() : QString::number(n));
  });
  connect(txtiDate, &QLineEdit::textChanged, this, [this](const QString &t) {
    gsDspMoneyChkiDate = t;
    const int n = int(t.trimmed().size());
    txtiDateLen->setText(n == 0 ? QString() : QString::number(n));
  });
  connect(chkSaup, &QCheckBox::toggled, this, [this](bool on) {
    giDspMoneyChkSaup = on ? 1 : 0;
    orv::colors::SetBack(chkSaup, on ? kSaupOn : kSaupOff);
  });
  connect(cmdCommit, &QPushButton::clicked, this, [this] { cmdCommit_Click(); });
  connect(cmdSaup, &QPushButton::clicked, this, [this] { chkSaup->setChecked(true); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  connect(cmdSignInput, &QPushButton::clicked, this, [this] { cmdSignInput_Click(); });

  orv::formkeys::InstallKeyPreview(
      this, {[this](int &key, int shift) { FormKeyDown(key, shift); },
             [this](int &ascii) {
               if (!keyPreview_) ascii = 0;
               // The amount the payment screen handed in cannot be typed over.
               if (focusWidget() == txtiGum && !gtPanChit.PctHab.IsZero() && giDspCash == 1)
                 ascii = 0;
             },
             {}});

  // Load.
  giMoneyChkExit = 0;
  miMoneyBusy = 0;
  gsCashRcptNo.clear();
  gsCashRcptCmitNo.clear();
  if (giSetDisp == 5) giDspMoneyChk = 1;
  cmdSignInput->setEnabled(false);
  if (giSetSignPad == 1 && NzCur(store::GetSetting(QStringLiteral("giSetSignNotUse"))).IsZero())
    cmdSignInput->setEnabled(true);
  // Read as the form always did; whether it should tick the box is still open.
  (void)NzCur(store::GetSetting(QStringLiteral("giCstMoneySave1")));
  CstSave2Chk->setChecked(false);
  miMoneyTelAutoNot = int16_t(GetRegInt(QStringLiteral("MoneyTelAutoNot")));
  if (miMoneyTelAutoNot != 0 && miMoneyTelAutoNot != 1) miMoneyTelAutoNot = 0;
  if (miMoneyTelAutoNot == 1) CstSave1Chk->setEnabled(false);
  for (QLabel *l : {CstNoLbl, CstBarcodeLbl, CstNameLbl, CstHpLbl, CstTeleLbl, CstMoneyLbl})
    l->clear();
  chkSaup->setChecked(false);
  txtiCard->clear();
  const CstCodeRec &c = gtCstCode;
  if (!c.CcdKey.IsZero()) {
    CstNoLbl->setText(CurStr(c.CcdNo, 1));
    CstBarcodeLbl->setText(c.CcdBarcode.trimmed());
    CstNameLbl->setText(c.CcdName.trimmed());
    CstHpLbl->setText(c.CcdHp.trimmed());
    CstTeleLbl->setText(c.CcdTel.trimmed());
    CstMoneyLbl->setText(c.CcdBank.trimmed());
    if (!c.CcdJumin.isEmpty()) txtiCard->setText(KeepDigits(c.CcdJumin, 0));
    const QString bank = c.CcdBank.trimmed();
    if (!c.CcdBank.isEmpty() && bank.size() < 16 && !bank.contains('=') && miMoneyTelAutoNot == 0)
      txtiCard->setText(bank);
  }
  loadedCard_ = SqlStrCut(txtiCard->text(), 20);
  ClearPanMoneyRecord();
  chkSaup->setChecked(false);
  giDspMoneyChkSaup = 0;
  orv::colors::SetBack(chkSaup, kSaupOff);
  MnyCancel0Opt->setChecked(true);
  PaintReasons();
  giHelpRet = 0;
  txtiCard->setFocus(Qt::OtherFocusReason);
}

frmMoneyChk::~frmMoneyChk() {
  orv::colors::DropLeaveCallbacks(*this);
  miMoneyBusy = 0;
}

void frmMoneyChk::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  Form_Activate();
}

void frmMoneyChk::changeEvent(QEvent *event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible() && !unloaded_)
    Form_Activate();
}

void frmMoneyChk::Form_Activate() {
  if (giSetVan == 10 || giSetVan == 1 || giSetVan == 9 || giSetVan == 4)
    CmitDateLbl->setText(QStringLiteral("YYMMDD(년월일)"));
  else if (giSetVan == 5)
    CmitDateLbl->setText(QStringLiteral("YYYYMMDD(년월일)"));
  txtiGum->setText(gcMoneyChkGum.ToPlainText());
}

void frmMoneyChk::CardChanged() {
  const QString t = txtiCard->text();
  if (t.isEmpty()) return;
  QString out;
  for (QChar ch : t) {
    if (ch == QLatin1Char('.')) break;
    if ((ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || ch == QLatin1Char('+') ||
        ch == QLatin1Char('-') || ch == QLatin1Char('='))
      out += ch;
  }
  if (out != t) {
    QSignalBlocker block(txtiCard);
    txtiCard->setText(out);
    txtiCard->end(false);
  }
  gsDspMoneyChkiCard = out;
}

void frmMoneyChk::GumChanged() {
  const QString t = txtiGum->text();
  if (t.isEmpty()) return;
  QString kept;
  for (QChar ch : t)
    if ((ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || ch == QLatin1Char('-')) kept += ch;
  const Currency value = NzCur(kept);
  QString shown = FmtAmt(value, 1);
  if (shown.isEmpty() && kept.startsWith('-')) shown = QStringLiteral("-");
  if (shown != t) {
    QSignalBlocker block(txtiGum);
    txtiGum->setText(shown);
  }
  txtiGum->end(false);
  gcDspMoneyChkiGum = ValCur(txtiGum->text());
}

void frmMoneyChk::PaintReasons() {
  for (QRadioButton *o : {MnyCancel0Opt, MnyCancel1Opt, MnyCancel2Opt})
    orv::colors::SetFore(o, o->isChecked() ? kReasonOn : orv::colors::kBlack);
}

int16_t frmMoneyChk::CancelReason() const {
  if (MnyCancel0Opt->isChecked()) return 1;
  if (MnyCancel1Opt->isChecked()) return 2;
  if (MnyCancel2Opt->isChecked()) return 3;
  return 0;
}

// ------------------------------------------------------------------ keys

void frmMoneyChk::FormKeyDown(int &key, int shift) {
  (void)shift;
  if (!keyPreview_) {
    key = 0;
    return;
  }
  switch (key) {
    case keys::vbKeyF1:
      key = 0;
      cmdCommit_Click();
      return;
    case keys::vbKeyF1 + 1:
      key = 0;
      chkSaup->setChecked(true);
      return;
    case keys::vbKeyF1 + 2:
      key = 0;
      if (giSetVan == 10 && cmdSignInput->isEnabled()) {
        SaveCstReceiptNo();
        cmdSignInput_Click();
      } else if (giSetVan == 9) {
        cmdSignInput->setVisible(cmdSignInput->isHidden());
      }
      return;
    case keys::vbKeyF1 + 6:
      key = 0;
      chkSaup->setChecked(false);
      return;
    case keys::vbKeyF1 + 7:
      key = 0;
      if (MnyCancel0Opt->isChecked()) MnyCancel1Opt->setChecked(true);
      else if (MnyCancel1Opt->isChecked()) MnyCancel2Opt->setChecked(true);
      else MnyCancel0Opt->setChecked(true);
      return;
    case keys::vbKeyEscape:
      key = 0;
      cmdExit_Click();
      return;
    default:
      BoxKeyDown(key);
  }
}

void frmMoneyChk::BoxKeyDown(int &key) {
  QWidget *f = focusWidget();
  const bool next = key == keys::vbKeyReturn || key == keys::vbKeyDown || key == keys::vbKeyTab;
  const bool up = key == keys::vbKeyUp;
  auto focus = [&](QLineEdit *to) {
    key = 0;
    to->setFocus(Qt::OtherFocusReason);
  };
  if (f == txtiCard) {
    if (next) return focus(txtiGum);
    if (key == keys::vbKeyF1 + 3) {
      key = 0;
      txtiCard->clear();
    }
    return;
  }
  if (f == txtiGum) {
    if (next) {
      key = 0;
      const Currency amount = NzCur(DelChar(txtiGum->text(), ","));
      if (amount < Currency()) txtiNo->setFocus(Qt::OtherFocusReason);
      else if (amount > Currency()) CommitCashReceipt();
      return;
    }
    if (up) return focus(txtiCard);
    if (key == keys::vbKeyF1 + 9 && giSetKey == 1) {
      key = 0;
      txtiGum->insert(QStringLiteral("-"));
    }
    return;
  }
  if (f == txtiNo) {
    if (next) return focus(txtiDate);
    if (up) return focus(txtiGum);
    return;
  }
  if (f == txtiDate) {
    if (next) {
      key = 0;
      CommitCashReceipt();
      return;
    }
    if (up) return focus(txtiNo);
  }
}

void frmMoneyChk::cmdSignInput_Click() {
  if (giSetSignPad != 1 || giSetVan != 10) return;
  int16_t port = giSetSignPortNo;
  pad->SelectPort(port);
  pad->SetSpeed(57600);
  try {
    pad->RequestNumber();
  } catch (const orv::serial::SerialError &e) {
    dlg::MsgBox(QStringLiteral("싸인패드에 문제가 발생했습니다 !\n") + e.Description, dlg::kCritical,
                QStringLiteral("싸인패드오류"));
  }
}

// ------------------------------------------------------------------ closing

void frmMoneyChk::cmdExit_Click() {
  // A request under way finishes first: its reply must reach the form.
  if (miMoneyBusy != 0) return;
  if (giMoneyChkExit != 0) return;
  giMoneyChkExit = 1;
  SaveCstReceiptNo();
  keyPreview_ = false;
  QDialog::reject();
}

void frmMoneyChk::reject() { cmdExit_Click(); }

void frmMoneyChk::closeEvent(QCloseEvent *event) {
  if (unloaded_) return QDialog::closeEvent(event);
  event->ignore();
  cmdExit_Click();
}

void frmMoneyChk::done(int r) {
  if (unloaded_) return;
  unloaded_ = true;
  store::SaveSetting(QStringLiteral("giCstMoneySave1"), CstSave1Chk->isChecked() ? "1" : "0");
  store::SaveSetting(QStringLiteral("giCstMoneySave2"), CstSave2Chk->isChecked() ? "1" : "0");
  if (giSetDisp == 5) giDspMoneyChk = 0;
  QDialog::done(r);
}

// ------------------------------------------------------------------ the customer's number

void frmMoneyChk::SaveCstReceiptNo() {
  const QString text = SqlStrCut(txtiCard->text(), 20);
  // Only what the cashier changed is kept: opening and closing never overwrites a number.
  if (text == loadedCard_) return;
  if (gtCstCode.CcdKey.IsZero()) return;
  try {
    if (giCstTsMode == 0 && giOnLine == 1) UpdateCstBank(gtCstCode.CcdKey, text);
    else if (giCstTsMode == 2) UpdateCstBankTs(gtCstCode.CcdKey, text);
    else return;
  } catch (const orv::db::DbError &e) {
    dlg::MsgBox(QStringLiteral("오류번호 : ") + QString::number(e.Number) + "\r\n" +
                    QStringLiteral("오류내용 : ") + e.Description,
                dlg::kCritical, QStringLiteral("현금영수증"));
    return;
  }
  gtCstCode.CcdBank = text;
  loadedCard_ = text;
}

// ------------------------------------------------------------------ the commit

void frmMoneyChk::cmdCommit_Click() {
  SaveCstReceiptNo();
  CommitCashReceipt();
}

void frmMoneyChk::CommitCashReceipt() {
  if (miMoneyBusy != 0) return;
  miMoneyBusy = 1;
  ApproveCashReceipt();
  miMoneyBusy = 0;
}

void frmMoneyChk::ApproveCashReceipt() {
  std::optional<orv::WaitCursor> busy(std::in_place);
  std::optional<Failure> failure;
  CashReceiptResult result;
  try {
    msMoneyIdNo = NzStr2(txtiCard->text());
    mcMoneyGum = NzCur(DelChar(txtiGum->text(), ","));
    mcMoneyHab = mcMoneyGum;
    mcMoneyVat = {};
    if (giPosCardTaxSelt == 1) mcMoneyVat = CalcVat(mcMoneyGum, 0);
    else if (giPosCardTaxSelt == 2) mcMoneyVat = CalcVat(mcMoneyGum, 1);
    CashReceiptInput in;
    in.idNo = msMoneyIdNo;
    in.hab = mcMoneyHab;
    in.gum = mcMoneyGum;
    in.vat = mcMoneyVat;
    in.saup = chkSaup->isChecked() ? 1 : 0;
    in.cancelReason = CancelReason();
    in.cancelNo = txtiNo->text();
    in.cancelDate = txtiDate->text();
    in.signInputShown = !cmdSignInput->isHidden();
    in.owner = this;
    in.smt = smt;
    for (QWidget *w : {Kis, KisPosAgent1, AxSmtSndRcvVCAT1}) w->hide();
    if (const auto &hook = orv::van::CashReceiptBranchHook()) {
      result = hook(in);
    } else if (CashReceiptBranch branch = CashReceiptBranchOf(giSetVan)) {
      result = branch(in);
    }
    mcMoneyGum = in.gum;
    mcMoneyVat = in.vat;
  } catch (const orv::db::DbError &e) {
    failure = Failure{e.Number, e.Description};
  } catch (const orv::van::VanError &e) {
    failure = Failure{e.Number, e.Description};
  } catch (const std::exception &e) {
    failure = Failure{0, QString::fromLocal8Bit(e.what())};
  }
  if (failure) {
    busy.reset();
    dlg::MsgBox(QStringLiteral("오류번호:") + QString::number(failure->number) + "\n" +
                    QStringLiteral("오류내용:") + failure->description,
                dlg::kCritical, QStringLiteral("승인실패"));
    return;
  }
  msMoneyTermNo = result.code == 0 ? result.termNo : QString();
  msMoneyMemberNo = result.code == 0 ? result.memberNo : QString();
  if (result.code != 0) return;
  notKept_ = result.notKept;
  gtPanMoney.PmoCmitDate = result.cmitDate;
  gtPanMoney.PmoCmitNo = result.cmitNo;
  RecordApproval();
  busy.reset();
  done(QDialog::Accepted);
  ReportNotKept();
}

void frmMoneyChk::RecordApproval() {
  // The network has issued the receipt: it is handed back whatever fails after this.
  gtPanChit.PctSss5 = 1;
  gtPanMoney.PmoHab = mcMoneyHab;
  gsCashRcptNo = msMoneyMemberNo;
  gsCashRcptCmitNo = gtPanMoney.PmoCmitNo;
  FillCashReceiptRecord(msMoneyMemberNo);
  giHelpRet = 1;
  try {
    PrintCashReceipt(chkSaup->isChecked() ? 1 : 0, msMoneyTermNo, msMoneyMemberNo);
  } catch (const orv::db::DbError &e) {
    notKept_ << QStringLiteral("영수증 출력 (") + e.Description + ")";
  } catch (const std::exception &e) {
    notKept_ << QStringLiteral("영수증 출력 (") + QString::fromLocal8Bit(e.what()) + ")";
  }
  try {
    AddCashReceiptLog(1, 108, CashReceiptLogText(msMoneyMemberNo), QString(), QString());
  } catch (const orv::db::DbError &e) {
    notKept_ << QStringLiteral("이벤트 기록 (") + e.Description + ")";
  }
}

void frmMoneyChk::ReportNotKept() {
  ::ReportNotKept(notKept_, QStringLiteral("현금영수증 발행은"), gtPanMoney.PmoCmitNo, gtPanMoney.PmoHab);
}
