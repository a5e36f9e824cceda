#pragma once
// A save that spans the working and the POS database: a sale is whole in both or in
// neither. Online the two databases commit one after the other; a journal row written in
// the working transaction and a mark written in the POS transaction close the gap: a row
// without its mark is a sale whose POS copy is missing, and the copy is written again from
// the working database (after every login and before every pair). Offline both connections
// share one transaction and nothing is durable before the second commit.
#include <QString>
#include <cstdint>
#include <functional>

#include "chit/sale_savers.h"
#include "platform/db.h"

namespace orv::chit {

enum class PairResult {
  Saved,        // both halves committed (or the copy written again at once)
  CopyPending,  // the sale is saved; its POS copy is written by the next settlement
  Failed,       // nothing was saved; the text says why
  Unknown,      // the working database went away during its commit: the outcome is unread
};

struct PairOutcome {
  PairResult result = PairResult::Failed;
  QString error;  // Failed: the saver's or the database's error text
  bool saved() const { return result == PairResult::Saved || result == PairResult::CopyPending; }
};

// Begins transactions on goDbMain, then goDbPos; runs work (the savers and the caller's
// own statements, "" for success); commits goDbMain, then goDbPos; on any failure rolls
// both back. The journal key is the sale chit in gtPanChit after work; the POS half's
// deletes are those gsPanChitTInsert made, plus a replaced POS copy (replacedDate "" for
// none). While an earlier save's outcome is unknown, a new save online is refused (Unknown)
// until the journal can be read; a save offline is kept with a mark naming that earlier
// save, and SettleMarkedSale decides at the send whether it goes to the main database.
// PairCommit shows no box of its own for Unknown: the caller shows the error once.
PairOutcome PairCommit(const std::function<QString()> &work, const QString &replacedDate = {},
                       int32_t replacedNo = 0);

// Writes the missing POS copies of this checkout's sales (rows without a mark) from the
// working database, each in one POS transaction, and tells the cashier of each; drops
// settled rows. The chit records in memory are kept as they were. Nothing happens
// offline. Returns how many copies were written; errors reach the caller (DbError).
int SettlePairJournal();

// Makes the journal tables where missing (journal on goDbMain, marks on goDbPos).
void EnsurePairTables();

// Whether an unsent chit of the POS database (a sale saved offline) may be sent: an earlier
// save of the same sale, whose outcome was unknown, may have reached the main database.
enum class MarkedSale {
  NotLanded,   // send it (an unmarked chit is NotLanded; the mark goes)
  Landed,      // the sale is in the main database: the chit and its POS copy are deleted
               // from the POS database, nothing is sent; the journal's settlement writes
               // the POS copy from the main database
  CannotTell,  // the main database's journal could not be read: nothing changes, send
               // nothing now
};
// main: the connection to the main database. Runs outside any transaction; the POS side is
// goDbPos. Errors of the POS database reach the caller (DbError).
MarkedSale SettleMarkedSale(orv::db::Connection &main, const QString &chitDate, int32_t chitNo);

// The cashier dropped the sale whose save outcome was unknown.
void ForgetUnknownPairSave();
bool PairSaveOutcomeUnknown();

// Test hook: called with a step name ("main-commit", "pos-commit") before that step runs.
void SetPairStepHook(std::function<void(const char *step)> hook);

inline const QString kPairTitle = QStringLiteral("저장확인");

}  // namespace orv::chit
