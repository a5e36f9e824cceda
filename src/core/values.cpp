#include "core/values.h"

#include <QDate>
#include <QDateTime>
#include <QVarLengthArray>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "core/byte_text.h"
#include "core/leading_number.h"

using orv::Currency;

QStringView TrimBlanks(QStringView text) {
  qsizetype b = 0, e = text.size();
  while (b < e && text[b] == u' ') ++b;
  while (e > b && text[e - 1] == u' ') --e;
  return text.sliced(b, e - b);
}

QString TrimBlanks(const QString &text) {
  if (text.isEmpty() || (text.front() != u' ' && text.back() != u' ')) return text;
  return TrimBlanks(QStringView(text)).toString();
}

QString PadLeft0(const QString &text, int width) {
  if (text.size() >= width) return text.right(width);
  return QString(width - text.size(), u'0') + text;
}

// --- Stored values ---------------------------------------------------------------------

namespace {

// A double as the machine would show it: 15 significant digits, so binary noise such as
// 0.30000000000000004 reads as 0.3.
std::string_view DoubleText(double value, char (&buf)[40]) {
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  return std::string_view(buf, size_t(r.ptr - buf));
}

std::optional<Currency> DoubleToCurrency(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  char buf[40];
  return orv::ReadLeadingNumber(DoubleText(value, buf)).ToCurrency();
}

const QString *StringIn(const QVariant &value) {
  return value.typeId() == QMetaType::QString ? static_cast<const QString *>(value.constData())
                                              : nullptr;
}

}  // namespace

std::optional<Currency> NzCurChecked(const QVariant &value) {
  if (value.isNull()) return Currency();
  if (const QString *s = StringIn(value)) return Currency::FromText(*s);
  switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::SChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
      return Currency::FromWhole(value.toLongLong());
    case QMetaType::ULongLong:
    case QMetaType::ULong: {
      const qulonglong u = value.toULongLong();
      if (u > qulonglong(INT64_MAX)) return std::nullopt;
      return Currency::FromWhole(int64_t(u));
    }
    case QMetaType::Double:
    case QMetaType::Float:
      return DoubleToCurrency(value.toDouble());
    case QMetaType::Bool:
      return value.toBool() ? Currency::Won(1) : Currency();
    default:
      return Currency::FromText(NzStr(value));
  }
}

Currency NzCur(const QVariant &value) { return NzCurChecked(value).value_or(Currency()); }
Currency NzCur(const QString &text) { return Currency::FromText(text).value_or(Currency()); }
Currency NzCur(const char *text) {
  return text ? orv::ReadLeadingNumber(std::string_view(text)).ToCurrency().value_or(Currency())
              : Currency();
}
Currency NzCur(double value) { return DoubleToCurrency(value).value_or(Currency()); }
Currency NzCurWhole(int64_t value) { return Currency::FromWhole(value).value_or(Currency()); }

QString NzStr(const QVariant &value) {
  if (value.isNull()) return QString();
  if (const QString *s = StringIn(value)) return TrimBlanks(*s);
  switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
      return NzStr(value.toDouble());
    case QMetaType::Bool:
      return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::QDate:
      return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
      return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case QMetaType::QByteArray:
      return TrimBlanks(QString::fromUtf8(value.toByteArray()));
    default:
      return TrimBlanks(value.toString());
  }
}

QString NzStr(const QString &text) { return TrimBlanks(text); }
QString NzStr(const char *text) { return text ? TrimBlanks(QString::fromUtf8(text)) : QString(); }
QString NzStr(double value) {
  if (!std::isfinite(value)) return QString::number(value);
  char buf[40];
  std::string_view s = DoubleText(value, buf);
  return QString::fromLatin1(s.data(), qsizetype(s.size()));
}
QString NzStrWhole(int64_t value) { return QString::number(value); }

QVariant BindCur(orv::Currency value) {
  if (value.raw() % orv::Currency::kScale == 0) return qlonglong(value.raw() / orv::Currency::kScale);
  return value.ToPlainText();
}

