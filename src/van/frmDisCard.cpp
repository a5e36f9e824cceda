#include "van/frmDisCard.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "chit/records.h"
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
#include "platform/settings_store.h"
#include "platform/wait_cursor.h"
#include "platform/widget_colors.h"
#include "van/SmtSndRcvVCAT.h"
#include "van/card_log.h"
#include "van/cash_receipt.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/van_approval.h"
#include "van/van_error.h"
#include "van/van_wait.h"

namespace dlg = orv::dialogs;
namespace keys = orv::keys;
using orv::widgets::Named;
using orv::Currency;

namespace {

QString Digits(const QString &text) {
  QString out;
  for (QChar c : text)
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) out += c;
  return out;
}
Currency Magnitude(Currency c) { return c < Currency() ? Currency::FromRaw(-c.raw()) : c; }
// A stored barcode of the approval, or empty; a database that cannot answer has none.
QString StoredBarcode(int16_t kind) {
  try {
    const QString b = ReadKzbBars(kind, gtCardRet.CmitDate, gtCardRet.CmitNo);
    return b == QLatin1String("?") ? QString() : b;
  } catch (const orv::db::DbError &) {
    return {};
  }
}

}  // namespace

QString NoCancelReplyText() {
  return QStringLiteral("응답이 없습니다. 단말기에서 취소 여부를 확인하세요");
}

