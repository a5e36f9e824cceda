#include "chit/records.h"

#include "core/globals.h"
#include "core/options.h"
#include "core/values.h"

PanChitRec gtPanChit;
PanChitRec gtPanChitT;
PanChitRec gtPanChitP;
PanGodsRec gtPanGods;
PanGodsRec gtPanGodsT;
PanGodsRec gtPanGodsP;
PanListRec gtPanList;
PanListRec gtPanListT;
PanCardRec gtPanCard;
PanCardRec gtPanCardT;
DlvChitRec gtDlvChit;
CardLogRec gtCardLog;
GdsCodeRec gtGdsCode;
CstCodeRec gtCstCode;

namespace orv::chit {

namespace {
constexpr FieldOf<PanChitRec> kPanChitRec[] = {
    {"PctYear", &PanChitRec::PctYear},
    {"PctMon", &PanChitRec::PctMon},
    {"PctDay", &PanChitRec::PctDay},
    {"PctDate", &PanChitRec::PctDate},
    {"PctChtNo", &PanChitRec::PctChtNo},
    {"PctPosNo", &PanChitRec::PctPosNo},
    {"PctPsnKey", &PanChitRec::PctPsnKey},
    {"PctTrsKey", &PanChitRec::PctTrsKey},
    {"PctHab", &PanChitRec::PctHab},
    {"PctTax", &PanChitRec::PctTax},
    {"PctGum", &PanChitRec::PctGum},
    {"PctBuga", &PanChitRec::PctBuga},
    {"PctNtx", &PanChitRec::PctNtx},
    {"PctRGum", &PanChitRec::PctRGum},
    {"PctCGum", &PanChitRec::PctCGum},
    {"PctMoney", &PanChitRec::PctMoney},
    {"PctDc", &PanChitRec::PctDc},
    {"PctCard", &PanChitRec::PctCard},
    {"PctOisang", &PanChitRec::PctOisang},
    {"PctCSobi", &PanChitRec::PctCSobi},
    {"PctCDKey", &PanChitRec::PctCDKey},
    {"PctCstKey", &PanChitRec::PctCstKey},
    {"PctCDComNo", &PanChitRec::PctCDComNo},
    {"PctCDComName", &PanChitRec::PctCDComName},
    {"PctGaSel", &PanChitRec::PctGaSel},
    {"PctHalSel", &PanChitRec::PctHalSel},
    {"PctCardNo", &PanChitRec::PctCardNo},
    {"PctCardDate", &PanChitRec::PctCardDate},
    {"PctCDGubun", &PanChitRec::PctCDGubun},
    {"PctGaMyNo", &PanChitRec::PctGaMyNo},
    {"PctCmitNo", &PanChitRec::PctCmitNo},
    {"PctCmitDate", &PanChitRec::PctCmitDate},
    {"PctWrtdate", &PanChitRec::PctWrtdate},
    {"PctWrttime", &PanChitRec::PctWrttime},
    {"PctChk", &PanChitRec::PctChk},
    {"PctJunsong", &PanChitRec::PctJunsong},
    {"PctSss1", &PanChitRec::PctSss1},
    {"PctSss2", &PanChitRec::PctSss2},
    {"PctSss3", &PanChitRec::PctSss3},
    {"PctSss4", &PanChitRec::PctSss4},
    {"PctSss5", &PanChitRec::PctSss5},
};
}  // namespace
template <>
std::span<const FieldOf<PanChitRec>> Fields<PanChitRec>() {
  return kPanChitRec;
}

namespace {
constexpr FieldOf<PanGodsLine> kPanGodsLine[] = {
    {"PcgYear", &PanGodsLine::PcgYear},
    {"PcgMon", &PanGodsLine::PcgMon},
    {"PcgDay", &PanGodsLine::PcgDay},
    {"PcgDate", &PanGodsLine::PcgDate},
    {"PcgChtNo", &PanGodsLine::PcgChtNo},
    {"PcgSeqNo", &PanGodsLine::PcgSeqNo},
    {"PcgGdsKey", &PanGodsLine::PcgGdsKey},
    {"PcgSu", &PanGodsLine::PcgSu},
    {"PcgMoneySu", &PanGodsLine::PcgMoneySu},
    {"PcgCardSu", &PanGodsLine::PcgCardSu},
    {"PcgDanga", &PanGodsLine::PcgDanga},
    {"PcgGum", &PanGodsLine::PcgGum},
    {"PcgMoneyGum", &PanGodsLine::PcgMoneyGum},
    {"PcgCardGum", &PanGodsLine::PcgCardGum},
    {"PcgDc", &PanGodsLine::PcgDc},
    {"PcgTax", &PanGodsLine::PcgTax},
    {"PcgGDanga", &PanGodsLine::PcgGDanga},
    {"PcgGDanga2", &PanGodsLine::PcgGDanga2},
    {"PcgGMech", &PanGodsLine::PcgGMech},
    {"PcgGMech2", &PanGodsLine::PcgGMech2},
    {"PcgChk", &PanGodsLine::PcgChk},
    {"PcgJunsong", &PanGodsLine::PcgJunsong},
    {"PcgSss1", &PanGodsLine::PcgSss1},
    {"PcgSss2", &PanGodsLine::PcgSss2},
    {"PcgSss3", &PanGodsLine::PcgSss3},
    {"PcgSss4", &PanGodsLine::PcgSss4},
    {"PcgSss5", &PanGodsLine::PcgSss5},
};
}  // namespace
template <>
std::span<const FieldOf<PanGodsLine>> Fields<PanGodsLine>() {
  return kPanGodsLine;
}

namespace {
constexpr FieldOf<PanListRec> kPanListRec[] = {
    {"PclYear", &PanListRec::PclYear},
    {"PclMon", &PanListRec::PclMon},
    {"PclDay", &PanListRec::PclDay},
    {"PclDate", &PanListRec::PclDate},
    {"PclChtNo", &PanListRec::PclChtNo},
    {"PclPosNo", &PanListRec::PclPosNo},
    {"PclPsnKey", &PanListRec::PclPsnKey},
    {"PclSel", &PanListRec::PclSel},
    {"PclJaSangPum", &PanListRec::PclJaSangPum},
    {"PclTaSangPum", &PanListRec::PclTaSangPum},
    {"PclGum01", &PanListRec::PclGum01},
    {"PclGum02", &PanListRec::PclGum02},
    {"PclGum03", &PanListRec::PclGum03},
    {"PclGum04", &PanListRec::PclGum04},
    {"PclGum05", &PanListRec::PclGum05},
    {"PclGum06", &PanListRec::PclGum06},
    {"PclGum07", &PanListRec::PclGum07},
    {"PclGum08", &PanListRec::PclGum08},
    {"PclGum09", &PanListRec::PclGum09},
    {"PclGum10", &PanListRec::PclGum10},
    {"PclSss1", &PanListRec::PclSss1},
    {"PclSss2", &PanListRec::PclSss2},
    {"PclSss3", &PanListRec::PclSss3},
    {"PclSss4", &PanListRec::PclSss4},
    {"PclSss5", &PanListRec::PclSss5},
};
}  // namespace
template <>
std::span<const FieldOf<PanListRec>> Fields<PanListRec>() {
  return kPanListRec;
}

namespace {
constexpr FieldOf<PanCardSlot> kPanCardSlot[] = {
    {"PcdYear", &PanCardSlot::PcdYear},
    {"PcdMon", &PanCardSlot::PcdMon},
    {"PcdDay", &PanCardSlot::PcdDay},
    {"PcdDate", &PanCardSlot::PcdDate},
    {"PcdChtNo", &PanCardSlot::PcdChtNo},
    {"PcdPosNo", &PanCardSlot::PcdPosNo},
    {"PcdSeqNo", &PanCardSlot::PcdSeqNo},
    {"PcdCardNo", &PanCardSlot::PcdCardNo},
    {"PcdHalbu", &PanCardSlot::PcdHalbu},
    {"PcdGubun", &PanCardSlot::PcdGubun},
    {"PcdHabGum", &PanCardSlot::PcdHabGum},
    {"PcdCardGum", &PanCardSlot::PcdCardGum},
    {"PcdMoney", &PanCardSlot::PcdMoney},
    {"PcdCmitNo", &PanCardSlot::PcdCmitNo},
    {"PcdCmitDate", &PanCardSlot::PcdCmitDate},
    {"PcdCDComNo", &PanCardSlot::PcdCDComNo},
    {"PcdCDComName", &PanCardSlot::PcdCDComName},
    {"PcdGaMyNo", &PanCardSlot::PcdGaMyNo},
    {"PcdDanNo", &PanCardSlot::PcdDanNo},
    {"PcdWrtDate", &PanCardSlot::PcdWrtDate},
    {"PcdWrtTime", &PanCardSlot::PcdWrtTime},
    {"PcdSss1", &PanCardSlot::PcdSss1},
    {"PcdSss2", &PanCardSlot::PcdSss2},
    {"PcdSss3", &PanCardSlot::PcdSss3},
    {"PcdSss4", &PanCardSlot::PcdSss4},
    {"PcdSss5", &PanCardSlot::PcdSss5},
};
}  // namespace
template <>
std::span<const FieldOf<PanCardSlot>> Fields<PanCardSlot>() {
  return kPanCardSlot;
}

namespace {
constexpr FieldOf<DlvChitRec> kDlvChitRec[] = {
    {"DlvYear", &DlvChitRec::DlvYear},
    {"DlvMon", &DlvChitRec::DlvMon},
    {"DlvDay", &DlvChitRec::DlvDay},
    {"DlvDate", &DlvChitRec::DlvDate},
    {"DlvNo", &DlvChitRec::DlvNo},
    {"DlvChtNo", &DlvChitRec::DlvChtNo},
    {"DlvPosNo", &DlvChitRec::DlvPosNo},
    {"DlvPsnKey", &DlvChitRec::DlvPsnKey},
    {"DlvBdlKey", &DlvChitRec::DlvBdlKey},
    {"DlvCstKey", &DlvChitRec::DlvCstKey},
    {"DlvHab", &DlvChitRec::DlvHab},
    {"DlvMoney", &DlvChitRec::DlvMoney},
    {"DlvCard", &DlvChitRec::DlvCard},
    {"DlvTax", &DlvChitRec::DlvTax},
    {"DlvGum", &DlvChitRec::DlvGum},
    {"DlvBuga", &DlvChitRec::DlvBuga},
    {"DlvNtx", &DlvChitRec::DlvNtx},
    {"DlvZtax", &DlvChitRec::DlvZtax},
    {"DlvName", &DlvChitRec::DlvName},
    {"DlvTele", &DlvChitRec::DlvTele},
    {"DlvPost", &DlvChitRec::DlvPost},
    {"DlvJuso", &DlvChitRec::DlvJuso},
    {"DlvWrtDate", &DlvChitRec::DlvWrtDate},
    {"DlvWrtTime", &DlvChitRec::DlvWrtTime},
    {"DlvJunsong", &DlvChitRec::DlvJunsong},
    {"DlvSss1", &DlvChitRec::DlvSss1},
    {"DlvSss2", &DlvChitRec::DlvSss2},
    {"DlvSss3", &DlvChitRec::DlvSss3},
    {"DlvSss4", &DlvChitRec::DlvSss4},
    {"DlvSss5", &DlvChitRec::DlvSss5},
    {"DlvSss6", &DlvChitRec::DlvSss6},
    {"DlvSss7", &DlvChitRec::DlvSss7},
    {"DlvSss8", &DlvChitRec::DlvSss8},
    {"DlvSss9", &DlvChitRec::DlvSss9},
    {"DlvSss10", &DlvChitRec::DlvSss10},
};
}  // namespace
template <>
std::span<const FieldOf<DlvChitRec>> Fields<DlvChitRec>() {
  return kDlvChitRec;
}

namespace {
constexpr FieldOf<CardLogRec> kCardLogRec[] = {
    {"ClgDate", &CardLogRec::ClgDate},
    {"ClgTime", &CardLogRec::ClgTime},
    {"ClgPosNo", &CardLogRec::ClgPosNo},
    {"ClgPsnKey", &CardLogRec::ClgPsnKey},
    {"ClgChtNo", &CardLogRec::ClgChtNo},
    {"ClgData", &CardLogRec::ClgData},
    {"ClgGbn", &CardLogRec::ClgGbn},
    {"ClgDanID", &CardLogRec::ClgDanID},
    {"ClgVanGbn", &CardLogRec::ClgVanGbn},
    {"ClgSss1", &CardLogRec::ClgSss1},
    {"ClgSss2", &CardLogRec::ClgSss2},
    {"ClgSss3", &CardLogRec::ClgSss3},
    {"ClgSss4", &CardLogRec::ClgSss4},
    {"ClgSss5", &CardLogRec::ClgSss5},
};
}  // namespace
template <>
std::span<const FieldOf<CardLogRec>> Fields<CardLogRec>() {
  return kCardLogRec;
}

namespace {
constexpr FieldOf<GdsCodeRec> kGdsCodeRec[] = {
    {"GcdKey", &GdsCodeRec::GcdKey},
    {"GcdNo", &GdsCodeRec::GcdNo},
    {"GcdName", &GdsCodeRec::GcdName},
    {"GcdKyg", &GdsCodeRec::GcdKyg},
    {"GcdBarcode", &GdsCodeRec::GcdBarcode},
    {"GcdMeip", &GdsCodeRec::GcdMeip},
    {"GcdDanga", &GdsCodeRec::GcdDanga},
    {"GcdMeip2", &GdsCodeRec::GcdMeip2},
    {"GcdDanga2", &GdsCodeRec::GcdDanga2},
    {"GcdMeip3", &GdsCodeRec::GcdMeip3},
    {"GcdDanga3", &GdsCodeRec::GcdDanga3},
    {"GcdTax", &GdsCodeRec::GcdTax},
    {"GcdMech", &GdsCodeRec::GcdMech},
    {"GcdMech2", &GdsCodeRec::GcdMech2},
    {"GcdMech3", &GdsCodeRec::GcdMech3},
    {"GcdSpmech", &GdsCodeRec::GcdSpmech},
    {"GcdSpmech2", &GdsCodeRec::GcdSpmech2},
    {"GcdSpmech3", &GdsCodeRec::GcdSpmech3},
    {"GcdSel1", &GdsCodeRec::GcdSel1},
    {"GcdSel2", &GdsCodeRec::GcdSel2},
    {"GcdSel3", &GdsCodeRec::GcdSel3},
    {"GcdCmsSu", &GdsCodeRec::GcdCmsSu},
    {"GcdMeipKey", &GdsCodeRec::GcdMeipKey},
    {"GcdBmn1Key", &GdsCodeRec::GcdBmn1Key},
    {"GcdBmn2Key", &GdsCodeRec::GcdBmn2Key},
    {"GcdBmn3Key", &GdsCodeRec::GcdBmn3Key},
    {"GcdStdate", &GdsCodeRec::GcdStdate},
    {"GcdEddate", &GdsCodeRec::GcdEddate},
    {"GcdSaleSel", &GdsCodeRec::GcdSaleSel},
    {"GcdStdtsale", &GdsCodeRec::GcdStdtsale},
    {"GcdSttmsale", &GdsCodeRec::GcdSttmsale},
    {"GcdEddtsale", &GdsCodeRec::GcdEddtsale},
    {"GcdEdtmsale", &GdsCodeRec::GcdEdtmsale},
    {"GcdSaleGbn1", &GdsCodeRec::GcdSaleGbn1},
    {"GcdSaleGbn2", &GdsCodeRec::GcdSaleGbn2},
    {"GcdSttmsale1", &GdsCodeRec::GcdSttmsale1},
    {"GcdEdtmsale1", &GdsCodeRec::GcdEdtmsale1},
    {"GcdSaleGbn11", &GdsCodeRec::GcdSaleGbn11},
    {"GcdSaleGbn12", &GdsCodeRec::GcdSaleGbn12},
    {"GcdSttmsale2", &GdsCodeRec::GcdSttmsale2},
    {"GcdEdtmsale2", &GdsCodeRec::GcdEdtmsale2},
    {"GcdSaleGbn21", &GdsCodeRec::GcdSaleGbn21},
    {"GcdSaleGbn22", &GdsCodeRec::GcdSaleGbn22},
    {"GcdSttmsale3", &GdsCodeRec::GcdSttmsale3},
    {"GcdEdtmsale3", &GdsCodeRec::GcdEdtmsale3},
    {"GcdSaleGbn31", &GdsCodeRec::GcdSaleGbn31},
    {"GcdSaleGbn32", &GdsCodeRec::GcdSaleGbn32},
    {"GcdSalega", &GdsCodeRec::GcdSalega},
    {"GcdGongBng", &GdsCodeRec::GcdGongBng},
    {"GcdPSel1", &GdsCodeRec::GcdPSel1},
    {"GcdPSel2", &GdsCodeRec::GcdPSel2},
    {"GcdPSel3", &GdsCodeRec::GcdPSel3},
    {"GcdPSel4", &GdsCodeRec::GcdPSel4},
    {"GcdSss1", &GdsCodeRec::GcdSss1},
    {"GcdSss2", &GdsCodeRec::GcdSss2},
    {"GcdSss3", &GdsCodeRec::GcdSss3},
    {"GcdSss4", &GdsCodeRec::GcdSss4},
    {"GcdSss5", &GdsCodeRec::GcdSss5},
};
}  // namespace
template <>
std::span<const FieldOf<GdsCodeRec>> Fields<GdsCodeRec>() {
  return kGdsCodeRec;
}

namespace {
constexpr FieldOf<CstCodeRec> kCstCodeRec[] = {
    {"CcdKey", &CstCodeRec::CcdKey},
    {"CcdNo", &CstCodeRec::CcdNo},
    {"CcdName", &CstCodeRec::CcdName},
    {"CcdSex", &CstCodeRec::CcdSex},
    {"CcdDegree", &CstCodeRec::CcdDegree},
    {"CcdBarcode", &CstCodeRec::CcdBarcode},
    {"CcdBarcdchk", &CstCodeRec::CcdBarcdchk},
    {"CcdJumin", &CstCodeRec::CcdJumin},
    {"CcdJuminchk", &CstCodeRec::CcdJuminchk},
    {"CcdBirth", &CstCodeRec::CcdBirth},
    {"CcdBirthsel", &CstCodeRec::CcdBirthsel},
    {"CcdPost", &CstCodeRec::CcdPost},
    {"CcdJuso", &CstCodeRec::CcdJuso},
    {"CcdTel", &CstCodeRec::CcdTel},
    {"CcdHp", &CstCodeRec::CcdHp},
    {"CcdEMail", &CstCodeRec::CcdEMail},
    {"CcdSaupno", &CstCodeRec::CcdSaupno},
    {"CcdSaupchk", &CstCodeRec::CcdSaupchk},
    {"CcdUpte", &CstCodeRec::CcdUpte},
    {"CcdJongmok", &CstCodeRec::CcdJongmok},
    {"CcdBank", &CstCodeRec::CcdBank},
    {"CcdBankno", &CstCodeRec::CcdBankno},
    {"CcdBankpsn", &CstCodeRec::CcdBankpsn},
    {"CcdBruKey", &CstCodeRec::CcdBruKey},
    {"CcdBruName", &CstCodeRec::CcdBruName},
    {"CcdLpdate", &CstCodeRec::CcdLpdate},
    {"CcdTcnt", &CstCodeRec::CcdTcnt},
    {"CcdTzerdo", &CstCodeRec::CcdTzerdo},
    {"CcdTjumsu", &CstCodeRec::CcdTjumsu},
    {"CcdCnt", &CstCodeRec::CcdCnt},
    {"CcdZerdo", &CstCodeRec::CcdZerdo},
    {"CcdJumsu", &CstCodeRec::CcdJumsu},
    {"CcdIndate", &CstCodeRec::CcdIndate},
    {"CcdUpdate", &CstCodeRec::CcdUpdate},
    {"CcdTrsKey", &CstCodeRec::CcdTrsKey},
    {"CcdBigo", &CstCodeRec::CcdBigo},
    {"CcdSss1", &CstCodeRec::CcdSss1},
    {"CcdSss2", &CstCodeRec::CcdSss2},
    {"CcdSss3", &CstCodeRec::CcdSss3},
    {"CcdSss4", &CstCodeRec::CcdSss4},
    {"CcdSss5", &CstCodeRec::CcdSss5},
};
}  // namespace
template <>
std::span<const FieldOf<CstCodeRec>> Fields<CstCodeRec>() {
  return kCstCodeRec;
}
namespace {

void checkIndex(int index, int last) {
  if (index < 0 || index > last)
    throw orv::db::DbError(9, QStringLiteral("첨자가 범위를 벗어났습니다: ") + QString::number(index));
}

}  // namespace

void ResetChitRecords() {
  gtPanChit = {};
  gtPanChitT = {};
  gtPanChitP = {};
  gtPanGods = {};
  gtPanGodsT = {};
  gtPanGodsP = {};
  gtPanList = {};
  gtPanListT = {};
  gtPanCard = {};
  gtPanCardT = {};
  gtDlvChit = {};
  gtCardLog = {};
  gtGdsCode = {};
  gtCstCode = {};
}

}  // namespace orv::chit

