#include "lookup/HelpFrame.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

#include "core/byte_text.h"
#include "core/globals.h"
#include "lookup/help_globals.h"
#include "core/values.h"
#include "lookup/DirectGoFrm.h"
#include "lookup/col_size.h"
#include "lookup/lookup_common.h"
#include "platform/dialogs.h"
#include "platform/keys.h"

namespace orv::lookup {

namespace {

QPushButton *button(QWidget *parent, const QString &name, const QString &caption,
                    const QString &tip = {}) {
  auto *b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  b->setFocusPolicy(Qt::NoFocus);
  if (!tip.isEmpty()) b->setToolTip(tip);
  return b;
}

constexpr int kPageRows = 18;

// Keeps the wait cursor for its lifetime.
struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

HelpFrame::HelpFrame(const QString &formName, const QString &caption, QWidget *parent)
    : LookupDialog(parent), formName_(formName) {
  setObjectName(formName);
  setWindowTitle(caption);
  // Load, first step.
  giHelpOpen = 0;
  giHelpRet = 0;
  taken_ = false;

  CdeHelpFme = new QFrame(this);
  CdeHelpFme->setObjectName("CdeHelpFme");
  auto *outer = new QGridLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(CdeHelpFme);
  auto *lay = new QGridLayout(CdeHelpFme);
  optionRow_ = new QHBoxLayout;
  lay->addLayout(optionRow_, 0, 0, 1, 2);

  vaSpread1 = new ListGrid(CdeHelpFme);
  vaSpread1->setObjectName("vaSpread1");
  vaSpread1->SetRowHeight(20);
  vaSpread1->SetFormatter([this](const ListFields &f, int col) { return Cell(f, col); });
  lay->addWidget(vaSpread1, 1, 0);

  auto *side = new QVBoxLayout;
  HomeCmd = button(CdeHelpFme, "HomeCmd", "처음");
  PgupCmd = button(CdeHelpFme, "PgupCmd", "PUp");
  UpCmd = button(CdeHelpFme, "UpCmd", "위로");
  DnCmd = button(CdeHelpFme, "DnCmd", "아래");
  PgdnCmd = button(CdeHelpFme, "PgdnCmd", "PDn");
  EndCmd = button(CdeHelpFme, "EndCmd", "끝에");
  for (QPushButton *b : {HomeCmd, PgupCmd, UpCmd, DnCmd, PgdnCmd, EndCmd}) side->addWidget(b);
  side->addStretch();
  lay->addLayout(side, 1, 1);

  auto *bottom = new QHBoxLayout;
  auto *label = new QLabel(" 찾아보기", CdeHelpFme);
  label->setObjectName("Label1");
  StartTxt = new QLineEdit(CdeHelpFme);
  StartTxt->setObjectName("StartTxt");
  SeekCmd = button(CdeHelpFme, "SeekCmd", "찾기", "Enter,F4(PgDn),F2,F3");
  InitColsRtn = button(CdeHelpFme, "InitColsRtn", "초기");
  EnterCmd = button(CdeHelpFme, "EnterCmd", "선택");
  InputCmd = button(CdeHelpFme, "InputCmd", "확인");
  CancelCmd = button(CdeHelpFme, "CancelCmd", "취소");
  bottom->addWidget(label);
  bottom->addWidget(StartTxt, 1);
  bottom->addWidget(SeekCmd);
  bottom->addWidget(InitColsRtn);
  bottom->addWidget(EnterCmd);
  bottom->addWidget(InputCmd);
  bottom->addWidget(CancelCmd);
  lay->addLayout(bottom, 2, 0, 1, 2);

  connect(HomeCmd, &QPushButton::clicked, this, &HelpFrame::HomeRow);
  connect(EndCmd, &QPushButton::clicked, this, &HelpFrame::EndRow);
  connect(UpCmd, &QPushButton::clicked, this, &HelpFrame::UpRow);
  connect(DnCmd, &QPushButton::clicked, this, &HelpFrame::DnRow);
  connect(PgupCmd, &QPushButton::clicked, this, &HelpFrame::PgUpRows);
  connect(PgdnCmd, &QPushButton::clicked, this, &HelpFrame::PgDnRows);
  connect(SeekCmd, &QPushButton::clicked, this, [this] {
    SeekText();
    vaSpread1->setFocus();
  });
  connect(EnterCmd, &QPushButton::clicked, this, &HelpFrame::TakeAction);
  connect(InputCmd, &QPushButton::clicked, this, &HelpFrame::TakeAction);
  connect(CancelCmd, &QPushButton::clicked, this, &HelpFrame::CancelAction);
  connect(InitColsRtn, &QPushButton::clicked, this, &HelpFrame::ResetColumns);
  connect(vaSpread1, &ListGrid::KeyDown, this, &HelpFrame::gridKeyDown);
  connect(vaSpread1, &ListGrid::KeyPress, this, [this](int &ch) {
    if (ch == '+' || ch == '-') {
      if (GridKey(ch == '+' ? keys::vbKeyAdd : keys::vbKeySubtract, -1)) ch = 0;
    }
  });
  connect(vaSpread1, &ListGrid::DblClick, this, [this](int, int) { TakeAction(); });
  StartTxt->installEventFilter(this);
  resize(900, 600);
}

HelpFrame::~HelpFrame() = default;

void HelpFrame::AddSortOption(const QString &name, const QString &caption) {
  auto *o = new QRadioButton(caption, CdeHelpFme);
  o->setObjectName(name);
  o->setFocusPolicy(Qt::NoFocus);
  const int mode = int(SortOpts.size());
  SortOpts.push_back(o);
  optionRow_->addWidget(o);
  connect(o, &QRadioButton::toggled, this, [this, mode](bool on) {
    if (on) SetSortMode(mode);
  });
}

void HelpFrame::AddControl(QWidget *w) { optionRow_->addWidget(w); }

void HelpFrame::MakeDeltChk(const QString &caption) {
  CdeDeltChk = new QCheckBox(caption, CdeHelpFme);
  CdeDeltChk->setObjectName("CdeDeltChk");
  CdeDeltChk->setFocusPolicy(Qt::NoFocus);
  optionRow_->addWidget(CdeDeltChk);
}

void HelpFrame::MakeConditionButtons() {
  DspNameCmd = button(CdeHelpFme, "DspNameCmd", "조건", "Space");
  DspAllsCmd = button(CdeHelpFme, "DspAllsCmd", "전체", "F4");
  optionRow_->addWidget(DspNameCmd);
  optionRow_->addWidget(DspAllsCmd);
  connect(DspNameCmd, &QPushButton::clicked, this, &HelpFrame::ConditionSearch);
  connect(DspAllsCmd, &QPushButton::clicked, this, &HelpFrame::ShowAll);
}

void HelpFrame::SetColumns(const QStringList &heads, const QVector<double> &widths) {
  vaSpread1->SetMaxCols(int(heads.size()));
  for (int c = 1; c <= heads.size(); ++c) {
    vaSpread1->SetColHeaderText(c, heads[c - 1]);
    vaSpread1->SetColWidth(c, widths.value(c - 1, 9));
  }
}

void HelpFrame::NoteDesignWidths() {
  designWidths_.clear();
  for (int c = 1; c <= vaSpread1->MaxCols(); ++c) designWidths_ << vaSpread1->ColWidth(c);
  LoadColSize(vaSpread1, formName_);
}

void HelpFrame::SetSortMode(int mode) {
  sortMode_ = mode;
  StoreSortMode(mode);
  LoadRest();
  {
    WaitCursor wait;
    vaSpread1->SortRows(SortKeys(mode));
  }
  vaSpread1->setFocus();
}

void HelpFrame::runQuery(bool throwErrors) {
  try {
    reader_ = StartList(vaSpread1, goDbMain, BuildQuery(), std::move(reader_), {}, this);
  } catch (const db::DbError &e) {
    vaSpread1->setFocus();
    if (throwErrors) throw;
    ShowDbError(e);
    return;
  }
  {
    WaitCursor wait;
    vaSpread1->SetReDraw(false);
    AfterFill();
    vaSpread1->SetReDraw(true);
  }
  vaSpread1->setFocus();
}

void HelpFrame::FirstQuery() { runQuery(true); }

bool HelpFrame::Refresh() {
  try {
    runQuery(false);
  } catch (const db::DbError &) {
    return false;
  }
  return true;
}

void HelpFrame::LoadRest() { LoadRestOf(reader_.get()); }

void HelpFrame::HomeRow() {
  if (vaSpread1->MaxRows() >= 1) vaSpread1->SetActiveCell(1, 1);
  vaSpread1->setFocus();
}

void HelpFrame::EndRow() {
  LoadRest();
  if (vaSpread1->MaxRows() >= 1) vaSpread1->SetActiveCell(1, vaSpread1->MaxRows());
  vaSpread1->setFocus();
}

void HelpFrame::UpRow() {
  const int r = vaSpread1->ActiveRow();
  if (vaSpread1->MaxRows() >= 1 && r >= 2) vaSpread1->SetActiveCell(1, r - 1);
  vaSpread1->setFocus();
}

void HelpFrame::DnRow() {
  if (vaSpread1->ActiveRow() >= vaSpread1->MaxRows()) LoadRest();
  const int r = vaSpread1->ActiveRow();
  if (vaSpread1->MaxRows() >= 1 && r < vaSpread1->MaxRows()) vaSpread1->SetActiveCell(1, r + 1);
  vaSpread1->setFocus();
}

void HelpFrame::PgUpRows() {
  for (int i = 0; i < kPageRows; ++i) UpRow();
}

void HelpFrame::PgDnRows() {
  for (int i = 0; i < kPageRows; ++i) DnRow();
}

void HelpFrame::TakeAction() {
  if (TakeRow(vaSpread1->ActiveRow())) {
    giHelpRet = 1;
    taken_ = true;
    accept();
  }
}

void HelpFrame::CancelAction() {
  giHelpRet = 0;
  reject();
}

void HelpFrame::SeekText() {
  const QString needle = TrimBlanks(StartTxt->text());
  LoadRest();
  for (int i = vaSpread1->ActiveRow() + 1; i <= vaSpread1->MaxRows(); ++i) {
    if (SeekHaystack(i).contains(needle)) {
      vaSpread1->SetActiveCell(SeekCol(), i);
      return;
    }
  }
}

void HelpFrame::NotConfirmed() {}


void HelpFrame::ConditionSearch() {
  if (DspNameCmd) DspNameCmd->setEnabled(false);
  if (giHelpOpen == 0) {
    giHelpOpen = 1;
    {
      DirectGoFrm go;
      dialogs::ShowModal(go);
    }
    if (giHelpRet == 1) {
      filterText_ = gsDirectGoText;
      Refresh();
    } else {
      NotConfirmed();
    }
  }
  if (DspNameCmd) DspNameCmd->setEnabled(true);
  vaSpread1->setFocus();
}

void HelpFrame::ShowAll() {
  if (DspAllsCmd) DspAllsCmd->setEnabled(false);
  filterText_.clear();
  Refresh();
  if (DspAllsCmd) DspAllsCmd->setEnabled(true);
  vaSpread1->setFocus();
}

void HelpFrame::JumpAction() {
  if (giHelpOpen != 0) return;
  giHelpOpen = 1;
  {
    DirectGoFrm go;
    dialogs::ShowModal(go);
  }
  if (giHelpRet == 1 && vaSpread1->MaxRows() > 0) {
    LoadRest();
    for (int r = 1; r <= vaSpread1->MaxRows(); ++r) {
      if (JumpMatches(r)) {
        vaSpread1->SetActiveCell(1, r);
        break;
      }
    }
  }
  vaSpread1->setFocus();
}

bool HelpFrame::TextAtOrAfter(const QString &cell, const QString &entered) const {
  const QString cut = LeftByte(TrimBlanks(cell), LenH(entered));
  return FoldCompare(FoldText(cut), FoldText(entered)) >= 0;
}

void HelpFrame::ResetColumns() {
  if (!dialogs::AskYesNo("칼럼 사이즈를 초기화할까요 ?", windowTitle(), dialogs::kQuestion)) return;
  for (int c = 1; c <= vaSpread1->MaxCols(); ++c)
    vaSpread1->SetColWidth(c, designWidths_.value(c - 1, 9));
}

bool HelpFrame::GridKey(int, int) { return false; }

void HelpFrame::gridKeyDown(int &vk, int &shift) {
  using namespace keys;
  const int key = vk;
  if (key == vbKeyEscape) {
    vk = 0;
    CancelAction();
    return;
  }
  switch (key) {
    case vbKeySpace:
      if (!DspNameCmd) break;
      ConditionSearch();
      vk = 0;
      return;
    case vbKeyF1 + 3:
      if (!DspAllsCmd) break;
      ShowAll();
      vk = 0;
      return;
    case vbKeyReturn:
      vk = 0;
      TakeAction();
      return;
    case vbKeyHome:
      vk = 0;
      HomeRow();
      return;
    case vbKeyEnd:
      vk = 0;
      EndRow();
      return;
    case vbKeyF1 + 4:
      vk = 0;
      StartTxt->setFocus();
      return;
    case vbKeyF1 + 1:
      vk = 0;
      if (SortOpts.size() >= 2) {
        if (SortOpts[1]->isChecked())
          SortOpts[0]->setChecked(true);
        else
          SortOpts[1]->setChecked(true);
      }
      return;
    case vbKeyOem2:
    case vbKeyOem3:
      vk = 0;
      JumpAction();
      return;
    case vbKeyPageDown:
    case vbKeyDown:
      if (vaSpread1->ActiveRow() + kPageRows * 2 > vaSpread1->MaxRows()) LoadRest();
      break;
    default:
      break;
  }
  if (GridKey(key, shift)) vk = 0;
}

bool HelpFrame::eventFilter(QObject *watched, QEvent *event) {
  if (watched == StartTxt) {
    if (event->type() == QEvent::FocusIn) StartTxt->setStyleSheet("background: #FFFF80;");
    if (event->type() == QEvent::FocusOut) StartTxt->setStyleSheet("background: #FFFFFF;");
    if (event->type() == QEvent::KeyPress) {
      using namespace keys;
      switch (ToVirtualKey(static_cast<QKeyEvent *>(event))) {
        case vbKeyEscape:
          CancelAction();
          return true;
        case vbKeyReturn:
          SeekText();
          return true;
        case vbKeyF1 + 1:
          UpRow();
          StartTxt->setFocus();
          return true;
        case vbKeyF1 + 2:
          DnRow();
          StartTxt->setFocus();
          return true;
        case vbKeyF1 + 3:
        case vbKeyPageDown:
          TakeAction();
          return true;
        default:
          break;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void HelpFrame::onActivated() {
  if (giHelpOpen == 1) {
    giHelpOpen = 0;
    giHelpRet = 0;
    reject();
    return;
  }
  if (directGoStart_) {
    directGoStart_ = false;
    ConditionSearch();
  }
}

void HelpFrame::done(int r) {
  if (!unloaded_) {
    unloaded_ = true;
    Unloading();
    if (!taken_) giHelpRet = 0;
    SaveColSize(vaSpread1, formName_);
    if (reader_) reader_->Cancel();
  }
  QDialog::done(r);
}

}  // namespace orv::lookup
