#include "sync/send_chits.h"

#include <map>

#include <vector>

#include "chit/records.h"
#include "core/globals.h"
#include "core/values.h"
#include "schema/tables.h"
#include "sync/basSync.h"

using orv::db::Recordset;
using orv::db::Statement;

namespace orv::sync {

namespace {

const char *const kLogKeyWhere =
    " Where PlgYear=? And PlgMon=? And PlgDay=? And PlgChtNo=? And PlgTime=? And PlgNo=? "
    "And PlgSeq=?";

// The key but its PlgSeq, from position `first`.
void BindLogDay(Statement &st, const PosLogsRec &r, int first) {
  st.Bind(first, int(r.PlgYear));
  st.Bind(first + 1, int(r.PlgMon));
  st.Bind(first + 2, int(r.PlgDay));
  st.Bind(first + 3, r.PlgChtNo);
  st.Bind(first + 4, r.PlgTime);
  st.Bind(first + 5, r.PlgNo);
}

void BindLogKey(Statement &st, const PosLogsRec &r, int32_t seq) {
  BindLogDay(st, r, 0);
  st.Bind(6, seq);
}

void BindDay(Statement &st, int16_t y, int16_t m, int16_t d, int first = 0) {
  st.Bind(first, int(y));
  st.Bind(first + 1, int(m));
  st.Bind(first + 2, int(d));
}

}  // namespace

// ---- Event rows ----------------------------------------------------------------------------

const char *const kLogDayWhere =
    "PlgYear=? And PlgMon=? And PlgDay=? And PlgChtNo=? And PlgTime=? And PlgNo=?";

LogSender::LogSender(const QString &yymm)
    : pick_(goDbMain.Prepare("Select " +
                             FirstFreeSql("PosLogs" + yymm, "PlgSeq", kLogDayWhere) +
                             " As PlgSeq" + TurnColumn(goDbMain))),
      insert_(goDbMain.Prepare(InsertSql<PosLogsRec>("PosLogs" + yymm, PosLogsFields()))),
      mark_(goDbPos.Prepare("Update PosLogs" + yymm + " Set PlgSss1=1" + kLogKeyWhere)),
      select_(goDbPos.Prepare("Select * From PosLogs" + yymm + kLogKeyWhere + " And PlgSss1=0")) {}

int32_t LogSender::CopyToMain(const PosLogsRec &row) {
  // The first free PlgSeq from the row's own on; the insert goes with the unit's commit.
  for (int first : {0, 7}) {
    pick_.Bind(first, row.PlgSeq);
    BindLogDay(pick_, row, first + 1);
  }
  const Recordset rs = pick_.Query();
  PosLogsRec copy = row;
  copy.PlgSeq = WholeOf(rs.Field(0));
  chit::BindFields<PosLogsRec>(insert_, copy, PosLogsFields());
  insert_.Defer();
  return copy.PlgSeq;
}

bool LogSender::ReadUnsent(const PosLogsRec &key, int32_t seq) {
  BindLogKey(select_, key, seq);
  const Recordset rs = select_.Query();
  if (rs.RecordCount() == 0) return false;
  ClearPosLogsRecord();
  ReadPosLogsRecord(rs);
  return true;
}

void LogSender::Send(SendJournal &journal, const PosLogsRec &row) {
  const QString key = DayKey(row.PlgYear, row.PlgMon, row.PlgDay) + "/" +
                      QString::number(row.PlgChtNo) + "/" + row.PlgTime + "/" +
                      QString::number(row.PlgNo) + "/" + QString::number(row.PlgSeq);
  RunUnit(
      journal, "LOG", key, RowDigest<PosLogsRec>(row, PosLogsFields()),
      [&] { return CopyToMain(row); },
      [&](int32_t) {
        BindLogKey(mark_, row, row.PlgSeq);
        mark_.Execute();
      });
}

// ---- Money rows ----------------------------------------------------------------------------

MoneySender::MoneySender(const QString &yymm)
    : next_(goDbMain.Prepare("Select Coalesce(Max(PmoNo), 0) + 1 As PmoNo" +
                             TurnColumn(goDbMain) + " From PanMoney" + yymm +
                             " Where PmoYear=? And PmoMon=? And PmoDay=?")),
      insert_(goDbMain.Prepare(InsertSql<PanMoneyRec>("PanMoney" + yymm, PanMoneyFields()))),
      mark_(goDbPos.Prepare("Update PanMoney" + yymm +
                            " Set PmoJunsong=1 Where PmoYear=? And PmoMon=? And PmoDay=? "
                            "And PmoNo=? And PmoChtNo=?")) {}

int32_t MoneySender::CopyToMain(const PanMoneyRec &row, int32_t chtNo) {
  BindDay(next_, row.PmoYear, row.PmoMon, row.PmoDay);
  const int32_t no = WholeOf(next_.Query().Field(0));
  Queue(row, no, chtNo);
  return no;
}

void MoneySender::Queue(const PanMoneyRec &row, int32_t no, int32_t chtNo) {
  PanMoneyRec copy = row;
  copy.PmoNo = no;
  copy.PmoChtNo = chtNo;
  chit::BindFields<PanMoneyRec>(insert_, copy, PanMoneyFields());
  insert_.Defer();
}

void MoneySender::Mark(const PanMoneyRec &row) {
  BindDay(mark_, row.PmoYear, row.PmoMon, row.PmoDay);
  mark_.Bind(3, row.PmoNo);
  mark_.Bind(4, row.PmoChtNo);
  mark_.Execute();
}

void MoneySender::Send(SendJournal &journal, const PanMoneyRec &row) {
  const QString key = DayKey(row.PmoYear, row.PmoMon, row.PmoDay) + "/" +
                      QString::number(row.PmoNo) + "/" + QString::number(row.PmoChtNo);
  RunUnit(
      journal, "MNY", key, RowDigest<PanMoneyRec>(row, PanMoneyFields()),
      [&] { return CopyToMain(row, row.PmoChtNo); }, [&](int32_t) { Mark(row); });
}

// ---- Chits ---------------------------------------------------------------------------------

namespace {

// "Insert Into On (cols) Select cols From Off Where key", the chit number bound first.
QString RequeueSql(const char *on, const char *off, const char *numberColumn,
                   const QString &keyWhere) {
  const schema::TableDef *def = schema::FindTable(QLatin1String(on));
  QStringList cols, picks;
  for (const schema::ColumnDef &c : def->columns) {
    cols << QLatin1String(c.name);
    picks << (qstricmp(c.name, numberColumn) == 0 ? QStringLiteral("CAST(? AS int)")
                                                  : QLatin1String(c.name));
  }
  return "Insert Into " + QLatin1String(on) + " (" + cols.join(", ") + ") Select " +
         picks.join(", ") + " From " + QLatin1String(off) + keyWhere;
}

// The date as well as its parts: the tables' keys run year, month, day, date, number, so
// only all five find the chit without walking the whole day.
QString KeyWhere(const char *p, const char *number) {
  return QString(" Where %1Year=? And %1Mon=? And %1Day=? And %1Date=? And %2=?").arg(p, number);
}

}  // namespace

struct ChitSender::Impl {
  QString yymm;
  bool multiCard;
  MoneySender money;
  // POS reads of the chit's parts.
  Statement selList, selDlv, selGods, selCard, selMoney, cntChitOff, cntListOff;
  // Main half.
  Statement pick, insChit, insList, updCst, insDlv, insCard;
  // POS half.
  Statement markChit, markGods, markDlv, markMoney, delChitOn, reqChit, delListOn, reqList,
      delChitOff, delListOff;

