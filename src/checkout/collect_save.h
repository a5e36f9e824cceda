#pragma once
// Recording a trade partner's payment against its receivable as a chit of kind 9 (no
// goods lines), in the working and the POS database through the pair commit.
#include <QDate>
#include <QString>
#include <cstdint>

#include "core/currency.h"

namespace orv::checkout {

// What the collection screen hands to the save.
struct CollectEntry {
  Currency cash;         // the cash box's amount
  Currency card;         // the card box's amount
  int16_t signFlag = 0;  // what the card form left for the list row's PclSss2
  QString partnerName;   // as the screen shows it, for the event row
  bool fromCashBox = false;  // only the cash box's Enter writes the event row
};

enum class CollectResult {
  Saved,   // the chit is saved; the records, customer and card result are cleared
  Failed,  // nothing saved; the cashier was told; records, customer and card result as before
};

// The whole save. The caller disables and re-enables its boxes, closes its screen on
// Saved and clears the sale screen's grid and customer labels then.
CollectResult SaveCollectChit(const CollectEntry &entry);

// The header and list row of the collection in gtPanChit and gtPanList.
void SetCollectChitHeader(const CollectEntry &entry);
void SetCollectChitList(const CollectEntry &entry);

// The shop's point options as the collection reads them.
struct CollectPointOptions {
  int32_t cashBase = 0;   // PosCstJumsu
  int32_t cardBase = 0;   // PosCstJumsu2
  int32_t perUnit = 0;    // PosCstJumsuPoint (0 counts as 1)
  int32_t cstCard = 0;    // PosCstCard
  int32_t bnsOisangNot = 0;  // PosBnsOisangNot
  int16_t cstIrt = 0;     // giOrvSetCstIrt
  QDate today;
};
CollectPointOptions ReadCollectPointOptions();

// Whether the collection counts for the customer at all, and the points it gives.
struct CollectPoints {
  bool counts = false;
  Currency points;
};
CollectPoints CollectPointsOf(Currency cash, Currency card, const CollectPointOptions &o);

// Books the collection on gtCstCode (visits, totals, points) and fills PclGum01 to 04.
void CalcCollectPoints(const CollectPointOptions &o);
void CalcCollectPoints();

// One event row: number, kind and three texts, on the working connection.
void WriteCollectPosLog(int32_t number, int16_t kind, const QString &text1,
                        const QString &text2, const QString &text3);

}  // namespace orv::checkout
