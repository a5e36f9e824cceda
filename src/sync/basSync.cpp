#include "sync/basSync.h"

#include <QLabel>
#include <QProgressBar>

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

template <class R>
QString InsertSql(const QString &table, std::span<const orv::chit::FieldOf<R>> fields) {
  return "Insert Into " + table + " (" + orv::chit::ColumnList<R>(fields) + ") Values (" +
         orv::chit::Placeholders<R>(fields) + ")";
}

int32_t WholeOf(const QVariant &v) { return int32_t(NzCur(v).RoundToInt()); }

QString DayKey(int16_t y, int16_t m, int16_t d) {
  return QString::asprintf("%04d%02d%02d", int(y), int(m), int(d));
}

// ---- Event rows ----------------------------------------------------------------------------

const char *const kLogKeyWhere =
    " Where PlgYear=? And PlgMon=? And PlgDay=? And PlgChtNo=? And PlgTime=? And PlgNo=? "
    "And PlgSeq=?";

void BindLogKey(Statement &st, const PosLogsRec &r, int32_t seq) {
  st.Bind(0, int(r.PlgYear));
  st.Bind(1, int(r.PlgMon));
  st.Bind(2, int(r.PlgDay));
  st.Bind(3, r.PlgChtNo);
  st.Bind(4, r.PlgTime);
  st.Bind(5, r.PlgNo);
  st.Bind(6, seq);
}

// The event rows of one month table: copied under a free PlgSeq, marked PlgSss1 1.
class LogSender {
 public:
  explicit LogSender(const QString &yymm)
      : probe_(goDbMain.Prepare("Select PlgSeq From PosLogs" + yymm + kLogKeyWhere)),
        insert_(goDbMain.Prepare(InsertSql<PosLogsRec>("PosLogs" + yymm, PosLogsFields()))),
        mark_(goDbPos.Prepare("Update PosLogs" + yymm + " Set PlgSss1=1" + kLogKeyWhere)) {}

  // Copies the row into the main database; returns the PlgSeq it took there.
  int32_t CopyToMain(const PosLogsRec &row) {
    int32_t seq = row.PlgSeq;
    orv::sync::InsertWithRetry(goDbMain, [&] {
      for (;;) {
        BindLogKey(probe_, row, seq);
        const Recordset rs = probe_.Query();
        if (rs.RecordCount() == 0) break;
        seq = WholeOf(rs.Field(0)) + 1;
      }
      PosLogsRec copy = row;
      copy.PlgSeq = seq;
      orv::chit::BindFields<PosLogsRec>(insert_, copy, PosLogsFields());
      insert_.Execute();
    });
    return seq;
  }

  void Send(SendJournal &journal, const PosLogsRec &row) {
    const QString key = DayKey(row.PlgYear, row.PlgMon, row.PlgDay) + "/" +
                        QString::number(row.PlgChtNo) + "/" + row.PlgTime + "/" +
                        QString::number(row.PlgNo) + "/" + QString::number(row.PlgSeq);
    RunUnit(
        journal, "LOG", key, orv::sync::RowDigest<PosLogsRec>(row, PosLogsFields()),
        [&] { return CopyToMain(row); },
        [&](int32_t) {
          BindLogKey(mark_, row, row.PlgSeq);
          mark_.Execute();
        });
  }

 private:
  Statement probe_, insert_, mark_;
};

// ---- Money rows ----------------------------------------------------------------------------

class MoneySender {
 public:
  explicit MoneySender(const QString &yymm)
      : max_(goDbMain.Prepare("Select Max(PmoNo) As PmoNo From PanMoney" + yymm +
                              " Where PmoYear=? And PmoMon=? And PmoDay=?")),
        probe_(goDbMain.Prepare("Select PmoNo From PanMoney" + yymm +
                                " Where PmoYear=? And PmoMon=? And PmoDay=? And PmoNo=?")),
        insert_(goDbMain.Prepare(InsertSql<PanMoneyRec>("PanMoney" + yymm, PanMoneyFields()))),
        mark_(goDbPos.Prepare("Update PanMoney" + yymm +
                              " Set PmoJunsong=1 Where PmoYear=? And PmoMon=? And PmoDay=? "
                              "And PmoNo=? And PmoChtNo=?")) {}

