// The chit records of the sale on screen: what goes to payment, to the held chits and to
// the delivery chits, filled from the grid and the total labels.
#include <QLabel>
#include <QLineEdit>
#include <limits>
#include <vector>

#include "chit/chit_numbers.h"
#include "chit/etc_chits.h"
#include "chit/field_list.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "chit/screen_chit.h"
#include "core/globals.h"
#include "core/options.h"
#include "core/state.h"
#include "core/text_format.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/grid.h"
#include "sale/frmMain.h"
#include "chit/pos_event.h"
#include "sale/sale_calc.h"
#include "sale/sale_globals.h"

using namespace orv;

QString gsOneMoaGdsCode[151];
QString gsOneMoaGdsName[151];

namespace {

void resetBufferGlobals() {
  for (int i = 0; i <= kSaleLines; ++i) {
    gsOneMoaGdsCode[i].clear();
    gsOneMoaGdsName[i].clear();
  }
}
const bool kResetRegistered = orv::state::RegisterReset(&resetBufferGlobals);

// A builder's step that ran out of range is as much a failure as a database error.
struct BuildError {
  long number;
  QString description;
};

template <class Int>
Int narrow(Currency v, const char *what) {
  const int64_t n = v.RoundToInt();
  if (n < std::numeric_limits<Int>::min() || n > std::numeric_limits<Int>::max())
    throw BuildError{6, QStringLiteral("overflow: ") + QString::fromLatin1(what)};
  return Int(n);
}

Currency add(Currency a, Currency b) {
  const auto r = Currency::Add(a, b);
  if (!r) throw BuildError{6, QStringLiteral("overflow")};
  return *r;
}

QString nowDate() { return clock::Now().toString(QStringLiteral("yyyyMMdd")); }
QString nowTime() { return clock::Now().toString(QStringLiteral("HHmmss")); }

// A ";" inside a cell would split its snapshot piece in two and move every later piece.
QString snapshotPiece(const QString &cell) {
  QString t = NzStr(cell);
  t.replace(QLatin1Char(';'), QLatin1Char(','));
  return t;
}

}  // namespace

// Runs one builder; any error becomes msChitBuildErr and false.
template <class Fn>
static bool RunBuilder(QString &err, const char *name, Fn fn) {
  err.clear();
  try {
    fn();
    return true;
  } catch (const db::DbError &e) {
    err = chit::SaveErrText(QString::fromLatin1(name), e);
  } catch (const BuildError &e) {
    err = chit::SaveErrText(QString::fromLatin1(name), e.number, e.description);
  } catch (const std::exception &e) {
    err = chit::SaveErrText(QString::fromLatin1(name), 0, QString::fromLocal8Bit(e.what()));
  }
  return false;
}

int32_t frmMain::CalcRatePoints(int32_t rate, Currency amount) {
  const int64_t r = rate < 0 ? -int64_t(rate) : int64_t(rate);
  // Abs(rate) / 100 is exact in four decimals.
  const auto product = Currency::Mul(amount, Currency::FromRaw(r * 100));
  if (!product) return 0;
  const auto half = Currency::Add(*product, Currency::FromRaw(Currency::kScale / 2));
  if (!half) return 0;
  int64_t whole = half->raw() / Currency::kScale;
  if (half->raw() % Currency::kScale < 0) --whole;  // Int goes down, also below zero
  if (whole < std::numeric_limits<int32_t>::min() || whole > std::numeric_limits<int32_t>::max())
    return 0;
  return int32_t(whole);
}

