#include "van/frmSupyoChk.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <optional>

#include "core/helpers.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "platform/colors.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/keys.h"
#include "platform/named_widgets.h"
#include "platform/wait_cursor.h"
#include "platform/widget_colors.h"
#include "van/SmtSndRcvVCAT.h"
#include "van/frmMsgBox.h"
#include "van/supyo_query.h"
#include "van/van_error.h"

namespace dlg = orv::dialogs;
namespace keys = orv::keys;
using orv::widgets::Named;
using orv::widgets::PictureButton;

namespace {

constexpr long kFocusBack = 0x0080FFFF;
const QString kRefused = QStringLiteral("* 수표조회가 정상처리 되지 않았습니다 !");
const QString kRefusedTitle = QStringLiteral("수표조회실패");


}  // namespace

frmSupyoChk::frmSupyoChk(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmSupyoChk"));
  setWindowTitle(QStringLiteral("수표조회"));
  auto *grid = new QGridLayout(this);
  int row = 0;
  txtSuNo = Named<QLineEdit>(this, "txtSuNo");
  txtSuNo->setMaxLength(14);
  txtGNo = Named<QLineEdit>(this, "txtGNo");
  txtGNo->setMaxLength(14);
  txtBalDate = Named<QLineEdit>(this, "txtBalDate");
  txtBalDate->setMaxLength(8);
  txtSuNoLen = Named<QLabel>(this, "txtSuNoLen");
  txtGNoLen = Named<QLabel>(this, "txtGNoLen");
  txtBalDateLen = Named<QLabel>(this, "txtBalDateLen");
  auto line = [&](const QString &caption, QLineEdit *box, QLabel *counter, const QString &expected,
                  const QString &hint = {}) {
    grid->addWidget(new QLabel(caption, this), row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(counter, row, 2);
    grid->addWidget(new QLabel(expected, this), row, 3);
    if (!hint.isEmpty()) grid->addWidget(new QLabel(hint, this), row, 4);
    ++row;
  };
  line(QStringLiteral("수표번호:"), txtSuNo, txtSuNoLen, QStringLiteral("14"),
       QStringLiteral("수표번호[8] + 은행코드[2] + 지점코드[4]"));
  line(QStringLiteral("계좌번호:"), txtGNo, txtGNoLen, QStringLiteral("6 (농협단위조합일경우)"));
  line(QStringLiteral("발행일자:"), txtBalDate, txtBalDateLen, QStringLiteral("6"),
       QStringLiteral("(YYMMDD)"));

  auto *kinds = new QFrame(this);
  auto *kl = new QHBoxLayout(kinds);
  opt1 = Named<QRadioButton>(kinds, "opt1", QStringLiteral("자기앞수표"));
  opt2 = Named<QRadioButton>(kinds, "opt2", QStringLiteral("가계수표"));
  kl->addWidget(opt1);
  kl->addWidget(opt2);
  grid->addWidget(kinds, row++, 0, 1, 5);
  auto *denoms = new QFrame(this);
  auto *dl = new QHBoxLayout(denoms);
  dl->addWidget(new QLabel(QStringLiteral("권종코드:"), denoms));
  opt10 = Named<QRadioButton>(denoms, "opt10", QStringLiteral("10만원"));
  opt20 = Named<QRadioButton>(denoms, "opt20", QStringLiteral("30만원"));
  opt30 = Named<QRadioButton>(denoms, "opt30", QStringLiteral("50만원"));
  opt40 = Named<QRadioButton>(denoms, "opt40", QStringLiteral("100만원"));
  for (QRadioButton *o : {opt10, opt20, opt30, opt40}) dl->addWidget(o);
  grid->addWidget(denoms, row++, 0, 1, 5);
  Label14 = Named<QLabel>(this, "Label14", QStringLiteral("수표금액:"));
  txtSuGum = Named<QLineEdit>(this, "txtSuGum");
  txtSuGum->setAlignment(Qt::AlignRight);
  grid->addWidget(Label14, row, 0);
  grid->addWidget(txtSuGum, row++, 1);
  txtJumin13 = Named<QLineEdit>(this, "txtJumin13");
  grid->addWidget(new QLabel(QStringLiteral("주민번호F4:"), this), row, 0);
  grid->addWidget(txtJumin13, row++, 1);
  fraJuminChk = new QFrame(this);
  fraJuminChk->setObjectName("fraJuminChk");
  auto *jl = new QVBoxLayout(fraJuminChk);
  jl->addWidget(new QLabel(QStringLiteral("주민번호입력후 엔터키를 치세요!!"), fraJuminChk));
  txtJuminNo = Named<QLineEdit>(fraJuminChk, "txtJuminNo");
  jl->addWidget(txtJuminNo);
  grid->addWidget(fraJuminChk, row++, 0, 1, 5);
  lblMsg1 = Named<QLabel>(this, "lblMsg1");
  lblMsg2 = Named<QLabel>(this, "lblMsg2");
  lblMsg2->setWordWrap(true);
  grid->addWidget(new QLabel(QStringLiteral("응답코드"), this), row, 0);
  grid->addWidget(lblMsg1, row++, 1, 1, 4);
  grid->addWidget(new QLabel(QStringLiteral("응답내용"), this), row, 0);
  grid->addWidget(lblMsg2, row++, 1, 1, 4);
  Label16 = Named<QLabel>(this, "Label16",
                  QStringLiteral("*.가계수표조회시 계좌번호입력 필수.") + QString(28, ' ') +
                      QStringLiteral("*.자기앞수표조회시 은행코드 11,07,16일경우 계좌번호필수"));
  Label16->setWordWrap(true);
  grid->addWidget(Label16, row++, 0, 1, 5);
  cmdJuminChk = PictureButton(this, "cmdJuminChk", QStringLiteral("주민번호체크(F1)"));
  cmdSerch = PictureButton(this, "cmdSerch", QStringLiteral("조회(F2)"));
  cmdExit = PictureButton(this, "cmdExit", QStringLiteral("닫기(Esc)"));
  cmdJumin = PictureButton(this, "cmdJumin", QStringLiteral("주민번호"));
  cmdJuminChk->setFocusPolicy(Qt::TabFocus);  // a button of the tab order
  // The picture buttons stay usable while the boxes are switched off around an inquiry.
  for (QPushButton *b : {cmdSerch, cmdExit, cmdJumin}) {
    b->setProperty("Tag", 1);
    b->setFocusPolicy(Qt::NoFocus);
  }
  auto *buttons = new QHBoxLayout;
  for (QPushButton *b : {cmdJuminChk, cmdSerch, cmdJumin, cmdExit}) buttons->addWidget(b);
  grid->addLayout(buttons, row++, 0, 1, 5);
  KisPosAgent1 = Named<QWidget>(this, "KisPosAgent1");
  AxSmtSndRcvVCAT1 = Named<QWidget>(this, "AxSmtSndRcvVCAT1");
  KisPosAgent1->hide();
  AxSmtSndRcvVCAT1->hide();
  smt = new SmtReplyState(this);
  smt->AddTo(grid, row, 5);

  setTabOrder(txtSuNo, txtGNo);
  setTabOrder(txtGNo, txtBalDate);
  setTabOrder(txtBalDate, cmdJuminChk);
  setTabOrder(cmdJuminChk, opt10);
  setTabOrder(opt10, opt20);
  setTabOrder(opt20, opt30);
  setTabOrder(opt30, opt40);
  setTabOrder(opt40, txtSuGum);
  setTabOrder(txtSuGum, opt1);
  setTabOrder(opt1, opt2);
  setTabOrder(opt2, txtJuminNo);
  setTabOrder(txtJuminNo, txtJumin13);

  for (QLineEdit *b : {txtSuNo, txtGNo, txtBalDate, txtSuGum, txtJuminNo})
    orv::colors::TintOnFocus(b, kFocusBack);
  orv::colors::TintOnFocus(txtJumin13, kFocusBack, [this] {
    QString n = txtJumin13->text();
    orv::colors::SetFore(txtJumin13, CheckJuminNo(n) ? orv::colors::kBlack : orv::colors::Rgb(255, 0, 0));
  });
  connect(txtSuNo, &QLineEdit::textChanged, this, [this] { DigitsOnly(txtSuNo, txtSuNoLen); });
  connect(txtGNo, &QLineEdit::textChanged, this, [this] { DigitsOnly(txtGNo, txtGNoLen); });
  connect(txtBalDate, &QLineEdit::textChanged, this,
          [this] { DigitsOnly(txtBalDate, txtBalDateLen); });
  connect(txtSuGum, &QLineEdit::textChanged, this, [this] {
    const QString shown = FmtAmt(ValCur(txtSuGum->text()), 0);
    if (shown != txtSuGum->text()) {
      QSignalBlocker block(txtSuGum);
      txtSuGum->setText(shown);
    }
    txtSuGum->end(false);
  });
  connect(opt1, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    Label14->hide();
    txtSuGum->hide();
  });
  connect(opt2, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    Label14->show();
    txtSuGum->show();
    txtSuGum->setFocus(Qt::OtherFocusReason);
  });
  connect(txtJuminNo, &QLineEdit::returnPressed, this, [this] { CheckJuminTool(); });
  connect(cmdSerch, &QPushButton::clicked, this, [this] { cmdSerch_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { reject(); });
  connect(cmdJumin, &QPushButton::clicked, this, [this] { cmdJuminChk_Click(); });
  connect(cmdJuminChk, &QPushButton::clicked, this, [this] { cmdJuminChk_Click(); });

  orv::formkeys::InstallKeyPreview(
      this, {[this](int &key, int shift) { FormKeyDown(key, shift); }, {}, {}});

  // Opening.
  txtSuNo->clear();
  txtBalDate->clear();
  txtGNo->clear();
  lblMsg1->clear();
  lblMsg2->clear();
  fraJuminChk->hide();
  Label14->hide();
  txtSuGum->hide();
  opt1->setChecked(true);
  opt10->setChecked(true);
  txtSuNo->setFocus(Qt::OtherFocusReason);
}

