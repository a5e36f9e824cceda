#include "core/json.h"

#include <string>

#include "core/cStringBuilder.h"

namespace orv::json {

// ---------------------------------------------------------------------------------------
// Decimal

namespace {

using u128 = unsigned __int128;
constexpr u128 kMaxMagnitude = (u128(1) << 96) - 1;
constexpr int kMaxScale = 28;
constexpr size_t kMaxDigits = 29;  // 2^96 - 1 has 29 digits

// Drops the last `count` digits of a digit string, rounding halves to even.
void DropDigits(std::string &digits, size_t count) {
  if (count == 0) return;
  if (count > digits.size()) {
    digits.clear();
    return;
  }
  const size_t keep = digits.size() - count;
  const char first = digits[keep];
  bool restNonZero = false;
  for (size_t i = keep + 1; i < digits.size(); ++i)
    if (digits[i] != '0') restNonZero = true;
  digits.resize(keep);
  const bool lastOdd = keep > 0 && (digits[keep - 1] - '0') % 2 == 1;
  if (first > '5' || (first == '5' && (restNonZero || lastOdd))) {
    size_t i = keep;
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0)
      digits.insert(digits.begin(), '1');
    else
      ++digits[i - 1];
  }
}

void StripLeadingZeros(std::string &digits) {
  size_t i = 0;
  while (i < digits.size() && digits[i] == '0') ++i;
  digits.erase(0, i);
}

u128 ToMagnitude(const std::string &digits) {
  u128 m = 0;
  for (char c : digits) m = m * 10 + u128(c - '0');
  return m;
}

QString MagnitudeText(u128 m) {
  if (m == 0) return QStringLiteral("0");
  char buf[48];
  int i = sizeof buf;
  while (m > 0) {
    buf[--i] = char('0' + int(m % 10));
    m /= 10;
  }
  return QString::fromLatin1(buf + i, int(sizeof buf) - i);
}

u128 Pow10(int n) {
  u128 p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

bool IsDigit(QChar c) { return c >= QChar('0') && c <= QChar('9'); }

}  // namespace

Decimal::Parse Decimal::FromText(QStringView text, Decimal &out) {
  qsizetype i = 0;
  const qsizetype n = text.size();
  bool neg = false;
  if (i < n && (text[i] == QChar('+') || text[i] == QChar('-'))) neg = text[i++] == QChar('-');
  std::string digits;
  qsizetype fraction = 0;
  bool any = false;
  while (i < n && IsDigit(text[i])) {
    digits.push_back(char(text[i++].unicode()));
    any = true;
  }
  if (i < n && text[i] == QChar('.')) {
    ++i;
    while (i < n && IsDigit(text[i])) {
      digits.push_back(char(text[i++].unicode()));
      ++fraction;
      any = true;
    }
  }
  if (!any) return Parse::Malformed;
  int64_t exponent = 0;
  if (i < n && (text[i] == QChar('e') || text[i] == QChar('E'))) {
    ++i;
    bool expNeg = false;
    if (i < n && (text[i] == QChar('+') || text[i] == QChar('-'))) expNeg = text[i++] == QChar('-');
    if (i >= n || !IsDigit(text[i])) return Parse::Malformed;
    while (i < n && IsDigit(text[i])) {
      // Beyond a million the outcome (overflow or zero) no longer changes.
      if (exponent < 1000000) exponent = exponent * 10 + (text[i].unicode() - '0');
      ++i;
    }
    if (expNeg) exponent = -exponent;
  }
  if (i != n) return Parse::Malformed;

  StripLeadingZeros(digits);
  int64_t scale = int64_t(fraction) - exponent;
  if (digits.empty()) {
    out = Decimal();
    return Parse::Ok;
  }
  if (scale < 0) {
    if (int64_t(digits.size()) - scale > int64_t(kMaxDigits)) return Parse::Overflow;
    digits.append(size_t(-scale), '0');
    scale = 0;
  }
  if (scale > kMaxScale) {
    DropDigits(digits, size_t(scale - kMaxScale));
    scale = kMaxScale;
  }
  while (digits.size() > kMaxDigits ||
         (digits.size() == kMaxDigits && ToMagnitude(digits) > kMaxMagnitude)) {
    if (scale == 0) return Parse::Overflow;
    DropDigits(digits, 1);
    --scale;
  }
  Decimal d;
  d.magnitude_ = ToMagnitude(digits);
  d.scale_ = int(scale);
  d.negative_ = neg && d.magnitude_ != 0;
  // Trailing zeros of the fraction carry nothing; dropping them keeps equality simple.
  while (d.scale_ > 0 && d.magnitude_ % 10 == 0) {
    d.magnitude_ /= 10;
    --d.scale_;
  }
  if (d.magnitude_ == 0) d.scale_ = 0;
  out = d;
  return Parse::Ok;
}

std::optional<Decimal> Decimal::FromText(QStringView text) {
  Decimal d;
  if (FromText(text, d) != Parse::Ok) return std::nullopt;
  return d;
}

Decimal Decimal::FromInt(int64_t value) {
  Decimal d;
  d.negative_ = value < 0;
  d.magnitude_ = u128(value < 0 ? uint64_t(0) - uint64_t(value) : uint64_t(value));
  return d;
}

QString Decimal::ToText() const {
  QString digits = MagnitudeText(magnitude_);
  if (scale_ > 0) {
    if (digits.size() <= scale_) digits = QString(scale_ - digits.size() + 1, '0') + digits;
    digits.insert(digits.size() - scale_, '.');
    while (digits.endsWith('0')) digits.chop(1);
    if (digits.endsWith('.')) digits.chop(1);
  }
  return negative_ ? "-" + digits : digits;
}

std::optional<Currency> Decimal::ToCurrency() const {
  u128 m = magnitude_;
  if (scale_ <= 4) {
    m *= Pow10(4 - scale_);
  } else {
    const u128 div = Pow10(scale_ - 4);
    const u128 q = m / div, r = m % div;
    m = q;
    if (r * 2 > div || (r * 2 == div && q % 2 == 1)) ++m;
  }
  if (negative_) {
    if (m > u128(INT64_MAX) + 1) return std::nullopt;
    return Currency::FromRaw(int64_t(uint64_t(0) - uint64_t(m)));
  }
  if (m > u128(INT64_MAX)) return std::nullopt;
  return Currency::FromRaw(int64_t(m));
}

bool operator==(const Decimal &a, const Decimal &b) {
  return a.magnitude_ == b.magnitude_ && a.scale_ == b.scale_ && a.negative_ == b.negative_;
}

// ---------------------------------------------------------------------------------------
// Tree

namespace {
const Value &EmptyValue() {
  static const Value v;
  return v;
}
const Dictionary &EmptyDictionary() {
  static const Dictionary d;
  return d;
}
const Collection &EmptyCollection() {
  static const Collection c;
  return c;
}
}  // namespace

bool Value::AsBoolean() const { return IsBoolean() && std::get<bool>(v_); }
Decimal Value::AsNumber() const { return IsNumber() ? std::get<Decimal>(v_) : Decimal(); }
QString Value::AsText() const { return IsText() ? std::get<QString>(v_) : QString(); }
const Dictionary &Value::AsDictionary() const {
  return IsDictionary() ? *std::get<std::shared_ptr<Dictionary>>(v_) : EmptyDictionary();
}
const Collection &Value::AsCollection() const {
  return IsCollection() ? *std::get<std::shared_ptr<Collection>>(v_) : EmptyCollection();
}
std::shared_ptr<Dictionary> Value::DictionaryPtr() const {
  return IsDictionary() ? std::get<std::shared_ptr<Dictionary>>(v_) : nullptr;
}
std::shared_ptr<Collection> Value::CollectionPtr() const {
  return IsCollection() ? std::get<std::shared_ptr<Collection>>(v_) : nullptr;
}
const Value &Value::operator[](const QString &key) const { return AsDictionary().Item(key); }
const Value &Value::operator[](int index) const { return AsCollection().Item(index); }

bool Dictionary::Add(const QString &key, Value value) {
  if (index_.contains(key)) return false;
  index_.insert(key, int(items_.size()));
  items_.emplace_back(key, std::move(value));
  return true;
}

const Value &Dictionary::Item(const QString &key) const {
  auto it = index_.constFind(key);
  return it == index_.constEnd() ? EmptyValue() : items_[size_t(*it)].second;
}

const Value &Collection::Item(int i) const {
  return i >= 1 && i <= Count() ? items_[size_t(i - 1)] : EmptyValue();
}

}  // namespace orv::json