  // Copies the row under the day's highest PmoNo + 1 (past any taken since) and the given
  // chit number; returns the PmoNo.
  int32_t CopyToMain(const PanMoneyRec &row, int32_t chtNo) {
    int32_t no = 0;
    orv::sync::InsertWithRetry(goDbMain, [&] {
      max_.Bind(0, int(row.PmoYear));
      max_.Bind(1, int(row.PmoMon));
      max_.Bind(2, int(row.PmoDay));
      const Recordset top = max_.Query();
      no = top.RecordCount() == 0 ? 1 : WholeOf(top.Field(0)) + 1;
      for (;;) {
        probe_.Bind(0, int(row.PmoYear));
        probe_.Bind(1, int(row.PmoMon));
        probe_.Bind(2, int(row.PmoDay));
        probe_.Bind(3, no);
        const Recordset rs = probe_.Query();
        if (rs.RecordCount() == 0) break;
        no = WholeOf(rs.Field(0)) + 1;
      }
      PanMoneyRec copy = row;
      copy.PmoNo = no;
      copy.PmoChtNo = chtNo;
      orv::chit::BindFields<PanMoneyRec>(insert_, copy, PanMoneyFields());
      insert_.Execute();
    });
    return no;
  }

  void Mark(const PanMoneyRec &row) {
    mark_.Bind(0, int(row.PmoYear));
    mark_.Bind(1, int(row.PmoMon));
    mark_.Bind(2, int(row.PmoDay));
    mark_.Bind(3, row.PmoNo);
    mark_.Bind(4, row.PmoChtNo);
    mark_.Execute();
  }

  // A money row of no chit, as its own unit.
  void Send(SendJournal &journal, const PanMoneyRec &row) {
    const QString key = DayKey(row.PmoYear, row.PmoMon, row.PmoDay) + "/" +
                        QString::number(row.PmoNo) + "/" + QString::number(row.PmoChtNo);
    RunUnit(
        journal, "MNY", key, orv::sync::RowDigest<PanMoneyRec>(row, PanMoneyFields()),
        [&] { return CopyToMain(row, row.PmoChtNo); }, [&](int32_t) { Mark(row); });
  }

 private:
  Statement max_, probe_, insert_, mark_;
};

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
    std::optional<Statement> sel;
    for (const ClosingRowKeys::LogKey &k : rows.logs) {
      const QString month = FmtYyMm(k.year, k.mon);
      orv::schema::MonthSuffix(month.toInt());  // four digits, or an error
      if (month != yymm) {
        yymm = month;
        sender.emplace(yymm);
        sel.emplace(goDbPos.Prepare("Select * From PosLogs" + yymm + kLogKeyWhere +
                                    " And PlgSss1=0"));
      }
      PosLogsRec key;
      key.PlgYear = k.year;
      key.PlgMon = k.mon;
      key.PlgDay = k.day;
      key.PlgChtNo = k.chtNo;
      key.PlgTime = k.time;
      key.PlgNo = k.no;
      BindLogKey(*sel, key, k.seq);
      const Recordset rs = sel->Query();
      if (rs.RecordCount() == 0) continue;
      ClearPosLogsRecord();
      ReadPosLogsRecord(rs);
      sender->Send(journal, gtPosLogs);
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

  SendJournal journal;
  journal.Load();
  int16_t y = giNowYear, m = giNowMon;
  for (int pass = 1; pass <= 2; ++pass) {
    giSendPass = int16_t(pass);
    gsSendYyMm = FmtYyMm(y, m);
    giSendYyMm = int16_t(gsSendYyMm.toInt());
    Report(0, PassText(pass, 2, "PanChit" + gsSendYyMm));
    EnsureMonthTables(giSendYyMm);
    Report(50, PassText(pass, 2, "PanMoney" + gsSendYyMm));
    ClearPanMoneyRecord();
    SendPanMoneyRows(journal, pass, 2, y, m);
    Report(60, PassText(pass, 2, "PosLogs" + gsSendYyMm));
    ClearPosLogsRecord();
    SendPosLogRows(journal, pass, 2, y, m);
    Report(100, "* " + QString::number(pass) + "/2 Last *");
    if (--m == 0) {
      m = 12;
      --y;
    }
  }
  Report(100, QStringLiteral("* TemData *"));
  ClearTemDataRecord();
  SendTemDataRows(journal);
  journal.DropAll();
  Report(100, QStringLiteral("* Send End *"));
}

// Nothing is copied yet, so the copy date stays as it was.
bool CopyCodesByBcp() { return false; }
bool ShowMsgReceive() { return false; }
