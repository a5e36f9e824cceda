#include "sync/basSync.h"

#include "chit/pair_commit.h"

#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <set>

#include "chit/pan_money.h"
#include "chit/records.h"
#include "chit/tem_data.h"
#include "core/daily_log.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/options.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "core/values.h"
#include "platform/clock.h"
#include "schema/month_tables.h"
#include "sync/send_chits.h"
#include "sync/send_units.h"

using orv::db::Connection;
using orv::db::DbError;
using orv::db::Recordset;
using orv::db::Statement;
using orv::db::Transaction;
using orv::sync::RunUnit;
using orv::sync::SendJournal;

int16_t giNowYear = 0;
int16_t giNowMon = 0;
QString gsSendYyMm;
int16_t giSendYyMm = 0;
int16_t giSendPass = 0;
int16_t giSendYear = 0, giSendMon = 0, giSendDay = 0;
int32_t glSendChtNo = 0;
int16_t giSendMultiCard = 0;
int32_t glSendListCnt = 0, glSendDlvCnt = 0, glSendGodsCnt = 0, glSendCardCnt = 0,
        glSendMoneyCnt = 0;
int32_t glPanChitOnCnt = 0, glPanListOnCnt = 0;

namespace {

void ResetSendState() {
  giNowYear = giNowMon = 0;
  gsSendYyMm.clear();
  giSendYyMm = giSendPass = 0;
  giSendYear = giSendMon = giSendDay = 0;
  glSendChtNo = 0;
  giSendMultiCard = 0;
  glSendListCnt = glSendDlvCnt = glSendGodsCnt = glSendCardCnt = glSendMoneyCnt = 0;
  glPanChitOnCnt = glPanListOnCnt = 0;
}
const bool kResetRegistered = orv::state::RegisterReset(&ResetSendState);

SendProgress g_progress;
void Report(int prs, const QString &text) {
  if (g_progress) g_progress(prs, text);
}

using orv::sync::DayKey;
using orv::sync::InsertSql;
using orv::sync::LogSender;
using orv::sync::MoneySender;
using orv::sync::WholeOf;

// ---- Closing summaries ---------------------------------------------------------------------

const char *const kTemKeyWhere = " Where TemYear=? And TemMon=? And TemDay=? And TemChtNo=?";

void BindTemKey(Statement &st, const TemDataRec &r) {
  st.Bind(0, int(r.TemYear));
  st.Bind(1, int(r.TemMon));
  st.Bind(2, int(r.TemDay));
  st.Bind(3, r.TemChtNo);
}

// The summary in gtTemData as one unit: a new row on the main database, the POS row (by
// its own number) deleted.
void SendTemUnit(SendJournal &journal) {
  const TemDataRec row = gtTemData;
  const QString key = DayKey(row.TemYear, row.TemMon, row.TemDay) + "/" +
                      QString::number(row.TemChtNo);
  RunUnit(
      journal, "TEM", key, orv::sync::RowDigest<TemDataRec>(row, TemDataFields(), "TemChtNo"),
      [&] { return SendTemData(goDbMain); },
      [&](int32_t) {
        Statement del = goDbPos.Prepare("Delete From TemData" + QString(kTemKeyWhere));
        BindTemKey(del, row);
        del.Execute();
      });
}

// Every unsent summary of every date, oldest first.
void SendTemDataRows(SendJournal &journal) {
  Recordset rs = goDbPos.OpenRecordset(
      "Select * From TemData Where TemDay>0 And TemChtNo>0 And TemSss1=0 "
      "Order By TemYear, TemMon, TemDay, TemChtNo");
  for (; !rs.Eof(); rs.MoveNext()) {
    ClearTemDataRecord();
    ReadTemDataRecord(rs);
    SendTemUnit(journal);
  }
}

QString PassText(int pass, int passes, const QString &what) {
  return "* " + QString::number(pass) + "/" + QString::number(passes) + " " + what + " *";
}

// The unsent money rows of no chit of one month.
void SendPanMoneyRows(SendJournal &journal, int pass, int passes, int16_t y, int16_t m) {
  const QString yymm = FmtYyMm(y, m);
  Statement sel = goDbPos.Prepare(
      "Select * From PanMoney" + yymm +
      " Where PmoYear=? And PmoMon=? And PmoDay>0 And PmoNo>0 And PmoChtNo=0 And PmoJunsong=0 "
      "Order By PmoYear, PmoMon, PmoDay, PmoNo, PmoChtNo");
  sel.Bind(0, int(y));
  sel.Bind(1, int(m));
  Recordset rs = sel.Query();
  const int n = rs.RecordCount();
  if (n == 0) return;
  MoneySender sender(yymm);
  for (int i = 1; !rs.Eof(); rs.MoveNext(), ++i) {
    Report(50 + i * 10 / n, PassText(pass, passes, "PanMoney" + yymm + " (" +
                                                       QString::number(i) + "/" +
                                                       QString::number(n) + ")"));
    ClearPanMoneyRecord();
    ReadPanMoneyRecord(rs);
    sender.Send(journal, gtPanMoney);
  }
}

// The unsent event rows of one month.
void SendPosLogRows(SendJournal &journal, int pass, int passes, int16_t y, int16_t m) {
  const QString yymm = FmtYyMm(y, m);
  Statement sel = goDbPos.Prepare(
      "Select * From PosLogs" + yymm +
      " Where PlgYear=? And PlgMon=? And PlgDay>0 And PlgChtNo>0 And PlgSss1=0 "
      "Order By PlgYear, PlgMon, PlgDay, PlgChtNo, PlgTime, PlgNo, PlgSeq");
  sel.Bind(0, int(y));
  sel.Bind(1, int(m));
  Recordset rs = sel.Query();
  const int n = rs.RecordCount();
  if (n == 0) return;
  LogSender sender(yymm);
  for (int i = 1; !rs.Eof(); rs.MoveNext(), ++i) {
    Report(60 + i * 40 / n, PassText(pass, passes, "PosLogs" + yymm + " (" +
                                                       QString::number(i) + "/" +
                                                       QString::number(n) + ")"));
    ClearPosLogsRecord();
    ReadPosLogsRecord(rs);
    sender.Send(journal, gtPosLogs);
  }
}

// The unsent chits of one month, each with its parts.
void SendChits(SendJournal &journal, int pass, int passes, int16_t y, int16_t m) {
  const QString yymm = FmtYyMm(y, m);
  Statement sel = goDbPos.Prepare("Select * From PanChit" + yymm +
                                  " Where PctYear=? And PctMon=? And PctDay>0 And PctChtNo>0 "
                                  "And PctJunsong=0 Order By PctYear, PctMon, PctDay, PctChtNo");
  sel.Bind(0, int(y));
  sel.Bind(1, int(m));
  Recordset rs = sel.Query();
  const int n = rs.RecordCount();
  if (n == 0) return;
  orv::sync::ChitSender sender(yymm, giSendMultiCard != 0);
  for (int i = 1; !rs.Eof(); rs.MoveNext(), ++i) {
    glSendListCnt = glSendDlvCnt = glSendGodsCnt = glSendCardCnt = glSendMoneyCnt = 0;
    glPanChitOnCnt = glPanListOnCnt = 0;
    Report(i * 50 / n, PassText(pass, passes, "PanChit" + yymm + " (" + QString::number(i) +
                                                  "/" + QString::number(n) + ")"));
    // A sale kept offline after a save whose outcome was unknown goes only when that save
    // did not reach the main database; when it did, the offline copy is settled instead
    // (one sale is never booked twice), and when nobody can tell yet it waits.
    if (orv::chit::SettleMarkedSale(goDbMain, NzStr(rs.Field("PctDate")),
                                    WholeOf(rs.Field("PctChtNo"))) !=
        orv::chit::MarkedSale::NotLanded)
      continue;
    sender.Send(journal, rs);
  }
}

// POS month tables (PanChit, PanMoney, PosLogs) that hold unsent rows, oldest first.
std::vector<int16_t> MonthsWithUnsentRows() {
  struct Kind {
    const char *base;
    const char *unsent;
  };
  static const Kind kKinds[] = {
      {"PanChit", "PctDay>0 And PctChtNo>0 And PctJunsong=0"},
      {"PanMoney", "PmoDay>0 And PmoNo>0 And PmoChtNo=0 And PmoJunsong=0"},
      {"PosLogs", "PlgDay>0 And PlgChtNo>0 And PlgSss1=0"},
  };
  std::set<int16_t> out;
  for (const Kind &k : kKinds) {
    const QRegularExpression name(QStringLiteral("^%1(\\d{4})$").arg(QLatin1String(k.base)),
                                  QRegularExpression::CaseInsensitiveOption);
    for (const QString &t : goDbPos.TablesWithPrefix(QLatin1String(k.base))) {
      const auto match = name.match(t);
      if (!match.hasMatch()) continue;
      const int16_t yymm = int16_t(match.captured(1).toInt());
      if (out.count(yymm)) continue;
      const Recordset rs = goDbPos.OpenRecordset("Select Count(*) From " + t + " Where " +
                                                 QLatin1String(k.unsent));
      if (WholeOf(rs.Field(0)) > 0) out.insert(yymm);
    }
  }
  return {out.begin(), out.end()};
}

// The month's sale tables on the working and then the POS connection.
void EnsureMonthTables(int16_t yymm) {
  using Exists = int16_t (*)(const QString &, int16_t, int16_t);
  using Create = void (*)(const QString &, int16_t, int16_t);
  static const std::pair<Exists, Create> kTables[] = {
      {ExistsPanChitTable, CreatePanChitTable},   {ExistsPanListTable, CreatePanListTable},
      {ExistsPanGodsTable, CreatePanGodsTable},   {ExistsPanCardTable, CreatePanCardTable},
      {ExistsPanMoneyTable, CreatePanMoneyTable}, {ExistsDlvChitTable, CreateDlvChitTable},
      {ExistsPosLogsTable, CreatePosLogsTable},
  };
  for (int16_t onPos : {int16_t(0), int16_t(1)})
    for (const auto &[exists, create] : kTables)
      if (!exists({}, yymm, onPos)) create({}, yymm, onPos);
}

}  // namespace