// --- Money arithmetic ------------------------------------------------------------------

namespace {

constexpr int64_t kScale = Currency::kScale;

Currency ApplyMode(Currency v, int16_t mode) {
  const int64_t raw = v.raw();
  int64_t q = raw / kScale, r = raw % kScale;  // truncated toward zero
  switch (mode) {
    case 0:
      if (r < 0) --q;
      return Currency::FromWhole(q).value_or(Currency());
    case 2:
      return CurCutDec(v);
    case 9: {
      const int64_t twice = 2 * (r < 0 ? -r : r);
      if (twice > kScale || (twice == kScale && (q & 1))) q += r < 0 ? -1 : 1;
      return Currency::FromWhole(q).value_or(Currency());
    }
    default:
      return v;
  }
}

}  // namespace

Currency CurAdd(Currency a, Currency b, int16_t mode) {
  return ApplyMode(Currency::Add(a, b).value_or(Currency()), mode);
}

Currency CurSub(Currency a, Currency b, int16_t mode) {
  return ApplyMode(Currency::Sub(a, b).value_or(Currency()), mode);
}

Currency CurMul(Currency a, Currency b, int16_t mode) {
  return ApplyMode(Currency::Mul(a, b).value_or(Currency()), mode);
}

Currency CurDiv(Currency a, Currency b, int16_t mode) {
  if (b.IsZero()) return ApplyMode(Currency(), mode);
  // Both raws carry the same scale, so their quotient is the money quotient.
  const double q = double(a.raw()) / double(b.raw());
  return ApplyMode(Currency::FromDouble(q).value_or(Currency()), mode);
}

Currency CurCutDec(Currency value) {
  const QString text = value.ToPlainText();
  QString kept;
  kept.reserve(text.size());
  int afterPoint = 0;  // kept characters from the "." on, the "." counting as the first
  for (QChar c : text) {
    const char16_t u = c.unicode();
    const bool digitOrSign = (u >= u'0' && u <= u'9') || u == u'+' || u == u'-';
    if (u == u'.') {
      if (afterPoint > 0) break;
      afterPoint = 1;
      kept += c;
    } else if (digitOrSign) {
      if (afterPoint > 0) {
        if (++afterPoint == 4) break;
      }
      kept += c;
    }
  }
  return Currency::FromText(QStringView(kept).left(14)).value_or(Currency());
}

// --- Codes -----------------------------------------------------------------------------

Currency ValCode334(const QString &text, int16_t codeFlag) {
  QString g1, g2, g3;
  // 1 in group 1, 2 between 1 and 2, 3 in group 2, 4 between 2 and 3, 5 in group 3
  int state = 1;
  for (QChar c : text) {
    const bool digit = c >= u'0' && c <= u'9';
    switch (state) {
      case 1: if (digit) g1 += c; else state = 2; break;
      case 2: if (digit) { g2 += c; state = 3; } break;
      case 3: if (digit) g2 += c; else state = 4; break;
      case 4: if (digit) { g3 += c; state = 5; } break;
      case 5: if (!digit) state = 6; else g3 += c; break;
    }
    if (state == 6) break;
  }
  if (g1.isEmpty()) return Currency();
  QString digits;
  if (!g2.isEmpty() && !g3.isEmpty()) {
    digits = PadLeft0(g1, 3) + PadLeft0(g2, 3) + PadLeft0(g3, 4);
  } else if (codeFlag != 0) {
    if (g2.isEmpty()) return Currency();
    digits = QStringLiteral("001") + PadLeft0(g1, 3) + PadLeft0(g2, 4);
  } else if (!g2.isEmpty()) {
    digits = PadLeft0(g1, 3) + PadLeft0(g2, 3) + QStringLiteral("0000");
  } else {
    digits = ((g1.size() >= 3 ? g1 : PadLeft0(g1, 3)) + QStringLiteral("0000000000")).left(10);
  }
  return Currency::FromText(digits).value_or(Currency());
}

