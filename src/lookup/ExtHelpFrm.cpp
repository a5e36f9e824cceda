#include "lookup/ExtHelpFrm.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

#include "core/globals.h"
#include "core/options.h"
#include "core/text_format.h"
#include "core/values.h"
#include "lookup/help_forms.h"
#include "lookup/help_globals.h"
#include "lookup/lookup_common.h"
#include "platform/keys.h"

using namespace orv;
using namespace orv::lookup;

namespace {
enum Field { kKey, kNo, kName, kJata, kGrub, kBigo };
}

QString ExtKindCaption(int kind) {
  static const std::pair<int, const char *> kinds[] = {
      {101, "상품:부문1"}, {102, "상품:부문2"}, {103, "상품:부문3"}, {104, "상품:위치"},
      {105, "상품:관리"},  {106, "상품:제조"},  {107, "상품:창고"},  {201, "사원:분류1"},
      {202, "사원:분류2"}, {203, "사원:분류3"}, {204, "사원:그룹"},  {208, "사원:고객분류"},
      {209, "사원:주요전화"}, {301, "거래:분류1"}, {302, "거래:분류2"}, {303, "거래:분류3"},
      {304, "거래:그룹"},  {305, "거래:지역"},  {306, "거래:업종"},  {307, "거래:결제"},
      {401, "금융:카드"},  {402, "금융:은행"},  {403, "금융:어음"},  {501, "물류:차량"},
      {502, "물류:운반자"}, {503, "물류:출하자"}, {504, "물류:승인자"}, {601, "영화:구분"},
      {602, "영화:국가"},  {603, "영화:쟝르"},  {604, "영화:포멧"},  {605, "영화:오디오"},
      {606, "영화:위치"},  {607, "영화:위치2"}};
  for (const auto &[k, text] : kinds)
    if (k == kind) return QString::fromUtf8(text);
  return {};
}

PagedQuery BuildExtSql(const db::Dialect &d, int kind, int order, int view, bool threeLevel,
                       const QString &startFilter) {
  PagedQuery q;
  q.columns = "EcdKey, EcdNo, EcdName, EcdJata, EcdGrub, EcdBigo";
  q.from = "ExtCode";
  QStringList where{"EcdIO = ?"};
  q.args << kind;
  if (!startFilter.isEmpty()) {
    where << d.Fold("EcdName") + " LIKE ? ESCAPE '\\'";
    q.args << ContainsPattern(FoldText(startFilter));
  }
  if (threeLevel && view == 1) where << "EcdNo % 10000 = 0";
  if (threeLevel && view == 2) where << "EcdNo % 10000000 = 0";
  q.where = where.join(" AND ");
  if (order == 1)
    q.order = {{d.Fold("EcdName"), true, true}, {"EcdKey", true}};
  else if (order == 2)
    q.order = {{d.Fold("EcdBigo"), true, true}, {"EcdKey", true}};
  else
    q.order = {{"EcdNo", true, true}, {"EcdKey", true}};
  return q;
}

ListCell ExtHelpCell(const ListFields &f, int col, bool threeLevel) {
  ListCell c;
  const QString no = NzStr(f.value(kNo));
  switch (col) {
    case 1:
      // The whole number: a longer one than the column's six places is never cut.
      c.text = threeLevel ? PadLeft0(no, 10) : (no.size() < 6 ? QString(6 - no.size(), ' ') + no : no);
      break;
    case 2: c.text = NzStr(f.value(kName)); break;
    case 3: c.text = NzCur(f.value(kJata)).IsZero() ? "" : "타사"; break;
    case 4: c.text = NzStr(f.value(kGrub)); break;
    case 5: c.text = NzStr(f.value(kBigo)); break;
    case 6: c.text = NzCur(f.value(kKey)).ToPlainText(); break;
    default: break;
  }
  if (no.endsWith("0000000"))
    c.back = 0xC0C0FF;
  else if (no.endsWith("0000"))
    c.back = 0xFFFFC0;
  return c;
}

bool ExtKeptRowMatches(const QString &rowNo, const QString &kept, int newView, int previousView) {
  if (newView == previousView) return false;
  if (newView == 0) return rowNo == kept;
  if (newView == 1) return previousView == 0 ? rowNo.left(6) == kept.left(6) : rowNo == kept;
  return rowNo.left(3) == kept.left(3);
}