frmDisCard::frmDisCard(QWidget *parent)
    : CardRequestForm(parent, QStringLiteral("싸인패드 사용않함 (F12)"), QStringLiteral("닫기(Esc)")) {
  setObjectName(QStringLiteral("frmDisCard"));
  setWindowTitle(QStringLiteral("신용카드 취소"));
  auto *grid = new QGridLayout(this);
  int row = 0;
  Image1 = Named<QLabel>(this, "Image1", QStringLiteral("카드승인취소"));
  grid->addWidget(Image1, row++, 0, 1, 3);
  fraCard = Named<QFrame>(this, "fraCard");
  auto add = [&](const QString &caption, QWidget *w, QWidget *extra = nullptr) {
    grid->addWidget(new QLabel(caption, this), row, 0);
    grid->addWidget(w, row, 1);
    if (extra) grid->addWidget(extra, row, 2);
    ++row;
  };
  for (QLineEdit *b : {txtiCard, txtiHalbu, txtiGum, txtiNo, txtiDate, txtDanNo})
    orv::colors::HighlightOnFocus(b);
  txtiHalbu->setAlignment(Qt::AlignRight);
  txtDanNo->setProperty("Tag", QStringLiteral("1"));
  CmitDateLbl->setText(QStringLiteral("??YYMMDD(년월일)"));
  lblErr = Named<QLabel>(this, "lblErr", QStringLiteral("설정이 잘못되었습니다."));
  lblErr->hide();
  add(QStringLiteral("카드번호"), txtiCard);
  add(QStringLiteral("할부개월"), txtiHalbu, new QLabel(QStringLiteral("공백(00)은 일시불"), this));
  add(QStringLiteral("승인금액"), txtiGum);
  add(QStringLiteral("승인번호"), txtiNo);
  add(QStringLiteral("승인일자"), txtiDate, CmitDateLbl);
  add(QStringLiteral("단말기"), txtDanNo);
  grid->addWidget(lblCardName, row++, 0, 1, 3);
  add(QStringLiteral("승인여부"), lblGabu, lblResult);
  add(QStringLiteral("발 급 사"), lblBalCode, lblBalName);
  add(QStringLiteral("매 입 사"), lblMeipCode, lblMeipName);
  add(QStringLiteral("가 맹 점"), lblGaM);
  grid->addWidget(lblErr, row++, 0, 1, 3);

  chkSignNotUse->setFocusPolicy(Qt::NoFocus);
  AddSignFrames(grid, row);
  grid->addWidget(KzTitleLbl, row++, 0, 1, 3);

  cmdiCancel = orv::widgets::PictureButton(this, "cmdiCancel", QStringLiteral("취소승인(F2)"));
  AddCommandTail(grid, row, cmdiCancel);
  setTabOrder(txtiGum, txtiNo);
  setTabOrder(txtiNo, txtiDate);

  // The customer display's copies, and the boxes' filters.
  connect(txtiCard, &QLineEdit::textChanged, this, [](const QString &t) { gsDspDisCardiCard = t; });
  auto digitsOnly = [](QLineEdit *box, QString *mirror) {
    if (box->text().isEmpty()) return;
    const QString d = Digits(box->text());
    if (d != box->text()) {
      QSignalBlocker block(box);
      box->setText(d);
    }
    box->end(false);
    *mirror = d;
  };
  connect(txtiHalbu, &QLineEdit::textChanged, this, [=, this] { digitsOnly(txtiHalbu, &gsDspDisCardiHalbu); });
  connect(txtiDate, &QLineEdit::textChanged, this, [=, this] { digitsOnly(txtiDate, &gsDspDisCardiDate); });
  connect(txtiGum, &QLineEdit::textChanged, this, [this] {
    if (txtiGum->text().isEmpty()) return;
    const QString shown = FmtAmt(NzCur(Digits(txtiGum->text())), 1);
    if (shown != txtiGum->text()) {
      QSignalBlocker block(txtiGum);
      txtiGum->setText(shown);
    }
    txtiGum->end(false);
    gcDspDisCardiGum = ValCur(txtiGum->text());
  });
  connect(txtiNo, &QLineEdit::textChanged, this, [](const QString &t) { gsDspDisCardiNo = t.trimmed(); });
  connect(cmdiCancel, &QPushButton::clicked, this, [this] { cmdiCancel_Click(); });

  orv::formkeys::InstallKeyPreview(
      this, {[this](int &key, int shift) { FormKeyDown(key, shift); },
             [this](int &ascii) {
               if (!keyPreview_) ascii = 0;
               // The payment screen's amount is the recalled chit's.
               if (giCardCallMode != 1 && focusWidget() == txtiGum && ascii != 13) ascii = 0;
             },
             {}});

  // Load.
  giCardOk = 0;
  giCardKeyBusy = 0;
  miCancelBusy = 0;
  if (giSetDisp == 5) giDspDisCard = 1;
  giSetSignNotUse = int16_t(NzCur(orv::settings_store::GetSetting("giSetSignNotUse")).RoundToInt());
  chkSignNotUse->setChecked(giSetSignNotUse == 1);
  SetSignNotUseColour();
  gsCardDanNo = gsSetDanId;
  txtDanNo->setText(gsCardDanNo);
  txtiHalbu->setText((QStringLiteral("00") + QString::number(gtCardRet.Halbu)).right(2));
  txtiGum->setText(gtCardRet.Gum.ToPlainText());
  txtiDate->setText(gtCardRet.CmitDate.trimmed());
  txtiNo->setText(gtCardRet.CmitNo.trimmed());
  miSignNeed = Magnitude(gtCardRet.Gum) > Currency::Won(50000) ? 1 : 0;
  const bool modeCollect = giCardCallMode == 1;
  txtiGum->setEnabled(modeCollect);
  txtiNo->setEnabled(modeCollect);
  txtiDate->setEnabled(modeCollect);
  txtDanNo->setEnabled(false);
  // The cash-receipt form is never open while a screen waits on this one.
  giDspSignPlease = 0;
  gsCardPrnMsg1.clear();
  gsCardPrnMsg2.clear();
  txtiCard->clear();
  giKzPayKind = 0;
  gcKzReqGum = gcKzDcGum = {};
  gsKzBarcode.clear();
  gsKzKakaoGbn.clear();
  KzTitleLbl->clear();
  if (giSetVan == 4 || giSetVan == 5 || giSetVan == 10) {
    gsKzBarcode = gtPanChit.PctCardNo;
    txtiCard->setText(gsKzBarcode);
    if (gsKzBarcode.startsWith(QLatin1Char('K'))) {
      giKzPayKind = 1;
      gsKzBarcode.remove(0, 1);
      if (giSetVan != 4) {
        gsKzKakaoGbn = gsKzBarcode.left(1);
        gsKzBarcode.remove(0, 1);
      }
      // First Data too: its card number keeps only 12 characters of the unique number.
      const QString stored = StoredBarcode(1);
      if (!stored.isEmpty()) gsKzBarcode = stored;
    }
    if (gsKzBarcode.startsWith(QLatin1Char('Z'))) {
      giKzPayKind = 2;
      gsKzBarcode.remove(0, 1);
      const QString stored = StoredBarcode(2);
      if (!stored.isEmpty()) gsKzBarcode = stored;
    }
    if (giKzPayKind == 1) KzTitleLbl->setText(QStringLiteral("카카오페이"));
    if (giKzPayKind == 2) KzTitleLbl->setText(QStringLiteral("제로페이"));
  }
  giKzScanOpen = 0;
}

frmDisCard::~frmDisCard() {
  if (!unloaded_) {
    miCancelBusy = 0;
    if (giSetDisp == 5) giDspDisCard = 0;
    giDspSignPlease = 0;
  }
}

void frmDisCard::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  Form_Activate();
}

