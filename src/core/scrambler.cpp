#include "core/scrambler.h"

#include <cstdlib>

#include "platform/codepage.h"

namespace {

// The code-page value of one UTF-16 unit as a signed 16-bit number: 0..127 for one-byte
// characters, negative for two-byte ones, the code of '?' for what the code page lacks.
int CharCode(QChar ch) {
  if (ch.unicode() < 0x80) return ch.unicode();
  if (ch.isSurrogate()) return '?';
  QByteArray b = orv::codepage::Encode(QString(ch));
  if (b.size() == 2) return int(uchar(b[0])) * 256 + int(uchar(b[1])) - 65536;
  return b.size() == 1 ? int(uchar(b[0])) : '?';
}

// The character of a code, or a null QChar when the code names none.
QChar CodeChar(int code) {
  if (code >= 0 && code < 0x80) return QChar(code);
  if (code >= 0) return QChar();
  const int u = code + 65536;
  QByteArray b;
  b.append(char(u >> 8));
  b.append(char(u & 0xff));
  QString s = orv::codepage::Decode(b);
  if (s.size() != 1 || s[0] == QChar(0xFFFD)) return QChar();
  // The pair must be the character's own code, not a near miss the converter tolerated.
  if (CharCode(s[0]) != code) return QChar();
  return s[0];
}

int Digit(QChar c) { return c.unicode() - '0'; }
QChar DigitChar(int d) { return QChar('0' + d % 10); }

}  // namespace

QString EncodeSetting(const QString &plain) {
  const qsizetype n = plain.size();
  if (n == 0) return QString();
  QString out;
  out.reserve(n * 6);
  for (QChar ch : plain) {
    const int v = CharCode(ch);
    const int a = std::abs(v);
    // D1 sign, D2..D6 the magnitude in five digits.
    const int d[7] = {0, v < 0 ? 2 : 1, a / 10000 % 10, a / 1000 % 10, a / 100 % 10,
                      a / 10 % 10, a % 10};
    const int order[6] = {6, 2, 4, 1, 5, 3};
    for (int k = 0; k < 6; ++k) out.append(DigitChar(d[order[k]] + k + 1));
  }
  for (qsizetype q = 1; q <= out.size(); ++q)
    out[q - 1] = DigitChar(Digit(out[q - 1]) + int(q % 10));
  // Rotating left by two digits n times moves the first 2n digits to the end.
  return out.mid(2 * n) + out.left(2 * n);
}

QString DecodeSetting(const QString &scrambled) {
  const qsizetype len = scrambled.size();
  if (len == 0 || len % 6 != 0) return QString();
  for (QChar c : scrambled)
    if (c < QChar('0') || c > QChar('9')) return QString();
  const qsizetype n = len / 6;
  QString text = scrambled.right(2 * n) + scrambled.left(len - 2 * n);
  for (qsizetype q = 1; q <= len; ++q) {
    int d = Digit(text[q - 1]) - int(q % 10);
    if (d < 0) d += 10;
    text[q - 1] = DigitChar(d);
  }
  QString plain;
  plain.reserve(n);
  for (qsizetype k = 0; k < n; ++k) {
    int e[7];
    for (int i = 1; i <= 6; ++i) {
      int d = Digit(text[k * 6 + i - 1]) - i;
      if (d < 0) d += 10;
      e[i] = d;
    }
    // E4, E2, E6, E3, E5, E1 are D1..D6.
    const int magnitude = e[2] * 10000 + e[6] * 1000 + e[3] * 100 + e[5] * 10 + e[1];
    // Only a sign digit of 1 or 2 (and no negative zero) can come from EncodeSetting.
    if (e[4] != 1 && !(e[4] == 2 && magnitude > 0)) return QString();
    const int code = e[4] == 1 ? magnitude : -magnitude;
    if (code < -32768 || code > 32767) return QString();
    QChar ch = CodeChar(code);
    if (ch.isNull() && code != 0) return QString();
    plain.append(ch);
  }
  return plain;
}
