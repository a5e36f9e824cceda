#include "sale/pos_event.h"

#include "chit/pos_logs.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/settings_store.h"

using namespace orv;

void WritePosLogsRow(int32_t row, int16_t kind, const QString &text1, const QString &text2,
                     const QString &text3, int32_t firstSeq) {
  const QDateTime now = clock::Now();
  const QDate d = now.date();
  PosLogsRec &r = gtPosLogs;
  r = PosLogsRec{};
  r.PlgYear = int16_t(d.year());
  r.PlgMon = int16_t(d.month());
  r.PlgDay = int16_t(d.day());
  r.PlgDate = d.toString("yyyyMMdd");
  r.PlgChtNo = int32_t(NzCur(settings_store::GetSetting("goSetBFChtNo")).RoundToInt());
  r.PlgTime = now.time().toString("HHmmss");
  r.PlgNo = row;
  r.PlgPosNo = giSetPosNo;
  r.PlgPsnKey = gcLogPsnKey;
  r.PlgSel = kind;
  r.PlgText1 = text1;
  r.PlgText2 = text2;
  r.PlgText3 = text3;
  r.PlgSetDate = FmtYmd(giWrkYear, giWrkMonth, giWrkDay, 0, 0);
  // The table follows the clock, not the work date.
  const int16_t yymm = YyMmNum(r.PlgYear, r.PlgMon);
  db::Recordset rs = goDbMain.OpenRecordset(
      " Select   max(PlgSeq)+1 as PlgSeq From PosLogs" + FmtYyMm(r.PlgYear, r.PlgMon) + " Where    PlgYear=" +
      QString::number(r.PlgYear) + " And      PlgMon=" + QString::number(r.PlgMon) +
      " And      PlgDay=" + QString::number(r.PlgDay) + " And      PlgDate=" +
      db::SqlText(r.PlgDate) + " And      PlgChtNo=" + QString::number(r.PlgChtNo) +
      " And      PlgTime=" + db::SqlText(r.PlgTime) + " And      PlgNo=" + QString::number(row));
  r.PlgSeq = firstSeq;
  if (rs.RecordCount() > 0 && !rs.Field("PlgSeq").isNull())
    r.PlgSeq = int32_t(NzCur(rs.Field("PlgSeq")).RoundToInt());
  goDbMain.Execute(gsPosLogsInsSql(yymm));
}

void LogPosEvent(int32_t row, int16_t kind, const QString &text1, const QString &text2,
                 const QString &text3) {
  WritePosLogsRow(row, kind, text1, text2, text3, 0);
}
