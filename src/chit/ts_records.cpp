#include "chit/ts_records.h"

#include <QRegularExpression>

#include "chit/name_readers.h"
#include "core/globals.h"
#include "core/state.h"

using orv::Currency;
using orv::chit::FieldOf;

PanChitTsRec gtPanChitTs;
PanListTsRec gtPanListTs;
CstCodeRec gtCstCodeTs;
PanChitTsRec gtPanChitOn;
PanListTsRec gtPanListOn;

namespace {

using C = PanChitTsRec;
constexpr FieldOf<C> kPanChitTsRec[] = {
    {"PctYear", &C::PctYear},         {"PctMon", &C::PctMon},
    {"PctDay", &C::PctDay},           {"PctDate", &C::PctDate},
    {"PctComNo", &C::PctComNo},       {"PctChtNo", &C::PctChtNo},
    {"PctPosNo", &C::PctPosNo},       {"PctPsnKey", &C::PctPsnKey},
    {"PctTrsKey", &C::PctTrsKey},     {"PctHab", &C::PctHab},
    {"PctTax", &C::PctTax},           {"PctGum", &C::PctGum},
    {"PctBuga", &C::PctBuga},         {"PctNtx", &C::PctNtx},
    {"PctRGum", &C::PctRGum},         {"PctCGum", &C::PctCGum},
    {"PctMoney", &C::PctMoney},       {"PctDc", &C::PctDc},
    {"PctCard", &C::PctCard},         {"PctOisang", &C::PctOisang},
    {"PctCSobi", &C::PctCSobi},       {"PctCDKey", &C::PctCDKey},
    {"PctCstKey", &C::PctCstKey},     {"PctCDComNo", &C::PctCDComNo},
    {"PctCDComName", &C::PctCDComName}, {"PctGaSel", &C::PctGaSel},
    {"PctHalSel", &C::PctHalSel},     {"PctCardNo", &C::PctCardNo},
    {"PctCardDate", &C::PctCardDate}, {"PctCDGubun", &C::PctCDGubun},
    {"PctCmitNo", &C::PctCmitNo},     {"PctCmitDate", &C::PctCmitDate},
    {"PctGaMyNo", &C::PctGaMyNo},     {"PctWrtDate", &C::PctWrtDate},
    {"PctWrtTime", &C::PctWrtTime},   {"PctChk", &C::PctChk},
    {"PctJunsong", &C::PctJunsong},   {"PctPsnNo", &C::PctPsnNo},
    {"PctPsnName", &C::PctPsnName},   {"PctTrsNo", &C::PctTrsNo},
    {"PctTrsName", &C::PctTrsName},   {"PctSss1", &C::PctSss1},
    {"PctSss2", &C::PctSss2},         {"PctSss3", &C::PctSss3},
    {"PctSss4", &C::PctSss4},         {"PctSss5", &C::PctSss5},
};
static_assert(std::size(kPanChitTsRec) == 46);

using L = PanListTsRec;
constexpr FieldOf<L> kPanListTsRec[] = {
    {"PclYear", &L::PclYear},           {"PclMon", &L::PclMon},
    {"PclDay", &L::PclDay},             {"PclDate", &L::PclDate},
    {"PclComNo", &L::PclComNo},         {"PclChtNo", &L::PclChtNo},
    {"PclPosNo", &L::PclPosNo},         {"PclPsnKey", &L::PclPsnKey},
    {"PclSel", &L::PclSel},             {"PclJaSangPum", &L::PclJaSangPum},
    {"PclTaSangPum", &L::PclTaSangPum}, {"PclGum01", &L::PclGum01},
    {"PclGum02", &L::PclGum02},         {"PclGum03", &L::PclGum03},
    {"PclGum04", &L::PclGum04},         {"PclGum05", &L::PclGum05},
    {"PclGum06", &L::PclGum06},         {"PclGum07", &L::PclGum07},
    {"PclGum08", &L::PclGum08},         {"PclGum09", &L::PclGum09},
    {"PclGum10", &L::PclGum10},         {"PclSss1", &L::PclSss1},
    {"PclSss2", &L::PclSss2},           {"PclSss3", &L::PclSss3},
    {"PclSss4", &L::PclSss4},           {"PclSss5", &L::PclSss5},
};
static_assert(std::size(kPanListTsRec) == 26);

// Table names here come from the program, never from typed text; the check keeps it so.
const QString &checkedTable(const QString &table) {
  static const QRegularExpression re(QStringLiteral("^[A-Za-z]+[0-9]{0,4}$"));
  if (!re.match(table).hasMatch())
    throw orv::db::DbError(orv::db::kErrGeneric, QStringLiteral("테이블 이름이 잘못되었습니다: ") + table);
  return table;
}

// Kept prepared: a member chit writes these on every sale, on the point server too.
template <class R>
void insertRow(orv::db::Connection &conn, const QString &table, const R &rec) {
  const auto fields = orv::chit::Fields<R>();
  QVariantList values;
  values.reserve(qsizetype(fields.size()));
  for (const auto &f : fields) values << orv::chit::FieldValue(rec, f);
  conn.ExecuteKept(" Insert into " + checkedTable(table) + " ( " +
                       orv::chit::ColumnList<R>(fields) + " ) Values ( " +
                       orv::chit::Placeholders<R>(fields) + " ) ",
                   values);
}

void deleteRow(orv::db::Connection &conn, const QString &table, const char *prefix,
               const QVariantList &key) {
  const QString p = QString::fromLatin1(prefix);
  conn.ExecuteKept(" Delete From " + checkedTable(table) + " Where " + p + "Year=? And " + p +
                       "Mon=? And " + p + "Day=? And " + p + "ComNo=? And " + p + "ChtNo=? ",
                   key);
}

QVariantList chitKey(const PanChitTsRec &r) {
  return {r.PctYear, r.PctMon, r.PctDay, r.PctComNo, r.PctChtNo};
}

int32_t roundToLong(Currency v, const char *field) {
  return orv::chit::NarrowWhole<int32_t>(v, field);
}

}  // namespace

