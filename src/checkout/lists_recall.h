#pragma once
// What the held-sale and delivery-chit lists share: the goods name a row shows, and the
// recall of a chit into the held or delivery records.
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/db.h"

namespace orv::checkout {

enum class EtcKind { Held, Delivery };

// The name of a chit's dearest goods line (then the first by sequence), read through one
// prepared statement on goDbPos; nullopt for a chit without lines.
class TopGoodsReader {
 public:
  explicit TopGoodsReader(EtcKind kind);
  std::optional<QString> Name(const QString &date, int32_t no);

 private:
  db::Statement st_;
};

enum class RecallResult { Recalled, NotFound, TooLong };

// Reads the chit of that date and number (POS database) into gtWatChit, gtWatGods and
// gtWatGodsSpeed, or the delivery records, lines by sequence. A chit of more than 150
// lines or snapshot rows is refused with a message and the records are left alone.
// Database errors reach the caller.
RecallResult RecallEtcChit(EtcKind kind, const QString &date, int32_t no);

// A list's pick: the sale records emptied, then the chit recalled. A database error is
// reported and leaves that kind's records empty. False only when the chit is refused as
// too long, so the list stays open.
bool RecallListedChit(EtcKind kind, const QString &date, int32_t no);

}  // namespace orv::checkout
