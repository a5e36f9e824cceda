#include "core/leading_number.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "core/currency.h"

namespace orv {
namespace {

// Exponents beyond this are far outside every range we convert to; clamping keeps the
// arithmetic on them from overflowing whatever the text says.
constexpr int64_t kExponentClamp = 1'000'000;

inline bool Skipped(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// Walks a text of char16_t or char units.
template <class Ch>
class Cursor {
 public:
  Cursor(const Ch *p, const Ch *end) : p_(p), end_(end) {}
  // The next character that is not skipped, or 0 at the end.
  char16_t Peek() {
    while (p_ < end_ && Skipped(char16_t(*p_))) ++p_;
    return p_ < end_ ? char16_t(*p_) : char16_t(0);
  }
  void Next() { ++p_; }

 private:
  const Ch *p_;
  const Ch *end_;
};

void AppendDigit(LeadingNumber &n, int d, bool fraction) {
  if (n.count == 0 && d == 0) {
    if (fraction) --n.exponent;  // leading zeros of a fraction only move the point
    return;
  }
  if (n.count < LeadingNumber::kMaxDigits) {
    n.digits[n.count++] = char('0' + d);
    if (fraction) --n.exponent;
  } else {
    if (d != 0) n.sticky = true;
    if (!fraction && n.exponent < kExponentClamp) ++n.exponent;
  }
}

// A whole number in base 8 or 16, turned into decimal digits.
template <class Ch>
void ReadRadix(Cursor<Ch> &cur, int base, LeadingNumber &n) {
  uint64_t v = 0;
  bool overflow = false;
  for (;;) {
    char16_t c = cur.Peek();
    int d;
    if (c >= u'0' && c <= u'9') d = c - u'0';
    else if (base == 16 && c >= u'a' && c <= u'f') d = c - u'a' + 10;
    else if (base == 16 && c >= u'A' && c <= u'F') d = c - u'A' + 10;
    else break;
    if (d >= base) break;
    cur.Next();
    if (v > (std::numeric_limits<uint64_t>::max() - uint64_t(d)) / uint64_t(base)) overflow = true;
    else v = v * uint64_t(base) + uint64_t(d);
  }
  if (overflow) {
    // Beyond 64 bits: a value outside every range we convert to.
    n.digits[0] = '1';
    n.count = 1;
    n.exponent = 40;
    return;
  }
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  for (const char *q = buf; q < r.ptr; ++q) AppendDigit(n, *q - '0', false);
}

template <class Ch>
LeadingNumber Read(const Ch *p, const Ch *end) {
  LeadingNumber n;
  Cursor<Ch> cur(p, end);
  char16_t c = cur.Peek();
  if (c == u'&') {
    cur.Next();
    char16_t k = cur.Peek();
    if (k == u'h' || k == u'H') {
      cur.Next();
      ReadRadix(cur, 16, n);
    } else if (k == u'o' || k == u'O') {
      cur.Next();
      ReadRadix(cur, 8, n);
    }
    return n;
  }
  if (c == u'+' || c == u'-') {
    n.negative = c == u'-';
    cur.Next();
  }
  bool anyDigit = false, point = false;
  for (;;) {
    c = cur.Peek();
    if (c >= u'0' && c <= u'9') {
      anyDigit = true;
      AppendDigit(n, c - u'0', point);
      cur.Next();
    } else if (c == u'.' && !point) {
      point = true;
      cur.Next();
    } else {
      break;
    }
  }
  if (!anyDigit) return LeadingNumber{};
  if (c == u'e' || c == u'E' || c == u'd' || c == u'D') {
    cur.Next();
    bool negExp = false;
    c = cur.Peek();
    if (c == u'+' || c == u'-') {
      negExp = c == u'-';
      cur.Next();
    }
    int64_t e = 0;
    for (c = cur.Peek(); c >= u'0' && c <= u'9'; c = cur.Peek()) {
      if (e < kExponentClamp) e = e * 10 + (c - u'0');
      cur.Next();
    }
    n.exponent += negExp ? -e : e;
  }
  if (n.count == 0) n.exponent = 0;
  return n;
}

}  // namespace

LeadingNumber ReadLeadingNumber(QStringView text) {
  const char16_t *p = text.utf16();
  return Read(p, p + text.size());
}

LeadingNumber ReadLeadingNumber(std::string_view text) {
  return Read(text.data(), text.data() + text.size());
}

std::optional<Currency> LeadingNumber::ToCurrency() const {
  if (count == 0) return Currency();  // digits beyond 40 leading zeros cannot occur
  // raw = digits × 10^(exponent + 4)
  const int64_t shift = exponent + 4;
  const int64_t whole = count + shift;  // number of digits before the raw value's point
  if (whole > 19) return std::nullopt;
  uint64_t mag = 0;
  int kept = whole < 0 ? 0 : int(std::min<int64_t>(whole, count));
  for (int i = 0; i < kept; ++i) mag = mag * 10 + uint64_t(digits[i] - '0');
  for (int64_t i = count; i < whole; ++i) {
    if (mag > std::numeric_limits<uint64_t>::max() / 10) return std::nullopt;
    mag *= 10;
  }
  if (whole < count) {
    // Round what was cut off, halves to even. When every digit lies below the first
    // cut-off place the value is under half a unit and rounds to 0.
    if (whole >= 0) {
      const int first = digits[whole] - '0';
      bool rest = sticky;
      for (int64_t i = whole + 1; i < count && !rest; ++i) rest = digits[i] != '0';
      if (first > 5 || (first == 5 && (rest || (mag & 1)))) ++mag;
    }
  }
  const uint64_t limit = negative ? uint64_t(1) << 63 : (uint64_t(1) << 63) - 1;
  if (mag > limit) return std::nullopt;
  int64_t raw = negative ? int64_t(0 - mag) : int64_t(mag);
  return Currency::FromRaw(raw);
}

double LeadingNumber::ToDouble() const {
  if (count == 0) return 0.0;
  char buf[kMaxDigits + 32];
  char *q = buf;
  if (negative) *q++ = '-';
  for (int i = 0; i < count; ++i) *q++ = digits[i];
  if (sticky) *q++ = '1';  // nudges a cut-off tail away from an exact half
  *q++ = 'e';
  auto r = std::to_chars(q, buf + sizeof buf, exponent - (sticky ? 1 : 0));
  double d = 0;
  auto res = std::from_chars(buf, r.ptr, d);
  if (res.ec == std::errc::result_out_of_range) {
    // Too small underflows to 0, too large to infinity.
    return exponent < 0 ? (negative ? -0.0 : 0.0)
                        : (negative ? -std::numeric_limits<double>::infinity()
                                    : std::numeric_limits<double>::infinity());
  }
  return d;
}

}  // namespace orv