QString FmtCode334(int16_t first, int16_t second, int16_t third, int16_t blankFlag) {
  if (blankFlag == 1 && first == 0 && second == 0 && third == 0) return QString();
  return PadLeft0(QString::number(first), 3) + PadLeft0(QString::number(second), 3) +
         PadLeft0(QString::number(third), 4);
}

QString MaskText(const QString &text) {
  return text.left(3) + QStringLiteral("****") + (text.size() > 7 ? text.mid(7) : QString());
}

namespace {

int DigitAt(QStringView s, int pos1) {
  const char16_t u = s[pos1 - 1].unicode();
  return u >= u'0' && u <= u'9' ? u - u'0' : 0;
}

// The check digit over the body, or -1 for a length other than 7, 8, 12 and 13.
int CheckDigit(QStringView s) {
  int sum = 0;
  if (s.size() == 12 || s.size() == 13) {
    for (int i = 2; i <= 12; i += 2) sum += DigitAt(s, i);
    sum *= 3;
    for (int i = 1; i <= 11; i += 2) sum += DigitAt(s, i);
  } else if (s.size() == 7 || s.size() == 8) {
    for (int i = 1; i <= 7; i += 2) sum += DigitAt(s, i);
    sum *= 3;
    for (int i = 2; i <= 6; i += 2) sum += DigitAt(s, i);
  } else {
    return -1;
  }
  return (10 - sum % 10) % 10;
}

}  // namespace

QString EanCheckDigit(const QString &text) {
  const int d = CheckDigit(TrimBlanks(QStringView(text)));
  return d < 0 ? QStringLiteral("X") : QString(QChar(u'0' + d));
}

QString EanValidate(const QString &text) {
  const QStringView s = TrimBlanks(QStringView(text));
  if (s.size() != 13 && s.size() != 8) return QStringLiteral("?X");
  const QString kind = s.size() == 13 ? QStringLiteral("A") : QStringLiteral("B");
  const int d = CheckDigit(s.left(s.size() - 1));
  return kind + (s.back() == QChar(u'0' + d) ? QStringLiteral("O") : QStringLiteral("X"));
}

namespace {

using Groups = QVarLengthArray<int, 64>;

Groups CollationGroups(const QString &text) {
  Groups g;
  for (QChar c : text) {
    if (c == u'-') continue;
    int code = CharCode(c);
    if (code >= 97 && code <= 122) code -= 32;
    if (code >= 65 && code <= 90) code += 256;
    if (code < 0) {
      code += 65536;
      g.append(code >> 8);
      g.append(code & 0xff);
    } else {
      g.append(code);
    }
  }
  return g;
}

}  // namespace

int16_t CompareCodeOrder(const QString &first, const QString &second) {
  // The groups stand for zero-padded three-digit texts: comparing the numbers in order
  // is comparing those texts.
  const Groups a = CollationGroups(first), b = CollationGroups(second);
  const qsizetype n = std::min(a.size(), b.size());
  for (qsizetype i = 0; i < n; ++i)
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

// --- Character filters -----------------------------------------------------------------

QString DelChar(const QString &text, const QString &ch) {
  QString s = TrimBlanks(text);
  if (!ch.isEmpty()) s.remove(ch, Qt::CaseSensitive);
  return s;
}

QString DelChar(const QString &text, QChar ch) { return DelChar(text, QString(ch)); }

QString DelSpace(const QString &text) {
  QString s = text;
  s.remove(u' ');
  return s;
}

QString KeepDigits(const QString &text, int16_t pointFlag) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text)
    if ((c >= u'0' && c <= u'9') || (pointFlag == 1 && c == u'.')) out += c;
  return out;
}

int16_t IsDigits(const QString &text) {
  if (text.isEmpty()) return 0;
  for (QChar c : text)
    if (c < u'0' || c > u'9') return 0;
  return 1;
}
