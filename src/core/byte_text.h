#pragma once
// Text measured, cut and padded in bytes of the Korean code page (CP949): one byte for
// ASCII, two for Hangul, Hanja and symbols; a character the code page cannot hold counts
// as "?", one byte.
//
// Two families with different guards, both in use:
//  - LeftByte, PadByte, LeftAnsi, MidAnsi, LenAnsi: test only for the empty text.
//  - LeftH, RightH, MidH, LenH: a text of blanks gives the empty text (or 0), and widths
//    may be any value (a width that is not a number gives the empty text).
// Cutting by bytes keeps the exact byte width of the range: half of a two-byte character
// at either end of the range becomes a blank, as does every NUL character.
// A negative width or length, or a start byte below 1, gives the empty text.
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

// The code of one character: its code-page value as a signed 16-bit number (0 to 127 for
// one byte, lead byte × 256 + trail byte - 65536 for two); "?" (63) when the code page
// cannot hold it.
int16_t CharCode(QChar c);
// Bytes of one character in the code page: 2 when CharCode is negative, else 1.
inline int CharByteWidth(QChar c) { return CharCode(c) < 0 ? 2 : 1; }

// The longest leading run of whole characters at most `width` bytes wide.
QString LeftByte(const QString &text, int width);
// LeftByte, then blanks up to exactly `width` bytes.
QString PadByte(const QString &text, int width);
// The first `width` bytes, cut by bytes.
QString LeftAnsi(const QString &text, int width);
// The bytes from `start` (1-based) to the end, or `length` of them.
QString MidAnsi(const QString &text, int start, std::optional<int> length = std::nullopt);
// The width in bytes; 0 for "". (Wider than a 16-bit count can hold for texts over
// 32767 bytes, which is why the result is int.)
int LenAnsi(const QString &text);

QString LeftH(const QString &text, const QVariant &width);
QString RightH(const QString &text, const QVariant &width);
// A length that is missing or not a number means "to the end".
QString MidH(const QString &text, int start, const QVariant &length = QVariant());
// The width in bytes; 0 when the text is empty or only blanks.
int32_t LenH(const QString &text);