  Impl(const QString &m, bool card)
      : yymm(m), multiCard(card), money(m),
        selList(goDbPos.Prepare("Select * From PanList" + m + KeyWhere("Pcl", "PclChtNo") +
                                " And PclSel=0 Order By PclPosNo, PclPsnKey")),
        selDlv(goDbPos.Prepare("Select * From DlvChit" + m + KeyWhere("Dlv", "DlvNo") +
                               " Order By DlvChtNo")),
        selGods(goDbPos.Prepare("Select * From PanGods" + m + KeyWhere("Pcg", "PcgChtNo") +
                                " Order By PcgSeqNo")),
        selCard(goDbPos.Prepare("Select * From PanCard" + m + KeyWhere("Pcd", "PcdChtNo") +
                                " Order By PcdSeqNo")),
        selMoney(goDbPos.Prepare("Select * From PanMoney" + m + KeyWhere("Pmo", "PmoChtNo") +
                                 " Order By PmoNo")),
        cntChitOff(goDbPos.Prepare("Select Count(*) From PanChitOff" + KeyWhere("Pct", "PctChtNo"))),
        cntListOff(goDbPos.Prepare("Select Count(*) From PanListOff" + KeyWhere("Pcl", "PclChtNo") +
                                   " And PclSel=0")),
        // The chit's number and its money rows' first, in one round trip.
        pick(goDbMain.Prepare(
            "Select " +
            FirstFreeSql("PanChit" + m, "PctChtNo",
                         "PctYear=? And PctMon=? And PctDay=? And PctDate=?") +
            " As PctChtNo, (Select Coalesce(Max(PmoNo), 0) + 1 From PanMoney" + m +
            " Where PmoYear=? And PmoMon=? And PmoDay=?) As PmoNo" + TurnColumn(goDbMain))),
        insChit(goDbMain.Prepare(InsertSql<PanChitRec>("PanChit" + m, chit::Fields<PanChitRec>()))),
        insList(goDbMain.Prepare(InsertSql<PanListRec>("PanList" + m, chit::Fields<PanListRec>()))),
        updCst(goDbMain.Prepare(QLatin1String(kRaiseCstTotalsSql))),
        insDlv(goDbMain.Prepare(InsertSql<DlvChitRec>("DlvChit" + m, chit::Fields<DlvChitRec>()))),
        insCard(goDbMain.Prepare(InsertSql<PanCardSlot>("PanCard" + m, chit::Fields<PanCardSlot>()))),
        markChit(goDbPos.Prepare("Update PanChit" + m + " Set PctJunsong=1" + KeyWhere("Pct", "PctChtNo"))),
        markGods(goDbPos.Prepare("Update PanGods" + m + " Set PcgJunsong=1" + KeyWhere("Pcg", "PcgChtNo"))),
        markDlv(goDbPos.Prepare("Update DlvChit" + m + " Set DlvJunsong=1" + KeyWhere("Dlv", "DlvNo"))),
        markMoney(goDbPos.Prepare("Update PanMoney" + m + " Set PmoJunsong=1" + KeyWhere("Pmo", "PmoChtNo"))),
        delChitOn(goDbPos.Prepare(
            "Delete From PanChitOn Where PctYear=? And PctMon=? And PctDay=? And PctDate=? "
            "And PctChtNo=? "
            "And PctComNo In (Select PctComNo From PanChitOff" + KeyWhere("Pct", "PctChtNo") + ")")),
        reqChit(goDbPos.Prepare(RequeueSql("PanChitOn", "PanChitOff", "PctChtNo",
                                           KeyWhere("Pct", "PctChtNo")))),
        delListOn(goDbPos.Prepare(
            "Delete From PanListOn Where PclYear=? And PclMon=? And PclDay=? And PclDate=? "
            "And PclChtNo=? "
            "And PclComNo In (Select PclComNo From PanListOff" + KeyWhere("Pcl", "PclChtNo") +
            " And PclSel=0)")),
        reqList(goDbPos.Prepare(RequeueSql("PanListOn", "PanListOff", "PclChtNo",
                                           KeyWhere("Pcl", "PclChtNo") + " And PclSel=0"))),
        delChitOff(goDbPos.Prepare("Delete From PanChitOff" + KeyWhere("Pct", "PctChtNo"))),
        delListOff(goDbPos.Prepare("Delete From PanListOff" + KeyWhere("Pcl", "PclChtNo") +
                                   " And PclSel=0")) {}

