#include "goods/GdsEditFrm.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/globals.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/text_format.h"
#include "core/values.h"
#include "goods/goods_form.h"
#include "goods/goods_rules.h"
#include "platform/clock.h"
#include "platform/colors.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "platform/keys.h"
#include "lookup/help_globals.h"

using namespace orv;
using colors::Rgb;

namespace {

constexpr long kNumberBack = Rgb(192, 255, 192);
constexpr long kMarginBack = Rgb(255, 224, 192);
constexpr long kPriceBack = Rgb(255, 255, 192);
constexpr long kFocusBack = Rgb(255, 255, 128);
constexpr long kShowBack = Rgb(224, 224, 224);

QLabel *Caption(const QString &name, const QString &text, QWidget *parent) {
  auto *l = new QLabel(text, parent);
  l->setObjectName(name);
  return l;
}

}  // namespace

GdsEditFrm::GdsEditFrm(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("GdsEditFrm"));
  setWindowTitle(QStringLiteral("상품등록정보 (J)"));
  resize(396, 496);  // 5940 × 7440 twips

  GdsNo0Txt = goods::ValueBox("GdsNo0Txt", this, kNumberBack, true);
  GdsNo1Txt = goods::ValueBox("GdsNo1Txt", this, kNumberBack, true);
  GdsNo2Txt = goods::ValueBox("GdsNo2Txt", this, kNumberBack, true);
  GdsBarcdTxt = goods::ValueBox("GdsBarcdTxt", this, kShowBack, false);
  GdsNameTxt = goods::ValueBox("GdsNameTxt", this, kShowBack, false);
  GdsKygTxt = goods::ValueBox("GdsKygTxt", this, kShowBack, false);
  GdsBoxsuTxt = goods::ValueBox("GdsBoxsuTxt", this, kNumberBack, true);
  GdsDangaTxt = goods::ValueBox("GdsDangaTxt", this, kNumberBack, true);
  GdsMechTxt = goods::ValueBox("GdsMechTxt", this, kPriceBack, true, false);
  GdsMech2Txt = goods::ValueBox("GdsMech2Txt", this, kPriceBack, true, false);
  GdsSalegaTxt = goods::ValueBox("GdsSalegaTxt", this, kNumberBack, true);
  GdsIrt1Txt = goods::ValueBox("GdsIrt1Txt", this, kMarginBack, true);
  GdsIrt2Txt = goods::ValueBox("GdsIrt2Txt", this, kMarginBack, true);
  GdsIrt21Txt = goods::ValueBox("GdsIrt21Txt", this, kMarginBack, true);
  GdsIrt22Txt = goods::ValueBox("GdsIrt22Txt", this, kMarginBack, true);
  GdsIrt31Txt = goods::ValueBox("GdsIrt31Txt", this, kMarginBack, true);
  GdsIrt32Txt = goods::ValueBox("GdsIrt32Txt", this, kMarginBack, true);
  GdsSaleDateTxt = goods::ValueBox("GdsSaleDateTxt", this, kShowBack, false);

  Frame1 = new QGroupBox(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  GdsTax1Opt = new QRadioButton(QStringLiteral("과세"), Frame1);
  GdsTax1Opt->setObjectName(QStringLiteral("GdsTax1Opt"));
  GdsTax2Opt = new QRadioButton(QStringLiteral("면세"), Frame1);
  GdsTax2Opt->setObjectName(QStringLiteral("GdsTax2Opt"));
  auto *taxLay = new QHBoxLayout(Frame1);
  taxLay->addWidget(GdsTax1Opt);
  taxLay->addWidget(GdsTax2Opt);
  Frame1->setEnabled(false);

  auto *grid = new QGridLayout;
  auto row3 = [&](int r, const char *name, const QString &text, QWidget *a, QWidget *b, QWidget *c) {
    grid->addWidget(Caption(name, text, this), r, 0);
    grid->addWidget(a, r, 1);
    if (b) grid->addWidget(b, r, 2);
    if (c) grid->addWidget(c, r, 3);
  };
  row3(0, "Label2", QStringLiteral("번   호:"), GdsNo0Txt, GdsNo1Txt, GdsNo2Txt);
  grid->addWidget(Caption("Label3", QStringLiteral("바코드:"), this), 1, 0);
  grid->addWidget(GdsBarcdTxt, 1, 1, 1, 3);
  grid->addWidget(Caption("Label4", QStringLiteral("상품명:"), this), 2, 0);
  grid->addWidget(GdsNameTxt, 2, 1, 1, 2);
  grid->addWidget(GdsKygTxt, 2, 3);
  row3(3, "Label14", QStringLiteral("박스수:"), GdsBoxsuTxt, nullptr, nullptr);
  grid->addWidget(Caption("Label5", QStringLiteral("매입가:"), this), 4, 0);
  grid->addWidget(GdsDangaTxt, 4, 1);
  grid->addWidget(Frame1, 4, 2, 1, 2);
  row3(5, "Label6", QStringLiteral("판매가:"), GdsMechTxt, GdsIrt1Txt, GdsIrt2Txt);
  row3(6, "Label7", QStringLiteral("판매가2:"), GdsMech2Txt, GdsIrt21Txt, GdsIrt22Txt);
  row3(7, "Label8", QStringLiteral("행사가:"), GdsSalegaTxt, GdsIrt31Txt, GdsIrt32Txt);
  grid->addWidget(GdsSaleDateTxt, 8, 0, 1, 4);

  GdsEnterCmd = goods::LegendButton(QStringLiteral("GdsEnterCmd"), QStringLiteral("F1:저장"), this);
  GdsExitCmd = goods::LegendButton(QStringLiteral("GdsExitCmd"), QStringLiteral("ESC:취소"), this);
  auto *legend = new QHBoxLayout;
  legend->addStretch();
  legend->addWidget(GdsEnterCmd);
  legend->addWidget(GdsExitCmd);

  auto *lay = new QVBoxLayout(this);
  lay->addWidget(goods::TitleBanner(QStringLiteral("상품등록정보"), this));
  lay->addLayout(grid);
  lay->addStretch();
  lay->addLayout(legend);

  setTabOrder(GdsMech2Txt, GdsMechTxt);
  connect(GdsEnterCmd, &QPushButton::clicked, this, &GdsEditFrm::GdsEnterCmd_Click);
  connect(GdsExitCmd, &QPushButton::clicked, this, &GdsEditFrm::GdsExitCmd_Click);
  for (QLineEdit *box : {GdsMechTxt, GdsMech2Txt}) box->installEventFilter(this);

  formkeys::InstallKeyPreview(this, {[this](int &vk, int) {
                                       if (vk == keys::vbKeyF1) {
                                         vk = 0;
                                         GdsEnterCmd_Click();
                                       } else if (vk == keys::vbKeyEscape) {
                                         vk = 0;
                                         GdsExitCmd_Click();
                                       }
                                     },
                                     {},
                                     {}});
}