bool frmMain::MakePanChitHead() {
  return RunBuilder(msChitBuildErr, "MakePanChitHead", [this] {
    PanChitRec &h = gtPanChit;
    const Currency kong = ValCur(lblKongSum->text());
    const Currency buga = ValCur(lblBugaSum->text());
    h.PctYear = giWrkYear;
    h.PctMon = giWrkMonth;
    h.PctDay = giWrkDay;
    h.PctDate = chit::WorkDateText();
    h.PctChtNo = 0;
    h.PctPosNo = narrow<int16_t>(NzCur(txtPosNo->text()), "PctPosNo");
    h.PctPsnKey = gcLogPsnKey;
    h.PctTrsKey = gcTcdKey;
    h.PctHab = ValCur(lblHabGum->text());
    h.PctTax = add(kong, buga);
    h.PctGum = kong;
    h.PctBuga = buga;
    h.PctNtx = ValCur(lblNtxSum->text());
    h.PctDc = ValCur(lblDCSum->text());
    h.PctRGum = h.PctCGum = h.PctMoney = h.PctCard = h.PctOisang = h.PctCSobi = {};
    h.PctCDKey = 0;
    h.PctCDComNo.clear();
    h.PctCDComName.clear();
    h.PctCardNo.clear();
    h.PctCardDate.clear();
    h.PctCDGubun.clear();
    h.PctGaMyNo.clear();
    h.PctCmitNo.clear();
    h.PctCmitDate.clear();
    h.PctCstKey = gtCstCode.CcdKey;
    h.PctGaSel = narrow<int16_t>(NzCur(glGaSel), "PctGaSel");
    h.PctHalSel = narrow<int16_t>(NzCur(glHalSel), "PctHalSel");
    h.PctWrtdate = nowDate();
    h.PctWrttime = nowTime();
    h.PctChk = 0;
    h.PctJunsong = giOnLine == 1 ? 1 : 0;
    h.PctSss1 = h.PctSss2 = h.PctSss3 = h.PctSss5 = 0;
    h.PctSss4 = {};
  });
}

bool frmMain::MakePanGodsLines() {
  return RunBuilder(msChitBuildErr, "MakePanGodsLines", [this] {
    gcJumsuGum = {};
    gcGdsJumsu = {};
    Grid *g = vaSpread1;
    const QString date = chit::WorkDateText();
    // The goods record leaves its own point value out unless the shop uses it; the lines
    // follow the same option, so the screen and the points agree.
    const bool ownPoints = GetRegInt(QStringLiteral("PosGdsBnsPoint")) == 1;
    db::Statement look = goDbMain.Prepare(QStringLiteral(
        "Select GcdDanga, GcdMech, GcdDanga2, GcdMech2, GcdSss5 From GdsCode Where GcdKey=?"));
    for (int32_t r = 1; r <= kSaleLines; ++r) {
      auto cell = [g, r](int c) { return NzCur(g->CellValue(r, c)); };
      const Currency key = cell(ColGdsKey);
      if (key.IsZero()) continue;
      PanGodsLine &l = gtPanGods[r];
      const Currency q = cell(ColQty), u = cell(ColPrice), a = cell(ColAmt);
      l.PcgYear = giWrkYear;
      l.PcgMon = giWrkMonth;
      l.PcgDay = giWrkDay;
      l.PcgDate = date;
      l.PcgChtNo = 0;
      l.PcgSeqNo = r;
      l.PcgGdsKey = key;
      l.PcgSu = q;
      l.PcgMoneySu = l.PcgCardSu = {};
      l.PcgDanga = u;
      l.PcgGum = a;
      l.PcgMoneyGum = l.PcgCardGum = {};
      const auto list = Currency::Mul(q, u);
      if (!list) throw BuildError{6, QStringLiteral("overflow")};
      const auto dc = Currency::Sub(*list, a);
      if (!dc) throw BuildError{6, QStringLiteral("overflow")};
      l.PcgDc = *dc;
      l.PcgTax = cell(ColTaxFree);
      const bool pointEx = !cell(ColPointEx).IsZero();
      if (pointEx) gcJumsuGum = add(gcJumsuGum, a);

      look.Bind(0, QVariant(qlonglong(key.RoundToInt())));
      const db::Recordset rs = look.Query();
      if (rs.RecordCount() > 0) {
        l.PcgGDanga = NzCur(rs.Field(QStringLiteral("GcdDanga")));
        l.PcgGDanga2 = NzCur(rs.Field(QStringLiteral("GcdDanga2")));
        l.PcgGMech = NzCur(rs.Field(QStringLiteral("GcdMech")));
        l.PcgGMech2 = NzCur(rs.Field(QStringLiteral("GcdMech2")));
        l.PcgSss5 = ownPoints ? narrow<int16_t>(NzCur(rs.Field(QStringLiteral("GcdSss5"))), "GcdSss5")
                              : int16_t(0);
      } else {
        l.PcgGDanga = l.PcgGDanga2 = l.PcgGMech = l.PcgGMech2 = {};
        l.PcgSss5 = 0;
      }
      l.PcgChk = 0;
      l.PcgJunsong = giOnLine == 1 ? 1 : 0;
      l.PcgSss1 = g->CellValue(r, ColKind).trimmed().endsWith(QLatin1Char('O')) ? 1 : 0;
      l.PcgSss2 = 0;
      l.PcgSss3 = l.PcgSss4 = 0;

      const int32_t v = l.PcgSss5;
      if (v != 0) {
        if (v > 0) {
          const auto pts = Currency::Mul(q, Currency::Won(v));
          if (!pts) throw BuildError{6, QStringLiteral("overflow")};
          gcGdsJumsu = add(gcGdsJumsu, *pts);
        } else {
          gcGdsJumsu = add(gcGdsJumsu, Currency::Won(CalcRatePoints(v, a)));
        }
        if (!pointEx) gcJumsuGum = add(gcJumsuGum, a);
      }
      gsOneMoaGdsCode[r] = g->CellValue(r, ColCode);
      gsOneMoaGdsName[r] = g->CellValue(r, ColName);
    }
  });
}

