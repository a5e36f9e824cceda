#include "lookup/TrsHelpFrm.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include "core/globals.h"
#include "lookup/help_globals.h"
#include "core/options.h"
#include "core/text_format.h"
#include "core/values.h"
#include "lookup/help_forms.h"
#include "lookup/lookup_common.h"
#include "chit/name_readers.h"
#include "platform/keys.h"

using namespace orv;
using namespace orv::lookup;

namespace {

enum Field {
  kKey, kIO, kNo, kDegree, kSel2, kName, kPsn, kUpjong, kDepyo, kSaupNo, kTele1, kTele2,
  kMbTele, kPcdKey, kPcdName
};

QString saupFormat(const QString &t) {
  // "@@@-@@-@@@@@": characters fill the places from the left.
  const QString mask = "@@@-@@-@@@@@";
  if (t.isEmpty()) return {};
  QString out;
  int i = 0;
  for (QChar m : mask) {
    if (m == u'@') {
      out += i < t.size() ? t[i] : QChar(u' ');
      ++i;
    } else {
      out += m;
    }
  }
  if (i < t.size()) out += t.mid(i);
  return TrimBlanks(out);
}

}  // namespace

QString TrsPriceText(const QVariant &sel2) {
  const char *texts[] = {"판매#A", "판매#B", "판매#C", "특판#A", "특판#B", "특판#C", "소매#A"};
  const int64_t v = NzCur(sel2).raw() / Currency::kScale;
  return v >= 1 && v <= 7 ? QString::fromUtf8(texts[v - 1]) : QString();
}

PagedQuery BuildTrsSql(const db::Dialect &d, const TrsQueryState &s) {
  PagedQuery q;
  q.columns =
      "TcdKey, TcdIO, TcdNo, TcdDegree, TcdSel2, TcdName, TcdPsn, TcdUpjong, TcdDepyo, "
      "TcdSaupNo, TcdTele1, TcdTele2, TcdMbTele, PcdKey, PcdName";
  QString text = s.filterText;
  bool staff = false;
  if (!text.isEmpty() && text.endsWith(';')) {
    text = TrimBlanks(text.left(text.size() - 1));
    if (!s.markerKey.IsZero()) staff = true;
  }
  if (s.staffOnly && !s.markerKey.IsZero()) staff = true;
  QStringList where;
  if (staff) {
    q.from = "TrsCode JOIN PsnCode ON TcdPsnKey = PcdKey";
    where << "TcdPsnKey = ?";
    q.args << s.markerKey.ToPlainText();
  } else {
    q.from = "TrsCode LEFT JOIN PsnCode ON TcdPsnKey = PcdKey";
  }
  if (s.filterMode == 0) where << "(TcdIO = 0 OR TcdIO = 1)";
  if (s.filterMode == 1) where << "TcdIO = 0";
  if (s.filterMode == 2) where << "TcdIO = 1";
  if (!text.isEmpty()) {
    const QString pat = ContainsPattern(FoldText(text));
    QStringList ors;
    for (const char *col : {"TcdName", "TcdPsn", "TcdDepyo", "TcdSaupNo", "TcdTele1", "TcdTele2",
                            "TcdMbTele"}) {
      ors << d.Fold(col) + " LIKE ? ESCAPE '\\'"
          << d.Fold(QString("replace(%1, ' ', '')").arg(col)) + " LIKE ? ESCAPE '\\'";
      q.args << pat << pat;
    }
    where << "(" + ors.join(" OR ") + ")";
  }
  if (s.normalOnly) where << "(TcdDegree = 0 OR TcdDegree IS NULL)";
  q.where = where.join(" AND ");
  switch (s.sortMode) {
    case 0: q.order = {{"TcdNo", true}}; break;
    case 2: q.order = {{d.Fold("TcdPsn"), true, true}, {"TcdNo", true}}; break;
    default:
      q.order = {{d.Fold("TcdName"), true, true}, {d.Fold("TcdPsn"), true, true}, {"TcdNo", true}};
      break;
  }
  return q;
}

