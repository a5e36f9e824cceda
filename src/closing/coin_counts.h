#pragma once
// The drawer count by denomination: nine counts kept in the terminal settings
// (giSetCoin100000 … giSetCoin10) and the amounts, subtotals and total made of them. The
// counter screen and the closing report share it.
#include <QString>
#include <array>

#include "core/currency.h"

namespace orv::closing {

inline constexpr int kCoinKinds = 9;
// Face values, 100,000 down to 10; the first three make subtotal 1, the rest subtotal 2.
inline constexpr std::array<int, kCoinKinds> kCoinFaces = {100000, 50000, 10000, 5000, 1000,
                                                           500,    100,   50,    10};
inline constexpr int kCoinGroup1 = 3;
// "giSetCoin100000" … "giSetCoin10".
QString CoinKey(int index);

struct CoinTotals {
  std::array<orv::Currency, kCoinKinds> amounts{};
  orv::Currency total1, total2, total;
};
// Count times face value for each; an amount that leaves the money range throws
// std::overflow_error.
CoinTotals CountCoins(const std::array<orv::Currency, kCoinKinds> &counts);
// The stored counts through NzCur (missing or empty 0).
std::array<orv::Currency, kCoinKinds> StoredCoinCounts();

}  // namespace orv::closing