bool GdsEditFrm::Load() {
  // Masking: the purchase price and every margin as a row of asterisks.
  masked_ = GetRegInt(QStringLiteral("PosGdsDangaNot")) == 1;
  saved_ = 0;
  key_ = gcHelpKey;
  g_ = GdsCodeRec{};
  try {
    LoadGdsEdit();
  } catch (const std::exception &e) {
    goods::ShowError(this, e);
    g_.GcdNo = {};
  }
  if (g_.GcdNo.IsZero()) {
    giHelpRet = 0;
    return false;
  }
  ShowGdsSaleTerm();
  CalcGdsMargins();
  GdsMech2Txt->setFocus();
  return true;
}

void GdsEditFrm::LoadGdsEdit() {
  db::Statement st = goDbMain.Prepare(QStringLiteral("Select * from GdsCode where GcdKey=?"));
  st.Bind(0, BindCur(key_));
  const db::Recordset rs = st.Query();
  if (rs.RecordCount() == 0) return;
  auto cur = [&](const char *c) { return NzCur(rs.Field(QString::fromLatin1(c))); };
  auto str = [&](const char *c) { return NzStr(rs.Field(QString::fromLatin1(c))); };
  g_.GcdNo = cur("GcdNo");
  g_.GcdName = str("GcdName");
  g_.GcdKyg = str("GcdKyg");
  g_.GcdBarcode = str("GcdBarcode");
  g_.GcdTax = int16_t(cur("GcdTax").RoundToInt());
  boxSu_ = int16_t(cur("GcdBoxsu").RoundToInt());
  g_.GcdDanga = cur("GcdDanga");
  g_.GcdMech = cur("GcdMech");
  g_.GcdMech2 = cur("GcdMech2");
  g_.GcdSalega = cur("GcdSalega");
  g_.GcdSaleSel = int16_t(cur("GcdSaleSel").RoundToInt());
  g_.GcdStdtsale = str("GcdStdtsale");
  g_.GcdEddtsale = str("GcdEddtsale");
  g_.GcdSttmsale1 = str("GcdSttmsale1");
  g_.GcdEdtmsale1 = str("GcdEdtmsale1");
  g_.GcdSttmsale2 = str("GcdSttmsale2");
  g_.GcdEdtmsale2 = str("GcdEdtmsale2");
  g_.GcdSttmsale3 = str("GcdSttmsale3");
  g_.GcdEdtmsale3 = str("GcdEdtmsale3");
}

void GdsEditFrm::SaveGdsMech() {
  db::Transaction tx(goDbMain);
  db::Statement st =
      goDbMain.Prepare(QStringLiteral("Update GdsCode Set GcdMech=?, GcdMech2=? Where GcdKey=?"));
  st.Bind(0, BindCur(g_.GcdMech));
  st.Bind(1, BindCur(g_.GcdMech2));
  st.Bind(2, BindCur(key_));
  st.Execute();
  tx.Commit();
}