void frmDisCard::Form_Activate() {
  ActivateBoxes();
  if (txtiHalbu->isEnabled()) txtiHalbu->setFocus(Qt::OtherFocusReason);
}

QString frmDisCard::SentDate() const {
  return (QString(6, QLatin1Char(' ')) + txtiDate->text().trimmed()).right(6);
}

void frmDisCard::ShowReply() {
  ShowCardRet({&gsDspDisCardMeipCode, &gsDspDisCardMeipName, &gsDspDisCardGaM, &gsDspDisCardCardName});
}

void frmDisCard::FormKeyDown(int &key, int shift) {
  (void)shift;
  if (!keyPreview_) {
    key = 0;
    return;
  }
  switch (key) {
    case keys::vbKeyEscape:
      key = 0;
      if (giCardKeyBusy == 0) reject();
      return;
    case keys::vbKeyF1 + 1:
      key = 0;
      if (!gtCardRet.CmitNo.isEmpty() && gtPanChit.PctHab < Currency()) cmdiCancel_Click();
      return;
    case keys::vbKeyF1 + 11:
      key = 0;
      ToggleSignNotUse();
      return;
    default:
      BoxKeyDown(key);
  }
}

void frmDisCard::BoxKeyDown(int &key) {
  QWidget *f = focusWidget();
  const bool enter = key == keys::vbKeyReturn || key == keys::vbKeyDown;
  const bool up = key == keys::vbKeyUp;
  const bool zeros = key == keys::vbKeyOemPlus || key == keys::vbKeyOemPeriod;
  auto focus = [&key](QLineEdit *to) {
    if (to->isEnabled()) to->setFocus(Qt::OtherFocusReason);
    key = 0;
  };
  auto append = [&key](QLineEdit *box) {
    box->setText(box->text() + (key == keys::vbKeyOemPeriod ? "000" : "00"));
    key = 0;  // only the zeros land
  };
  if (f == txtiCard && enter) return focus(txtiHalbu);
  if (f == txtiHalbu) {
    if (enter) {
      key = 0;
      StartFromMonths();
    } else if (up) {
      focus(txtiCard);
    }
    return;
  }
  if (f == txtiGum) {
    if (enter) {
      if (giCardCallMode == 1) return focus(txtiNo);
      key = 0;
    } else if (up) {
      focus(txtiHalbu);
    } else if (zeros) {
      if (giSetVan == 3) append(txtiGum);
      key = 0;
    }
    return;
  }
  if (f == txtiNo) {
    if (enter) return focus(txtiDate);
    if (up) return focus(txtiGum);
    if (zeros) append(txtiNo);
    return;
  }
  if (f == txtiDate) {
    if (enter) {
      key = 0;
      StartFromDate();
    } else if (up) {
      focus(txtiNo);
    }
  }
}

