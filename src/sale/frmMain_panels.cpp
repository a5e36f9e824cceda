// The three panels that recall a saved chit into the sale grid: by chit number, by card
// approval number, and for rewriting or cancelling a chit.
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "chit/saver_state.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/values.h"
#include "platform/colors.h"
#include "platform/grid.h"
#include "platform/keys.h"
#include "sale/frmMain.h"

using namespace orv;

namespace {

// Hands the panels' boxes' keys to their handlers in virtual-key codes.
class PanelKeys : public QObject {
 public:
  explicit PanelKeys(frmMain *m) : QObject(m), m_(m) {}
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto *ke = static_cast<QKeyEvent *>(event);
    int vk = keys::ToVirtualKey(ke);
    if (vk == 0) return false;
    const int shift = keys::ToShift(ke->modifiers());
    if (watched == m_->txtChtNo)
      m_->txtChtNo_KeyDown(vk, shift);
    else if (watched == m_->txtCommitNo)
      m_->txtCommitNo_KeyDown(vk, shift);
    else if (watched == m_->txtChtNoX)
      m_->txtChtNoX_KeyDown(vk, shift);
    else
      return false;
    return vk == 0;
  }

 private:
  frmMain *m_;
};

constexpr long kChosen = colors::Rgb(0, 0, 255);

void setFore(QWidget *w, long bgr) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, colors::FromBgr(bgr));
  p.setColor(QPalette::ButtonText, colors::FromBgr(bgr));
  w->setPalette(p);
}

}  // namespace

