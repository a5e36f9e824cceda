#include "lookup/CstHelpFrm.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "core/globals.h"
#include "lookup/help_globals.h"
#include "core/options.h"
#include "core/text_format.h"
#include "core/values.h"
#include "lookup/help_forms.h"
#include "lookup/lookup_common.h"
#include "platform/keys.h"

using namespace orv;
using namespace orv::lookup;

namespace {

enum Field { kKey, kNo, kName, kBar, kEmail, kTel, kHp, kJuso, kDegree, kSss1, kSss5 };

// Sort mode to the stored option and back (0 number, 1 name, 2 firm, 3 barcode).
int storedOf(int mode) { return mode == 0 ? 1 : mode == 1 ? 0 : mode; }

}  // namespace

std::pair<int, QString> CstPhoneSearch(const QString &start) {
  int mode = 0;
  QString text;
  if (start.startsWith("*{+")) {
    text = TrimBlanks(start.mid(3));
    if (!text.isEmpty()) mode = 1;
  }
  if (start.startsWith("*{-")) {
    text = TrimBlanks(start.mid(3));
    if (!text.isEmpty()) mode = 2;
  }
  return {mode, mode ? text : QString()};
}

PagedQuery BuildCstSql(const db::Dialect &d, const CstQueryState &s) {
  PagedQuery q;
  q.columns =
      "CcdKey, CcdNo, CcdName, CcdBarcode, CcdEmail, CcdTel, CcdHp, CcdJuso, CcdDegree, CcdSss1, "
      "CcdSss5";
  q.from = "CstCode";
  QStringList where{"CcdKey > 0"};
  if (s.phoneMode == 1 || s.phoneMode == 2) {
    // The columns lose their dashes; so does the typed number, or it never matches.
    const QString digits = DelChar(s.phoneText, QChar(u'-'));
    const QString pat = (s.phoneMode == 1 ? "%" : "%") + LikeEscape(FoldText(digits)) +
                        (s.phoneMode == 1 ? "%" : "");
    where << "(CcdNo = ? OR replace(CcdTel, '-', '') LIKE ? ESCAPE '\\' OR "
             "replace(CcdHp, '-', '') LIKE ? ESCAPE '\\')";
    q.args << QString::number(ValAbsLng(s.phoneText)) << pat << pat;
  } else {
    const QString f = DelSpace(s.filterText);
    if (!f.isEmpty()) {
      const QString pat = ContainsPattern(FoldText(f));
      QStringList ors;
      for (const char *col : {"CcdName", "CcdEmail", "CcdBarcode", "CcdTel", "CcdHp", "CcdJuso",
                              "CcdBigo"}) {
        ors << d.Fold(QString("replace(%1, ' ', '')").arg(col)) + " LIKE ? ESCAPE '\\'";
        q.args << pat;
      }
      where << "(" + ors.join(" OR ") + ")";
    }
  }
  if (s.normalOnly) where << "(CcdSss5 = 0 OR CcdSss5 IS NULL)";
  q.where = where.join(" AND ");
  switch (s.sortMode) {
    case 0: q.order = {{"CcdNo", true}}; break;
    case 2: q.order = {{d.Fold("CcdEmail"), true, true}, {"CcdNo", true}}; break;
    case 3: q.order = {{d.Fold("CcdBarcode"), true, true}, {"CcdNo", true}}; break;
    default: q.order = {{d.Fold("CcdName"), true}, {"CcdNo", true}}; break;
  }
  return q;
}

ListCell CstHelpCell(const ListFields &f, int col) {
  ListCell c;
  switch (col) {
    case 1: c.text = NzCur(f.value(kNo)).ToPlainText(); break;
    case 2: c.text = CurStr(NzCur(f.value(kSss1)), 1); break;
    case 3:
      c.text = NzStr(f.value(kName));
      c.bold = giSupTrsNo != 0 && NzCur(f.value(kSss1)) == *Currency::FromWhole(giSupTrsNo);
      break;
    case 4: c.text = NzStr(f.value(kTel)); break;
    case 5: c.text = NzStr(f.value(kEmail)); break;
    case 6: c.text = NzStr(f.value(kBar)); break;
    case 7: c.text = NzStr(f.value(kHp)); break;
    case 8: {
      const int64_t g = NzCur(f.value(kDegree)).raw() / Currency::kScale;
      c.text = g == 1 ? "우대" : g == 2 ? "특별" : "";
      break;
    }
    case 9: c.text = NzCur(f.value(kKey)).ToPlainText(); break;
    case 10: c.text = NzStr(f.value(kJuso)); break;
    case 12: c.text = DelSpace(NzStr(f.value(kName))); break;
    case 13: c.text = KeepDigits(NzStr(f.value(kTel)), 0); break;
    case 14: c.text = DelSpace(NzStr(f.value(kEmail))); break;
    case 15: c.text = KeepDigits(NzStr(f.value(kHp)), 0); break;
    case 16: c.text = NzStr(f.value(kJuso)); break;
    default: break;
  }
  const int64_t mark = NzCur(f.value(kSss5)).raw() / Currency::kScale;
  if (mark == 1) c.fore = 0xC0C0FF;
  if (mark == 2) c.fore = 0xFFC0C0;
  if (mark == 3) c.fore = 0xFFFFC0;
  return c;
}

