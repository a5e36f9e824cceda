#pragma once
// A member's chit as the shared point server stores it (header and settlement row, stamped
// with the shop number and the cashier's and partner's numbers and names), the copies the
// saver prepares, the queue rows read back, and the row writers of both.
//
// One field list per record: the clear, the reader and the bound insert walk the same list.
#include <QString>
#include <cstdint>
#include <span>

#include "chit/field_list.h"
#include "chit/records.h"
#include "core/currency.h"
#include "platform/db.h"

// One row of PanChitT<yymm> on the point server, of PanChitOn/PanChitOff on the POS database.
struct PanChitTsRec {
  int16_t PctYear = 0;
  int16_t PctMon = 0;
  int16_t PctDay = 0;
  QString PctDate;
  int32_t PctComNo = 0;  // the shop number
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
  int32_t PctCDKey = 0;
  orv::Currency PctCstKey;
  QString PctCDComNo;
  QString PctCDComName;
  int16_t PctGaSel = 0;
  int16_t PctHalSel = 0;
  QString PctCardNo;
  QString PctCardDate;
  QString PctCDGubun;
  QString PctCmitNo;
  QString PctCmitDate;
  QString PctGaMyNo;
  QString PctWrtDate;
  QString PctWrtTime;
  int32_t PctChk = 0;
  int16_t PctJunsong = 0;
  orv::Currency PctPsnNo;
  QString PctPsnName;
  orv::Currency PctTrsNo;
  QString PctTrsName;
  int32_t PctSss1 = 0;
  int32_t PctSss2 = 0;
  int32_t PctSss3 = 0;
  int32_t PctSss4 = 0;
  int32_t PctSss5 = 0;

  bool operator==(const PanChitTsRec &) const = default;
};

// One row of PanListT<yymm> on the point server, of PanListOn/PanListOff on the POS database.
struct PanListTsRec {
  int16_t PclYear = 0;
  int16_t PclMon = 0;
  int16_t PclDay = 0;
  QString PclDate;
  int32_t PclComNo = 0;
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
  int32_t PclSss2 = 0;
  int32_t PclSss3 = 0;
  int32_t PclSss4 = 0;
  int32_t PclSss5 = 0;

  bool operator==(const PanListTsRec &) const = default;
};

extern PanChitTsRec gtPanChitTs;  // the copy of the chit being saved
extern PanListTsRec gtPanListTs;  // the copy of its settlement row
// The customer's key, last-sale date and six running totals after the sale; all else empty.
extern CstCodeRec gtCstCodeTs;
extern PanChitTsRec gtPanChitOn;  // a queued header read back by the data exchange
extern PanListTsRec gtPanListOn;  // a queued settlement row read back by the data exchange

// The saver's preparation, each right after its matching step. The look-ups of the cashier's
// and the partner's number and name read the working connection; their errors go to the
// caller (the saver reports them under the procedure's name).
void gtMovePanChitTs();
void gtMovePanListTs();
void gtMoveCstCodeTs();

void ClearPanChitOnRecord();
void ClearPanListOnRecord();
// The current row into the queue records, or into any record. Texts trimmed (char(n)
// padding differs between engines), numbers by the leading-number rule; a missing column
// or a number too wide for its field throws DbError.
void ReadPanChitOnRecord(const orv::db::Recordset &rs);
void ReadPanListOnRecord(const orv::db::Recordset &rs);
void ReadPanChitTsRecord(const orv::db::Recordset &rs, PanChitTsRec &rec);
void ReadPanListTsRecord(const orv::db::Recordset &rs, PanListTsRec &rec);

namespace orv::chit {

template <>
std::span<const FieldOf<PanChitTsRec>> Fields<PanChitTsRec>();
template <>
std::span<const FieldOf<PanListTsRec>> Fields<PanListTsRec>();

// The row writers, every value bound, in the caller's transaction. With replace the row of
// the same date, shop and chit number goes first. The table is a checked name
// ("PanChitT2401", "PanChitOn"); errors go to the caller as DbError.
void WritePanChitTsRow(orv::db::Connection &conn, const QString &table, const PanChitTsRec &rec,
                       bool replace);
void WritePanListTsRow(orv::db::Connection &conn, const QString &table, const PanListTsRec &rec,
                       bool replace);
// Removes the chit's rows (date, shop and chit number) from a header and a settlement table.
void DeletePanChitTsRows(orv::db::Connection &conn, const QString &chitTable,
                         const QString &listTable, const PanChitTsRec &rec);

void ResetTsRecords();

}  // namespace orv::chit
