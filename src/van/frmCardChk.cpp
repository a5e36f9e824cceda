#include "van/frmCardChk.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "chit/records.h"
#include "core/card_ret.h"
#include "core/daily_log.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/colors.h"
#include "platform/widget_colors.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/keys.h"
#include "platform/named_widgets.h"
#include "platform/serial_port.h"
#include "platform/settings_store.h"
#include "van/card_log.h"
#include "van/card_state.h"
#include "van/KzScanFrm.h"
#include "van/SmtSndRcvVCAT.h"
#include "van/van_approval.h"
#include "van/van_error.h"
#include "van/van_nice.h"
#include "van/van_smartro.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;
namespace keys = orv::keys;
using orv::widgets::Named;
using orv::Currency;

int16_t giCardKeyBusy = 0;
QString gsCardDanNo;

namespace {

QString Digits(const QString &text) {
  QString out;
  for (QChar c : text)
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) out += c;
  return out;
}
bool BarcodeVan() { return giSetVan == 4 || giSetVan == 5 || giSetVan == 10; }

// The hourglass until the approval returns, on every way out.
struct BusyCursor {
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

frmCardChk::frmCardChk(QWidget *parent)
    : CardRequestForm(parent, QStringLiteral("싸인패드 사용안함 (F12)"), QStringLiteral("닫기")) {
  setObjectName(QStringLiteral("frmCardChk"));
  setWindowTitle(QStringLiteral("카드승인/취소"));
  auto *grid = new QGridLayout(this);
  int row = 0;
  auto add = [&](const QString &caption, QWidget *w, QWidget *extra = nullptr) {
    grid->addWidget(new QLabel(caption, this), row, 0);
    grid->addWidget(w, row, 1);
    if (extra) grid->addWidget(extra, row, 2);
    ++row;
  };
  txtiHalbu->setToolTip(QStringLiteral("공백(00)은 일시불"));
  CmitDateLbl->setText(QStringLiteral("YYMMDD(년월일)"));
  add(QStringLiteral("카드번호"), txtiCard);
  add(QStringLiteral("할부개월"), txtiHalbu);
  add(QStringLiteral("승인금액"), txtiGum);
  add(QStringLiteral("승인번호"), txtiNo);
  add(QStringLiteral("승인일자"), txtiDate, CmitDateLbl);
  add(QStringLiteral("단말기"), txtDanNo);
  grid->addWidget(lblCardName, row++, 0, 1, 3);
  add(QStringLiteral("가 맹 점"), lblGaM);
  add(QStringLiteral("매 입 사"), lblMeipCode, lblMeipName);
  add(QStringLiteral("발 급 사"), lblBalCode, lblBalName);
  add(QStringLiteral("승인여부"), lblGabu, lblResult);
  AddSignFrames(grid, row);

  KzMsgLbl = Named<QLabel>(this, "KzMsgLbl", QStringLiteral("F4:일반, F5:카카오페이, F6:제로페이"));
  grid->addWidget(KzMsgLbl, row, 0, 1, 2);
  grid->addWidget(KzTitleLbl, row++, 2);

  cmdiCommit = orv::widgets::PictureButton(this, "cmdiCommit", QStringLiteral("승인"));
  AddCommandTail(grid, row, cmdiCommit);

  // The customer display's copies.
  connect(txtiCard, &QLineEdit::textChanged, this, [](const QString &t) { gsDspCardChkiCard = t; });
  connect(txtiHalbu, &QLineEdit::textChanged, this, [this] {
    DigitFilter(txtiHalbu);
    if (!txtiHalbu->text().isEmpty()) gsDspCardChkiHalbu = txtiHalbu->text();
  });
  connect(txtiDate, &QLineEdit::textChanged, this, [this] {
    DigitFilter(txtiDate);
    if (!txtiDate->text().isEmpty()) gsDspCardChkiDate = txtiDate->text();
  });
  connect(txtiGum, &QLineEdit::textChanged, this, [this] {
    if (txtiGum->text().isEmpty()) return;
    const QString digits = Digits(txtiGum->text());
    const QString shown = FmtAmt(NzCur(digits), 0);
    if (shown != txtiGum->text()) {
      QSignalBlocker block(txtiGum);
      txtiGum->setText(shown == QLatin1String("0") ? QString() : shown);
      txtiGum->end(false);
    }
    gcDspCardChkiGum = ValCur(txtiGum->text());
  });
  connect(txtiNo, &QLineEdit::textChanged, this, [](const QString &t) { gsDspCardChkiNo = t.trimmed(); });
  connect(cmdiCommit, &QPushButton::clicked, this, [this] { cmdiCommit_Click(); });

  orv::formkeys::InstallKeyPreview(
      this, {[this](int &key, int shift) { FormKeyDown(key, shift); },
             [this](int &ascii) {
               // In checkout mode the amount takes no typing.
               if (giCardCallMode != 1 && focusWidget() == txtiGum && ascii != 13) ascii = 0;
               if (!keyPreview_) ascii = 0;
             },
             {}});

  // Load.
  giCardOk = 0;
  giCardKeyBusy = 0;
  miCommitBusy = 0;
  if (giSetDisp == 5) giDspCardChk = 1;
  giSetSignNotUse = int16_t(NzCur(orv::settings_store::GetSetting("giSetSignNotUse")).RoundToInt());
  chkSignNotUse->setChecked(giSetSignNotUse == 1);
  SetSignNotUseColour();
  gsCardDanNo = gsSetDanId;
  txtDanNo->setText(gsSetDanId);
  txtiGum->setText(gtCardRet.Gum.ToPlainText());
  const Currency magnitude = gtCardRet.Gum < Currency() ? Currency::FromRaw(-gtCardRet.Gum.raw()) : gtCardRet.Gum;
  const bool waived = giSetSignNotUse == 1 ||
                      (magnitude <= Currency::Won(GetRegInt(QStringLiteral("PosCardSignNotGum"))) &&
                       giSetSign0 == 0);
  miSignRequired = magnitude > Currency::Won(50000) ? 1 : 0;
  txtiHalbu->setText((QStringLiteral("00") + QString::number(gtCardRet.Halbu)).right(2));
  if (giCardCallMode == 1) txtiGum->setEnabled(true);
  else txtiGum->setEnabled(false);
  txtiNo->setEnabled(false);
  txtiDate->setEnabled(false);
  (void)waived;  // the cash-receipt dialog is not open while the payment screen waits here
  giDspSignPlease = 0;
  gsCardPrnMsg1.clear();
  gsCardPrnMsg2.clear();
  txtiCard->clear();
  giKzPayKind = 0;
  gsKzBarcode.clear();
  gsKzKakaoGbn.clear();
  gcKzReqGum = gcKzDcGum = {};
  KzTitleLbl->clear();
  KzMsgLbl->setVisible(BarcodeVan());
  giKzScanOpen = 0;
}

frmCardChk::~frmCardChk() {
  miCommitBusy = 0;
  if (giSetDisp == 5) giDspCardChk = 0;
  giDspSignPlease = 0;
}

void frmCardChk::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  Form_Activate();
}

