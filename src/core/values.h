#pragma once
// Stored and typed values to money and text, the money arithmetic, code forms, the EAN
// check digit, the lookup collation and the character filters. Pure functions: no state,
// no device, no database, no message.
//
// Conventions: trimming removes blanks (U+0020) only; text comparisons go by code unit;
// a flag argument acts only when it is exactly 1.
#include <QString>
#include <QStringView>
#include <QVariant>
#include <concepts>
#include <cstdint>
#include <optional>

#include "core/currency.h"

// The text without leading and trailing blanks (tabs and other white space stay).
QString TrimBlanks(const QString &text);
QStringView TrimBlanks(QStringView text);

// --- Stored values ---------------------------------------------------------------------
// The value as text, trimmed, read by the leading-number rule (core/leading_number.h) as
// money: null, empty and non-numeric values give 0; "1,234" gives 1; "  12.5kg" 12.5.
// A number outside the money range gives 0 here; NzCurChecked reports it as nullopt.
orv::Currency NzCur(const QVariant &value);
orv::Currency NzCur(const QString &text);
orv::Currency NzCur(const char *text);
orv::Currency NzCur(double value);
inline orv::Currency NzCur(orv::Currency value) { return value; }
orv::Currency NzCurWhole(int64_t value);
template <std::integral T>
orv::Currency NzCur(T value) {
  return NzCurWhole(int64_t(value));
}
std::optional<orv::Currency> NzCurChecked(const QVariant &value);

// The value as text, trimmed: null and empty give "".
QString NzStr(const QVariant &value);
QString NzStr(const QString &text);
QString NzStr(const char *text);
QString NzStr(double value);
QString NzStrWhole(int64_t value);
template <std::integral T>
QString NzStr(T value) {
  return NzStrWhole(int64_t(value));
}
// The same rule under the second name some modules call.
template <class T>
QString NzStr2(const T &value) {
  return NzStr(value);
}

// A key or amount as a value to bind: a whole number when it is one (keys are numeric
// columns on both engines), else its decimal text.
QVariant BindCur(orv::Currency value);

// --- Money arithmetic ------------------------------------------------------------------
// Any failure of the operation (overflow, division by zero) gives 0. Then the rounding
// mode: 0 down to a whole number toward minus infinity; 2 cut to two decimals (CurCutDec);
// 9 to the nearest whole number, halves to even; any other mode leaves the value.
orv::Currency CurAdd(orv::Currency a, orv::Currency b, int16_t mode);
orv::Currency CurSub(orv::Currency a, orv::Currency b, int16_t mode);
// The product rounded to four decimals (halves to even).
orv::Currency CurMul(orv::Currency a, orv::Currency b, int16_t mode);
// The quotient worked out in double precision and converted to money.
orv::Currency CurDiv(orv::Currency a, orv::Currency b, int16_t mode);

// Cut toward zero to at most two decimals, reading at most 14 characters of the plain
// text (so a value with more than eleven integer digits loses decimals).
orv::Currency CurCutDec(orv::Currency value);

// --- Codes -----------------------------------------------------------------------------
// A code typed as up to three digit groups ("123-456-7890", "12 34") as its ten-digit
// number; 0 when the text fits none of the forms. codeFlag 0: one group is left-aligned
// and filled with zeros, two groups get "0000"; codeFlag not 0: two groups get "001"
// in front, one group gives 0.
orv::Currency ValCode334(const QString &text, int16_t codeFlag);
// R3(first) R3(second) R4(third); "" when blankFlag is 1 and all three are 0.
QString FmtCode334(int16_t first, int16_t second, int16_t third, int16_t blankFlag);
// The first three characters, "****", then the text from its eighth character on.
QString MaskText(const QString &text);
// The EAN check digit of the trimmed text's body (lengths 7, 8, 12, 13); "X" otherwise.
QString EanCheckDigit(const QString &text);
// "A" (13 characters), "B" (8) or "?" (other), then "O" when the last character is the
// check digit of the rest, else "X".
QString EanValidate(const QString &text);
// -1, 0 or 1 in the lookup grids' order: blanks, digits and punctuation by their codes,
// then two-byte characters by their code-page bytes, then Latin letters without regard
// to case; "-" is ignored.
int16_t CompareCodeOrder(const QString &first, const QString &second);

// --- Character filters -----------------------------------------------------------------
// The trimmed text with every occurrence of `ch` removed.
QString DelChar(const QString &text, const QString &ch);
QString DelChar(const QString &text, QChar ch);
// Every blank removed (tabs stay).
QString DelSpace(const QString &text);
// Only "0" to "9" (and "." when pointFlag is 1), in order.
QString KeepDigits(const QString &text, int16_t pointFlag);
// 1 when the text is not empty and all "0" to "9"; else 0.
int16_t IsDigits(const QString &text);

// R3/R4-style: the text padded on the left with "0" to `width` and cut to its last
// `width` characters.
QString PadLeft0(const QString &text, int width);