// ---------------------------------------------------------------------------------------
// Reader

using orv::json::Collection;
using orv::json::Decimal;
using orv::json::Dictionary;
using orv::json::ReadError;
using orv::json::Value;

namespace {

QString g_errors;

// Nesting is limited so that a hostile text cannot exhaust the stack.
constexpr int kMaxDepth = 500;
int g_depth = 0;
struct TooDeep {
  int pos;
};
struct DepthGuard {
  DepthGuard() { ++g_depth; }
  ~DepthGuard() { --g_depth; }
};

const char kTypeMismatch[] = "Type mismatch";
const char kOverflow[] = "Overflow";
const char kDuplicateKey[] = "Key already exists";

void AddError(const QString &message) {
  g_errors += message;
  g_errors += QStringLiteral("\r\n");
}

// The character at a 1-based position; NUL beyond the text (NUL is never special here).
inline QChar At(const QString &text, int pos) {
  return pos >= 1 && pos <= text.size() ? text.constData()[pos - 1] : QChar();
}
inline bool InText(const QString &text, int pos) { return pos <= text.size(); }

QString Mid(const QString &text, int pos, int count = -1) {
  if (pos > text.size()) return QString();
  return text.mid(pos - 1, count);
}

QString Pos(int pos) { return QString::number(pos); }

}  // namespace