void frmMain::BuildChitPanels() {
  auto frame = [this](const char *name) {
    auto *f = new QFrame(this);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(QFrame::Box);
    f->setAutoFillBackground(true);
    f->hide();
    return f;
  };
  auto box = [](const char *name, QWidget *parent) {
    auto *t = new QLineEdit(parent);
    t->setObjectName(QString::fromLatin1(name));
    return t;
  };
  auto button = [](const char *name, const QString &caption, QWidget *parent) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
  };

  fraChtNo = frame("fraChtNo");
  txtChtNo = box("txtChtNo", fraChtNo);
  {
    auto *l = new QVBoxLayout(fraChtNo);
    l->addWidget(new QLabel(QStringLiteral("전표번호"), fraChtNo));
    l->addWidget(txtChtNo);
    l->addWidget(new QLabel(QStringLiteral("식별14, 일자6-전표"), fraChtNo));
  }
  fraCard = frame("fraCard");
  txtCommitNo = box("txtCommitNo", fraCard);
  {
    auto *l = new QVBoxLayout(fraCard);
    l->addWidget(new QLabel(QStringLiteral("승인번호"), fraCard));
    l->addWidget(txtCommitNo);
  }

  fraChtNoX = frame("fraChtNoX");
  txtChtNoX = box("txtChtNoX", fraChtNoX);
  ChtWrite0Opt = new QRadioButton(QStringLiteral("수정기록(F1)"), fraChtNoX);
  ChtWrite0Opt->setObjectName(QStringLiteral("ChtWrite0Opt"));
  ChtWrite1Opt = new QRadioButton(QStringLiteral("거래취소(F2)"), fraChtNoX);
  ChtWrite1Opt->setObjectName(QStringLiteral("ChtWrite1Opt"));
  cmdSave = button("cmdSave", QStringLiteral("확인"), fraChtNoX);
  cmdCancel = button("cmdCancel", QStringLiteral("취소"), fraChtNoX);
  cmdExt = button("cmdExt", QStringLiteral("X"), fraChtNoX);
  CwtStatLbl = new QLabel(fraChtNoX);
  CwtStatLbl->setObjectName(QStringLiteral("CwtStatLbl"));

  // The recalled chit's summary: caption and value side by side.
  static const struct {
    QLabel *frmMain::*member;
    const char *name;
    const char16_t *caption;
  } kSummary[] = {
      {&frmMain::CwtChtDateLbl, "CwtChtDateLbl", u"판매일자"},
      {&frmMain::CwtChtNoLbl, "CwtChtNoLbl", u"전표번호"},
      {&frmMain::CwtChtHabLbl, "CwtChtHabLbl", u"판매금액"},
      {&frmMain::CwtChtMoneyLbl, "CwtChtMoneyLbl", u"현금"},
      {&frmMain::CwtChtCardLbl, "CwtChtCardLbl", u"카드"},
      {&frmMain::CwtChtOisangLbl, "CwtChtOisangLbl", u"외상"},
      {&frmMain::CwtChtSobiLbl, "CwtChtSobiLbl", u"사내"},
      {&frmMain::CwtTrsNoLbl, "CwtTrsNoLbl", u"거래처"},
      {&frmMain::CwtTrsNameLbl, "CwtTrsNameLbl", u"거래처명"},
      {&frmMain::CwtTrsPsnLbl, "CwtTrsPsnLbl", u"담당"},
      {&frmMain::CwtCstNoLbl, "CwtCstNoLbl", u"고객번호"},
      {&frmMain::CwtCstBarLbl, "CwtCstBarLbl", u"바코드"},
      {&frmMain::CwtCstNameLbl, "CwtCstNameLbl", u"고객명"},
      {&frmMain::CwtCstCompLbl, "CwtCstCompLbl", u"상호"},
  };
  auto *summary = new QGridLayout;
  int i = 0;
  for (const auto &s : kSummary) {
    auto *value = new QLabel(fraChtNoX);
    value->setObjectName(QString::fromLatin1(s.name));
    value->setFrameShape(QFrame::Panel);
    value->setFrameShadow(QFrame::Sunken);
    this->*s.member = value;
    const int row = i % 7, col = (i / 7) * 2;
    summary->addWidget(new QLabel(QString::fromUtf16(s.caption), fraChtNoX), row, col);
    summary->addWidget(value, row, col + 1);
    ++i;
  }

  static const char16_t *const kLines[] = {u"바코드", u"상품명 & 규격", u"수량",
                                           u"단가",   u"합계",          u"비고"};
  vaSpread2->setParent(fraChtNoX);
  vaSpread2->SetMaxCols(6);
  for (int c = 1; c <= 6; ++c) vaSpread2->SetColHeaderText(c, QString::fromUtf16(kLines[c - 1]));
  vaSpread2->show();

  {
    auto *l = new QVBoxLayout(fraChtNoX);
    auto *head = new QHBoxLayout;
    head->addWidget(new QLabel(QStringLiteral("전표번호"), fraChtNoX));
    head->addWidget(txtChtNoX);
    head->addWidget(CwtStatLbl);
    head->addStretch();
    head->addWidget(cmdExt);
    l->addLayout(head);
    l->addLayout(summary);
    l->addWidget(vaSpread2, 1);
    auto *foot = new QHBoxLayout;
    foot->addWidget(ChtWrite0Opt);
    foot->addWidget(ChtWrite1Opt);
    foot->addStretch();
    foot->addWidget(cmdSave);
    foot->addWidget(cmdCancel);
    l->addLayout(foot);
  }
  fraChtNo->resize(260, 110);
  fraCard->resize(260, 80);
  fraChtNoX->resize(640, 460);

  connect(ChtWrite0Opt, &QRadioButton::toggled, this, [this](bool on) {
    if (on) ChtWrite0Opt_Click();
  });
  connect(ChtWrite1Opt, &QRadioButton::toggled, this, [this](bool on) {
    if (on) ChtWrite1Opt_Click();
  });
  connect(cmdSave, &QPushButton::clicked, this, &frmMain::cmdSave_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmMain::cmdCancel_Click);
  connect(cmdExt, &QPushButton::clicked, this, &frmMain::cmdExt_Click);
  auto *keysFilter = new PanelKeys(this);
  for (QLineEdit *t : {txtChtNo, txtCommitNo, txtChtNoX}) t->installEventFilter(keysFilter);
}

// ---------------------------------------------------------------- shared steps

void frmMain::ResetForRecall() {
  giOisangPick = 0;
  glOisangChtNo = 0;
  SetLabelColor(lblOiip, colors::kWhite, false);
  ClearGrid(vaSpread1);
}

void frmMain::BackToGrid(QFrame *panel) {
  panel->hide();
  vaSpread1->setEnabled(true);
  FocusGrid();
}

void frmMain::HideChtNoXPanel() { BackToGrid(fraChtNoX); }