namespace {
template <class R>
void readAll(const orv::db::Recordset &rs, R &rec) {
  orv::chit::ReadFields<R>(rs, rec, orv::chit::Fields<R>());
}
template <class R>
void clearAll(R &rec) {
  orv::chit::ClearFields<R>(rec, orv::chit::Fields<R>());
}
}  // namespace

void ReadPanChitRecord(const orv::db::Recordset &rs) { readAll(rs, gtPanChit); }
void ReadPanChitTRecord(const orv::db::Recordset &rs) { readAll(rs, gtPanChitT); }
void ReadPanGodsRecord(const orv::db::Recordset &rs, int line) {
  orv::chit::checkIndex(line, kMaxChitLines);
  readAll(rs, gtPanGods[line]);
}
void ReadPanListRecord(const orv::db::Recordset &rs) { readAll(rs, gtPanList); }
void ReadPanCardRecord(const orv::db::Recordset &rs, int slot) {
  orv::chit::checkIndex(slot, kMaxCardSlots);
  readAll(rs, gtPanCard[slot]);
}
void ReadDlvChitRecord(const orv::db::Recordset &rs) { readAll(rs, gtDlvChit); }

void ReadGdsRecord(const orv::db::Recordset &rs) {
  readAll(rs, gtGdsCode);
  if (GetRegInt(QStringLiteral("PosGdsBnsPoint")) != 1) gtGdsCode.GcdSss5 = 0;
}
void ReadCstRecord(const orv::db::Recordset &rs) { readAll(rs, gtCstCode); }