void JsonSkipBlanks(const QString &text, int &pos) {
  bool commentStart = false, inComment = false, longComment = false;
  const int n = int(text.size());
  const QChar *d = text.constData();
  if (pos < 1) pos = 1;
  while (pos <= n) {
    const char16_t c = d[pos - 1].unicode();
    if (longComment) {
      // Inside /* */ only "*/" ends it.
      if (c == u'/' && commentStart) {
        commentStart = inComment = longComment = false;
      } else {
        commentStart = c == u'*';
      }
    } else if (inComment) {
      // A line comment runs to the end of the line.
      if (c == u'\r' || c == u'\n') commentStart = inComment = false;
    } else if (c == u'\r' || c == u'\n') {
      commentStart = false;
    } else if (c == u'\t' || c == u' ' || c == u'(' || c == u')') {
      // blanks
    } else if (c == u'/') {
      if (commentStart) {
        commentStart = false;
        inComment = true;
      } else {
        commentStart = true;
      }
    } else if (c == u'*') {
      if (commentStart) {
        commentStart = false;
        inComment = longComment = true;
      } else {
        commentStart = true;
      }
    } else {
      return;
    }
    ++pos;
  }
}

Value JsonReadValue(const QString &text, int &pos) {
  JsonSkipBlanks(text, pos);
  const QChar c = At(text, pos);
  if (c == QChar('{') || c == QChar('[')) {
    if (g_depth >= kMaxDepth) throw TooDeep{pos};
    return c == QChar('{') ? JsonReadObject(text, pos) : JsonReadArray(text, pos);
  }
  if (c == QChar('"') || c == QChar('\'')) return Value(JsonReadString(text, pos));
  if (c == QChar('t') || c == QChar('f')) return Value(JsonReadBoolean(text, pos));
  if (c == QChar('n')) return JsonReadNull(text, pos);
  return JsonReadNumber(text, pos);
}

