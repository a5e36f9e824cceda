#pragma once
// The sales receipt on the printer (Print_Zerdo) and as a text file (Print_File), and the
// one road the callers share: the file when it exists, else the receipt built anew.
#include <QString>
#include <cstdint>

#include "print/receipt_layout.h"

// The identification number of the last receipt built (printed or written).
extern QString gsReceiptIdNo;

// kind: 0 sale, 1 credit settlement, 6 reprint, 8 collection; readChit 1 reads the chit
// back from the database first, 0 prints the chit records in memory. Database failures
// before printing starts reach the caller; later failures show "프린트실패(Print_Zerdo)".
void Print_Zerdo(const QString &chitDate, int32_t chitNo, int32_t kind, int16_t readChit);
// The same receipt into ReceiptFilePath(date, chit number). The file is written whole under
// a temporary name and then renamed; a failure leaves no file of that chit and shows
// "프린트실패(Print_File)". Failing to make the folder or to read the chit back reaches the
// caller.
void Print_File(const QString &chitDate, int32_t chitNo, int32_t kind, int16_t readChit);
// A saved chit's receipt: its text file through PrintReceiptFile(reprint) when the file
// exists, else Print_Zerdo(kind, readChit). The file's failures reach the caller.
void PrintSavedReceipt(const QString &chitDate, int32_t chitNo, int32_t kind, int16_t readChit,
                       int16_t reprint);

orv::Currency ProRataPoints(orv::Currency amount, orv::Currency base, orv::Currency scale);
orv::Currency ProRataAmount(orv::Currency amount, orv::Currency base, orv::Currency scale);
QString VanName(int32_t van);

namespace orv::print {
// The receipt's options, read from OrvRegistry in one query (missing or failing: 0, "").
RcptOptions ReadReceiptOptions();
// The terminal settings the receipt reads; giSetMisuNotPrn afresh from the settings store.
RcptSettings CurrentReceiptSettings();
// The shop's ComCode row; none when the table is empty.
std::optional<RcptShop> ReadShop();
// The month's ledger and chit sums of a partner, on goDbMain.
RcptReceivables ReadReceivables(const QString &date, Currency trsKey, Currency chitCredit);
// Reads the chit, its partner and staff, customer, goods lines (unless kind 8) and list row
// into data. False when the chit is not there.
bool ReadChitBack(const QString &date, int32_t chitNo, int32_t kind, ReceiptData &data);
// The chit records in memory (gtPanChit, its lines, gtPanList, gtCstCode) as receipt data,
// and back: what a receipt changes in them (the records it read back, goods points).
void ReceiptFromRecords(ReceiptData &data);
void ReceiptToRecords(const ReceiptData &data, bool readBack);
// The month suffix of a yyyymmdd date; throws DbError unless it is eight digits.
QString MonthOf(const QString &date);
}  // namespace orv::print

namespace orv::state {
void ResetReceiptState();
}
