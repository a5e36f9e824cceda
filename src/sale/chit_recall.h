#pragma once
// The reads behind the recalls of the sale screen: saved chits by number or approval
// number, their lines, the goods, partner and customer of a line or chit, and the
// replacement of a stored held or delivery chit. Database errors reach the caller.
#include <QString>
#include <optional>

#include "core/currency.h"
#include "platform/db.h"

namespace orv::sale {

// The card chits of a date by approval number (totals above 0), by date and number. The
// text is also what the chooser of several such chits opens.
QString CardChitsSql(const QString &yymm, const QString &date, const QString &cmitNo);
// The one card chit picked among them.
QString CardChitPickedSql(const QString &yymm, const QString &date, int32_t chtNo,
                          const QString &cmitNo);
// A chit's header by date and number from table (PanChit + yymm, or PanChitP).
QString ChitByNumberSql(const QString &table, const QString &date, int32_t chtNo);

// The chit's lines from table (PanGods + yymm, or PanGodsP) into gtPanGods 1..n in their
// stored order (at most 150); returns n.
int ReadChitLines(db::Connection &conn, const QString &table, const QString &date,
                  int32_t chtNo);

// Goods by key, prepared once for a whole recall.
class GoodsByKey {
 public:
  explicit GoodsByKey(db::Connection &conn);
  // Empties gtGdsCode, then loads the goods; false when they are gone.
  bool Load(Currency key);

 private:
  db::Statement st_;
};

// The partner's number (TcdNo) by key; nothing when gone.
std::optional<Currency> TraderNoByKey(db::Connection &conn, Currency key);
// The customer's stored barcode (CcdBarcode, trimmed) by key; nothing when gone.
std::optional<QString> CustomerBarcodeByKey(db::Connection &conn, Currency key);

// The held (WatChitT…) or delivery (BdlChit…) chit the sale on screen was recalled from,
// found by its write date, time and total (and number, for a delivery chit), deleted with
// its lines and snapshots, so that saving it again replaces it. Returns whether it was found.
enum class EtcKind { Held, Delivery };
bool DeleteStoredEtcChit(db::Connection &conn, EtcKind kind, const QString &wrtDate,
                         const QString &wrtTime, Currency hab, int32_t chtNo);

}  // namespace orv::sale
