#include "core/byte_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "core/leading_number.h"
#include "core/values.h"
#include "platform/codepage.h"

namespace {

// Codes of all UTF-16 units, filled on first use of each unit (the converter is slow
// and the same few thousand characters come back all the time).
constexpr int16_t kUnknown = std::numeric_limits<int16_t>::max();

std::array<int16_t, 65536> &CodeTable() {
  static std::array<int16_t, 65536> table = [] {
    std::array<int16_t, 65536> t;
    t.fill(kUnknown);
    for (int i = 0; i < 128; ++i) t[size_t(i)] = int16_t(i);
    return t;
  }();
  return table;
}

int16_t ComputeCode(char16_t u) {
  if (QChar::isSurrogate(u)) return '?';
  const QByteArray b = orv::codepage::Encode(QString(QChar(u)));
  if (b.size() == 2)
    return int16_t(int(uchar(b[0])) * 256 + int(uchar(b[1])) - 65536);
  if (b.size() == 1 && uchar(b[0]) < 0x80) return int16_t(uchar(b[0]));
  return '?';
}

// One character of a text: where it starts, how many UTF-16 units it takes (a surrogate
// pair is one character, "?" in the code page) and its width in bytes.
template <class F>
void ForEachChar(const QString &text, F &&f) {
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n;) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
      if (!f(i, qsizetype(2), 1)) return;
      i += 2;
    } else {
      if (!f(i, qsizetype(1), CharByteWidth(c))) return;
      ++i;
    }
  }
}

int Width(const QString &text) {
  int n = 0;
  ForEachChar(text, [&](qsizetype, qsizetype, int w) {
    n += w;
    return true;
  });
  return n;
}

// The bytes [from, to) of the text's code-page form, back as text: half of a two-byte
// character at either end of the range, and every NUL, becomes a blank.
QString CutBytes(const QString &text, int64_t from, int64_t to) {
  QString out;
  if (to <= from) return out;
  out.reserve(qsizetype(std::min<int64_t>(to - from, text.size())));
  int64_t pos = 0;
  ForEachChar(text, [&](qsizetype i, qsizetype units, int w) {
    if (pos >= to) return false;
    const int64_t end = pos + w;
    if (pos >= from && end <= to) {
      if (units == 1 && text[i].isNull()) out += u' ';
      else out.append(text.constData() + i, units);
    } else if (end > from) {
      out += u' ';  // half of a two-byte character
    }
    pos = end;
    return true;
  });
  return out;
}

bool IsBlank(const QString &text) { return TrimBlanks(QStringView(text)).isEmpty(); }

// A number written out in full ("12", " -3.5 ", "1E3"), as a numeric test would accept.
bool IsNumberText(QStringView s) {
  s = TrimBlanks(s);
  qsizetype i = 0;
  const qsizetype n = s.size();
  auto digits = [&] {
    const qsizetype b = i;
    while (i < n && s[i] >= u'0' && s[i] <= u'9') ++i;
    return i - b;
  };
  if (i < n && (s[i] == u'+' || s[i] == u'-')) ++i;
  qsizetype count = digits();
  if (i < n && s[i] == u'.') {
    ++i;
    count += digits();
  }
  if (count == 0) return false;
  if (i < n && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
    ++i;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) ++i;
    if (digits() == 0) return false;
  }
  return i == n;
}

int ClampToInt(double d) {
  d = std::nearbyint(d);  // halves to even, as a whole-number conversion does
  if (d >= double(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (d <= double(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return int(d);
}

// A width given as any value: false when it is not a number.
bool NumericWidth(const QVariant &v, int *out) {
  if (v.isNull()) return false;
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
      const qlonglong l = v.toLongLong();
      *out = int(std::clamp<qlonglong>(l, std::numeric_limits<int>::min(),
                                       std::numeric_limits<int>::max()));
      return true;
    }
    case QMetaType::Double:
    case QMetaType::Float: {
      const double d = v.toDouble();
      if (!std::isfinite(d)) return false;
      *out = ClampToInt(d);
      return true;
    }
    case QMetaType::QString: {
      const QString s = v.toString();
      if (!IsNumberText(s)) return false;
      const double d = orv::ReadLeadingNumber(QStringView(s)).ToDouble();
      if (!std::isfinite(d)) return false;
      *out = ClampToInt(d);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

int16_t CharCode(QChar c) {
  auto &t = CodeTable();
  int16_t &code = t[c.unicode()];
  if (code == kUnknown) code = ComputeCode(c.unicode());
  return code;
}

QString LeftByte(const QString &text, int width) {
  if (text.isEmpty() || width <= 0) return QString();
  int running = 0;
  qsizetype cut = text.size();
  ForEachChar(text, [&](qsizetype i, qsizetype, int w) {
    running += w;
    if (running > width) {
      cut = i;
      return false;
    }
    return true;
  });
  return cut == text.size() ? text : text.left(cut);
}

QString PadByte(const QString &text, int width) {
  QString s = LeftByte(text, width);
  const int w = LenAnsi(s);
  if (width > w) s += QString(width - w, u' ');
  return s;
}

QString LeftAnsi(const QString &text, int width) {
  if (text.isEmpty() || width < 0) return QString();
  return CutBytes(text, 0, width);
}

QString MidAnsi(const QString &text, int start, std::optional<int> length) {
  if (text.isEmpty() || start < 1 || (length && *length < 0)) return QString();
  const int64_t from = int64_t(start) - 1;
  return CutBytes(text, from, length ? from + *length : std::numeric_limits<int64_t>::max());
}

int LenAnsi(const QString &text) { return text.isEmpty() ? 0 : Width(text); }

QString LeftH(const QString &text, const QVariant &width) {
  int w;
  if (IsBlank(text) || !NumericWidth(width, &w) || w < 0) return QString();
  return CutBytes(text, 0, w);
}

QString RightH(const QString &text, const QVariant &width) {
  int w;
  if (IsBlank(text) || !NumericWidth(width, &w) || w < 0) return QString();
  const int64_t total = Width(text);
  return CutBytes(text, std::max<int64_t>(0, total - w), total);
}

QString MidH(const QString &text, int start, const QVariant &length) {
  if (IsBlank(text) || start < 1) return QString();
  const int64_t from = int64_t(start) - 1;
  int len;
  if (NumericWidth(length, &len)) {
    if (len < 0) return QString();
    return CutBytes(text, from, from + len);
  }
  return CutBytes(text, from, std::numeric_limits<int64_t>::max());
}

int32_t LenH(const QString &text) { return IsBlank(text) ? 0 : Width(text); }
