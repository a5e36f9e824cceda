#include "checkout/frmOiReturn.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <memory>
#include <QLineEdit>

#include "checkout/collect_save.h"
#include "checkout/lists_text.h"
#include "chit/records.h"
#include "core/application.h"
#include "core/card_ret.h"
#include "core/connections.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "chit/sale_state.h"
#include "van/card_state.h"
#include "van/frmCardOK.h"
#include "van/frmDisCard.h"
#include "van/frmCardChk.h"

namespace orv::checkout {

namespace {

// The card forms as the payment screen has them; with giCardCallMode 1 they serve this
// screen.
bool ShowCardForm(int fkey) {
  std::unique_ptr<QDialog> form;
  if (fkey == 2) {
    auto *f = new frmCardChk;
    f->txtiGum->setText(gtCardRet.Gum.ToPlainText());
    form.reset(f);
  } else if (fkey == 4) {
    form.reset(new frmDisCard);
  } else {
    form.reset(new frmCardOK);
  }
  dialogs::ShowModal(*form);
  return giCardOk == 1;
}

CollectCardForm &CardForm() {
  static CollectCardForm form = ShowCardForm;
  return form;
}

// The hourglass for the length of a step.
struct Busy {
  Busy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Busy() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

CollectCardForm SetCollectCardForm(CollectCardForm form) {
  CollectCardForm old = std::move(CardForm());
  CardForm() = std::move(form);
  return old;
}

frmOiReturn::frmOiReturn(QWidget *parent) : QDialog(parent) {
  setObjectName("frmOiReturn");
  setWindowTitle(QStringLiteral("외매회수"));
  auto *grid = new QGridLayout(this);
  lblTsName = new QLabel(this);
  lblTsName->setObjectName("lblTsName");
  grid->addWidget(new QLabel(QStringLiteral("거 래 처"), this), 0, 0);
  grid->addWidget(lblTsName, 0, 1);
  struct Row {
    QLineEdit **box;
    const char *name;
    const char *caption;
    bool entry;
  } rows[] = {
      {&txtBefore, "txtBefore", "이전미수", false},   {&txtNow, "txtNow", "금일미수", false},
      {&txtZerdo, "txtZerdo", "판매금액", false},     {&txtIpGum, "txtIpGum", "입금금액", false},
      {&txtOisang, "txtOisang", "외상금액", false},   {&txtOiIpgum, "txtOiIpgum", "외회(현금)", true},
      {&txtOiIpCard, "txtOiIpCard", "외회(카드)", true}, {&txtOiHab, "txtOiHab", "외매누계", false},
      {&txtResent, "txtResent", "현재미수", false},
  };
  int r = 1;
  for (const Row &row : rows) {
    auto *box = new QLineEdit(QStringLiteral("0"), this);
    box->setObjectName(row.name);
    box->setAlignment(Qt::AlignRight);
    *row.box = box;
    grid->addWidget(new QLabel(QString::fromUtf8(row.caption), this), r, 0);
    grid->addWidget(box, r++, 1);
    if (!row.entry) {
      box->setProperty("Tag", "1");
      box->setEnabled(false);
    }
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this, box, e = row.entry] { BoxChanged(box, e); });
  }
  txtOiIpCard->setEnabled(false);
  setTabOrder(txtOiIpgum, txtOiIpCard);
}

bool frmOiReturn::Form_Load() {
  Busy busy;
  gsCashRcptNo.clear();
  gsCashRcptCmitNo.clear();
  msWrkDate = QString::number(giWrkYear).rightJustified(4, '0') +
              QString::number(giWrkMonth).rightJustified(2, '0') +
              QString::number(giWrkDay).rightJustified(2, '0');
  msYyMm = FmtYyMm(giWrkYear, giWrkMonth);
  lblTsName->setText(gsTcdName);
  try {
    LoadTrsBalance();
  } catch (const db::DbError &) {
    ReportUnhandled(std::current_exception());
    return false;
  }
  miCardRet = 0;
  giCardCallMode = 1;
  txtOiIpgum->setFocus();
  return true;
}

void frmOiReturn::LoadTrsBalance() {
  // Names a table only after the month suffix proved to be four digits.
  if (msYyMm.size() != 4 || !msYyMm.toInt()) throw db::DbError(0, "yymm " + msYyMm);
  const QString key = QString::number(gcTcdKey.RoundToInt());
  Currency b, t, c;
  {
    db::Statement st = goDbMain.Prepare(
        " Select B.TcdKey, B.TcdName, Sum(A.TmsMiMiji) As TmsMiMiji, Sum(A.TmsMcMisu) As "
        "TmsMcMisu, Sum(A.TmsMcSugum) As TmsMcSugum From TrsCode B Left Join TrsMast" +
        msYyMm + " A On A.TmsTrsKey = B.TcdKey And substr(A.TmsDate,1,6) = ? Where B.TcdKey = " +
        key + " Group By B.TcdKey, B.TcdName");
    st.Bind(0, msWrkDate.left(6));
    db::Recordset rs = st.Query();
    if (!rs.Eof())
      b = Currency::Sub(NzCur(rs.Field("TmsMcMisu")), NzCur(rs.Field("TmsMiMiji")))
              .value_or(Currency());
  }
  const QString from = " From PanChit" + msYyMm + " Where PctTrsKey=" + key + " And PctJunsong=1 ";
  db::Statement st = goDbMain.Prepare(
      " Select 0 As ORD, PctTrsKey, Sum(PctOiSang) As PctOiSang, Sum(PctRGum) As PctRGum " +
      from + " Group By PctTrsKey Union All Select 1 As ORD, PctTrsKey, Sum(PctOiSang) As "
      "PctOiSang, Sum(PctRGum) As PctRGum " + from + " And PctDate=? Group By PctTrsKey "
      "Union All Select 2 As ORD, PctTrsKey, Sum(PctOiSang) As PctOiSang, Sum(PctRGum) As "
      "PctRGum " + from + " And PctSss2=9 Group By PctTrsKey");
  st.Bind(0, msWrkDate);
  for (db::Recordset rs = st.Query(); !rs.Eof(); rs.MoveNext()) {
    const int64_t ord = NzCur(rs.Field("ORD")).RoundToInt();
    if (ord == 0) b = Currency::Add(b, NzCur(rs.Field("PctOiSang"))).value_or(b);
    if (ord == 1) t = NzCur(rs.Field("PctOiSang"));
    if (ord == 2) c = NzCur(rs.Field("PctRGum"));
  }
  const BalanceTexts texts = BalanceToTexts(b, t, c);
  txtOiHab->setText(texts.oiHab);
  txtBefore->setText(texts.before);
  txtNow->setText(texts.now);
  txtResent->setText(texts.resent);
}

void frmOiReturn::BoxChanged(QLineEdit *box, bool entry) {
  const QString text = box->text();
  if (entry && text.size() >= kAmountBoxRefused) {
    dialogs::MsgBox(QStringLiteral("입력된 숫자가 범위를 넘었습니다."), dialogs::kInformation,
                    QStringLiteral("입력오류"));
    box->clear();
    box->setFocus();
    return;
  }
  const QString formatted = AmountBoxText(text);
  if (formatted == text) return;
  box->setText(formatted);
  box->setCursorPosition(int(formatted.size()));
}

bool frmOiReturn::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::FocusIn) {
    if (watched == txtOiIpgum || (watched == txtOiIpCard && miCardRet != 1))
      QMetaObject::invokeMethod(static_cast<QLineEdit *>(watched), &QLineEdit::selectAll,
                                Qt::QueuedConnection);
  } else if (event->type() == QEvent::KeyPress) {
    auto *ke = static_cast<QKeyEvent *>(event);
    const int key = keys::ToVirtualKey(ke);
    const int shift = keys::ToShift(ke->modifiers());
    if (Form_KeyDown(key, shift)) return true;  // key preview
    if (watched == txtOiIpgum || watched == txtOiIpCard)
      if (EntryKeyDown(static_cast<QLineEdit *>(watched), key, shift)) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void frmOiReturn::keyPressEvent(QKeyEvent *event) {
  if (Form_KeyDown(keys::ToVirtualKey(event), keys::ToShift(event->modifiers()))) return;
  QDialog::keyPressEvent(event);
}

bool frmOiReturn::Form_KeyDown(int key, int) {
  switch (key) {
    case keys::vbKeyEscape:
      reject();
      return true;
    case keys::vbKeyF1:
      CashEntry();
      return true;
    case keys::vbKeyF1 + 1:
    case keys::vbKeyF1 + 2:
    case keys::vbKeyF1 + 3:
      CardHandOff(key - keys::vbKeyF1 + 1);
      return true;
    default:
      return false;
  }
}

bool frmOiReturn::EntryKeyDown(QLineEdit *box, int key, int shift) {
  if (key == keys::vbKeyReturn) {
    if (!AmountInBox(box->text()).IsZero()) Save(box == txtOiIpgum);
    return true;
  }
  if (key == keys::vbKeyF1 + 9 && (shift & keys::vbShiftMask) == 0 && giSetKey == 1) {
    box->insert(QStringLiteral("-"));
    return true;
  }
  return false;
}

void frmOiReturn::CashEntry() {
  txtOiIpgum->setEnabled(true);
  txtOiIpCard->setEnabled(false);
  txtOiIpgum->setFocus();
}

bool frmOiReturn::BusinessNumberMatches() {
  db::Recordset rs = goDbMain.OpenRecordset(" Select * From ComCode");
  const QStringList fields = gsGMDown.split(QChar(28));
  if (rs.Eof() || fields.size() < 2) return true;
  return fields[1] == NzStr(rs.Field("ComSaupNo")).trimmed();
}

void frmOiReturn::CardHandOff(int fkey) {
  txtOiIpgum->setEnabled(false);
  txtOiIpCard->setEnabled(true);
  if (giSetVan == 3) {
    txtOiIpCard->setFocus();
    return;
  }
  if (!gsSetVanHost.trimmed().isEmpty() &&
      GetIPFromHost(gsSetVanHost.trimmed()) == QLatin1String("No DNS Entry") &&
      dialogs::MsgBox(QStringLiteral("인터넷이 연결되지 않은것 같습니다..강제승인을 하시겠습니까??"),
                      dialogs::kYesNo, QStringLiteral("인터넷연결실패!!")) != dialogs::Answer::Yes)
    return;
  const Currency amount = AmountInBox(txtOiIpCard->text());
  const Currency magnitude = amount < Currency() ? Currency::FromRaw(-amount.raw()) : amount;
  gtCardRet.Gum = fkey == 3 ? amount : magnitude;
  if (giSetVan == 2) {
    bool same = false;
    try {
      same = BusinessNumberMatches();
    } catch (const db::DbError &) {
      ReportUnhandled(std::current_exception());
      reject();
      return;
    }
    if (!same) {
      dialogs::MsgBox(QStringLiteral("카드설정파일에 문제가있습니다."), dialogs::kCritical,
                      QStringLiteral("사업자번호불일치"));
      reject();
      return;
    }
  }
  if (fkey != 3) miSignFlag = 0;
  // An approval counts only when the form says so: an earlier approval left in gtCardRet
  // (kept for the retry of a failed save) must not be booked again.
  const bool approved = CardForm() ? CardForm()(fkey) : false;
  if (fkey != 3) miSignFlag = gtPanList.PclSss2;
  if (!approved) {
    CashEntry();
    return;
  }
  txtOiIpgum->setEnabled(false);
  txtOiIpCard->setEnabled(true);
  txtOiIpCard->setFocus();
  miCardRet = 1;
  const Currency got = gtCardRet.Gum;
  const Currency abs = got < Currency() ? Currency::FromRaw(-got.raw()) : got;
  const Currency put = fkey == 3 ? got : fkey == 4 ? Currency::FromRaw(-abs.raw()) : abs;
  txtOiIpCard->setText(put.ToPlainText());
  if (!AmountInBox(txtOiIpCard->text()).IsZero()) Save(false);
  miCardRet = 0;
}

void frmOiReturn::Save(bool fromCashBox) {
  CollectEntry e;
  e.cash = AmountInBox(txtOiIpgum->text());
  e.card = AmountInBox(txtOiIpCard->text());
  e.signFlag = miSignFlag;
  e.partnerName = lblTsName->text();
  e.fromCashBox = fromCashBox;
  DisableControls(this);
  CollectResult result;
  {
    Busy busy;
    result = SaveCollectChit(e);
  }
  if (result == CollectResult::Saved) {
    saved_ = true;
    accept();
    return;
  }
  EnableControls(this);
}

bool ShowfrmOiReturn(QWidget *parent) {
  frmOiReturn form(parent);
  if (!form.Form_Load()) return false;
  dialogs::ShowModal(form);
  return form.Saved();
}

}  // namespace orv::checkout
