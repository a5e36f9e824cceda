#include "sync/send_units.h"

#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/values.h"
#include "platform/clock.h"
#include "schema/tables.h"

namespace orv::sync {

namespace {
std::function<void(const char *)> g_hook;
constexpr int kInsertTries = 5;
}  // namespace

void SetSendStepHook(std::function<void(const char *)> hook) { g_hook = std::move(hook); }
void SendStep(const char *step) {
  if (g_hook) g_hook(step);
}

QString SendJournal::Id(const QString &kind, const QString &key, const QString &digest) {
  return kind + '\x1f' + key + '\x1f' + digest;
}

void SendJournal::Load() {
  if (!schema::ExistsTable(goDbMain, "OrvSendJournal"))
    schema::CreateTable(goDbMain, "OrvSendJournal");
  rows_.clear();
  touched_.clear();
  db::Statement st = goDbMain.Prepare(
      "Select SjnKind, SjnKey, SjnDigest, SjnMainNo From OrvSendJournal Where SjnPosNo=?");
  st.Bind(0, int(giSetPosNo));
  db::Recordset rs = st.Query();
  for (; !rs.Eof(); rs.MoveNext())
    rows_.insert(Id(NzStr(rs.Field(0)), NzStr(rs.Field(1)), NzStr(rs.Field(2))),
                 int32_t(NzCur(rs.Field(3)).RoundToInt()));
  insert_ = goDbMain.Prepare(
      "Insert Into OrvSendJournal(SjnPosNo, SjnKind, SjnKey, SjnDigest, SjnMainNo, SjnWrtDate, "
      "SjnWrtTime) Values(?,?,?,?,?,?,?)");
  lookup_ = goDbMain.Prepare(
      "Select SjnMainNo From OrvSendJournal Where SjnPosNo=? And SjnKind=? And SjnKey=? And "
      "SjnDigest=?");
}

std::optional<int32_t> SendJournal::Lookup(const QString &kind, const QString &key,
                                           const QString &digest) {
  lookup_.Bind(0, int(giSetPosNo));
  lookup_.Bind(1, kind);
  lookup_.Bind(2, key);
  lookup_.Bind(3, digest);
  const db::Recordset rs = lookup_.Query();
  if (rs.RecordCount() == 0) return std::nullopt;
  const int32_t no = int32_t(NzCur(rs.Field(0)).RoundToInt());
  rows_.insert(Id(kind, key, digest), no);
  return no;
}

std::optional<int32_t> SendJournal::Find(const QString &kind, const QString &key,
                                         const QString &digest) const {
  const auto it = rows_.constFind(Id(kind, key, digest));
  if (it == rows_.constEnd()) return std::nullopt;
  return *it;
}

void SendJournal::Record(const QString &kind, const QString &key, const QString &digest,
                         int32_t mainNo) {
  const QDateTime now = clock::Now();
  insert_.Bind(0, int(giSetPosNo));
  insert_.Bind(1, kind);
  insert_.Bind(2, key);
  insert_.Bind(3, digest);
  insert_.Bind(4, mainNo);
  insert_.Bind(5, now.toString("yyyyMMdd"));
  insert_.Bind(6, now.toString("HHmmss"));
  insert_.Defer();
}

void SendJournal::Touch(const QString &kind, const QString &key, const QString &digest,
                        int32_t mainNo) {
  touched_.push_back({kind, key, digest});
  rows_.insert(Id(kind, key, digest), mainNo);
}

void SendJournal::DropAll() {
  db::Statement st = goDbMain.Prepare("Delete From OrvSendJournal Where SjnPosNo=?");
  st.Bind(0, int(giSetPosNo));
  st.Execute();
  rows_.clear();
  touched_.clear();
}

void SendJournal::DropTouched() {
  if (touched_.empty()) return;
  db::Statement st = goDbMain.Prepare(
      "Delete From OrvSendJournal Where SjnPosNo=? And SjnKind=? And SjnKey=? And SjnDigest=?");
  db::Transaction tx(goDbMain);
  for (const Row &r : touched_) {
    st.Bind(0, int(giSetPosNo));
    st.Bind(1, r.kind);
    st.Bind(2, r.key);
    st.Bind(3, r.digest);
    st.Execute();
    rows_.remove(Id(r.kind, r.key, r.digest));
  }
  tx.Commit();
  touched_.clear();
}

int32_t RunUnit(SendJournal &journal, const QString &kind, const QString &key,
                const QString &digest, const std::function<int32_t()> &mainHalf,
                const std::function<void(int32_t)> &posHalf) {
  std::optional<int32_t> mainNo = journal.Find(kind, key, digest);
  for (int attempt = 1; !mainNo; ++attempt) {
    try {
      db::Transaction main(goDbMain);
      if (attempt > 1) TakeTurn(goDbMain);
      const int32_t no = mainHalf();
      SendStep("main-half");
      journal.Record(kind, key, digest, no);
      SendStep("main-commit");
      main.Commit();
      mainNo = no;
    } catch (const db::DbError &e) {
      // Inside a caller's transaction nothing can be tried again.
      if (!e.IsUniqueViolation() || attempt >= kInsertTries || goDbMain.TransLevel() > 0) throw;
      // The clash may be the unit's own journal row, committed by a run killed mid-commit.
      mainNo = journal.Lookup(kind, key, digest);
    }
  }
  SendStep("pos-commit");
  db::Transaction pos(goDbPos);
  posHalf(*mainNo);
  pos.Commit();
  // Only now may its journal row go: until the POS half commits, the row is what stops a
  // second send.
  journal.Touch(kind, key, digest, *mainNo);
  SendStep("pos-done");
  return *mainNo;
}

// Checkouts sending at once would pick the same free numbers, and the loser of each race
// could lose the next one too. (SQLite lets one writer in at a time anyway.)
void TakeTurn(db::Connection &conn) {
  if (conn.engine() == db::Engine::PostgreSQL && conn.TransLevel() > 0)
    conn.OpenRecordset(QStringLiteral("Select pg_advisory_xact_lock(701319)"));
}

QString TurnColumn(const db::Connection &conn) {
  return conn.engine() == db::Engine::PostgreSQL
             ? QStringLiteral(", pg_advisory_xact_lock(701319) As SjnTurn")
             : QString();
}

QString FirstFreeSql(const QString &table, const QString &number, const QString &where) {
  return "(Select Min(c.n) From (Select CAST(? AS int) As n Union All Select " + number +
         " + 1 From " + table + " Where " + where + " And " + number + " >= ?) c Where Not "
         "Exists (Select 1 From " + table + " Where " + where + " And " + number + " = c.n))";
}

void InsertWithRetry(db::Connection &conn, const std::function<void()> &pickAndInsert) {
  TakeTurn(conn);
  for (int attempt = 1;; ++attempt) {
    const std::optional<db::DbError> err = conn.TryBatch(pickAndInsert);
    if (!err) return;
    if (!err->IsUniqueViolation() || attempt >= kInsertTries) throw *err;
  }
}

}  // namespace orv::sync