orv::db::Connection *CstConnection(QString *table) {
  if (table) *table = giCstTsMode == 1 ? QStringLiteral("CstCodeTs") : QStringLiteral("CstCode");
  if (giCstTsMode == 1) return &goDbPos;
  if (giCstTsMode == 2) return goDbTs.IsOpen() ? &goDbTs : nullptr;
  return giCstTsMode == 0 ? &goDbMain : nullptr;
}

bool ReadCstRecordByKey(orv::Currency key) {
  QString table;
  orv::db::Connection *conn = CstConnection(&table);
  if (key.IsZero() || !conn) return false;
  orv::db::Statement st = conn->Prepare("Select * From " + table + " Where CcdKey=?");
  st.Bind(0, BindCur(key));
  const orv::db::Recordset rs = st.Query();
  if (rs.RecordCount() == 0) return false;
  ReadCstRecord(rs);
  return true;
}

void ClearPanChitRecord() { clearAll(gtPanChit); }
void ClearPanChitTRecord() { clearAll(gtPanChitT); }
void ClearPanChitPRecord() { clearAll(gtPanChitP); }

namespace {
void clearLines(PanGodsRec &rec) {
  for (int n = 1; n <= kMaxChitLines; ++n) clearAll(rec[n]);
}
void clearSlots(PanCardRec &rec) {
  for (int n = 0; n <= kMaxCardSlots; ++n) clearAll(rec[n]);
}
}  // namespace