namespace orv::chit {

template <>
std::span<const FieldOf<PanChitTsRec>> Fields<PanChitTsRec>() {
  return kPanChitTsRec;
}
template <>
std::span<const FieldOf<PanListTsRec>> Fields<PanListTsRec>() {
  return kPanListTsRec;
}

void WritePanChitTsRow(db::Connection &conn, const QString &table, const PanChitTsRec &rec,
                       bool replace) {
  if (replace) deleteRow(conn, table, "Pct", chitKey(rec));
  insertRow(conn, table, rec);
}

void WritePanListTsRow(db::Connection &conn, const QString &table, const PanListTsRec &rec,
                       bool replace) {
  if (replace)
    deleteRow(conn, table, "Pcl", {rec.PclYear, rec.PclMon, rec.PclDay, rec.PclComNo, rec.PclChtNo});
  insertRow(conn, table, rec);
}

void DeletePanChitTsRows(db::Connection &conn, const QString &chitTable, const QString &listTable,
                         const PanChitTsRec &rec) {
  deleteRow(conn, chitTable, "Pct", chitKey(rec));
  deleteRow(conn, listTable, "Pcl", chitKey(rec));
}

void ResetTsRecords() {
  gtPanChitTs = {};
  gtPanListTs = {};
  gtCstCodeTs = {};
  gtPanChitOn = {};
  gtPanListOn = {};
}

}  // namespace orv::chit

static const bool kResetRegistered = orv::state::RegisterReset(&orv::chit::ResetTsRecords);