bool frmMain::MakePanListRow() {
  return RunBuilder(msChitBuildErr, "MakePanListRow", [this] {
    PanListRec &l = gtPanList;
    const int16_t posNo = narrow<int16_t>(NzCur(txtPosNo->text()), "PclPosNo");
    l = PanListRec{};
    l.PclYear = giWrkYear;
    l.PclMon = giWrkMonth;
    l.PclDay = giWrkDay;
    l.PclDate = chit::WorkDateText();
    l.PclPosNo = posNo;
    l.PclPsnKey = gcLogPsnKey;
  });
}

// ---------------------------------------------------------------- held and delivery chits

namespace {

struct EtcBuild {
  EtcChitRec &head;
  EtcGodsRec &gods;
  EtcGodsSpeedRec &speed;
  int16_t logKind;
  int32_t (*next)(const QString &date);
};

EtcBuild held() {
  return {gtWatChit, gtWatGods, gtWatGodsSpeed, 4,
          [](const QString &d) { return NextWatChtNo(d, 0); }};
}
EtcBuild delivery() { return {gtBdlChit, gtBdlGods, gtBdlGodsSpeed, 301, &NextBdlChtNo}; }

}  // namespace

static void FillEtcHead(frmMain &m, const EtcBuild &b) {
  const QString date = chit::WorkDateText();
  EtcChitRec &h = b.head;
  // A recalled chit held or delivered again keeps its number.
  const int32_t no = h.ChtNo != 0 ? h.ChtNo : b.next(date);
  const Currency kong = ValCur(m.lblKongSum->text());
  const Currency buga = ValCur(m.lblBugaSum->text());
  h.Year = giWrkYear;
  h.Mon = giWrkMonth;
  h.Day = giWrkDay;
  h.Date = date;
  h.ChtNo = no;
  h.PosNo = narrow<int16_t>(NzCur(m.txtPosNo->text()), "PosNo");
  h.TrsKey = gcTcdKey;
  h.PsnKey = gcLogPsnKey;
  h.Hab = ValCur(m.lblHabGum->text());
  h.Tax = buga;
  h.Gum = kong;
  h.Buga = add(buga, kong);
  h.Ntx = ValCur(m.lblNtxSum->text());
  h.GaSel = NzCur(glGaSel);
  h.HalSel = NzCur(glHalSel);
  h.CstKey = gtCstCode.CcdKey;
  h.WrtDate = nowDate();
  h.WrtTime = nowTime();
  h.Commit = 0;
  h.Sss1 = h.Sss2 = h.Sss3 = h.Sss4 = h.Sss5 = 0;
}