void frmCardChk::Form_Activate() {
  ActivateBoxes();
  txtiHalbu->setFocus(Qt::OtherFocusReason);
  txtiHalbu->selectAll();
}

void frmCardChk::DigitFilter(QLineEdit *box) {
  if (box->text().isEmpty()) return;
  const QString d = Digits(box->text());
  if (d == box->text()) return;
  QSignalBlocker block(box);
  box->setText(d);
  box->end(false);
}

void frmCardChk::ShowResult() {
  ShowCardRet({&gsDspCardChkMeipCode, &gsDspCardChkMeipName, &gsDspCardChkGaM, &gsDspCardChkCardName});
}

void frmCardChk::FormKeyDown(int &key, int shift) {
  (void)shift;
  if (!keyPreview_) {
    key = 0;
    return;
  }
  switch (key) {
    case keys::vbKeyEscape:
      if (giCardKeyBusy == 0) reject();
      key = 0;
      return;
    case keys::vbKeyF1:
      if (gtPanChit.PctHab > Currency()) cmdiCommit_Click();
      key = 0;
      return;
    case keys::vbKeyF1 + 11:
      ToggleSignNotUse();
      key = 0;
      return;
    case keys::vbKeyF1 + 3:
    case keys::vbKeyF1 + 4:
    case keys::vbKeyF1 + 5:
      if (BarcodeVan()) {
        giKzPayKind = int16_t(key - keys::vbKeyF1 - 3);
        KzTitleLbl->setText(giKzPayKind == 1   ? QStringLiteral("카카오페이")
                            : giKzPayKind == 2 ? QStringLiteral("제로페이")
                                               : QString());
      }
      key = 0;
      return;
    default:
      BoxKeyDown(key);
  }
}

void frmCardChk::BoxKeyDown(int &key) {
  QWidget *f = focusWidget();
  const bool enter = key == keys::vbKeyReturn || key == keys::vbKeyDown;
  const bool up = key == keys::vbKeyUp;
  auto focus = [&](QLineEdit *to) {
    if (to->isEnabled()) to->setFocus(Qt::OtherFocusReason);
    key = 0;
  };
  if (f == txtiCard && enter) return focus(txtiHalbu);
  if (f == txtiHalbu && enter) {
    key = 0;
    StartFromMonths();
    return;
  }
  if (f == txtiHalbu && up) return focus(txtiCard);
  if (f == txtiGum) {
    if (enter) {
      key = 0;
      if (giCardCallMode == 1) cmdiCommit_Click();
    } else if (up) {
      focus(txtiHalbu);
    } else if (giSetVan == 3 && (key == keys::vbKeyOemPlus || key == 190)) {
      txtiGum->setText(txtiGum->text() + (key == 190 ? "000" : "00"));
      key = 0;
    }
    return;
  }
  if (f == txtiNo) {
    if (enter) return focus(txtiDate);
    if (up) return focus(txtiGum);
    if (key == keys::vbKeyOemPlus || key == 190) {
      txtiNo->setText(txtiNo->text() + (key == 190 ? "000" : "00"));
      key = 0;
    }
    return;
  }
  if (f == txtiDate && up) return focus(txtiNo);
}