void SplitNowDate() {
  const QString ymd = orv::clock::Now().date().toString("yyyyMMdd");
  giNowYear = int16_t(ymd.left(4).toInt());
  giNowMon = int16_t(ymd.mid(4, 2).toInt());
}

int32_t SendTemData(Connection &conn) {
  const auto fields = TemDataFields();
  Statement probe = conn.Prepare("Select TemChtNo From TemData" + QString(kTemKeyWhere));
  Statement insert = conn.Prepare(InsertSql<TemDataRec>("TemData", fields));
  int32_t no = 0;
  orv::sync::InsertWithRetry(conn, [&] {
    TemDataRec row = gtTemData;
    no = row.TemChtNo;
    for (;;) {
      row.TemChtNo = no;
      BindTemKey(probe, row);
      const Recordset rs = probe.Query();
      if (rs.RecordCount() == 0) break;
      no = WholeOf(rs.Field(0)) + 1;
    }
    orv::chit::BindFields<TemDataRec>(insert, row, fields);
    insert.Execute();
  });
  return no;
}

ClosingRowKeys::LogKey LogKeyOf(const PosLogsRec &r) {
  return {r.PlgYear, r.PlgMon, r.PlgDay, r.PlgChtNo, r.PlgTime, r.PlgNo, r.PlgSeq};
}

