#pragma once
// The sale chit records (header, goods lines, settlement row, card slots, delivery row),
// the card-log record, and the goods and customer records, with their readers and clears.
//
// Every record type has one field list (column name and member, the member's type giving
// the width, see field_list.h). Readers, clears and the statement builders of the chit
// store all walk that list, so a column is never read from one name and written under another.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <cstdint>
#include <span>
#include <variant>

#include "chit/field_list.h"
#include "core/currency.h"
#include "platform/db.h"

// ---- Chit header: one row of PanChit ------------------------------------------------------
struct PanChitRec {
  int16_t PctYear = 0;
  int16_t PctMon = 0;
  int16_t PctDay = 0;
  QString PctDate;
  int32_t PctChtNo = 0;
  int16_t PctPosNo = 0;
  orv::Currency PctPsnKey;
  orv::Currency PctTrsKey;
  orv::Currency PctHab;
  orv::Currency PctTax;
  orv::Currency PctGum;
  orv::Currency PctBuga;
  orv::Currency PctNtx;
  orv::Currency PctRGum;
  orv::Currency PctCGum;
  orv::Currency PctMoney;
  orv::Currency PctDc;
  orv::Currency PctCard;
  orv::Currency PctOisang;
  orv::Currency PctCSobi;
  int16_t PctCDKey = 0;
  orv::Currency PctCstKey;
  QString PctCDComNo;
  QString PctCDComName;
  int16_t PctGaSel = 0;
  int16_t PctHalSel = 0;
  QString PctCardNo;
  QString PctCardDate;
  QString PctCDGubun;
  QString PctGaMyNo;
  QString PctCmitNo;
  QString PctCmitDate;
  QString PctWrtdate;
  QString PctWrttime;
  int32_t PctChk = 0;
  int16_t PctJunsong = 0;
  int16_t PctSss1 = 0;
  int16_t PctSss2 = 0;  // 9: a receivable-collection chit
  int16_t PctSss3 = 0;
  orv::Currency PctSss4;  // money here although the column is a whole number
  int16_t PctSss5 = 0;
};

// ---- Goods lines: rows of PanGods; line n of the sale is element n (1 to 150) -------------
struct PanGodsLine {
  int16_t PcgYear = 0;
  int16_t PcgMon = 0;
  int16_t PcgDay = 0;
  QString PcgDate;
  int32_t PcgChtNo = 0;
  int32_t PcgSeqNo = 0;
  orv::Currency PcgGdsKey;  // 0: an empty line, never saved
  orv::Currency PcgSu;
  orv::Currency PcgMoneySu;
  orv::Currency PcgCardSu;
  orv::Currency PcgDanga;
  orv::Currency PcgGum;
  orv::Currency PcgMoneyGum;
  orv::Currency PcgCardGum;
  orv::Currency PcgDc;
  orv::Currency PcgTax;
  orv::Currency PcgGDanga;
  orv::Currency PcgGDanga2;
  orv::Currency PcgGMech;
  orv::Currency PcgGMech2;
  int16_t PcgChk = 0;
  int16_t PcgJunsong = 0;
  int16_t PcgSss1 = 0;  // 1 for a OneMoa goods line
  int16_t PcgSss2 = 0;
  int32_t PcgSss3 = 0;
  int32_t PcgSss4 = 0;
  int16_t PcgSss5 = 0;
};

constexpr int kMaxChitLines = 150;

struct PanGodsRec {
  std::array<PanGodsLine, kMaxChitLines + 1> line;  // element 0 is never saved or cleared
  PanGodsLine &operator[](int n) { return line[std::size_t(n)]; }
  const PanGodsLine &operator[](int n) const { return line[std::size_t(n)]; }
};

// ---- Settlement row: one row of PanList ---------------------------------------------------
struct PanListRec {
  int16_t PclYear = 0;
  int16_t PclMon = 0;
  int16_t PclDay = 0;
  QString PclDate;
  int32_t PclChtNo = 0;
  int16_t PclPosNo = 0;
  orv::Currency PclPsnKey;
  int16_t PclSel = 0;
  orv::Currency PclJaSangPum;
  orv::Currency PclTaSangPum;
  orv::Currency PclGum01;
  orv::Currency PclGum02;
  orv::Currency PclGum03;
  orv::Currency PclGum04;
  orv::Currency PclGum05;
  orv::Currency PclGum06;
  orv::Currency PclGum07;
  orv::Currency PclGum08;
  orv::Currency PclGum09;
  orv::Currency PclGum10;
  int32_t PclSss1 = 0;
  int16_t PclSss2 = 0;
  int32_t PclSss3 = 0;
  int32_t PclSss4 = 0;
  int16_t PclSss5 = 0;
};