ListCell TrsHelpCell(const ListFields &f, int col, Currency markerKey) {
  ListCell c;
  switch (col) {
    case 1: {
      // The whole number, at least six digits: a longer one is never cut.
      QString no = NzCur(f.value(kNo)).ToPlainText();
      if (no.size() < 6) no = QString(6 - no.size(), '0') + no;
      c.text = no;
      if (NzCur(f.value(kIO)).IsZero()) c.text += "~";
      break;
    }
    case 2: c.text = NzStr(f.value(kName)); break;
    case 3: c.text = NzStr(f.value(kPsn)); break;
    case 4: c.text = NzStr(f.value(kUpjong)); break;
    case 5: c.text = NzStr(f.value(kPcdName)); break;
    case 6: c.text = NzCur(f.value(kPcdKey)).ToPlainText(); break;
    case 7: c.text = NzCur(f.value(kKey)).ToPlainText(); break;
    case 8: c.text = saupFormat(NzStr(f.value(kSaupNo))); break;
    case 9: c.text = TrsPriceText(f.value(kSel2)); break;
    case 10: c.text = NzStr(f.value(kTele1)); break;
    case 11: c.text = NzStr(f.value(kTele2)); break;
    case 12: c.text = NzStr(f.value(kMbTele)); break;
    default: break;
  }
  if (!markerKey.IsZero() && NzCur(f.value(kPcdKey)) == markerKey) c.fore = 0xFF00FF;
  if (NzCur(f.value(kIO)).IsZero()) c.back = 0xC0FFC0;
  const int64_t degree = NzCur(f.value(kDegree)).raw() / Currency::kScale;
  if (degree == 99) c.fore = 0xC0C0FF;
  if (degree == 91) c.fore = 0xFFC0C0;
  if (degree == 92) c.fore = 0xC0C000;
  return c;
}

