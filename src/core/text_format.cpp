#include "core/text_format.h"

#include <cmath>

#include "core/byte_text.h"
#include "core/leading_number.h"
#include "core/values.h"

using orv::Currency;

std::array<QString, 10001> gsSplitWord;
int32_t glSplitWordCount = 0;
std::array<QString, 1001> gsSplitItem;
int16_t giSplitItemCount = 0;

namespace orv::state {
void ResetSplitArrays() {
  gsSplitWord.fill(QString());
  gsSplitItem.fill(QString());
  glSplitWordCount = 0;
  giSplitItemCount = 0;
}
}  // namespace orv::state

// --- Formatters --------------------------------------------------------------------------

namespace {

uint64_t Magnitude(int64_t raw) { return raw < 0 ? uint64_t(0) - uint64_t(raw) : uint64_t(raw); }

// "-" when shown negative, the whole part grouped by thousands, then `decimals` digits
// of frac after ".".
QString Grouped(bool negative, uint64_t whole, int decimals, uint64_t frac) {
  char16_t buf[48];
  char16_t *end = buf + 48, *p = end;
  for (int i = 0; i < decimals; ++i) {
    *--p = char16_t(u'0' + frac % 10);
    frac /= 10;
  }
  if (decimals > 0) *--p = u'.';
  int n = 0;
  do {
    if (n > 0 && n % 3 == 0) *--p = u',';
    *--p = char16_t(u'0' + whole % 10);
    whole /= 10;
    ++n;
  } while (whole);
  if (negative) *--p = u'-';
  return QString(reinterpret_cast<const QChar *>(p), end - p);
}

}  // namespace

QString FmtLng(int32_t value, int16_t blankFlag) {
  if (blankFlag == 1 && value == 0) return QString();
  return QString::number(value);
}

QString FmtLng2(int32_t value, int16_t blankFlag) { return FmtLng(value, blankFlag); }

QString FmtAmt(Currency value, int16_t blankFlag) {
  if (blankFlag == 1 && value.IsZero()) return QString();
  const uint64_t whole = (Magnitude(value.raw()) + Currency::kScale / 2) / Currency::kScale;
  return Grouped(value.raw() < 0 && whole != 0, whole, 0, 0);
}

QString FmtAmt2(Currency value, int16_t blankFlag) {
  if (blankFlag == 1 && value.IsZero()) return QString();
  const uint64_t cents = (Magnitude(value.raw()) + 50) / 100;
  return Grouped(value.raw() < 0 && cents != 0, cents / 100, 2, cents % 100);
}

QString FmtAmtDec(Currency value, int16_t blankFlag) {
  QString s = FmtAmt2(value, blankFlag);
  s.remove(QStringLiteral(".00"));
  return s;
}

QString ZeroPad10(Currency value, int16_t blankFlag) {
  if (blankFlag == 1 && value.IsZero()) return QString();
  return (QStringLiteral("0000000000") + value.ToPlainText()).right(10);
}

QString CurStr(Currency value, int16_t blankFlag) {
  if (blankFlag == 1 && value.IsZero()) return QString();
  return value.ToPlainText();
}

QString FormatAt(const QString &text, const QString &mask) {
  QString out = mask;
  qsizetype t = text.size() - 1;
  for (qsizetype i = mask.size() - 1; i >= 0; --i) {
    if (mask[i] != '@') continue;
    out[i] = t >= 0 ? text[t--] : QChar(' ');
  }
  if (t >= 0) out.prepend(text.left(t + 1));
  return out;
}

int64_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  // 2^63 is exactly representable; anything at or beyond it does not fit.
  constexpr double kLimit = 9223372036854775808.0;
  if (value >= kLimit) return INT64_MAX;
  if (value < -kLimit) return INT64_MIN;
  // The default rounding mode takes halves to even.
  return int64_t(std::nearbyint(value));
}

// --- Parsers -----------------------------------------------------------------------------

namespace {

inline bool DigitOrSign(char16_t u) { return (u >= u'0' && u <= u'9') || u == u'+' || u == u'-'; }

// Digits and signs, with one "." and at most two characters after it; at most 14 kept.
QString KeepWithTwoDecimals(const QString &text) {
  QString kept;
  int afterPoint = 0;  // kept characters from the "." on, the "." counting as the first
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (u == u'.') {
      if (afterPoint > 0) break;
      afterPoint = 1;
    } else if (!DigitOrSign(u)) {
      continue;
    } else if (afterPoint > 0 && ++afterPoint == 4) {
      break;
    }
    kept += c;
    if (kept.size() == 14) break;
  }
  return kept;
}

}  // namespace

