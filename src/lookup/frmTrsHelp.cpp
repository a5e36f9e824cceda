#include "lookup/frmTrsHelp.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

#include "chit/sale_state.h"
#include "core/globals.h"
#include "lookup/help_globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/text_format.h"
#include "core/values.h"
#include "lookup/help_forms.h"
#include "lookup/lookup_common.h"
#include "lookup/touch_common.h"
#include "platform/keys.h"
#include "platform/grid.h"
#include "platform/list_grid.h"

using namespace orv;
using namespace orv::lookup;

namespace {
enum Field { kKey, kIO, kNo, kName, kPsn, kUpjong, kSel2, kPcdKey, kPcdName };
const char *kTierTexts[] = {"판#A", "판#B", "판#C", "특#A", "특#B", "특#C", "소#A"};
}  // namespace

PagedQuery SeekTrsHelp(const db::Dialect &d, int order, int kind, const QString &startText,
                       int range) {
  PagedQuery q;
  q.columns = "TcdKey, TcdIO, TcdNo, TcdName, TcdPsn, TcdUpjong, TcdSel2, PcdKey, PcdName";
  q.from = "TrsCode LEFT JOIN PsnCode ON TcdPsnKey = PcdKey";
  QString where = kind == 1 ? "TcdIO = 0" : kind == 2 ? "TcdIO = 1" : "(TcdIO = 0 OR TcdIO = 1)";
  if (!startText.isEmpty()) {
    const QString pat = ContainsPattern(FoldText(startText));
    where += " AND (" + d.Fold("TcdName") + " LIKE ? ESCAPE '\\' OR " + d.Fold("TcdPsn") +
             " LIKE ? ESCAPE '\\')";
    q.args << pat << pat;
  }
  where += NameRangeSql(d, "TcdName", range, q.args);
  q.where = where;
  if (order == 0)
    q.order = {{"TcdNo", true}};
  else if (order == 1)
    q.order = {{d.Fold("TcdName"), true, true}, {"TcdNo", true}};
  else
    q.order = {{d.Fold("TcdPsn"), true, true}, {"TcdNo", true}};
  return q;
}

int TierOfPartnerText(const QString &text) {
  for (int i = 0; i < 6; ++i)
    if (text == QString::fromUtf8(kTierTexts[i])) return i + 1;
  return 0;
}

ListCell TrsTouchCell(const ListFields &f, int col, Currency staffKey) {
  ListCell c;
  if (f.isEmpty()) return c;  // the empty "no partner" row
  const bool purchase = NzCur(f.value(kIO)).IsZero();
  switch (col) {
    case 1: {
      // At least six digits; a longer number is shown whole.
      QString no = NzCur(f.value(kNo)).ToPlainText();
      if (no.size() < 6) no = QString(6 - no.size(), '0') + no;
      c.text = purchase ? no + "~" : no;
      break;
    }
    case 2: c.text = NzStr(f.value(kName)); break;
    case 3: c.text = NzStr(f.value(kPsn)); break;
    case 4: c.text = NzStr(f.value(kUpjong)); break;
    case 5: c.text = NzStr(f.value(kPcdName)); break;
    case 6: c.text = NzCur(f.value(kKey)).ToPlainText(); break;
    case 7: c.text = NzCur(f.value(kPcdKey)).ToPlainText(); break;
    case 9: {
      const int64_t v = NzCur(f.value(kSel2)).raw() / Currency::kScale;
      c.text = v >= 1 && v <= 7 ? QString::fromUtf8(kTierTexts[v - 1]) : QString();
      break;
    }
    default: break;
  }
  if (!staffKey.IsZero() && NzCur(f.value(kPcdKey)) == staffKey) c.fore = 0xFF00FF;
  if (purchase) c.back = 0xC0FFC0;
  return c;
}

