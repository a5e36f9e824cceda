// The goods dialog's condition panel: name, spec and barcode words, the number range, the
// purchase partner, three departments, the flag groups and the recent-trade period.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/byte_text.h"
#include "core/globals.h"
#include "core/text_format.h"
#include "core/values.h"
#include "lookup/GdsHelpFrm.h"
#include "lookup/help_forms.h"
#include "lookup/help_globals.h"
#include "lookup/lookup_common.h"
#include "platform/keys.h"
#include "platform/list_grid.h"

using namespace orv;
using namespace orv::lookup;

namespace {

QPushButton *labelButton(QWidget *parent, const char *name, const QString &caption,
                         const char *bg) {
  auto *b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  b->setFocusPolicy(Qt::NoFocus);
  if (bg) b->setStyleSheet(QString("background: %1;").arg(bg));
  return b;
}

QLineEdit *box(QWidget *parent, const char *name) {
  auto *e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setStyleSheet("background: #FFFFFF;");
  return e;
}

// A number's box text: empty for 0.
QString boxText(qint64 v) { return v == 0 ? QString() : QString::number(v); }

qint64 wholeOf(const QString &text) { return NzCur(TrimBlanks(text)).raw() / Currency::kScale; }

struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

void GdsHelpFrm::buildPanel(QWidget *host) {
  GdsSetFme = new QFrame(host);
  GdsSetFme->setObjectName("GdsSetFme");
  GdsSetFme->setFrameShape(QFrame::Box);
  GdsSetFme->setStyleSheet("#GdsSetFme { background: #C0C0FF; }");
  auto *pl = new QGridLayout(GdsSetFme);
  pl->addWidget(new QLabel("조회조건", GdsSetFme), 0, 0, 1, 4);

  GdsSetGNhelpCmd = labelButton(GdsSetFme, "GdsSetGNhelpCmd", "상품명", "#FF8080");
  GdsSetGnameTxt = box(GdsSetFme, "GdsSetGnameTxt");
  GdsSetGname1Txt = box(GdsSetFme, "GdsSetGname1Txt");
  pl->addWidget(GdsSetGNhelpCmd, 1, 0);
  pl->addWidget(GdsSetGnameTxt, 1, 1, 1, 2);
  pl->addWidget(GdsSetGname1Txt, 1, 3, 1, 2);

  GdsSetGKhelpCmd = labelButton(GdsSetFme, "GdsSetGKhelpCmd", "규격", "#FFC0C0");
  GdsSetGkygTxt = box(GdsSetFme, "GdsSetGkygTxt");
  pl->addWidget(GdsSetGKhelpCmd, 2, 0);
  pl->addWidget(GdsSetGkygTxt, 2, 1, 1, 2);

  GdsSetGBhelpCmd = labelButton(GdsSetFme, "GdsSetGBhelpCmd", "바코드", "#80FFFF");
  GdsSetGbarTxt = box(GdsSetFme, "GdsSetGbarTxt");
  BarSizeLbl = new QLabel(GdsSetFme);
  BarSizeLbl->setObjectName("BarSizeLbl");
  pl->addWidget(GdsSetGBhelpCmd, 3, 0);
  pl->addWidget(GdsSetGbarTxt, 3, 1, 1, 2);
  pl->addWidget(BarSizeLbl, 3, 3);

  GdsSetGnoCmd = labelButton(GdsSetFme, "GdsSetGnoCmd", "No", "#80FF80");
  GdsSetGno1Txt = box(GdsSetFme, "GdsSetGno1Txt");
  GdsSetGno2Txt = box(GdsSetFme, "GdsSetGno2Txt");
  pl->addWidget(GdsSetGnoCmd, 4, 0);
  pl->addWidget(GdsSetGno1Txt, 4, 1);
  pl->addWidget(new QLabel("~", GdsSetFme), 4, 2, Qt::AlignCenter);
  pl->addWidget(GdsSetGno2Txt, 4, 3);

  GdsSetThelpCmd = labelButton(GdsSetFme, "GdsSetThelpCmd", "매입처", "#8080FF");
  GdsSetTnoTxt = box(GdsSetFme, "GdsSetTnoTxt");
  GdsSetTnameTxt = box(GdsSetFme, "GdsSetTnameTxt");
  GdsSetTnameTxt->setReadOnly(true);
  GdsSetTnameTxt->setFocusPolicy(Qt::NoFocus);
  pl->addWidget(GdsSetThelpCmd, 5, 0);
  pl->addWidget(GdsSetTnoTxt, 5, 1);
  pl->addWidget(GdsSetTnameTxt, 5, 2, 1, 3);

  const char *deptNames[] = {"GdsSetB1helpCmd", "GdsSetB2helpCmd", "GdsSetB3helpCmd"};
  const char *nameBoxes[] = {"GdsSetB1nameTxt", "GdsSetB2nameTxt", "GdsSetB3nameTxt"};
  QPushButton *deptCmds[3];
  QLineEdit *deptNameBoxes[3];
  for (int d = 0; d < 3; ++d) {
    deptCmds[d] = labelButton(GdsSetFme, deptNames[d], QString("부문%1").arg(d + 1), nullptr);
    pl->addWidget(deptCmds[d], 6 + d, 0);
    for (int l = 0; l < 3; ++l) {
      auto *b = box(GdsSetFme, "GdsSetB1noTxt");
      b->setProperty("index", d * 3 + l);
      GdsSetB1noTxt[d * 3 + l] = b;
      pl->addWidget(b, 6 + d, 1 + l);
    }
    deptNameBoxes[d] = box(GdsSetFme, nameBoxes[d]);
    deptNameBoxes[d]->setReadOnly(true);
    deptNameBoxes[d]->setFocusPolicy(Qt::NoFocus);
    pl->addWidget(deptNameBoxes[d], 6 + d, 4);
  }
  GdsSetB1helpCmd = deptCmds[0];
  GdsSetB2helpCmd = deptCmds[1];
  GdsSetB3helpCmd = deptCmds[2];
  GdsSetB1nameTxt = deptNameBoxes[0];
  GdsSetB2nameTxt = deptNameBoxes[1];
  GdsSetB3nameTxt = deptNameBoxes[2];

  GdsSeltChk = new QCheckBox("분류", GdsSetFme);
  GdsSeltChk->setObjectName("GdsSeltChk");
  GdsSeltChk->setFocusPolicy(Qt::NoFocus);
  pl->addWidget(GdsSeltChk, 9, 0);
  auto flagGroup = [this, pl](const char *caption, const char *name,
                              std::array<QRadioButton *, 3> &opts, int col) {
    auto *g = new QGroupBox(QString::fromUtf8(caption), GdsSetFme);
    auto *gl = new QHBoxLayout(g);
    auto *bg = new QButtonGroup(g);
    const char *caps[] = {"전체", "On", "Off"};
    const char *colours[] = {nullptr, "#0000FF", "#404040"};
    for (int i = 0; i < 3; ++i) {
      opts[i] = new QRadioButton(QString::fromUtf8(caps[i]), g);
      opts[i]->setObjectName(QString("%1_%2").arg(name).arg(i));
      opts[i]->setFocusPolicy(Qt::NoFocus);
      if (colours[i]) opts[i]->setStyleSheet(QString("color: %1;").arg(colours[i]));
      bg->addButton(opts[i], i);
      gl->addWidget(opts[i]);
    }
    pl->addWidget(g, 10, col, 1, col == 0 ? 2 : 1);
  };
  flagGroup("중요상품", "GdsSelt1Opt", GdsSelt1Opt, 0);
  flagGroup("선택상품", "GdsSelt2Opt", GdsSelt2Opt, 2);
  flagGroup("단종상품", "GdsSelt3Opt", GdsSelt3Opt, 3);

  TrsMonFme = new QFrame(GdsSetFme);
  TrsMonFme->setObjectName("TrsMonFme");
  auto *tl = new QHBoxLayout(TrsMonFme);
  auto *tg = new QButtonGroup(TrsMonFme);
  auto mon = [&](const char *name, const char *caption, const char *tip) {
    auto *o = new QRadioButton(QString::fromUtf8(caption), TrsMonFme);
    o->setObjectName(name);
    o->setToolTip(QString::fromUtf8(tip));
    o->setFocusPolicy(Qt::NoFocus);
    tg->addButton(o);
    tl->addWidget(o);
    return o;
  };
  TrsMon0Opt = mon("TrsMon0Opt", "*", "F1 (전체상품)");
  TrsMon3Opt = mon("TrsMon3Opt", "3", "F2 (3개월이내거래상품)");
  TrsMon6Opt = mon("TrsMon6Opt", "6", "F3 (6개월이내거래상품)");
  TrsMon12Opt = mon("TrsMon12Opt", "12", "F4 (12개월이내거래상품)");
  pl->addWidget(TrsMonFme, 9, 1, 1, 3);

  GdsSetEnterCmd = labelButton(GdsSetFme, "GdsSetEnterCmd", "확인", nullptr);
  GdsSetEnterCmd->setFocusPolicy(Qt::StrongFocus);  // the last department box hands it on
  GdsSetExitCmd = labelButton(GdsSetFme, "GdsSetExitCmd", "닫기", nullptr);
  pl->addWidget(new QLabel("{ PageDn --> 확인 }", GdsSetFme), 11, 0, 1, 2);
  pl->addWidget(GdsSetEnterCmd, 11, 3);
  pl->addWidget(GdsSetExitCmd, 11, 4);
  GdsSetFme->hide();

  connect(GdsSetEnterCmd, &QPushButton::clicked, this, [this] {
    leaveFocusedBox();
    ConfirmConditions();
  });
  connect(GdsSetExitCmd, &QPushButton::clicked, this, &GdsHelpFrm::CloseConditions);
  connect(GdsSetThelpCmd, &QPushButton::clicked, this, &GdsHelpFrm::PickPartner);
  connect(GdsSetB1helpCmd, &QPushButton::clicked, this, [this] { PickDept(1); });
  connect(GdsSetB2helpCmd, &QPushButton::clicked, this, [this] { PickDept(2); });
  connect(GdsSetB3helpCmd, &QPushButton::clicked, this, [this] { PickDept(3); });
  connect(GdsSetGbarTxt, &QLineEdit::textChanged, this, [this](const QString &t) {
    const int n = LenH(TrimBlanks(t));
    BarSizeLbl->setText(n == 0 ? QString() : QString::number(n));
  });
}

bool GdsHelpFrm::isNumberBox(QLineEdit *b) const {
  return b == GdsSetGno1Txt || b == GdsSetGno2Txt || b == GdsSetTnoTxt ||
         std::find(GdsSetB1noTxt.begin(), GdsSetB1noTxt.end(), b) != GdsSetB1noTxt.end();
}

int GdsHelpFrm::boxLimit(QLineEdit *b) const {
  if (b == GdsSetTnoTxt) return 999999;
  const int i = b->property("index").isValid() ? b->property("index").toInt() : -1;
  return i % 3 == 2 ? 9999 : 999;
}

void GdsHelpFrm::leaveBox(QLineEdit *b) {
  b->setStyleSheet("background: #FFFFFF;");
  if (!isNumberBox(b)) {
    const QString v = SqlText(QVariant(b->text()), 0);
    if (b == GdsSetGnameTxt) cond_.SetGname = v;
    if (b == GdsSetGname1Txt) cond_.SetGname1 = v;
    if (b == GdsSetGkygTxt) cond_.SetGkyg = v;
    if (b == GdsSetGbarTxt) cond_.SetGbar = v;
    b->setText(v);
    ReadGdsConditions();
    ShowGdsConditions();
    return;
  }
  qint64 v = wholeOf(b->text());
  if (v < 0 || v > boxLimit(b)) v = 0;
  b->setText(QString::number(v));
  ReadGdsConditions();
  ShowGdsConditions();
  if (b == GdsSetTnoTxt) ReadSetPartner();
  const int i = b->property("index").isValid() ? b->property("index").toInt() : -1;
  if (i >= 0) ReadSetDept(i / 3 + 1);
}

void GdsHelpFrm::leaveFocusedBox() {
  auto *b = qobject_cast<QLineEdit *>(QApplication::focusWidget());
  if (b && b != GdsSetTnameTxt && GdsSetFme->isAncestorOf(b)) leaveBox(b);
}

void GdsHelpFrm::ReadGdsConditions() {
  cond_.SetGname = TrimBlanks(GdsSetGnameTxt->text());
  cond_.SetGkyg = TrimBlanks(GdsSetGkygTxt->text());
  cond_.SetGbar = TrimBlanks(GdsSetGbarTxt->text());
  cond_.SetGno1 = int(wholeOf(GdsSetGno1Txt->text()));
  cond_.SetGno2 = int(wholeOf(GdsSetGno2Txt->text()));
  cond_.SetTno = wholeOf(GdsSetTnoTxt->text());
  qint64 *depts[] = {&cond_.SetB1no, &cond_.SetB2no, &cond_.SetB3no};
  for (int d = 0; d < 3; ++d)
    *depts[d] = DeptNoOf(GdsSetB1noTxt[d * 3]->text(), GdsSetB1noTxt[d * 3 + 1]->text(),
                         GdsSetB1noTxt[d * 3 + 2]->text());
}

void GdsHelpFrm::ShowGdsConditions() {
  GdsSetGnameTxt->setText(TrimBlanks(cond_.SetGname));
  GdsSetGname1Txt->setText(TrimBlanks(cond_.SetGname1));
  GdsSetGkygTxt->setText(TrimBlanks(cond_.SetGkyg));
  GdsSetGbarTxt->setText(TrimBlanks(cond_.SetGbar));
  GdsSetGno1Txt->setText(boxText(cond_.SetGno1));
  GdsSetGno2Txt->setText(boxText(cond_.SetGno2));
  GdsSetTnoTxt->setText(boxText(cond_.SetTno));
  if (cond_.SetTno == 0) GdsSetTnameTxt->clear();
  const qint64 depts[] = {cond_.SetB1no, cond_.SetB2no, cond_.SetB3no};
  QLineEdit *names[] = {GdsSetB1nameTxt, GdsSetB2nameTxt, GdsSetB3nameTxt};
  for (int d = 0; d < 3; ++d) {
    const No334 n = SplitNo334(*Currency::FromWhole(depts[d]));
    GdsSetB1noTxt[d * 3]->setText(boxText(n.n1));
    GdsSetB1noTxt[d * 3 + 1]->setText(boxText(n.n2));
    GdsSetB1noTxt[d * 3 + 2]->setText(boxText(n.n3));
    if (depts[d] == 0) names[d]->clear();
  }
}

void GdsHelpFrm::ResetGdsConditions() {
  cond_ = {};
  TrsMon0Opt->setChecked(true);
  GdsSeltChk->setChecked(false);
  GdsSelt1Opt[0]->setChecked(true);
  GdsSelt2Opt[0]->setChecked(true);
  GdsSelt3Opt[0]->setChecked(true);
}

void GdsHelpFrm::ReadSetPartner() {
  cond_.SetMeipKey = {};
  GdsSetTnameTxt->clear();
  try {
    auto rs = QueryBound(goDbMain, "SELECT TcdKey, TcdName FROM TrsCode WHERE TcdNo = ?",
                         {cond_.SetTno});
    if (!rs.Eof()) {
      cond_.SetMeipKey = NzCur(rs.Field("TcdKey"));
      GdsSetTnameTxt->setText(NzStr(rs.Field("TcdName")));
    }
  } catch (const db::DbError &e) {
    ShowDbError(e);
  }
}

void GdsHelpFrm::ReadSetDept(int n) {
  Currency *keys[] = {&cond_.SetBmn1Key, &cond_.SetBmn2Key, &cond_.SetBmn3Key};
  QLineEdit *names[] = {GdsSetB1nameTxt, GdsSetB2nameTxt, GdsSetB3nameTxt};
  const qint64 nos[] = {cond_.SetB1no, cond_.SetB2no, cond_.SetB3no};
  *keys[n - 1] = {};
  names[n - 1]->clear();
  try {
    auto rs = QueryBound(goDbMain,
                         "SELECT EcdKey, EcdName FROM ExtCode WHERE EcdIO = ? AND EcdNo = ?",
                         {100 + n, nos[n - 1]});
    if (!rs.Eof()) {
      *keys[n - 1] = NzCur(rs.Field("EcdKey"));
      names[n - 1]->setText(NzStr(rs.Field("EcdName")));
    }
  } catch (const db::DbError &e) {
    ShowDbError(e);
  }
}

void GdsHelpFrm::PickPartner() {
  const int16_t mode = giHelpMode, subMode = giHelpSubMode;
  const QString start = gsHelpStart;
  const Currency psn = gcHelpPsnKey;
  giHelpMode = 1;
  gsHelpStart.clear();
  giHelpSubMode = 1;
  gcHelpPsnKey = {};
  OpenHelp(MakeTrsHelpFrm);
  if (giHelpRet == 1) {
    cond_.SetTno = gcHelpNo.raw() / Currency::kScale;
    GdsSetB1noTxt[0]->setFocus();
  } else {
    GdsSetTnoTxt->setFocus();
  }
  ShowGdsConditions();
  ReadSetPartner();
  giHelpMode = mode;
  giHelpSubMode = subMode;
  gsHelpStart = start;
  gcHelpPsnKey = psn;
}

void GdsHelpFrm::PickDept(int n) {
  const int16_t mode = giHelpMode, ecdIO = giHelpEcdIO;
  const int16_t no1 = giHelpNo1, no2 = giHelpNo2, no3 = giHelpNo3;
  const QString start = gsHelpStart;
  giHelpMode = 1;
  gsHelpStart.clear();
  giHelpEcdIO = int16_t(100 + n);
  giHelpNo1 = giHelpNo2 = giHelpNo3 = 0;
  OpenHelp(MakeExtHelpFrm);
  qint64 *nos[] = {&cond_.SetB1no, &cond_.SetB2no, &cond_.SetB3no};
  if (giHelpRet == 1) {
    *nos[n - 1] = gcHelpNo.raw() / Currency::kScale;
    if (n == 3)
      GdsSetEnterCmd->setFocus();
    else
      GdsSetB1noTxt[n * 3]->setFocus();
  } else {
    GdsSetB1noTxt[(n - 1) * 3]->setFocus();
  }
  ShowGdsConditions();
  ReadSetDept(n);
  giHelpMode = mode;
  gsHelpStart = start;
  giHelpEcdIO = ecdIO;
  giHelpNo1 = no1;
  giHelpNo2 = no2;
  giHelpNo3 = no3;
}

void GdsHelpFrm::OpenGdsConditions() {
  ResetGdsConditions();
  ShowGdsConditions();
  GdsSetFme->show();
  GdsSetFme->raise();
  GdsSetGnameTxt->setFocus();
}

void GdsHelpFrm::ConfirmConditions() {
  {
    WaitCursor wait;
    RefreshGdsList();
    GdsSetFme->hide();
  }
  vaSpread1->setFocus();
}

void GdsHelpFrm::AllConditions() {
  GdsSetFme->hide();
  ResetGdsConditions();
  ShowGdsConditions();
  ConfirmConditions();
}

void GdsHelpFrm::CloseConditions() {
  GdsSetFme->hide();
  vaSpread1->setFocus();
}

void GdsHelpFrm::selectOpt(QRadioButton *o) { o->setChecked(true); }

// The panel boxes' keys; true when the key was used up.
bool GdsHelpFrm::panelKey(QLineEdit *b, int vk) {
  using namespace keys;
  if (isNumberBox(b)) {
    lastKeyChar_ = QChar(vk);
    const bool replaces = vk == 43 || vk == 45 || vk == 46 || (vk >= 48 && vk <= 57) ||
                          (vk >= 96 && vk <= 111) || vk == 189;
    if (keyTyped_ == 0 && replaces) b->clear();
  }
  keyTyped_ = 1;
  const bool textBox = b == GdsSetGnameTxt || b == GdsSetGname1Txt || b == GdsSetGkygTxt ||
                       b == GdsSetGbarTxt;
  const int dept = b->property("index").isValid() ? b->property("index").toInt() : -1;
  QWidget *enter = nullptr, *down = nullptr, *up = nullptr;
  if (b == GdsSetGnameTxt) enter = GdsSetGname1Txt, down = GdsSetGkygTxt, up = GdsSetGnameTxt;
  if (b == GdsSetGname1Txt) enter = GdsSetGkygTxt, down = GdsSetGkygTxt, up = GdsSetGnameTxt;
  if (b == GdsSetGkygTxt) enter = GdsSetGbarTxt, down = GdsSetGbarTxt, up = GdsSetGnameTxt;
  if (b == GdsSetGbarTxt) enter = GdsSetGno1Txt, down = GdsSetTnoTxt, up = GdsSetGkygTxt;
  if (b == GdsSetGno1Txt) enter = GdsSetGno2Txt, down = GdsSetTnoTxt, up = GdsSetGbarTxt;
  if (b == GdsSetGno2Txt) enter = GdsSetTnoTxt, down = GdsSetTnoTxt, up = GdsSetGno1Txt;
  if (b == GdsSetTnoTxt) enter = GdsSetB1noTxt[0], down = GdsSetB1noTxt[0], up = GdsSetGbarTxt;
  if (dept >= 0) {
    enter = dept == 8 ? static_cast<QWidget *>(GdsSetEnterCmd) : GdsSetB1noTxt[dept + 1];
    down = dept >= 6 ? static_cast<QWidget *>(GdsSetEnterCmd) : GdsSetB1noTxt[(dept / 3 + 1) * 3];
    static const int ups[] = {-1, 0, 1, 0, 3, 4, 3, 6, 7};
    up = ups[dept] < 0 ? static_cast<QWidget *>(GdsSetTnoTxt) : GdsSetB1noTxt[ups[dept]];
  }
  switch (vk) {
    case vbKeyReturn:
      enter->setFocus();
      return true;
    case vbKeyDown:
      down->setFocus();
      return true;
    case vbKeyUp:
      up->setFocus();
      return true;
    case vbKeyPageDown:
      leaveBox(b);
      ConfirmConditions();
      return true;
    case vbKeyEscape:
      if (b == GdsSetGno2Txt) leaveBox(b);
      CloseConditions();
      return true;
    case vbKeyF1:
      if (textBox) selectOpt(TrsMon0Opt);
      if (b == GdsSetTnoTxt) PickPartner();
      if (dept >= 0) PickDept(dept / 3 + 1);
      return textBox || b == GdsSetTnoTxt || dept >= 0;
    case vbKeyF1 + 1:
    case vbKeyF1 + 2:
    case vbKeyF1 + 3:
      if (!textBox) return false;
      selectOpt(vk == vbKeyF1 + 1 ? TrsMon3Opt : vk == vbKeyF1 + 2 ? TrsMon6Opt : TrsMon12Opt);
      return true;
    default:
      break;
  }
  return false;
}
