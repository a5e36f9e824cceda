#include "sale/bundle_price.h"

#include <cstdint>
#include <optional>
#include <utility>

namespace orv::sale {

namespace {

constexpr int64_t kScale = Currency::kScale;

int64_t WholeOf(Currency c) { return c.raw() / kScale; }  // toward zero

bool WindowsOpen(const BundleRule &rule, const BundleContext &ctx) {
  bool anySet = false;
  for (const BundleWindow &w : rule.windows) anySet = anySet || !w.st.isEmpty() || !w.ed.isEmpty();
  if (!anySet) return true;
  for (const BundleWindow &w : rule.windows) {
    if (w.ed.isEmpty()) continue;
    if (w.st > ctx.clock || w.ed < ctx.clock) continue;
    if (CustomerCondition(w.g1, w.g2, ctx.customerKey, ctx.customerDegree)) return true;
  }
  return false;
}

struct Entry {
  int row;
  int64_t qty;    // whole pieces, positive
  int64_t price;  // whole won
};

std::optional<int64_t> Product(int64_t a, int64_t b) {
  int64_t r;
  if (__builtin_mul_overflow(a, b, &r)) return std::nullopt;
  return r;
}

// Appends the list's amounts (negated for returns) to out; nothing on overflow or over
// the limits.
void PriceList(std::vector<Entry> list, int64_t su, int64_t mechRaw, int sign,
               std::vector<BundleAmount> &out) {
  if (list.empty()) return;
  const size_t n = list.size();
  for (size_t a = 0; a + 1 < n; ++a)
    for (size_t b = a + 1; b < n; ++b)
      if (list[a].price < list[b].price) std::swap(list[a], list[b]);

  int64_t q = 0;
  for (const Entry &e : list) q += e.qty;
  std::vector<BundleAmount> amounts;
  auto put = [&](int row, int64_t whole) -> bool {
    const auto c = Currency::FromWhole(whole * sign);
    if (!c) return false;
    amounts.push_back({row, *c});
    return true;
  };

  if (q < su) {
    for (const Entry &e : list) {
      const auto plain = Product(e.qty, e.price);
      if (!plain || !put(e.row, *plain)) return;
    }
    out.insert(out.end(), amounts.begin(), amounts.end());
    return;
  }
  if (q > 1'000'000 || su > 100'000 || mechRaw > 100'000'000 * kScale) return;

  // Whole bundles by integer division: a rounded quotient can give more bundles than
  // pieces.
  const int64_t bundles = q / su;
  const int64_t rest = q - bundles * su;
  int64_t v = 0;
  int64_t c = 0;
  for (size_t i = n; i-- > 0;) {
    c += list[i].qty;
    const int64_t take = c <= rest ? list[i].qty : list[i].qty - (c - rest);
    const auto part = Product(take, list[i].price);
    if (!part || __builtin_add_overflow(v, *part, &v)) return;
    if (c >= rest) break;
  }
  int64_t totalRaw;  // bundles x mech + v, in raw money
  const auto vRaw = Product(v, kScale);
  if (!vRaw || __builtin_add_overflow(bundles * mechRaw, *vRaw, &totalRaw)) return;
  const int64_t avg = totalRaw / (q * kScale);

  int64_t sum = 0;
  std::vector<int64_t> whole(n);
  for (size_t i = 0; i < n; ++i) {
    const auto a = Product(list[i].qty, avg);
    if (!a) return;
    whole[i] = *a;
    sum += *a;
  }
  if (sum * kScale != totalRaw) whole[0] += (totalRaw - sum * kScale) / kScale;
  for (size_t i = 0; i < n; ++i)
    if (!put(list[i].row, whole[i])) return;
  out.insert(out.end(), amounts.begin(), amounts.end());
}

}  // namespace

bool CustomerCondition(int a, int b, Currency customerKey, int customerDegree) {
  if (a == 0 && b == 0) return true;
  return !customerKey.IsZero() && a == 1 && b >= 0 && b <= 4 && customerDegree >= b;
}

bool BundleApplies(const BundleRule &rule, const BundleContext &ctx) {
  if (ctx.halSel != 1) return false;
  if (rule.su.IsZero() || rule.saleSel == 9) return false;
  if (!rule.stDate.isEmpty() || !rule.edDate.isEmpty()) {
    if (ctx.workDate > rule.edDate || ctx.workDate < rule.stDate) return false;
  }
  if (!CustomerCondition(rule.g1, rule.g2, ctx.customerKey, ctx.customerDegree)) return false;
  if (rule.yoil != 0 && rule.yoil != ctx.weekday) return false;
  if (!WindowsOpen(rule, ctx)) return false;
  return !rule.su.IsZero() && !rule.mech.IsZero();
}

std::vector<BundleAmount> PriceBundle(const BundleRule &rule, std::span<const BundleLine> lines) {
  std::vector<BundleAmount> out;
  const int64_t su = WholeOf(rule.su);
  if (su <= 0 || rule.mech.IsZero()) return out;
  std::vector<Entry> sales, returns;
  for (const BundleLine &l : lines) {
    const int64_t q = WholeOf(l.qty);
    if (q == 0) continue;
    const Entry e{l.row, q > 0 ? q : -q, WholeOf(l.price)};
    (q > 0 ? sales : returns).push_back(e);
  }
  PriceList(std::move(sales), su, rule.mech.raw(), 1, out);
  PriceList(std::move(returns), su, rule.mech.raw(), -1, out);
  return out;
}

}  // namespace orv::sale