frmTrsHelp::frmTrsHelp(QWidget *parent) : LookupDialog(parent) {
  setObjectName("frmTrsHelp");
  setWindowTitle("거래처코드조회");
  auto *lay = new QVBoxLayout(this);
  auto *ranges = new QGridLayout;
  RangeCmds = MakeRangeButtons(this, ranges, [this](int n) {
    ListTrsHelp(TrsHelp1Opt->isChecked() ? 0 : TrsHelp2Opt->isChecked() ? 1 : 2, n);
  });
  lay->addLayout(ranges);
  auto *opts = new QHBoxLayout;
  auto radio = [this, opts](const char *name, const char *caption) {
    auto *o = new QRadioButton(QString::fromUtf8(caption), this);
    o->setObjectName(name);
    o->setFocusPolicy(Qt::NoFocus);
    opts->addWidget(o);
    return o;
  };
  TrsHelp4Opt = radio("TrsHelp4Opt", "전체");
  TrsHelp5Opt = radio("TrsHelp5Opt", "매입");
  TrsHelp6Opt = radio("TrsHelp6Opt", "매출");
  TrsHelp1Opt = radio("TrsHelp1Opt", "번호");
  TrsHelp2Opt = radio("TrsHelp2Opt", "거래처");
  TrsHelp3Opt = radio("TrsHelp3Opt", "성명");
  auto *kindGroup = new QButtonGroup(this);
  auto *orderGroup = new QButtonGroup(this);
  for (QRadioButton *o : {TrsHelp4Opt, TrsHelp5Opt, TrsHelp6Opt}) kindGroup->addButton(o);
  for (QRadioButton *o : {TrsHelp1Opt, TrsHelp2Opt, TrsHelp3Opt}) orderGroup->addButton(o);
  TrsAutoChk = new QCheckBox("거래처가격자동", this);
  TrsAutoChk->setObjectName("TrsAutoChk");
  TrsPrisChk = new QCheckBox("거래처지정#A가", this);
  TrsPrisChk->setObjectName("TrsPrisChk");
  opts->addWidget(TrsAutoChk);
  opts->addWidget(TrsPrisChk);
  lay->addLayout(opts);

  vaSpread1 = new ListGrid(this);
  vaSpread1->setObjectName("vaSpread1");
  vaSpread1->SetMaxCols(10);
  const char *heads[] = {"번호", "거래처명", "성명", "업종", "담당", "TcdKey", "PcdKey", "", "가격", "비고"};
  const double widths[] = {7, 18.5, 7, 7, 7, 8, 8, 8, 6, 8};
  for (int c = 1; c <= 10; ++c) {
    vaSpread1->SetColHeaderText(c, QString::fromUtf8(heads[c - 1]));
    vaSpread1->SetColWidth(c, widths[c - 1]);
  }
  vaSpread1->SetFormatter([this](const ListFields &f, int col) { return TrsTouchCell(f, col, staffKey_); });
  lay->addWidget(vaSpread1, 1);

  auto *tiers = new QHBoxLayout;
  const char *tierNames[] = {"lblA", "lblB", "lblC", "lblSA", "lblSB", "lblSC", "lblJI", "lblD"};
  const char *tierCaps[] = {"판A가->[ F1 ]", "판B가->[ F2 ]", "판C가->[ F3 ]", "특A가->[ F4 ]",
                            "특B가->[ F5 ]", "특C가->[ F6 ]", "지정A->[ F7 ]", "기본->[ F8 ]"};
  for (int i = 0; i < 8; ++i) {
    auto *l = new QLabel(QString::fromUtf8(tierCaps[i]), this);
    l->setObjectName(tierNames[i]);
    l->setAutoFillBackground(true);
    l->installEventFilter(this);
    tiers->addWidget(l);
    TierLbls << l;
  }
  lay->addLayout(tiers);

  auto *bottom = new QHBoxLayout;
  bottom->addWidget(new QLabel(" 찾아보기", this));
  TrsStartTxt = new QLineEdit(this);
  TrsStartTxt->setObjectName("TrsStartTxt");
  bottom->addWidget(TrsStartTxt, 1);
  TrsSeekCmd = new QPushButton("찾기", this);
  TrsSeekCmd->setObjectName("TrsSeekCmd");
  KeyBoarCmd = new QPushButton("KBD", this);
  KeyBoarCmd->setObjectName("KeyBoarCmd");
  TrsInputCmd = new QPushButton("확  인+", this);
  TrsInputCmd->setObjectName("TrsInputCmd");
  TrsCancelCmd = new QPushButton("취  소-", this);
  TrsCancelCmd->setObjectName("TrsCancelCmd");
  for (QPushButton *b : {TrsSeekCmd, KeyBoarCmd, TrsInputCmd, TrsCancelCmd}) {
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    bottom->addWidget(b);
  }
  bottom->addWidget(new QLabel("F12", this));
  bottom->addWidget(new QLabel("Spc", this));
  lay->addLayout(bottom);
  resize(900, 640);

  connect(TrsInputCmd, &QPushButton::clicked, this, &frmTrsHelp::TakeAction);
  connect(TrsCancelCmd, &QPushButton::clicked, this, &frmTrsHelp::CancelAction);
  connect(TrsSeekCmd, &QPushButton::clicked, this, [this] {
    FindNextTrsHelp();
    vaSpread1->setFocus();
  });
  connect(KeyBoarCmd, &QPushButton::clicked, this, [this] {
    ShowKeyPad();
    if (giKeyPadOk == 1) {
      vaSpread1->SetActiveCell(1, 1);
      TrsStartTxt->setText(gsKeyPadText);
      TrsSeekCmd->click();
    } else {
      TrsStartTxt->clear();
      TrsStartTxt->setFocus();
    }
  });
  connect(TrsStartTxt, &QLineEdit::textChanged, this, [this](const QString &t) {
    if (!t.isEmpty() && TrimBlanks(t).isEmpty()) TrsStartTxt->clear();
    if (TrimBlanks(t).isEmpty()) vaSpread1->SetActiveCell(1, 1);
  });
  QRadioButton *orderOpts[] = {TrsHelp1Opt, TrsHelp2Opt, TrsHelp3Opt};
  QRadioButton *kindOpts[] = {TrsHelp4Opt, TrsHelp5Opt, TrsHelp6Opt};
  for (int i = 0; i < 3; ++i) {
    QRadioButton *o = orderOpts[i];
    connect(o, &QRadioButton::toggled, this, [this, i](bool on) {
      if (!on) return;
      order_ = i;
      ListTrsHelp(order_);
    });
    QRadioButton *k = kindOpts[i];
    connect(k, &QRadioButton::toggled, this, [this, i](bool on) {
      if (!on) return;
      kind_ = i;
      if (order_ >= 0 && order_ <= 2) ListTrsHelp(order_);
    });
  }
  connect(vaSpread1, &ListGrid::GotFocus, this, [this] {
    vaSpread1->SetHeaderBold(true);
    ApplyTrsRowTier();
  });
  connect(vaSpread1, &ListGrid::LostFocus, this, [this] { vaSpread1->SetHeaderBold(false); });
  connect(vaSpread1, &ListGrid::Click, this, [this](int, int) { ApplyTrsRowTier(); });
  connect(vaSpread1, &ListGrid::KeyUp, this, [this](int, int) {
    if (isVisible()) ApplyTrsRowTier();
  });
  connect(vaSpread1, &ListGrid::DblClick, this, [this](int, int) { TakeAction(); });
  connect(vaSpread1, &ListGrid::KeyDown, this, [this](int &k, int &) {
    switch (k) {
      case keys::vbKeyReturn: k = 0; TakeAction(); break;
      case keys::vbKeyEscape: k = 0; CancelAction(); break;
      case keys::vbKeySpace:
      case keys::vbKeyF1 + 11: k = 0; TrsStartTxt->setFocus(); break;
      case keys::vbKeyPageDown:
      case keys::vbKeyDown:
      case keys::vbKeyEnd:
        if (reader_ && !reader_->Done()) reader_->LoadAll();
        break;
      default: break;
    }
  });
  installEventFilter(this);
  for (QWidget *w : findChildren<QWidget *>()) w->installEventFilter(this);
  vaSpread1->view()->installEventFilter(this);

  // Opening.
  giTrsHelpPrice = 0;
  vaSpread1->SetRowHeight(20);
  for (int c : {6, 7, 8}) vaSpread1->SetColHidden(c, true);
  fChkSet(0);
  if (GetEnvInt(gsLogID, "TrsHelpPriceAutoSelect_Pos") == 1) TrsAutoChk->setChecked(true);
  if (GetEnvInt(gsLogID, "TrsHelpPricePrisSelect_Pos") == 1) TrsPrisChk->setChecked(true);
  if (TrsPrisChk->isChecked()) ChooseTier(7);
  connect(TrsAutoChk, &QCheckBox::toggled, this, [](bool on) {
    SetEnvironment(gsLogID, "TrsHelpPriceAutoSelect_Pos", on ? 1 : 0);
  });
  connect(TrsPrisChk, &QCheckBox::toggled, this, [](bool on) {
    SetEnvironment(gsLogID, "TrsHelpPricePrisSelect_Pos", on ? 1 : 0);
  });
  giHelpRet = 0;
  order_ = giHelpMode;
  kind_ = giHelpSubMode;
  staffKey_ = gcHelpPsnKey;
  startText_ = SqlText(QVariant(gsHelpStart), 0);
  // The kind option lists in the copied order, consuming the start text ...
  (kind_ == 1 ? TrsHelp5Opt : kind_ == 2 ? TrsHelp6Opt : TrsHelp4Opt)->setChecked(true);
  // ... and the order option lists again.
  if (order_ == 0) order_ = 1;
  const int order = order_;
  order_ = -1;  // so that choosing the option is a change
  (order == 1 ? TrsHelp2Opt : order == 2 ? TrsHelp3Opt : TrsHelp1Opt)->setChecked(true);
}

