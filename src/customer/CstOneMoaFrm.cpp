#include "customer/CstOneMoaFrm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "chit/records.h"
#include "core/byte_text.h"
#include "core/globals.h"
#include "core/text_format.h"
#include "core/values.h"
#include "customer/onemoa.h"
#include "platform/db.h"
#include "platform/entry_box.h"
#include "platform/keys.h"
#include "platform/settings_store.h"
#include "platform/wait_cursor.h"

using namespace orv;

namespace {

QString Whole(const QString &text, int bytes) {
  const Currency v = NzCur(LeftByte(text.trimmed(), bytes));
  return CurStr(Currency::Won(int32_t(v.RoundToInt())), 1);
}

}  // namespace

void SetCstOneMoaMark(Currency cstKey) {
  db::Connection *conn = giCstTsMode == 0 ? &goDbMain : giCstTsMode == 2 ? &goDbTs : nullptr;
  if (!conn) {
    db::LogFailure(QStringLiteral("OneMoa 등록표시 생략 (통합포인트 오프라인): 고객Key ") +
                   cstKey.ToPlainText());
    return;
  }
  db::Statement st = conn->Prepare(" Update CstCode Set CcdSss2=1 Where CcdKey=? ");
  st.Bind(0, BindCur(cstKey));
  st.Execute();
}

