#include "chit/pan_money.h"

#include "chit/chit_numbers.h"
#include "chit/field_list.h"
#include "chit/unique_key.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/state.h"
#include "core/values.h"
#include "schema/month_tables.h"

PanMoneyRec gtPanMoney;

namespace {
using F = orv::chit::FieldOf<PanMoneyRec>;
#define ORV_FIELD_ENTRY(type, name) F{#name, &PanMoneyRec::name},
const F kFields[] = {ORV_PAN_MONEY_FIELDS(ORV_FIELD_ENTRY)};
#undef ORV_FIELD_ENTRY

constexpr int kInsertTries = 5;
}  // namespace

std::span<const orv::chit::FieldOf<PanMoneyRec>> PanMoneyFields() { return kFields; }

void ClearPanMoneyRecord() { gtPanMoney = PanMoneyRec{}; }
static const bool kResetRegistered = orv::state::RegisterReset(&ClearPanMoneyRecord);

void ReadPanMoneyRecord(const orv::db::Recordset &rs) {
  orv::chit::ReadFields<PanMoneyRec>(rs, gtPanMoney, kFields);
}

QString gsPanMoneyInsSql(int16_t yymm) {
  const QString table = "PanMoney" + orv::schema::MonthSuffix(yymm);
  const QString date = FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0);
  orv::db::Recordset rs = goDbMain.OpenRecordset(
      " Select Max(PmoNo) as PmoNo From " + table + " Where " + orv::chit::DateWhere("Pmo", date));
  int32_t no = 1;
  if (rs.RecordCount() > 0) no = orv::chit::NarrowWhole<int32_t>(NzCur(rs.Field("PmoNo")), "PmoNo") + 1;
  // Past any number taken since (the Max and the probe are not one step).
  for (;;) {
    orv::db::Recordset probe = goDbMain.OpenRecordset(
        " Select PmoNo From " + table + " Where " + orv::chit::DateWhere("Pmo", date) +
        " And PmoNo=" + QString::number(no));
    if (probe.RecordCount() == 0) break;
    ++no;
  }
  gtPanMoney.PmoNo = no;
  return "Insert Into " + table + "(" + orv::chit::ColumnList<PanMoneyRec>(kFields) +
         ") Values(" + orv::chit::ValueList<PanMoneyRec>(gtPanMoney, kFields) + ")";
}

void InsertPanMoneyRow(int16_t yymm) {
  for (int attempt = 1;; ++attempt) {
    const QString sql = gsPanMoneyInsSql(yymm);
    std::optional<orv::db::DbError> err = goDbMain.TryExecute(sql);
    if (!err) return;
    if (!orv::chit::IsUniqueKeyError(*err) || attempt >= kInsertTries) throw *err;
  }
}

orv::Currency SupplyValueOf(orv::Currency hab) {
  // hab / 1.1 + 0.5 = (20 * raw + 11 * scale) / (22 * scale), floored.
  const __int128 num = __int128(hab.raw()) * 20 + __int128(11) * orv::Currency::kScale;
  const __int128 den = __int128(22) * orv::Currency::kScale;
  __int128 q = num / den;
  if (num % den != 0 && num < 0) --q;
  return orv::Currency::FromRaw(int64_t(q) * orv::Currency::kScale);
}

void SaveCashReceiptMoneyRow(int16_t helpRet) {
  struct ClearAtEnd {
    ~ClearAtEnd() { ClearPanMoneyRecord(); }
  } clearAtEnd;
  if (helpRet != 1 || gtPanMoney.PmoCmitNo.trimmed().isEmpty() ||
      gtPanMoney.PmoCmitDate.trimmed().isEmpty())
    return;
  PanMoneyRec &m = gtPanMoney;
  m.PmoTax = m.PmoHab;
  m.PmoGum = SupplyValueOf(m.PmoHab);
  m.PmoBuga = orv::Currency::FromRaw(m.PmoHab.raw() - m.PmoGum.raw());
  m.PmoChtNo = 0;
  m.PmoNtx = {};
  InsertPanMoneyRow(YyMmNum(giWrkYear, giWrkMonth));
}