int32_t ValAbsLng(const QString &text) {
  QString kept;
  for (QChar c : text) {
    if (DigitOrSign(c.unicode()) || c == u'.') {
      kept += c;
      if (kept.size() == 9) break;
    }
  }
  // Nine characters hold at most 999999999, so the whole part fits a Long.
  const double d = std::floor(orv::ReadLeadingNumber(QStringView(kept)).ToDouble());
  return int32_t(std::fabs(d));
}

Currency ValCur(const QString &text) {
  QString kept;
  for (QChar c : text) {
    if (c == u'.') break;
    if (DigitOrSign(c.unicode())) {
      kept += c;
      if (kept.size() == 14) break;
    }
  }
  return Currency::FromText(kept).value_or(Currency());
}

Currency ValCurDec(const QString &text) {
  return Currency::FromText(KeepWithTwoDecimals(text)).value_or(Currency());
}

// --- SQL-text cleaners ---------------------------------------------------------------------

QString SqlQuoteFix(const QString &text) {
  QString s = text;
  for (QChar &c : s)
    if (c == u'\'' || c == u'"') c = u'`';
  return s;
}

QString SqlStr(const QString &text) { return TrimBlanks(SqlQuoteFix(TrimBlanks(text))); }

QString SqlStrCut(const QString &text, int16_t width) {
  if (text.isEmpty()) return QString();
  return TrimBlanks(SqlQuoteFix(LeftByte(TrimBlanks(text), width)));
}

QString SqlText(const QVariant &value, int32_t width) {
  QString s = SqlQuoteFix(NzStr(value));
  if (width != 0 && !s.isEmpty()) s = TrimBlanks(LeftByte(s, width));
  return s;
}

// --- Splitters ---------------------------------------------------------------------------

namespace {

char16_t Delimiter(int16_t code) {
  switch (code) {
    case 1: return u',';
    case 2: return u'\t';
    case 3: return u' ';
    case 4: return u'\n';
    case 5: return u';';
    case 6: return u'\r';
    default: return u'\'';
  }
}

// Fills slots 1..n of `out` (which has `last` as its highest slot); n, 0 for an empty
// text, or kSplitOverflow.
int SplitInto(QString *out, int last, const QString &text, int16_t code, int16_t keepFlag) {
  const QStringView s = keepFlag == 0 ? TrimBlanks(QStringView(text)) : QStringView(text);
  if (s.isEmpty()) return 0;
  const char16_t d = Delimiter(code);
  int part = 0;
  qsizetype start = 0;
  for (;;) {
    if (++part > last) return kSplitOverflow;
    const qsizetype at = s.indexOf(QChar(d), start);
    const QStringView piece = s.sliced(start, (at < 0 ? s.size() : at) - start);
    out[part] = (keepFlag == 0 ? TrimBlanks(piece) : piece).toString();
    if (at < 0) return part;
    start = at + 1;
  }
}

}  // namespace

int32_t SplitText(const QString &text, int16_t delimiterCode, int16_t keepFlag) {
  glSplitWordCount = 0;
  const int n = SplitInto(gsSplitWord.data(), int(gsSplitWord.size()) - 1, text, delimiterCode,
                          keepFlag);
  if (n > 0) glSplitWordCount = n;
  return n;
}

int16_t SplitText2(const QString &text, int16_t delimiterCode, int16_t keepFlag) {
  giSplitItemCount = 0;
  const int n = SplitInto(gsSplitItem.data(), int(gsSplitItem.size()) - 1, text, delimiterCode,
                          keepFlag);
  if (n > 0) giSplitItemCount = int16_t(n);
  return int16_t(n);
}

int16_t SplitSpace(const QString &text) {
  glSplitWordCount = 0;
  const QStringView s = TrimBlanks(QStringView(text));
  const int last = int(gsSplitWord.size()) - 1;
  int word = 0;
  qsizetype i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == u' ') ++i;
    if (i == s.size()) break;
    const qsizetype b = i;
    while (i < s.size() && s[i] != u' ') ++i;
    if (++word > last) return int16_t(kSplitOverflow);
    gsSplitWord[size_t(word)] = s.sliced(b, i - b).toString();
  }
  glSplitWordCount = word;
  return int16_t(word);
}
