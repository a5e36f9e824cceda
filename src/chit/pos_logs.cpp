#include "chit/pos_logs.h"

#include "chit/field_list.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "schema/month_tables.h"
#include "schema/tables.h"

PosLogsRec gtPosLogs;

namespace {
using F = orv::chit::FieldOf<PosLogsRec>;
const F kFields[] = {
    {"PlgYear", &PosLogsRec::PlgYear},     {"PlgMon", &PosLogsRec::PlgMon},
    {"PlgDay", &PosLogsRec::PlgDay},       {"PlgDate", &PosLogsRec::PlgDate},
    {"PlgChtNo", &PosLogsRec::PlgChtNo},   {"PlgTime", &PosLogsRec::PlgTime},
    {"PlgNo", &PosLogsRec::PlgNo},         {"PlgSeq", &PosLogsRec::PlgSeq},
    {"PlgPosNo", &PosLogsRec::PlgPosNo},   {"PlgPsnKey", &PosLogsRec::PlgPsnKey},
    {"PlgSel", &PosLogsRec::PlgSel},       {"PlgText1", &PosLogsRec::PlgText1},
    {"PlgText2", &PosLogsRec::PlgText2},   {"PlgText3", &PosLogsRec::PlgText3},
    {"PlgSetDate", &PosLogsRec::PlgSetDate}, {"PlgSss1", &PosLogsRec::PlgSss1},
    {"PlgSss2", &PosLogsRec::PlgSss2},     {"PlgSss3", &PosLogsRec::PlgSss3},
    {"PlgSss4", &PosLogsRec::PlgSss4},     {"PlgSss5", &PosLogsRec::PlgSss5},
};
}  // namespace

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

void ClearPosLogsRecord() { gtPosLogs = PosLogsRec{}; }
static const bool kResetRegistered = orv::state::RegisterReset(&ClearPosLogsRecord);

void ReadPosLogsRecord(const orv::db::Recordset &rs) {
  orv::chit::ReadFields<PosLogsRec>(rs, gtPosLogs, kFields);
}

std::span<const orv::chit::FieldOf<PosLogsRec>> PosLogsFields() { return kFields; }

void WritePosLogsRow(orv::db::Connection &conn, int32_t chtNo, int32_t row, int16_t kind,
                     const QString &text1, const QString &text2, const QString &text3,
                     int32_t firstSeq) {
  using orv::db::SqlText;
  const QDateTime now = orv::clock::Now();
  const QDate d = now.date();
  PosLogsRec &r = gtPosLogs;
  r = PosLogsRec{};
  r.PlgYear = int16_t(d.year());
  r.PlgMon = int16_t(d.month());
  r.PlgDay = int16_t(d.day());
  r.PlgDate = d.toString("yyyyMMdd");
  r.PlgChtNo = chtNo;
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
  // A day's first row may open a month no login has made yet on this connection.
  const QString table = "PosLogs" + FmtYyMm(r.PlgYear, r.PlgMon);
  if (!orv::schema::ExistsTable(conn, table)) {
    const orv::schema::TableDef *def = orv::schema::FindTable("PosLogs");
    orv::schema::CreateTable(conn, *def, orv::schema::NamesFor(*def, {}, FmtYyMm(r.PlgYear, r.PlgMon)));
  }
  orv::db::Recordset rs = conn.OpenRecordset(
      " Select   max(PlgSeq)+1 as PlgSeq From PosLogs" + FmtYyMm(r.PlgYear, r.PlgMon) +
      " Where    PlgYear=" + QString::number(r.PlgYear) + " And      PlgMon=" +
      QString::number(r.PlgMon) + " And      PlgDay=" + QString::number(r.PlgDay) +
      " And      PlgDate=" + SqlText(r.PlgDate) + " And      PlgChtNo=" +
      QString::number(r.PlgChtNo) + " And      PlgTime=" + SqlText(r.PlgTime) +
      " And      PlgNo=" + QString::number(row));
  r.PlgSeq = firstSeq;
  if (rs.RecordCount() > 0 && !rs.Field("PlgSeq").isNull())
    r.PlgSeq = int32_t(NzCur(rs.Field("PlgSeq")).RoundToInt());
  conn.Execute(gsPosLogsInsSql(yymm));
}