ExtHelpFrm::ExtHelpFrm(QWidget *parent)
    : HelpFrame("ExtHelpFrm", QString::fromUtf8("기타 코드 조회"), parent) {
  AddSortOption("ExtHelp1Opt", "번호");
  AddSortOption("ExtHelp2Opt", "이름");
  AddSortOption("ExtHelp3Opt", "비고");
  BmnViewFme = new QFrame(this);
  BmnViewFme->setObjectName("BmnViewFme");
  auto *vl = new QHBoxLayout(BmnViewFme);
  auto *group = new QButtonGroup(this);
  const char *views[][2] = {{"BmnView0Opt", "소"}, {"BmnView1Opt", "중"}, {"BmnView2Opt", "대"}};
  for (int i = 0; i < 3; ++i) {
    auto *o = new QRadioButton(QString::fromUtf8(views[i][1]), BmnViewFme);
    o->setObjectName(views[i][0]);
    o->setFocusPolicy(Qt::NoFocus);
    group->addButton(o);
    vl->addWidget(o);
    ViewOpts << o;
    connect(o, &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) setView(i);
    });
  }
  AddControl(BmnViewFme);
  ExtOnCmd = new QPushButton("<-", this);
  ExtOnCmd->setObjectName("ExtOnCmd");
  ExtOnCmd->setToolTip("F3");
  ExtOffCmd = new QPushButton("->", this);
  ExtOffCmd->setObjectName("ExtOffCmd");
  ExtOffCmd->setToolTip("F4");
  for (QPushButton *b : {ExtOnCmd, ExtOffCmd}) {
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    AddControl(b);
  }
  connect(ExtOnCmd, &QPushButton::clicked, this, &ExtHelpFrm::ViewFiner);
  connect(ExtOffCmd, &QPushButton::clicked, this, &ExtHelpFrm::ViewCoarser);
  SetColumns({"번호", "코드명", "구분", "그룹", "비고", ""}, {11.13, 18.25, 6.12, 6.25, 11.25, 8});

  // Load.
  NoteDesignWidths();
  kind_ = giHelpEcdIO;
  threeLevel_ = kind_ >= 101 && kind_ <= 105;
  BmnViewFme->setVisible(threeLevel_);
  setWindowTitle(windowTitle() + " (" + ExtKindCaption(kind_) + ")");
  int order = GetEnvInt(gsLogID, "ExtHelpOrder");
  if (order < 0 || order > 2) order = 0;
  giHelpMode = int16_t(order);
  vaSpread1->SetColHidden(6, true);
  sortMode_ = order;
  filterText_ = SqlText(QVariant(gsHelpStart), 0);
  int view = GetEnvInt(gsLogID, "ExtHelpBmnView");
  if (view < 0 || view > 2) view = 0;
  loading_ = true;
  ViewOpts[view]->setChecked(true);
  loading_ = false;
  SortOpts[order]->setChecked(true);
  FirstQuery();
  if ((giHelpNo1 || giHelpNo2 || giHelpNo3) && sortMode_ == 0) {
    const Currency target = NzCur(FmtCode334(giHelpNo1, giHelpNo2, giHelpNo3, 0));
    LoadRest();
    for (int r = 1; r <= vaSpread1->MaxRows(); ++r) {
      if (NzCur(vaSpread1->Fields(r).value(kNo)) >= target) {
        vaSpread1->SetActiveCell(1, r);
        break;
      }
    }
  }
  giHelpNo1 = giHelpNo2 = giHelpNo3 = 0;
  loaded_ = true;
  setFixedSize(size());
}

void ExtHelpFrm::setView(int view) {
  previousView_ = view_;
  view_ = view;
  SetEnvironment(gsLogID, "ExtHelpBmnView", view);
  QString kept;
  const int r = vaSpread1->ActiveRow();
  if (vaSpread1->MaxRows() > 0 && r > 0) kept = vaSpread1->CellValue(r, 1);
  if (loading_) return;
  Refresh();
  if (kept.isEmpty()) return;
  LoadRest();
  for (int i = 1; i <= vaSpread1->MaxRows(); ++i) {
    if (ExtKeptRowMatches(vaSpread1->CellValue(i, 1), kept, view_, previousView_)) {
      vaSpread1->SetActiveCell(1, i);
      return;
    }
  }
}

void ExtHelpFrm::ViewCoarser() {
  if (!threeLevel_) return;
  ExtOffCmd->setEnabled(false);
  if (view_ == 0) ViewOpts[1]->setChecked(true);
  else if (view_ == 1) ViewOpts[2]->setChecked(true);
  ExtOffCmd->setEnabled(true);
}

void ExtHelpFrm::ViewFiner() {
  if (!threeLevel_) return;
  ExtOnCmd->setEnabled(false);
  if (view_ == 2) ViewOpts[1]->setChecked(true);
  else if (view_ == 1) ViewOpts[0]->setChecked(true);
  ExtOnCmd->setEnabled(true);
}

PagedQuery ExtHelpFrm::BuildQuery() {
  const QString filter = filterText_;
  filterText_.clear();
  return BuildExtSql(goDbMain.dialect(), kind_, sortMode_, view_, threeLevel_, filter);
}

ListCell ExtHelpFrm::Cell(const ListFields &f, int col) const { return ExtHelpCell(f, col, threeLevel_); }

QVector<ListGrid::SortKey> ExtHelpFrm::SortKeys(int mode) const {
  return {{mode == 1 ? 2 : mode == 2 ? 5 : 1, true}};
}

void ExtHelpFrm::StoreSortMode(int mode) { SetEnvironment(gsLogID, "ExtHelpOrder", mode); }

bool ExtHelpFrm::TakeRow(int row) {
  if (row < 1) {
    gcHelpKey = {};
    SetHelpNo({});
    return false;
  }
  // The row's own number: a long one is returned whole.
  const ListFields &f = vaSpread1->Fields(row);
  gcHelpKey = NzCur(f.value(kKey));
  SetHelpNo(NzCur(f.value(kNo)));
  return true;
}

bool ExtHelpFrm::JumpMatches(int row) const {
  const ListFields &f = vaSpread1->Fields(row);
  switch (sortMode_) {
    case 1: return TextAtOrAfter(NzStr(f.value(kName)), gsDirectGoText);
    case 2: return TextAtOrAfter(NzStr(f.value(kBigo)), gsDirectGoText);
    default: return NzCur(f.value(kNo)) >= (threeLevel_ ? gcDirectGoCode : gcDirectGoNo);
  }
}

QString ExtHelpFrm::SeekHaystack(int row) const {
  return vaSpread1->CellValue(row, 1) + " " + vaSpread1->CellValue(row, 2) + " ";
}

bool ExtHelpFrm::GridKey(int vk, int) {
  if (vk == keys::vbKeyF1 + 2) {
    ViewFiner();
    return true;
  }
  if (vk == keys::vbKeyF1 + 3) {
    ViewCoarser();
    return true;
  }
  return false;
}

std::unique_ptr<QDialog> orv::lookup::MakeExtHelpFrm() { return std::make_unique<ExtHelpFrm>(); }
