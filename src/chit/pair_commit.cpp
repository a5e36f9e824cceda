#include "chit/pair_commit.h"

#include <QSet>

#include "chit/chit_numbers.h"
#include "chit/etc_chits.h"
#include "chit/field_list.h"
#include "chit/records.h"
#include "chit/saver_state.h"
#include "core/dates.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "schema/month_tables.h"
#include "schema/tables.h"

using orv::db::Connection;
using orv::db::DbError;
using orv::db::Recordset;
using orv::db::SqlText;
using orv::db::Transaction;

namespace orv::chit {

namespace {

struct Key {
  QString date;
  int32_t no = 0;
};

std::optional<Key> g_unknown;  // a save whose working commit could not be confirmed
std::function<void(const char *)> g_hook;

void Step(const char *name) {
  if (g_hook) g_hook(name);
}

bool Offline() { return goDbMain.SharesSessionWith(goDbPos); }

QString PosNo() { return QString::number(giSetPosNo); }

QString JournalWhere(const Key &k) {
  return " Where PjnPosNo=" + PosNo() + " And PjnDate=" + SqlText(k.date) +
         " And PjnChtNo=" + QString::number(k.no);
}
QString MarkWhere(const Key &k) {
  return " Where PjdPosNo=" + PosNo() + " And PjdDate=" + SqlText(k.date) +
         " And PjdChtNo=" + QString::number(k.no);
}

QString Opt(const QString &date) { return date.isEmpty() ? QStringLiteral("NULL") : SqlText(date); }

QString JournalInsert(const Key &k, const PosHalfDeletes &d, const QString &oldDate,
                      int32_t oldNo) {
  const QDateTime now = orv::clock::Now();
  return "Insert Into OrvPairJournal(PjnPosNo, PjnDate, PjnChtNo, PjnWatDate, PjnWatNo, "
         "PjnBdlDate, PjnBdlNo, PjnOldDate, PjnOldNo, PjnWrtDate, PjnWrtTime) Values(" +
         PosNo() + "," + SqlText(k.date) + "," + QString::number(k.no) + "," + Opt(d.watDate) +
         "," + QString::number(d.watNo) + "," + Opt(d.bdlDate) + "," +
         QString::number(d.bdlNo) + "," + Opt(oldDate) + "," + QString::number(oldNo) + "," +
         SqlText(now.toString("yyyyMMdd")) + "," + SqlText(now.toString("HHmmss")) + ")";
}

QString UnknownWhere(const QString &date, int32_t no) {
  return " Where PjuDate=" + SqlText(date) + " And PjuChtNo=" + QString::number(no);
}

// The journal keys that offline chits wait on: their rows stay until the chits are settled.
QSet<QString> AwaitedKeys() {
  QSet<QString> out;
  Recordset rs = goDbPos.OpenRecordset(
      "Select PjuMainDate, PjuMainNo From OrvPairUnknown Where PjuPosNo=" + PosNo());
  for (; !rs.Eof(); rs.MoveNext())
    out.insert(NzStr(rs.Field(0)) + ":" + QString::number(NzCur(rs.Field(1)).RoundToInt()));
  return out;
}

QString MarkInsert(const Key &k) {
  return "Insert Into OrvPairDone(PjdPosNo, PjdDate, PjdChtNo) Values(" + PosNo() + "," +
         SqlText(k.date) + "," + QString::number(k.no) + ")";
}

// The records a settlement borrows, put back when it is done.
struct RecordSnapshot {
  PanChitRec chit = gtPanChit, chitT = gtPanChitT;
  PanGodsRec gods = gtPanGods, godsT = gtPanGodsT;
  PanListRec list = gtPanList, listT = gtPanListT;
  PanCardRec card = gtPanCard, cardT = gtPanCardT;
  int32_t saveNo = glSaveChtNo;
  QString saveErr = gsSaveErr;
  int16_t year = giWrkYear, month = giWrkMonth, day = giWrkDay;
  ~RecordSnapshot() {
    gtPanChit = chit;
    gtPanChitT = chitT;
    gtPanGods = gods;
    gtPanGodsT = godsT;
    gtPanList = list;
    gtPanListT = listT;
    gtPanCard = card;
    gtPanCardT = cardT;
    glSaveChtNo = saveNo;
    gsSaveErr = saveErr;
    giWrkYear = year;
    giWrkMonth = month;
    giWrkDay = day;
  }
};

struct JournalRow {
  Key key;
  PosHalfDeletes deletes;
  QString oldDate;
  int32_t oldNo = 0;
};

std::vector<JournalRow> ReadJournal() {
  Recordset rs = goDbMain.OpenRecordset("Select * From OrvPairJournal Where PjnPosNo=" + PosNo() +
                                        " Order By PjnDate, PjnChtNo");
  std::vector<JournalRow> out;
  for (; !rs.Eof(); rs.MoveNext()) {
    JournalRow r;
    r.key.date = NzStr(rs.Field("PjnDate"));
    r.key.no = NarrowWhole<int32_t>(NzCur(rs.Field("PjnChtNo")), "PjnChtNo");
    r.deletes.watDate = NzStr(rs.Field("PjnWatDate"));
    r.deletes.watNo = NarrowWhole<int32_t>(NzCur(rs.Field("PjnWatNo")), "PjnWatNo");
    r.deletes.bdlDate = NzStr(rs.Field("PjnBdlDate"));
    r.deletes.bdlNo = NarrowWhole<int32_t>(NzCur(rs.Field("PjnBdlNo")), "PjnBdlNo");
    r.oldDate = NzStr(rs.Field("PjnOldDate"));
    r.oldNo = NarrowWhole<int32_t>(NzCur(rs.Field("PjnOldNo")), "PjnOldNo");
    out.push_back(r);
  }
  return out;
}

QSet<QString> ReadMarks() {
  Recordset rs =
      goDbPos.OpenRecordset("Select PjdDate, PjdChtNo From OrvPairDone Where PjdPosNo=" + PosNo());
  QSet<QString> out;
  for (; !rs.Eof(); rs.MoveNext())
    out.insert(NzStr(rs.Field(0)) + ":" + QString::number(NzCur(rs.Field(1)).RoundToInt()));
  return out;
}
QString MarkId(const Key &k) { return k.date + ":" + QString::number(k.no); }

// Writes the POS copy of one journal row in one POS transaction, with its mark. The
// chit is read back as stored; the copy keeps its date and number unless the number is
// taken among the POS copies. Returns the chit for the cashier's message.
PanChitRec WriteCopyAgain(const JournalRow &row) {
  RecordSnapshot keep;
  const QString &date = row.key.date;
  giWrkYear = int16_t(date.left(4).toInt());
  giWrkMonth = int16_t(date.mid(4, 2).toInt());
  giWrkDay = int16_t(date.mid(6, 2).toInt());
  const QString yymm = FmtYyMm(giWrkYear, giWrkMonth);
  const QString no = QString::number(row.key.no);

  ClearPanChitRecord();
  ClearPanListRecord();
  ClearPanGodsRecords();
  ClearPanCardRecords();
  Recordset head = goDbMain.OpenRecordset("Select * From PanChit" + yymm + " Where " +
                                          DateWhere("Pct", date) + " And PctChtNo=" + no);
  if (head.RecordCount() == 0) return {};  // nothing was saved under this row
  ReadPanChitRecord(head);
  Recordset list = goDbMain.OpenRecordset("Select * From PanList" + yymm + " Where " +
                                          DateWhere("Pcl", date) + " And PclChtNo=" + no +
                                          " Order By PclPosNo, PclSel");
  if (list.RecordCount() > 0) ReadPanListRecord(list);
  Recordset gods = goDbMain.OpenRecordset("Select * From PanGods" + yymm + " Where " +
                                          DateWhere("Pcg", date) + " And PcgChtNo=" + no +
                                          " Order By PcgSeqNo");
  for (int i = 1; !gods.Eof() && i <= kMaxChitLines; gods.MoveNext(), ++i)
    ReadPanGodsRecord(gods, i);
  Recordset cards = goDbMain.OpenRecordset("Select * From PanCard" + yymm + " Where " +
                                           DateWhere("Pcd", date) + " And PcdChtNo=" + no +
                                           " Order By PcdSeqNo");
  for (; !cards.Eof(); cards.MoveNext()) {
    const int64_t slot = NzCur(cards.Field("PcdSeqNo")).RoundToInt();
    if (slot >= 0 && slot <= kMaxCardSlots) ReadPanCardRecord(cards, int(slot));
  }
  const PanChitRec saved = gtPanChit;

  Transaction tx(goDbPos);
  gtPanChitT = gtPanChit;
  gtPanGodsT = gtPanGods;
  gtPanListT = gtPanList;
  gtPanCardT = gtPanCard;
  if (!row.oldDate.isEmpty()) {
    PanChitRec oldCopy;
    oldCopy.PctDate = row.oldDate;
    oldCopy.PctChtNo = row.oldNo;
    const PanChitRec copy = gtPanChitT;
    gtPanChitT = oldCopy;
    goDbPos.Execute(gsPanChitTDelSql());
    goDbPos.Execute(gsPanGodsTDelSql());
    goDbPos.Execute(gsPanListTDelSql());
    gtPanChitT = copy;
  }
  const int32_t number = FirstFreeChitNo(goDbPos, "PanChitT" + yymm, "Pct", date, row.key.no);
  try {
    WritePosCopy(number, row.deletes);
  } catch (const StepFailure &f) {
    throw f.error;
  }
  goDbPos.Execute(MarkInsert(row.key));
  tx.Commit();
  return saved;
}

void TellSettled(const PanChitRec &c) {
  const QString time = c.PctWrttime.size() == 6
                           ? c.PctWrttime.left(2) + ":" + c.PctWrttime.mid(2, 2) + ":" +
                                 c.PctWrttime.mid(4, 2)
                           : c.PctWrttime;
  orv::dialogs::MsgBox(QStringLiteral("이전 판매가 저장되었습니다") + "\r\n" +
                           QStringLiteral("전표번호 : ") + QString::number(c.PctChtNo) + "\r\n" +
                           QStringLiteral("합계 : ") + c.PctHab.ToPlainText() + "\r\n" +
                           QStringLiteral("시간 : ") + time,
                       orv::dialogs::kInformation, kPairTitle);
}

// Settles the rows without a mark; returns the rows that have one, for the caller to drop.
// A row an offline chit waits on stays until that chit is settled.
std::vector<Key> SettleUnmarked(int &written) {
  std::vector<Key> done;
  const QSet<QString> marks = ReadMarks();
  const QSet<QString> awaited = AwaitedKeys();
  for (const JournalRow &row : ReadJournal()) {
    const bool marked = marks.contains(MarkId(row.key));
    if (!marked) {
      const PanChitRec c = WriteCopyAgain(row);
      if (c.PctChtNo != 0) {
        ++written;
        TellSettled(c);
      }
    }
    if (!awaited.contains(MarkId(row.key))) done.push_back(row.key);
  }
  return done;
}

}  // namespace

void EnsurePairTables() {
  if (!orv::schema::ExistsTable(goDbMain, "OrvPairJournal"))
    orv::schema::CreateTable(goDbMain, "OrvPairJournal");
  if (!orv::schema::ExistsTable(goDbPos, "OrvPairDone"))
    orv::schema::CreateTable(goDbPos, "OrvPairDone");
  if (!orv::schema::ExistsTable(goDbPos, "OrvPairUnknown"))
    orv::schema::CreateTable(goDbPos, "OrvPairUnknown");
}

MarkedSale SettleMarkedSale(Connection &main, const QString &chitDate, int32_t chitNo) {
  if (!orv::schema::ExistsTable(goDbPos, "OrvPairUnknown")) return MarkedSale::NotLanded;
  Recordset mark = goDbPos.OpenRecordset("Select PjuMainDate, PjuMainNo From OrvPairUnknown" +
                                         UnknownWhere(chitDate, chitNo));
  if (mark.RecordCount() == 0) return MarkedSale::NotLanded;
  const Key earlier{NzStr(mark.Field(0)), int32_t(NzCur(mark.Field(1)).RoundToInt())};
  bool landed = false;
  try {
    landed = main.OpenRecordset("Select PjnChtNo From OrvPairJournal" + JournalWhere(earlier))
                 .RecordCount() > 0;
  } catch (const DbError &) {
    return MarkedSale::CannotTell;
  }
  Transaction tx(goDbPos);
  if (landed) {
    const QString yymm = FmtYyMm(int16_t(chitDate.left(4).toInt()),
                                 int16_t(chitDate.mid(4, 2).toInt()));
    const QString no = QString::number(chitNo);
    const std::pair<const char *, const char *> parts[] = {
        {"PanChit", "Pct"}, {"PanGods", "Pcg"}, {"PanList", "Pcl"}, {"PanCard", "Pcd"}};
    for (const auto &[table, p] : parts)
      for (const QString &suffix : {QString(), QStringLiteral("T")}) {
        const QString name = QString(table) + suffix + yymm;
        if (orv::schema::ExistsTable(goDbPos, name))
          goDbPos.Execute("Delete From " + name + " Where " + DateWhere(p, chitDate) + " And " +
                          p + "ChtNo=" + no);
      }
  }
  goDbPos.Execute("Delete From OrvPairUnknown" + UnknownWhere(chitDate, chitNo));
  tx.Commit();
  return landed ? MarkedSale::Landed : MarkedSale::NotLanded;
}

int SettlePairJournal() {
  if (Offline() || !goDbMain.IsOpen() || !goDbPos.IsOpen()) return 0;
  EnsurePairTables();
  int written = 0;
  const std::vector<Key> done = SettleUnmarked(written);
  // Drop what is settled: the journal row first, then its mark (a mark without a row is
  // harmless and goes with the next pass).
  for (const Key &k : done) goDbMain.Execute("Delete From OrvPairJournal" + JournalWhere(k));
  QSet<QString> rows;
  for (const JournalRow &r : ReadJournal()) rows.insert(MarkId(r.key));
  Recordset marks =
      goDbPos.OpenRecordset("Select PjdDate, PjdChtNo From OrvPairDone Where PjdPosNo=" + PosNo());
  for (; !marks.Eof(); marks.MoveNext()) {
    const Key k{NzStr(marks.Field(0)), int32_t(NzCur(marks.Field(1)).RoundToInt())};
    if (!rows.contains(MarkId(k))) goDbPos.Execute("Delete From OrvPairDone" + MarkWhere(k));
  }
  return written;
}

void ForgetUnknownPairSave() { g_unknown.reset(); }
bool PairSaveOutcomeUnknown() { return g_unknown.has_value(); }
void SetPairStepHook(std::function<void(const char *)> hook) { g_hook = std::move(hook); }

namespace {

const QString kUnknownText = QStringLiteral("메인 저장 여부를 확인할 수 없습니다");
const QString kCopyPendingText =
    QStringLiteral("판매는 저장되었습니다. POS 사본은 다음 저장 때 다시 씁니다");

PairOutcome Unknown() { return {PairResult::Unknown, kUnknownText}; }

// While an earlier save's outcome is unknown, the chit saved here carries its journal key,
// so the send asks the main database before it books the sale a second time.
PairOutcome OfflinePair(const std::function<QString()> &work) {
  try {
    if (g_unknown && !orv::schema::ExistsTable(goDbPos, "OrvPairUnknown"))
      orv::schema::CreateTable(goDbPos, "OrvPairUnknown");
    Transaction main(goDbMain);
    Transaction pos(goDbPos);
    const QString err = work();
    if (!err.isEmpty()) return {PairResult::Failed, err};
    if (g_unknown) {
      goDbPos.Execute("Delete From OrvPairUnknown" +
                      UnknownWhere(gtPanChit.PctDate, gtPanChit.PctChtNo));
      goDbPos.Execute("Insert Into OrvPairUnknown(PjuDate, PjuChtNo, PjuPosNo, PjuMainDate, "
                      "PjuMainNo) Values(" + SqlText(gtPanChit.PctDate) + "," +
                      QString::number(gtPanChit.PctChtNo) + "," + PosNo() + "," +
                      SqlText(g_unknown->date) + "," + QString::number(g_unknown->no) + ")");
    }
    Step("main-commit");
    main.Commit();
    Step("pos-commit");
    pos.Commit();  // the one commit that reaches the database
    g_unknown.reset();
    return {PairResult::Saved, {}};
  } catch (const DbError &e) {
    return {PairResult::Failed, SaveErrText("PairCommit", e)};
  }
}

}  // namespace

PairOutcome PairCommit(const std::function<QString()> &work, const QString &replacedDate,
                       int32_t replacedNo) {
  if (Offline()) return OfflinePair(work);

  // An earlier save whose working commit went unconfirmed: read the journal first.
  if (g_unknown) {
    try {
      const bool saved = goDbMain
                             .OpenRecordset("Select PjnChtNo From OrvPairJournal" +
                                            JournalWhere(*g_unknown))
                             .RecordCount() > 0;
      g_unknown.reset();
      if (saved) {
        SettlePairJournal();
        return {PairResult::CopyPending, {}};
      }
    } catch (const DbError &) {
      return Unknown();
    }
  }

  std::vector<Key> settled;
  try {
    EnsurePairTables();
    int written = 0;
    settled = SettleUnmarked(written);
  } catch (const DbError &e) {
    return {PairResult::Failed, SaveErrText("SettlePairJournal", e)};
  }

  std::optional<Transaction> main, pos;
  Key key;
  try {
    main.emplace(goDbMain);
    pos.emplace(goDbPos);
    const QString err = work();
    if (!err.isEmpty()) return {PairResult::Failed, err};
    key = {gtPanChit.PctDate, gtPanChit.PctChtNo};
    // Rows settled before this pair leave with it, without commits of their own.
    for (const Key &k : settled) {
      goDbMain.Execute("Delete From OrvPairJournal" + JournalWhere(k));
      goDbPos.Execute("Delete From OrvPairDone" + MarkWhere(k));
    }
    goDbMain.Execute(JournalInsert(key, gPosHalfDeletes, replacedDate, replacedNo));
    goDbPos.Execute(MarkInsert(key));
  } catch (const DbError &e) {
    return {PairResult::Failed, SaveErrText("PairCommit", e)};
  }

  Step("main-commit");
  try {
    main->Commit();
  } catch (const DbError &e) {
    // The commit may have gone through all the same: the journal says.
    try {
      const bool saved =
          goDbMain.OpenRecordset("Select PjnChtNo From OrvPairJournal" + JournalWhere(key))
              .RecordCount() > 0;
      if (!saved) return {PairResult::Failed, SaveErrText("PairCommit", e)};
    } catch (const DbError &) {
      pos->Rollback();
      g_unknown = key;
      return Unknown();
    }
  }

  Step("pos-commit");
  try {
    pos->Commit();
    return {PairResult::Saved, {}};
  } catch (const DbError &) {
  }
  // The sale is saved; write its copy again at once, else at the next settlement.
  try {
    if (!goDbMain.IsOpen() || !goDbPos.IsOpen())
      throw DbError(orv::db::kErrNotOpen, QStringLiteral("연결이 열려 있지 않습니다"));
    SettlePairJournal();
    return {PairResult::Saved, {}};
  } catch (const DbError &) {
    orv::dialogs::MsgBox(kCopyPendingText, orv::dialogs::kExclamation, kPairTitle);
    return {PairResult::CopyPending, {}};
  }
}

}  // namespace orv::chit
