#include "customer/CstPaddFrm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "chit/chit_numbers.h"
#include "chit/records.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "lookup/cst_find.h"
#include "lookup/frmCust.h"
#include "lookup/help_globals.h"
#include "lookup/lookup_common.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/entry_box.h"
#include "platform/keys.h"
#include "platform/printer_port.h"
#include "platform/settings_store.h"
#include "platform/wait_cursor.h"

using namespace orv;

namespace {

int32_t Number(const QLineEdit *box) { return int32_t(NzCur(box->text().trimmed()).RoundToInt()); }

}  // namespace

CstPaddFrm::CstPaddFrm(bool ts, const QString &scanCode, QWidget *parent)
    : QDialog(parent), ts_(ts) {
  setObjectName(QStringLiteral("CstPaddFrm"));
  setWindowTitle(QStringLiteral("고객 점수 추가 (영수증)"));
  auto *grid = new QGridLayout(this);
  auto box = [this](const char *name, bool number) {
    auto *b = new QLineEdit(this);
    b->setObjectName(QLatin1String(name));
    entrybox::Watch(b, number);
    b->installEventFilter(this);
    return b;
  };
  auto label = [this](const char *name) {
    auto *l = new QLabel(this);
    l->setObjectName(QLatin1String(name));
    l->setMinimumWidth(90);
    return l;
  };
  PanStringTxt = box("PanStringTxt", false);
  PanYearTxt = box("PanYearTxt", true);
  PanMonTxt = box("PanMonTxt", true);
  PanDayTxt = box("PanDayTxt", true);
  PanChitTxt = box("PanChitTxt", true);
  CstStringTxt = box("CstStringTxt", false);
  CstNoTxt = box("CstNoTxt", true);
  CstBarcodeTxt = box("CstBarcodeTxt", true);
  PanHabLbl = label("PanHabLbl");
  PanPointLbl = label("PanPointLbl");
  PanCstNoLbl = label("PanCstNoLbl");
  PanCstNameLbl = label("PanCstNameLbl");
  CstNameLbl = label("CstNameLbl");
  CstTeleLbl = label("CstTeleLbl");
  CstHpLbl = label("CstHpLbl");
  CstJusoLbl = label("CstJusoLbl");
  CstYgumLbl = label("CstYgumLbl");
  CstYpointLbl = label("CstYpointLbl");
  CstGumLbl = label("CstGumLbl");
  CstPointLbl = label("CstPointLbl");
  CstNgumLbl = label("CstNgumLbl");
  CstNpointLbl = label("CstNpointLbl");
  CstPrintChk = new QCheckBox(QStringLiteral("F2 : 점수추가 후 영수증 출력"), this);
  CstPrintChk->setObjectName(QStringLiteral("CstPrintChk"));
  CstPrintCmd = new QPushButton(QStringLiteral("F3 : 현재 점수 출력"), this);
  CstPrintCmd->setObjectName(QStringLiteral("CstPrintCmd"));
  cmdAction0 = new QPushButton(QStringLiteral("확 인"), this);
  cmdAction0->setObjectName(QStringLiteral("cmdAction0"));
  cmdAction1 = new QPushButton(QStringLiteral("취 소"), this);
  cmdAction1->setObjectName(QStringLiteral("cmdAction1"));
  for (QPushButton *b : {CstPrintCmd, cmdAction0, cmdAction1}) b->setAutoDefault(false);

  int r = 0;
  auto row = [&](const char *caption, std::initializer_list<QWidget *> ws) {
    grid->addWidget(new QLabel(QString::fromUtf8(caption), this), r, 0);
    int c = 1;
    for (QWidget *w : ws) grid->addWidget(w, r, c++);
    ++r;
  };
  row("전표식별", {PanStringTxt});
  grid->addWidget(new QLabel(QStringLiteral("일   자"), this), r, 0);
  grid->addWidget(PanYearTxt, r, 1);
  grid->addWidget(new QLabel(QStringLiteral("년"), this), r, 2);
  grid->addWidget(PanMonTxt, r, 3);
  grid->addWidget(new QLabel(QStringLiteral("월"), this), r, 4);
  grid->addWidget(PanDayTxt, r, 5);
  grid->addWidget(new QLabel(QStringLiteral("일"), this), r++, 6);
  row("전   표", {PanChitTxt});
  row("판매금액", {PanHabLbl});
  row("적립점수", {PanPointLbl});
  row("고   객", {PanCstNoLbl, PanCstNameLbl});
  row("고객식별", {CstStringTxt});
  row("고객번호", {CstNoTxt});
  row("바코드", {CstBarcodeTxt});
  row("고객명", {CstNameLbl});
  row("전화번호", {CstTeleLbl});
  row("핸드폰", {CstHpLbl});
  row("주   소", {CstJusoLbl});
  row("이전금액", {CstYgumLbl});
  row("이전점수", {CstYpointLbl});
  row("추가금액", {CstGumLbl});
  row("추가점수", {CstPointLbl});
  row("현재금액", {CstNgumLbl});
  row("현재점수", {CstNpointLbl});
  grid->addWidget(CstPrintChk, r++, 0, 1, 4);
  grid->addWidget(CstPrintCmd, r++, 0, 1, 4);
  grid->addWidget(new QLabel(QStringLiteral("F4 : 전표식별, 고객식별 삭제"), this), r++, 0, 1, 4);
  grid->addWidget(new QLabel(QStringLiteral("고객식별 : 번호, 바코드, /, ＋, －"), this), r++, 0, 1, 4);
  grid->addWidget(cmdAction0, r, 1, 1, 2);
  grid->addWidget(cmdAction1, r, 3, 1, 2);

  connect(cmdAction0, &QPushButton::clicked, this, [this] {
    if (!PanChitTxt->text().trimmed().isEmpty() && !CstNoTxt->text().trimmed().isEmpty())
      SaveCstPoint();
  });
  connect(cmdAction1, &QPushButton::clicked, this, [this] {
    giHelpRet = 0;
    reject();
  });
  connect(CstPrintCmd, &QPushButton::clicked, this, &CstPaddFrm::CstPrintCmd_Click);
  installEventFilter(this);

  ShowCstByKind(0);  // the six amounts read "0"
  if (!gtCstCode.CcdNo.IsZero()) {
    CstNoTxt->setText(gtCstCode.CcdNo.ToPlainText());
    entrybox::SetRemembered(CstNoTxt, QString());
    Leave(CstNoTxt);
  }
  CstPrintChk->setChecked(settings_store::GetSetting(QStringLiteral("giSetCstPaddPrn")) ==
                          QLatin1String("1"));
  if (!scanCode.isEmpty()) {
    PanStringTxt->setText(scanCode);
    entrybox::SetRemembered(PanStringTxt, QString());
    Leave(PanStringTxt);
  }
  QTimer::singleShot(0, PanStringTxt, [this] { PanStringTxt->setFocus(); });
}