std::optional<DbError> SendClosingRows(const ClosingRowKeys &rows) {
  if (!goDbMain.IsOpen() || !goDbPos.IsOpen() || goDbMain.SharesSessionWith(goDbPos))
    return std::nullopt;
  SendJournal journal;
  std::optional<DbError> failure;
  try {
    journal.Load();
    if (rows.temChtNo != 0) {
      TemDataRec key;
      key.TemYear = rows.temYear;
      key.TemMon = rows.temMon;
      key.TemDay = rows.temDay;
      key.TemChtNo = rows.temChtNo;
      Statement sel = goDbPos.Prepare("Select * From TemData" + QString(kTemKeyWhere) +
                                      " And TemSss1=0");
      BindTemKey(sel, key);
      const Recordset rs = sel.Query();
      if (rs.RecordCount() > 0) {
        ClearTemDataRecord();
        ReadTemDataRecord(rs);
        SendTemUnit(journal);
      }
    }
    QString yymm;
    std::optional<LogSender> sender;
    for (const ClosingRowKeys::LogKey &k : rows.logs) {
      const QString month = FmtYyMm(k.year, k.mon);
      orv::schema::MonthSuffix(month.toInt());  // four digits, or an error
      if (month != yymm) {
        yymm = month;
        sender.emplace(yymm);
      }
      PosLogsRec key;
      key.PlgYear = k.year;
      key.PlgMon = k.mon;
      key.PlgDay = k.day;
      key.PlgChtNo = k.chtNo;
      key.PlgTime = k.time;
      key.PlgNo = k.no;
      if (sender->ReadUnsent(key, k.seq)) sender->Send(journal, gtPosLogs);
    }
  } catch (const DbError &e) {
    failure = e;
  }
  try {
    journal.DropTouched();
  } catch (const DbError &e) {
    // Harmless: the rows match nothing unsent and go with the next full send.
    WriteLog(9, "OrvSendJournal: " + e.Description);
  }
  return failure;
}