frmTrsHelp::~frmTrsHelp() { orv::DisconnectChildSignals(*this); }

void frmTrsHelp::ListTrsHelp(int order, int range) {
  if (reader_) reader_->Cancel();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  vaSpread1->Clear();
  vaSpread1->AppendRows({ListFields()});  // row 1: no partner
  const QString start = startText_;
  startText_.clear();
  reader_ = std::make_unique<PagedReader>(
      goDbMain, SeekTrsHelp(goDbMain.dialect(), order, kind_, start, range),
      [this](QVector<ListFields> rows) { vaSpread1->AppendRows(std::move(rows)); }, this);
  connect(reader_.get(), &PagedReader::Failed, this,
          [](long n, const QString &d) { ShowDbError(db::DbError(n, d)); });
  try {
    reader_->Start();
  } catch (const db::DbError &e) {
    QApplication::restoreOverrideCursor();
    ShowDbError(e);
    return;
  }
  QApplication::restoreOverrideCursor();
}

void frmTrsHelp::TakeAction() {
  const int row = vaSpread1->ActiveRow();
  if (row < 1) {
    gcHelpKey = {};
    SetHelpNo({});
    picked_ = false;
    return;
  }
  // The row's own number, never read back from the shown text.
  const ListFields &f = vaSpread1->Fields(row);
  gcHelpKey = NzCur(f.value(kKey));
  SetHelpNo(NzCur(f.value(kNo)));
  picked_ = true;
  giHelpRet = 1;
  accept();
}

