#pragma once
// The Korean code page (CP949) for every byte that leaves the program.
#include <QByteArray>
#include <QString>

namespace orv::codepage {

// Characters CP949 cannot hold become '?', one byte each.
QByteArray Encode(const QString &text);
// Bytes that are not valid CP949 become U+FFFD; a cut lead byte at the end too.
QString Decode(const QByteArray &bytes);
// Length of the text in CP949 bytes (a Hangul syllable counts two).
int ByteLength(const QString &text);
// Bytes of one character (a surrogate pair is one character).
int CharByteLength(char32_t ch);

}  // namespace orv::codepage
