#include "van/frmCardOK.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "chit/records.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/keys.h"
#include "platform/widget_colors.h"
#include "van/card_state.h"
#include "van/frmCardChk.h"
#include "van/issuer_codes.h"

namespace dlg = orv::dialogs;
namespace keys = orv::keys;
using orv::Currency;

namespace {

QString Keep(const QString &text, const QString &allowed) {
  QString out;
  for (QChar c : text)
    if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || allowed.contains(c)) out += c;
  return out;
}

// Digits with a minus sign only in first place, shown as "###,###,###".
QString AmountShown(const QString &text) {
  const bool minus = text.startsWith(QLatin1Char('-'));
  const QString digits = Keep(text, {});
  if (digits.isEmpty()) return minus ? QStringLiteral("-") : QString();
  const QString shown = FmtAmt(NzCur(digits), 1);
  return minus && !shown.isEmpty() ? QLatin1Char('-') + shown : shown;
}

}  // namespace

QString ManualIssuerCode(const QString &answer) {
  QString code = answer.trimmed();
  code.replace(QLatin1Char('='), QStringLiteral("00"));
  code.replace(QLatin1Char('.'), QStringLiteral("000"));
  if (code == QLatin1String("0000") || code.size() != 4) return {};
  return code;
}

QString BuildManualCardRecord(const ManualCardEntry &entry, int16_t van, CardRetRec &record,
                              bool *codeRefused) {
  const QString code = ManualIssuerCode(entry.issuerAnswer);
  *codeRefused = code.isEmpty();
  if (*codeRefused) return {};
  record.MeipCode = code;
  record.MeipName = orv::van::CardComName(van, code);
  record.CardName.clear();
  const QString card = NzStr(entry.card);
  record.CardNo = card.left(16);
  record.CardDate = card.mid(17, 4);
  record.Gum = NzCur(DelChar(entry.amount, ","));
  record.Halbu = int16_t((QStringLiteral("00") + entry.months).right(2).toInt());
  record.CmitNo = NzStr(entry.cmitNo);
  record.CmitDate = NzStr(entry.cmitDate);
  record.GamyNo.clear();
  if (record.CardNo.isEmpty()) return QStringLiteral("카드번호가 입력되지 않았습니다.");
  if (record.CmitNo.isEmpty()) return QStringLiteral("승인번호가 입력되지 않았습니다.");
  if (record.CmitDate.isEmpty()) return QStringLiteral("승인일자가 입력되지 않았습니다.");
  if (record.MeipName.isEmpty()) return QStringLiteral("카드사명이 입력되지 않았습니다.");
  return {};
}