void frmTrsHelp::CancelAction() {
  giHelpRet = 0;
  reject();
}

void frmTrsHelp::FindNextTrsHelp() {
  const int col = TrsHelp1Opt->isChecked() ? 1 : TrsHelp2Opt->isChecked() ? 2 : TrsHelp3Opt->isChecked() ? 3 : 0;
  if (col == 0) return;
  if (reader_ && !reader_->Done()) reader_->LoadAll();
  const QString needle = TrimBlanks(TrsStartTxt->text());
  for (int r = vaSpread1->ActiveRow() + 1; r <= vaSpread1->MaxRows(); ++r) {
    if (vaSpread1->CellValue(r, col).contains(needle, Qt::CaseInsensitive)) {
      vaSpread1->SetActiveCell(col, r);
      return;
    }
  }
}

void frmTrsHelp::ApplyTrsRowTier() {
  if (!TrsAutoChk->isChecked()) return;
  const QString text = vaSpread1->CellValue(vaSpread1->ActiveRow(), 9);
  ChooseTier(0);
  if (const int t = TierOfPartnerText(text)) ChooseTier(t);
}

void frmTrsHelp::fChkSet(int tier) {
  if (tier < 0 || tier > 7) return;
  chosenTier_ = tier;
  for (int i = 0; i < 8; ++i) {
    const int t = i == 7 ? 0 : i + 1;
    QLabel *l = TierLbls[i];
    l->setFrameStyle(t == tier ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, t == tier ? QColor(0xDE, 0xC9, 0xDD) : QColor(0xCF, 0xDF, 0xD5));
    l->setPalette(p);
  }
}

void frmTrsHelp::ChooseTier(int tier) {
  fChkSet(tier);
  glGaSel = tier;
}

void frmTrsHelp::onActivated() {
  vaSpread1->SetActiveCell(1, 1);
  vaSpread1->setFocus();
  vaSpread1->SetHeaderBold(true);
  ApplyTrsRowTier();
}

void frmTrsHelp::done(int r) {
  if (!picked_) giHelpRet = 0;
  if (reader_) reader_->Cancel();
  QDialog::done(r);
}

bool frmTrsHelp::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::MouseButtonPress) {
    const int i = int(TierLbls.indexOf(qobject_cast<QLabel *>(watched)));
    if (i >= 0) {
      ChooseTier(i == 7 ? 0 : i + 1);
      return true;
    }
  }
  if (watched == TrsStartTxt && event->type() == QEvent::FocusIn)
    TrsStartTxt->setStyleSheet("background: #FFFF80;");
  if (watched == TrsStartTxt && event->type() == QEvent::FocusOut)
    TrsStartTxt->setStyleSheet("background: #FFFFFF;");
  if (event->type() == QEvent::KeyPress) {
    const int vk = keys::ToVirtualKey(static_cast<QKeyEvent *>(event));
    if (vk >= keys::vbKeyF1 && vk <= keys::vbKeyF1 + 7) {
      ChooseTier(vk == keys::vbKeyF1 + 7 ? 0 : vk - keys::vbKeyF1 + 1);
      return true;
    }
    if (vk == keys::vbKeyEscape) {
      CancelAction();
      return true;
    }
    if (vk == keys::vbKeyAdd) {
      TakeAction();
      return true;
    }
    if (vk == keys::vbKeySubtract) {
      CancelAction();
      return true;
    }
    if (watched == TrsStartTxt && vk == keys::vbKeyReturn) {
      FindNextTrsHelp();
      ApplyTrsRowTier();
      return true;
    }
    if (watched == TrsStartTxt && vk == keys::vbKeyF1 + 11) {
      vaSpread1->setFocus();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