// ---- Card slots: rows of PanCard; slots 0 to 5 (the saver writes 0 to 4) ------------------
struct PanCardSlot {
  int16_t PcdYear = 0;
  int16_t PcdMon = 0;
  int16_t PcdDay = 0;
  QString PcdDate;
  int32_t PcdChtNo = 0;
  int16_t PcdPosNo = 0;
  int16_t PcdSeqNo = 0;
  QString PcdCardNo;
  QString PcdHalbu;
  QString PcdGubun;
  orv::Currency PcdHabGum;
  orv::Currency PcdCardGum;
  orv::Currency PcdMoney;
  QString PcdCmitNo;
  QString PcdCmitDate;
  QString PcdCDComNo;
  QString PcdCDComName;
  QString PcdGaMyNo;
  QString PcdDanNo;
  QString PcdWrtDate;
  QString PcdWrtTime;
  int16_t PcdSss1 = 0;
  int16_t PcdSss2 = 0;
  int16_t PcdSss3 = 0;
  int16_t PcdSss4 = 0;
  int16_t PcdSss5 = 0;

  // A slot is in use when it carries a card or a cash amount.
  bool InUse() const { return !PcdCardGum.IsZero() || !PcdMoney.IsZero(); }
};

constexpr int kMaxCardSlots = 5;

struct PanCardRec {
  std::array<PanCardSlot, kMaxCardSlots + 1> slot;
  PanCardSlot &operator[](int n) { return slot[std::size_t(n)]; }
  const PanCardSlot &operator[](int n) const { return slot[std::size_t(n)]; }
};

// ---- Delivery row of a sale: one row of DlvChit -------------------------------------------
struct DlvChitRec {
  int16_t DlvYear = 0;
  int16_t DlvMon = 0;
  int16_t DlvDay = 0;
  QString DlvDate;
  int32_t DlvNo = 0;
  int32_t DlvChtNo = 0;
  int32_t DlvPosNo = 0;
  orv::Currency DlvPsnKey;
  orv::Currency DlvBdlKey;
  orv::Currency DlvCstKey;
  orv::Currency DlvHab;
  orv::Currency DlvMoney;
  orv::Currency DlvCard;
  orv::Currency DlvTax;
  orv::Currency DlvGum;
  orv::Currency DlvBuga;
  orv::Currency DlvNtx;
  orv::Currency DlvZtax;
  QString DlvName;
  QString DlvTele;
  QString DlvPost;
  QString DlvJuso;
  QString DlvWrtDate;
  QString DlvWrtTime;
  int16_t DlvJunsong = 0;
  int16_t DlvSss1 = 0;
  int16_t DlvSss2 = 0;
  int16_t DlvSss3 = 0;
  int16_t DlvSss4 = 0;
  int16_t DlvSss5 = 0;
  int16_t DlvSss6 = 0;
  int16_t DlvSss7 = 0;
  int16_t DlvSss8 = 0;
  int16_t DlvSss9 = 0;
  int16_t DlvSss10 = 0;
};

// ---- One card-network log line: one row of CardLog ----------------------------------------
struct CardLogRec {
  QString ClgDate;
  QString ClgTime;
  int16_t ClgPosNo = 0;
  orv::Currency ClgPsnKey;
  int32_t ClgChtNo = 0;
  QString ClgData;
  int16_t ClgGbn = 0;
  QString ClgDanID;
  int16_t ClgVanGbn = 0;
  int16_t ClgSss1 = 0;
  int16_t ClgSss2 = 0;
  int16_t ClgSss3 = 0;
  int16_t ClgSss4 = 0;
  int16_t ClgSss5 = 0;
};