frmSupyoChk::~frmSupyoChk() { orv::colors::DropLeaveCallbacks(*this); }

int frmSupyoChk::Denomination() const {
  if (opt20->isChecked()) return 1;
  if (opt30->isChecked()) return 2;
  if (opt40->isChecked()) return 3;
  return 0;
}

void frmSupyoChk::DigitsOnly(QLineEdit *box, QLabel *counter) {
  counter->clear();
  if (!box->text().trimmed().isEmpty()) {
    QString d;
    for (QChar c : box->text())
      if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) d += c;
    if (d != box->text()) {
      QSignalBlocker block(box);
      box->setText(d);
      box->end(false);
    }
  }
  const int n = int(box->text().trimmed().size());
  if (n != 0) counter->setText(QString::number(n));
}

void frmSupyoChk::PaintWhite() {
  for (QLineEdit *b : {txtSuGum, txtSuNo, txtGNo, txtBalDate, txtJuminNo})
    orv::colors::SetBack(b, orv::colors::kWhite);
}

void frmSupyoChk::cmdJuminChk_Click() {
  if (fraJuminChk->isVisible()) {
    fraJuminChk->hide();
    return;
  }
  fraJuminChk->show();
  txtJuminNo->setFocus(Qt::OtherFocusReason);
}

void frmSupyoChk::CheckJuminTool() {
  QString n = txtJuminNo->text();
  if (CheckJuminNo(n)) {
    reject();
    return;
  }
  dlg::Plain(QStringLiteral("* 주민번호가 잘못되었습니다 !"));
}

