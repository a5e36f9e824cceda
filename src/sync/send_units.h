#pragma once
// Units of the send to the main database: one chit with its parts, one money row, one event
// row or one closing summary. A unit's main half and a row of OrvSendJournal commit together
// on goDbMain; its POS half (marks, deletes, the member queue) then commits on goDbPos. A unit
// whose POS half was lost (a kill or an error between the two commits) is found in the journal
// by its POS key and the digest of its row and gets its POS half only, so nothing is lost and
// nothing reaches the main database twice.
#include <QCryptographicHash>
#include <QHash>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "chit/field_list.h"
#include "chit/records.h"
#include "core/values.h"
#include "platform/db.h"

namespace orv::sync {

// SHA-256 (hex) of a record's fields as the reader read them (texts trimmed, numbers as
// their plain decimal), leaving out the field named `skip`.
template <class R>
QString RowDigest(const R &rec, std::span<const chit::FieldOf<R>> fields, const char *skip = nullptr) {
  QCryptographicHash h(QCryptographicHash::Sha256);
  for (const chit::FieldOf<R> &f : fields) {
    if (skip && qstrcmp(f.name, skip) == 0) continue;
    const QString text = std::visit(
        [&](auto m) -> QString {
          using T = std::remove_cvref_t<decltype(rec.*m)>;
          if constexpr (std::is_same_v<T, QString>)
            return (rec.*m).trimmed();
          else if constexpr (std::is_same_v<T, orv::Currency>)
            return (rec.*m).ToPlainText();
          else
            return QString::number(rec.*m);
        },
        f.member);
    h.addData(QByteArray(f.name));
    h.addData(QByteArrayView("=", 1));
    h.addData(text.toUtf8());
    h.addData(QByteArrayView("\x1f", 1));
  }
  return QString::fromLatin1(h.result().toHex());
}

template <class R>
QString InsertSql(const QString &table, std::span<const chit::FieldOf<R>> fields) {
  return "Insert Into " + table + " (" + chit::ColumnList<R>(fields) + ") Values (" +
         chit::Placeholders<R>(fields) + ")";
}

inline int32_t WholeOf(const QVariant &v) { return int32_t(NzCur(v).RoundToInt()); }

// A member's totals raised by one visit and a chit's purchase and points (bound in that order:
// purchase, points, purchase, points, key). A total the shop never set counts from 0: NULL + 1
// would stay NULL, and the member's visits and points would never grow.
inline constexpr char kRaiseCstTotalsSql[] =
    "Update CstCode Set CcdTcnt=COALESCE(CcdTcnt, 0) + 1, CcdTzerdo=COALESCE(CcdTzerdo, 0) + ?, "
    "CcdTjumsu=COALESCE(CcdTjumsu, 0) + ?, CcdCnt=COALESCE(CcdCnt, 0) + 1, "
    "CcdZerdo=COALESCE(CcdZerdo, 0) + ?, CcdJumsu=COALESCE(CcdJumsu, 0) + ? Where CcdKey=?";

// yyyymmdd, the start of a unit's key.
inline QString DayKey(int16_t y, int16_t m, int16_t d) {
  return QString::asprintf("%04d%02d%02d", int(y), int(m), int(d));
}

// This POS's rows of the journal, read once per send.
class SendJournal {
 public:
  // Makes the table on goDbMain where missing and reads this POS's rows.
  void Load();
  // The number the main database gave a unit already sent, if it was.
  std::optional<int32_t> Find(const QString &kind, const QString &key, const QString &digest) const;
  // Inside the unit's main transaction; goes to the server with its commit.
  void Record(const QString &kind, const QString &key, const QString &digest, int32_t mainNo);
  // The unit's row as the main database holds it now (a run whose session outlived it may
  // have committed it after Load).
  std::optional<int32_t> Lookup(const QString &kind, const QString &key, const QString &digest);
  // The unit's POS half is under way: its row goes with DropTouched.
  void Touch(const QString &kind, const QString &key, const QString &digest, int32_t mainNo);
  // Every row of this POS: once every unit walked has its POS half committed.
  void DropAll();
  // The rows of the units recorded or found through this object.
  void DropTouched();

 private:
  static QString Id(const QString &kind, const QString &key, const QString &digest);
  struct Row {
    QString kind, key, digest;
  };
  QHash<QString, int32_t> rows_;
  std::vector<Row> touched_;
  db::Statement insert_, lookup_;
};

// Runs one unit. The main half returns the number the main database gave the row; the POS
// half gets that number. Both transactions roll back on any error, which reaches the
// caller. When another writer took the number the main half picked (a unique key), its
// transaction rolls back and the half runs again, taking its turn first (up to five tries).
// Returns the main number.
int32_t RunUnit(SendJournal &journal, const QString &kind, const QString &key,
                const QString &digest, const std::function<int32_t()> &mainHalf,
                const std::function<void(int32_t mainNo)> &posHalf);

// Test hook: called with a step name ("main-half", "main-commit", "pos-commit", "pos-done").
void SetSendStepHook(std::function<void(const char *step)> hook);
void SendStep(const char *step);

// Checkouts sending at once into PostgreSQL take turns at numbering, each holding the turn
// to its unit's commit. TakeTurn waits for it alone; TurnColumn adds the wait to a numbering
// query (", …" or nothing), saving a round trip: a query that waited picks from before the
// other's commit, and a clash then sends the unit again through TakeTurn.
void TakeTurn(db::Connection &conn);
QString TurnColumn(const db::Connection &conn);

// An expression for the first number from a bound one on that no row of table holds where
// `where` (with '?' marks) holds. Binds: the number, where's values, the number again,
// where's values again.
QString FirstFreeSql(const QString &table, const QString &number, const QString &where);

// Runs an insert under a savepoint; when another writer took the key in between, picks
// again and retries, up to five tries in all; then the error reaches the caller.
void InsertWithRetry(db::Connection &conn, const std::function<void()> &pickAndInsert);

}  // namespace orv::sync
