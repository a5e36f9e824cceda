#pragma once
// Cash-receipt money rows: PanMoney + yymm of the work date, on the working connection.
#include <QString>
#include <cstdint>

#include "core/currency.h"
#include "chit/field_list.h"
#include "platform/db.h"

#define ORV_PAN_MONEY_FIELDS(X) \
  X(int16_t, PmoYear)           \
  X(int16_t, PmoMon)            \
  X(int16_t, PmoDay)            \
  X(QString, PmoDate)           \
  X(int32_t, PmoNo)             \
  X(int32_t, PmoChtNo)          \
  X(int16_t, PmoPosNo)          \
  X(orv::Currency, PmoPsnKey)   \
  X(orv::Currency, PmoHab)      \
  X(orv::Currency, PmoTax)      \
  X(orv::Currency, PmoGum)      \
  X(orv::Currency, PmoBuga)     \
  X(orv::Currency, PmoNtx)      \
  X(QString, PmoCardNo)         \
  X(QString, PmoCmitNo)         \
  X(QString, PmoCmitDate)       \
  X(QString, PmoWrtDate)        \
  X(QString, PmoWrtTime)        \
  X(int16_t, PmoJunsong)        \
  X(int16_t, PmoSss1)           \
  X(int16_t, PmoSss2)           \
  X(int16_t, PmoSss3)           \
  X(int16_t, PmoSss4)           \
  X(int16_t, PmoSss5)

struct PanMoneyRec {
#define ORV_DECLARE_FIELD(type, name) type name{};
  ORV_PAN_MONEY_FIELDS(ORV_DECLARE_FIELD)
#undef ORV_DECLARE_FIELD
};

extern PanMoneyRec gtPanMoney;

void ClearPanMoneyRecord();
void ReadPanMoneyRecord(const orv::db::Recordset &rs);
// The fields in table order.
std::span<const orv::chit::FieldOf<PanMoneyRec>> PanMoneyFields();

// Picks the next free PmoNo of the work date in PanMoney + yymm on goDbMain (Max + 1,
// then past any number taken), stores it in gtPanMoney and returns the row's insert.
// Executes nothing; database errors reach the caller.
QString gsPanMoneyInsSql(int16_t yymm);

// Picks the number and runs the insert on goDbMain. Another checkout may take the same
// number between the pick and the insert: on a key violation the pick and insert run
// again (each insert under a savepoint, so an open transaction stays usable), up to five
// times; then the last error reaches the caller.
void InsertPanMoneyRow(int16_t yymm);

// The cash receipt issued outside a sale: when helpRet is 1 and the approval number and
// date are there, the amount is split (tax-inclusive, supply value = Int(Hab / 1.1 + 0.5))
// and the row written; gtPanMoney is emptied in every case.
void SaveCashReceiptMoneyRow(int16_t helpRet);
// Int(hab / 1.1 + 0.5) worked out exactly.
orv::Currency SupplyValueOf(orv::Currency hab);
