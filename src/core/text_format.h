#pragma once
// Number formatting, tolerant number parsing, the SQL-text cleaners and the splitters.
//
// Formatters take a blank-on-zero flag: exactly 1 turns a zero value into "".
// Masks round halves away from zero (2.5 shows as 3), group every three digits with ","
// and show a negative value with a leading "-".
#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>

#include "core/currency.h"

// --- Formatters --------------------------------------------------------------------------
QString FmtLng(int32_t value, int16_t blankFlag);   // "#0"
QString FmtLng2(int32_t value, int16_t blankFlag);  // "###0", the same output
QString FmtAmt(orv::Currency value, int16_t blankFlag);   // "1,234,567", whole numbers
QString FmtAmt2(orv::Currency value, int16_t blankFlag);  // "1,234.50", two decimals
// FmtAmt2 without ".00": "1,234" for whole amounts, "1,234.50" for others.
QString FmtAmtDec(orv::Currency value, int16_t blankFlag);
// The plain text after "0000000000", cut to its last ten characters ("00000012.5").
QString ZeroPad10(orv::Currency value, int16_t blankFlag);
// The plain text of the value ("1234.5").
QString CurStr(orv::Currency value, int16_t blankFlag);
// A text laid into a mask of '@' places, filled from the right ("20241205" in
// "@@@@.@@.@@" gives "2024.12.05"); places without a character are blanks (an empty date
// gives "    .  .  "), characters beyond the places stand in front.
QString FormatAt(const QString &text, const QString &mask);

// --- Rounding ----------------------------------------------------------------------------
// The nearest whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
// Not a number gives 0; values beyond the 64-bit range give its nearest end.
int64_t RoundHalfEven(double value);

// --- Parsers (keep some characters, cap the length, read the leading number) ------------
// Digits, "+", "-", "." (all of them); the first 9 kept; rounded down, made positive.
int32_t ValAbsLng(const QString &text);
// Digits, "+", "-" up to the first "."; the first 14 kept.
orv::Currency ValCur(const QString &text);
// Digits, "+", "-" and one "." with at most two decimals; the first 14 kept.
orv::Currency ValCurDec(const QString &text);

// --- SQL-text cleaners ---------------------------------------------------------------------
// These make a value fit to stand between single quotes by turning every ' and " into a
// back-quote (`), changing the stored text. Statement builders that must keep the text
// as typed quote it with orv::db::SqlText (platform/db.h) instead.
QString SqlQuoteFix(const QString &text);
// Trimmed, cleaned, trimmed again.
QString SqlStr(const QString &text);
// Trimmed, cut to `width` bytes of whole characters (LeftByte), cleaned, trimmed again.
QString SqlStrCut(const QString &text, int16_t width);
// The value as text (null gives ""), trimmed, cleaned; then, when width is not 0, cut to
// that many bytes (LeftByte) and trimmed again.
QString SqlText(const QVariant &value, int32_t width);

// --- Splitters ---------------------------------------------------------------------------
// Delimiter codes: 1 ",", 2 tab, 3 blank, 4 line feed, 5 ";", 6 carriage return; any other
// code "'". With keepFlag 0 the text and every part are trimmed. An empty text gives 0 and
// leaves the array as it was. Parts fill slots 1 to n; slot 0 is never used and slots
// above n keep what an earlier split left there. Read the array before splitting again.
//
// A text with more parts than the array holds is a range failure: the parts up to the
// limit are filled (untrimmed), the kept count stays 0, and the result is kSplitOverflow.
constexpr int kSplitOverflow = -1;

extern std::array<QString, 10001> gsSplitWord;
extern int32_t glSplitWordCount;  // n of the last SplitText or SplitSpace
extern std::array<QString, 1001> gsSplitItem;
extern int16_t giSplitItemCount;  // n of the last SplitText2

int32_t SplitText(const QString &text, int16_t delimiterCode, int16_t keepFlag);
int16_t SplitText2(const QString &text, int16_t delimiterCode, int16_t keepFlag);
// Words separated by runs of blanks (tabs are not separators), into gsSplitWord.
int16_t SplitSpace(const QString &text);

namespace orv::state {
void ResetSplitArrays();
}