frmCardOK::frmCardOK(QWidget *parent) : QDialog(parent, Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmCardOK"));
  setWindowTitle(QStringLiteral("카드단순저장"));
  auto *grid = new QGridLayout(this);
  Image1 = new QLabel(QStringLiteral("카드입력작업"), this);
  Image1->setObjectName("Image1");
  QFont big = Image1->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  Image1->setFont(big);
  grid->addWidget(Image1, 0, 0, 1, 2);
  auto box = [this](const char *name) {
    auto *b = new QLineEdit(this);
    b->setObjectName(name);
    orv::colors::HighlightOnFocus(b);
    return b;
  };
  txtDanNo = box("txtDanNo");
  txtDanNo->setEnabled(false);
  txtiCard = box("txtiCard");
  txtiCard->setAttribute(Qt::WA_InputMethodEnabled, false);
  txtiHalbu = box("txtiHalbu");
  txtiHalbu->setMaxLength(2);
  txtiHalbu->setAlignment(Qt::AlignRight);
  txtiGum = box("txtiGum");
  txtiGum->setAlignment(Qt::AlignRight);
  QFont amountFont = txtiGum->font();
  amountFont.setPointSize(amountFont.pointSize() + 4);
  txtiGum->setFont(amountFont);
  txtiNo = box("txtiNo");
  txtiDate = box("txtiDate");
  txtiDate->setMaxLength(8);
  CmitDateLbl = new QLabel(QStringLiteral("년월일([YY]YYMMDD)"), this);
  CmitDateLbl->setObjectName("CmitDateLbl");
  int row = 1;
  grid->addWidget(txtDanNo, row++, 1);
  const std::pair<const char *, QLineEdit *> fields[] = {
      {"카드번호", txtiCard}, {"할부개월", txtiHalbu}, {"승인금액", txtiGum},
      {"승인번호", txtiNo},   {"승인일자", txtiDate}};
  for (const auto &[caption, b] : fields) {
    grid->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
    grid->addWidget(b, row++, 1);
  }
  grid->addWidget(CmitDateLbl, row++, 1);
  cmdiOK = new QPushButton(QStringLiteral("입력:F1"), this);
  cmdiOK->setObjectName("cmdiOK");
  cmdExit = new QPushButton(QStringLiteral("종료:ESC"), this);
  cmdExit->setObjectName("cmdExit");
  for (QPushButton *b : {cmdiOK, cmdExit}) {
    b->setFlat(true);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
  }
  grid->addWidget(cmdiOK, row, 0);
  grid->addWidget(cmdExit, row, 1);
  setTabOrder(txtiCard, txtiHalbu);
  setTabOrder(txtiHalbu, txtiGum);
  setTabOrder(txtiGum, txtiNo);
  setTabOrder(txtiNo, txtiDate);
  resize(500, 600);

  for (QLineEdit *b : {txtiCard, txtiHalbu, txtiGum, txtiNo, txtiDate})
    connect(b, &QLineEdit::textChanged, this, [this, b] { Filter(b); });
  connect(cmdiOK, &QPushButton::clicked, this, [this] { cmdiOK_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
  orv::formkeys::InstallKeyPreview(
      this, {[this](int &key, int shift) { FormKeyDown(key, shift); },
             [this](int &ascii) {
               // The payment screen's amount is fixed.
               if (focusWidget() == txtiGum && giCardCallMode != 1 && ascii != 13) ascii = 0;
             },
             {}});

  // Load.
  giCardOk = 0;
  gsCardDanNo = gsSetDanId;
  txtDanNo->setText(gsCardDanNo);
  txtiGum->setText(gtCardRet.Gum.ToPlainText());
  txtiGum->setReadOnly(giCardCallMode != 1);
  txtiHalbu->setText((QStringLiteral("00") + QString::number(gtCardRet.Halbu)).right(2));
  txtiNo->setText(gtCardRet.CmitNo);
  txtiDate->setText(giSetVan == 2 ? gtCardRet.CmitDate.right(4) : gtCardRet.CmitDate);
}

void frmCardOK::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  Form_Activate();
  txtiCard->setFocus(Qt::OtherFocusReason);
}

void frmCardOK::Form_Activate() {
  if (giSetVan == 1 || giSetVan == 4 || giSetVan == 9 || giSetVan == 10)
    CmitDateLbl->setText(QStringLiteral("YYMMDD(년월일)"));
  else if (giSetVan == 5)
    CmitDateLbl->setText(QStringLiteral("YYYYMMDD(년월일)"));
  txtDanNo->setText(gsSetDanId);
}

void frmCardOK::Filter(QLineEdit *box) {
  const QString before = box->text();
  QString kept;
  if (box == txtiCard) {
    if (before.size() == 16) cmdiOK->setEnabled(true);
    else if (before.contains(QLatin1Char('='))) cmdiOK->setEnabled(false);
    kept = Keep(before, QStringLiteral("="));
  } else if (box == txtiGum) {
    kept = AmountShown(before);
  } else {
    kept = Keep(before, {});
  }
  if (box == txtiNo) orv::colors::SetBack(txtiNo, orv::colors::kEntryFocusBack);
  if (kept == before) return;
  QSignalBlocker block(box);
  box->setText(kept);
  if (box != txtiCard) box->end(false);
}

void frmCardOK::FormKeyDown(int &key, int shift) {
  QWidget *f = focusWidget();
  const bool enterDown = key == keys::vbKeyReturn || key == keys::vbKeyDown;
  auto focus = [&key](QLineEdit *to) {
    to->setFocus(Qt::OtherFocusReason);
    key = 0;
  };
  switch (key) {
    case keys::vbKeyEscape:
      key = 0;
      reject();
      return;
    case keys::vbKeyF1:
      key = 0;
      if (cmdiOK->isEnabled() && gtPanChit.PctHab > Currency()) cmdiOK_Click();
      return;
    default:
      break;
  }
  if (f == txtiCard && enterDown) return focus(txtiHalbu);
  if (f == txtiHalbu) {
    if (enterDown) return focus(txtiGum);
    if (key == keys::vbKeyUp) return focus(txtiCard);
  }
  if (f == txtiGum) {
    if (key == keys::vbKeyDown || (key == keys::vbKeyReturn && giCardCallMode != 1)) return focus(txtiNo);
    if (key == keys::vbKeyReturn) {
      key = 0;
      return;
    }
    if (key == keys::vbKeyUp) return focus(txtiHalbu);
    if (key == keys::vbKeyF1 + 9 && (shift & 1) == 0 && giSetKey == 1) {
      // The 98-key board has no minus key of its own.
      key = 0;
      if (giCardCallMode == 1) txtiGum->insert(QStringLiteral("-"));
      return;
    }
  }
  if (f == txtiNo) {
    if (enterDown) return focus(txtiDate);
    if (key == keys::vbKeyUp) return focus(txtiGum);
    if (key == keys::vbKeyOemPlus || key == keys::vbKeyOemPeriod) {
      txtiNo->setText(txtiNo->text() + (key == keys::vbKeyOemPeriod ? "000" : "00"));
      key = 0;
      return;
    }
  }
  if (f == txtiDate) {
    if (enterDown) {
      key = 0;
      cmdiOK_Click();
      return;
    }
    if (key == keys::vbKeyUp) return focus(txtiNo);
  }
}

void frmCardOK::cmdiOK_Click() {
  const std::optional<QString> answer = dlg::InputBox(
      orv::van::IssuerCodePrompt(giSetVan), QStringLiteral("카드사입력"), QStringLiteral("0000"),
      dlg::Echo::Normal, dlg::Pitch::Fixed);
  // A copy: a refused record must not leave its typed values for Esc or a kept approval.
  CardRetRec record = gtCardRet;
  bool codeRefused = false;
  const QString refusal = BuildManualCardRecord(
      {txtiCard->text(), txtiHalbu->text(), txtiGum->text(), txtiNo->text(), txtiDate->text(),
       answer.value_or(QString())},
      giSetVan, record, &codeRefused);
  if (codeRefused) return;
  if (!refusal.isEmpty()) {
    dlg::MsgBox(refusal, dlg::kOkOnly);
    return;
  }
  gtCardRet = record;
  giCardOk = 1;
  accept();
}