static void FillEtcGods(frmMain &m, const EtcBuild &b) {
  gsPosLogText.clear();
  Grid *g = m.vaSpread1;
  const QString date = chit::WorkDateText();
  EtcGodsRec &l = b.gods;
  for (int32_t r = 1; r <= kSaleLines; ++r) {
    auto cell = [g, r](int c) { return NzCur(g->CellValue(r, c)); };
    l.Year[r] = giWrkYear;
    l.Mon[r] = giWrkMonth;
    l.Day[r] = giWrkDay;
    l.Date[r] = date;
    l.ChtNo[r] = b.head.ChtNo;
    l.SeqNo[r] = int16_t(r);
    l.GdsKey[r] = cell(ColGdsKey);
    l.Su[r] = cell(ColQty);
    l.Danga[r] = cell(ColPrice);
    l.Gum[r] = cell(ColAmt);
    l.Dc[r] = cell(ColDc);
    l.Tax[r] = cell(ColTaxFree);
    l.Commit[r] = 0;
    l.Sss1[r] = l.Sss2[r] = l.Sss3[r] = l.Sss4[r] = l.Sss5[r] = 0;
    if (!l.GdsKey[r].IsZero())
      gsPosLogText += QString::number(r) + "," + l.GdsKey[r].ToPlainText() + "," +
                      l.Su[r].ToPlainText() + "," + l.Danga[r].ToPlainText() + "," +
                      l.Gum[r].ToPlainText() + ";";
  }
  if (!gsPosLogText.isEmpty()) {
    gsPosLogText.chop(1);
    LogPosEvent(1, b.logKind, gsPosLogText, {}, {});
  }
}

static void FillEtcSpeed(frmMain &m, const EtcBuild &b) {
  Grid *g = m.vaSpread1;
  const QString date = chit::WorkDateText();
  const int cols = g->MaxCols();
  EtcGodsSpeedRec &s = b.speed;
  for (int32_t j = 1; j <= kSaleLines; ++j) {
    QString text;
    if (!NzCur(g->CellValue(j, ColGdsKey)).IsZero())
      for (int c = 1; c <= cols; ++c) text += snapshotPiece(g->CellValue(j, c)) + ";";
    s.Year[j] = giWrkYear;
    s.Mon[j] = giWrkMonth;
    s.Day[j] = giWrkDay;
    s.Date[j] = date;
    s.ChtNo[j] = b.head.ChtNo;
    s.SeqNo[j] = int16_t(j);
    s.Text[j] = text;
    s.Commit[j] = 0;
    s.Sss1[j] = s.Sss2[j] = s.Sss3[j] = s.Sss4[j] = s.Sss5[j] = 0;
  }
}

bool frmMain::MakeWatChitHead() {
  return RunBuilder(msChitBuildErr, "MakeWatChitHead", [this] { FillEtcHead(*this, held()); });
}
bool frmMain::MakeWatGodsLines() {
  return RunBuilder(msChitBuildErr, "MakeWatGodsLines", [this] { FillEtcGods(*this, held()); });
}
bool frmMain::MakeWatGodsSpeedLines() {
  return RunBuilder(msChitBuildErr, "MakeWatGodsSpeedLines",
                    [this] { FillEtcSpeed(*this, held()); });
}
bool frmMain::MakeBdlChitHead() {
  return RunBuilder(msChitBuildErr, "MakeBdlChitHead",
                    [this] { FillEtcHead(*this, delivery()); });
}
bool frmMain::MakeBdlGodsLines() {
  return RunBuilder(msChitBuildErr, "MakeBdlGodsLines",
                    [this] { FillEtcGods(*this, delivery()); });
}
bool frmMain::MakeBdlGodsSpeedLines() {
  return RunBuilder(msChitBuildErr, "MakeBdlGodsSpeedLines",
                    [this] { FillEtcSpeed(*this, delivery()); });
}

