#include "platform/codepage.h"

#include <iconv.h>

#include <QList>
#include <cerrno>

namespace orv::codepage {
namespace {

// One converter per direction, opened once; the program has one thread.
struct Converter {
  iconv_t cd;
  Converter(const char *to, const char *from) : cd(iconv_open(to, from)) {}
  ~Converter() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
};

Converter &toCp949() {
  static Converter c("CP949", "UTF-32LE");
  return c;
}
Converter &fromCp949() {
  static Converter c("UTF-32LE", "CP949");
  return c;
}

// Encodes one code point; returns an empty array when CP949 has no such character.
QByteArray encodeOne(iconv_t cd, char32_t ch) {
  char in[4] = {char(ch & 0xff), char((ch >> 8) & 0xff), char((ch >> 16) & 0xff),
                char((ch >> 24) & 0xff)};
  char out[8];
  char *ip = in, *op = out;
  size_t il = 4, ol = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1)) return {};
  return QByteArray(out, int(op - out));
}

}  // namespace

QByteArray Encode(const QString &text) {
  QByteArray result;
  result.reserve(text.size() * 2);
  iconv_t cd = toCp949().cd;
  for (char32_t ch : text.toUcs4()) {
    if (ch < 0x80) {
      result.append(char(ch));
      continue;
    }
    QByteArray b = cd == reinterpret_cast<iconv_t>(-1) ? QByteArray() : encodeOne(cd, ch);
    result.append(b.isEmpty() ? QByteArray("?") : b);
  }
  return result;
}

QString Decode(const QByteArray &bytes) {
  QString result;
  result.reserve(bytes.size());
  iconv_t cd = fromCp949().cd;
  int i = 0;
  const int n = bytes.size();
  while (i < n) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      result.append(QChar(c));
      ++i;
      continue;
    }
    int len = (i + 1 < n) ? 2 : 1;
    char in[2] = {bytes[i], len == 2 ? bytes[i + 1] : '\0'};
    char out[8];
    char *ip = in, *op = out;
    size_t il = size_t(len), ol = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (cd != reinterpret_cast<iconv_t>(-1) &&
        iconv(cd, &ip, &il, &op, &ol) != static_cast<size_t>(-1) && op - out == 4) {
      char32_t u = char32_t(static_cast<unsigned char>(out[0])) |
                   char32_t(static_cast<unsigned char>(out[1])) << 8 |
                   char32_t(static_cast<unsigned char>(out[2])) << 16 |
                   char32_t(static_cast<unsigned char>(out[3])) << 24;
      result.append(QString::fromUcs4(&u, 1));
      i += len;
    } else {
      result.append(QChar(0xFFFD));
      ++i;
    }
  }
  return result;
}

int CharByteLength(char32_t ch) {
  if (ch < 0x80) return 1;
  iconv_t cd = toCp949().cd;
  if (cd == reinterpret_cast<iconv_t>(-1)) return 1;
  QByteArray b = encodeOne(cd, ch);
  return b.isEmpty() ? 1 : int(b.size());
}

int ByteLength(const QString &text) {
  int n = 0;
  for (QChar c : text) {
    ushort u = c.unicode();
    if (u < 0x80) {
      ++n;
    } else if (u >= 0xAC00 && u <= 0xD7A3) {
      n += 2;  // every Hangul syllable is two bytes in CP949
    } else if (c.isLowSurrogate()) {
      // counted with its high surrogate
    } else if (c.isHighSurrogate()) {
      n += 1;  // outside the BMP: not in CP949, written as '?'
    } else {
      n += CharByteLength(u);
    }
  }
  return n;
}

}  // namespace orv::codepage
