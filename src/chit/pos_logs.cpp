#include "chit/pos_logs.h"

#include <QHash>
#include <QStringList>
#include <algorithm>

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

PosLogsRec MakePosLogsRec(int32_t chtNo, int32_t row, int16_t kind, const QString &text1,
                          const QString &text2, const QString &text3) {
  const QDateTime now = orv::clock::Now();
  const QDate d = now.date();
  PosLogsRec r;
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
  return r;
}

namespace {

QString SeqKey(const QString &date, qint64 chtNo, const QString &time, qint64 no) {
  return date + '|' + QString::number(chtNo) + '|' + time + '|' + QString::number(no);
}

// The rows of one month's table: each takes the next PlgSeq of its date, chit number,
// second and line, counting the rows before it in the batch; one read finds the numbers
// already taken, and the rows go in by a hundred per statement.
void InsertMonthRows(orv::db::Connection &conn, std::vector<PosLogsRec> &rows, int32_t firstSeq,
                     bool ensureTable) {
  using orv::db::SqlText;
  const PosLogsRec &first = rows.front();
  const QString yyMm = FmtYyMm(first.PlgYear, first.PlgMon);
  const QString table = "PosLogs" + yyMm;
  // A day's first row may open a month no login has made yet on this connection.
  if (ensureTable && !orv::schema::ExistsTable(conn, table)) {
    const orv::schema::TableDef *def = orv::schema::FindTable("PosLogs");
    orv::schema::CreateTable(conn, *def, orv::schema::NamesFor(*def, {}, yyMm));
  }
  QStringList dates, chits, lines;
  QString minTime = first.PlgTime, maxTime = first.PlgTime;
  for (const PosLogsRec &r : rows) {
    if (!dates.contains(SqlText(r.PlgDate))) dates << SqlText(r.PlgDate);
    if (!chits.contains(QString::number(r.PlgChtNo))) chits << QString::number(r.PlgChtNo);
    if (!lines.contains(QString::number(r.PlgNo))) lines << QString::number(r.PlgNo);
    minTime = std::min(minTime, r.PlgTime);
    maxTime = std::max(maxTime, r.PlgTime);
  }
  QHash<QString, int32_t> next;
  orv::db::Recordset rs = conn.OpenRecordset(
      " Select PlgDate, PlgChtNo, PlgTime, PlgNo, max(PlgSeq)+1 as PlgSeq From " + table +
      " Where PlgDate In (" + dates.join(',') + ") And PlgChtNo In (" + chits.join(',') +
      ") And PlgNo In (" + lines.join(',') + ") And PlgTime Between " + SqlText(minTime) +
      " And " + SqlText(maxTime) + " Group By PlgDate, PlgChtNo, PlgTime, PlgNo");
  for (; !rs.Eof(); rs.MoveNext()) {
    if (rs.Field("PlgSeq").isNull()) continue;
    next.insert(SeqKey(NzStr(rs.Field("PlgDate")), NzCur(rs.Field("PlgChtNo")).RoundToInt(),
                       NzStr(rs.Field("PlgTime")), NzCur(rs.Field("PlgNo")).RoundToInt()),
                int32_t(NzCur(rs.Field("PlgSeq")).RoundToInt()));
  }
  const int16_t yymm = YyMmNum(first.PlgYear, first.PlgMon);
  QString head, values;
  int inStatement = 0;
  for (PosLogsRec &r : rows) {
    const QString key = SeqKey(r.PlgDate, r.PlgChtNo, r.PlgTime, r.PlgNo);
    const auto it = next.find(key);
    r.PlgSeq = it == next.end() ? firstSeq : *it;
    next.insert(key, r.PlgSeq + 1);
    gtPosLogs = r;
    const QString one = gsPosLogsInsSql(yymm);
    const qsizetype at = one.indexOf(QLatin1String(") Values(")) + 8;
    if (head.isEmpty()) head = one.left(at);
    values += (inStatement > 0 ? QStringLiteral(",") : QString()) + one.mid(at);
    if (++inStatement == 100) {
      conn.Execute(head + values);
      values.clear();
      inStatement = 0;
    }
  }
  if (inStatement > 0) conn.Execute(head + values);
}

}  // namespace

void InsertPosLogsRows(orv::db::Connection &conn, const std::vector<PosLogsRec> &rows,
                       int32_t firstSeq, bool ensureTable) {
  if (rows.empty()) return;
  // The table follows the clock, not the work date: one batch per month.
  std::vector<std::vector<PosLogsRec>> months;
  for (const PosLogsRec &r : rows) {
    auto it = std::find_if(months.begin(), months.end(), [&](const auto &m) {
      return m.front().PlgYear == r.PlgYear && m.front().PlgMon == r.PlgMon;
    });
    if (it == months.end())
      months.push_back({r});
    else
      it->push_back(r);
  }
  if (rows.size() == 1) {
    InsertMonthRows(conn, months.front(), firstSeq, ensureTable);
    return;
  }
  orv::db::Transaction tx(conn);
  for (auto &m : months) InsertMonthRows(conn, m, firstSeq, ensureTable);
  tx.Commit();
}

void WritePosLogsRow(orv::db::Connection &conn, int32_t chtNo, int32_t row, int16_t kind,
                     const QString &text1, const QString &text2, const QString &text3,
                     int32_t firstSeq) {
  gtPosLogs = MakePosLogsRec(chtNo, row, kind, text1, text2, text3);
  InsertPosLogsRows(conn, {gtPosLogs}, firstSeq);
}