TrsHelpFrm::TrsHelpFrm(QWidget *parent)
    : HelpFrame("TrsHelpFrm", QString::fromUtf8("거래처 코드 조회"), parent) {
  AddSortOption("TrsHelp1Opt", "번호");
  AddSortOption("TrsHelp2Opt", "거래처");
  AddSortOption("TrsHelp3Opt", "성명");
  const char *filters[][2] = {{"TrsHelp4Opt", "전 체"}, {"TrsHelp5Opt", "매 입"}, {"TrsHelp6Opt", "매 출"}};
  auto *group = new QWidget(this);
  auto *gl = new QHBoxLayout(group);
  gl->setContentsMargins(0, 0, 0, 0);
  for (int i = 0; i < 3; ++i) {
    auto *o = new QRadioButton(QString::fromUtf8(filters[i][1]), group);
    o->setObjectName(filters[i][0]);
    o->setFocusPolicy(Qt::NoFocus);
    gl->addWidget(o);
    FilterOpts << o;
    connect(o, &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) setFilterMode(i);
    });
  }
  AddControl(group);
  TrsIOChk = new QCheckBox("전체조회", this);
  TrsIOChk->setObjectName("TrsIOChk");
  AddControl(TrsIOChk);
  MakeDeltChk("정상");
  MakeConditionButtons();
  PrevSeekCmd = new QPushButton("◀", this);
  PrevSeekCmd->setObjectName("PrevSeekCmd");
  PrevSeekCmd->setToolTip("[-]");
  NextSeekCmd = new QPushButton("▶", this);
  NextSeekCmd->setObjectName("NextSeekCmd");
  NextSeekCmd->setToolTip("[+], Delete");
  CdeInsertCmd = new QPushButton("신규등록", this);
  CdeInsertCmd->setObjectName("CdeInsertCmd");
  CdeInsertCmd->setToolTip("Shift+F3, Insert");
  for (QPushButton *b : {PrevSeekCmd, NextSeekCmd, CdeInsertCmd}) {
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    AddControl(b);
  }
  connect(PrevSeekCmd, &QPushButton::clicked, this, [this] { SeekMarker(-1); });
  connect(NextSeekCmd, &QPushButton::clicked, this, [this] { SeekMarker(1); });
  connect(CdeInsertCmd, &QPushButton::clicked, this, [this] {
    CdeInsertCmd->setEnabled(false);
    CdeInsertCmd->setEnabled(true);
    vaSpread1->setFocus();
  });
  SetColumns({"번호", "거래처명;", "성명", "업종", "담당", "PcdKey", "TcdKey", "사업자번호", "가격",
              "전화번호", "전화번호2", "핸드폰", "비고"},
             {8, 16.5, 9.62, 10.25, 8.5, 8, 8, 13, 7, 15, 15, 15, 8});
  installEventFilter(this);
  for (QWidget *w : findChildren<QWidget *>()) w->installEventFilter(this);

  // Load, steps 2 to 11.
  NoteDesignWidths();
  int order = GetEnvInt(gsLogID, "TrsHelpOrder");
  if (order < 0 || order > 2) order = 0;
  int io = GetEnvInt(gsLogID, "TrsHelpIO");
  if (io < 0 || io > 1) io = 0;
  int delt = GetEnvInt(gsLogID, "TrsHelpDelt");
  if (delt < 0 || delt > 1) delt = 0;
  giHelpMode = int16_t(order == 0 ? 1 : order == 1 ? 0 : 2);
  if (io == 1) {
    TrsIOChk->setChecked(true);
    giHelpSubMode = 0;
  }
  if (giHelpSubMode == 12) {
    staffOnly_ = true;
    giHelpSubMode = 2;
  }
  normalOnly_ = delt == 1;
  vaSpread1->SetColHidden(6, true);
  vaSpread1->SetColHidden(7, true);
  sortMode_ = giHelpMode;
  filterMode_ = giHelpSubMode;
  markerKey_ = gcHelpPsnKey;
  if (gsHelpStart == QString::fromUtf8("*{바로가기}*")) {
    directGoStart_ = true;
    gsHelpStart.clear();
  }
  filterText_ = SqlText(QVariant(gsHelpStart), 0);
  if (sortMode_ >= 0 && sortMode_ < SortOpts.size()) SortOpts[sortMode_]->setChecked(true);
  if (filterMode_ >= 0 && filterMode_ < 3) FilterOpts[filterMode_]->setChecked(true);
  CdeDeltChk->setChecked(normalOnly_);
  connect(CdeDeltChk, &QCheckBox::toggled, this, [this](bool on) {
    normalOnly_ = on;
    SetEnvironment(gsLogID, "TrsHelpDelt", on ? 1 : 0);
    vaSpread1->setFocus();
  });
  connect(TrsIOChk, &QCheckBox::toggled, this, [this](bool on) {
    SetEnvironment(gsLogID, "TrsHelpIO", on ? 1 : 0);
    vaSpread1->setFocus();
  });
  if (!directGoStart_) FirstQuery();
  if (!markerKey_.IsZero()) {
    const Currency no = ReadPsnNoName(markerKey_);
    if (!no.IsZero())
      setWindowTitle(windowTitle() + " ( " + no.ToPlainText() + " : " + gsCdName + " )");
  }
  loaded_ = true;
  setFixedSize(size());
}

void TrsHelpFrm::setFilterMode(int mode) {
  filterMode_ = mode;
  if (loaded_) Refresh();
  vaSpread1->setFocus();
}

PagedQuery TrsHelpFrm::BuildQuery() {
  TrsQueryState s;
  s.sortMode = sortMode_;
  s.filterMode = filterMode_;
  s.normalOnly = normalOnly_;
  s.staffOnly = staffOnly_;
  s.markerKey = markerKey_;
  s.filterText = filterText_;
  filterText_.clear();
  return BuildTrsSql(goDbMain.dialect(), s);
}

ListCell TrsHelpFrm::Cell(const ListFields &f, int col) const {
  return TrsHelpCell(f, col, markerKey_);
}

