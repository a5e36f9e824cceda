#pragma once
// Money: signed 64-bit fixed point with four decimals (the stored integer is value × 10000).
// This is the one money type of the program.
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace orv {

class Currency {
 public:
  static constexpr int64_t kScale = 10000;

  constexpr Currency() = default;
  static constexpr Currency FromRaw(int64_t raw) {
    Currency c;
    c.raw_ = raw;
    return c;
  }
  // Whole won; nullopt when outside the money range.
  static std::optional<Currency> FromWhole(int64_t whole);
  // Whole won that surely fit (literals, small counts).
  static constexpr Currency Won(int32_t whole) { return FromRaw(int64_t(whole) * kScale); }

  // A double rounded to four decimals, halves to the even neighbour. The double is taken
  // as the shortest decimal that reads back as it (0.1 is 0.1, 10/3 is 3.3333333333333335),
  // so a quotient that means an exact half rounds as a half. nullopt outside the money
  // range, for NaN and for infinities.
  static std::optional<Currency> FromDouble(double value);
  // The leading number of a text (see core/leading_number.h), rounded to four decimals
  // with halves to even; nullopt outside the money range. A text without a number is 0.
  static std::optional<Currency> FromText(QStringView text);

  constexpr int64_t raw() const { return raw_; }
  constexpr bool IsZero() const { return raw_ == 0; }

  // Checked arithmetic: nullopt on overflow (callers decide what an overflow means).
  static std::optional<Currency> Add(Currency a, Currency b);
  static std::optional<Currency> Sub(Currency a, Currency b);
  // The product rounded to four decimals, halves to even.
  static std::optional<Currency> Mul(Currency a, Currency b);

  // Nearest double (for the few computations done in double precision).
  double ToDouble() const { return double(raw_) / double(kScale); }
  // Nearest whole number, halves to the even neighbour.
  int64_t RoundToInt() const;

  // "-", integer digits, and "." with the fraction's digits without trailing zeros.
  QString ToPlainText() const;

  friend constexpr bool operator==(Currency a, Currency b) { return a.raw_ == b.raw_; }
  friend constexpr auto operator<=>(Currency a, Currency b) { return a.raw_ <=> b.raw_; }

 private:
  int64_t raw_ = 0;
};

}  // namespace orv
