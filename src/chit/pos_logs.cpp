#include "chit/pos_logs.h"

#include "platform/db.h"
#include "schema/month_tables.h"

PosLogsRec gtPosLogs;

QString gsPosLogsInsSql(int16_t yymm) {
  using orv::db::SqlText;
  const PosLogsRec &r = gtPosLogs;
  auto n = [](qint64 v) { return QString::number(v); };
  return "Insert Into PosLogs" + orv::schema::MonthSuffix(yymm) +
         "(PlgYear, PlgMon, PlgDay, PlgDate, PlgChtNo, PlgTime, PlgNo, PlgSeq, PlgPosNo, "
         "PlgPsnKey, PlgSel, PlgText1, PlgText2, PlgText3, PlgSetDate, "
         "PlgSss1, PlgSss2, PlgSss3, PlgSss4, PlgSss5) Values(" +
         n(r.PlgYear) + "," + n(r.PlgMon) + "," + n(r.PlgDay) + "," + SqlText(r.PlgDate) + "," +
         n(r.PlgChtNo) + "," + SqlText(r.PlgTime) + "," + n(r.PlgNo) + "," + n(r.PlgSeq) + "," +
         n(r.PlgPosNo) + "," + r.PlgPsnKey.ToPlainText() + "," + n(r.PlgSel) + "," +
         SqlText(r.PlgText1) + "," + SqlText(r.PlgText2) + "," + SqlText(r.PlgText3) + "," +
         SqlText(r.PlgSetDate) + "," + n(r.PlgSss1) + "," + n(r.PlgSss2) + "," + n(r.PlgSss3) +
         "," + n(r.PlgSss4) + "," + n(r.PlgSss5) + ")";
}

namespace orv::state {
void ResetChitState() { gtPosLogs = PosLogsRec{}; }
}  // namespace orv::state
