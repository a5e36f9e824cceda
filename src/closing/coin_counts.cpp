#include "closing/coin_counts.h"

#include "core/money_ops.h"
#include "core/values.h"
#include "platform/settings_store.h"

namespace orv::closing {

using namespace orv::money;

QString CoinKey(int index) {
  return QStringLiteral("giSetCoin") + QString::number(kCoinFaces[size_t(index)]);
}

CoinTotals CountCoins(const std::array<Currency, kCoinKinds> &counts) {
  CoinTotals t;
  for (int i = 0; i < kCoinKinds; ++i) {
    const Currency a = counts[size_t(i)] * Currency::Won(kCoinFaces[size_t(i)]);
    t.amounts[size_t(i)] = a;
    (i < kCoinGroup1 ? t.total1 : t.total2) += a;
  }
  t.total = t.total1 + t.total2;
  return t;
}

std::array<Currency, kCoinKinds> StoredCoinCounts() {
  std::array<Currency, kCoinKinds> counts{};
  for (int i = 0; i < kCoinKinds; ++i)
    counts[size_t(i)] = NzCur(settings_store::GetSetting(CoinKey(i)));
  return counts;
}

}  // namespace orv::closing
