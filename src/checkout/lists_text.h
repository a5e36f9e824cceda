#pragma once
// Texts the chit lists and the collection screen show, kept apart from the forms.
#include <QString>

#include "core/currency.h"

namespace orv::checkout {

// Whole won with thousands separators and a leading minus; 0 gives "" ("###,###,###").
QString FormatWon(Currency value);

// The amount boxes' change rule: only 0 to 9 and "-" stay, then the figure is formatted;
// a text without a figure ("", "-") stays as it is.
QString AmountBoxText(const QString &text);
// An entry box refuses texts of this many characters or more.
inline constexpr int kAmountBoxRefused = 14;

// The number in an amount box: commas removed, read as money.
Currency AmountInBox(const QString &text);

// The receivable figures of a partner: ledger balance B (with the month's credit sales),
// the work date's credit sales T and the month's collections C, as the four boxes'
// plain number texts.
struct BalanceTexts {
  QString oiHab;   // C
  QString before;  // B - T
  QString now;     // T
  QString resent;  // B - C
};
BalanceTexts BalanceToTexts(Currency b, Currency t, Currency c);

}  // namespace orv::checkout

namespace orv::checkout {

// A write time hhmmss as the held list shows it: the hour without its leading zero
// ("093015" -> "9:30:15", "000512" -> "0:05:12").
QString HeldTimeText(const QString &hhmmss);
// The delivery and credit lists keep it ("090507" -> "09:05:07").
QString ClockTimeText(const QString &hhmmss);

// Credit list column 2: customer 8 bytes, "/", e-mail 8 bytes, "/", partner 12 bytes.
QString CreditNameText(const QString &customer, const QString &email, const QString &partner);

// One extra delivery line of the held list: name cut and padded to 20 bytes, size text to 16,
// the quantity right-aligned in 4.
QString WatDeliveryLine(const QString &name, const QString &kyg, const QString &qty);

// Recalled chits hold 150 lines at most; a longer one is refused.
inline constexpr int kMaxRecallLines = 150;
inline const QString kTooManyLinesText = QStringLiteral("150줄을 넘는 전표는 불러올 수 없습니다");
inline const QString kCheckTitle = QStringLiteral("확인요망");

}  // namespace orv::checkout