CstOneMoaFrm::CstOneMoaFrm(const QString &clientCode, QWidget *parent)
    : QDialog(parent), clientCode_(clientCode) {
  setObjectName(QStringLiteral("CstOneMoaFrm"));
  setWindowTitle(QStringLiteral("고객 등록 조회 (OneMoa)"));
  auto label = [this](QWidget *parent, const char *name) {
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setMinimumWidth(120);
    return l;
  };
  auto box = [this](QWidget *parent, const char *name, bool number) {
    auto *b = new QLineEdit(parent);
    b->setObjectName(QLatin1String(name));
    entrybox::Watch(b, number);
    b->installEventFilter(this);
    return b;
  };
  auto button = [](QWidget *parent, const char *name, const QString &caption) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
  };

  auto *find = new QGroupBox(QStringLiteral("고객조회"), this);
  auto *fl = new QGridLayout(find);
  aaPerson_NumTxt = box(find, "aaPerson_NumTxt", false);
  aaPerson_NumTxt->setPlaceholderText(QStringLiteral("바코드 또는 전화번호"));
  aaClientCodeLbl = label(find, "aaClientCodeLbl");
  aPersonCodeLbl = label(find, "aPersonCodeLbl");
  aClientCodeLbl = label(find, "aClientCodeLbl");
  aClientGbnLbl = label(find, "aClientGbnLbl");
  aClientGbnLbl->setToolTip(QStringLiteral("M:마트, L:제휴사"));
  aPersonTelLbl = label(find, "aPersonTelLbl");
  aPersonNameLbl = label(find, "aPersonNameLbl");
  aHapPointLbl = label(find, "aHapPointLbl");
  aUsingPointLbl = label(find, "aUsingPointLbl");
  aResultCodeLbl = label(find, "aResultCodeLbl");
  aResultMsgLbl = label(find, "aResultMsgLbl");
  PsnViewCmd = button(find, "PsnViewCmd", QStringLiteral("조회"));
  PsnCancel1Cmd = button(find, "PsnCancel1Cmd", QStringLiteral("취소"));
  const std::pair<const char *, QWidget *> findRows[] = {
      {"고객번호", aaPerson_NumTxt}, {"제휴사코드", aaClientCodeLbl}, {"고객코드", aPersonCodeLbl},
      {"판매사코드", aClientCodeLbl}, {"판매사구분", aClientGbnLbl},  {"고객전화", aPersonTelLbl},
      {"고객이름", aPersonNameLbl},   {"누적포인트", aHapPointLbl},   {"가용포인트", aUsingPointLbl},
      {"리턴코드", aResultCodeLbl},   {"리턴메세지", aResultMsgLbl}};
  int r = 0;
  for (const auto &[caption, w] : findRows) {
    fl->addWidget(new QLabel(QString::fromUtf8(caption), find), r, 0);
    fl->addWidget(w, r++, 1, 1, 2);
  }
  fl->addWidget(PsnViewCmd, r, 1);
  fl->addWidget(PsnCancel1Cmd, r, 2);

  auto *reg = new QGroupBox(QStringLiteral("고객등록"), this);
  auto *rl = new QGridLayout(reg);
  bbSalesCodeLbl = label(reg, "bbSalesCodeLbl");
  bPersonCodeTxt = box(reg, "bPersonCodeTxt", false);
  bPersonTelTxt = box(reg, "bPersonTelTxt", false);
  bSalesPointTxt = box(reg, "bSalesPointTxt", true);
  bPersonBirthYearTxt = box(reg, "bPersonBirthYearTxt", true);
  bPersonBirthMonTxt = box(reg, "bPersonBirthMonTxt", true);
  bPersonBirthDayTxt = box(reg, "bPersonBirthDayTxt", true);
  bPersonSex0Opt = new QRadioButton(QStringLiteral("남(M)"), reg);
  bPersonSex0Opt->setObjectName(QStringLiteral("bPersonSex0Opt"));
  bPersonSex1Opt = new QRadioButton(QStringLiteral("여(L)"), reg);
  bPersonSex1Opt->setObjectName(QStringLiteral("bPersonSex1Opt"));
  bPersonJusoTxt = box(reg, "bPersonJusoTxt", false);
  bPersonJuso2Txt = box(reg, "bPersonJuso2Txt", false);
  bOrderTelTxt = box(reg, "bOrderTelTxt", false);
  CstKeyTitleLbl = label(reg, "CstKeyTitleLbl");
  CstKeyTitleLbl->setText(QStringLiteral("고객Key"));
  CstKeyLbl = label(reg, "CstKeyLbl");
  bResultCodeLbl = label(reg, "bResultCodeLbl");
  bResultMsgLbl = label(reg, "bResultMsgLbl");
  PsnInputCmd = button(reg, "PsnInputCmd", QStringLiteral("등록"));
  PsnCancel2Cmd = button(reg, "PsnCancel2Cmd", QStringLiteral("취소"));
  r = 0;
  auto row = [&](const char *caption, QWidget *w) {
    rl->addWidget(new QLabel(QString::fromUtf8(caption), reg), r, 0);
    rl->addWidget(w, r++, 1, 1, 6);
  };
  row("제휴사코드", bbSalesCodeLbl);
  row("고객명", bPersonCodeTxt);
  row("고객전화", bPersonTelTxt);
  row("누적포인트", bSalesPointTxt);
  rl->addWidget(new QLabel(QStringLiteral("생년월일"), reg), r, 0);
  rl->addWidget(bPersonBirthYearTxt, r, 1);
  rl->addWidget(new QLabel(QStringLiteral("년"), reg), r, 2);
  rl->addWidget(bPersonBirthMonTxt, r, 3);
  rl->addWidget(new QLabel(QStringLiteral("월"), reg), r, 4);
  rl->addWidget(bPersonBirthDayTxt, r, 5);
  rl->addWidget(new QLabel(QStringLiteral("일"), reg), r++, 6);
  rl->addWidget(new QLabel(QStringLiteral("성별"), reg), r, 0);
  rl->addWidget(bPersonSex0Opt, r, 1);
  rl->addWidget(bPersonSex1Opt, r++, 3);
  row("주소", bPersonJusoTxt);
  rl->addWidget(bPersonJuso2Txt, r++, 1, 1, 6);
  row("추천인전화", bOrderTelTxt);
  rl->addWidget(CstKeyTitleLbl, r, 0);
  rl->addWidget(CstKeyLbl, r++, 1, 1, 6);
  row("성공여부", bResultCodeLbl);
  row("리턴메세지", bResultMsgLbl);
  rl->addWidget(PsnInputCmd, r, 1, 1, 3);
  rl->addWidget(PsnCancel2Cmd, r, 4, 1, 3);

  ChtEnterCmd = button(this, "ChtEnterCmd", QStringLiteral("확인"));
  ChtExitCmd = button(this, "ChtExitCmd", QStringLiteral("취소"));
  auto *top = new QGridLayout(this);
  top->addWidget(find, 0, 0);
  top->addWidget(reg, 0, 1);
  top->addWidget(ChtEnterCmd, 1, 0);
  top->addWidget(ChtExitCmd, 1, 1);

  connect(PsnViewCmd, &QPushButton::clicked, this, &CstOneMoaFrm::PsnViewCmd_Click);
  connect(PsnCancel1Cmd, &QPushButton::clicked, this, &CstOneMoaFrm::PsnCancel1Cmd_Click);
  connect(PsnInputCmd, &QPushButton::clicked, this, &CstOneMoaFrm::PsnInputCmd_Click);
  connect(PsnCancel2Cmd, &QPushButton::clicked, this, &CstOneMoaFrm::PsnCancel2Cmd_Click);
  connect(ChtEnterCmd, &QPushButton::clicked, this, &CstOneMoaFrm::ChtEnterCmd_Click);
  connect(ChtExitCmd, &QPushButton::clicked, this, &QDialog::reject);

  // Load: start from the sale screen's customer.
  const CstCodeRec &c = gtCstCode;
  aaClientCodeLbl->setText(clientCode_);
  bbSalesCodeLbl->setText(clientCode_);
  bOrderTelTxt->setText(gsPcdMbTele);
  bPersonCodeTxt->setText(DelSpace(c.CcdName));
  QString mobile;
  if (c.CcdHp.trimmed().startsWith(QLatin1String("010")))
    mobile = c.CcdHp.trimmed();
  else if (c.CcdTel.trimmed().startsWith(QLatin1String("010")))
    mobile = c.CcdTel.trimmed();
  aaPerson_NumTxt->setText(mobile);
  bPersonTelTxt->setText(mobile);
  bSalesPointTxt->setText(CurStr(c.CcdJumsu, 1));
  const bool customer = !c.CcdKey.IsZero();
  if (customer) {
    (c.CcdSex == 1 ? bPersonSex1Opt : bPersonSex0Opt)->setChecked(true);
    bPersonBirthYearTxt->setText(CurStr(NzCur(c.CcdBirth.mid(0, 4)), 1));
    bPersonBirthMonTxt->setText(CurStr(NzCur(c.CcdBirth.mid(4, 2)), 1));
    bPersonBirthDayTxt->setText(CurStr(NzCur(c.CcdBirth.mid(6, 2)), 1));
  } else {
    bPersonSex1Opt->setChecked(true);
  }
  bPersonJuso2Txt->setText(c.CcdJuso);
  const bool showKey = customer && giOnLine == 1;
  CstKeyTitleLbl->setVisible(showKey);
  CstKeyLbl->setVisible(showKey);
  CstKeyLbl->setText(showKey ? c.CcdKey.ToPlainText() : QString());
  markEmptyPersonName();
  const QString orderTel = settings_store::GetSetting(QStringLiteral("OneMoaOrderTel"));
  if (!orderTel.isEmpty()) bOrderTelTxt->setText(orderTel);
  QTimer::singleShot(0, aaPerson_NumTxt, [this] { aaPerson_NumTxt->setFocus(); });
}

