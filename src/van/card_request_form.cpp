#include "van/card_request_form.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/card_ret.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/colors.h"
#include "platform/named_widgets.h"
#include "platform/settings_store.h"
#include "platform/widget_colors.h"
#include "van/SmtSndRcvVCAT.h"
#include "van/van_approval.h"

using orv::widgets::Named;

CardRequestForm::CardRequestForm(QWidget *parent, const QString &signNotUse,
                                 const QString &exitCaption)
    : QDialog(parent) {
  txtiCard = Named<QLineEdit>(this, "txtiCard");
  txtiHalbu = Named<QLineEdit>(this, "txtiHalbu");
  txtiHalbu->setMaxLength(2);
  txtiGum = Named<QLineEdit>(this, "txtiGum");
  txtiGum->setAlignment(Qt::AlignRight);
  txtiNo = Named<QLineEdit>(this, "txtiNo");
  txtiDate = Named<QLineEdit>(this, "txtiDate");
  txtiDate->setMaxLength(8);
  txtDanNo = Named<QLineEdit>(this, "txtDanNo");
  CmitDateLbl = Named<QLabel>(this, "CmitDateLbl");
  lblCardName = Named<QLabel>(this, "lblCardName");
  lblGaM = Named<QLabel>(this, "lblGaM");
  lblMeipCode = Named<QLabel>(this, "lblMeipCode");
  lblMeipName = Named<QLabel>(this, "lblMeipName");
  lblBalCode = Named<QLabel>(this, "lblBalCode");
  lblBalName = Named<QLabel>(this, "lblBalName");
  lblGabu = Named<QLabel>(this, "lblGabu");
  lblResult = Named<QLabel>(this, "lblResult");
  KzTitleLbl = Named<QLabel>(this, "KzTitleLbl");

  fmeSignNotUse = Named<QFrame>(this, "fmeSignNotUse");
  chkSignNotUse = Named<QCheckBox>(fmeSignNotUse, "chkSignNotUse", signNotUse);
  (new QVBoxLayout(fmeSignNotUse))->addWidget(chkSignNotUse);
  fraSign = Named<QFrame>(this, "fraSign");
  MtCardLbl = Named<QLabel>(fraSign, "MtCardLbl", QStringLiteral("마그네틱 카드를 읽혀주세요 ~"));
  PlzSignLbl = Named<QLabel>(fraSign, "PlzSignLbl", QStringLiteral("서명해주세요~~"));
  auto *signLay = new QVBoxLayout(fraSign);
  signLay->addWidget(MtCardLbl);
  signLay->addWidget(PlzSignLbl);
  fraSign->hide();

  cmdiExit = orv::widgets::PictureButton(this, "cmdiExit", exitCaption);
  Kis = Named<QWidget>(this, "Kis");
  KisPosAgent1 = Named<QWidget>(this, "KisPosAgent1");
  AxSmtSndRcvVCAT1 = Named<QWidget>(this, "AxSmtSndRcvVCAT1");
  for (QWidget *w : {Kis, KisPosAgent1, AxSmtSndRcvVCAT1}) w->hide();
  // The terminal's "1M" status asks for the card.
  smt = new SmtReplyState(this, [this](const QString &status) {
    const QString s = status.trimmed();
    MtCardLbl->setVisible(s == QLatin1String("1M"));
    return s;
  });

  setTabOrder(txtiCard, txtiHalbu);
  setTabOrder(txtiHalbu, txtiGum);
  connect(chkSignNotUse, &QCheckBox::toggled, this, [this] { SetSignNotUseColour(); });
  connect(txtiCard, &QLineEdit::editingFinished, this, [this] {
    // A reader typing both tracks: keep the second.
    const QString t = txtiCard->text();
    const int a = t.indexOf(QStringLiteral("?;"));
    if (a < 0) return;
    const int b = t.indexOf(QStringLiteral("?;"), a + 2);
    txtiCard->setText(b < 0 ? t.mid(a + 2) : t.mid(a + 2, b - a - 2));
  });
}

void CardRequestForm::AddSignFrames(QGridLayout *grid, int &row) {
  grid->addWidget(fmeSignNotUse, row++, 0, 1, 3);
  grid->addWidget(fraSign, row++, 0, 1, 3);
}

void CardRequestForm::AddCommandTail(QGridLayout *grid, int &row, QPushButton *go) {
  grid->addWidget(go, row, 1);
  grid->addWidget(cmdiExit, row++, 2);
  for (QWidget *w : {Kis, KisPosAgent1, AxSmtSndRcvVCAT1}) grid->addWidget(w, row, 0);
  ++row;
  smt->AddTo(grid, row);
}

void CardRequestForm::SetSignNotUseColour() {
  orv::colors::SetFore(chkSignNotUse, chkSignNotUse->isChecked() ? 0x808080 : orv::colors::kBlack);
}

void CardRequestForm::ToggleSignNotUse() {
  const int16_t now = int16_t(NzCur(orv::settings_store::GetSetting("giSetSignNotUse")).RoundToInt());
  giSetSignNotUse = now == 0 ? 1 : 0;
  chkSignNotUse->setChecked(giSetSignNotUse == 1);
  orv::settings_store::SaveSetting("giSetSignNotUse", QString::number(giSetSignNotUse));
}

void CardRequestForm::ActivateBoxes() {
  if (giSetVan == 10 || giSetVan == 1 || giSetVan == 9 || giSetVan == 4)
    CmitDateLbl->setText(QStringLiteral("YYMMDD(년월일)"));
  else if (giSetVan == 5)
    CmitDateLbl->setText(QStringLiteral("YYYYMMDD(년월일)"));
  txtDanNo->setText(gsSetDanId);
  if (txtiCard->text().trimmed().isEmpty()) txtiCard->setText(QStringLiteral("0000000000000000"));
}

void CardRequestForm::ShowCardRet(const DisplayCopies &copies) {
  lblCardName->clear();
  lblMeipCode->setText(gtCardRet.MeipCode);
  lblMeipName->setText(gtCardRet.MeipName);
  txtiNo->setText(gtCardRet.CmitNo);
  txtiDate->setText(gtCardRet.CmitDate);
  lblGaM->setText(gtCardRet.GamyNo);
  copies.cardName->clear();
  *copies.meipCode = gtCardRet.MeipCode;
  *copies.meipName = gtCardRet.MeipName;
  *copies.gaM = gtCardRet.GamyNo;
}

void CardRequestForm::LogRow(const QString &text, int16_t kind) { CardLogRowKept(text, kind, notKept); }

RequestScreen CardRequestForm::Screen() const {
  return {fraSign, MtCardLbl, PlzSignLbl, Kis, KisPosAgent1, AxSmtSndRcvVCAT1};
}

QString CardRequestForm::Months() const { return (QStringLiteral("00") + txtiHalbu->text()).right(2); }

QString CardRequestForm::AmountText() const { return DelChar(txtiGum->text(), ","); }
