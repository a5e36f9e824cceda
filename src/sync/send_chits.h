#pragma once
// The senders of one month's unsent rows, each row or chit one unit (send_units.h).
#include <QString>
#include <cstdint>

#include "chit/pan_money.h"
#include "chit/pos_logs.h"
#include "platform/db.h"
#include "sync/send_units.h"

namespace orv::sync {

// Money rows: a new PmoNo of their day in the main database (the day's highest + 1, past
// any taken since), marked PmoJunsong 1 by their POS number.
class MoneySender {
 public:
  explicit MoneySender(const QString &yymm);
  int32_t CopyToMain(const PanMoneyRec &row, int32_t chtNo);
  // The row under a number already picked, deferred to the unit's commit.
  void Queue(const PanMoneyRec &row, int32_t no, int32_t chtNo);
  void Mark(const PanMoneyRec &row);
  // A money row of no chit, as its own unit.
  void Send(SendJournal &journal, const PanMoneyRec &row);

 private:
  db::Statement next_, insert_, mark_;
};

// Event rows: under their PlgSeq or the next free one, marked PlgSss1 1.
class LogSender {
 public:
  explicit LogSender(const QString &yymm);
  int32_t CopyToMain(const PosLogsRec &row);
  void Send(SendJournal &journal, const PosLogsRec &row);
  // The unsent row of a key, when there is one (into gtPosLogs).
  bool ReadUnsent(const PosLogsRec &key, int32_t seq);

 private:
  db::Statement pick_, insert_, mark_, select_;
};

// A chit with its list, delivery, goods, card and money rows and its member copies: every
// row read is copied, under the first chit number free for its day in the main database;
// the POS rows are marked, the Off copies move to the On queue under the main number.
class ChitSender {
 public:
  ChitSender(const QString &yymm, bool multiCard);
  ~ChitSender();
  // The chit of the current row of the unsent-chit recordset.
  void Send(SendJournal &journal, const db::Recordset &head);

 private:
  struct Impl;
  Impl *d_;
};

}  // namespace orv::sync