void frmCardChk::StartFromMonths() {
  if (giCardCallMode == 1) {
    if (txtiGum->isEnabled()) txtiGum->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (gtPanChit.PctHab <= Currency()) {
    dlg::MsgBox(QStringLiteral("승인금액이 잘못되었습니다."), dlg::kOkOnly);
    return;
  }
  gsKzBarcode.clear();
  gsKzKakaoGbn.clear();
  gcKzReqGum = NzCur(AmountText());
  gcKzDcGum = {};
  if (BarcodeVan() && (giKzPayKind == 1 || giKzPayKind == 2)) {
    if (giKzScanOpen != 1) {
      giKzScanOpen = 1;
      ShowKzScanFrm(this);
      giKzScanOpen = 0;
    }
    if (gsKzBarcode.isEmpty() || gsKzBarcode.trimmed().size() > 30) {
      dlg::MsgBox(QStringLiteral("바코드스캔이 잘못되었습니다."), dlg::kOkOnly);
      return;
    }
    txtiCard->setText((giKzPayKind == 1 ? QStringLiteral("K") : QStringLiteral("Z")) + gsKzBarcode);
  }
  cmdiCommit_Click();
}

void frmCardChk::cmdiCommit_Click() {
  if (miCommitBusy != 0) return;
  miCommitBusy = 1;
  RequestCardApproval();
  miCommitBusy = 0;
}

void frmCardChk::reject() {
  if (giCardKeyBusy != 0) return;
  giCardKeyBusy = 1;
  if (giSetSignPad == 1) QApplication::restoreOverrideCursor();
  QDialog::reject();
}

void frmCardChk::done(int r) {
  if (unloaded_) return;
  unloaded_ = true;
  miCommitBusy = 0;
  if (giSetDisp == 5) giDspCardChk = 0;
  giDspSignPlease = 0;
  QDialog::done(r);
}

// ------------------------------------------------------------------ the approval

void frmCardChk::FailTail() {
  ClearCardRet();
  gtCardRet.CardNo.clear();
  PanChitRec &h = gtPanChit;
  h.PctCard = {};
  for (QString *s : {&h.PctCDComNo, &h.PctCDComName, &h.PctCardNo, &h.PctCardDate,
                     &h.PctCDGubun, &h.PctGaMyNo, &h.PctCmitNo, &h.PctCmitDate})
    s->clear();
  EnableControls(this);
}

void frmCardChk::ReportNotKept() {
  ::ReportNotKept(notKept, QStringLiteral("승인은"), gtCardRet.CmitNo, gtCardRet.Gum);
}

NetworkBranch BranchOf(int16_t van) {
  switch (van) {
    case 10: return &ApproveKis;
    case 1: return &ApproveKicc;
    case 5: return &ApproveSmartro;
    case 9: return &ApproveNice;
    case 4: return &ApproveFdk;
    default: return nullptr;  // 3 and others: nothing is sent
  }
}

void frmCardChk::ErrorTail(int number, const QString &description) {
  FailTail();
  dlg::MsgBox(QStringLiteral("오류번호:") + QString::number(number) + "\n" +
                  QStringLiteral("오류내용:") + description,
              dlg::kCritical, QStringLiteral("승인실패"));
  keyPreview_ = true;
}

void frmCardChk::RequestCardApproval() {
  std::optional<BusyCursor> busy(std::in_place);
  int16_t result = -1;
  notKept.clear();
  try {
    setFocus(Qt::OtherFocusReason);
    keyPreview_ = false;
    DisableControls(this);
    orv::van::Pause(0);
    gsCardPrnMsg1.clear();
    gsCardPrnMsg2.clear();
    ClearCardLogRecord();
    mcReqGum = NzCur(AmountText());
    mcTaxGum = {};
    mcSvcGum = {};
    if (giPosCardTaxSelt == 1) mcTaxGum = CalcVat(mcReqGum, 0);
    else if (giPosCardTaxSelt == 2) mcTaxGum = CalcVat(mcReqGum, 1);
    if (NetworkBranch branch = BranchOf(giSetVan)) {
      if (StartNetworkBranch(*this)) result = branch(*this);
      else dlg::MsgBox(QStringLiteral("카드요청번호를 저장하지 못했습니다."), dlg::kCritical, QStringLiteral("승인실패"));
    }
  } catch (const orv::db::DbError &e) {
    busy.reset();
    ErrorTail(e.Number, e.Description);
    return;
  } catch (const orv::van::VanError &e) {
    busy.reset();
    ErrorTail(e.Number, e.Description);
    return;
  } catch (const orv::serial::SerialError &e) {
    busy.reset();
    ErrorTail(e.Number, e.Description);
    return;
  }
  busy.reset();
  if (result == 0) {
    giCardOk = 1;
    gtCardRet.Gum = NzCur(AmountText().trimmed());
    accept();
    ReportNotKept();
    return;
  }
  FailTail();
  if (txtiHalbu->isEnabled()) txtiHalbu->setFocus(Qt::OtherFocusReason);
  keyPreview_ = true;
}