CstPaddFrm::~CstPaddFrm() = default;

void CstPaddFrm::done(int r) {
  settings_store::SaveSetting(QStringLiteral("giSetCstPaddPrn"),
                              CstPrintChk->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
  QDialog::done(r);
}

void CstPaddFrm::clearChit() {
  year_ = mon_ = day_ = 0;
  chtNo_ = 0;
  chit_ = {};
  for (QLineEdit *b : {PanYearTxt, PanMonTxt, PanDayTxt, PanChitTxt}) b->clear();
  for (QLabel *l : {PanHabLbl, PanPointLbl, PanCstNoLbl, PanCstNameLbl}) l->clear();
}

void CstPaddFrm::showChit() {
  PanHabLbl->setText(chit_.hab.IsZero() ? QString() : FmtAmt(chit_.hab, 0));
  PanPointLbl->setText(chit_.chk.IsZero() ? QString() : FmtAmt(chit_.chk, 0));
  PanCstNoLbl->setText(chit_.cstNo == 0 ? QString() : QString::number(chit_.cstNo));
  PanCstNameLbl->setText(chit_.cstName.trimmed());
}

// A code whose check digits do not belong to the chit's amount is dropped without a word.
void CstPaddFrm::ParsePanChitBarcode(const QString &code) {
  const auto rc = padd::ParseReceiptCode(code);
  if (!rc) return;
  chit_ = padd::ReadPanChitPoint(rc->year, rc->mon, rc->day, rc->chtNo, ts_);
  if (ChitBarCheckDigits(chit_.hab) != rc->check) {
    clearChit();
    return;
  }
  year_ = rc->year;
  mon_ = rc->mon;
  day_ = rc->day;
  chtNo_ = rc->chtNo;
  PanYearTxt->setText(QString::number(year_));
  PanMonTxt->setText(QString::number(mon_));
  PanDayTxt->setText(QString::number(day_));
  PanChitTxt->setText(QString::number(chtNo_));
  showChit();
  ShowCstByKind(0);
  CstStringTxt->setFocus();
}

void CstPaddFrm::ReadPanChitByBoxes() {
  year_ = Number(PanYearTxt);
  mon_ = Number(PanMonTxt);
  day_ = Number(PanDayTxt);
  chtNo_ = Number(PanChitTxt);
  chit_ = padd::ReadPanChitPoint(year_, mon_, day_, chtNo_, ts_);
  showChit();
  ShowCstByKind(0);
}

void CstPaddFrm::SeekCstByText(const QString &text) {
  giHelpRet = 0;
  const QChar prefix = text.at(0);
  const QString rest = text.mid(1).trimmed();
  if ((prefix != '/' && prefix != '+' && prefix != '-') || rest.isEmpty()) {
    ShowCstByKind(2, text);
    if (!cst_.key.IsZero()) cmdAction0->setFocus();
    return;
  }
  QString table;
  db::Connection *conn = CstConnection(&table);
  if (!conn) return;
  const auto found =
      lookup::BuildCstFindSql(text, conn->dialect(), table, lookup::CstFindVariant::CstPadd);
  if (!found) return;
  {
    WaitCursor wait;
    db::Statement st = conn->Prepare(found->sql);
    for (int i = 0; i < found->values.size(); ++i) st.Bind(i, found->values[i]);
    if (st.Query().RecordCount() == 0) return;
  }
  gsCstFindSql = found->sql;
  gvCstFindArgs = found->values;
  {
    frmCust form(this);
    dialogs::ShowModal(form);
  }
  gsCstFindSql.clear();
  gvCstFindArgs.clear();
  if (giHelpRet == 1) {
    CstNoTxt->setText(gcHelpNo.ToPlainText());
    entrybox::SetRemembered(CstNoTxt, QString());
    Leave(CstNoTxt);
    cmdAction0->setFocus();
  }
}

void CstPaddFrm::ShowCstByKind(int kind, const QString &text) {
  const QString t = kind == 1 ? CstBarcodeTxt->text().trimmed() : text;
  cst_ = padd::ReadCstForPoints(kind, kind == 0 ? Number(CstNoTxt) : 0, t, ts_);
  const bool found = !cst_.key.IsZero();
  gum_ = found ? chit_.hab : Currency();
  point_ = found ? chit_.chk : Currency();
  CstNoTxt->setText(cst_.no == 0 ? QString() : QString::number(cst_.no));
  CstBarcodeTxt->setText(cst_.barcode);
  CstNameLbl->setText(cst_.name);
  CstTeleLbl->setText(cst_.tel);
  CstHpLbl->setText(cst_.hp);
  CstJusoLbl->setText(cst_.juso);
  const auto sum = [](Currency a, Currency b) { return Currency::Add(a, b).value_or(Currency{}); };
  CstYgumLbl->setText(FmtAmt(cst_.zerdo, 0));
  CstYpointLbl->setText(FmtAmt(cst_.jumsu, 0));
  CstGumLbl->setText(FmtAmt(gum_, 0));
  CstPointLbl->setText(FmtAmt(point_, 0));
  CstNgumLbl->setText(FmtAmt(sum(cst_.zerdo, gum_), 0));
  CstNpointLbl->setText(FmtAmt(sum(cst_.jumsu, point_), 0));
}

void CstPaddFrm::SaveCstPoint() {
  const QString refused =
      padd::CheckCredit(chtNo_, chit_, cst_, year_, mon_, day_, giWrkYear, giWrkMonth);
  if (!refused.isEmpty()) {
    dialogs::Info(refused, QStringLiteral("저장오류"));
    return;
  }
  padd::ChitPoints adding = chit_;
  adding.hab = gum_;
  adding.chk = point_;
  padd::CreditResult result;
  cmdAction0->setEnabled(false);
  try {
    WaitCursor wait;
    result = padd::CreditChit(year_, mon_, day_, chtNo_, adding, cst_.key, ts_);
  } catch (const db::DbError &e) {
    cmdAction0->setEnabled(true);
    lookup::ShowDbError(e, QStringLiteral("저장오류"));
    return;
  }
  cmdAction0->setEnabled(true);
  if (result == padd::CreditResult::NoCustomer) {
    dialogs::Info(QStringLiteral("* 기록 중 오류발생...... !"), QStringLiteral("확인"));
    return;
  }
  if (result == padd::CreditResult::AlreadyCredited) {
    dialogs::Info(QStringLiteral("* 이미 등록한 전표입니다 ..... !"), QStringLiteral("저장오류"));
    return;
  }
  if (CstPrintChk->isChecked()) PrintCstPointReceipt();
  giHelpRet = 1;
  accept();
}

padd::PrintInput CstPaddFrm::printInput() const {
  padd::PrintInput in;
  in.wrkYear = giWrkYear;
  in.wrkMonth = giWrkMonth;
  in.wrkDay = giWrkDay;
  in.time = clock::Now().toString(QStringLiteral("HH:mm:ss"));
  in.chitLine = (QStringLiteral("0000") + QString::number(Number(PanYearTxt))).right(4) + "." +
                (QStringLiteral("00") + QString::number(Number(PanMonTxt))).right(2) + "." +
                (QStringLiteral("00") + QString::number(Number(PanDayTxt))).right(2) + "-" +
                (QStringLiteral("000000") + QString::number(Number(PanChitTxt))).right(6);
  in.cst = cst_;
  in.yPoint = cst_.jumsu;
  in.point = point_;
  in.nPoint = Currency::Add(cst_.jumsu, point_).value_or(Currency{});
  in.posNo = giSetPosNo;
  in.pcdNo = gcPcdNo;
  in.pcdName = gsPcdName;
  return in;
}

// The credit is saved before it prints: a printer failure only says so.
void CstPaddFrm::PrintCstPointReceipt() {
  try {
    padd::PrintLines(padd::PointAddedLines(printInput()));
  } catch (const printer_port::PortError &e) {
    dialogs::Info(QString::fromUtf8(e.what()), QStringLiteral("출력오류"));
  }
}

void CstPaddFrm::CstPrintCmd_Click() {
  try {
    padd::PrintLines(padd::CurrentPointLines(printInput()));
  } catch (const printer_port::PortError &e) {
    dialogs::Info(QString::fromUtf8(e.what()), QStringLiteral("출력오류"));
  }
}

void CstPaddFrm::Leave(QLineEdit *box) {
  const QString remembered = entrybox::Remembered(box);
  if (box == PanYearTxt || box == PanMonTxt || box == PanDayTxt || box == PanChitTxt ||
      box == CstNoTxt) {
    const Currency before = NzCur(remembered);
    const Currency v = Currency::Won(int32_t(NzCur(box->text().trimmed()).RoundToInt()));
    box->setText(CurStr(v, 1));
    if (v == Currency::Won(int32_t(before.RoundToInt()))) return;
    if (box == CstNoTxt)
      ShowCstByKind(0);
    else
      ReadPanChitByBoxes();
  } else if (box == CstBarcodeTxt) {
    box->setText(KeepDigits(box->text(), 0));
    if (box->text() != remembered) ShowCstByKind(1);
  } else if (box == PanStringTxt) {
    const QString digits = KeepDigits(box->text(), 0);
    box->setText(digits);
    if (!digits.isEmpty()) {
      if (digits != remembered) ParsePanChitBarcode(digits);
      box->clear();
    } else if (!PanHabLbl->text().trimmed().isEmpty()) {
      CstStringTxt->setFocus();
    }
  } else if (box == CstStringTxt) {
    const QString t = box->text().trimmed();
    box->setText(t);
    if (!t.isEmpty()) {
      if (t != remembered) SeekCstByText(t);
      box->clear();
    } else if (!CstNameLbl->text().trimmed().isEmpty()) {
      cmdAction0->setFocus();
    }
  }
  entrybox::SetRemembered(box, box->text());
}

bool CstPaddFrm::eventFilter(QObject *watched, QEvent *event) {
  using namespace keys;
  if (event->type() == QEvent::FocusOut) {
    if (auto *box = qobject_cast<QLineEdit *>(watched)) Leave(box);
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  const int vk = ToVirtualKey(static_cast<QKeyEvent *>(event));
  if (vk == vbKeyEscape) {
    reject();
    return true;
  }
  if (vk == vbKeyF1 + 1) {
    CstPrintChk->setChecked(!CstPrintChk->isChecked());
    return true;
  }
  if (vk == vbKeyF1 + 2) {
    CstPrintCmd_Click();
    return true;
  }
  auto *box = qobject_cast<QLineEdit *>(watched);
  if (!box) return false;
  if (vk == vbKeyF1 + 3 && (box == PanStringTxt || box == CstStringTxt)) {
    box->clear();
    return true;
  }
  return entrybox::MoveFocus({{PanStringTxt, nullptr, PanYearTxt, PanYearTxt},
                              {PanYearTxt, PanStringTxt, PanMonTxt, PanChitTxt},
                              {PanMonTxt, PanYearTxt, PanDayTxt, PanChitTxt},
                              {PanDayTxt, PanMonTxt, PanChitTxt, PanChitTxt},
                              {PanChitTxt, PanYearTxt, CstStringTxt, CstStringTxt},
                              {CstStringTxt, PanChitTxt, CstNoTxt, CstNoTxt},
                              {CstNoTxt, CstStringTxt, CstBarcodeTxt, CstBarcodeTxt},
                              {CstBarcodeTxt, CstNoTxt, cmdAction0, cmdAction0}},
                             box, vk);
}