// ---- The goods last looked up: the GdsCode columns the program uses -----------------------
struct GdsCodeRec {
  orv::Currency GcdKey;  // 0: no goods
  orv::Currency GcdNo;
  QString GcdName;
  QString GcdKyg;
  QString GcdBarcode;
  orv::Currency GcdMeip;
  orv::Currency GcdDanga;
  orv::Currency GcdMeip2;
  orv::Currency GcdDanga2;
  orv::Currency GcdMeip3;
  orv::Currency GcdDanga3;
  int16_t GcdTax = 0;  // 1: tax-free
  orv::Currency GcdMech;
  orv::Currency GcdMech2;
  orv::Currency GcdMech3;
  orv::Currency GcdSpmech;
  orv::Currency GcdSpmech2;
  orv::Currency GcdSpmech3;
  int16_t GcdSel1 = 0;  // 9: free goods given for linked purchases
  int16_t GcdSel2 = 0;
  int16_t GcdSel3 = 0;
  int16_t GcdCmsSu = 0;
  orv::Currency GcdMeipKey;
  orv::Currency GcdBmn1Key;
  orv::Currency GcdBmn2Key;
  orv::Currency GcdBmn3Key;
  QString GcdStdate;
  QString GcdEddate;
  int16_t GcdSaleSel = 0;
  QString GcdStdtsale;
  QString GcdSttmsale;
  QString GcdEddtsale;
  QString GcdEdtmsale;
  int16_t GcdSaleGbn1 = 0;
  int16_t GcdSaleGbn2 = 0;
  QString GcdSttmsale1;
  QString GcdEdtmsale1;
  int16_t GcdSaleGbn11 = 0;
  int16_t GcdSaleGbn12 = 0;
  QString GcdSttmsale2;
  QString GcdEdtmsale2;
  int16_t GcdSaleGbn21 = 0;
  int16_t GcdSaleGbn22 = 0;
  QString GcdSttmsale3;
  QString GcdEdtmsale3;
  int16_t GcdSaleGbn31 = 0;
  int16_t GcdSaleGbn32 = 0;
  orv::Currency GcdSalega;
  orv::Currency GcdGongBng;
  int16_t GcdPSel1 = 0;
  int16_t GcdPSel2 = 0;
  int16_t GcdPSel3 = 0;
  int16_t GcdPSel4 = 0;
  int16_t GcdSss1 = 0;
  int16_t GcdSss2 = 0;
  int16_t GcdSss3 = 0;
  int16_t GcdSss4 = 0;
  int16_t GcdSss5 = 0;  // bonus points (> 0) or rate (< 0); 0 unless PosGdsBnsPoint is 1
};

// ---- The customer of the sale: every CstCode column ---------------------------------------
struct CstCodeRec {
  orv::Currency CcdKey;  // 0: no customer
  orv::Currency CcdNo;
  QString CcdName;
  int16_t CcdSex = 0;
  int16_t CcdDegree = 0;
  QString CcdBarcode;
  QString CcdBarcdchk;
  QString CcdJumin;
  QString CcdJuminchk;
  QString CcdBirth;
  QString CcdBirthsel;
  QString CcdPost;
  QString CcdJuso;
  QString CcdTel;
  QString CcdHp;
  QString CcdEMail;
  QString CcdSaupno;
  QString CcdSaupchk;
  QString CcdUpte;
  QString CcdJongmok;
  QString CcdBank;
  QString CcdBankno;
  QString CcdBankpsn;
  orv::Currency CcdBruKey;
  QString CcdBruName;
  QString CcdLpdate;
  orv::Currency CcdTcnt;
  orv::Currency CcdTzerdo;
  orv::Currency CcdTjumsu;
  orv::Currency CcdCnt;
  orv::Currency CcdZerdo;
  orv::Currency CcdJumsu;
  QString CcdIndate;
  QString CcdUpdate;
  orv::Currency CcdTrsKey;
  QString CcdBigo;
  int16_t CcdSss1 = 0;
  int32_t CcdSss2 = 0;
  int16_t CcdSss3 = 0;
  int16_t CcdSss4 = 0;
  int16_t CcdSss5 = 0;
};

// ---- Instances ----------------------------------------------------------------------------
extern PanChitRec gtPanChit;
extern PanChitRec gtPanChitT;
extern PanChitRec gtPanChitP;
extern PanGodsRec gtPanGods;
extern PanGodsRec gtPanGodsT;
extern PanGodsRec gtPanGodsP;
extern PanListRec gtPanList;
extern PanListRec gtPanListT;
extern PanCardRec gtPanCard;
extern PanCardRec gtPanCardT;
extern DlvChitRec gtDlvChit;
extern CardLogRec gtCardLog;
extern GdsCodeRec gtGdsCode;
extern CstCodeRec gtCstCode;

