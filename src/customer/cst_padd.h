#pragma once
// Crediting the points of an earlier receipt, sold without a customer, to a member: the
// chit named by its receipt code (or date and number), the member, the write, and the two
// point printouts.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "core/currency.h"

namespace orv::padd {

// The 14 digits of a receipt: yymmdd, six-digit chit number, two check digits.
struct ReceiptCode {
  int year = 0, mon = 0, day = 0;
  int32_t chtNo = 0;
  int check = 0;
};
std::optional<ReceiptCode> ParseReceiptCode(const QString &digits);

struct ChitPoints {
  Currency hab, chk, cstKey;  // PctHab, PctChk, PctCstKey
  int32_t cstNo = 0;          // the customer already on the chit
  QString cstName;
};
// PanChit<yymm> on goDbMain (nothing when any value is 0 or the month has no table); the
// customer on the chit from the point server when ts, else from goDbMain.
ChitPoints ReadPanChitPoint(int year, int mon, int day, int32_t chtNo, bool ts);

struct Customer {
  Currency key;
  int32_t no = 0;
  QString barcode, name, email, tel, hp, juso;
  Currency zerdo, jumsu;  // as read
};
// kind 0 by number, 1 by barcode, 2 by number or barcode equal to the text. Empty (key 0)
// when nobody matches.
Customer ReadCstForPoints(int kind, int32_t number, const QString &text, bool ts);

// The save's checks in order; the message of the first that fails, empty when all pass.
QString CheckCredit(int32_t chtNo, const ChitPoints &chit, const Customer &cst, int year,
                    int mon, int day, int wrkYear, int wrkMonth);

enum class CreditResult { Credited, NoCustomer, AlreadyCredited };
// The chit gets the customer's key (only where it still has none), the customer's totals
// grow by the chit's amount and points (the totals only by positive figures) and a ledger
// row is written (CstWnjg; on the point server CstWnjgT<chit's yymm> with the shop's
// number). ts: chit on goDbMain, customer on goDbTs, the shop's commit first; when the
// point server's commit then fails the chit's claim is taken back. Nothing stays written
// unless Credited; database errors go to the caller with everything rolled back.
CreditResult CreditChit(int year, int mon, int day, int32_t chtNo, const ChitPoints &chit,
                        Currency cstKey, bool ts);

// The two printouts as lines (titles without the printer codes).
struct PrintInput {
  int wrkYear = 0, wrkMonth = 0, wrkDay = 0;
  QString time;  // hh:mm:ss
  QString chitLine;  // "yyyy.mm.dd-nnnnnn"
  Customer cst;
  Currency yPoint, point, nPoint;
  int posNo = 0;
  Currency pcdNo;
  QString pcdName;
};
QStringList PointAddedLines(const PrintInput &in);
QStringList CurrentPointLines(const PrintInput &in);
// Sends the lines (the first as the double-width title) to the receipt printer; nothing
// when no printer is set. Printer errors go to the caller.
void PrintLines(const QStringList &lines);

}  // namespace orv::padd