CstHelpFrm::CstHelpFrm(QWidget *parent)
    : HelpFrame("CstHelpFrm", QString::fromUtf8("고객 코드 조회"), parent) {
  // Sort modes 0..3 in the order 번호, 이름, 상호, 바코드.
  AddSortOption("CstHelp1Opt", "번호");
  AddSortOption("CstHelp2Opt", "이름");
  AddSortOption("CstHelp4Opt", "상호");
  AddSortOption("CstHelp3Opt", "바코드");
  StartChk = new QCheckBox("시작시 전체 조회", this);
  StartChk->setObjectName("StartChk");
  StartChk->setFocusPolicy(Qt::NoFocus);
  AddControl(StartChk);
  MakeDeltChk("정상");
  MakeConditionButtons();
  DspNameCmd->setToolTip("Space,F3");
  SetColumns({"번호", "S", "고객명", "전화번호", "상호", "바코드", "핸드폰", "등급", "CcdKey", "주소",
              "비고", "고객2", "전화2", "상호2", "핸폰2", "주소2"},
             {7, 3, 12, 14, 15, 14, 14, 5, 9, 50, 9, 9, 9, 9, 9, 9});

  // Load, steps 2 to 13.
  NoteDesignWidths();
  const bool startList = GetEnvInt(gsLogID, "CstHelpStartList") == 1;
  StartChk->setChecked(startList);
  int order = GetEnvInt(gsLogID, "CstHelpOrder");
  if (order < 0 || order > 3) order = 0;
  int delt = GetEnvInt(gsLogID, "CstHelpDelt");
  if (delt < 0 || delt > 1) delt = 0;
  normalOnly_ = delt == 1;
  giHelpMode = int16_t(storedOf(order));
  const auto phone = CstPhoneSearch(gsHelpStart);
  phoneMode_ = phone.first;
  phoneText_ = phone.second;
  sortMode_ = giHelpMode;
  if (gsHelpStart == QString::fromUtf8("*{바로가기}*")) {
    directGoStart_ = true;
    gsHelpStart.clear();
  } else if (gsHelpStart.isEmpty() && !startList) {
    directGoStart_ = true;
  }
  filterText_ = SqlText(QVariant(gsHelpStart), 0);
  for (int c : {9, 12, 13, 14, 15, 16}) vaSpread1->SetColHidden(c, true);
  SortOpts[sortMode_]->setChecked(true);
  CdeDeltChk->setChecked(normalOnly_);
  connect(CdeDeltChk, &QCheckBox::toggled, this, [this](bool on) {
    normalOnly_ = on;
    SetEnvironment(gsLogID, "CstHelpDelt", on ? 1 : 0);
    vaSpread1->setFocus();
  });
  if (!directGoStart_) FirstQuery();
  loaded_ = true;
  setFixedSize(size());
}

PagedQuery CstHelpFrm::BuildQuery() {
  CstQueryState s;
  s.sortMode = sortMode_;
  s.normalOnly = normalOnly_;
  s.phoneMode = phoneMode_;
  s.phoneText = phoneText_;
  s.filterText = filterText_;
  phoneMode_ = 0;
  filterText_.clear();
  return BuildCstSql(goDbMain.dialect(), s);
}

ListCell CstHelpFrm::Cell(const ListFields &f, int col) const { return CstHelpCell(f, col); }

QVector<ListGrid::SortKey> CstHelpFrm::SortKeys(int mode) const {
  const int cols[] = {1, 3, 5, 6};
  return {{cols[qBound(0, mode, 3)], true}};
}

void CstHelpFrm::StoreSortMode(int mode) {
  SetEnvironment(gsLogID, "CstHelpOrder", storedOf(mode));
}

bool CstHelpFrm::TakeRow(int row) {
  if (row < 1) return false;
  const ListFields &f = vaSpread1->Fields(row);
  const Currency no = NzCur(f.value(kNo)), key = NzCur(f.value(kKey));
  if (no.IsZero() || key.IsZero()) return false;
  gsHelpCstBar = NzStr(f.value(kBar));
  gcHelpNo = no;
  gcHelpKey = key;
  return true;
}

bool CstHelpFrm::JumpMatches(int row) const {
  const ListFields &f = vaSpread1->Fields(row);
  switch (sortMode_) {
    case 0: return NzCur(f.value(kNo)) >= gcDirectGoNo;
    case 2: return TextAtOrAfter(NzStr(f.value(kEmail)), gsDirectGoText);
    case 3: return TextAtOrAfter(NzStr(f.value(kBar)), gsDirectGoText);
    default: return TextAtOrAfter(NzStr(f.value(kName)), gsDirectGoText);
  }
}

QString CstHelpFrm::SeekHaystack(int row) const {
  QString h;
  for (int c : {1, 3, 4, 5, 6, 7}) h += vaSpread1->CellValue(row, c) + " ";
  return h;
}

bool CstHelpFrm::GridKey(int vk, int) {
  if (vk == keys::vbKeyF1 + 2) {
    ConditionSearch();
    return true;
  }
  return false;
}

void CstHelpFrm::NotConfirmed() {
  if (giDirectGoRet == 1 && vaSpread1->MaxRows() == 0) {
    filterText_.clear();
    Refresh();
  }
}

void CstHelpFrm::Unloading() {
  SetEnvironment(gsLogID, "CstHelpStartList", StartChk->isChecked() ? 1 : 0);
}

std::unique_ptr<QDialog> orv::lookup::MakeCstHelpFrm() { return std::make_unique<CstHelpFrm>(); }