void SendUnsentData(QLabel *stepLabel, QProgressBar *progress) {
  QWidget *form = stepLabel ? stepLabel->window() : nullptr;
  struct Enable {
    QWidget *form;
    ~Enable() {
      if (form) EnableControls(form);
    }
  } enableAtEnd{form};
  if (form) DisableControls(form);
  SendUnsentData([&](int prs, const QString &text) {
    if (progress && prs >= 0) progress->setValue(prs);
    if (stepLabel) {
      stepLabel->setText(text);
      stepLabel->repaint();
    }
  });
}

namespace {

// The POS halves of the send commit without waiting for the disk: a kill keeps every WAL
// commit, and a commit lost to a power cut is found again through the journal, whose rows
// go only once the POS file was made durable.
class PosCommitsRelaxed {
 public:
  PosCommitsRelaxed() : on_(goDbPos.engine() == orv::db::Engine::SQLite) {
    if (on_) goDbPos.Execute(QStringLiteral("PRAGMA synchronous=NORMAL"));
  }
  ~PosCommitsRelaxed() {
    if (on_) goDbPos.TryExecute(QStringLiteral("PRAGMA synchronous=FULL"));
  }
  // Every commit so far on the disk (the checkpoint syncs the WAL first).
  void MakeDurable() {
    if (on_) goDbPos.OpenRecordset(QStringLiteral("PRAGMA wal_checkpoint(FULL)"));
  }

 private:
  bool on_;
};

}  // namespace

void SendUnsentData(const SendProgress &progress) {
  if (gsSetPosDB.isEmpty() || gsSetMainDB.isEmpty()) return;
  struct Restore {
    SendProgress keep = g_progress;
    ~Restore() { g_progress = keep; }
  } restore;
  g_progress = progress;
  if (goDbMain.SharesSessionWith(goDbPos)) {
    Report(-1, QStringLiteral("* 전송생략 (같은 DB) *"));
    WriteLog(9, QStringLiteral("미전송 자료: 작업 DB와 POS DB가 같아 전송하지 않음"));
    return;
  }
  SplitNowDate();
  giSendMultiCard = int16_t(GetRegInt("PosMultiCardDanSelt"));
  Report(-1, QStringLiteral("* Send Start *"));

  struct ClearAtEnd {
    ~ClearAtEnd() {
      ClearPanChitRecord();
      ClearPanChitTRecord();
      ClearPanGodsRecords();
      ClearPanGodsTRecords();
      ClearPanListRecord();
      ClearPanListTRecord();
      ClearPanCardRecords();
      ClearPanCardTRecords();
      ClearDlvChitRecord();
      ClearPanMoneyRecord();
      ClearPosLogsRecord();
      ClearCstRecord();
      ClearCardLogRecord();
    }
  } clearAtEnd;

  SendJournal journal;
  journal.Load();
  PosCommitsRelaxed relaxed;
  // This month and the month before, then any older month that still holds unsent rows.
  std::vector<std::pair<int16_t, int16_t>> months = {{giNowYear, giNowMon}};
  months.push_back(giNowMon == 1 ? std::pair<int16_t, int16_t>(int16_t(giNowYear - 1), 12)
                                 : std::pair<int16_t, int16_t>(giNowYear, int16_t(giNowMon - 1)));
  for (int16_t yymm : MonthsWithUnsentRows())
    if (yymm != YyMmNum(months[0].first, months[0].second) &&
        yymm != YyMmNum(months[1].first, months[1].second))
      months.push_back({int16_t(2000 + yymm / 100), int16_t(yymm % 100)});
  const int passes = int(months.size());
  for (int pass = 1; pass <= passes; ++pass) {
    const auto [y, m] = months[pass - 1];
    giSendPass = int16_t(pass);
    gsSendYyMm = FmtYyMm(y, m);
    giSendYyMm = int16_t(gsSendYyMm.toInt());
    Report(0, PassText(pass, passes, "PanChit" + gsSendYyMm));
    EnsureMonthTables(giSendYyMm);
    SendChits(journal, pass, passes, y, m);
    Report(50, PassText(pass, passes, "PanMoney" + gsSendYyMm));
    ClearPanMoneyRecord();
    SendPanMoneyRows(journal, pass, passes, y, m);
    Report(60, PassText(pass, passes, "PosLogs" + gsSendYyMm));
    ClearPosLogsRecord();
    SendPosLogRows(journal, pass, passes, y, m);
    Report(100, PassText(pass, passes, "Last"));
  }
  Report(100, QStringLiteral("* TemData *"));
  ClearTemDataRecord();
  SendTemDataRows(journal);
  relaxed.MakeDurable();
  journal.DropAll();
  Report(100, QStringLiteral("* Send End *"));
}