void CstOneMoaFrm::markEmptyPersonName() {
  if (bPersonCodeTxt->text().trimmed().isEmpty()) bPersonCodeTxt->setText(QStringLiteral("?"));
}

void CstOneMoaFrm::PsnViewCmd_Click() {
  const QString number = aaPerson_NumTxt->text().trimmed();
  if (number.isEmpty()) return;
  PsnCancel1Cmd->setFocus();
  PsnViewCmd->setEnabled(false);
  WaitCursor wait;
  aResultCodeLbl->setText(QStringLiteral("?"));
  const onemoa::Exchange ex =
      onemoa::Send(onemoa::FindQuery(onemoa::ServerAddress(), number, clientCode_));
  if (ex.ok && ex.elements > 0) {
    const std::pair<QLabel *, const char *> fill[] = {
        {aPersonCodeLbl, "personcode"}, {aClientCodeLbl, "clientcode"},
        {aClientGbnLbl, "clientgbn"},   {aPersonTelLbl, "persontel"},
        {aPersonNameLbl, "personname"}, {aHapPointLbl, "happoint"},
        {aUsingPointLbl, "usingpoint"}, {aResultCodeLbl, "resultcode"},
        {aResultMsgLbl, "resultmsg"}};
    for (const auto &[l, key] : fill) l->setText(ex.Value(QLatin1String(key)));
    personCode_ = ex.Value(QStringLiteral("personcode")).trimmed();
    foundBy_ = number;
    if (!personCode_.isEmpty()) {
      aPersonCodeLbl->setText(onemoa::MaskMemberCode(personCode_));
      ChtEnterCmd->setFocus();
    }
  }
  PsnViewCmd->setEnabled(true);
}