Value JsonReadObject(const QString &text, int &pos) {
  DepthGuard depth;
  auto dict = std::make_shared<Dictionary>();
  JsonSkipBlanks(text, pos);
  if (At(text, pos) != QChar('{')) {
    AddError("Invalid Object at position " + Pos(pos) + " : " + Mid(text, pos));
    return Value(dict);
  }
  ++pos;
  for (;;) {
    JsonSkipBlanks(text, pos);
    const QChar c = At(text, pos);
    if (c == QChar('}')) {
      ++pos;
      return Value(dict);
    }
    if (c == QChar(',')) {
      ++pos;
      JsonSkipBlanks(text, pos);
    } else if (!InText(text, pos)) {
      AddError("Missing '}': " + text.right(20));
      return Value(dict);
    }
    const QString key = JsonReadKey(text, pos);
    try {
      Value value = JsonReadValue(text, pos);
      if (!dict->Add(key, std::move(value))) throw ReadError{kDuplicateKey};
    } catch (const ReadError &e) {
      AddError(e.description + ": " + key);
      return Value(dict);
    }
  }
}

Value JsonReadArray(const QString &text, int &pos) {
  DepthGuard depth;
  auto list = std::make_shared<Collection>();
  JsonSkipBlanks(text, pos);
  if (At(text, pos) != QChar('[')) {
    AddError("Invalid Array at position " + Pos(pos) + " : " + Mid(text, pos, 20));
    return Value(list);
  }
  ++pos;
  for (;;) {
    JsonSkipBlanks(text, pos);
    const QChar c = At(text, pos);
    if (c == QChar(']')) {
      ++pos;
      return Value(list);
    }
    if (c == QChar(',')) {
      ++pos;
      JsonSkipBlanks(text, pos);
    } else if (!InText(text, pos)) {
      AddError("Missing ']': " + text.right(20));
      return Value(list);
    }
    const int before = pos;
    try {
      Value value = JsonReadValue(text, pos);
      // An invalid true, false or null leaves the position where it was (its error is
      // already recorded): reading on would read the same element forever.
      if (pos == before && InText(text, pos)) return Value(list);
      list->Add(std::move(value));
    } catch (const ReadError &e) {
      AddError(e.description + ": " + Mid(text, pos, 20));
      return Value(list);
    }
  }
}

QString JsonReadKey(const QString &text, int &pos) {
  JsonSkipBlanks(text, pos);
  bool dq = false, sq = false;
  QString key;
  const int n = int(text.size());
  const QChar *d = text.constData();
  while (pos <= n) {
    const char16_t c = d[pos - 1].unicode();
    // A quote of the other kind inside a quoted key is an ordinary character.
    if ((c == u'"' && !sq) || (c == u'\'' && !dq)) {
      bool &flag = c == u'"' ? dq : sq;
      flag = !flag;
      ++pos;
      if (!flag) {
        JsonSkipBlanks(text, pos);
        if (At(text, pos) != QChar(':')) {
          AddError("Invalid Key at position " + Pos(pos) + " : " + key);
          return key;
        }
      }
    } else if (c == u':') {
      ++pos;
      if (!dq && !sq) return key;
      key += QChar(c);
    } else if (c == u'\r' || c == u'\n' || c == u'\t' || c == u' ') {
      ++pos;  // blanks are dropped, even inside quotes
    } else {
      int run = pos + 1;
      while (run <= n) {
        const char16_t r = d[run - 1].unicode();
        if (r == u'"' || r == u'\'' || r == u':' || r == u'\r' || r == u'\n' || r == u'\t' ||
            r == u' ')
          break;
        ++run;
      }
      key.append(d + pos - 1, run - pos);
      pos = run;
    }
  }
  return key;
}

