#include "chit/read_back.h"

#include <algorithm>

#include "chit/chit_numbers.h"
#include "chit/records.h"
#include "core/card_ret.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/values.h"
#include "platform/dialogs.h"

using orv::Currency;
using orv::db::Recordset;

int16_t giOldChtYear = 0;
int16_t giOldChtMonth = 0;
int16_t &giOldChtMon = giOldChtMonth;
int16_t giOldChtDay = 0;
int32_t glOldChtNo = 0;
int32_t &goOldChtNo = glOldChtNo;
Currency gcOldChtCard;
QString gsOldChtDate;
QString gsReadWrkDate;
int32_t goReadGodsCnt = 0;
Currency gcReadTotSu;

namespace {
std::function<void(Currency, Currency, const QString &)> g_traderSink;

QString OldYyMm() { return gsOldChtDate.mid(2, 4); }
QString OldNo() { return QString::number(glOldChtNo); }

Currency Neg(Currency c) { return Currency::FromRaw(-c.raw()); }
}  // namespace

void SetReadBackTraderSink(std::function<void(Currency, Currency, const QString &)> sink) {
  g_traderSink = std::move(sink);
}

void ReadPanChitHead() {
  ClearPanChitRecord();
  gcOldChtCard = {};
  Recordset rs = goDbMain.OpenRecordset(" Select * From PanChit" + OldYyMm() + " Where " +
                                        orv::chit::DateWhere("Pct", gsOldChtDate) +
                                        " And PctChtNo=" + OldNo());
  if (rs.RecordCount() == 0) return;
  ReadPanChitRecord(rs);
  gtPanChit.PctYear = giWrkYear;
  gtPanChit.PctMon = giWrkMonth;
  gtPanChit.PctDay = giWrkDay;
  gtPanChit.PctDate = gsReadWrkDate;
  gtPanChit.PctChtNo = 0;
  gcOldChtCard = gtPanChit.PctCard;
}

void ReadPanChitList() {
  ClearPanListRecord();
  Recordset rs = goDbMain.OpenRecordset(" Select * From PanList" + OldYyMm() + " Where " +
                                        orv::chit::DateWhere("Pcl", gsOldChtDate) +
                                        " And PclChtNo=" + OldNo() + " Order By PclSel");
  if (rs.RecordCount() == 0) return;
  ReadPanListRecord(rs);
  gtPanList.PclYear = giWrkYear;
  gtPanList.PclMon = giWrkMonth;
  gtPanList.PclDay = giWrkDay;
  gtPanList.PclDate = gsReadWrkDate;
  gtPanList.PclChtNo = 0;
}

void ReadPanChitCard() {
  ClearCardRet();
  gtCardRet.CardNo = gtPanChit.PctCardNo;
  gtCardRet.CardDate = gtPanChit.PctCardDate;
  gtCardRet.Gum = gtPanChit.PctCard;
  // An empty or non-numeric instalment text reads as a single payment.
  gtCardRet.Halbu = int16_t(std::clamp<int64_t>(NzCur(gtPanChit.PctCDGubun).RoundToInt(), 0, 99));
  gtCardRet.CmitNo = gtPanChit.PctCmitNo;
  gtCardRet.CmitDate = gtPanChit.PctCmitDate;
}

void ReadPanChitGods() {
  ClearPanGodsRecords();
  gcReadTotSu = {};
  Recordset rs = goDbMain.OpenRecordset("Select * From PanGods" + OldYyMm() + " Where " +
                                        orv::chit::DateWhere("Pcg", gsOldChtDate) +
                                        " And PcgChtNo=" + OldNo() + " Order By PcgSeqNo");
  const int rows = rs.RecordCount();
  goReadGodsCnt = qMin(rows, kMaxChitLines);
  for (int i = 1; i <= goReadGodsCnt; ++i, rs.MoveNext()) {
    ReadPanGodsRecord(rs, i);
    PanGodsLine &l = gtPanGods[i];
    l.PcgYear = giWrkYear;
    l.PcgMon = giWrkMonth;
    l.PcgDay = giWrkDay;
    l.PcgDate = gsReadWrkDate;
    l.PcgChtNo = 0;
    gcReadTotSu = Currency::Add(gcReadTotSu, l.PcgSu).value_or(gcReadTotSu);
  }
  // More lines than the record holds: the rest would be lost without a word.
  if (rows > kMaxChitLines)
    orv::dialogs::MsgBox(kTooManyLinesText, orv::dialogs::kExclamation);
}

void ReadPanChitTrader() {
  Currency key, no;
  QString name = "0";
  Recordset rs = goDbMain.OpenRecordset(" Select * From TrsCode Where TcdKey=" +
                                        gtPanChit.PctTrsKey.ToPlainText() + " ");
  if (rs.RecordCount() > 0) {
    key = NzCur(rs.Field("TcdKey"));
    no = NzCur(rs.Field("TcdNo"));
    name = NzStr(rs.Field("TcdName"));
  }
  if (g_traderSink) g_traderSink(key, no, name);
}

void ReadPanChitCustomer() {
  ClearCstRecord();
  Recordset rs = goDbMain.OpenRecordset(" Select * From CstCode Where CcdKey=" +
                                        gtPanChit.PctCstKey.ToPlainText() + " ");
  if (rs.RecordCount() > 0) ReadCstRecord(rs);
}

void NegatePanChit() {
  PanChitRec &h = gtPanChit;
  for (Currency *c : {&h.PctHab, &h.PctTax, &h.PctGum, &h.PctBuga, &h.PctNtx, &h.PctRGum,
                      &h.PctCGum, &h.PctMoney, &h.PctDc, &h.PctCard, &h.PctOisang, &h.PctCSobi,
                      &h.PctSss4})
    *c = Neg(*c);
  PanListRec &l = gtPanList;
  for (Currency *c : {&l.PclJaSangPum, &l.PclTaSangPum, &l.PclGum01, &l.PclGum02, &l.PclGum05,
                      &l.PclGum06, &l.PclGum07})
    *c = Neg(*c);
  gtCardRet.Gum = Neg(gtCardRet.Gum);
  for (int i = 1; i <= goReadGodsCnt; ++i) {
    PanGodsLine &g = gtPanGods[i];
    for (Currency *c : {&g.PcgSu, &g.PcgMoneySu, &g.PcgCardSu, &g.PcgGum, &g.PcgMoneyGum,
                        &g.PcgCardGum, &g.PcgDc})
      *c = Neg(*c);
  }
}

void ReadPanChit() {
  gsOldChtDate = FmtYmd(giOldChtYear, giOldChtMonth, giOldChtDay, 0, 0);
  gsReadWrkDate = FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0);
  goReadGodsCnt = 0;
  ReadPanChitHead();
  ReadPanChitList();
  ReadPanChitCard();
  ReadPanChitGods();
  ReadPanChitTrader();
  ReadPanChitCustomer();
  NegatePanChit();
}

void ResetReadBackState() {
  giOldChtYear = giOldChtMonth = giOldChtDay = 0;
  glOldChtNo = 0;
  gcOldChtCard = {};
  gsOldChtDate.clear();
  gsReadWrkDate.clear();
  goReadGodsCnt = 0;
  gcReadTotSu = {};
}