// ---- Readers: the recordset's current row into the record ---------------------------------
// Columns are found by name without regard to case. Texts are trimmed ("" for null), money
// reads by the leading-number rule (0 for null or no number), whole numbers are that money
// rounded (halves to even). A missing column, a whole number outside its field's width or a
// line/slot outside its range throws DbError; the fields read before it keep their new values.
void ReadPanChitRecord(const orv::db::Recordset &rs);
void ReadPanChitTRecord(const orv::db::Recordset &rs);
void ReadPanGodsRecord(const orv::db::Recordset &rs, int line);  // line 0 to 150
void ReadPanListRecord(const orv::db::Recordset &rs);
void ReadPanCardRecord(const orv::db::Recordset &rs, int slot);  // slot 0 to 5
void ReadDlvChitRecord(const orv::db::Recordset &rs);
// Then GcdSss5 is 0 unless the shop option PosGdsBnsPoint is 1.
void ReadGdsRecord(const orv::db::Recordset &rs);
void ReadCstRecord(const orv::db::Recordset &rs);

// Where the customers live by giCstTsMode: CstCode on the main database (0), CstCodeTs on
// the POS database (1), CstCode of the joint points server (2). Null when mode 2 has no
// open connection.
orv::db::Connection *CstConnection(QString *table = nullptr);
// Reads the customer of the key from there into gtCstCode; false (record untouched) when
// the key is 0, the source is not open or no row has the key.
bool ReadCstRecordByKey(orv::Currency key);

// ---- Clears: every number 0, every text "" ------------------------------------------------
void ClearPanChitRecord();
void ClearPanChitTRecord();
void ClearPanChitPRecord();
void ClearPanGodsRecords();   // lines 1 to 150; element 0 stays
void ClearPanGodsTRecords();
void ClearPanGodsPRecords();
void ClearPanListRecord();
void ClearPanListTRecord();
void ClearPanCardRecords();   // slots 0 to 5
void ClearPanCardTRecords();
void ClearDlvChitRecord();
void ClearCardLogRecord();
void ClearGdsRecord();
void ClearCstRecord();

// The update of the current customer's running totals (last purchase date, counts, sales
// and points). Text only; the caller executes it.
QString gsCstCodeUptSql();

// ---- The field lists ----------------------------------------------------------------------
namespace orv::chit {

// One list per record type, in the record's field order.
template <class R>
std::span<const FieldOf<R>> Fields();
template <>
std::span<const FieldOf<PanChitRec>> Fields<PanChitRec>();
template <>
std::span<const FieldOf<PanGodsLine>> Fields<PanGodsLine>();
template <>
std::span<const FieldOf<PanListRec>> Fields<PanListRec>();
template <>
std::span<const FieldOf<PanCardSlot>> Fields<PanCardSlot>();
template <>
std::span<const FieldOf<DlvChitRec>> Fields<DlvChitRec>();
template <>
std::span<const FieldOf<CardLogRec>> Fields<CardLogRec>();
template <>
std::span<const FieldOf<GdsCodeRec>> Fields<GdsCodeRec>();
template <>
std::span<const FieldOf<CstCodeRec>> Fields<CstCodeRec>();

// The value of one field as a stored value: qlonglong for whole numbers, the plain decimal
// text of money, the text itself.
template <class R>
QVariant FieldValue(const R &rec, const FieldOf<R> &f) {
  return std::visit(
      [&](auto m) -> QVariant {
        using T = std::remove_cvref_t<decltype(rec.*m)>;
        if constexpr (std::is_same_v<T, QString>)
          return rec.*m;
        else if constexpr (std::is_same_v<T, orv::Currency>)
          return (rec.*m).ToPlainText();
        else
          return qlonglong(rec.*m);
      },
      f.member);
}

// Every field of the list back to 0 or "".
template <class R>
void ClearFields(R &rec, std::span<const FieldOf<R>> fields) {
  for (const FieldOf<R> &f : fields)
    std::visit([&](auto m) { rec.*m = std::remove_cvref_t<decltype(rec.*m)>{}; }, f.member);
}

// "?,?,…" for a prepared insert, one mark per field.
template <class R>
QString Placeholders(std::span<const FieldOf<R>> fields) {
  QStringList marks;
  for (std::size_t i = 0; i < fields.size(); ++i) marks << QStringLiteral("?");
  return marks.join(QLatin1Char(','));
}

// Binds the fields in list order from position `first`; returns the next free position.
template <class R>
int BindFields(orv::db::Statement &st, const R &rec, std::span<const FieldOf<R>> fields,
               int first = 0) {
  for (const FieldOf<R> &f : fields) st.Bind(first++, FieldValue(rec, f));
  return first;
}

// All the records of this file back to empty.
void ResetChitRecords();

}  // namespace orv::chit