void CstOneMoaFrm::PsnCancel1Cmd_Click() {
  for (QLabel *l : {aPersonCodeLbl, aClientCodeLbl, aClientGbnLbl, aPersonTelLbl, aPersonNameLbl,
                    aHapPointLbl, aUsingPointLbl, aResultCodeLbl, aResultMsgLbl})
    l->clear();
  personCode_.clear();
  foundBy_.clear();
}

// The member goes back with the number it was found by, not whatever was typed since.
void CstOneMoaFrm::ChtEnterCmd_Click() {
  result_.handedBack = true;
  result_.personCode = personCode_.trimmed();
  result_.findKey = result_.personCode.isEmpty() ? aaPerson_NumTxt->text().trimmed() : foundBy_;
  result_.cardKey = onemoa::CardKeyOf(result_.findKey);
  result_.usingPoint = ValCur(aUsingPointLbl->text().section(QLatin1Char('.'), 0, 0));
  accept();
}

void CstOneMoaFrm::PsnInputCmd_Click() {
  onemoa::Registration reg;
  reg.clientCode = clientCode_;
  reg.name = bPersonCodeTxt->text().trimmed();
  if (reg.name.isEmpty()) return;
  reg.tel = bPersonTelTxt->text().trimmed();
  if (reg.tel.isEmpty()) {
    bPersonTelTxt->setFocus();
    return;
  }
  const Currency points = ValCur(bSalesPointTxt->text());
  reg.points = points.IsZero() ? QStringLiteral("0") : points.ToPlainText();
  reg.year = int32_t(NzCur(bPersonBirthYearTxt->text()).RoundToInt());
  reg.month = int32_t(NzCur(bPersonBirthMonTxt->text()).RoundToInt());
  reg.day = int32_t(NzCur(bPersonBirthDayTxt->text()).RoundToInt());
  reg.male = bPersonSex0Opt->isChecked();
  reg.address1 = bPersonJusoTxt->text().trimmed();
  reg.address2 = bPersonJuso2Txt->text().trimmed();
  reg.orderTel = bOrderTelTxt->text().trimmed();
  if (reg.orderTel.isEmpty()) {
    bOrderTelTxt->setFocus();
    return;
  }
  PsnCancel2Cmd->setFocus();
  PsnInputCmd->setEnabled(false);
  WaitCursor wait;
  bResultCodeLbl->setText(QStringLiteral("?"));
  const onemoa::Exchange ex = onemoa::Send(onemoa::RegisterQuery(onemoa::ServerAddress(), reg));
  if (ex.ok) {
    if (ex.elements > 0) {
      bResultCodeLbl->setText(ex.Value(QStringLiteral("resultcode")));
      bResultMsgLbl->setText(ex.Value(QStringLiteral("returnmsg")));
    }
    const bool success = bResultCodeLbl->text().trimmed() == QLatin1String("0");
    bResultCodeLbl->setText(success ? QStringLiteral("성공") : QStringLiteral("실패"));
    if (success && !gtCstCode.CcdKey.IsZero()) {
      try {
        SetCstOneMoaMark(gtCstCode.CcdKey);
      } catch (const db::DbError &e) {
        db::LogFailure(QStringLiteral("OneMoa 등록표시 실패: ") + e.Description);
      }
    }
  }
  PsnInputCmd->setEnabled(true);
}