  // The chit's lines go as multi-row inserts (one round trip to the server per batch).
  static constexpr int kLinesPerInsert = 50;
  std::map<int, Statement> godsInserts;
  Statement &GodsInsert(int rows) {
    auto it = godsInserts.find(rows);
    if (it != godsInserts.end()) return it->second;
    const auto fields = chit::Fields<PanGodsLine>();
    QStringList groups;
    for (int i = 0; i < rows; ++i) groups << "(" + chit::Placeholders<PanGodsLine>(fields) + ")";
    return godsInserts
        .emplace(rows, goDbMain.Prepare("Insert Into PanGods" + yymm + " (" +
                                        chit::ColumnList<PanGodsLine>(fields) + ") Values " +
                                        groups.join(",")))
        .first->second;
  }
  void InsertLines(const std::vector<PanGodsLine> &lines) {
    for (std::size_t at = 0; at < lines.size(); at += kLinesPerInsert) {
      const int n = int(std::min<std::size_t>(kLinesPerInsert, lines.size() - at));
      Statement &st = GodsInsert(n);
      int pos = 0;
      for (int i = 0; i < n; ++i)
        pos = chit::BindFields<PanGodsLine>(st, lines[at + i], chit::Fields<PanGodsLine>(), pos);
      st.Defer();
    }
  }