QString JsonReadString(const QString &text, int &pos) {
  JsonSkipBlanks(text, pos);
  const int n = int(text.size());
  if (pos > n) return QString();
  const QChar *d = text.constData();
  const char16_t quote = d[pos - 1].unicode();
  ++pos;
  // One builder serves every string: emptying it keeps its buffer.
  static cStringBuilder sb;
  sb.Remove(0, sb.Length());
  while (pos <= n) {
    // Ordinary characters are added a run at a time.
    int run = pos;
    while (run <= n && d[run - 1].unicode() != u'\\' && d[run - 1].unicode() != quote) ++run;
    if (run > pos) {
      sb.Append(QStringView(d + pos - 1, run - pos));
      pos = run;
      continue;
    }
    const char16_t c = d[pos - 1].unicode();
    if (c == quote) {
      ++pos;
      return sb.toString();
    }
    // A backslash: the escape, or the next character as it is.
    ++pos;
    if (pos > n) break;
    const char16_t e = d[pos - 1].unicode();
    char16_t out = 0;
    switch (e) {
      case u'"': case u'\\': case u'/': case u'\'': out = e; break;
      case u'b': out = 8; break;
      case u'f': out = 12; break;
      case u'n': out = 10; break;
      case u'r': out = 13; break;
      case u't': out = 9; break;
      case u'u': {
        // Four characters, read as hex only as far as they are hex digits.
        unsigned v = 0;
        for (int k = 1; k <= 4 && pos + k <= n; ++k) {
          const char16_t x = d[pos + k - 1].unicode();
          int digit;
          if (x >= u'0' && x <= u'9') digit = x - u'0';
          else if (x >= u'a' && x <= u'f') digit = x - u'a' + 10;
          else if (x >= u'A' && x <= u'F') digit = x - u'A' + 10;
          else break;
          v = v * 16 + unsigned(digit);
        }
        const char16_t unit = char16_t(v);
        sb.Append(QStringView(&unit, 1));
        pos += 5;
        continue;
      }
      default:
        continue;  // not an escape: added as it is in the next pass
    }
    sb.Append(QStringView(&out, 1));
    ++pos;
  }
  return sb.toString();
}

Value JsonReadNumber(const QString &text, int &pos) {
  JsonSkipBlanks(text, pos);
  const int n = int(text.size());
  const QChar *d = text.constData();
  const int start = pos;
  while (pos <= n) {
    const char16_t c = d[pos - 1].unicode();
    if ((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u'e' ||
        c == u'E') {
      ++pos;
      continue;
    }
    Decimal value;
    switch (Decimal::FromText(QStringView(d + start - 1, pos - start), value)) {
      case Decimal::Parse::Ok: return Value(value);
      case Decimal::Parse::Overflow: throw ReadError{kOverflow};
      case Decimal::Parse::Malformed: break;
    }
    throw ReadError{kTypeMismatch};
  }
  return Value();  // cut off by the end of the text
}

bool JsonReadBoolean(const QString &text, int &pos) {
  JsonSkipBlanks(text, pos);
  if (Mid(text, pos, 4) == QLatin1String("true")) {
    pos += 4;
    return true;
  }
  if (Mid(text, pos, 5) == QLatin1String("false")) {
    pos += 5;
    return false;
  }
  AddError("Invalid Boolean at position " + Pos(pos) + " : " + Mid(text, pos));
  return false;
}

Value JsonReadNull(const QString &text, int &pos) {
  JsonSkipBlanks(text, pos);
  if (Mid(text, pos, 4) == QLatin1String("null")) {
    pos += 4;
    return Value::Null();
  }
  AddError("Invalid null value at position " + Pos(pos) + " : " + Mid(text, pos));
  return Value();
}

Value JsonParse(const QString &text) {
  g_errors.clear();
  g_depth = 0;
  int pos = 1;
  JsonSkipBlanks(text, pos);
  const QChar c = At(text, pos);
  try {
    if (c == QChar('{')) return JsonReadObject(text, pos);
    if (c == QChar('[')) return JsonReadArray(text, pos);
  } catch (const TooDeep &e) {
    AddError("Nesting too deep at position " + Pos(e.pos));
    return Value();
  }
  g_errors = QStringLiteral("Invalid JSON");
  return Value();
}

QString JsonErrors() { return g_errors; }

namespace orv::state {
void ResetJson() {
  g_errors.clear();
  g_depth = 0;
}
}  // namespace orv::state