void CstOneMoaFrm::PsnCancel2Cmd_Click() {
  for (QLineEdit *b : {bPersonCodeTxt, bPersonTelTxt, bSalesPointTxt, bPersonBirthYearTxt,
                       bPersonBirthMonTxt, bPersonBirthDayTxt, bPersonJusoTxt, bPersonJuso2Txt})
    b->clear();
  bPersonSex1Opt->setChecked(true);
  bResultCodeLbl->clear();
  bResultMsgLbl->clear();
  markEmptyPersonName();
}

void CstOneMoaFrm::leave(QLineEdit *box) {
  QString t = box->text();
  if (box == bSalesPointTxt)
    t = FmtAmt(ValCur(t), 1);
  else if (box == bPersonBirthYearTxt)
    t = Whole(t, 4);
  else if (box == bPersonBirthMonTxt || box == bPersonBirthDayTxt)
    t = Whole(t, 2);
  else if (box == bPersonJusoTxt || box == bPersonJuso2Txt)
    t = SqlStrCut(t, 100);
  else
    t = SqlStrCut(t, 20);
  if (t != box->text()) box->setText(t);
  if (box == bOrderTelTxt)
    settings_store::SaveSetting(QStringLiteral("OneMoaOrderTel"), t.trimmed());
}

bool CstOneMoaFrm::eventFilter(QObject *watched, QEvent *event) {
  auto *box = qobject_cast<QLineEdit *>(watched);
  if (!box) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::FocusOut) {
    leave(box);
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  using namespace keys;
  const int vk = ToVirtualKey(static_cast<QKeyEvent *>(event));
  if (vk == vbKeyEscape) {
    (box == aaPerson_NumTxt ? PsnCancel1Cmd : PsnCancel2Cmd)->setFocus();
    return true;
  }
  return entrybox::MoveFocus(
      {{aaPerson_NumTxt, nullptr, PsnViewCmd, PsnViewCmd},
       {bPersonCodeTxt, nullptr, bPersonTelTxt, bPersonTelTxt},
       {bPersonTelTxt, nullptr, PsnCancel2Cmd, PsnCancel2Cmd},
       {bSalesPointTxt, bPersonTelTxt, bPersonBirthYearTxt, bPersonBirthYearTxt},
       {bPersonBirthYearTxt, bSalesPointTxt, bPersonBirthMonTxt, bPersonJusoTxt},
       {bPersonBirthMonTxt, bPersonBirthYearTxt, bPersonBirthDayTxt, bPersonJusoTxt},
       {bPersonBirthDayTxt, bPersonBirthMonTxt, bPersonJusoTxt, bPersonJusoTxt},
       {bPersonJusoTxt, bPersonBirthYearTxt, bPersonJuso2Txt, bPersonJuso2Txt},
       {bPersonJuso2Txt, bPersonJusoTxt, bOrderTelTxt, bOrderTelTxt},
       {bOrderTelTxt, nullptr, PsnInputCmd, PsnInputCmd}},
      box, vk);
}