  QString date;  // of the chit in hand
  void BindKey(Statement &st, int first = 0) {
    BindDay(st, giSendYear, giSendMon, giSendDay, first);
    st.Bind(first + 3, date);
    st.Bind(first + 4, glSendChtNo);
  }
  int32_t Count(Statement &st) {
    BindKey(st);
    const Recordset rs = st.Query();
    return rs.RecordCount() == 0 ? 0 : WholeOf(rs.Field(0));
  }
  template <class R>
  std::vector<R> Read(Statement &st) {
    BindKey(st);
    std::vector<R> out;
    Recordset rs = st.Query();
    for (; !rs.Eof(); rs.MoveNext()) {
      R rec{};
      chit::ReadFields<R>(rs, rec, chit::Fields<R>());
      out.push_back(std::move(rec));
    }
    return out;
  }
};

ChitSender::ChitSender(const QString &yymm, bool multiCard) : d_(new Impl(yymm, multiCard)) {}
ChitSender::~ChitSender() { delete d_; }

void ChitSender::Send(SendJournal &journal, const db::Recordset &head) {
  Impl &d = *d_;
  ClearPanChitRecord();
  ReadPanChitRecord(head);
  gtPanChit.PctJunsong = 1;
  const PanChitRec chitRow = gtPanChit;
  giSendYear = chitRow.PctYear;
  giSendMon = chitRow.PctMon;
  giSendDay = chitRow.PctDay;
  glSendChtNo = chitRow.PctChtNo;
  d.date = chitRow.PctDate;

  const std::vector<PanListRec> lists = d.Read<PanListRec>(d.selList);
  const std::vector<DlvChitRec> dlvs = d.Read<DlvChitRec>(d.selDlv);
  std::vector<PanGodsLine> gods = d.Read<PanGodsLine>(d.selGods);
  std::vector<PanCardSlot> cards;
  if (d.multiCard) cards = d.Read<PanCardSlot>(d.selCard);
  std::vector<PanMoneyRec> moneys;
  {
    d.BindKey(d.selMoney);
    Recordset rs = d.selMoney.Query();
    for (; !rs.Eof(); rs.MoveNext()) {
      ClearPanMoneyRecord();
      ReadPanMoneyRecord(rs);
      moneys.push_back(gtPanMoney);
    }
  }
  glSendListCnt = int32_t(lists.size());
  glSendDlvCnt = int32_t(dlvs.size());
  glSendGodsCnt = int32_t(gods.size());
  glSendCardCnt = int32_t(cards.size());
  glSendMoneyCnt = int32_t(moneys.size());
  glPanChitOnCnt = d.Count(d.cntChitOff);
  glPanListOnCnt = d.Count(d.cntListOff);
  for (PanGodsLine &g : gods)
    if (!g.PcgGdsKey.IsZero()) g.PcgJunsong = 1;

  const QString key = DayKey(chitRow.PctYear, chitRow.PctMon, chitRow.PctDay) + "/" +
                      QString::number(chitRow.PctChtNo);
  auto mainHalf = [&]() -> int32_t {
    for (int first : {0, 5}) {
      d.pick.Bind(first, chitRow.PctChtNo);
      BindDay(d.pick, chitRow.PctYear, chitRow.PctMon, chitRow.PctDay, first + 1);
      d.pick.Bind(first + 4, chitRow.PctDate);
    }
    BindDay(d.pick, chitRow.PctYear, chitRow.PctMon, chitRow.PctDay, 10);
    const Recordset picked = d.pick.Query();
    const int32_t no = WholeOf(picked.Field(0));
    int32_t moneyNo = WholeOf(picked.Field(1));
    // Every row from here goes to the server with the unit's commit.
    {
      PanChitRec c = chitRow;
      c.PctChtNo = no;
      chit::BindFields<PanChitRec>(d.insChit, c, chit::Fields<PanChitRec>());
      d.insChit.Defer();
      Currency sales, points;
      for (PanListRec l : lists) {
        l.PclChtNo = no;
        chit::BindFields<PanListRec>(d.insList, l, chit::Fields<PanListRec>());
        d.insList.Defer();
        const auto s = Currency::Add(sales, l.PclGum01);
        const auto p = Currency::Add(points, l.PclGum02);
        if (!s || !p) throw db::DbError(6, QStringLiteral("오버플로: PclGum01"));
        sales = *s;
        points = *p;
      }
      if (!lists.empty() && !chitRow.PctCstKey.IsZero()) {
        d.updCst.Bind(0, BindCur(sales));
        d.updCst.Bind(1, BindCur(points));
        d.updCst.Bind(2, BindCur(sales));
        d.updCst.Bind(3, BindCur(points));
        d.updCst.Bind(4, BindCur(chitRow.PctCstKey));
        d.updCst.Defer();
      }
      for (DlvChitRec v : dlvs) {
        v.DlvNo = no;
        chit::BindFields<DlvChitRec>(d.insDlv, v, chit::Fields<DlvChitRec>());
        d.insDlv.Defer();
      }
      std::vector<PanGodsLine> lines;
      for (PanGodsLine g : gods) {
        if (g.PcgGdsKey.IsZero()) continue;
        g.PcgChtNo = no;
        lines.push_back(std::move(g));
      }
      d.InsertLines(lines);
      for (PanCardSlot c : cards) {
        if (c.PcdSeqNo < 0 || c.PcdSeqNo >= kMaxCardSlots || !c.InUse()) continue;
        c.PcdChtNo = no;
        chit::BindFields<PanCardSlot>(d.insCard, c, chit::Fields<PanCardSlot>());
        d.insCard.Defer();
      }
    }
    for (const PanMoneyRec &m : moneys) d.money.Queue(m, moneyNo++, no);
    return no;
  };
  auto posHalf = [&](int32_t no) {
    for (Statement *st : {&d.markChit, &d.markGods, &d.markDlv, &d.markMoney}) {
      d.BindKey(*st);
      st->Execute();
    }
    if (glPanChitOnCnt > 0) {
      BindDay(d.delChitOn, giSendYear, giSendMon, giSendDay);
      d.delChitOn.Bind(3, d.date);
      d.delChitOn.Bind(4, no);
      d.BindKey(d.delChitOn, 5);
      d.delChitOn.Execute();
      d.reqChit.Bind(0, no);
      d.BindKey(d.reqChit, 1);
      d.reqChit.Execute();
    }
    if (glPanListOnCnt > 0) {
      BindDay(d.delListOn, giSendYear, giSendMon, giSendDay);
      d.delListOn.Bind(3, d.date);
      d.delListOn.Bind(4, no);
      d.BindKey(d.delListOn, 5);
      d.delListOn.Execute();
      d.reqList.Bind(0, no);
      d.BindKey(d.reqList, 1);
      d.reqList.Execute();
    }
    d.BindKey(d.delChitOff);
    d.delChitOff.Execute();
    d.BindKey(d.delListOff);
    d.delListOff.Execute();
  };
  RunUnit(journal, "CHT", key, RowDigest<PanChitRec>(chitRow, chit::Fields<PanChitRec>()),
          mainHalf, posHalf);
}

}  // namespace orv::sync
