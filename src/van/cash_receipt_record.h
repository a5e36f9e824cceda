#pragma once
// What an approved cash receipt leaves behind: the record its opener stores, the printed
// receipt and the event row. None of these catches anything: errors reach the caller.
#include <QString>
#include <cstdint>

// The date, terminal, cashier and time fields of gtPanMoney (the numbers, amount and card
// number are set before).
void FillCashReceiptRecord(const QString &memberNo);

// The customer's receipt from gtPanMoney: the title by saup (0 consumer, 1 business, other
// none), the shop's header from ComCode on goDbMain (empty when the table has no row), the
// network's terminal and member numbers. One job to the receipt printer.
void PrintCashReceipt(int16_t saup, const QString &termNo, const QString &memberNo);
// The receipt's lines, as PrintCashReceipt puts them into the print buffer.
QStringList CashReceiptLines(int16_t saup, const QString &termNo, const QString &memberNo);

// One row into PosLogs of the present month on goDbMain, against the last saved chit.
void AddCashReceiptLog(int32_t logNo, int16_t kind, const QString &text1, const QString &text2,
                       const QString &text3);
// The event row's first text: member number, amount, approval date and number.
QString CashReceiptLogText(const QString &memberNo);