void GdsEditFrm::ShowGdsSaleTerm() {
  const auto no = goods::SplitGoodsNo(g_.GcdNo);
  GdsNo0Txt->setText(no[0]);
  GdsNo1Txt->setText(no[1]);
  GdsNo2Txt->setText(no[2]);
  GdsBarcdTxt->setText(g_.GcdBarcode);
  GdsNameTxt->setText(g_.GcdName);
  GdsKygTxt->setText(g_.GcdKyg);
  GdsBoxsuTxt->setText(QString::number(boxSu_));
  ShowMaskable(GdsDangaTxt, FmtAmt(g_.GcdDanga, 0));
  (g_.GcdTax != 0 ? GdsTax2Opt : GdsTax1Opt)->setChecked(true);
  GdsMechTxt->setText(FmtAmt(g_.GcdMech, 0));
  GdsMech2Txt->setText(FmtAmt(g_.GcdMech2, 0));
  QString period = goods::EventPeriodText(g_.GcdStdtsale, g_.GcdEddtsale);
  const QTime now = clock::Now().time();
  const bool inForce = goods::EventInForce(g_, goods::WorkDateNumber(), now.hour() * 100 + now.minute());
  if (inForce) period += QStringLiteral("(행사기간 설정)");
  GdsSaleDateTxt->setText(period);
  goods::SetBoxColors(GdsSaleDateTxt, kShowBack, inForce ? Rgb(255, 0, 0) : 0);
  ShowGdsSalega();
}

void GdsEditFrm::ShowMaskable(QLineEdit *box, const QString &text) {
  box->setText(masked_ ? QString(text.size(), '*') : text);
}

void GdsEditFrm::ShowGdsSalega() { GdsSalegaTxt->setText(FmtAmt(g_.GcdSalega, 0)); }

void GdsEditFrm::CalcGdsMargins() {
  const Currency d = g_.GcdDanga;
  auto show = [this](QLineEdit *b, Currency v) { ShowMaskable(b, FmtAmt2(v, 0)); };
  show(GdsIrt1Txt, goods::MarginPercent(g_.GcdMech, d, g_.GcdMech));
  show(GdsIrt2Txt, goods::MarginPercent(g_.GcdMech, d, d));
  show(GdsIrt21Txt, goods::MarginPercent(g_.GcdMech2, d, g_.GcdMech2));
  show(GdsIrt22Txt, goods::MarginPercent(g_.GcdMech2, d, d));
  show(GdsIrt31Txt, goods::MarginPercent(g_.GcdSalega, d, g_.GcdSalega));
  show(GdsIrt32Txt, goods::MarginPercent(g_.GcdSalega, d, d));
}

void GdsEditFrm::PriceLostFocus(QLineEdit *box) {
  Currency &price = box == GdsMechTxt ? g_.GcdMech : g_.GcdMech2;
  price = ValCur(box->text());
  box->setText(FmtAmt(price, 0));
  CalcGdsMargins();
  goods::SetBoxColors(box, colors::kWhite);
}

void GdsEditFrm::GdsEnterCmd_Click() {
  saved_ = 1;
  PriceLostFocus(GdsMechTxt);
  PriceLostFocus(GdsMech2Txt);
  try {
    SaveGdsMech();
  } catch (const std::exception &e) {
    // Not saved: the popup stays open and reports 0 when it closes.
    saved_ = 0;
    goods::ShowError(this, e);
    return;
  }
  accept();
}

void GdsEditFrm::GdsExitCmd_Click() { reject(); }

void GdsEditFrm::done(int r) {
  giHelpRet = saved_;
  QDialog::done(r);
}

bool GdsEditFrm::PriceKeyDown(QLineEdit *box, int vk, int shift) {
  if (firstKey_ == 0) {
    if (goods::FirstKeyEmpties(vk)) box->clear();
    firstKey_ = 1;
  }
  switch (vk) {
    case keys::vbKeyEscape:
      GdsExitCmd_Click();
      return true;
    case keys::vbKeyReturn:
    case keys::vbKeyDown:
      if (box == GdsMechTxt)
        GdsMech2Txt->setFocus();
      else
        GdsEnterCmd_Click();
      return true;
    case keys::vbKeyUp:
      if (box == GdsMech2Txt) GdsMechTxt->setFocus();
      return true;
    default:
      break;
  }
  if (vk == keys::vbKeyF1 + 9 && shift == 0 && giSetKey == 1) {
    box->insert(QStringLiteral("-"));
    return true;
  }
  return false;
}

bool GdsEditFrm::eventFilter(QObject *watched, QEvent *event) {
  auto *box = qobject_cast<QLineEdit *>(watched);
  if (box == GdsMechTxt || box == GdsMech2Txt) {
    switch (event->type()) {
      case QEvent::FocusIn:
        firstKey_ = 0;
        goods::SetBoxColors(box, kFocusBack);
        break;
      case QEvent::FocusOut:
        if (isVisible() && !saved_) PriceLostFocus(box);
        break;
      case QEvent::KeyPress: {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (PriceKeyDown(box, keys::ToVirtualKey(ke), keys::ToShift(ke->modifiers()))) return true;
        break;
      }
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

int16_t ShowGdsEditFrm(QWidget *parent) {
  GdsEditFrm form(parent);
  if (!form.Load()) return giHelpRet = 0;
  dialogs::ShowModal(form);
  return giHelpRet;
}