QVector<ListGrid::SortKey> TrsHelpFrm::SortKeys(int mode) const {
  if (mode == 0) return {{1, true}};
  if (mode == 2) return {{3, true}};
  return {{2, true}, {3, true}};
}

void TrsHelpFrm::StoreSortMode(int mode) {
  SetEnvironment(gsLogID, "TrsHelpOrder", mode == 0 ? 1 : mode == 1 ? 0 : 2);
}

bool TrsHelpFrm::TakeRow(int row) {
  if (row < 1) {
    gcHelpKey = {};
    SetHelpNo({});
    return false;
  }
  // The row's own fields: a long number is returned whole.
  const ListFields &f = vaSpread1->Fields(row);
  gcHelpKey = NzCur(f.value(kKey));
  gsHelpTrsPrice = TrsPriceText(f.value(kSel2));
  SetHelpNo(NzCur(f.value(kNo)));
  return true;
}

bool TrsHelpFrm::JumpMatches(int row) const {
  const ListFields &f = vaSpread1->Fields(row);
  switch (sortMode_) {
    case 0: return NzCur(f.value(kNo)) >= gcDirectGoNo;
    case 2: return TextAtOrAfter(NzStr(f.value(kPsn)), gsDirectGoText);
    default: return TextAtOrAfter(NzStr(f.value(kName)), gsDirectGoText);
  }
}

QString TrsHelpFrm::SeekHaystack(int row) const {
  return vaSpread1->CellValue(row, 1) + " " + vaSpread1->CellValue(row, 2) + " " +
         vaSpread1->CellValue(row, 3) + " ";
}

void TrsHelpFrm::SeekMarker(int direction) {
  const int active = vaSpread1->ActiveRow();
  if (active < 1) return;
  QPushButton *b = direction < 0 ? PrevSeekCmd : NextSeekCmd;
  b->setEnabled(false);
  if (!markerKey_.IsZero()) {
    LoadRest();
    for (int r = active + direction; r >= 1 && r <= vaSpread1->MaxRows(); r += direction) {
      if (NzCur(vaSpread1->Fields(r).value(kPcdKey)) == markerKey_) {
        vaSpread1->SetActiveCell(1, r);
        break;
      }
    }
  }
  b->setEnabled(true);
  vaSpread1->setFocus();
}

bool TrsHelpFrm::GridKey(int vk, int) {
  using namespace keys;
  switch (vk) {
    case vbKeyInsert:
      CdeInsertCmd->click();
      return true;
    case vbKeyDelete:
    case vbKeyAdd:
      SeekMarker(1);
      return true;
    case vbKeySubtract:
      SeekMarker(-1);
      return true;
    case vbKeyF1 + 2: {
      const int next = filterMode_ == 0 ? 1 : filterMode_ == 1 ? 2 : 0;
      FilterOpts[next]->setChecked(true);
      return true;
    }
    default:
      return false;
  }
}

void TrsHelpFrm::AfterFill() {
  if (markerKey_.IsZero()) return;
  for (int r = 1; r <= vaSpread1->MaxRows(); ++r) {
    if (NzCur(vaSpread1->Fields(r).value(kPcdKey)) == markerKey_) {
      vaSpread1->SetActiveCell(1, r);
      return;
    }
  }
}

void TrsHelpFrm::NotConfirmed() {
  if (vaSpread1->MaxRows() == 0) {
    filterText_.clear();
    Refresh();
  }
}

bool TrsHelpFrm::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::KeyPress) {
    auto *ke = static_cast<QKeyEvent *>(event);
    if (keys::ToVirtualKey(ke) == keys::vbKeyF1 + 2 && keys::ToShift(ke->modifiers()) == 1)
      CdeInsertCmd->click();  // the grid's own F3 still follows
  }
  return HelpFrame::eventFilter(watched, event);
}

std::unique_ptr<QDialog> orv::lookup::MakeTrsHelpFrm() { return std::make_unique<TrsHelpFrm>(); }