Currency frmMain::CalcLinkedGdsQty() const {
  std::vector<sale::FreeQtyLine> lines;
  const Grid *g = vaSpread1;
  for (int32_t r = 1; r <= g->MaxRows(); ++r) {
    const Currency key = NzCur(g->CellValue(r, ColGdsKey));
    if (key.IsZero()) continue;
    lines.push_back({key, NzCur(g->CellValue(r, ColQty)), NzCur(g->CellValue(r, ColCmsNo)),
                     int16_t(NzCur(g->CellValue(r, ColCmsGbn)).RoundToInt())});
  }
  return sale::CalcLinkedGdsQty(gtGdsCode, chit::WorkDateText(), lines);
}

// ---------------------------------------------------------------- screen chits

void frmMain::MakePanChitPHead(const QString &date, const QString &number, int16_t year,
                               int16_t month, int16_t day) {
  PanChitRec &h = gtPanChitP;
  h.PctYear = year;
  h.PctMon = month;
  h.PctDay = day;
  h.PctDate = date;
  h.PctChtNo = chit::NarrowWhole<int32_t>(NzCur(number), "PctChtNo");
  h.PctPosNo = chit::NarrowWhole<int16_t>(NzCur(txtPosNo->text()), "PctPosNo");
  h.PctTrsKey = gcTcdKey;
  h.PctPsnKey = gcLogPsnKey;
  h.PctHab = ValCur(lblHabGum->text());
  h.PctTax = ValCur(lblBugaSum->text());
  h.PctGum = ValCur(lblKongSum->text());
  h.PctBuga = CurAdd(h.PctTax, h.PctGum, 1);
  h.PctNtx = ValCur(lblNtxSum->text());
  h.PctCstKey = gtCstCode.CcdKey;
  h.PctWrtdate = nowDate();
  h.PctWrttime = nowTime();
}

void frmMain::MakePanGodsPLines(const QString &date, const QString &number, int16_t year,
                                int16_t month, int16_t day) {
  const int32_t no = chit::NarrowWhole<int32_t>(NzCur(number), "PcgChtNo");
  Grid *g = vaSpread1;
  for (int32_t r = 1; r <= kSaleLines; ++r) {
    auto cell = [g, r](int c) { return NzCur(g->CellValue(r, c)); };
    PanGodsLine &l = gtPanGodsP[r];
    l.PcgYear = year;
    l.PcgMon = month;
    l.PcgDay = day;
    l.PcgDate = date;
    l.PcgChtNo = no;
    l.PcgSeqNo = r;
    l.PcgGdsKey = cell(ColGdsKey);
    l.PcgSu = cell(ColQty);
    l.PcgDanga = cell(ColPrice);
    l.PcgGum = cell(ColAmt);
    l.PcgDc = cell(ColDc);
    l.PcgTax = cell(ColTaxFree);
  }
}

void frmMain::SaveScreenChit(const QString &date, const QString &number) {
  const auto part = [&](int from, int n) {
    return chit::NarrowWhole<int16_t>(NzCur(date.mid(from, n)), "date");
  };
  const int16_t year = part(0, 4), month = part(4, 2), day = part(6, 2);
  ClearPanChitPRecord();
  ClearPanGodsPRecords();
  MakePanChitPHead(date, number, year, month, day);
  MakePanGodsPLines(date, number, year, month, day);
  chit::WriteScreenChit();
}