void gtMovePanChitTs() {
  const PanChitRec &h = gtPanChit;
  PanChitTsRec t;
  t.PctYear = h.PctYear;
  t.PctMon = h.PctMon;
  t.PctDay = h.PctDay;
  t.PctDate = h.PctDate;
  t.PctComNo = giSupTrsNo;
  t.PctChtNo = h.PctChtNo;
  t.PctPosNo = h.PctPosNo;
  t.PctPsnKey = h.PctPsnKey;
  t.PctTrsKey = h.PctTrsKey;
  t.PctHab = h.PctHab;
  t.PctTax = h.PctTax;
  t.PctGum = h.PctGum;
  t.PctBuga = h.PctBuga;
  t.PctNtx = h.PctNtx;
  t.PctRGum = h.PctRGum;
  t.PctCGum = h.PctCGum;
  t.PctMoney = h.PctMoney;
  t.PctDc = h.PctDc;
  t.PctCard = h.PctCard;
  t.PctOisang = h.PctOisang;
  t.PctCSobi = h.PctCSobi;
  t.PctCDKey = h.PctCDKey;
  t.PctCstKey = h.PctCstKey;
  t.PctCDComNo = h.PctCDComNo;
  t.PctCDComName = h.PctCDComName;
  t.PctGaSel = h.PctGaSel;
  t.PctHalSel = h.PctHalSel;
  t.PctCardNo = h.PctCardNo;
  t.PctCardDate = h.PctCardDate;
  t.PctCDGubun = h.PctCDGubun;
  t.PctCmitNo = h.PctCmitNo;
  t.PctCmitDate = h.PctCmitDate;
  t.PctGaMyNo = h.PctGaMyNo;
  t.PctWrtDate = h.PctWrtdate;
  t.PctWrtTime = h.PctWrttime;
  t.PctChk = h.PctChk;
  t.PctJunsong = h.PctJunsong;
  t.PctSss1 = h.PctSss1;
  t.PctSss2 = h.PctSss2;
  t.PctSss3 = h.PctSss3;
  t.PctSss4 = roundToLong(h.PctSss4, "PctSss4");
  t.PctSss5 = h.PctSss5;
  t.PctPsnNo = ReadPsnNoName(h.PctPsnKey);
  if (!t.PctPsnNo.IsZero()) t.PctPsnName = gsCdName;
  t.PctTrsNo = ReadTrsNoName(h.PctTrsKey);
  if (!t.PctTrsNo.IsZero()) t.PctTrsName = gsCdName;
  gtPanChitTs = t;
}

void gtMovePanListTs() {
  const PanListRec &l = gtPanList;
  PanListTsRec t;
  t.PclYear = l.PclYear;
  t.PclMon = l.PclMon;
  t.PclDay = l.PclDay;
  t.PclDate = l.PclDate;
  t.PclComNo = giSupTrsNo;
  t.PclChtNo = l.PclChtNo;
  t.PclPosNo = l.PclPosNo;
  t.PclPsnKey = l.PclPsnKey;
  t.PclSel = l.PclSel;
  t.PclJaSangPum = l.PclJaSangPum;
  t.PclTaSangPum = l.PclTaSangPum;
  t.PclGum01 = l.PclGum01;
  t.PclGum02 = l.PclGum02;
  t.PclGum03 = l.PclGum03;
  t.PclGum04 = l.PclGum04;
  t.PclGum05 = l.PclGum05;
  t.PclGum06 = l.PclGum06;
  t.PclGum07 = l.PclGum07;
  t.PclGum08 = l.PclGum08;
  t.PclGum09 = l.PclGum09;
  t.PclGum10 = l.PclGum10;
  t.PclSss1 = l.PclSss1;
  t.PclSss2 = l.PclSss2;
  t.PclSss3 = l.PclSss3;
  t.PclSss4 = l.PclSss4;
  t.PclSss5 = l.PclSss5;
  gtPanListTs = t;
}

void gtMoveCstCodeTs() {
  const CstCodeRec &c = gtCstCode;
  CstCodeRec t;
  t.CcdKey = c.CcdKey;
  t.CcdLpdate = c.CcdLpdate;
  t.CcdTcnt = c.CcdTcnt;
  t.CcdTzerdo = c.CcdTzerdo;
  t.CcdTjumsu = c.CcdTjumsu;
  t.CcdCnt = c.CcdCnt;
  t.CcdZerdo = c.CcdZerdo;
  t.CcdJumsu = c.CcdJumsu;
  gtCstCodeTs = t;
}

void ClearPanChitOnRecord() { orv::chit::ClearFields<PanChitTsRec>(gtPanChitOn, kPanChitTsRec); }
void ClearPanListOnRecord() { orv::chit::ClearFields<PanListTsRec>(gtPanListOn, kPanListTsRec); }

void ReadPanChitTsRecord(const orv::db::Recordset &rs, PanChitTsRec &rec) {
  orv::chit::ReadFields<PanChitTsRec>(rs, rec, kPanChitTsRec);
}
void ReadPanListTsRecord(const orv::db::Recordset &rs, PanListTsRec &rec) {
  orv::chit::ReadFields<PanListTsRec>(rs, rec, kPanListTsRec);
}
void ReadPanChitOnRecord(const orv::db::Recordset &rs) { ReadPanChitTsRecord(rs, gtPanChitOn); }
void ReadPanListOnRecord(const orv::db::Recordset &rs) { ReadPanListTsRecord(rs, gtPanListOn); }
