#pragma once
// The card log (table CardLog on the POS database): a row before a request goes out, one
// when its reply is back and one with the outcome; and the barcode-payment record (KzbCard)
// that keeps the whole KakaoPay or ZeroPay barcode for a later cancel.
#include <QString>
#include <cstdint>

#include "core/currency.h"

// Barcode-payment state shared by the card forms, the scan form and the network branches.
extern int16_t giKzPayKind;   // 0 card, 1 KakaoPay, 2 ZeroPay
extern int16_t giKzScanOpen;  // 1 while the scan form is shown from a card form
extern QString gsKzBarcode;
extern QString gsKzKakaoGbn;
extern orv::Currency gcKzReqGum;
extern orv::Currency gcKzDcGum;

namespace orv::van {
// ClgData holds this many code-page bytes; a longer text is cut at a whole character.
constexpr int kCardLogDataBytes = 1024;
}  // namespace orv::van

// Fills gtCardLog for one row: now, this checkout, the cashier, the text without NULs and
// trimmed, the kind, the terminal id and the network.
void MakeCardLogRecord(const QString &text, int16_t kind);
// Numbers gtCardLog within its day and inserts it on goDbPos, in one transaction.
// Throws DbError; gtCardLog.ClgChtNo holds the number given.
void WriteCardLog();
// MakeCardLogRecord then WriteCardLog.
void CardLogRow(const QString &text, int16_t kind);
// "tag : " and the last eight digits of the amount text without its commas.
QString CardLogRequestText(const QString &tag, const QString &amountText);

// Trims the date, the number and the caller's barcode itself, and inserts the row.
// Throws DbError (a second row of the same kind, date and number among others).
void WriteKzbBars(int16_t kind, const QString &cmitDate, const QString &cmitNo,
                  QString &barcode);
// The stored barcode, trimmed, or "?" when there is none.
QString ReadKzbBars(int16_t kind, const QString &cmitDate, const QString &cmitNo);

namespace orv::state {
void ResetKzState();
}
