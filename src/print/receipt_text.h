#pragma once
// The fixed-width pieces every printed layout is made of (40 columns, counted in CP949
// bytes where a text may hold Hangul), and where receipt text files live.
#include <QDate>
#include <QString>
#include <cstdint>

#include "core/currency.h"
#include "core/text_format.h"

namespace orv::print {

inline constexpr int kWidth = 40;

// An amount with thousands separators; the empty text when it rounds to 0 ("###,###,###").
QString F(orv::Currency x);
// The plain decimal text ("0" for 0, no separators).
QString N(orv::Currency x);
// x right-aligned in n characters (a longer x loses its leftmost characters).
QString R(int n, const QString &x);
// The first n characters of x, padded with blanks.
QString L(int n, const QString &x);
// The same in bytes of the code page (a syllable cut in half becomes a blank; a text of
// blanks only gives the empty text, as the byte-width helpers do).
QString RB(int n, const QString &x);
QString LB(int n, const QString &x);
// 40 "-".
QString Dash();
// The mask formatter lives with the other formatters (core/text_format.h).
using ::FormatAt;
// A business number of ten digits as ###-##-#####; any other text as it is.
QString SaupNoText(const QString &text);

// The receipt text file of a chit: <data>/OrvBackup/Print/<yyyymmdd>/<giOnLine><chitNo>.txt.
// onLine is the working mode at the time of writing or looking (1 online, 2 offline).
QString ReceiptFilePath(const QString &date, int32_t chitNo, int16_t onLine);
// The same for the current giOnLine.
QString ReceiptFilePath(const QString &date, int32_t chitNo);

}  // namespace orv::print