void frmSupyoChk::reject() {
  // An inquiry waiting for its network keeps the dialog: its answer must find it.
  if (busy_) return;
  QDialog::reject();
}

void frmSupyoChk::closeEvent(QCloseEvent *event) {
  if (busy_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void frmSupyoChk::FormKeyDown(int &key, int shift) {
  (void)shift;
  switch (key) {
    case keys::vbKeyEscape:
      key = 0;
      reject();
      return;
    case keys::vbKeyF1:
      key = 0;
      cmdJuminChk_Click();
      return;
    case keys::vbKeyF1 + 1:
      key = 0;
      PaintWhite();
      cmdSerch_Click();
      return;
    case keys::vbKeyF1 + 3:
      key = 0;
      txtJumin13->setFocus(Qt::OtherFocusReason);
      return;
    default:
      BoxKeyDown(key);
  }
}

void frmSupyoChk::BoxKeyDown(int &key) {
  QWidget *f = focusWidget();
  const bool enter = key == keys::vbKeyReturn;
  const bool down = key == keys::vbKeyDown;
  const bool up = key == keys::vbKeyUp;
  auto to = [&](QWidget *w) {
    key = 0;
    w->setFocus(Qt::OtherFocusReason);
  };
  if (f == txtSuNo) {
    if (enter) return to(txtBalDate);
    if (down) return to(txtGNo);
    if (up) {
      key = 0;
      if (opt2->isChecked()) txtSuGum->setFocus(Qt::OtherFocusReason);
    }
    return;
  }
  if (f == txtGNo) {
    if (enter || down) return to(txtBalDate);
    if (up) return to(txtSuNo);
    return;
  }
  if (f == txtBalDate) {
    if (enter || down) {
      key = 0;
      PaintWhite();
      cmdSerch_Click();
      return;
    }
    if (up) return to(txtGNo);
    return;
  }
  if (f == txtSuGum) {
    if (enter || down) return to(txtSuNo);
    if (up) key = 0;
    return;
  }
  if (f == txtJumin13 && (enter || down || up)) return to(txtBalDate);
}

void frmSupyoChk::cmdSerch_Click() {
  if (busy_) return;
  if (txtSuNo->text().trimmed().isEmpty()) {
    dlg::MsgBox(QStringLiteral("* 수표번호가 입력되지 않았습니다 !"), dlg::kInformation,
                QStringLiteral("필수항목 입력오류"));
    txtSuNo->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (txtBalDate->text().trimmed().isEmpty()) txtBalDate->setText(QStringLiteral("000000"));
  if (opt2->isChecked() && txtGNo->text().trimmed().isEmpty()) {
    dlg::MsgBox(QStringLiteral("* 계좌번호가 입력되지 않았습니다 !"), dlg::kInformation,
                QStringLiteral("필수항목 입력오류"));
    txtGNo->setFocus(Qt::OtherFocusReason);
    return;
  }
  std::optional<orv::WaitCursor> pointer(std::in_place);
  busy_ = true;
  DisableControls(this);
  SupyoAnswer answer;
  QString error;
  try {
    SupyoInput in;
    in.suNo = txtSuNo->text().trimmed();
    in.balDate = txtBalDate->text().trimmed();
    in.gNo = txtGNo->text().trimmed();
    in.suGum = txtSuGum->text().trimmed();
    in.jumin13 = txtJumin13->text().trimmed();
    in.personal = opt2->isChecked();
    in.denomination = Denomination();
    in.owner = this;
    in.smt = smt;
    KisPosAgent1->hide();
    AxSmtSndRcvVCAT1->hide();
    if (SupyoBranch branch = SupyoBranchOf(giSetVan)) answer = branch(in);
  } catch (const orv::db::DbError &e) {
    error = QStringLiteral("오류번호:") + QString::number(e.Number) + "\n" +
            QStringLiteral("오류내용:") + e.Description;
  } catch (const orv::van::VanError &e) {
    error = QStringLiteral("오류번호:") + QString::number(e.Number) + "\n" +
            QStringLiteral("오류내용:") + e.Description;
  } catch (const std::exception &e) {
    error = QStringLiteral("오류번호:0\n오류내용:") + QString::fromLocal8Bit(e.what());
  }
  EnableControls(this);
  if (txtGNo->isEnabled()) txtGNo->setFocus(Qt::OtherFocusReason);
  pointer.reset();
  busy_ = false;
  if (!error.isEmpty()) {
    dlg::MsgBox(error, dlg::kCritical, kRefusedTitle);
    return;
  }
  if (answer.setMsg) lblMsg2->setText(answer.msg);
  if (!answer.refused) return;
  if (answer.inWindow) ShowCardMsgBox(this, kRefusedTitle, kRefused);
  else dlg::MsgBox(kRefused, dlg::kCritical, kRefusedTitle);
}