static void OpenPanel(frmMain &m, QFrame *panel, QLineEdit *box) {
  m.vaSpread1->setEnabled(false);
  box->clear();
  // In the middle of the screen, over the grid.
  panel->move((m.width() - panel->width()) / 2, (m.height() - panel->height()) / 3);
  panel->raise();
  panel->show();
  box->setFocus();
}

void frmMain::ShowChtNoPanel() { OpenPanel(*this, fraChtNo, txtChtNo); }
void frmMain::ShowCardPanel() { OpenPanel(*this, fraCard, txtCommitNo); }

void frmMain::ShowChtNoXPanel() {
  vaSpread1->setEnabled(false);
  txtChtNoX->clear();
  ChtWrite0Opt->setChecked(true);
  cmdSave->setEnabled(false);
  ClearChitInfoLabels();
  OpenPanel(*this, fraChtNoX, txtChtNoX);
  ChtWrite1Opt->setChecked(true);
}

// ---------------------------------------------------------------- handlers

void frmMain::txtChtNo_KeyDown(int &keyCode, int shift) {
  Q_UNUSED(shift);
  if (keyCode == keys::vbKeyReturn) {
    keyCode = 0;
    const QString text = NzStr(txtChtNo->text());
    if (text.isEmpty()) return;
    ResetForRecall();
    ReadPanChitNo(text);
    BackToGrid(fraChtNo);
  } else if (keyCode == keys::vbKeyEscape) {
    keyCode = 0;
    BackToGrid(fraChtNo);
  }
}

void frmMain::txtCommitNo_KeyDown(int &keyCode, int shift) {
  Q_UNUSED(shift);
  if (keyCode == keys::vbKeyReturn) {
    keyCode = 0;
    const QString text = NzStr(txtCommitNo->text());
    if (text.isEmpty()) return;
    ResetForRecall();
    ReadPanChitCmit(text);
    BackToGrid(fraCard);
  } else if (keyCode == keys::vbKeyEscape) {
    keyCode = 0;
    BackToGrid(fraCard);
  }
}

void frmMain::txtChtNoX_KeyDown(int &keyCode, int shift) {
  Q_UNUSED(shift);
  const int key = keyCode;
  if (key == keys::vbKeyReturn) {
    keyCode = 0;
    SetChtEditMode(0);
    ClearChitInfoLabels();
    const QString text = NzStr(txtChtNoX->text());
    if (!text.isEmpty()) {
      ResetForRecall();
      ReadPanChitNo(text);
      if (!vaSpread1->CellValue(1, ColCode).isEmpty()) {
        FillChitInfoLabels();
        cmdSave->setEnabled(true);
        cmdSave->setFocus();
      } else {
        cmdSave->setEnabled(false);
        txtChtNoX->clear();
        txtChtNoX->setFocus();
      }
    }
  } else if (key == keys::vbKeyEscape) {
    keyCode = 0;
    HideChtNoXPanel();
  }
  if (key == keys::vbKeyF1) {
    keyCode = 0;
    ChtWrite0Opt->setChecked(true);
  } else if (key == keys::vbKeyF1 + 1) {
    keyCode = 0;
    ChtWrite1Opt->setChecked(true);
  }
}

void frmMain::ChtWrite0Opt_Click() {
  const bool rewrite = ChtWrite0Opt->isChecked();
  setFore(ChtWrite0Opt, rewrite ? kChosen : colors::kBlack);
  setFore(ChtWrite1Opt, rewrite ? colors::kBlack : kChosen);
}

void frmMain::ChtWrite1Opt_Click() { ChtWrite0Opt_Click(); }

void frmMain::cmdSave_Click() {
  if (ChtWrite0Opt->isChecked()) {
    SetChtEditMode(1);
    HideChtNoXPanel();
    return;
  }
  SetChtEditMode(2);
  ClearSaleScreen();
  HideChtNoXPanel();
  PayAndNewChit();
}

void frmMain::cmdCancel_Click() {
  SetChtEditMode(0);
  ClearSaleScreen();
  HideChtNoXPanel();
}

void frmMain::cmdExt_Click() {
  SetChtEditMode(0);
  HideChtNoXPanel();
}
