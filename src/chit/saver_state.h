#pragma once
// What the chit savers share: the error text of the last failing step, the number of the
// chit being saved, the numbering option read at each save, and the error text's form.
#include <QString>
#include <cstdint>

#include "core/currency.h"
#include "platform/db.h"

extern QString gsSaveErr;
extern int32_t glSaveChtNo;
extern int16_t giChitNoSeq;

// The credit chit picked on the payment screen for settlement (1 / its number / partner).
extern int16_t giOisangPick;
extern int32_t glOisangChtNo;
extern orv::Currency gcOisangTrsNo;

namespace orv::chit {

// "[" + label + ":" + number + ":" + description + "]".
QString SaveErrText(const QString &label, long number, const QString &description);
inline QString SaveErrText(const QString &label, const orv::db::DbError &e) {
  return SaveErrText(label, e.Number, e.Description);
}
// "name(" + index + ")", the label of a per-line or per-slot step.
inline QString StepLabel(const char *name, int index) {
  return QString::fromLatin1(name) + "(" + QString::number(index) + ")";
}

// A failed step inside a saver: its label, the error, and what the box shows (the failing
// statement, or a fixed message; empty for nothing).
struct StepFailure {
  QString label;
  orv::db::DbError error;
  QString shown;
};

// Begins a transaction on a connection when the saver owns it, and rolls it back unless
// committed: a saver's early return or exception never leaves its transaction open.
class OwnTransaction {
 public:
  OwnTransaction(orv::db::Connection &conn, bool owned) : conn_(conn), owned_(owned) {
    if (owned_) conn_.BeginTrans();
  }
  ~OwnTransaction() { Rollback(); }
  OwnTransaction(const OwnTransaction &) = delete;
  OwnTransaction &operator=(const OwnTransaction &) = delete;
  void Commit() {
    if (owned_ && !done_) {
      done_ = true;
      conn_.CommitTrans();
    }
  }
  void Rollback() noexcept {
    if (owned_ && !done_) {
      done_ = true;
      try {
        conn_.RollbackTrans();
      } catch (const orv::db::DbError &e) {
        orv::db::LogFailure(QStringLiteral("ROLLBACK 실패: %1 %2").arg(e.Number).arg(e.Description));
      } catch (...) {
        orv::db::LogFailure(QStringLiteral("ROLLBACK 실패"));
      }
    }
  }

 private:
  orv::db::Connection &conn_;
  bool owned_;
  bool done_ = false;
};

// The yymm suffix of the work date's month tables ("2403").
QString WorkMonthSuffix();
// The work date as yyyymmdd.
QString WorkDateText();

}  // namespace orv::chit