void ClearPanGodsRecords() { clearLines(gtPanGods); }
void ClearPanGodsTRecords() { clearLines(gtPanGodsT); }
void ClearPanGodsPRecords() { clearLines(gtPanGodsP); }
void ClearPanListRecord() { clearAll(gtPanList); }
void ClearPanListTRecord() { clearAll(gtPanListT); }
void ClearPanCardRecords() { clearSlots(gtPanCard); }
void ClearPanCardTRecords() { clearSlots(gtPanCardT); }
void ClearDlvChitRecord() { clearAll(gtDlvChit); }
void ClearCardLogRecord() { clearAll(gtCardLog); }
void ClearGdsRecord() { clearAll(gtGdsCode); }
void ClearCstRecord() { clearAll(gtCstCode); }

QString gsCstCodeUptSql() {
  const CstCodeRec &c = gtCstCode;
  // The date goes through the literal helper: a stray quote must not end the text.
  return "Update CstCode Set                    CcdLpdate=" + orv::db::SqlText(c.CcdLpdate) +
         ", CcdTcnt=" + c.CcdTcnt.ToPlainText() + "," +
         "                   CcdTzerdo=" + c.CcdTzerdo.ToPlainText() +
         ", CcdTjumsu=" + c.CcdTjumsu.ToPlainText() + "," +
         "                   CcdCnt=" + c.CcdCnt.ToPlainText() +
         ", CcdZerdo=" + c.CcdZerdo.ToPlainText() + "," +
         "                   CcdJumsu=" + c.CcdJumsu.ToPlainText() +
         " Where CcdKey=" + c.CcdKey.ToPlainText();
}