void frmDisCard::StartFromMonths() {
  if (giCardCallMode == 1) {
    if (txtiGum->isEnabled()) txtiGum->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (gtCardRet.CmitNo.isEmpty() || gtCardRet.Gum.IsZero() || gtPanChit.PctHab >= Currency()) {
    dlg::MsgBox(QStringLiteral("승인번호 또는 승인금액이 잘못되었습니다.\n승인번호 : ") +
                    gtCardRet.CmitNo + QStringLiteral("\n승인금액 : ") + gtCardRet.Gum.ToPlainText() +
                    QStringLiteral(" , ") + gtPanChit.PctHab.ToPlainText(),
                dlg::kOkOnly);
    return;
  }
  cmdiCancel_Click();
}

void frmDisCard::StartFromDate() {
  if (giCardCallMode == 1) {
    if (!txtiCard->text().isEmpty() && !txtiNo->text().isEmpty() && !txtiGum->text().isEmpty() &&
        !txtiDate->text().isEmpty())
      cmdiCancel_Click();
    return;
  }
  if (!gtCardRet.CmitNo.isEmpty() && !gtCardRet.Gum.IsZero() && gtPanChit.PctGum < Currency())
    cmdiCancel_Click();
}

void frmDisCard::cmdiCancel_Click() {
  if (miCancelBusy != 0) return;
  miCancelBusy = 1;
  CancelCardApproval();
  miCancelBusy = 0;
}

void frmDisCard::reject() {
  // While a cancellation runs the close box and Alt+F4 do nothing.
  if (miCancelBusy != 0 || giCardKeyBusy != 0) return;
  giCardKeyBusy = 1;
  if (giSetSignPad == 1) QApplication::restoreOverrideCursor();
  if (giSetVan == 10) miSignState = 3;
  QDialog::reject();
}

void frmDisCard::closeEvent(QCloseEvent *event) {
  if (miCancelBusy != 0) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void frmDisCard::done(int r) {
  if (unloaded_) return;
  unloaded_ = true;
  miCancelBusy = 0;
  if (giSetDisp == 5) giDspDisCard = 0;
  giDspSignPlease = 0;
  QDialog::done(r);
}

// ------------------------------------------------------------------ the cancellation

void frmDisCard::EndStep(bool focusToNo, bool focusToDate) {
  EnableControls(this);
  txtDanNo->setEnabled(false);
  QLineEdit *to = focusToNo ? txtiNo : focusToDate ? txtiDate : txtiHalbu;
  if (to->isEnabled()) to->setFocus(Qt::OtherFocusReason);
  keyPreview_ = true;
}

void frmDisCard::CancelCardApproval() {
  std::optional<orv::WaitCursor> busy(std::in_place);
  int16_t outcome = -1;
  notKept.clear();
  const CardRetRec saved = gtCardRet;
  try {
    setFocus(Qt::OtherFocusReason);
    keyPreview_ = false;
    DisableControls(this);
    orv::van::Pause(0);
    gsCardPrnMsg1.clear();
    gsCardPrnMsg2.clear();
    ClearCardLogRecord();
    if (NzStr(txtiNo->text()).isEmpty()) {
      busy.reset();
      dlg::MsgBox(QStringLiteral("* 승인번호가 입력되지 않았습니다 !"), dlg::kInformation,
                  QStringLiteral("승인번호 입력요망"));
      EndStep(true, false);
      return;
    }
    if (NzStr(txtiDate->text()).isEmpty()) {
      busy.reset();
      dlg::MsgBox(QStringLiteral("* 승인일자가 입력되지 않았습니다 !"), dlg::kInformation,
                  QStringLiteral("승인일자 입력요망"));
      EndStep(false, true);
      return;
    }
    mcCardGum = NzCur(AmountText());
    mcCardVat = {};
    mcCardSvc = {};
    if (giPosCardTaxSelt == 1) mcCardVat = CalcVat(mcCardGum, 0);
    else if (giPosCardTaxSelt == 2) mcCardVat = CalcVat(mcCardGum, 1);
    if (giSetVan == 1 && !KiccFieldSafe(txtiNo->text().trimmed())) {
      // Checked before the request number is raised: nothing at all went out.
      busy.reset();
      dlg::MsgBox(QStringLiteral("* 승인번호와 승인일자는 숫자만 입력하세요 !"), dlg::kInformation,
                  QStringLiteral("입력오류"));
      gtCardRet = saved;
      gtCardRet.CardNo.clear();
      EndStep(true, false);
      return;
    }
    int16_t (*branch)(frmDisCard &) = nullptr;
    if (giSetVan == 10) branch = CancelCardKis;
    if (giSetVan == 1) branch = CancelCardKicc;
    if (giSetVan == 5) branch = CancelCardSmt;
    if (giSetVan == 9) branch = CancelCardNice;
    if (giSetVan == 4) branch = CancelCardFdk;
    if (branch) {
      if (StartNetworkRequest(Screen())) {
        outcome = branch(*this);
      } else {
        outcome = 9999;
        busy.reset();
        dlg::MsgBox(QStringLiteral("카드요청번호를 저장하지 못했습니다."), dlg::kCritical,
                    QStringLiteral("승인취소실패"));
      }
    }
  } catch (const std::exception &e) {
    busy.reset();
    gtCardRet.CardNo.clear();
    EnableControls(this);
    txtDanNo->setEnabled(false);
    int number = 0;
    QString description = QString::fromUtf8(e.what());
    if (const auto *db = dynamic_cast<const orv::db::DbError *>(&e)) {
      number = db->Number;
      description = db->Description;
    } else if (const auto *van = dynamic_cast<const orv::van::VanError *>(&e)) {
      number = van->Number;
      description = van->Description;
    }
    dlg::MsgBox(QStringLiteral("오류번호:") + QString::number(number) + "\n" +
                    QStringLiteral("오류내용:") + description,
                dlg::kCritical, QStringLiteral("승인취소실패"));
    keyPreview_ = true;
    return;
  }
  busy.reset();
  if (outcome == 0) {
    giCardOk = 1;
    gtCardRet.Gum = Currency::FromRaw(-NzCur(AmountText()).raw());
    accept();
    ReportNotKept(notKept, QStringLiteral("취소는"), gtCardRet.CmitNo, gtCardRet.Gum);
    return;
  }
  gtCardRet = saved;
  gtCardRet.CardNo.clear();
  EndStep(false, false);
}
