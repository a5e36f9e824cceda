#pragma once
// The day-end tally record: one row of TemData (no month suffix), on the working and the
// POS connection.
#include <QString>
#include <cstdint>

#include "core/currency.h"
#include "chit/field_list.h"
#include "platform/db.h"

// Every column of TemData in table order, as X(type, name).
#define ORV_TEM_DATA_FIELDS(X) \
  X(int16_t, TemYear) \
  X(int16_t, TemMon) \
  X(int16_t, TemDay) \
  X(QString, TemDate) \
  X(int32_t, TemChtNo) \
  X(int32_t, TemPosNo) \
  X(orv::Currency, TemPsnKey) \
  X(int32_t, TemCnt) \
  X(orv::Currency, TemDanga) \
  X(orv::Currency, TemHab) \
  X(orv::Currency, TemDc) \
  X(int32_t, TemMoneyCnt) \
  X(orv::Currency, TemMoney) \
  X(int32_t, TemMoneyBillCnt) \
  X(orv::Currency, TemMoneyBill) \
  X(int32_t, TemJaSangpumCnt) \
  X(orv::Currency, TemJaSangpum) \
  X(int32_t, TemTaSangpumCnt) \
  X(orv::Currency, TemTaSangpum) \
  X(orv::Currency, TemCoin) \
  X(orv::Currency, TemPoint) \
  X(int32_t, TemCardCnt) \
  X(orv::Currency, TemCard) \
  X(int32_t, TemCard0Cnt) \
  X(orv::Currency, TemCard0) \
  X(int32_t, TemCard1Cnt) \
  X(orv::Currency, TemCard1) \
  X(int32_t, TemCard2Cnt) \
  X(orv::Currency, TemCard2) \
  X(int32_t, TemOisangCnt) \
  X(orv::Currency, TemOisang) \
  X(int32_t, TemCSobiCnt) \
  X(orv::Currency, TemCSobi) \
  X(int32_t, TemPlsCnt) \
  X(orv::Currency, TemPlsDanga) \
  X(orv::Currency, TemPlsHab) \
  X(orv::Currency, TemPlsDc) \
  X(int32_t, TemPlsMoneyCnt) \
  X(orv::Currency, TemPlsMoney) \
  X(int32_t, TemPlsMoneyBillCnt) \
  X(orv::Currency, TemPlsMoneyBill) \
  X(int32_t, TemPlsJaSangpumCnt) \
  X(orv::Currency, TemPlsJaSangpum) \
  X(int32_t, TemPlsTaSangpumCnt) \
  X(orv::Currency, TemPlsTaSangpum) \
  X(orv::Currency, TemPlsCoin) \
  X(orv::Currency, TemPlsPoint) \
  X(int32_t, TemPlsCardCnt) \
  X(orv::Currency, TemPlsCard) \
  X(int32_t, TemPlsOisangCnt) \
  X(orv::Currency, TemPlsOisang) \
  X(int32_t, TemPlsCSobiCnt) \
  X(orv::Currency, TemPlsCSobi) \
  X(int32_t, TemMnsCnt) \
  X(orv::Currency, TemMnsDanga) \
  X(orv::Currency, TemMnsHab) \
  X(orv::Currency, TemMnsDc) \
  X(int32_t, TemMnsMoneyCnt) \
  X(orv::Currency, TemMnsMoney) \
  X(int32_t, TemMnsMoneyBillCnt) \
  X(orv::Currency, TemMnsMoneyBill) \
  X(int32_t, TemMnsJaSangpumCnt) \
  X(orv::Currency, TemMnsJaSangpum) \
  X(int32_t, TemMnsTaSangpumCnt) \
  X(orv::Currency, TemMnsTaSangpum) \
  X(orv::Currency, TemMnsCoin) \
  X(orv::Currency, TemMnsPoint) \
  X(int32_t, TemMnsCardCnt) \
  X(orv::Currency, TemMnsCard) \
  X(int32_t, TemMnsOisangCnt) \
  X(orv::Currency, TemMnsOisang) \
  X(int32_t, TemMnsCSobiCnt) \
  X(orv::Currency, TemMnsCSobi) \
  X(orv::Currency, TemMnyInitGum) \
  X(orv::Currency, TemMnyInGum) \
  X(orv::Currency, TemMnyPlsInGum) \
  X(orv::Currency, TemMnyMnsInGum) \
  X(orv::Currency, TemMnyDpsGum) \
  X(orv::Currency, TemMnyDps1Gum) \
  X(int32_t, TemMnyDps1ChtNo) \
  X(QString, TemMnyDps1WrtDate) \
  X(QString, TemMnyDps1WrtTime) \
  X(orv::Currency, TemMnyDps2Gum) \
  X(int32_t, TemMnyDps2ChtNo) \
  X(QString, TemMnyDps2WrtDate) \
  X(QString, TemMnyDps2WrtTime) \
  X(orv::Currency, TemMnyDps3Gum) \
  X(int32_t, TemMnyDps3ChtNo) \
  X(QString, TemMnyDps3WrtDate) \
  X(QString, TemMnyDps3WrtTime) \
  X(orv::Currency, TemMnyDps4Gum) \
  X(int32_t, TemMnyDps4ChtNo) \
  X(QString, TemMnyDps4WrtDate) \
  X(QString, TemMnyDps4WrtTime) \
  X(orv::Currency, TemMnyDps5Gum) \
  X(int32_t, TemMnyDps5ChtNo) \
  X(QString, TemMnyDps5WrtDate) \
  X(QString, TemMnyDps5WrtTime) \
  X(orv::Currency, TemMnyDpsxGum) \
  X(orv::Currency, TemMnyNowGum) \
  X(orv::Currency, TemGum01) \
  X(orv::Currency, TemGum02) \
  X(orv::Currency, TemGum03) \
  X(orv::Currency, TemGum04) \
  X(orv::Currency, TemGum05) \
  X(orv::Currency, TemGum06) \
  X(orv::Currency, TemGum07) \
  X(orv::Currency, TemGum08) \
  X(orv::Currency, TemGum09) \
  X(orv::Currency, TemGum10) \
  X(QString, TemText1) \
  X(QString, TemText2) \
  X(QString, TemText3) \
  X(QString, TemText4) \
  X(QString, TemText5) \
  X(QString, TemBigo) \
  X(QString, TemStDate) \
  X(QString, TemStTime) \
  X(QString, TemWrtDate) \
  X(QString, TemWrtTime) \
  X(int32_t, TemSss1) \
  X(int32_t, TemSss2) \
  X(int32_t, TemSss3) \
  X(int32_t, TemSss4) \
  X(int32_t, TemSss5) \
  X(int32_t, TemSss6) \
  X(int32_t, TemSss7) \
  X(int32_t, TemSss8) \
  X(int32_t, TemSss9) \
  X(int32_t, TemSss10)

struct TemDataRec {
#define ORV_DECLARE_FIELD(type, name) type name{};
  ORV_TEM_DATA_FIELDS(ORV_DECLARE_FIELD)
#undef ORV_DECLARE_FIELD
};

extern TemDataRec gtTemData;

void ClearTemDataRecord();
// The current row into gtTemData, every column by name. Errors reach the caller.
void ReadTemDataRecord(const orv::db::Recordset &rs);
// Number of fields, for the callers that copy the table by position.
int TemDataFieldCount();
// The fields in table order, for the senders that bind and compare whole rows.
std::span<const orv::chit::FieldOf<TemDataRec>> TemDataFields();
